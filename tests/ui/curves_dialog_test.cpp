// The curves window over a ramp, in this process: its statistics, its readout, the pictures it
// saves, and comparisons with calibration files.
#include "ui/curves_dialog.h"

#include <gdiplus.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/calibration.h"
#include "core/ramp_stats.h"
#include "res/resource.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"
#include "tests/support/ramps.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"
#include "ui/label.h"

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

// The window's client area as the screen shows it, in the same form.
Picture ScreenPicture(HWND hWnd) {
    RECT client;
    GetClientRect(hWnd, &client);
    Picture picture{static_cast<UINT>(client.right), static_cast<UINT>(client.bottom), {}};
    const HDC hScreen = GetDC(hWnd);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            picture.pixels.push_back(GetPixel(hScreen, x, y));
        }
    }
    ReleaseDC(hWnd, hScreen);
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

    // The window on `ramp`, read at 17:30:04, whose monitor has no profile.
    static CCurvesDlg Window(const lumatab::GammaRamp& ramp, CFakeShell& shell, CString& start,
                             std::function<Comparison()> monitorComparison = NoProfile) {
        return CCurvesDlg({ramp, CFakeClock().now}, std::nullopt, std::move(monitorComparison),
                          nullptr, start, shell);
    }
    static Comparison NoProfile() {
        throw CFailure("no profile is associated with monitor 0 (\\\\.\\DISPLAY1)");
    }

    CFakeShell shell;
    TempFolder folder;
    CString start = "C:\\";
};

TEST_F(CurvesWindow, FitsTheStatisticsAndReadsOutTheEntryTheKeysChoose) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    CCurvesDlg dlg = Window(ramp, shell, start);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION),
                  "No profile is associated with monitor 0 (\\\\.\\DISPLAY1).");
        EXPECT_EQ(ItemText(hDlg, IDC_READ_TIME), "Read at 17:30:04");
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
            {VK_DOWN, "Entry 2 (0.8 %): red 514 (2.20), green 65021 (---), blue 31868 (---)"},
            {VK_NEXT, "Entry 18 (7.1 %): red 4626 (2.20), green 60909 (---), blue 52428 (---)"},
            {VK_LEFT, "Entry 17 (6.7 %): red 4369 (2.20), green 61166 (---), blue 42919 (---)"},
            {VK_PRIOR, "Entry 1 (0.4 %): red 257 (2.20), green 65278 (---), blue 22359 (---)"},
            {VK_UP, "Entry 0 (0.0 %): red 0 (---), green 65535 (---), blue 12850 (---)"},
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
    // The identity but for entries 96 to 159 at full scale, whose effective gamma is undefined.
    const lumatab::GammaRamp gapped =
        lumatab::RampOf([](int, int i) { return i >= 96 && i < 160 ? 65535 : i * 257; });
    for (const bool gammaView : {false, true}) {
        CCurvesDlg dlg = Window(gammaView ? gapped : ramp, shell, start);
        RunModal(dlg, [&] {
            const HWND hDlg = dlg.GetSafeHwnd();
            if (gammaView) {
                Command(hDlg, IDC_VIEW_GAMMA, BN_CLICKED);
            }
            SetFocus(GetDlgItem(hDlg, IDCANCEL));  // no focus rectangle on the screen's plot
            UpdateWindow(hDlg);
            const Picture picture = SavePicture(hDlg, shell, folder.File("curves.png"));
            EXPECT_EQ(picture.pixels, ScreenPicture(GetDlgItem(hDlg, IDC_CURVE_PLOT)).pixels);
            if (!gammaView) {
                // Three different curves, each in its own colour across the plot (the legend's
                // strokes are far shorter).
                for (const COLORREF colour : kChannelColours) {
                    EXPECT_GT(picture.count(colour), picture.width / 2);
                }
            } else {
                // The three equal curves, mixed, make one flat line, two rows thick (the pen's
                // width), with a gap where the entries are undefined.
                const COLORREF mixed = kChannelColours[0] | kChannelColours[1] | kChannelColours[2];
                std::vector<int> columns(picture.width);
                for (std::size_t k = 0; k < picture.pixels.size(); ++k) {
                    columns[k % picture.width] += picture.pixels[k] == mixed ? 1 : 0;
                }
                const auto first =
                    std::find_if(columns.begin(), columns.end(), [](int n) { return n > 0; }) -
                    columns.begin();
                const auto last =
                    columns.rend() -
                    std::find_if(columns.rbegin(), columns.rend(), [](int n) { return n > 0; }) - 1;
                const auto column = [&](int entry) {
                    return first + (entry - 1) * (last - first) / 253;
                };
                EXPECT_EQ(columns[column(60)], 2);
                EXPECT_EQ(columns[column(200)], 2);
                EXPECT_LE(*std::max_element(columns.begin(), columns.end()), 2);  // no drops
                for (auto x = column(97) + 1; x < column(159); ++x) {
                    EXPECT_EQ(columns[x], 0) << x;
                }
            }
            Command(hDlg, IDCANCEL, BN_CLICKED);
        });
    }
    EXPECT_EQ(shell.messages.at(1), "The picture has been saved.|64|Gamma ramp curves");
}

