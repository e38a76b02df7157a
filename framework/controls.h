// The standard controls the dialogs bind with DDX_Control; every operation is one SendMessageA.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include "framework/window.h"

class CStatic : public CWnd {};

class CComboBox : public CWnd {
public:
    // Inserts at `index` (-1: at the end) without sorting; returns the position or CB_ERR.
    int InsertString(int index, const char* text);
    int GetCurSel() const;
    // Selects `index` (-1: nothing); returns it, or CB_ERR if it is out of range.
    int SetCurSel(int index);
};

class CListCtrl : public CWnd {
public:
    // Sets the extended list-view style; returns the previous one.
    DWORD SetExtendedStyle(DWORD dwNewStyle);
    // Inserts a column; a width or sub-item of -1 is left unset. Returns its index or -1.
    int InsertColumn(int nCol, const char* heading, int nFormat = LVCFMT_LEFT, int nWidth = -1,
                     int nSubItem = -1);
    // Inserts a row whose first cell is `text` (text only); returns its index or -1.
    int InsertItem(int nItem, const char* text);
    BOOL SetItemText(int nItem, int nSubItem, const char* text);
    BOOL DeleteAllItems();
};
