// The curves window over a ramp, in this process: its statistics, its readout, the pictures it
// saves, and comparisons with calibration files.
#include "ui/curves_dialog.h"

#include <gtest/gtest.h>

#include <algorithm>
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

std::string ItemText(HWND hDlg, int id) {
    return WindowText(GetDlgItem(hDlg, id));
}

// "WIDTHxHEIGHT" from a PNG file's header, " incomplete" after it unless the file ends with the
// closing chunk; "not a PNG" without the signature.
std::string PngShape(const std::string& bytes) {
    if (bytes.size() < 33 || bytes.compare(0, 8, "\x89PNG\r\n\x1A\n") != 0) {
        return "not a PNG";
    }
    unsigned long size[2] = {};
    for (int i = 0; i < 8; ++i) {
        size[i / 4] = size[i / 4] << 8 | static_cast<unsigned char>(bytes[16 + i]);
    }
    return std::to_string(size[0]) + "x" + std::to_string(size[1]) +
           (bytes.compare(bytes.size() - 8, 4, "IEND") == 0 ? "" : " incomplete");
}

class CurvesWindow : public ::testing::Test {
protected:
    CFakeShell shell;
    TempFolder folder;
    CString start = "C:\\";
};

TEST_F(CurvesWindow, FitsTheStatisticsAndReadsOutTheEntryTheKeysChoose) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    CCurvesDlg dlg(ramp, MonitorProfile{}, nullptr, start, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION), "No profile is associated with this monitor.");
        std::vector<std::vector<std::string>> expected;
        for (const lumatab::StatsRow& row : lumatab::FormatRampStats(ramp)) {
            expected.push_back({row.label, row.values[0], row.values[1], row.values[2]});
        }
        const HWND hList = GetDlgItem(hDlg, IDC_CURVE_STATS);
        EXPECT_EQ(ListRows(hList), expected);
        RECT client;
        GetClientRect(hList, &client);
        int columns = 0;
        for (int column = 0; column < 4; ++column) {
            columns += static_cast<int>(SendMessageA(hList, LVM_GETCOLUMNWIDTH, column, 0));
        }
        EXPECT_EQ(columns, client.right);
        EXPECT_EQ(GetWindowLongA(hList, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);

        const HWND hPlot = GetDlgItem(hDlg, IDC_CURVE_PLOT);
        SetFocus(hPlot);
        const struct {
            WPARAM key;
            const char* readout;
        } kSteps[] = {
            {0, "Entry 128 (50.2 %): red 32896 (2.20), green 32639 (2.17), blue 45746 (5.45)"},
            {VK_HOME, "Entry 0 (0.0 %): red 0 (---), green 65535 (---), blue 12850 (---)"},
            {VK_RIGHT, "Entry 1 (0.4 %): red 257 (2.20), green 65278 (---), blue 22359 (---)"},
            {VK_PRIOR, "Entry 17 (6.7 %): red 4369 (2.20), green 61166 (---), blue 42919 (---)"},
            {VK_NEXT, "Entry 1 (0.4 %): red 257 (2.20), green 65278 (---), blue 22359 (---)"},
            {VK_END, "Entry 255 (100.0 %): red 65535 (---), green 0 (---), blue 3341 (---)"},
        };
        for (const auto& step : kSteps) {
            if (step.key != 0) {
                PostMessageA(hPlot, WM_KEYDOWN, step.key, 0);
                PumpMessages(50);
            }
            EXPECT_EQ(ItemText(hDlg, IDC_CURVE_READOUT), step.readout) << "key " << step.key;
        }
        EXPECT_EQ(GetFocus(), hPlot);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

// The plot's picture, at the plot's size; the other views are drawn the same way, on the screen.
TEST_F(CurvesWindow, SavesThePlotAsAPicture) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    CCurvesDlg dlg(ramp, MonitorProfile{}, nullptr, start, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        shell.chosenPath = folder.File("curves.png");
        Command(hDlg, IDC_SAVE_PICTURE, BN_CLICKED);
        RECT plot;
        GetClientRect(GetDlgItem(hDlg, IDC_CURVE_PLOT), &plot);
        EXPECT_EQ(PngShape(ReadFileBytes(shell.chosenPath)),
                  std::to_string(plot.right) + "x" + std::to_string(plot.bottom));
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(std::string(shell.requests[0].m_strTitle), "Save the curves as a picture");
    EXPECT_EQ(std::string(shell.requests[0].m_strFileName), "GammaCurves.png");
    EXPECT_EQ(std::string(shell.requests[0].m_strFilter), "PNG images (*.png)|*.png|");
    EXPECT_EQ(shell.messages,
              std::vector<std::string>{"The picture has been saved.|64|Gamma ramp curves"});
}

TEST_F(CurvesWindow, ComparesWithTheMonitorProfileThenAFileAndKeepsItWhenAFileIsRefused) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    MonitorProfile monitorProfile;
    monitorProfile.status = MonitorProfile::Status::Found;
    monitorProfile.profile.description = "Test Display";
    monitorProfile.profile.hasCalibration = true;
    monitorProfile.profile.calibration = lumatab::IdentityRamp();
    CCurvesDlg dlg(ramp, monitorProfile, nullptr, start, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION),
                  "Monitor profile \"Test Display\": " +
                      DescribeVerification(VerifyCalibration(ramp, lumatab::IdentityRamp())));

        // A name too long for the line loses its middle; the verdict stays whole.
        const std::string longName = std::string(200, 'x') + ".cal";
        const lumatab::GammaRamp inverse =
            lumatab::RampOf([&](int ch, int i) { return 65535 - ramp.levels[ch][i]; });
        shell.chosenPath = folder.File(longName.c_str());
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(inverse, "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        const std::string verdict = DescribeVerification(VerifyCalibration(ramp, inverse));
        const std::string line = ItemText(hDlg, IDC_VERIFICATION);
        const std::string end = ".cal\": " + verdict;
        EXPECT_EQ(line.substr(0, 4), "\"xxx");
        EXPECT_NE(line.find("x...x"), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), end.size())), end);

        shell.chosenPath = folder.File("same.cal");
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(ramp, "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION),
                  "\"same.cal\": Matches the calibration within 1/255");
        EXPECT_EQ(ItemText(hDlg, IDC_CURVE_READOUT),
                  "Entry 128 (50.2 %): red 32896 (2.20), green 32639 (2.17), blue 45746 (5.45); "
                  "calibration 32896 / 32639 / 45746");

        shell.chosenPath = folder.File("broken.cal");
        WriteFileBytes(shell.chosenPath, "CAL\nDEVICE_CLASS \"PRINTER\"\n");
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_NE(shell.messages.back().find("line 2: DEVICE_CLASS is 'PRINTER', not 'DISPLAY'"),
                  std::string::npos);
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION),
                  "\"same.cal\": Matches the calibration within 1/255");
        EXPECT_TRUE(shell.requests.at(1).m_bOpenFileDialog);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
