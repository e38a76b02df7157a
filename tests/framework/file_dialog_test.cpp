#include "framework/file_dialog.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <functional>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/ui_driver.h"

namespace {

const char kTitle[] = "Lumatab dialog under test";

// Types `name` into the dialog's file name box and presses its OK button.
std::function<void(HWND)> Choose(const wchar_t* name) {
    return [name](HWND window) {
        // The name box: edt1 in the newer dialog, cmb13 in the classic one.
        SetWindowTextW(GetDlgItem(window, 0x480), name);
        SetWindowTextW(GetDlgItem(window, 0x47C), name);
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    };
}

class CFileDialogTest : public testing::Test {
protected:
    CFileDialogTest() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    ~CFileDialogTest() override { CoUninitialize(); }

    // Shows the save dialog; the actions queued with OnNextWindow answer it.
    CFileDialog::Outcome Run() {
        // No file types, whose pattern Wine would append instead of the default extension.
        CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", OFN_OVERWRITEPROMPT, "", nullptr);
        dialog.m_ofn.lpstrInitialDir = m_folder.path().c_str();
        dialog.m_ofn.lpstrTitle = kTitle;
        const CFileDialog::Outcome result = dialog.DoModal();
        EXPECT_EQ(PendingWindowActions(), 0u);
        m_path = std::string(dialog.GetPathName());
        return result;
    }

    TempFolder m_folder;
    std::string m_path;
};

TEST_F(CFileDialogTest, CancelGivesNoPathAndATypedNameGetsTheDefaultExtension) {
    OnNextWindow(Titled(kTitle),
                 [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); });
    EXPECT_EQ(Run(), CFileDialog::Outcome::Cancelled);
    EXPECT_EQ(m_path, "");
    OnNextWindow(Titled(kTitle), Choose(L"exported"));
    EXPECT_EQ(Run(), CFileDialog::Outcome::Chosen);
    EXPECT_STRCASEEQ(m_path.c_str(), m_folder.File("exported.csv").c_str());
}

// A newer dialog that fails (other than by the user's cancel) is not a cancel: the classic
// dialog stands in for it.
TEST_F(CFileDialogTest, TheClassicDialogStandsInForANewerOneThatFails) {
    OnNextWindow(Titled(kTitle), [](HWND window) { EndDialog(window, E_FAIL); });
    OnNextWindow(Titled(kTitle), Choose(L"classic.csv"));
    EXPECT_EQ(Run(), CFileDialog::Outcome::Chosen);
    EXPECT_STRCASEEQ(m_path.c_str(), m_folder.File("classic.csv").c_str());
}

// A name the ANSI code page cannot spell must not become another file's name: the caller is told,
// with the name as the code page shows it.
TEST_F(CFileDialogTest, ANameWithoutAnAnsiFormIsNotChosen) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "the ANSI code page spells every name";
    }
    OnNextWindow(Titled(kTitle), Choose(L"ramp\x4E2D\x0416.csv"));
    EXPECT_EQ(Run(), CFileDialog::Outcome::NameNotInCodePage);
    EXPECT_NE(m_path.find("\\ramp??.csv"), std::string::npos) << m_path;
}

}  // namespace
