#include "ui/controls/ExtCtrls.h"
#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"
#include "ui/core/PaintMessage.h"

#include <algorithm>

KV_DEFINE_CLASS(TPanel, TWinControl, [](TPropertyBuilder<TPanel>& p) {
    const std::vector<std::string> bevels{"bvNone", "bvLowered", "bvRaised", "bvSpace"};
    p.Enum("BevelOuter", bevels, &TPanel::BevelOuter, &TPanel::SetBevelOuter);
    p.Enum("BevelInner", bevels, &TPanel::BevelInner, &TPanel::SetBevelInner);
    p.Integer("BevelWidth", &TPanel::BevelWidth, &TPanel::SetBevelWidth);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"}, &TPanel::Alignment,
           &TPanel::SetAlignment);
})
KV_DEFINE_CLASS(TBevel, TGraphicControl, [](TPropertyBuilder<TBevel>& p) {
    p.Enum("Shape",
           {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine",
            "bsSpacer"},
           &TBevel::Shape, &TBevel::SetShape);
    p.Enum("Style", {"bsLowered", "bsRaised"}, &TBevel::Style, &TBevel::SetStyle);
})
KV_DEFINE_CLASS(TPicture, TObject, [](TPropertyBuilder<TPicture>& p) {
    p.Binary("Bitmap", &TPicture::ReadBitmap, &TPicture::WriteBitmap);
})
KV_DEFINE_CLASS(TImage, TGraphicControl, [](TPropertyBuilder<TImage>& p) {
    p.Object("Picture", &TImage::Picture);
    p.Bool("Center", &TImage::Center, &TImage::SetCenter);
    p.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch);
    p.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent);
    p.Bool("AutoSize", &TImage::AutoSize, &TImage::SetAutoSize);
})
KV_DEFINE_CLASS(TRadioGroup, TGroupBox, [](TPropertyBuilder<TRadioGroup>& p) {
    p.Strings("Items", &TRadioGroup::Items);
    p.Integer("ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex);
    p.Integer("Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns);
})

namespace {

// Draws one bevel ring of `width` pixels inside r and shrinks r past it: raised has the light
// on the top and left, lowered the shadow.
void DrawBevelRing(HDC dc, RECT& r, TPanelBevel bevel, int width) {
    if (bevel == bvNone) return;
    COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    COLORREF topLeft = bevel == bvRaised ? light : shadow;
    COLORREF bottomRight = bevel == bvRaised ? shadow : light;
    for (int i = 0; i < width; ++i) {
        if (bevel != bvSpace) {
            kv::UniqueBrush first(CreateSolidBrush(topLeft));
            kv::UniqueBrush second(CreateSolidBrush(bottomRight));
            RECT top{r.left, r.top, r.right, r.top + 1}, left{r.left, r.top, r.left + 1, r.bottom};
            RECT bottom{r.left, r.bottom - 1, r.right, r.bottom};
            RECT right{r.right - 1, r.top, r.right, r.bottom};
            FillRect(dc, &bottom, second.Get());
            FillRect(dc, &right, second.Get());
            FillRect(dc, &top, first.Get());
            FillRect(dc, &left, first.Get());
        }
        InflateRect(&r, -1, -1);
    }
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

} // namespace

// --- TPanel ---

TPanel::TPanel(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 41;
}

void TPanel::SetBevelOuter(TPanelBevel b) {
    bevelOuter_ = b;
    Invalidate();
}

void TPanel::SetBevelInner(TPanelBevel b) {
    bevelInner_ = b;
    Invalidate();
}

void TPanel::SetBevelWidth(int w) {
    bevelWidth_ = std::max(w, 1);
    Invalidate();
}

void TPanel::SetAlignment(TAlignment a) {
    alignment_ = a;
    Invalidate();
}

void TPanel::Paint(HDC dc) {
    RECT r;
    GetClientRect(handle_, &r);
    DrawBevelRing(dc, r, bevelOuter_, bevelWidth_);
    DrawBevelRing(dc, r, bevelInner_, bevelWidth_);
    if (!caption_.empty()) {
        static constexpr UINT kAlign[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
        kv::SelectionGuard font(dc, Font().Handle());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(enabled_ ? Font().Color() : clGrayText));
        std::wstring text = AnsiToWide(caption_);
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
                  kAlign[alignment_] | DT_VCENTER | DT_SINGLELINE);
    }
    PaintGraphicChildrenOn(dc);
}

void TPanel::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        ServePaint(handle_, m, [this](HDC dc) { Paint(dc); });
        return;
    case WM_SIZE:
        Invalidate(); // the bevel and the centred caption move with the size
        break;
    }
    TWinControl::WndProc(m);
}

