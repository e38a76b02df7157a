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

COLORREF BrushColour(HBRUSH hBrush) {
    LOGBRUSH brush{};
    GetObjectA(hBrush, sizeof brush, &brush);
    return brush.lbColor;
}

// Unconfigured, a label draws in the window-text colour on the button face, in the default GUI
// font. Each font or brush replaced is deleted, but only once its successor exists: when GDI has
// no handle left, the label keeps drawing with the ones it has.
TEST(Label, StartsWithTheSystemsLookAndReplacesFontsAndBrushesOnlyOnceNewOnesExist) {
    HBRUSH hLastBrush = nullptr;
    HFONT hLastFont = nullptr;
    {
        CLabelProbe label;
        LOGFONTA font{}, guiFont{};
        GetObjectA(label.m_font, sizeof font, &font);
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof guiFont, &guiFont);
        EXPECT_EQ(label.m_crText, GetSysColor(COLOR_WINDOWTEXT));
        EXPECT_EQ(BrushColour(label.m_hBkBrush), GetSysColor(COLOR_BTNFACE));
        EXPECT_EQ(font.lfHeight, guiFont.lfHeight);
        EXPECT_STREQ(font.lfFaceName, guiFont.lfFaceName);

        const HBRUSH hFirstBrush = label.m_hBkBrush;
        const HFONT hFirstFont = label.m_font;
        label.SetLabelBkColor(RGB(56, 56, 56)).SetLabelFontHeight(18);
        EXPECT_EQ(GetObjectType(hFirstBrush), 0u);
        EXPECT_EQ(GetObjectType(hFirstFont), 0u);
        EXPECT_EQ(BrushColour(label.m_hBkBrush), RGB(56, 56, 56));
        hLastBrush = label.m_hBkBrush;
        hLastFont = label.m_font;

        std::vector<HBRUSH> hoard;  // every GDI handle left, given back below
        for (HBRUSH hBrush; hoard.size() < 200000 && (hBrush = CreateSolidBrush(0));) {
            hoard.push_back(hBrush);
        }
        label.SetLabelBkColor(RGB(1, 2, 3)).SetLabelFontHeight(30);
        const bool exhausted = hoard.size() < 200000;
        for (HBRUSH hBrush : hoard) {
            DeleteObject(hBrush);
        }
        ASSERT_TRUE(exhausted) << "GDI never ran out of handles";
        EXPECT_EQ(label.m_hBkBrush, hLastBrush);
        EXPECT_EQ(GetObjectType(hLastBrush), static_cast<DWORD>(OBJ_BRUSH));
        EXPECT_EQ(static_cast<HFONT>(label.m_font), hLastFont);
        EXPECT_EQ(GetObjectType(hLastFont), static_cast<DWORD>(OBJ_FONT));
    }
    EXPECT_EQ(GetObjectType(hLastBrush), 0u);
    EXPECT_EQ(GetObjectType(hLastFont), 0u);
}

}  // namespace
