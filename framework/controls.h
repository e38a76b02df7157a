// The standard controls the dialogs bind with DDX_Control; every operation is one SendMessageA.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window.h"

class CStatic : public CWnd {};

class CComboBox : public CWnd {
public:
    // Inserts at `index` without sorting; returns the position or CB_ERR.
    int InsertString(int index, const char* text) {
        return static_cast<int>(SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index),
                                            reinterpret_cast<LPARAM>(text)));
    }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    // Selects `index`; returns it, or CB_ERR if it is out of range.
    int SetCurSel(int index) {
        return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
    }
};

class CListCtrl : public CWnd {
public:
    // Sets the extended list-view style; returns the previous one.
    DWORD SetExtendedStyle(DWORD dwNewStyle) {
        return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
    }
    // Inserts a column with its heading, alignment and width; returns its index or -1.
    int InsertColumn(int nCol, const char* heading, int nFormat, int nWidth);
    // Inserts a row whose first cell is `text` (text only); returns its index or -1.
    int InsertItem(int nItem, const char* text);
    BOOL SetItemText(int nItem, int nSubItem, const char* text);
    BOOL DeleteAllItems() { return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS)); }
};
