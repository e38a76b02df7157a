// The application object and the start-up around its InitInstance.
#include <gtest/gtest.h>

#include <objbase.h>

#include <commctrl.h>

#include <stdexcept>

#include "framework/app.h"
#include "tests/framework/ui_test_support.h"

namespace {

class CTestApp : public CWinApp {
public:
    bool m_bStarted = false;
    HRESULT m_hrComAgain = E_FAIL;  // CoInitializeEx inside InitInstance
    HWND m_hList = nullptr;
    bool m_bThrow = false;

    BOOL InitInstance() override {
        m_bStarted = true;
        m_hrComAgain = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        if (SUCCEEDED(m_hrComAgain)) {
            CoUninitialize();
        }
        m_hList = CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  m_hInstance, nullptr);
        if (m_hList != nullptr) {
            DestroyWindow(m_hList);
        }
        if (m_bThrow) {
            throw std::runtime_error("no monitor");
        }
        return FALSE;
    }
};

}  // namespace

TEST(Application, StartsOnAPreparedThreadAndEnds) {
    CTestApp app;
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetResourceHandle(), GetModuleHandleA(nullptr));
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), 0);
    EXPECT_TRUE(app.m_bStarted);
    EXPECT_EQ(app.m_hInstance, GetModuleHandleA(nullptr));
    // COM was already initialised as a single-threaded apartment.
    EXPECT_EQ(app.m_hrComAgain, S_FALSE);
    EXPECT_NE(app.m_hList, nullptr);
    // And released again afterwards.
    const HRESULT hrAfter = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    EXPECT_EQ(hrAfter, S_OK);
    if (SUCCEEDED(hrAfter)) {
        CoUninitialize();
    }
}

TEST(Application, AFailedStartIsShownAndEndsWithOne) {
    CMessageBoxWatcher watcher;
    CTestApp app;
    app.m_bThrow = true;
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), 1);
    ASSERT_EQ(watcher.m_texts.size(), 1u);
    EXPECT_NE(watcher.m_texts[0].find("no monitor"), std::string::npos);
}

TEST(Application, ThereIsNoneBeforeItIsConstructed) {
    EXPECT_EQ(AfxGetApp(), nullptr);
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr)), 1);
}
