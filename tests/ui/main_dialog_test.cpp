// The main dialog run modally in this process and driven from inside its own message loop.
#include "ui/main_dialog.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/support/ramps.h"
#include "tests/support/recording_sink.h"
#include "tests/support/string_sink.h"
#include "tests/support/fake_display.h"
#include "tests/support/fake_shell.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"
#include "tests/support/x_ramp.h"
#include "tests/core/golden.h"

namespace {

using lumatab::GammaRamp;

const std::string kUnread = "The gamma ramp of the selected monitor could not be read.|Lumatab|16";
const std::string kExported = "The list has been succesfully exported.|Lumatab|64";
const int kLabels[] = {IDC_GAMMA_RED, IDC_GAMMA_GREEN, IDC_GAMMA_BLUE};

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

// What the dialog should list for a ramp: the core's rows and summaries of it.
lumatab::RecordingSink Expected(const GammaRamp& ramp) {
    lumatab::RecordingSink sink;
    lumatab::GammaTable table;
    lumatab::RefreshRampTable(ramp, table, sink);
    return sink;
}

std::vector<std::string> LabelTexts(HWND hDlg) {
    std::vector<std::string> texts;
    for (int id : kLabels) {
        texts.push_back(WindowText(GetDlgItem(hDlg, id)));
    }
    return texts;
}

void Select(HWND hDlg, int index) {
    SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
}

// The colours and font a label's parent hands the static control when it paints.
struct LabelLook {
    COLORREF text;
    COLORREF background;
    LONG fontHeight;
};

LabelLook LookOf(HWND hDlg, int id) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageA(hDlg, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(GetDlgItem(hDlg, id))));
    LOGBRUSH logBrush{};
    GetObjectA(brush, sizeof logBrush, &logBrush);
    LOGFONTA logFont{};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof logFont, &logFont);
    const LabelLook look{GetTextColor(dc), logBrush.lbColor, logFont.lfHeight};
    DeleteDC(dc);
    return look;
}

// Pixels of the list's rows that differ from its background: its text, once painted.
int PaintedTextPixels(HWND hList) {
    RECT rc;
    GetClientRect(hList, &rc);
    const HDC dc = GetDC(hList);  // the window's common device context, released below
    const COLORREF background = GetPixel(dc, rc.right - 2, rc.bottom - 2);
    int count = 0;
    for (int y = 30; y < 90; ++y) {
        for (int x = 0; x < 120; ++x) {
            count += GetPixel(dc, x, y) != background;
        }
    }
    ReleaseDC(hList, dc);
    return count;
}

