// Static message maps: each class's table of (message, notification code, control ID, handler),
// chained to its base class's table. Handlers are reached through captureless thunks that cast
// to the class named in BEGIN_MESSAGE_MAP, so a wrong handler signature fails to compile.
#pragma once

#include <windows.h>

class CWnd;

// Handler thunk: receives the window object and the message's parameters, returns its result.
using AFX_PMSG = LRESULT (*)(CWnd* pWnd, WPARAM wParam, LPARAM lParam);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message; 0 ends the table
    UINT nCode;     // notification code (WM_COMMAND only)
    UINT nID;       // control ID (WM_COMMAND only)
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root class
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// What a child control receives when its parent hands a WM_CTLCOLOR* back to it: wParam is
// the HDC, lParam the CTLCOLOR_* kind.
constexpr UINT WM_REFLECT_CTLCOLOR = 0xBC00 + 0x0019;

#define DECLARE_MESSAGE_MAP()                     \
protected:                                        \
    static const AFX_MSGMAP* GetThisMessageMap(); \
    const AFX_MSGMAP* GetMessageMap() const override;

// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                           \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }    \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                    \
        using ThisClass = theClass;                                                      \
        using TheBaseClass = baseClass;                                                  \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                \
            {0, 0, 0, nullptr}};                                                         \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, entries}; \
        return &messageMap;                                                              \
    }
// clang-format on

// LRESULT memberFxn(WPARAM wParam, LPARAM lParam), for any `message`: what it returns is the
// message's result.
#define ON_MESSAGE(message, memberFxn)                                         \
    {message, 0, 0, [](CWnd* pWnd, WPARAM wParam, LPARAM lParam) -> LRESULT {  \
         return (static_cast<ThisClass*>(pWnd)->*(memberFxn))(wParam, lParam); \
     }},

// void OnPaint()
#define ON_WM_PAINT()                                            \
    {WM_PAINT, 0, 0, [](CWnd* pWnd, WPARAM, LPARAM) -> LRESULT { \
         static_cast<ThisClass*>(pWnd)->OnPaint();               \
         return 0;                                               \
     }},

// void OnContextMenu(CWnd* pWnd, POINT point): pWnd is the object of the window clicked (null if
// it has none); point is in screen coordinates, or (-1, -1) from the keyboard.
#define ON_WM_CONTEXTMENU()                                                          \
    {WM_CONTEXTMENU, 0, 0, [](CWnd* pWnd, WPARAM wParam, LPARAM lParam) -> LRESULT { \
         const POINT point = {static_cast<short>(LOWORD(lParam)),                    \
                              static_cast<short>(HIWORD(lParam))};                   \
         CWnd* pClicked = CWnd::FromHandlePermanent(reinterpret_cast<HWND>(wParam)); \
         static_cast<ThisClass*>(pWnd)->OnContextMenu(pClicked, point);              \
         return 0;                                                                   \
     }},

// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                \
    {WM_QUERYDRAGICON, 0, 0, [](CWnd* pWnd, WPARAM, LPARAM) -> LRESULT {                     \
         return reinterpret_cast<LRESULT>(static_cast<ThisClass*>(pWnd)->OnQueryDragIcon()); \
     }},

// void memberFxn(), for the WM_COMMAND notification `code` from control `id`.
#define ON_CONTROL(code, id, memberFxn)                          \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), \
     [](CWnd* pWnd, WPARAM, LPARAM) -> LRESULT {                 \
         void (ThisClass::*pfn)() = memberFxn;                   \
         (static_cast<ThisClass*>(pWnd)->*pfn)();                \
         return 0;                                               \
     }},

// void memberFxn(), for the menu or accelerator command `id`.
#define ON_COMMAND(id, memberFxn) ON_CONTROL(0, id, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)

// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor): the parent's WM_CTLCOLOR* handled by the control.
// A null brush leaves the message to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                  \
    {WM_REFLECT_CTLCOLOR, 0, 0, [](CWnd* pWnd, WPARAM wParam, LPARAM lParam) -> LRESULT {         \
         CDC dc(reinterpret_cast<HDC>(wParam));                                                   \
         HBRUSH hBrush = static_cast<ThisClass*>(pWnd)->CtlColor(&dc, static_cast<UINT>(lParam)); \
         return reinterpret_cast<LRESULT>(hBrush);                                                \
     }},
