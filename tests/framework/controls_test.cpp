// The list view wrapper against the real control, and the string array's checked access.
#include <gtest/gtest.h>

#include "framework/controls.h"
#include "framework/exceptions.h"

TEST(ListCtrl, LeavesUnsetWidthAndSubItemUnset) {
    CListCtrl list;
    ASSERT_TRUE(
        list.SubclassWindow(CreateWindowExA(0, WC_LISTVIEWA, "", WS_POPUP | LVS_REPORT, 0, 0, 300,
                                            200, nullptr, nullptr, nullptr, nullptr)));
    ASSERT_EQ(list.InsertColumn(0, "Note"), 0);
    LVCOLUMNA column = {};
    column.mask = LVCF_WIDTH | LVCF_SUBITEM;
    ASSERT_TRUE(list.SendMessage(LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_GT(column.cx, 0);        // a width of -1 hides the column
    EXPECT_EQ(column.iSubItem, 0);  // rather than -1
    DestroyWindow(list.m_hWnd);
}

TEST(StringArray, GetAtThrowsOutsideTheArray) {
    CStringArray names;
    names.Add("DISPLAY1");
    EXPECT_EQ(names.GetAt(0), CString("DISPLAY1"));
    EXPECT_THROW(names.GetAt(1), CInvalidArgException);
    EXPECT_THROW(names[-1], CInvalidArgException);
}