// Wine's own display on the dummy X server, with a ramp loaded into it.
TEST(MainDialog, StartsUpWithTheFirstMonitorsRampInTheListAndTheColouredLabels) {
    const GammaRamp ramp = lumatab::ThreeChannelRamp();
    ASSERT_TRUE(lumatab::LoadXRamp(ramp));
    const auto monitors = ListMonitors();
    ASSERT_GE(monitors.size(), 1u);

    CLumatabDlg dlg;
    const lumatab::RecordingSink expected = Expected(ramp);
    const INT_PTR result = RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(WindowText(hDlg), "Lumatab");
        EXPECT_NE(SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0), 0);
        EXPECT_EQ(GetFocus(), GetDlgItem(hDlg, IDCANCEL));

        const HWND hCombo = GetDlgItem(hDlg, IDC_MONITOR_COMBO);
        EXPECT_EQ(SendMessageA(hCombo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(monitors.size()));
        EXPECT_EQ(SendMessageA(hCombo, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(WindowText(hCombo), std::string(monitors[0].description));

        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        const struct {
            const char* heading;
            int width;
        } kColumns[] = {{"Index", 41}, {"R hex", 60},  {"R dec", 60},   {"R gamma", 60},
                        {"G hex", 60}, {"G dec", 60},  {"G gamma", 60}, {"B hex", 60},
                        {"B dec", 60}, {"B gamma", 60}};
        for (int column = 0; column < 10; ++column) {
            char heading[32] = {};
            LVCOLUMNA info{};
            info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
            info.pszText = heading;
            info.cchTextMax = sizeof heading;
            ASSERT_TRUE(
                SendMessageA(hList, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
            EXPECT_STREQ(heading, kColumns[column].heading);
            EXPECT_EQ(info.cx, kColumns[column].width) << heading;
            // The list view keeps its first column left-aligned whatever it is given.
            EXPECT_TRUE(column == 0 || (info.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT) << heading;
        }
        EXPECT_EQ(SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT,
                  static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
        EXPECT_EQ(ListRows(hList), expected.rows);

        const COLORREF colours[] = {RGB(250, 20, 20), RGB(20, 245, 90), RGB(36, 160, 255)};
        for (int ch = 0; ch < 3; ++ch) {
            EXPECT_EQ(WindowText(GetDlgItem(hDlg, kLabels[ch])), expected.summary[ch]);
            const LabelLook look = LookOf(hDlg, kLabels[ch]);
            EXPECT_EQ(look.text, colours[ch]);
            EXPECT_EQ(look.background, RGB(56, 56, 56));
            EXPECT_EQ(look.fontHeight, -18);
        }

        // Each refresh ends with the list redrawing again, painted and at its first row.
        Select(hDlg, 0);
        EXPECT_TRUE(IsWindowVisible(hList));
        EXPECT_EQ(SendMessageA(hList, LVM_GETTOPINDEX, 0, 0), 0);
        EXPECT_FALSE(GetUpdateRect(hList, nullptr, FALSE));
        EXPECT_GT(PaintedTextPixels(hList), 50);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(result, IDCANCEL);
}

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
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY1"], 1);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::CsvOf(display.monitors[0].ramp));

        Select(hDlg, 1);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 1);
        EXPECT_EQ(ListRows(hList), Expected(display.monitors[1].ramp).rows);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::CsvOf(display.monitors[1].ramp));

        // The same monitor chosen again is read again; no monitor at all changes nothing.
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 2);
        Select(hDlg, -1);
        PumpMessages(200);
        EXPECT_EQ(display.reads["\\\\.\\DISPLAY2"], 2);
        EXPECT_EQ(ListRows(hList), Expected(display.monitors[1].ramp).rows);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(shell.messages, (std::vector<std::string>{kExported, kExported}));
    EXPECT_EQ(watcher.m_texts.size(), 1u);  // the invalid selection
}

// A ramp that cannot be read shows nothing of the buffer: no rows, "---", no curves, and nothing
// exported, copied or saved, until a read succeeds again.
TEST(MainDialog, AnUnreadableRampShowsNoNumbersAndCannotBeExported) {
    CFakeMonitors display = TwoMonitors();
    display.monitors[1].readable = false;
    CFakeShell shell;
    TempFolder folder;
    shell.chosenPath = folder.File("unread.csv");
    CLumatabDlg dlg(nullptr, display, shell);
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        Select(hDlg, 1);
        EXPECT_EQ(ListRows(hList).size(), 0u);
        EXPECT_EQ(LabelTexts(hDlg), (std::vector<std::string>{"---", "---", "---"}));
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
        EXPECT_EQ(LabelTexts(hDlg),
                  (std::vector<std::string>(expected.summary, expected.summary + 3)));
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(shell.messages, std::vector<std::string>(4, kUnread));
}

TEST(MainDialog, WithNoMonitorItReportsOnceKeepsTheTemplateTextsAndExportsNothing) {
    CFakeMonitors display;
    CFakeShell shell;
    shell.chosenPath = "never used";
    CLumatabDlg dlg(nullptr, display, shell);
    CMessageBoxWatcher watcher;
    RunModal(dlg, [&] {
        const HWND hDlg = dlg.GetSafeHwnd();
        EXPECT_EQ(SendMessageA(GetDlgItem(hDlg, IDC_MONITOR_COMBO), CB_GETCOUNT, 0, 0), 0);
        EXPECT_EQ(SendMessageA(GetDlgItem(hDlg, IDC_RAMP_LIST), LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_EQ(LabelTexts(hDlg),
                  (std::vector<std::string>{"gamma red", "gamma green", "gamma blue"}));
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        Command(hDlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(watcher.m_texts.size(), 1u);
    EXPECT_TRUE(shell.requests.empty());
    EXPECT_EQ(shell.messages, std::vector<std::string>{kUnread});
}

TEST(MainDialog, ItsMenuCopiesReadsAgainAndSavesTheListedRamp) {
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

}  // namespace
