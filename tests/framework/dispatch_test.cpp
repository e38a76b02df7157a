// Message maps, reflection, exception reports, data exchange and default buttons on a real dialog.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls.h"
#include "framework/exceptions.h"
#include "tests/framework/test_dialogs.h"
#include "tests/support/ui_driver.h"

namespace {

// A static control that answers its parent's WM_CTLCOLOR* itself.
class CReflectingStatic : public CStatic {
public:
    HBRUSH m_hBrush = nullptr;  // not owned; null leaves the message to the parent

protected:
    // The parent's control-colour message, reflected.
    HBRUSH CtlColor(CDC*, UINT) { return m_hBrush; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_FW_TEST) {}
    CReflectingStatic m_text;
    CComboBox m_combo;
    bool m_bBindMissing = false;    // also binds a control the template lacks
    std::vector<BOOL> m_exchanges;  // m_bSaveAndValidate of each DoDataExchange
    int m_nSelChanges = 0;
    std::function<void()> m_failure;  // run by OnInitDialog (if set then) and the Throw button

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_failure) {
            m_failure();
        }
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        m_exchanges.push_back(pDX->m_bSaveAndValidate);
        DDX_Control(pDX, IDC_FW_COMBO, m_combo);
        DDX_Control(pDX, IDC_FW_TEXT, m_text);
        if (m_bBindMissing) {
            CStatic missing;
            DDX_Control(pDX, 4242, missing);
        }
    }
    // Combo selection: counted.
    void OnSelChange() { ++m_nSelChanges; }
    // Throw: runs the test's failure.
    void OnThrow() { m_failure(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)  // IDOK and IDCANCEL are left to the base class's map
ON_CBN_SELCHANGE(IDC_FW_COMBO, &CTestDlg::OnSelChange)
ON_BN_CLICKED(IDC_FW_THROW, &CTestDlg::OnThrow)
END_MESSAGE_MAP()

// Control `nID` tells the dialog `nCode`.
void Notify(const CWnd& dlg, int nID, int nCode) {
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(nID, nCode),
                    reinterpret_cast<LPARAM>(GetDlgItem(dlg.m_hWnd, nID)));
}

// The dialog's answer to a WM_CTLCOLORSTATIC about `child` (choosing a brush needs no DC).
HBRUSH CtlColor(const CWnd& dlg, const CWnd& child) {
    return reinterpret_cast<HBRUSH>(
        dlg.SendMessage(WM_CTLCOLORSTATIC, 0, reinterpret_cast<LPARAM>(child.m_hWnd)));
}

}  // namespace

TEST(MessageMap, RoutesByControlAndCodeAndReflectsCtlColorToTheChild) {
    CTestDlg dlg;
    const HBRUSH hBrush = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));  // stock: not deleted
    dlg.m_text.m_hBrush = hBrush;
    const INT_PTR result = RunModal(dlg, [&] {
        dlg.m_failure = [] { ADD_FAILURE() << "the Throw button's entry answered"; };
        Notify(dlg, IDC_FW_COMBO, CBN_SELCHANGE);
        // Right control, wrong code, and the reverse: neither matches an entry.
        Notify(dlg, IDC_FW_COMBO, BN_CLICKED);
        Notify(dlg, IDC_FW_TEXT, CBN_SELCHANGE);

        EXPECT_EQ(CtlColor(dlg, dlg.m_text), hBrush);
        // A control without the entry, or whose handler declines, gets the dialog's answer.
        const HBRUSH hDefault = CtlColor(dlg, dlg.m_combo);
        EXPECT_NE(hDefault, hBrush);
        dlg.m_text.m_hBrush = nullptr;
        EXPECT_EQ(CtlColor(dlg, dlg.m_text), hDefault);
        Notify(dlg, IDCANCEL, BN_CLICKED);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dlg.m_nSelChanges, 1);
    EXPECT_EQ(dlg.m_exchanges, std::vector<BOOL>{FALSE});  // Cancel saved nothing
}

TEST(Dialog, FailuresAreShownOnceTheDialogRunsOnAndOKEndsIt) {
    CMessageBoxWatcher watcher;
    CTestDlg dlg;
    dlg.m_failure = [] { AfxThrowInvalidArgException(); };
    HWND hCombo = nullptr;
    const INT_PTR result = RunModal(dlg, [&] {
        // OnInitDialog's failure was shown; the dialog runs on.
        hCombo = GetDlgItem(dlg.m_hWnd, IDC_FW_COMBO);
        dlg.m_failure = [] { throw std::runtime_error("the disk is on fire"); };
        Notify(dlg, IDC_FW_THROW, BN_CLICKED);
        // A failed save keeps the dialog open: EndDialog would have hidden it.
        dlg.m_bBindMissing = true;
        Notify(dlg, IDOK, BN_CLICKED);
        EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
        dlg.m_bBindMissing = false;
        Notify(dlg, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(result, IDOK);
    // Each control was attached once: the later exchanges, the last one saving, did not fail.
    EXPECT_EQ(dlg.m_exchanges, (std::vector<BOOL>{FALSE, TRUE, TRUE}));
    const std::string invalidArg(CInvalidArgException().GetErrorMessage());
    ASSERT_EQ(watcher.m_texts.size(), 3u);
    EXPECT_EQ(watcher.m_texts[0], invalidArg);
    EXPECT_NE(watcher.m_texts[1].find("the disk is on fire"), std::string::npos);
    EXPECT_EQ(watcher.m_texts[2], invalidArg);
    // The destroyed windows were forgotten.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_combo.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hCombo), nullptr);
}
