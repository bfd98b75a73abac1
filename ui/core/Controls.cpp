#include "ui/core/Controls.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"

#include <windowsx.h>

#include <algorithm>
#include <map>

KV_DEFINE_CLASS(TControl, TComponent, [](TPropertyBuilder<TControl>& p) {
    p.Integer("Left", &TControl::Left, &TControl::SetLeft);
    p.Integer("Top", &TControl::Top, &TControl::SetTop);
    p.Integer("Width", &TControl::Width, &TControl::SetWidth);
    p.Integer("Height", &TControl::Height, &TControl::SetHeight);
    p.Enum("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
           &TControl::Align, &TControl::SetAlign);
    p.Bool("Visible", &TControl::Visible, &TControl::SetVisible);
    p.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled);
    p.String("Caption", &TControl::Caption, &TControl::SetCaption);
    p.Integer("Color", &TControl::Color, &TControl::SetColor).identToInt = ColorIdentToInt;
    p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
    p.Object("Font", [](TControl& c) -> TFont& { return c.Font(); });
    p.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
    p.Integer("Cursor", &TControl::Cursor, &TControl::SetCursor).identToInt = CursorIdentToInt;
    p.String("Hint", &TControl::Hint, &TControl::SetHint);
    p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    p.Event<TNotifyEvent>("OnClick", &TControl::SetOnClick);
    p.Event<TNotifyEvent>("OnDblClick", &TControl::SetOnDblClick);
    p.Event<TNotifyEvent>("OnMouseEnter", &TControl::SetOnMouseEnter);
    p.Event<TNotifyEvent>("OnMouseLeave", &TControl::SetOnMouseLeave);
    p.Event<TMouseEvent>("OnMouseDown", &TControl::SetOnMouseDown);
    p.Event<TMouseEvent>("OnMouseUp", &TControl::SetOnMouseUp);
    p.Event<TMouseMoveEvent>("OnMouseMove", &TControl::SetOnMouseMove);
})
KV_DEFINE_CLASS(TWinControl, TControl, [](TPropertyBuilder<TWinControl>& p) {
    p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
    p.Bool("DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered);
})
KV_DEFINE_PLAIN_CLASS(TGraphicControl, TControl)

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string WideToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string ansi(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), ansi.data(), n,
                        nullptr, nullptr);
    return ansi;
}

// --- TControl ---------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
    font_.OnChange = [this] {
        if (!takingFromParent_) parentFont_ = false;
        FontChanged();
    };
}

TControl::~TControl() {
    if (parent_) parent_->RemoveControl(this);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WindowProc(m);
    return m.Result;
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == parent_) return;
    if (parent_) parent_->RemoveControl(this);
    if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    RequestAlign();
}

void TControl::RequestAlign() {
    if (parent_ && !IsLoading()) parent_->AlignControls();
}

void TControl::SetAlign(TAlign align) {
    align_ = align;
    RequestAlign();
}

void TControl::SetVisible(bool visible) {
    visible_ = visible;
    RequestAlign();
    Invalidate();
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetCaption(const std::string& text) {
    if (text == caption_) return;
    caption_ = text;
    TextChanged();
}

void TControl::SetColor(COLORREF color) {
    if (!takingFromParent_) parentColor_ = false;
    if (color == color_) return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool on) {
    parentColor_ = on;
    if (on) TakeParentColor();
}

void TControl::SetParentFont(bool on) {
    parentFont_ = on;
    if (on) TakeParentFont();
}

void TControl::ParentChanged() {
    if (parentFont_) TakeParentFont();
    if (parentColor_) TakeParentColor();
}

void TControl::TakeParentFont() {
    if (!parent_) return;
    takingFromParent_ = true;
    font_.Assign(parent_->Font());
    takingFromParent_ = false;
}

void TControl::TakeParentColor() {
    if (!parent_) return;
    takingFromParent_ = true;
    SetColor(parent_->Color());
    takingFromParent_ = false;
}

void TControl::FontChanged() {
    Invalidate();
    Perform(CM_FONTCHANGED);
}

void TControl::ColorChanged() {
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::Invalidate() {
    if (!parent_ || !parent_->HandleAllocated()) return;
    RECT r{left_, top_, left_ + width_, top_ + height_};
    InvalidateRect(parent_->Handle(), &r, TRUE);
}

void TControl::Repaint() {
    Invalidate();
    if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::Click() {
    if (OnClick) OnClick(this);
}

void TControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick(this);
        break;
    case CM_MOUSEENTER:
        if (OnMouseEnter) OnMouseEnter(this);
        break;
    case CM_MOUSELEAVE:
        if (OnMouseLeave) OnMouseLeave(this);
        break;
    case CM_PARENTFONTCHANGED:
        if (parentFont_) TakeParentFont();
        break;
    case CM_PARENTCOLORCHANGED:
        if (parentColor_) TakeParentColor();
        break;
    }
    MouseMessage(m);
    DefaultHandler(m);
}

namespace {
TShiftState ShiftOf(WPARAM keys) {
    TShiftState shift = 0;
    if (keys & MK_SHIFT) shift |= ssShift;
    if (keys & MK_CONTROL) shift |= ssCtrl;
    if (keys & MK_LBUTTON) shift |= ssLeft;
    if (keys & MK_RBUTTON) shift |= ssRight;
    if (keys & MK_MBUTTON) shift |= ssMiddle;
    if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
    return shift;
}
} // namespace

// Runs the mouse events of a client-area mouse message; true when it was one.
bool TControl::MouseMessage(const TMessage& m) {
    // Every message passes here; reading the Alt key costs a trip to the window server under
    // Wine, so only mouse messages read it.
    if (m.Msg < WM_MOUSEFIRST || m.Msg > WM_MOUSELAST) return false;
    int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
    TShiftState shift = ShiftOf(m.WParam);
    TMouseButton button = mbLeft;
    bool down = false;
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        if (OnMouseMove) OnMouseMove(this, shift, x, y);
        return true;
    case WM_LBUTTONDBLCLK:
        shift |= ssDouble;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
        down = true;
        break;
    case WM_RBUTTONDBLCLK:
        shift |= ssDouble;
        [[fallthrough]];
    case WM_RBUTTONDOWN:
        down = true;
        button = mbRight;
        break;
    case WM_MBUTTONDBLCLK:
        shift |= ssDouble;
        [[fallthrough]];
    case WM_MBUTTONDOWN:
        down = true;
        button = mbMiddle;
        break;
    case WM_LBUTTONUP:
        break;
    case WM_RBUTTONUP:
        button = mbRight;
        break;
    case WM_MBUTTONUP:
        button = mbMiddle;
        break;
    default:
        return false;
    }
    const TMouseEvent& event = down ? OnMouseDown : OnMouseUp;
    if (event) event(this, button, shift, x, y);
    return true;
}

void TControl::DefaultHandler(TMessage& m) {
    m.Result = 0;
}

// --- TGraphicControl ----------------------------------------------------------------------------

void TGraphicControl::WndProc(TMessage& m) {
    if (m.Msg == WM_PAINT && m.WParam) {
        Paint(reinterpret_cast<HDC>(m.WParam));
        return;
    }
    if (m.Msg == WM_LBUTTONUP && enabled_) {
        // A release off the control (the press captured the mouse for it) is no click.
        POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
        if (at.x >= 0 && at.y >= 0 && at.x < width_ && at.y < height_) Click();
    }
    TControl::WndProc(m);
}
