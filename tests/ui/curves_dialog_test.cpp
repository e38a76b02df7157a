// The curves window over a ramp, in this process: its statistics, and comparisons with
// calibration files.
#include "ui/curves_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calibration.h"
#include "core/ramp_stats.h"
#include "res/resource.h"
#include "tests/support/fake_shell.h"
#include "tests/support/ramps.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"

namespace {

TEST(CurvesWindow, ShowsTheStatisticsAndComparesWithACalibrationFile) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    CFakeShell shell;
    TempFolder folder;
    CString start = "C:\\";
    CCurvesDlg dlg(ramp, nullptr, start, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(WindowText(hDlg), "Gamma ramp curves");
        std::vector<std::vector<std::string>> expected;
        for (const lumatab::StatsRow& row : lumatab::FormatRampStats(ramp)) {
            expected.push_back({row.label, row.values[0], row.values[1], row.values[2]});
        }
        EXPECT_EQ(ListRows(GetDlgItem(hDlg, IDC_CURVE_STATS)), expected);

        shell.chosenPath = folder.File("broken.cal");
        WriteFileBytes(shell.chosenPath, "CAL\nDEVICE_CLASS \"PRINTER\"\n");
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_VERIFICATION)), "");
        ASSERT_EQ(shell.messages.size(), 1u);
        EXPECT_NE(shell.messages[0].find("line 2: DEVICE_CLASS is 'PRINTER', not 'DISPLAY'"),
                  std::string::npos);

        shell.chosenPath = folder.File("identity.cal");
        const lumatab::GammaRamp identity = lumatab::IdentityRamp();
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(identity, "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_VERIFICATION)),
                  DescribeVerification(VerifyCalibration(ramp, identity)));

        shell.chosenPath = folder.File("same.cal");
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(ramp, "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_VERIFICATION)),
                  "Matches the calibration within 1/255");
        EXPECT_TRUE(shell.requests.at(0).m_bOpenFileDialog);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
