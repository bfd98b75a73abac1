// The default look of owner-drawn menu items: what the system would draw, plus the images of
// the menu's image list.
#include "ui/menus/MenuDraw.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/Menus.h"

#include <algorithm>

namespace {
constexpr int kGlyphSize = 16;   // without an image list
constexpr int kGlyphMargin = 2;  // around the glyph box
constexpr int kTextGap = 6;      // glyph box to caption
constexpr int kShortCutGap = 24; // caption to shortcut text
constexpr int kRightMargin = 12;
constexpr int kSeparatorHeight = 8;

int GlyphSize(const TMenuItem& item) {
    TMenu* menu = item.GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    return images ? std::max(images->Width(), kGlyphSize) : kGlyphSize;
}

SIZE TextSize(TCanvas& canvas, const std::string& text, UINT extra = 0) {
    RECT r{0, 0, 0, 0};
    canvas.DrawTextW(AnsiToWide(text.empty() ? " " : text), r,
                     DT_CALCRECT | DT_SINGLELINE | DT_NOCLIP | extra);
    return {r.right - r.left, r.bottom - r.top};
}

// The system's check mark or radio bullet, in the text colour, over what is already drawn:
// the mark is drawn black on white into a mask, and only its black pixels are painted.
void DrawCheckMark(HDC dc, const RECT& box, bool radio, COLORREF color) {
    int w = box.right - box.left, h = box.bottom - box.top;
    HDC maskDc = CreateCompatibleDC(dc);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    RECT r{0, 0, w, h};
    DrawFrameControl(maskDc, &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    HBRUSH brush = CreateSolidBrush(color);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, box.left, box.top, w, h, maskDc, 0, 0, 0x00B8074A); // black: brush, white: dest
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
    SelectObject(dc, oldBrush);
    DeleteObject(brush);
    SelectObject(maskDc, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDc);
}
} // namespace

HFONT MenuFont() {
    static kv::UniqueFont font = [] {
        // The structure as it was before it grew a field in Vista: accepted everywhere.
        NONCLIENTMETRICSW metrics{};
        metrics.cbSize = offsetof(NONCLIENTMETRICSW, lfMessageFont) + sizeof(LOGFONTW);
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
            return kv::UniqueFont(CreateFontIndirectW(&metrics.lfMenuFont));
        return kv::UniqueFont();
    }();
    return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

MenuCanvas::MenuCanvas(HDC dc) {
    if (!dc) dc = screen_ = GetDC(nullptr);
    canvas_.SetHandle(dc);
    canvas_.Font().SetHandle(MenuFont());
}

MenuCanvas::~MenuCanvas() {
    canvas_.SetHandle(nullptr);
    if (screen_) ReleaseDC(nullptr, screen_);
}

void TMenuItem::DefaultMeasureItem(TCanvas& canvas, int& width, int& height) {
    if (IsLine()) {
        width = kGlyphSize;
        height = kSeparatorHeight;
        return;
    }
    int glyph = GlyphSize(*this);
    SIZE text = TextSize(canvas, caption_);
    width = kGlyphMargin * 2 + glyph + kTextGap + text.cx + kRightMargin;
    if (shortCut_ != scNone && !IsOnMenuBar())
        width += kShortCutGap + TextSize(canvas, ShortCutToText(shortCut_), DT_NOPREFIX).cx;
    height = std::max<int>(text.cy + 6, glyph + kGlyphMargin * 2);
}

void TMenuItem::DefaultDrawItem(TCanvas& canvas, const RECT& rect, TOwnerDrawState state) {
    bool selected = (state & odSelected) != 0;
    bool disabled = !enabled_ || (state & (odDisabled | odGrayed));
    HDC dc = canvas.Handle();
    canvas.Brush().SetColor(SystemColor(selected && !IsLine() ? COLOR_HIGHLIGHT : COLOR_MENU));
    canvas.FillRect(rect);
    if (IsLine()) {
        RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, rect.bottom};
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    int glyph = GlyphSize(*this);
    RECT box{rect.left + kGlyphMargin, rect.top + (rect.bottom - rect.top - glyph) / 2, 0, 0};
    box.right = box.left + glyph;
    box.bottom = box.top + glyph;
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    COLORREF textColor = GetSysColor(disabled   ? COLOR_GRAYTEXT
                                     : selected ? COLOR_HIGHLIGHTTEXT
                                                : COLOR_MENUTEXT);
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        if (checked_) {
            RECT edge{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1};
            DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
        }
        images->Draw(canvas, box.left + (glyph - images->Width()) / 2,
                     box.top + (glyph - images->Height()) / 2, imageIndex_, !disabled);
    } else if (checked_) {
        DrawCheckMark(dc, box, radioItem_, textColor);
    }
    canvas.Brush().SetStyle(bsClear);
    canvas.Font().SetColor(textColor);
    if (default_) canvas.Font().SetStyle(fsBold);
    RECT text{box.right + kTextGap, rect.top, rect.right - kRightMargin, rect.bottom};
    canvas.DrawTextW(AnsiToWide(caption_), text, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    if (shortCut_ != scNone)
        canvas.DrawTextW(AnsiToWide(ShortCutToText(shortCut_)), text,
                         DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    canvas.Brush().SetStyle(bsSolid);
}
