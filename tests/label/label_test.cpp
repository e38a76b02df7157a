// The coloured label in a real dialog: its fields, the device context it prepares, and the
// pixels the static control then draws.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

#include "framework/dialog.h"
#include "tests/framework/ui_test_support.h"
#include "tests/label/label_dialog.h"
#include "ui/label.h"

namespace {

constexpr COLORREF kRed = RGB(250, 20, 20);
constexpr COLORREF kGreen = RGB(20, 245, 90);
constexpr COLORREF kDarkGrey = RGB(56, 56, 56);
constexpr COLORREF kNavy = RGB(0, 0, 160);

// The label with its state in view.
class CLabelProbe : public CLabel {
public:
    using CLabel::m_crText;
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

// The pixels inside a label's sunken border, as it shows on screen now.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> colours;  // row by row, top first

    int Count(COLORREF colour) const {
        int count = 0;
        for (COLORREF c : colours) {
            count += c == colour ? 1 : 0;
        }
        return count;
    }
    // Rows holding at least one pixel of `colour`: first to last, inclusive; 0 if none.
    int RowSpan(COLORREF colour) const {
        int first = -1;
        int last = -1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                if (colours[static_cast<std::size_t>(y * width + x)] == colour) {
                    first = first < 0 ? y : first;
                    last = y;
                }
            }
        }
        return first < 0 ? 0 : last - first + 1;
    }
};

Pixels Capture(const CWnd& label) {
    constexpr int kBorder = 2;
    RECT rc;
    label.GetClientRect(&rc);
    Pixels pixels;
    pixels.width = rc.right - 2 * kBorder;
    pixels.height = rc.bottom - 2 * kBorder;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = pixels.width;
    info.bmiHeader.biHeight = -pixels.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pBits = nullptr;
    HDC hWindowDC = GetDC(label.m_hWnd);
    HDC hMemDC = CreateCompatibleDC(hWindowDC);
    HBITMAP hBitmap = CreateDIBSection(hMemDC, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = SelectObject(hMemDC, hBitmap);
    BitBlt(hMemDC, 0, 0, pixels.width, pixels.height, hWindowDC, kBorder, kBorder, SRCCOPY);
    GdiFlush();
    const auto* pRow = static_cast<const BYTE*>(pBits);
    for (int i = 0; i < pixels.width * pixels.height; ++i) {
        const BYTE* p = pRow + 4 * i;  // blue, green, red, unused
        pixels.colours.push_back(RGB(p[2], p[1], p[0]));
    }
    SelectObject(hMemDC, hOld);
    DeleteObject(hBitmap);
    DeleteDC(hMemDC);
    ReleaseDC(label.m_hWnd, hWindowDC);
    return pixels;
}

COLORREF BrushColour(HBRUSH hBrush) {
    LOGBRUSH lb = {};
    GetObjectA(hBrush, sizeof(lb), &lb);
    return lb.lbColor;
}

void RunLabelDialog(CLabelDlg& dlg, const std::function<void()>& script) {
    RunModal(dlg, [&] {
        script();
        dlg.EndDialog(IDCANCEL);
    });
}

}  // namespace

