// The main window's context menu and its commands, and the curves window, in this process on
// Wine's display of the dummy X server.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/calibration.h"
#include "core/ramp_stats.h"
#include "res/resource.h"
#include "tests/core/golden.h"
#include "tests/support/fake_display.h"
#include "tests/support/fake_shell.h"
#include "tests/support/ramps.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"
#include "tests/support/x_ramp.h"
#include "ui/curves_dialog.h"
#include "ui/main_dialog.h"

namespace {

using lumatab::GammaRamp;

std::string ClipboardText() {
    std::string text;
    if (OpenClipboard(nullptr)) {
        if (const HANDLE hText = GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(GlobalLock(hText));
            GlobalUnlock(hText);
        }
        CloseClipboard();
    }
    return text;
}

// The list's texts as Copy table must give them: headings, then rows; tabs and CRLF between.
std::string ListText(HWND hList) {
    std::string text = "Index\tR hex\tR dec\tR gamma\tG hex\tG dec\tG gamma\tB hex\tB dec\tB gamma";
    for (const auto& row : ListRows(hList)) {
        for (std::size_t column = 0; column < row.size(); ++column) {
            text += (column == 0 ? "\r\n" : "\t") + row[column];
        }
    }
    return text;
}

// The context menu's items, read while it is open, with "(grey)" after a disabled one.
std::vector<std::string> g_menuItems;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND hMenuWindow = FindWindowA("#32768", nullptr);
    if (hMenuWindow == nullptr) {
        return;
    }
    KillTimer(nullptr, timer);
    const HMENU hMenu = reinterpret_cast<HMENU>(SendMessageA(hMenuWindow, MN_GETHMENU, 0, 0));
    for (int item = 0; item < GetMenuItemCount(hMenu); ++item) {
        char text[64] = {};
        GetMenuStringA(hMenu, item, text, sizeof text, MF_BYPOSITION);
        const bool grey = (GetMenuState(hMenu, item, MF_BYPOSITION) & MF_GRAYED) != 0;
        g_menuItems.push_back(std::string(text) + (grey ? " (grey)" : ""));
    }
    EndMenu();
}

// Opens the list's context menu from the keyboard and returns its items.
std::vector<std::string> ContextMenuItems(HWND hDlg) {
    g_menuItems.clear();
    SetTimer(nullptr, 0, 50, &ReadOpenMenu);
    SendMessageA(hDlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDC_RAMP_LIST)),
                 MAKELPARAM(-1, -1));
    return g_menuItems;
}

TEST(WindowCommands, MenuCopyReadAgainAndSaveAsCalWorkOnTheListedRamp) {
    ASSERT_TRUE(lumatab::LoadXRamp(lumatab::IdentityRamp()));
    CFakeShell shell;
    TempFolder folder;
    shell.chosenPath = folder.File("ramp.cal");
    CLumatabDlg dlg(nullptr, Win32DisplayApi(), shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_EQ(ContextMenuItems(hDlg),
                  (std::vector<std::string>{"Show curves...", "Copy table", "Read again",
                                            "Save as .cal..."}));
        SendMessageA(hDlg, WM_COMMAND, ID_SAVE_CALIBRATION, 0);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::Golden("identity.cal"));
        EXPECT_EQ(std::string(shell.requests.at(0).m_strTitle),
                  "Saving current Gammaramp as calibration");

        // F5 goes through the dialog's message loop, as a key the user pressed.
        ASSERT_TRUE(lumatab::LoadXRamp(lumatab::ThreeChannelRamp()));
        SetFocus(hList);
        PostMessageA(hList, WM_KEYDOWN, VK_F5, 0);
        PumpMessages(100);
        EXPECT_EQ(ListRows(hList)[77][5], "45746 ");  // green falls: (255 - 77) * 257

        SendMessageA(hDlg, WM_COMMAND, ID_COPY_TABLE, 0);
        EXPECT_EQ(ClipboardText(), ListText(hList));
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

TEST(WindowCommands, AfterAFailedReadTheCurvesAreOffAndNothingIsCopiedOrSaved) {
    CFakeMonitors display = TwoMonitors();
    display.monitors[0].readable = false;
    CFakeShell shell;
    shell.chosenPath = "never used";
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(ContextMenuItems(hDlg)[0], "Show curves... (grey)");
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        SendMessageA(hDlg, WM_COMMAND, ID_COPY_TABLE, 0);
        SendMessageA(hDlg, WM_COMMAND, ID_SAVE_CALIBRATION, 0);
        EXPECT_EQ(ClipboardText(), "");
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    const std::string unread =
        "The gamma ramp of the selected monitor could not be read.|Lumatab|16";
    EXPECT_EQ(shell.messages, (std::vector<std::string>{unread, unread, unread}));
    EXPECT_TRUE(shell.requests.empty());
}

// The curves window over a ramp: its statistics, and a comparison with calibration files.
TEST(CurvesWindow, ShowsTheStatisticsAndComparesWithACalibrationFile) {
    const GammaRamp ramp = lumatab::ThreeChannelRamp();
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
