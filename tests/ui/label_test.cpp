// The coloured label's GDI objects: the fonts and brushes it replaces.
#include "ui/label.h"

#include <gtest/gtest.h>

namespace {

// The label with its handles in view.
class CLabelProbe : public CLabel {
public:
    using CLabel::m_bkBrush;
    using CLabel::m_font;
};

// Each font or brush replaced is deleted, but only once its successor exists. The last ones go
// with the label.
TEST(Label, ReplacesFontsAndBrushesOnlyOnceNewOnesExist) {
    HBRUSH hBrush = nullptr;
    HFONT hFont = nullptr;
    {
        CLabelProbe label;
        LOGBRUSH brush{};
        LOGFONTA font{};
        hBrush = label.m_bkBrush;
        hFont = label.m_font;
        label.SetLabelBkColor(RGB(56, 56, 56)).SetLabelFontHeight(18);
        EXPECT_EQ(GetObjectType(hBrush), 0u);
        EXPECT_EQ(GetObjectType(hFont), 0u);
        GetObjectA(label.m_bkBrush, sizeof brush, &brush);
        GetObjectA(label.m_font, sizeof font, &font);
        EXPECT_EQ(brush.lbColor, RGB(56, 56, 56));
        EXPECT_EQ(font.lfHeight, -18);
        hBrush = label.m_bkBrush;
        hFont = label.m_font;

        // What GDI could not make (nothing short of running out of handles fails these calls)
        // leaves the label drawing with the brush and the font it has.
        label.m_bkBrush.Replace(nullptr);
        EXPECT_FALSE(label.m_font.CreateFontIndirect(nullptr));
        EXPECT_EQ(static_cast<HBRUSH>(label.m_bkBrush), hBrush);
        EXPECT_EQ(static_cast<HFONT>(label.m_font), hFont);
        EXPECT_EQ(GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(hFont), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(hBrush), 0u);
    EXPECT_EQ(GetObjectType(hFont), 0u);
}

}  // namespace