TEST(Label, StartsWithSystemColoursAndTheDefaultGuiFontBeforeItHasAWindow) {
    CLabelProbe label;
    EXPECT_EQ(label.m_hWnd, nullptr);
    EXPECT_EQ(label.m_crText, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(GetObjectType(label.m_hBkBrush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(BrushColour(label.m_hBkBrush), GetSysColor(COLOR_BTNFACE));

    LOGFONTA guiFont = {};
    ASSERT_EQ(GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(guiFont), &guiFont),
              static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(std::memcmp(&label.m_logFont, &guiFont, sizeof(LOGFONTA)), 0);
    LOGFONTA made = {};
    ASSERT_EQ(GetObjectA(label.m_font.m_hObject, sizeof(made), &made),
              static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(made.lfHeight, guiFont.lfHeight);
    EXPECT_STREQ(made.lfFaceName, guiFont.lfFaceName);
}

TEST(Label, SettersChainAndOwnEveryHandleTheyMake) {
    HBRUSH hLastBrush = nullptr;
    HFONT hLastFont = nullptr;
    {
        CLabelProbe label;
        for (int i = 0; i < 50; ++i) {
            const HBRUSH hOldBrush = label.m_hBkBrush;
            const HFONT hOldFont = label.m_font.m_hObject;
            CLabel& same = label.SetLabelBkColor(RGB(i, 0, 0)).SetLabelFontHeight(10 + i);
            EXPECT_EQ(&same, &label);
            // Each replaced handle is gone once its successor exists.
            EXPECT_EQ(GetObjectType(hOldBrush), 0u);
            EXPECT_EQ(GetObjectType(hOldFont), 0u);
        }
        EXPECT_EQ(&label.SetLabelTextColor(kGreen), &label);
        EXPECT_EQ(label.m_crText, kGreen);
        EXPECT_EQ(BrushColour(label.m_hBkBrush), RGB(49, 0, 0));
        EXPECT_EQ(label.m_logFont.lfHeight, -59);
        hLastBrush = label.m_hBkBrush;
        hLastFont = label.m_font.m_hObject;
    }
    EXPECT_EQ(GetObjectType(hLastBrush), 0u);
    EXPECT_EQ(GetObjectType(hLastFont), 0u);
}

TEST(Label, OnlyAStaticColourRequestChangesTheDeviceContext) {
    CLabelDlg dlg;
    RunLabelDialog(dlg, [&] {
        CLabelProbe& label = dlg.m_labelSet;
        label.SetLabelTextColor(kRed).SetLabelBkColor(kDarkGrey);
        HDC hDC = CreateCompatibleDC(nullptr);
        const HGDIOBJ hFontBefore = GetCurrentObject(hDC, OBJ_FONT);
        const COLORREF crBefore = GetTextColor(hDC);
        const auto ctlColor = [&](UINT message) {
            return reinterpret_cast<HBRUSH>(dlg.SendMessage(
                message, reinterpret_cast<WPARAM>(hDC), reinterpret_cast<LPARAM>(label.m_hWnd)));
        };

        EXPECT_EQ(ctlColor(WM_CTLCOLORBTN), label.m_hBkBrush);
        EXPECT_EQ(GetCurrentObject(hDC, OBJ_FONT), hFontBefore);
        EXPECT_EQ(GetTextColor(hDC), crBefore);
        EXPECT_EQ(GetBkMode(hDC), OPAQUE);

        EXPECT_EQ(ctlColor(WM_CTLCOLORSTATIC), label.m_hBkBrush);
        EXPECT_EQ(GetCurrentObject(hDC, OBJ_FONT), label.m_font.m_hObject);
        EXPECT_EQ(GetTextColor(hDC), kRed);
        EXPECT_EQ(GetBkMode(hDC), TRANSPARENT);
        SelectObject(hDC, hFontBefore);
        DeleteDC(hDC);
    });
}

TEST(Label, AnUnconfiguredLabelDrawsWindowTextOnButtonFace) {
    CLabelDlg dlg;
    RunLabelDialog(dlg, [&] {
        const Pixels pixels = Capture(dlg.m_labelPlain);
        const int area = pixels.width * pixels.height;
        EXPECT_GT(pixels.Count(GetSysColor(COLOR_BTNFACE)), area / 2);
        EXPECT_GT(pixels.Count(GetSysColor(COLOR_WINDOWTEXT)), 10);
    });
}

TEST(Label, DrawsItsTextColourOnItsBackgroundInTheChosenHeight) {
    CLabelDlg dlg;
    RunLabelDialog(dlg, [&] {
        CLabelProbe& label = dlg.m_labelSet;
        label.SetLabelTextColor(kRed).SetLabelBkColor(kDarkGrey);
        label.RedrawWindow();
        const Pixels before = Capture(label);
        const int area = before.width * before.height;
        EXPECT_GT(before.Count(kDarkGrey), area / 2);
        EXPECT_GT(before.Count(kRed), 10);
        EXPECT_EQ(before.Count(GetSysColor(COLOR_BTNFACE)), 0);

        // The new height shows at once, without a repaint being asked for.
        label.SetLabelFontHeight(18);
        EXPECT_EQ(label.m_logFont.lfHeight, -18);
        EXPECT_EQ(label.SendMessage(WM_GETFONT), reinterpret_cast<LRESULT>(label.m_font.m_hObject));
        const Pixels after = Capture(label);
        EXPECT_GT(after.RowSpan(kRed), before.RowSpan(kRed));
        EXPECT_GE(after.RowSpan(kRed), 12);
    });
}

TEST(Label, ATextColourShowsAtOnceABackgroundAtTheNextRepaint) {
    CLabelDlg dlg;
    RunLabelDialog(dlg, [&] {
        CLabelProbe& label = dlg.m_labelSet;
        label.SetLabelBkColor(kDarkGrey).SetLabelTextColor(kRed);
        EXPECT_GT(Capture(label).Count(kRed), 10);

        label.SetLabelTextColor(kGreen);
        const Pixels recoloured = Capture(label);
        EXPECT_GT(recoloured.Count(kGreen), 10);
        EXPECT_EQ(recoloured.Count(kRed), 0);

        label.SetLabelBkColor(kNavy);
        const Pixels unchanged = Capture(label);
        EXPECT_EQ(unchanged.Count(kNavy), 0);
        EXPECT_GT(unchanged.Count(kDarkGrey), unchanged.width * unchanged.height / 2);

        label.RedrawWindow();
        const Pixels repainted = Capture(label);
        EXPECT_GT(repainted.Count(kNavy), repainted.width * repainted.height / 2);
        EXPECT_EQ(repainted.Count(kDarkGrey), 0);
        EXPECT_GT(repainted.Count(kGreen), 10);
    });
}
