// The main dialog run modally in this process and driven from inside its own message loop: on
// Wine's display of the dummy X server, and on fakes for what no X server can show (two different
// ramps, an unreadable one, no monitor).
#include "ui/main_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/core/golden.h"
#include "tests/support/fake_display.h"
#include "tests/support/fake_shell.h"
#include "tests/support/recording_sink.h"
#include "tests/support/string_sink.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"
#include "tests/support/x_ramp.h"

namespace {

using lumatab::GammaRamp;
using Texts = std::vector<std::string>;

// Boxes as the shell is asked for them: text, type, and the owner's caption.
const std::string kUnread = "The gamma ramp of the selected monitor could not be read.|16|Lumatab";
const std::string kExported = "The list has been succesfully exported.|64|(none)";

// What the list and the labels should show for a ramp: the core's rows and summaries of it.
lumatab::RecordingSink Expected(const GammaRamp& ramp) {
    lumatab::RecordingSink sink;
    lumatab::GammaTable table;
    lumatab::RefreshRampTable(ramp, table, sink);
    return sink;
}

Texts LabelTexts(HWND hDlg) {
    return {WindowText(GetDlgItem(hDlg, IDC_GAMMA_RED)),
            WindowText(GetDlgItem(hDlg, IDC_GAMMA_GREEN)),
            WindowText(GetDlgItem(hDlg, IDC_GAMMA_BLUE))};
}

void Select(HWND hDlg, int index) {
    SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
}

// A label as it paints: the text colour, the background brush's colour and the font height its
// parent's colour message selects, and the height of the font the static control itself holds.
std::string LookOf(HWND hDlg, int id) {
    const HWND hLabel = GetDlgItem(hDlg, id);
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        hDlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(hLabel)));
    LOGBRUSH logBrush{};
    GetObjectA(brush, sizeof logBrush, &logBrush);
    LOGFONTA selected{}, own{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof selected, &selected);
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(hLabel, WM_GETFONT, 0, 0)), sizeof own, &own);
    char look[64];
    std::snprintf(look, sizeof look, "%06lX on %06lX, %ld/%ld", GetTextColor(dc), logBrush.lbColor,
                  selected.lfHeight, own.lfHeight);
    DeleteDC(dc);
    return look;
}

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

// The context menu's items, read while it is open, "(grey)" after a disabled one.
Texts g_menuItems;

void CALLBACK ReadOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    if (const HWND hMenuWindow = FindWindowA("#32768", nullptr)) {
        KillTimer(nullptr, timer);
        const auto hMenu = reinterpret_cast<HMENU>(SendMessageA(hMenuWindow, MN_GETHMENU, 0, 0));
        for (int item = 0; item < GetMenuItemCount(hMenu); ++item) {
            char text[64] = {};
            GetMenuStringA(hMenu, item, text, sizeof text, MF_BYPOSITION);
            const bool grey = GetMenuState(hMenu, item, MF_BYPOSITION) & MF_GRAYED;
            g_menuItems.push_back(std::string(text) + (grey ? " (grey)" : ""));
        }
        EndMenu();
    }
}

// Opens the list's context menu as the keyboard does and returns its items.
Texts ContextMenuItems(HWND hDlg) {
    g_menuItems.clear();
    SetTimer(nullptr, 0, 50, &ReadOpenMenu);
    SendMessageA(hDlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDC_RAMP_LIST)),
                 MAKELPARAM(-1, -1));
    return g_menuItems;
}

