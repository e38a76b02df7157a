#include "framework/file_dialog.h"

#include <gtest/gtest.h>

#include "framework/exceptions.h"

#include "tests/export/modal_driver.h"
#include "tests/export/owner_window.h"
#include "tests/export/temp_folder.h"

namespace {

const char kTitle[] = "Exporting current Gammaramp";
const char kFilter[] = "Comma Separated Values (*.csv)|*.csv|";
constexpr DWORD kExportFlags = 0x88806;

std::string ControlText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// A step that records what the open dialog shows and leaves it open.
ModalStep Inspect(HWND* owner, std::string* fileName, std::string* fileType) {
    return [=]() {
        const HWND dialog = FindThreadWindow(kTitle);
        if (dialog == nullptr) {
            return false;
        }
        *owner = GetWindow(dialog, GW_OWNER);
        *fileName = ControlText(dialog, 0x480);  // edt1
        *fileType = ControlText(dialog, 0x470);  // cmb1
        return true;
    };
}

// A character the process's ANSI code page has no exact form for, or 0 if it spells them all.
wchar_t UnspellableCharacter() {
    for (const wchar_t c : {L'\x4E2D', L'\x0416', L'\x05D0', L'\x03A9'}) {
        const wchar_t text[] = {c, 0};
        BOOL usedDefault = FALSE;
        char ansi[8];
        if (GetACP() != CP_UTF8 &&
            (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, ansi, sizeof ansi, nullptr,
                                 &usedDefault) == 0 ||
             usedDefault)) {
            return c;
        }
    }
    return 0;
}

class CFileDialogTest : public testing::Test {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override { CoUninitialize(); }

    // A save dialog as the Export command builds it, starting in the test's folder.
    void Prepare(CFileDialog& dialog) {
        dialog.m_ofn.lpstrInitialDir = m_folder.path().c_str();
        dialog.m_ofn.lpstrTitle = kTitle;
    }

    OwnerWindow m_owner;
    TempFolder m_folder;
};

TEST_F(CFileDialogTest, VistaSaveDialogShowsTheRequestAndCancels) {
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", kExportFlags, kFilter, m_owner.wnd());
    Prepare(dialog);
    HWND owner = nullptr;
    std::string fileName, fileType;
    ModalDriver driver({Inspect(&owner, &fileName, &fileType), PressCancel(kTitle)});

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Finished());
    EXPECT_EQ(owner, m_owner.hwnd());
    EXPECT_EQ(fileName, "GammaRamp.csv");
    EXPECT_EQ(fileType, "Comma Separated Values (*.csv)");
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

TEST_F(CFileDialogTest, VistaSaveDialogGivesTheTypedNameInTheInitialFolder) {
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", kExportFlags, kFilter, m_owner.wnd());
    Prepare(dialog);
    ModalDriver driver({EnterFileName(kTitle, L"exported")});

    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finished());
    EXPECT_STRCASEEQ(dialog.GetPathName(), m_folder.File("exported.csv").c_str());
}

TEST_F(CFileDialogTest, VistaSaveDialogAsksBeforeReplacingAFile) {
    WriteFileBytes(m_folder.File("GammaRamp.csv"), "old");
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", kExportFlags, kFilter, m_owner.wnd());
    Prepare(dialog);
    std::string prompt;
    HWND promptOwner = nullptr;
    ModalDriver driver({EnterFileName(kTitle, L"GammaRamp.csv"),
                        AnswerMessageBox(kTitle, IDYES, &prompt, &promptOwner)});

    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finished());
    EXPECT_NE(prompt.find("replace"), std::string::npos) << prompt;
    EXPECT_STRCASEEQ(dialog.GetPathName(), m_folder.File("GammaRamp.csv").c_str());
}

TEST_F(CFileDialogTest, PathWithoutAnAnsiFormIsRefusedNotRenamed) {
    const wchar_t c = UnspellableCharacter();
    if (c == 0) {
        GTEST_SKIP() << "the ANSI code page spells every character";
    }
    const std::wstring name = std::wstring(L"ramp") + c + L".csv";
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", kExportFlags, kFilter, m_owner.wnd());
    Prepare(dialog);
    std::string message;
    HWND messageOwner = nullptr;
    ModalDriver driver(
        {EnterFileName(kTitle, name), AnswerMessageBox(static_cast<const char*>(AfxGetAppName()),
                                                       IDOK, &message, &messageOwner)});

    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(driver.Finished());
    EXPECT_NE(message.find("cannot use"), std::string::npos) << message;
    EXPECT_EQ(messageOwner, m_owner.hwnd());
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

TEST_F(CFileDialogTest, ClassicSaveDialogCancelsAndGivesTheTypedName) {
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", kExportFlags, kFilter, m_owner.wnd(), 0,
                       FALSE);
    Prepare(dialog);
    {
        ModalDriver driver({PressCancel(kTitle)});
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_TRUE(driver.Finished());
        EXPECT_TRUE(dialog.GetPathName().IsEmpty());
    }
    ModalDriver driver({EnterFileName(kTitle, L"classic")});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(driver.Finished());
    EXPECT_STRCASEEQ(dialog.GetPathName(), m_folder.File("classic.csv").c_str());
}

}  // namespace
