// The main dialog run modally in this process and driven from inside its own message loop, on
// fake monitors (two different ramps, an unreadable one, none selected) and a fake shell; its
// failures are the layer's real boxes. The real display is read by the command-line and
// end-to-end tests.
#include "ui/main_dialog.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/core/golden.h"
#include "tests/support/fake_platform.h"
#include "tests/support/fake_shell.h"
#include "tests/support/recording_sink.h"
#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"

namespace {

using Texts = std::vector<std::string>;

// What the list and the labels should show for a ramp: the core's rows and summaries of it.
lumatab::RecordingSink Expected(const lumatab::GammaRamp& ramp) {
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

// Whether the list's context menu, opened as the keyboard does, offers "Show curves...".
bool OffersCurves(HWND hDlg) {
    bool offered = false;
    OnNextWindow([](HWND hWnd) { return GetClassLongA(hWnd, GCW_ATOM) == 32768; },
                 [&offered](HWND hMenuWindow) {
                     const auto hMenu =
                         reinterpret_cast<HMENU>(SendMessageA(hMenuWindow, MN_GETHMENU, 0, 0));
                     offered = !(GetMenuState(hMenu, ID_SHOW_CURVES, MF_BYCOMMAND) & MF_GRAYED);
                     EndMenu();
                 });
    SendMessageA(hDlg, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(GetDlgItem(hDlg, IDC_RAMP_LIST)),
                 MAKELPARAM(-1, -1));
    return offered;
}

// The dialog on the two fake monitors and the fake shell, or on what a test gives it; each test's
// script runs inside its message loop, and the dialog is closed after it.
class MainDialog : public testing::Test {
protected:
    void Run(const std::function<void(HWND)>& script) {
        CLumatabDlg dlg(nullptr, fake.platform, shell);
        EXPECT_EQ(RunModal(dlg,
                           [&] {
                               script(dlg.GetSafeHwnd());
                               Command(dlg.GetSafeHwnd(), IDCANCEL, BN_CLICKED);
                           }),
                  IDCANCEL);
        EXPECT_EQ(PendingWindowActions(), 0u);  // every box awaited came
    }

    CFakePlatform fake;
    CFakeShell shell;
    TempFolder folder;
};

TEST_F(MainDialog, StartsUpWithTheFirstMonitorsRampInTheListAndTheColouredLabels) {
    fake.display.monitors[0].ramp = lumatab::ThreeChannelRamp();
    const lumatab::RecordingSink expected = Expected(lumatab::ThreeChannelRamp());
    Run([&](HWND hDlg) {
        EXPECT_NE(SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0), 0);
        // The list's order, not the combo box's sorting: position k is monitor k.
        EXPECT_EQ(WindowText(GetDlgItem(hDlg, IDC_MONITOR_COMBO)), "Same Model");

        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        for (int column = 0; column < lumatab::kRampColumnCount; ++column) {
            LVCOLUMNA info{};
            info.mask = LVCF_FMT;
            SendMessageA(hList, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
            EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT) << column;
        }
        EXPECT_TRUE(SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
        EXPECT_EQ(ListRows(hList), expected.rows);
        EXPECT_EQ(LabelTexts(hDlg), Texts(expected.summary, expected.summary + 3));
        // Each refresh ends with the list redrawing again, painted and at its first row.
        Select(hDlg, 0);
        EXPECT_TRUE(IsWindowVisible(hList));
        EXPECT_EQ(SendMessageA(hList, LVM_GETTOPINDEX, 0, 0), 0);
        EXPECT_FALSE(GetUpdateRect(hList, nullptr, FALSE));
    });
}

// Every selection reads its monitor again, also the same one; Export writes what is listed; a
// selection of no monitor is reported and changes nothing.
TEST_F(MainDialog, EverySelectionReReadsAndExportsTheMonitorShown) {
    Texts boxes;
    shell.chosenPath = folder.File("ramp.csv");
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        Select(hDlg, 1);
        EXPECT_EQ(ListRows(hList), Expected(fake.display.monitors[1].ramp).rows);
        Command(hDlg, IDC_EXPORT, BN_CLICKED);
        // Green's entry 77 on the second monitor: (255 - 77) * 257.
        EXPECT_NE(ReadFileBytes(shell.chosenPath).find(",45746,"), std::string::npos);
        Command(hDlg, IDC_MONITOR_COMBO, CBN_SELCHANGE);
        SendMessageA(hDlg, WM_COMMAND, ID_READ_AGAIN, 0);
        // F5 typed into the monitor box's edit field belongs to the field: no read.
        SetFocus(GetWindow(GetDlgItem(hDlg, IDC_MONITOR_COMBO), GW_CHILD));
        PostMessageA(GetFocus(), WM_KEYDOWN, VK_F5, 0);
        PumpMessages(100);
        AnswerMessageBox(boxes);
        Select(hDlg, -1);
        PumpMessages(200);
        EXPECT_EQ(ListRows(hList), Expected(fake.display.monitors[1].ramp).rows);
    });
    EXPECT_EQ(fake.display.reads,
              (std::map<std::string, int>{{"\\\\.\\DISPLAY1", 1}, {"\\\\.\\DISPLAY2", 3}}));
    EXPECT_EQ(shell.messages, Texts{"The list has been succesfully exported.|64|(none)"});
    EXPECT_EQ(boxes.size(), 1u);
}