TEST(MainDialog, StartsUpWithTheFirstMonitorsRampInTheListAndTheColouredLabels) {
    const GammaRamp ramp = lumatab::ThreeChannelRamp();
    ASSERT_TRUE(lumatab::LoadXRamp(ramp));
    const auto monitors = ListMonitors();
    CLumatabDlg dlg;
    const lumatab::RecordingSink expected = Expected(ramp);
    const INT_PTR result = RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(WindowText(hDlg), "Lumatab");
        EXPECT_NE(SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDCANCEL));
        const HWND hCombo = GetDlgItem(hDlg, IDC_MONITOR_COMBO);
        EXPECT_EQ(SendMessageA(hCombo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(monitors.size()));
        EXPECT_EQ(WindowText(hCombo), std::string(monitors.at(0).description));

        // Headings, widths, and right alignment as the program asks for it.
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        std::string columns;
        for (int column = 0; column < 10; ++column) {
            char heading[32] = {};
            LVCOLUMNA info{};
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.pszText = heading;
            info.cchTextMax = sizeof heading;
            SendMessageA(hList, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            columns += std::string(heading) + " " + std::to_string(info.cx) +
                       (info.fmt & LVCFMT_RIGHT ? " right, " : ", ");
        }
        EXPECT_EQ(
            columns,
            "Index 41 right, R hex 60 right, R dec 60 right, R gamma 60 right, G hex 60 right, "
            "G dec 60 right, G gamma 60 right, B hex 60 right, B dec 60 right, "
            "B gamma 60 right, ");
        EXPECT_TRUE(SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
        EXPECT_EQ(ListRows(hList), expected.rows);
        EXPECT_EQ(LabelTexts(hDlg), Texts(expected.summary, expected.summary + 3));
        EXPECT_EQ(LookOf(hDlg, IDC_GAMMA_RED), "1414FA on 383838, -18/-18");
        EXPECT_EQ(LookOf(hDlg, IDC_GAMMA_GREEN), "5AF514 on 383838, -18/-18");
        EXPECT_EQ(LookOf(hDlg, IDC_GAMMA_BLUE), "FFA024 on 383838, -18/-18");

        // Each refresh ends with the list redrawing again, painted and at its first row.
        Select(hDlg, 0);
        EXPECT_TRUE(IsWindowVisible(hList));
        EXPECT_EQ(SendMessageA(hList, LVM_GETTOPINDEX, 0, 0), 0);
        EXPECT_FALSE(GetUpdateRect(hList, nullptr, FALSE));
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(result, IDCANCEL);
}

// Every selection reads its monitor again, also the same one; Export writes what is listed; a
// selection of no monitor is reported and changes nothing.
TEST(MainDialog, EverySelectionReReadsAndExportsTheMonitorShown) {
    CFakeMonitors display = TwoMonitors();
    CFakeShell shell;
    CMessageBoxWatcher watcher;
    TempFolder folder;
    shell.chosenPath = folder.File("ramp.csv");
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        // The list's order, not the combo box's sorting: position k is monitor k.
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_MONITOR_COMBO)), "Same Model");
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::CsvOf(display.monitors[0].ramp));
        Select(hDlg, 1);
        EXPECT_EQ(ListRows(hList), Expected(display.monitors[1].ramp).rows);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::CsvOf(display.monitors[1].ramp));
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        SendMessageA(hDlg, WM_COMMAND, ID_READ_AGAIN, 0);
        // F5 typed into the monitor box's edit field belongs to the field: no read.
        SetFocus(GetWindow(GetDlgItem(hDlg, IDC_MONITOR_COMBO), GW_CHILD));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_F5, 0);
        PumpMessages(100);
        Select(hDlg, -1);
        PumpMessages(200);
        EXPECT_EQ(ListRows(hList), Expected(display.monitors[1].ramp).rows);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(display.reads,
              (std::map<std::string, int>{{"\\\\.\\DISPLAY1", 1}, {"\\\\.\\DISPLAY2", 3}}));
    EXPECT_EQ(shell.messages, (Texts{kExported, kExported}));
    EXPECT_EQ(watcher.m_texts.size(), 1u);
    // With no documents folder, Export's dialog starts in the program's own folder.
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    const std::string path = program;
    EXPECT_EQ(std::string(shell.requests.at(0).m_strInitialDir), path.substr(0, path.rfind('\\')));
}

