// Message maps, exception reports, data exchange and default buttons on a real dialog.
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

class CTestDlg : public CDialog {
public:
    CTestDlg() : CDialog(IDD_FW_TEST) {}
    CComboBox m_combo;
    bool m_bBindMissing = false;      // also binds a control the template lacks
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
        DDX_Control(pDX, IDC_FW_COMBO, m_combo);
        if (m_bBindMissing) {
            CStatic missing;
            DDX_Control(pDX, 4242, missing);
        }
    }
    // Throw: runs the test's failure.
    void OnThrow() { m_failure(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDlg, CDialog)  // IDOK and IDCANCEL are left to the base class's map
ON_BN_CLICKED(IDC_FW_THROW, &CTestDlg::OnThrow)
END_MESSAGE_MAP()

}  // namespace

TEST(Dialog, FailuresAreShownOnceTheDialogRunsOnAndOKEndsIt) {
    std::vector<std::string> boxes;
    AnswerMessageBox(boxes);  // OnInitDialog's failure
    CTestDlg dlg;
    dlg.m_failure = [] { AfxThrowInvalidArgException(); };
    HWND hCombo = nullptr;
    const INT_PTR result = RunModal(dlg, [&] {
        // OnInitDialog's failure was shown; the dialog runs on.
        hCombo = GetDlgItem(dlg.m_hWnd, IDC_FW_COMBO);
        dlg.m_failure = [] { throw std::runtime_error("the disk is on fire"); };
        AnswerMessageBox(boxes);
        Command(dlg.m_hWnd, IDC_FW_THROW, BN_CLICKED);
        // A failed save keeps the dialog open: EndDialog would have hidden it.
        dlg.m_bBindMissing = true;
        AnswerMessageBox(boxes);
        Command(dlg.m_hWnd, IDOK, BN_CLICKED);
        EXPECT_TRUE(IsWindowVisible(dlg.m_hWnd));
        dlg.m_bBindMissing = false;
        Command(dlg.m_hWnd, IDOK, BN_CLICKED);
    });
    EXPECT_EQ(result, IDOK);
    // Captioned with the program's name, without its extension.
    const std::string invalidArg =
        std::string(CInvalidArgException().GetErrorMessage()) + "|lumatab_framework_tests|";
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].substr(0, invalidArg.size()), invalidArg);
    EXPECT_NE(boxes[1].find("the disk is on fire"), std::string::npos);
    // The destroyed windows were forgotten.
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_combo.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(hCombo), nullptr);
}