// A ramp that cannot be read shows nothing of the buffer: no rows, "---", no curves, and nothing
// exported, copied or saved, until a read succeeds again. Each time the user is told why, in a
// box owned by the dialog, which waits disabled: F5 pressed again and again cannot pile them up.
TEST_F(MainDialog, AnUnreadableRampShowsNoNumbersAndCannotBeExported) {
    fake.display.monitors[0].readable = false;
    Texts boxes;
    AnswerMessageBox(boxes);  // at start-up
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_EQ(ListRows(hList).size(), 0u);
        EXPECT_EQ(LabelTexts(hDlg), (Texts{"---", "---", "---"}));
        EXPECT_FALSE(OffersCurves(hDlg));
        OpenClipboard(nullptr);
        EmptyClipboard();
        CloseClipboard();
        for (const int command : {IDC_EXPORT, ID_COPY_TABLE, ID_SAVE_CALIBRATION}) {
            AnswerMessageBox(boxes);
            SendMessageA(hDlg, WM_COMMAND, command, 0);
        }
        EXPECT_TRUE(shell.requests.empty());
        EXPECT_EQ(ClipboardText(), "");
        Select(hDlg, 1);
        const lumatab::RecordingSink expected = Expected(fake.display.monitors[1].ramp);
        EXPECT_EQ(ListRows(hList), expected.rows);
        EXPECT_EQ(LabelTexts(hDlg), Texts(expected.summary, expected.summary + 3));
    });
    EXPECT_EQ(boxes, Texts(4,
                           "Cannot read the gamma ramp of monitor 0 (\\\\.\\DISPLAY1)."
                           "|lumatab_ui_tests|Lumatab (disabled)"));
}

// The context menu, Save as .cal and Copy table on the listed ramp; F5 (through the dialog's
// message loop, as a key the user pressed) reads a ramp another program changed.
TEST_F(MainDialog, ItsMenuSavesCopiesAndReadsAgainTheListedRamp) {
    fake.display.monitors[0].ramp = lumatab::IdentityRamp();
    shell.chosenPath = folder.File("ramp.cal");
    Run([&](HWND hDlg) {
        const HWND hList = GetDlgItem(hDlg, IDC_RAMP_LIST);
        EXPECT_TRUE(OffersCurves(hDlg));
        SendMessageA(hDlg, WM_COMMAND, ID_SAVE_CALIBRATION, 0);
        EXPECT_EQ(ReadFileBytes(shell.chosenPath), lumatab::Golden("identity.cal"));
        EXPECT_EQ(shell.messages,
                  Texts{"The gamma ramp has been saved as a calibration file.|64|Lumatab"});
        EXPECT_EQ(std::string(shell.requests.at(0).m_strTitle),
                  "Saving current Gammaramp as calibration");

        fake.display.monitors[0].ramp = lumatab::ThreeChannelRamp();
        SetFocus(hList);
        PostMessageA(hList, WM_KEYDOWN, VK_F5, 0);
        PumpMessages(100);
        EXPECT_EQ(ListRows(hList)[77][5], "45746 ");  // green falls: (255 - 77) * 257

        // Changed again before the curves window opens: it says so, and the list follows.
        fake.display.monitors[0].ramp = lumatab::CalibrationRamp();
        fake.clock.now.wSecond = 9;
        std::string notice;
        OnNextWindow(Titled("Gamma ramp curves"), [&notice](HWND hCurves) {
            notice = WindowText(GetDlgItem(hCurves, IDC_RAMP_CHANGED));
            PostMessageA(hCurves, WM_COMMAND, IDCANCEL, 0);
        });
        SendMessageA(hDlg, WM_COMMAND, ID_SHOW_CURVES, 0);
        EXPECT_EQ(notice,
                  "The ramp changed since the list was read at 17:30:04; the list now shows it "
                  "too.");
        EXPECT_EQ(ListRows(hList), Expected(lumatab::CalibrationRamp()).rows);

        SendMessageA(hDlg, WM_COMMAND, ID_COPY_TABLE, 0);
        std::string listed =
            "Index\tR hex\tR dec\tR gamma\tG hex\tG dec\tG gamma\tB hex\tB dec\tB gamma";
        for (const Texts& row : ListRows(hList)) {
            for (std::size_t column = 0; column < row.size(); ++column) {
                listed += (column == 0 ? "\r\n" : "\t") + row[column];
            }
        }
        EXPECT_EQ(ClipboardText(), listed);
    });
}

}  // namespace