TEST_F(CurvesWindow, ComparesWithTheMonitorProfileThenAFileAndKeepsItWhenAFileIsRefused) {
    const lumatab::GammaRamp ramp = lumatab::ThreeChannelRamp();
    // A realistic long name, in words: the line would wrap to more lines than it has.
    std::string description = "Monitor profile \"";
    while (description.size() < 300) {
        description += "Studio display calibrated for print proofing at D50 ";
    }
    CCurvesDlg dlg = Window(ramp, shell, start, [&] {
        return Comparison{description + "\"", "C:\\studio.icm", true, ramp};
    });
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        // A name too long for the line loses its middle; the verdict stays whole.
        const std::string verdict = ": Matches the calibration within 1/255";
        std::string line = ItemText(hDlg, IDC_VERIFICATION);
        EXPECT_EQ(line.substr(0, 24), "Monitor profile \"Studio ");
        EXPECT_NE(line.find("..."), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), verdict.size())), verdict);
        EXPECT_EQ(ItemText(hDlg, IDC_RAMP_IDENTITY), "The ramp is the calibration (exactly)");
        const Picture withProfile = SavePicture(hDlg, shell, folder.File("profile.png"));

        shell.chosenPath = folder.File((std::string(200, 'x') + ".cal").c_str());
        WriteFileBytes(shell.chosenPath, lumatab::WriteCalibration(lumatab::IdentityRamp(), "now"));
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        line = ItemText(hDlg, IDC_VERIFICATION);
        const std::string end =
            ".cal\": " + DescribeVerification(VerifyCalibration(ramp, lumatab::IdentityRamp()),
                                              "the calibration");
        EXPECT_EQ(line.substr(0, 9), "File \"C:\\");
        EXPECT_NE(line.find("x...x"), std::string::npos) << line;
        EXPECT_EQ(line.substr(line.size() - std::min(line.size(), end.size())), end);
        EXPECT_EQ(ItemText(hDlg, IDC_CURVE_READOUT),
                  "Entry 128 (50.2 %): red 32896 (2.20), green 32639 (2.17), blue 45746 (5.45); "
                  "calibration 32896 / 32896 / 32896");
        const Picture compared = SavePicture(hDlg, shell, folder.File("compared.png"));
        EXPECT_NE(compared.pixels, withProfile.pixels);

        shell.chosenPath = folder.File("broken.cal");
        WriteFileBytes(shell.chosenPath, "CAL\nDEVICE_CLASS \"PRINTER\"\n");
        std::vector<std::string> boxes;
        AnswerMessageBox(boxes);
        Command(hDlg, IDC_COMPARE, BN_CLICKED);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].find("line 2: DEVICE_CLASS is 'PRINTER', not 'DISPLAY'.|"),
                  std::string::npos);
        EXPECT_EQ(ItemText(hDlg, IDC_VERIFICATION), line);
        EXPECT_EQ(SavePicture(hDlg, shell, folder.File("refused.png")).pixels, compared.pixels);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