// --- TBevel ---

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
    width_ = 50;
    height_ = 50;
}

void TBevel::SetShape(TBevelShape s) {
    shape_ = s;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle s) {
    style_ = s;
    Invalidate();
}

void TBevel::Paint(HDC dc) {
    if (shape_ == bsSpacer) return;
    COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    // Lowered: shadow on the top and left; raised: the light there.
    COLORREF first = style_ == bsLowered ? shadow : light;
    COLORREF second = style_ == bsLowered ? light : shadow;
    kv::UniquePen firstPen(CreatePen(PS_SOLID, 1, first));
    kv::UniquePen secondPen(CreatePen(PS_SOLID, 1, second));
    int w = width_ - 1, h = height_ - 1;
    kv::SelectionGuard pen(dc, firstPen.Get());
    switch (shape_) {
    case bsBox:
        Line(dc, 0, h, 0, 0);
        LineTo(dc, w, 0);
        SelectObject(dc, secondPen.Get());
        Line(dc, w, 0, w, h);
        LineTo(dc, -1, h);
        break;
    case bsFrame:
        // Two nested rectangles give the etched frame.
        SelectObject(dc, first == shadow ? firstPen.Get() : secondPen.Get());
        Line(dc, 0, h - 1, 0, 0);
        LineTo(dc, w - 1, 0);
        LineTo(dc, w - 1, h - 1);
        LineTo(dc, 0, h - 1);
        SelectObject(dc, first == shadow ? secondPen.Get() : firstPen.Get());
        Line(dc, 1, h, 1, 1);
        MoveToEx(dc, 1, h, nullptr);
        LineTo(dc, w, h);
        LineTo(dc, w, 0);
        Line(dc, 1, 1, w - 1, 1);
        break;
    case bsTopLine:
        Line(dc, 0, 0, w + 1, 0);
        SelectObject(dc, secondPen.Get());
        Line(dc, 0, 1, w + 1, 1);
        break;
    case bsBottomLine:
        Line(dc, 0, h - 1, w + 1, h - 1);
        SelectObject(dc, secondPen.Get());
        Line(dc, 0, h, w + 1, h);
        break;
    case bsLeftLine:
        Line(dc, 0, 0, 0, h + 1);
        SelectObject(dc, secondPen.Get());
        Line(dc, 1, 0, 1, h + 1);
        break;
    case bsRightLine:
        Line(dc, w - 1, 0, w - 1, h + 1);
        SelectObject(dc, secondPen.Get());
        Line(dc, w, 0, w, h + 1);
        break;
    default:
        break;
    }
}

// --- TPicture ---

void TPicture::Changed() {
    if (OnChange) OnChange();
}

void TPicture::SetIcon(HICON icon) {
    bitmap_.SetSize(0, 0);
    icon_.SetHandle(icon);
    Changed();
}

void TPicture::SetBitmap(const TBitmap& bitmap) {
    icon_.SetHandle(nullptr);
    bitmap_.Assign(bitmap);
    Changed();
}

void TPicture::Clear() {
    icon_.SetHandle(nullptr);
    bitmap_.SetSize(0, 0);
    Changed();
}

int TPicture::Width() const {
    return HasIcon() ? icon_.Width() : bitmap_.Width();
}

int TPicture::Height() const {
    return HasIcon() ? icon_.Height() : bitmap_.Height();
}

void TPicture::ReadBitmap(TStream& stream) {
    bitmap_.LoadFromStream(stream); // a refused file raises and leaves the picture alone
    icon_.SetHandle(nullptr);
    Changed();
}

void TPicture::WriteBitmap(TStream& stream) const {
    if (HasBitmap()) const_cast<TBitmap&>(bitmap_).SaveToStream(stream);
}

