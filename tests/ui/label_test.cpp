// The coloured label in a real dialog: the pixels it draws, and the brushes it replaces.
#include <gtest/gtest.h>

#include <vector>

#include "framework/dialog.h"
#include "tests/support/ui_driver.h"
#include "tests/ui/label_dialog.h"
#include "ui/label.h"

namespace {

constexpr COLORREF kRed = RGB(250, 20, 20);
constexpr COLORREF kDarkGrey = RGB(56, 56, 56);

// The label with its handles in view.
class CLabelProbe : public CLabel {
public:
    using CLabel::m_font;
    using CLabel::m_hBkBrush;
    using CLabel::m_logFont;
};

class CLabelDlg : public CDialog {
public:
    CLabelDlg() : CDialog(IDD_LABEL_TEST) {}
    CLabelProbe m_labelPlain;
    CLabelProbe m_labelSet;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_LABEL_PLAIN, m_labelPlain);
        DDX_Control(pDX, IDC_LABEL_SET, m_labelSet);
    }
};

struct Found {
    int pixels = 0;  // inside the label's 2-pixel sunken border
    int rows = 0;    // from the first to the last row holding the colour
    int area = 0;    // all pixels inside the border
};

// Where the label shows `colour` on screen now.
Found Find(const CWnd& label, COLORREF colour) {
    RECT rc;
    label.GetClientRect(&rc);
    HDC hDC = GetDC(label.m_hWnd);  // the window's common device context, released below
    Found found;
    int first = -1;
    for (int y = 2; y < rc.bottom - 2; ++y) {
        for (int x = 2; x < rc.right - 2; ++x) {
            ++found.area;
            if (GetPixel(hDC, x, y) == colour) {
                ++found.pixels;
                first = first < 0 ? y : first;
                found.rows = y - first + 1;
            }
        }
    }
    ReleaseDC(label.m_hWnd, hDC);
    return found;
}

TEST(Label, DrawsItsDefaultColoursOrTheChosenOnesAndHeight) {
    CLabelDlg dlg;
    const INT_PTR nResult = RunModal(dlg, [&] {
        const Found face = Find(dlg.m_labelPlain, GetSysColor(COLOR_BTNFACE));
        EXPECT_GT(face.pixels, face.area / 2);
        EXPECT_GT(Find(dlg.m_labelPlain, GetSysColor(COLOR_WINDOWTEXT)).pixels, 10);

        CLabelProbe& label = dlg.m_labelSet;
        label.SetLabelTextColor(kRed).SetLabelBkColor(kDarkGrey);
        label.RedrawWindow();  // the background shows at the next repaint
        const Found grey = Find(label, kDarkGrey);
        EXPECT_GT(grey.pixels, grey.area / 2);
        const Found small = Find(label, kRed);
        EXPECT_GT(small.pixels, 10);

        label.SetLabelFontHeight(18);  // redraws at once
        EXPECT_EQ(label.m_logFont.lfHeight, -18);
        const Found large = Find(label, kRed);
        EXPECT_GT(large.rows, small.rows);
        dlg.EndDialog(IDCANCEL);
    });
    EXPECT_EQ(nResult, IDCANCEL);  // the dialog came up and the checks above ran
}

// Each font or brush replaced is deleted, but only once its successor exists: when GDI has no
// handle left, the label keeps drawing with the ones it has.
TEST(Label, ReplacesItsFontAndBrushOnlyOnceTheNewOnesExistAndDeletesTheLast) {
    HBRUSH hLastBrush = nullptr;
    HFONT hLastFont = nullptr;
    {
        CLabelProbe label;
        const HBRUSH hFirstBrush = label.m_hBkBrush;
        const HFONT hFirstFont = label.m_font;
        label.SetLabelBkColor(kDarkGrey).SetLabelFontHeight(18);
        EXPECT_EQ(GetObjectType(hFirstBrush), 0u);
        EXPECT_EQ(GetObjectType(hFirstFont), 0u);
        hLastBrush = label.m_hBkBrush;
        hLastFont = label.m_font;

        std::vector<HBRUSH> hoard;  // every GDI handle left, given back below
        for (HBRUSH hBrush; hoard.size() < 200000 && (hBrush = CreateSolidBrush(kRed));) {
            hoard.push_back(hBrush);
        }
        label.SetLabelBkColor(kRed).SetLabelFontHeight(30);
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
