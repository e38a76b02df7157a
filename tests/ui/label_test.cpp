// The coloured label's GDI objects: its defaults, and the fonts and brushes it replaces.
#include "ui/label.h"

#include <gtest/gtest.h>

namespace {

// The label with its handles in view.
class CLabelProbe : public CLabel {
public:
    using CLabel::m_crText;
    using CLabel::m_font;
    using CLabel::m_hBkBrush;
    using CLabel::ReplaceBrush;
};

// Unconfigured, a label draws in the window-text colour on the button face, in the default GUI
// font. Each font or brush replaced is deleted, but only once its successor exists. Its last ones
// go with it.
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

        // What GDI could not make (nothing short of running out of handles fails these calls)
        // leaves the label drawing with the brush and the font it has.
        label.ReplaceBrush(nullptr);
        EXPECT_FALSE(label.m_font.CreateFontIndirect(nullptr));
        EXPECT_EQ(label.m_hBkBrush, hBrush);
        EXPECT_EQ(static_cast<HFONT>(label.m_font), hFont);
        EXPECT_EQ(GetObjectType(hBrush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(GetObjectType(hFont), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(hBrush), 0u);
    EXPECT_EQ(GetObjectType(hFont), 0u);
}

}  // namespace
