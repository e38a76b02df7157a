// The curves window over a ramp, in this process: its statistics, its readout, the pictures it
// saves, and comparisons with calibration files.
#include "ui/curves_dialog.h"

#include <gdiplus.h>
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

// A PNG file's pixels as colours, row by row, read with GDI+; empty if it cannot be read.
struct Picture {
    UINT width = 0;
    UINT height = 0;
    std::vector<COLORREF> pixels;
    std::size_t count(COLORREF colour) const {
        return std::count(pixels.begin(), pixels.end(), colour);
    }
};

Picture ReadPng(const std::string& path) {
    using namespace Gdiplus::DllExports;
    Picture picture;
    ULONG_PTR token = 0;
    const Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (GdipCreateBitmapFromFile(std::wstring(path.begin(), path.end()).c_str(), &bitmap) ==
        Gdiplus::Ok) {
        GdipGetImageWidth(bitmap, &picture.width);
        GdipGetImageHeight(bitmap, &picture.height);
        for (UINT y = 0; y < picture.height; ++y) {
            for (UINT x = 0; x < picture.width; ++x) {
                Gdiplus::ARGB argb = 0;
                GdipBitmapGetPixel(bitmap, static_cast<INT>(x), static_cast<INT>(y), &argb);
                picture.pixels.push_back(RGB(argb >> 16 & 0xFF, argb >> 8 & 0xFF, argb & 0xFF));
            }
        }
        GdipDisposeImage(bitmap);
    }
    Gdiplus::GdiplusShutdown(token);
    return picture;
}

// Save picture into `path`, through the fake shell's save dialog.
Picture SavePicture(HWND hDlg, CFakeShell& shell, const std::string& path) {
    shell.chosenPath = path;
    Command(hDlg, IDC_SAVE_PICTURE, BN_CLICKED);
    return ReadPng(path);
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

TEST_F(CurvesWindow, SavesThePlotAsAPictureInEitherView) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    const lumatab::GammaRamp identity = lumatab::IdentityRamp();
    for (const bool gammaView : {false, true}) {
        CCurvesDlg dlg(gammaView ? identity : ramp, MonitorProfile{}, nullptr, start, shell);
        RunModal(dlg, [&] {
            const HWND hDlg = dlg.GetSafeHwnd();
            if (gammaView) {
                Command(hDlg, IDC_VIEW_GAMMA, BN_CLICKED);
            }
            const Picture picture = SavePicture(hDlg, shell, folder.File("curves.png"));
            RECT plot;
            GetClientRect(GetDlgItem(hDlg, IDC_CURVE_PLOT), &plot);
            EXPECT_EQ(picture.width, static_cast<UINT>(plot.right));
            EXPECT_EQ(picture.height, static_cast<UINT>(plot.bottom));
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
                          2 * static_cast<std::ptrdiff_t>(picture.width));
            }
            Command(hDlg, IDCANCEL, BN_CLICKED);
        });
    }
    EXPECT_EQ(shell.messages.at(1), "The picture has been saved.|64|Gamma ramp curves");
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
        const Picture withProfile = SavePicture(hDlg, shell, folder.File("profile.png"));

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
        const Picture compared = SavePicture(hDlg, shell, folder.File("compared.png"));
        EXPECT_NE(compared.pixels, withProfile.pixels);

        shell.chosenPath = folder.File("broken.cal");
        WriteFileBytes(shell.chosenPath, "CAL\nDEVICE_CLASS \"PRINTER\"\n");
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        EXPECT_NE(shell.messages.back().find("line 2: DEVICE_CLASS is 'PRINTER', not 'DISPLAY'"),
                  std::string::npos);
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION), line);
        EXPECT_EQ(SavePicture(hDlg, shell, folder.File("refused.png")).pixels, compared.pixels);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
