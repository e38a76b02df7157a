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

// What the plot draws, and so what Save picture... saves: its pixels, row by row.
struct Picture {
    int width = 0;
    std::vector<COLORREF> pixels;
    std::ptrdiff_t count(COLORREF colour) const {
        return std::count(pixels.begin(), pixels.end(), colour);
    }
};

Picture Drawn(HWND hDlg) {
    const HWND hPlot = GetDlgItem(hDlg, IDC_CURVE_PLOT);
    RECT client;
    GetClientRect(hPlot, &client);
    CPlotBitmap bitmap(client.right, client.bottom);
    static_cast<const CCurvePlot*>(CWnd::FromHandlePermanent(hPlot))->Draw(bitmap);
    GdiFlush();
    Picture picture{client.right, {}};
    for (int y = 0; y < client.bottom; ++y) {
        const BYTE* bgr = bitmap.Bits() + y * bitmap.Stride();
        for (int x = 0; x < client.right; ++x, bgr += 3) {
            picture.pixels.push_back(RGB(bgr[2], bgr[1], bgr[0]));
        }
    }
    return picture;
}

std::string ItemText(HWND hDlg, int id) {
    return WindowText(GetDlgItem(hDlg, id));
}

class CurvesWindow : public ::testing::Test {
protected:
    CurvesWindow() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~CurvesWindow() override { CoUninitialize(); }

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
        EXPECT_EQ(GetWindowLongA(hList, GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL), 0);  // it all fits

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

TEST_F(CurvesWindow, DrawsEitherViewAndSavesThePlotAsAPicture) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    const lumatab::GammaRamp identity = lumatab::IdentityRamp();
    for (const bool gammaView : {false, true}) {
        CCurvesDlg dlg(gammaView ? identity : ramp, MonitorProfile{}, nullptr, start, shell);
        RunModal(dlg, [&] {
            const HWND hDlg = dlg.GetSafeHwnd();
            if (gammaView) {
                Command(hDlg, IDC_VIEW_GAMMA, BN_CLICKED);
            }
            const Picture picture = Drawn(hDlg);
            if (!gammaView) {
                // Three different curves, each in its own colour across the plot (the legend's
                // strokes are far shorter).
                for (const COLORREF colour : kChannelColours) {
                    EXPECT_GT(picture.count(colour), picture.width / 2);
                }
            } else {
                // The identity's three equal curves, mixed, make one flat line across the plot,
                // two rows thick (the pen's width).
                const COLORREF mixed = kChannelColours[0] | kChannelColours[1] | kChannelColours[2];
                ASSERT_GT(picture.count(mixed), picture.width / 2);
                const auto first = std::find(picture.pixels.begin(), picture.pixels.end(), mixed);
                const auto last = std::find(picture.pixels.rbegin(), picture.pixels.rend(), mixed);
                EXPECT_LE(picture.pixels.rend() - last - (first - picture.pixels.begin()),
                          2 * picture.width);
                // Saved whole: the PNG signature, the header chunk first and the end chunk last.
                shell.chosenPath = folder.File("curves.png");
                Command(hDlg, IDC_SAVE_PICTURE, BN_CLICKED);
                const std::string png = ReadFileBytes(shell.chosenPath);
                EXPECT_EQ(png.substr(1, 3) + png.substr(12, 4) + png.substr(png.size() - 8, 4),
                          "PNGIHDRIEND");
            }
            Command(hDlg, IDCANCEL, BN_CLICKED);
        });
    }
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
        const Picture withProfile = Drawn(hDlg);

        // A name too long for the line loses its middle; the verdict stays whole.
        shell.chosenPath = folder.File((std::string(200, 'x') + ".cal").c_str());
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(ramp, "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        const std::string line = ItemText(hDlg, IDC_VERIFICATION);
        const std::string end = ".cal\": Matches the calibration within 1/255";
        EXPECT_EQ(line.substr(0, 4), "\"xxx");
        EXPECT_NE(line.find("x...x"), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), end.size())), end);
        EXPECT_EQ(ItemText(hDlg, IDC_CURVE_READOUT),
                  "Entry 128 (50.2 %): red 32896 (2.20), green 32639 (2.17), blue 45746 (5.45); "
                  "calibration 32896 / 32639 / 45746");
        EXPECT_NE(Drawn(hDlg).pixels, withProfile.pixels);

        shell.chosenPath = folder.File("broken.cal");
        WriteFileBytes(shell.chosenPath, "CAL\nDEVICE_CLASS \"PRINTER\"\n");
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_NE(shell.messages.back().find("line 2: DEVICE_CLASS is 'PRINTER', not 'DISPLAY'"),
                  std::string::npos);
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION), line);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
