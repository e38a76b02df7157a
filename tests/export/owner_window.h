// A hidden top-level window attached to a CWnd, to own the dialogs under test.
#pragma once

#include <windows.h>

#include "framework/window.h"

class OwnerWindow {
public:
    OwnerWindow() {
        m_wnd.SubclassWindow(CreateWindowA("STATIC", "Lumatab test owner", WS_OVERLAPPEDWINDOW, 0,
                                           0, 200, 100, nullptr, nullptr, nullptr, nullptr));
    }
    ~OwnerWindow() { DestroyWindow(m_wnd.UnsubclassWindow()); }
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    CWnd* wnd() { return &m_wnd; }
    HWND hwnd() const { return m_wnd.GetSafeHwnd(); }

private:
    CWnd m_wnd;
};
