#include "framework/file_dialog.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>

#include "framework/exceptions.h"
#include "tests/export/temp_folder.h"

namespace {

const char kTitle[] = "Lumatab dialog under test";
// The actions still to come, each on the next visible window of this thread with its caption.
std::deque<std::pair<std::string, std::function<void(HWND)>>> g_steps;
int g_ticksLeft = 200;  // 20 s: far longer than a dialog needs to appear under Wine

// Runs from a thread timer, which modal loops dispatch; gives up by cancelling, so a test fails
// instead of hanging.
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

TEST(CFileDialogTest, CancelGivesNoPathAndATypedNameGetsTheDefaultExtension) {
    TempFolder folder;
    // No file types, whose pattern Wine would append instead of the default extension.
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv");
    dialog.m_ofn.lpstrInitialDir = folder.path().c_str();
    dialog.m_ofn.lpstrTitle = kTitle;
    g_steps = {{kTitle, [](HWND window) { PostMessageA(window, WM_COMMAND, IDCANCEL, 0); }},
               {kTitle, [](HWND window) {
                    SetWindowTextW(GetDlgItem(window, 0x480), L"exported");  // edt1, the name box
                    PostMessageA(window, WM_COMMAND, IDOK, 0);
                }}};
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &RunNextStep);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(g_steps.size(), 1u);
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
    EXPECT_EQ(dialog.DoModal(), IDOK);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_steps.empty());
    EXPECT_STRCASEEQ(dialog.GetPathName(), folder.File("exported.csv").c_str());
}

// A name the ANSI code page cannot spell must not become another file's name.
TEST(CFileDialogTest, ANameWithoutAnAnsiFormIsRefused) {
    if (GetACP() == CP_UTF8) {
        GTEST_SKIP() << "the ANSI code page spells every name";
    }
    TempFolder folder;
    CFileDialog dialog(FALSE, "csv", "GammaRamp.csv");
    dialog.m_ofn.lpstrInitialDir = folder.path().c_str();
    dialog.m_ofn.lpstrTitle = kTitle;
    std::string refusal;
    g_steps = {{kTitle,
                [](HWND window) {
                    SetWindowTextW(GetDlgItem(window, 0x480), L"ramp\x4E2D\x0416.csv");
                    PostMessageA(window, WM_COMMAND, IDOK, 0);
                }},
               {static_cast<const char*>(AfxGetAppName()), [&refusal](HWND box) {
                    char text[256] = {};
                    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                    refusal = text;
                    PostMessageA(box, WM_COMMAND, IDOK, 0);
                }}};
    g_ticksLeft = 200;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, &RunNextStep);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_steps.empty());
    EXPECT_NE(refusal.find("cannot use"), std::string::npos) << refusal;
    EXPECT_TRUE(dialog.GetPathName().IsEmpty());
}

}  // namespace