// A ramp that cannot be read shows nothing of the buffer: no rows, "---", no curves, and nothing
// exported, copied or saved, until a read succeeds again.
TEST(MainDialog, AnUnreadableRampShowsNoNumbersAndCannotBeExported) {
    CFakeMonitors display = TwoMonitors();
    display.monitors[1].readable = false;
    CFakeShell shell;
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        Select(hDlg, 1);
        EXPECT_EQ(ListRows(hList).size(), 0u);
        EXPECT_EQ(LabelTexts(hDlg), (Texts{"---", "---", "---"}));
        EXPECT_EQ(ContextMenuItems(hDlg)[0], "Show curves... (grey)");
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        SendMessageA(hDlg, WM_COMMAND, ID_COPY_TABLE, 0);
        SendMessageA(hDlg, WM_COMMAND, ID_SAVE_CALIBRATION, 0);
        EXPECT_TRUE(shell.requests.empty());
        EXPECT_EQ(ClipboardText(), "");
        Select(hDlg, 0);
        const lumatab::RecordingSink expected = Expected(display.monitors[0].ramp);
        EXPECT_EQ(ListRows(hList), expected.rows);
        EXPECT_EQ(LabelTexts(hDlg), Texts(expected.summary, expected.summary + 3));
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(shell.messages, Texts(4, kUnread));
}

// The real shell's box is owned by the dialog, which waits disabled: F5 pressed again and again
// cannot pile boxes up.
TEST(MainDialog, TheUnreadRampBoxIsOwnedByTheDialog) {
    CFakeMonitors display = TwoMonitors();
    display.monitors[0].readable = false;
    CMessageBoxWatcher watcher;
    CLumatabDlg dlg(nullptr, display, Win32Shell());
    RunModal(dlg, [&] {
        const HWND hList = GetDlgItem(dlg.GetSafeHwnd(), IDC_RAMP_LIST);
        SetFocus(hList);
        PostMessageA(hList, WM_KEYDOWN, VK_F5, 0);
        PumpMessages(200);
        Command(dlg.GetSafeHwnd(), IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(watcher.m_owners, Texts(2, "Lumatab (disabled)"));  // at start-up, and for F5
}

// The context menu, Save as .cal and Copy table on the listed ramp; F5 (through the dialog's
// message loop, as a key the user pressed) reads a ramp another program changed.
TEST(MainDialog, ItsMenuSavesCopiesAndReadsAgainTheListedRamp) {
    ASSERT_TRUE(lumatab::LoadXRamp(lumatab::IdentityRamp()));
    CFakeShell shell;
    TempFolder folder;
    shell.chosenPath = folder.File("ramp.cal");
    CLumatabDlg dlg(nullptr, Win32DisplayApi(), shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_EQ(ContextMenuItems(hDlg), (Texts{"Show curves...", "Copy table\tCtrl+C",
                                                 "Read again\tF5", "Save as .cal..."}));
        SendMessageA(hDlg, WM_COMMAND, ID_SAVE_CALIBRATION, 0);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::Golden("identity.cal"));
        EXPECT_EQ(shell.messages,
                  Texts{"The gamma ramp has been saved as a calibration file.|64|Lumatab"});
        EXPECT_EQ(std::string(shell.requests.at(0).m_strTitle),
                  "Saving current Gammaramp as calibration");

        ASSERT_TRUE(lumatab::LoadXRamp(lumatab::ThreeChannelRamp()));
        SetFocus(hList);
        PostMessageA(hList, WM_KEYDOWN, VK_F5, 0);
        PumpMessages(100);
        EXPECT_EQ(ListRows(hList)[77][5], "45746 ");  // green falls: (255 - 77) * 257

        SendMessageA(hDlg, WM_COMMAND, ID_COPY_TABLE, 0);
        std::string listed =
            "Index\tR hex\tR dec\tR gamma\tG hex\tG dec\tG gamma\tB hex\tB dec\tB gamma";
        for (const Texts& row : ListRows(hList)) {
            for (std::size_t column = 0; column < row.size(); ++column) {
                listed += (column == 0 ? "\r\n" : "\t") + row[column];
            }
        }
        EXPECT_EQ(ClipboardText(), listed);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
}

}  // namespace
