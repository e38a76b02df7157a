// The combo box and list view wrappers against the real controls.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls.h"

namespace {

class ControlTest : public testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        m_hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override { DestroyWindow(m_hParent); }

    HWND CreateChild(const char* className, DWORD style) {
        return CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 300, 200,
                               m_hParent, nullptr, GetModuleHandleA(nullptr), nullptr);
    }

    HWND m_hParent = nullptr;  // owns the controls of each test
};

}  // namespace

TEST_F(ControlTest, ComboBoxInsertsAtThePositionGivenEvenWhenSorted) {
    CComboBox combo;
    ASSERT_TRUE(combo.SubclassWindow(CreateChild("COMBOBOX", CBS_DROPDOWN | CBS_SORT)));
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.InsertString(0, "Zulu"), 0);
    EXPECT_EQ(combo.InsertString(1, "Alpha"), 1);
    EXPECT_EQ(combo.InsertString(-1, "Mike"), 2);
    EXPECT_EQ(combo.GetCount(), 3);
    EXPECT_EQ(combo.GetLBText(0), CString("Zulu"));
    EXPECT_EQ(combo.GetLBText(1), CString("Alpha"));
    EXPECT_EQ(combo.GetLBText(2), CString("Mike"));
    EXPECT_TRUE(combo.GetLBText(3).IsEmpty());
    EXPECT_TRUE(combo.GetLBText(-1).IsEmpty());

    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(1), 1);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.SetCurSel(7), CB_ERR);
    EXPECT_EQ(combo.SetCurSel(-1), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
}

TEST_F(ControlTest, ListBuildsColumnsRowsAndCells) {
    CListCtrl list;
    ASSERT_TRUE(list.SubclassWindow(CreateChild(WC_LISTVIEWA, LVS_REPORT)));
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT), 0u);
    EXPECT_EQ(list.SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE),
              static_cast<LRESULT>(LVS_EX_FULLROWSELECT));
    EXPECT_EQ(list.SetExtendedStyle(0), static_cast<DWORD>(LVS_EX_FULLROWSELECT));

    // Requested positions past the end append.
    EXPECT_EQ(list.InsertColumn(1, "Index", LVCFMT_RIGHT, 50), 0);
    EXPECT_EQ(list.InsertColumn(2, "Red", LVCFMT_RIGHT, 70), 1);
    EXPECT_EQ(list.InsertColumn(3, "Note"), 2);
    char heading[32] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.pszText = heading;
    column.cchTextMax = sizeof(heading);
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::string(heading), "Red");
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);
    EXPECT_EQ(column.cx, 70);
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);

    EXPECT_EQ(list.InsertItem(0, "0"), 0);
    EXPECT_EQ(list.InsertItem(1, "1"), 1);
    EXPECT_TRUE(list.SetItemText(1, 1, "0x0101"));
    const std::string longText(700, 'n');
    EXPECT_TRUE(list.SetItemText(0, 2, longText.c_str()));
    EXPECT_EQ(list.GetItemCount(), 2);
    EXPECT_EQ(list.GetItemText(1, 0), CString("1"));
    EXPECT_EQ(list.GetItemText(1, 1), CString("0x0101"));
    EXPECT_EQ(std::string(list.GetItemText(0, 2)), longText);
    EXPECT_TRUE(list.GetItemText(0, 1).IsEmpty());

    // Text only: no item data or state came with the row.
    LVITEMA item = {};
    item.mask = LVIF_PARAM | LVIF_STATE;
    item.stateMask = static_cast<UINT>(-1);
    item.iItem = 1;
    ASSERT_TRUE(list.SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    EXPECT_EQ(item.lParam, 0);
    EXPECT_EQ(item.state, 0u);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
}
