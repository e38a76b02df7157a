// Message maps, reflection, exception reporting, data exchange and the default buttons, on a
// real modal dialog.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "framework/exceptions.h"
#include "tests/framework/test_dialogs.h"
#include "tests/framework/ui_test_support.h"

namespace {

// A static control that answers its parent's WM_CTLCOLOR* itself.
class CReflectingStatic : public CStatic {
public:
    HBRUSH m_hBrush = nullptr;  // not owned; null leaves the message to the parent
    std::vector<UINT> m_kinds;  // nCtlColor of every reflected message
    bool m_bThrow = false;

protected:
    // The parent's control-colour message, reflected.
    HBRUSH CtlColor(CDC*, UINT nCtlColor) {
        m_kinds.push_back(nCtlColor);
        if (m_bThrow) {
            throw std::runtime_error("no colour today");
        }
        return m_hBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CBaseTestDlg : public CDialog {
public:
    CBaseTestDlg() : CDialog(IDD_FW_TEST) {}
    std::vector<std::string> m_calls;

protected:
    // Apply: only this class handles it.
    void OnApply() { m_calls.push_back("base apply"); }
    // Combo selection: hidden by the derived class's entry.
    void OnSelChange() { m_calls.push_back("base selchange"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTestDlg, CDialog)
ON_BN_CLICKED(IDC_FW_APPLY, &CBaseTestDlg::OnApply)
ON_CBN_SELCHANGE(IDC_FW_COMBO, &CBaseTestDlg::OnSelChange)
END_MESSAGE_MAP()

class CTestDlg : public CBaseTestDlg {
public:
    CReflectingStatic m_text;
    CStatic m_plain;
    CComboBox m_combo;
    CListCtrl m_list;

    std::vector<BOOL> m_exchanges;        // m_bSaveAndValidate of each DoDataExchange
    bool m_bFailSave = false;             // DoDataExchange throws when saving
    int m_nMissingControl = 0;            // bound as well when not 0
    std::function<void()> m_throwing;     // what the Throw button runs
    std::function<void()> m_initFailure;  // run at the end of OnInitDialog
    bool m_bInitFinished = false;
    int m_nPaints = 0;
    HICON m_hDragIcon = LoadIcon(nullptr, IDI_APPLICATION);  // shared: not destroyed

protected:
    BOOL OnInitDialog() override {
        CBaseTestDlg::OnInitDialog();
        if (m_initFailure) {
            m_initFailure();
        }
        m_bInitFinished = true;
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        m_exchanges.push_back(pDX->m_bSaveAndValidate);
        DDX_Control(pDX, IDC_FW_COMBO, m_combo);
        DDX_Control(pDX, IDC_FW_TEXT, m_text);
        DDX_Control(pDX, IDC_FW_PLAIN, m_plain);
        DDX_Control(pDX, IDC_FW_LIST, m_list);
        if (m_nMissingControl != 0) {
            DDX_Control(pDX, m_nMissingControl, m_missing);
        }
        if (m_bFailSave && pDX->m_bSaveAndValidate) {
            throw std::invalid_argument("the value does not fit");
        }
    }
    // Combo selection, found before the base class's entry.
    void OnComboChanged() { m_calls.push_back("selchange " + std::to_string(m_combo.GetCurSel())); }
    // Throw: runs the test's failure.
    void OnThrow() { m_throwing(); }
    // Paint: counted, then left to the default painting.
    void OnPaint() {
        ++m_nPaints;
        CBaseTestDlg::OnPaint();
    }
    // Dragging the minimised dialog.
    HCURSOR OnQueryDragIcon() { return m_hDragIcon; }
    DECLARE_MESSAGE_MAP()

private:
    CStatic m_missing;
};

BEGIN_MESSAGE_MAP(CTestDlg, CBaseTestDlg)
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_CBN_SELCHANGE(IDC_FW_COMBO, &CTestDlg::OnComboChanged)
ON_BN_CLICKED(IDC_FW_THROW, &CTestDlg::OnThrow)
END_MESSAGE_MAP()

HWND Item(const CWnd& dlg, int nID) {
    return GetDlgItem(dlg.m_hWnd, nID);
}

void Click(const CWnd& dlg, int nID) {
    SendMessageA(Item(dlg, nID), BM_CLICK, 0, 0);
}

LRESULT Command(const CWnd& dlg, int nID, int nCode) {
    return SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(nID, nCode),
                        reinterpret_cast<LPARAM>(Item(dlg, nID)));
}

HBRUSH CtlColor(const CWnd& dlg, UINT message, HWND hChild) {
    HDC hDC = GetDC(dlg.m_hWnd);
    const LRESULT hBrush =
        dlg.SendMessage(message, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(hChild));
    ReleaseDC(dlg.m_hWnd, hDC);
    return reinterpret_cast<HBRUSH>(hBrush);
}

}  // namespace

TEST(MessageMap, RoutesCommandsByControlAndCodeThroughTheBaseMaps) {
    CTestDlg dlg;
    const INT_PTR result = RunModal(dlg, [&] {
        dlg.m_combo.InsertString(-1, "first");
        dlg.m_combo.InsertString(-1, "second");
        dlg.m_combo.SetCurSel(0);
        // The combo box notifies its parent of a selection made with the keyboard.
        SendMessageA(dlg.m_combo.m_hWnd, WM_KEYDOWN, VK_DOWN, 0);
        Click(dlg, IDC_FW_APPLY);
        // Right control, wrong code, and the reverse: neither matches an entry.
        Command(dlg, IDC_FW_COMBO, BN_CLICKED);
        Command(dlg, IDC_FW_APPLY, CBN_SELCHANGE);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_calls, (std::vector<std::string>{"selchange 1", "base apply"}));
}

TEST(MessageMap, PaintAndDragIconEntriesReachTheirHandlers) {
    CTestDlg dlg;
    RunModal(dlg, [&] {
        const int nBefore = dlg.m_nPaints;
        InvalidateRect(dlg.m_hWnd, nullptr, TRUE);
        UpdateWindow(dlg.m_hWnd);
        EXPECT_EQ(dlg.m_nPaints, nBefore + 1);
        // The default painting validated the window.
        EXPECT_FALSE(GetUpdateRect(dlg.m_hWnd, nullptr, FALSE));
        EXPECT_EQ(dlg.SendMessage(WM_QUERYDRAGICON), reinterpret_cast<LRESULT>(dlg.m_hDragIcon));
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(Reflection, TheChildsBrushAnswersItsParentsCtlColor) {
    CTestDlg dlg;
    HBRUSH hBrush = CreateSolidBrush(RGB(1, 2, 3));
    dlg.m_text.m_hBrush = hBrush;
    RunModal(dlg, [&] {
        const HWND hText = Item(dlg, IDC_FW_TEXT);
        dlg.m_text.m_kinds.clear();
        EXPECT_EQ(CtlColor(dlg, WM_CTLCOLORSTATIC, hText), hBrush);
        EXPECT_EQ(CtlColor(dlg, WM_CTLCOLORBTN, hText), hBrush);
        EXPECT_EQ(CtlColor(dlg, WM_CTLCOLOREDIT, hText), hBrush);
        EXPECT_EQ(dlg.m_text.m_kinds,
                  (std::vector<UINT>{CTLCOLOR_STATIC, CTLCOLOR_BTN, CTLCOLOR_EDIT}));

        // A control without the entry, or one whose handler declines, gets the parent's answer.
        const HBRUSH hDefault = CtlColor(dlg, WM_CTLCOLORSTATIC, Item(dlg, IDC_FW_PLAIN));
        EXPECT_NE(hDefault, nullptr);
        EXPECT_NE(hDefault, hBrush);
        dlg.m_text.m_hBrush = nullptr;
        EXPECT_EQ(CtlColor(dlg, WM_CTLCOLORSTATIC, hText), hDefault);
        dlg.m_text.m_hBrush = hBrush;

        // The control's own painting asks its parent, which reflects the question.
        dlg.m_text.m_kinds.clear();
        dlg.m_text.RedrawWindow();
        EXPECT_EQ(dlg.m_text.m_kinds, (std::vector<UINT>{CTLCOLOR_STATIC}));
        dlg.EndDialog(IDCANCEL);
    });
    DeleteObject(hBrush);
}

TEST(HandlerExceptions, EachIsShownOnceAndTheDialogRunsOn) {
    CMessageBoxWatcher watcher;
    CTestDlg dlg;
    const INT_PTR result = RunModal(dlg, [&] {
        dlg.m_throwing = [] { AfxThrowInvalidArgException(); };
        Click(dlg, IDC_FW_THROW);
        PumpMessages(150);
        ASSERT_EQ(watcher.m_texts.size(), 1u);
        EXPECT_EQ(watcher.m_texts[0], std::string(CInvalidArgException().GetErrorMessage()));

        dlg.m_throwing = [] { throw std::runtime_error("the disk is on fire"); };
        Click(dlg, IDC_FW_THROW);
        PumpMessages(150);
        ASSERT_EQ(watcher.m_texts.size(), 2u);
        EXPECT_NE(watcher.m_texts[1].find("the disk is on fire"), std::string::npos);

        // The reflected handler of a child is guarded too; the parent then answers as usual.
        dlg.m_text.m_bThrow = true;
        EXPECT_NE(CtlColor(dlg, WM_CTLCOLORSTATIC, Item(dlg, IDC_FW_TEXT)), nullptr);
        dlg.m_text.m_bThrow = false;
        PumpMessages(150);
        ASSERT_EQ(watcher.m_texts.size(), 3u);
        EXPECT_NE(watcher.m_texts[2].find("no colour today"), std::string::npos);

        // Still running: the next command is handled.
        Click(dlg, IDC_FW_APPLY);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_calls, std::vector<std::string>{"base apply"});
}

TEST(HandlerExceptions, AFailedInitDialogStopsThereAndTheDialogRuns) {
    CMessageBoxWatcher watcher;
    CTestDlg dlg;
    dlg.m_initFailure = [] { AfxThrowInvalidArgException(); };
    const INT_PTR result = RunModal(dlg, [&] {
        EXPECT_EQ(watcher.m_texts.size(), 1u);
        EXPECT_FALSE(dlg.m_bInitFinished);
        // TRUE was returned: the system put the focus on the first tab stop.
        EXPECT_EQ(GetFocus(), Item(dlg, IDC_FW_COMBO));
        Click(dlg, IDC_FW_APPLY);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_calls, std::vector<std::string>{"base apply"});
    EXPECT_EQ(watcher.m_texts.size(), 1u);
}

TEST(DataExchange, DDXControlAttachesEachControlOnce) {
    CTestDlg dlg;
    HWND hCombo = nullptr;
    RunModal(dlg, [&] {
        hCombo = Item(dlg, IDC_FW_COMBO);
        EXPECT_EQ(CWnd::FromHandlePermanent(hCombo), &dlg.m_combo);
        EXPECT_EQ(dlg.m_combo.m_hWnd, hCombo);
        EXPECT_EQ(CWnd::FromHandlePermanent(dlg.m_hWnd), &dlg);
        const LONG_PTR procBefore = GetWindowLongPtrA(hCombo, GWLP_WNDPROC);
        EXPECT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(GetWindowLongPtrA(hCombo, GWLP_WNDPROC), procBefore);
        EXPECT_EQ(CWnd::FromHandlePermanent(hCombo), &dlg.m_combo);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(dlg.m_exchanges, (std::vector<BOOL>{FALSE, TRUE, FALSE}));
    // The destroyed windows were forgotten.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_combo.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hCombo), nullptr);
}

TEST(DataExchange, AMissingControlFailsTheExchangeWithOneMessage) {
    CMessageBoxWatcher watcher;
    CTestDlg dlg;
    RunModal(dlg, [&] {
        dlg.m_nMissingControl = 4242;
        EXPECT_FALSE(dlg.UpdateData(FALSE));
        EXPECT_EQ(watcher.m_texts,
                  std::vector<std::string>{std::string(CInvalidArgException().GetErrorMessage())});
        dlg.EndDialog(IDCANCEL);
    });
}

TEST(DefaultButtons, OKSavesTheDataAndEndsWithIDOK) {
    CTestDlg dlg;
    EXPECT_EQ(RunModal(dlg, [&] { Click(dlg, IDOK); }), IDOK);
    EXPECT_EQ(dlg.m_exchanges, (std::vector<BOOL>{FALSE, TRUE}));
}

TEST(DefaultButtons, CancelTheCloseBoxAndEscapeEndWithIDCANCELWithoutSaving) {
    CTestDlg byButton;
    EXPECT_EQ(RunModal(byButton, [&] { Click(byButton, IDCANCEL); }), IDCANCEL);
    EXPECT_EQ(byButton.m_exchanges, std::vector<BOOL>{FALSE});

    CTestDlg byClose;
    EXPECT_EQ(RunModal(byClose, [&] { byClose.SendMessage(WM_CLOSE); }), IDCANCEL);

    CTestDlg byEscape;
    EXPECT_EQ(RunModal(byEscape, [&] { PostMessageA(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }),
              IDCANCEL);
}

TEST(DefaultButtons, AFailedSaveKeepsTheDialogOpen) {
    CMessageBoxWatcher watcher;
    CTestDlg dlg;
    dlg.m_bFailSave = true;
    const INT_PTR result = RunModal(dlg, [&] {
        Click(dlg, IDOK);
        EXPECT_TRUE(IsWindow(dlg.m_hWnd));
        ASSERT_EQ(watcher.m_texts.size(), 1u);
        EXPECT_NE(watcher.m_texts[0].find("the value does not fit"), std::string::npos);
        Click(dlg, IDCANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
}
