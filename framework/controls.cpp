#include "framework/controls.h"

int CComboBox::InsertString(int index, const char* text) {
    return static_cast<int>(
        SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CComboBox::GetCurSel() const {
    return static_cast<int>(SendMessage(CB_GETCURSEL));
}

int CComboBox::SetCurSel(int index) {
    return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}

int CListCtrl::InsertColumn(int nCol, const char* heading, int nFormat, int nWidth, int nSubItem) {
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_TEXT;
    column.fmt = nFormat;
    column.pszText = const_cast<char*>(heading);  // read only by LVM_INSERTCOLUMNA
    if (nWidth != -1) {
        column.mask |= LVCF_WIDTH;
        column.cx = nWidth;
    }
    if (nSubItem != -1) {
        column.mask |= LVCF_SUBITEM;
        column.iSubItem = nSubItem;
    }
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(nCol),
                                        reinterpret_cast<LPARAM>(&column)));
}

int CListCtrl::InsertItem(int nItem, const char* text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(text);  // read only by LVM_INSERTITEMA
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::SetItemText(int nItem, int nSubItem, const char* text) {
    LVITEMA item = {};
    item.iSubItem = nSubItem;
    item.pszText = const_cast<char*>(text);  // read only by LVM_SETITEMTEXTA
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(nItem), reinterpret_cast<LPARAM>(&item)));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}
