#include "ui/controls/Buttons.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"
#include "ui/forms/Forms.h"

#include <windowsx.h>

#include <algorithm>

namespace {
const std::vector<std::string> kLayouts{"blGlyphLeft", "blGlyphRight", "blGlyphTop",
                                        "blGlyphBottom"};
}

KV_DEFINE_CLASS(TBitBtn, TButton, [](TPropertyBuilder<TBitBtn>& p) {
    p.Binary("Glyph", &TBitBtn::ReadGlyph, &TBitBtn::WriteGlyph);
    p.Integer("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs);
    p.Enum("Kind",
           {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose", "bkAbort",
            "bkRetry", "bkIgnore", "bkAll"},
           &TBitBtn::Kind, &TBitBtn::SetKind);
    p.Enum("Layout", kLayouts, &TBitBtn::Layout, &TBitBtn::SetLayout);
    p.Integer("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin);
    p.Integer("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing);
})
KV_DEFINE_CLASS(TSpeedButton, TGraphicControl, [](TPropertyBuilder<TSpeedButton>& p) {
    p.Binary("Glyph", &TSpeedButton::ReadGlyph, &TSpeedButton::WriteGlyph);
    p.Integer("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs);
    p.Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat);
    p.Bool("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent);
    p.Integer("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex);
    p.Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown);
    p.Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp);
    p.Enum("Layout", kLayouts, &TSpeedButton::Layout, &TSpeedButton::SetLayout);
    p.Integer("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin);
    p.Integer("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing);
})

TGlyphLayout LayoutGlyphAndCaption(SIZE client, SIZE glyph, SIZE text, TButtonLayout layout,
                                   int margin, int spacing) {
    bool across = layout == blGlyphLeft || layout == blGlyphRight;
    TGlyphLayout out{};
    // Centred on the cross axis.
    if (across) {
        out.glyph.y = (client.cy - glyph.cy + 1) / 2;
        out.caption.top = (client.cy - text.cy + 1) / 2;
    } else {
        out.glyph.x = (client.cx - glyph.cx + 1) / 2;
        out.caption.left = (client.cx - text.cx + 1) / 2;
    }
    if (text.cx == 0 || glyph.cx == 0) spacing = 0;
    int axis = across ? client.cx : client.cy;
    int g = across ? glyph.cx : glyph.cy, t = across ? text.cx : text.cy;
    if (margin < 0 && spacing < 0) {
        margin = (axis - (g + t)) / 3;
        spacing = margin;
    } else if (margin < 0) {
        margin = (axis - (g + spacing + t)) / 2;
    } else if (spacing < 0) {
        spacing = (axis - margin - g - t) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        out.glyph.x = margin;
        out.caption.left = margin + glyph.cx + spacing;
        break;
    case blGlyphRight:
        out.glyph.x = client.cx - margin - glyph.cx;
        out.caption.left = out.glyph.x - spacing - text.cx;
        break;
    case blGlyphTop:
        out.glyph.y = margin;
        out.caption.top = margin + glyph.cy + spacing;
        break;
    case blGlyphBottom:
        out.glyph.y = client.cy - margin - glyph.cy;
        out.caption.top = out.glyph.y - spacing - text.cy;
        break;
    }
    out.caption.right = out.caption.left + text.cx;
    out.caption.bottom = out.caption.top + text.cy;
    return out;
}

// --- TButtonGlyph ---

SIZE TButtonGlyph::FrameSize() const {
    if (bitmap_.Empty()) return {0, 0};
    return {bitmap_.Width() / numGlyphs_, bitmap_.Height()};
}

void TButtonGlyph::Draw(HDC dc, int x, int y, int frame) {
    SIZE size = FrameSize();
    if (size.cx <= 0 || size.cy <= 0) return;
    if (frame < 1 || frame > numGlyphs_) frame = 1;
    HDC source = bitmap_.Canvas().Handle();
    if (!source) return;
    int sx = (frame - 1) * size.cx;
    COLORREF key = GetPixel(source, sx, size.cy - 1);
    TransparentBlt(dc, x, y, size.cx, size.cy, source, sx, 0, size.cx, size.cy, key);
}

void TButtonGlyph::DrawWithCaption(HDC dc, const RECT& rect, const std::string& caption,
                                   HFONT font, COLORREF textColor, int frame,
                                   TButtonLayout layout, int margin, int spacing) {
    kv::SelectionGuard selected(dc, font);
    std::wstring text = AnsiToWide(caption);
    RECT measured{0, 0, rect.right - rect.left, 0};
    if (!text.empty())
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
                  DT_CALCRECT | DT_SINGLELINE);
    SIZE textSize = text.empty() ? SIZE{0, 0} : SIZE{measured.right, measured.bottom};
    TGlyphLayout at = LayoutGlyphAndCaption({rect.right - rect.left, rect.bottom - rect.top},
                                            FrameSize(), textSize, layout, margin, spacing);
    Draw(dc, rect.left + at.glyph.x, rect.top + at.glyph.y, frame);
    if (text.empty()) return;
    OffsetRect(&at.caption, rect.left, rect.top);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColor);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &at.caption,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

namespace {
// A strip whose width is a whole number (1..4) of its height holds that many glyphs.
int GuessNumGlyphs(const TBitmap& b) {
    if (b.Empty() || b.Width() % b.Height()) return 1;
    return std::clamp(b.Width() / b.Height(), 1, 4);
}

void ReadGlyphInto(TButtonGlyph& glyph, TStream& stream) {
    glyph.Bitmap().LoadFromStream(stream);
    glyph.SetNumGlyphs(GuessNumGlyphs(glyph.Bitmap()));
}
} // namespace

// --- TBitBtn ---

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner) {}

void TBitBtn::CreateParams(TCreateParams& p) {
    TButton::CreateParams(p);
    p.style = (p.style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TBitBtn::SetNumGlyphs(int n) {
    glyph_.SetNumGlyphs(n);
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout l) {
    layout_ = l;
    Invalidate();
}

void TBitBtn::SetMargin(int m) {
    margin_ = std::max(m, -1);
    Invalidate();
}

void TBitBtn::SetSpacing(int s) {
    spacing_ = std::max(s, -1);
    Invalidate();
}

void TBitBtn::ReadGlyph(TStream& stream) {
    ReadGlyphInto(glyph_, stream);
    Invalidate();
}

void TBitBtn::WriteGlyph(TStream& stream) const {
    auto& bitmap = const_cast<TButtonGlyph&>(glyph_).Bitmap();
    if (!bitmap.Empty()) bitmap.SaveToStream(stream);
}

void TBitBtn::SetKind(TBitBtnKind k) {
    struct KindInfo {
        const char* caption;
        int modalResult;
    };
    static constexpr KindInfo kKinds[] = {
        {"", 0},          {"OK", mrOk},     {"Cancel", mrCancel}, {"&Help", 0},
        {"&Yes", mrYes},  {"&No", mrNo},    {"&Close", 0},        {"Abort", 3},
        {"&Retry", 4},    {"&Ignore", 5},   {"&All", 8},
    };
    if (k < bkCustom || k > bkAll) return;
    kind_ = k;
    if (k == bkCustom) return;
    SetCaption(kKinds[k].caption);
    SetModalResult(kKinds[k].modalResult);
    SetDefault(k == bkOK || k == bkYes);
    SetCancel(k == bkCancel || k == bkNo);
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT r = item.rcItem;
    bool pressed = item.itemState & ODS_SELECTED;
    bool disabled = item.itemState & ODS_DISABLED;
    if (Default() || (item.itemState & ODS_FOCUS)) {
        FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    RECT content = r;
    InflateRect(&content, -2, -2);
    if (pressed) OffsetRect(&content, 1, 1);
    int frame = disabled ? 2 : pressed ? 3 : 1;
    glyph_.DrawWithCaption(dc, content, caption_, Font().Handle(),
                           ColorToRGB(disabled ? clGrayText : Font().Color()), frame, layout_,
                           margin_, spacing_);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = r;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
    }
}

void TBitBtn::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    }
    TButton::WndProc(m);
}

// --- TSpeedButton ---

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner) {
    width_ = 23;
    height_ = 22;
    parentColor_ = true;
}

void TSpeedButton::SetNumGlyphs(int n) {
    glyph_.SetNumGlyphs(n);
    Invalidate();
}

void TSpeedButton::SetFlat(bool on) {
    flat_ = on;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TSpeedButton::SetGroupIndex(int g) {
    groupIndex_ = g;
    if (groupIndex_ == 0 && !IsLoading()) SetDown(false);
}

void TSpeedButton::SetDown(bool on) {
    if (groupIndex_ == 0 && !IsLoading()) on = false;
    if (on == down_) return;
    // A latched button of a group without AllowAllUp is raised only by another one going down.
    if (down_ && !allowAllUp_ && !IsLoading()) return;
    down_ = on;
    Invalidate();
    if (on) RaiseOthersInGroup();
}

void TSpeedButton::RaiseOthersInGroup() {
    if (!Parent() || groupIndex_ == 0) return;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        if (!other || other == this || other->groupIndex_ != groupIndex_ || !other->down_)
            continue;
        other->down_ = false;
        other->Invalidate();
    }
}

void TSpeedButton::SetLayout(TButtonLayout l) {
    layout_ = l;
    Invalidate();
}

void TSpeedButton::SetMargin(int m) {
    margin_ = std::max(m, -1);
    Invalidate();
}

void TSpeedButton::SetSpacing(int s) {
    spacing_ = std::max(s, -1);
    Invalidate();
}

void TSpeedButton::ReadGlyph(TStream& stream) {
    ReadGlyphInto(glyph_, stream);
    Invalidate();
}

void TSpeedButton::WriteGlyph(TStream& stream) const {
    auto& bitmap = const_cast<TButtonGlyph&>(glyph_).Bitmap();
    if (!bitmap.Empty()) bitmap.SaveToStream(stream);
}

void TSpeedButton::Click() {
    if (groupIndex_ != 0) {
        if (!down_)
            SetDown(true);
        else if (allowAllUp_)
            SetDown(false);
    }
    TGraphicControl::Click();
}

void TSpeedButton::Paint(HDC dc) {
    RECT r{0, 0, width_, height_};
    bool sunken = pressedIn_ || down_;
    if (!transparent_ || !flat_) {
        kv::UniqueBrush face(CreateSolidBrush(ColorToRGB(color_)));
        FillRect(dc, &r, face.Get());
    }
    if (flat_) {
        if (sunken)
            DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (hot_ && enabled_)
            DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
    } else {
        DrawEdge(dc, &r, sunken ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    }
    RECT content = r;
    InflateRect(&content, -2, -2);
    if (sunken) OffsetRect(&content, 1, 1);
    int frame = !enabled_ ? 2 : pressedIn_ ? 3 : down_ ? 4 : 1;
    glyph_.DrawWithCaption(dc, content, caption_, Font().Handle(),
                           ColorToRGB(enabled_ ? Font().Color() : clGrayText), frame, layout_,
                           margin_, spacing_);
}

void TSpeedButton::WndProc(TMessage& m) {
    POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    bool inside = at.x >= 0 && at.y >= 0 && at.x < width_ && at.y < height_;
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (enabled_) {
            pressed_ = pressedIn_ = true;
            Invalidate();
        }
        break;
    case WM_MOUSEMOVE:
        if (pressed_ && inside != pressedIn_) {
            pressedIn_ = inside;
            Invalidate();
        }
        break;
    case WM_LBUTTONUP: {
        bool click = pressed_ && inside;
        pressed_ = pressedIn_ = false;
        Invalidate();
        TControl::WndProc(m); // the mouse events, not the windowless click of the base
        if (click) Click();
        return;
    }
    case CM_MOUSEENTER:
        hot_ = true;
        if (flat_) Invalidate();
        break;
    case CM_MOUSELEAVE:
        hot_ = false;
        if (flat_) Invalidate();
        break;
    }
    TGraphicControl::WndProc(m);
}
