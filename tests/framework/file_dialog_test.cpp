#include "framework/file_dialog.h"

#include <gtest/gtest.h>
#include <objbase.h>

#include <deque>
#include <functional>
#include <string>

#include "framework/exceptions.h"
#include "tests/support/temp_folder.h"

namespace {

const char kTitle[] = "Lumatab dialog under test";
// The actions still to come, each on the next visible window of this thread with its caption.
std::deque<std::pair<std::string, std::function<void(HWND)>>> g_steps;
int g_ticksLeft = 0;

// Runs from a thread timer, which modal loops dispatch; gives up by cancelling after 20 s (far
// longer than a dialog needs to appear under Wine), so a test fails instead of hanging.
void CALLBACK RunNextStep(HWND, UINT, UINT_PTR, DWORD) {
    if (g_steps.empty()) {
        return;
    }
    if (--g_ticksLeft < 0) {
        PostMessageA(GetActiveWindow(), WM_COMMAND, IDCANCEL, 0);
        return;
    }
    const HWND window = FindWindowA(nullptr, g_steps.front().first.c_str());
    if (window != nullptr && IsWindowVisible(window) &&
        GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
        const auto act = std::move(g_steps.front().second);
        g_steps.pop_front();
        act(window);
    }
}

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

    // Shows the save dialog with `steps` to run on the windows that come up.
    INT_PTR Run(std::deque<std::pair<std::string, std::function<void(HWND)>>> steps) {
        // No file types, whose pattern Wine would append instead of the default extension.
        CFileDialog dialog(FALSE, "csv", "GammaRamp.csv", OFN_OVERWRITEPROMPT, "", nullptr);
        dialog.m_ofn.lpstrInitialDir = m_folder.path().c_str();
        dialog.m_ofn.lpstrTitle = kTitle;
        g_steps = std::move(steps);
        g_ticksLeft = 200;
        const UINT_PTR timer = SetTimer(nullptr, 0, 100, &RunNextStep);
        const INT_PTR result = dialog.DoModal();
        KillTimer(nullptr, timer);
        EXPECT_TRUE(g_steps.empty()) << g_steps.size() << " steps did not run";
        m_path = std::string(dialog.GetPathName());
        return result;
    }

    TempFolder m_folder;
    std::string m_path;
};

TEST_F(CFileDialogTest, CancelGivesNoPathAndATypedNameGetsTheDefaultExtension) {
    EXPECT_EQ(Run({{kTitle, [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); }}}),
              IDCANCEL);
    EXPECT_EQ(m_path, "");
    EXPECT_EQ(Run({{kTitle, Choose(L"exported")}}), IDOK);
    EXPECT_STRCASEEQ(m_path.c_str(), m_folder.File("exported.csv").c_str());
}

// A newer dialog that fails (other than by the user's cancel) is not a cancel: the classic
// dialog stands in for it.
TEST_F(CFileDialogTest, TheClassicDialogStandsInForANewerOneThatFails) {
    EXPECT_EQ(Run({{kTitle, [](HWND window) { EndDialog(window, E_FAIL); }},
                   {kTitle, Choose(L"classic.csv")}}),
              IDOK);
    EXPECT_STRCASEEQ(m_path.c_str(), m_folder.File("classic.csv").c_str());
}

// A name the ANSI code page cannot spell must not become another file's name.
TEST_F(CFileDialogTest, ANameWithoutAnAnsiFormIsRefused) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "the ANSI code page spells every name";
    }
    std::string refusal;
    EXPECT_EQ(Run({{kTitle, Choose(L"ramp\x4E2D\x0416.csv")},
                   {static_cast<const char*>(AfxGetAppName()),
                    [&refusal](HWND box) {
                        char text[256] = {};
                        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                        refusal = text;
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                    }}}),
              IDCANCEL);
    EXPECT_NE(refusal.find("cannot use"), std::string::npos) << refusal;
    EXPECT_EQ(m_path, "");
}

}  // namespace