// --- TImage ---

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
    width_ = 105;
    height_ = 105;
    picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
    if (autoSize_ && (picture_.Width() || picture_.Height()))
        SetBounds(left_, top_, picture_.Width(), picture_.Height());
    Invalidate();
}

void TImage::SetCenter(bool on) {
    center_ = on;
    Invalidate();
}

void TImage::SetStretch(bool on) {
    stretch_ = on;
    Invalidate();
}

void TImage::SetTransparent(bool on) {
    transparent_ = on;
    Invalidate();
}

void TImage::SetAutoSize(bool on) {
    autoSize_ = on;
    if (on) PictureChanged();
}

RECT TImage::DestRect() const {
    if (stretch_) return {0, 0, width_, height_};
    int w = picture_.Width(), h = picture_.Height();
    int x = center_ ? (width_ - w) / 2 : 0, y = center_ ? (height_ - h) / 2 : 0;
    return {x, y, x + w, y + h};
}

void TImage::Paint(HDC dc) {
    RECT r = DestRect();
    if (picture_.HasIcon()) {
        DrawIconEx(dc, r.left, r.top, picture_.Icon().Handle(), r.right - r.left,
                   r.bottom - r.top, 0, nullptr, DI_NORMAL);
        return;
    }
    if (!picture_.HasBitmap()) return;
    TBitmap& bitmap = picture_.Bitmap();
    bitmap.SetTransparent(transparent_);
    TCanvas canvas;
    canvas.SetHandle(dc);
    canvas.StretchDraw(r, bitmap);
    canvas.SetHandle(nullptr);
}

// --- TRadioGroup ---

TRadioGroup::TRadioGroup(TComponent* owner) : TGroupBox(owner) {
    items_.OnChange = [this](TObject*) { MakeButtons(); };
}

void TRadioGroup::Loaded() {
    TGroupBox::Loaded();
    MakeButtons();
}

void TRadioGroup::Notification(TComponent* c, TOperation op) {
    TGroupBox::Notification(c, op);
    if (op == TOperation::opRemove) std::erase(buttons_, c);
}

void TRadioGroup::SetItemIndex(int index) {
    if (IsLoading()) {
        itemIndex_ = index; // the items may come later in the layout
        return;
    }
    itemIndex_ = index >= 0 && index < static_cast<int>(buttons_.size()) ? index : -1;
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
    updating_ = false;
}

void TRadioGroup::SetColumns(int n) {
    columns_ = std::clamp(n, 1, 16);
    ArrangeButtons();
}

void TRadioGroup::SetBounds(int left, int top, int width, int height) {
    TGroupBox::SetBounds(left, top, width, height);
    ArrangeButtons();
}

void TRadioGroup::FontChanged() {
    TGroupBox::FontChanged();
    ArrangeButtons();
}

void TRadioGroup::MakeButtons() {
    if (IsLoading() || IsDestroying()) return;
    while (buttons_.size() > static_cast<size_t>(items_.Count())) {
        TRadioButton* last = buttons_.back();
        buttons_.pop_back();
        delete last;
    }
    while (buttons_.size() < static_cast<size_t>(items_.Count())) {
        auto* button = new TRadioButton(this);
        button->OnClick = [this, button](TObject*) { ButtonClicked(button); };
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetCaption(items_[static_cast<int>(i)]);
    SetItemIndex(itemIndex_);
    ArrangeButtons();
}

// Columns side by side below the caption; rows share the height that is left.
void TRadioGroup::ArrangeButtons() {
    if (buttons_.empty() || IsLoading()) return;
    int count = static_cast<int>(buttons_.size());
    int rows = (count + columns_ - 1) / columns_;
    int top = std::abs(Font().Height()) + 6;
    int rowHeight = std::max((height_ - top - 5) / rows, 1);
    int columnWidth = std::max((width_ - 10) / columns_, 1);
    for (int i = 0; i < count; ++i) {
        int column = i / rows, row = i % rows;
        int y = top + row * rowHeight + (rowHeight - 17) / 2;
        buttons_[static_cast<size_t>(i)]->SetBounds(8 + column * columnWidth, std::max(y, top),
                                                    columnWidth - 8, std::min(17, rowHeight));
    }
}

void TRadioGroup::ButtonClicked(TRadioButton* button) {
    if (updating_) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    itemIndex_ = static_cast<int>(it - buttons_.begin());
    Click();
}
