// The coloured label's GDI objects: its defaults, and the fonts and brushes it replaces.
#include "ui/label.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The label with its handles in view.
class CLabelProbe : public CLabel {
public:
    using CLabel::m_crText;
    using CLabel::m_font;
    using CLabel::m_hBkBrush;
};

// Unconfigured, a label draws in the window-text colour on the button face, in the default GUI
// font. Each font or brush replaced is deleted, but only once its successor exists: when GDI has
// no handle left (nothing short of that makes these calls fail), the label keeps drawing with the
// ones it has. Its last ones go with it.
TEST(Label, StartsWithTheSystemsLookAndReplacesFontsAndBrushesOnlyOnceNewOnesExist) {
    HBRUSH hBrush = nullptr;
    HFONT hFont = nullptr;
    {
        CLabelProbe label;
        LOGBRUSH brush{};
        LOGFONTA font{}, guiFont{};
        GetObjectA(label.m_hBkBrush, sizeof brush, &brush);
        GetObjectA(label.m_font, sizeof font, &font);
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
        EXPECT_EQ(label.m_crText, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(brush.lbColor, GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(font.lfHeight, guiFont.lfHeight);
        EXPECT_STREQ(font.lfFaceName, guiFont.lfFaceName);

        hBrush = label.m_hBkBrush;
        hFont = label.m_font;
        label.SetLabelBkColor(RGB(56, 56, 56)).SetLabelFontHeight(18);
        EXPECT_EQ(GetObjectType(hBrush), 0u);
        EXPECT_EQ(GetObjectType(hFont), 0u);
        GetObjectA(label.m_hBkBrush, sizeof brush, &brush);
        GetObjectA(label.m_font, sizeof font, &font);
        EXPECT_EQ(brush.lbColor, RGB(56, 56, 56));
        EXPECT_EQ(font.lfHeight, -18);
        hBrush = label.m_hBkBrush;
        hFont = label.m_font;

        std::vector<HBRUSH> hoard;  // every GDI handle left, given back below
        for (HBRUSH h; hoard.size() < 200000 && (h = CreateSolidBrush(0));) {
            hoard.push_back(h);
        }
        label.SetLabelBkColor(RGB(1, 2, 3)).SetLabelFontHeight(30);
        const bool exhausted = hoard.size() < 200000;
        for (HBRUSH h : hoard) {
            DeleteObject(h);
        }
        ASSERT_TRUE(exhausted) << "GDI never ran out of handles";
        EXPECT_EQ(label.m_hBkBrush, hBrush);
        EXPECT_EQ(static_cast<HFONT>(label.m_font), hFont);
        EXPECT_EQ(GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(hFont), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(hBrush), 0u);
    EXPECT_EQ(GetObjectType(hFont), 0u);
}

}  // namespace
