#include "ui/core/Controls.h"
#include "ui/classes/Exception.h"
#include "ui/classes/Properties.h"

#include <algorithm>
#include <map>

namespace {
TExceptionHandler& ExceptionHandler() {
    static TExceptionHandler handler;
    return handler;
}
} // namespace

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
    p.String("Hint", &TControl::Hint, &TControl::SetHint);
    p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint);
    p.Event<TNotifyEvent>("OnClick", &TControl::SetOnClick);
    p.Event<TNotifyEvent>("OnDblClick", &TControl::SetOnDblClick);
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

void SetDispatchExceptionHandler(TExceptionHandler handler) {
    ExceptionHandler() = std::move(handler);
}

void ReportDispatchException(const std::exception& e) {
    if (ExceptionHandler()) {
        ExceptionHandler()(e);
        return;
    }
    MessageBoxW(nullptr, AnsiToWide(e.what()).c_str(), L"Error", MB_OK | MB_ICONSTOP);
}

// --- TControl ---------------------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
    WindowProc = [this](TMessage& m) { WndProc(m); };
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
    color_ = color;
    Invalidate();
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
    if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
    DefaultHandler(m);
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
    if (m.Msg == WM_LBUTTONUP && enabled_) Click();
    TControl::WndProc(m);
}
