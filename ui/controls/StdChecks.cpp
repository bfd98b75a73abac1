// Check boxes, radio buttons, group boxes and scroll bars.
#include "ui/classes/Properties.h"
#include "ui/controls/StdCtrls.h"

#include <algorithm>

KV_DEFINE_CLASS(TCheckBox, TWinControl, [](TPropertyBuilder<TCheckBox>& p) {
    p.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
    p.Enum("State", {"cbUnchecked", "cbChecked", "cbGrayed"}, &TCheckBox::State,
           &TCheckBox::SetState);
    p.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify"}, &TCheckBox::Alignment,
           &TCheckBox::SetAlignment);
})
KV_DEFINE_CLASS(TRadioButton, TWinControl, [](TPropertyBuilder<TRadioButton>& p) {
    p.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
    p.Enum("Alignment", {"taLeftJustify", "taRightJustify"}, &TRadioButton::Alignment,
           &TRadioButton::SetAlignment);
})
KV_DEFINE_PLAIN_CLASS(TGroupBox, TWinControl)
KV_DEFINE_CLASS(TScrollBar, TWinControl, [](TPropertyBuilder<TScrollBar>& p) {
    p.Enum("Kind", {"sbHorizontal", "sbVertical"}, &TScrollBar::Kind, &TScrollBar::SetKind);
    p.Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin);
    p.Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax);
    p.Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition);
    p.Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange);
    p.Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange);
    p.Event<TNotifyEvent>("OnChange", &TScrollBar::SetOnChange);
})

namespace {
// The framework decides the check state; the windows only show it.
constexpr WPARAM kCheckOf[] = {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE};

bool IsClick(const TMessage& m) {
    return m.Msg == CN_BASE + WM_COMMAND && HIWORD(m.WParam) == BN_CLICKED;
}
} // namespace

// --- TCheckBox ---

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    width_ = 97;
    height_ = 17;
    parentColor_ = true;
}

void TCheckBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"BUTTON";
    p.style |= WS_TABSTOP | BS_3STATE | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::HandleCreated() {
    SendMessageW(handle_, BM_SETCHECK, kCheckOf[state_], 0);
}

void TCheckBox::SetState(TCheckBoxState s) {
    if (s < cbUnchecked || s > cbGrayed) return;
    state_ = s;
    if (HandleAllocated()) SendMessageW(handle_, BM_SETCHECK, kCheckOf[state_], 0);
}

void TCheckBox::SetAlignment(TAlignment a) {
    alignment_ = a == taLeftJustify ? taLeftJustify : taRightJustify;
    if (!HandleAllocated()) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = alignment_ == taLeftJustify ? (style | BS_LEFTTEXT) : (style & ~LONG_PTR(BS_LEFTTEXT));
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
    Invalidate();
}

void TCheckBox::WndProc(TMessage& m) {
    if (IsClick(m)) {
        switch (state_) {
        case cbUnchecked:
            SetState(cbChecked);
            break;
        case cbChecked:
            SetState(allowGrayed_ ? cbGrayed : cbUnchecked);
            break;
        default:
            SetState(cbUnchecked);
            break;
        }
        Click();
        return;
    }
    TWinControl::WndProc(m);
}

// --- TRadioButton ---

TRadioButton::TRadioButton(TComponent* owner) : TWinControl(owner) {
    width_ = 113;
    height_ = 17;
    parentColor_ = true;
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"BUTTON";
    p.style |= BS_RADIOBUTTON | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
    if (checked_) p.style |= WS_TABSTOP;
}

void TRadioButton::HandleCreated() {
    SendMessageW(handle_, BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool on) {
    if (on == checked_) return;
    checked_ = on;
    if (HandleAllocated()) SendMessageW(handle_, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!on || !Parent()) return;
    // One checked radio button per parent.
    for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
            other->SetChecked(false);
}

void TRadioButton::SetAlignment(TAlignment a) {
    alignment_ = a == taLeftJustify ? taLeftJustify : taRightJustify;
    if (!HandleAllocated()) return;
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = alignment_ == taLeftJustify ? (style | BS_LEFTTEXT) : (style & ~LONG_PTR(BS_LEFTTEXT));
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
    Invalidate();
}

void TRadioButton::WndProc(TMessage& m) {
    if (IsClick(m)) {
        if (!checked_) {
            SetChecked(true);
            Click();
        }
        return;
    }
    TWinControl::WndProc(m);
}

// --- TGroupBox ---

TGroupBox::TGroupBox(TComponent* owner) : TWinControl(owner) {
    width_ = 185;
    height_ = 105;
    parentColor_ = true;
}

void TGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"BUTTON";
    p.style |= BS_GROUPBOX | WS_CLIPCHILDREN;
}

void TGroupBox::WndProc(TMessage& m) {
    // The system's group box lets the mouse through to what lies below; ours is a container
    // whose windowless children want the mouse.
    if (m.Msg == WM_NCHITTEST) {
        m.Result = HTCLIENT;
        return;
    }
    TWinControl::WndProc(m);
}

// --- TScrollBar ---

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
    width_ = 121;
    height_ = GetSystemMetrics(SM_CYHSCROLL);
}

void TScrollBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.systemClass = L"SCROLLBAR";
    p.style |= WS_TABSTOP | (kind_ == sbVertical ? SBS_VERT : SBS_HORZ);
}

void TScrollBar::HandleCreated() {
    SyncWindow();
}

void TScrollBar::SyncWindow() {
    if (!HandleAllocated()) return;
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, min_, max_, 0, position_, 0};
    SetScrollInfo(handle_, SB_CTL, &si, TRUE);
}

void TScrollBar::SetKind(TScrollBarKind k) {
    if (k == kind_) return;
    kind_ = k;
    if (!IsLoading()) SetBounds(left_, top_, height_, width_); // a turned bar
    if (HandleAllocated()) {
        DestroyHandle();
        if (Parent() && Parent()->HandleAllocated()) HandleNeeded();
    }
}

void TScrollBar::SetParams(int position, int min, int max) {
    if (max < min) max = min;
    position = std::clamp(position, min, max);
    bool moved = position != position_;
    min_ = min;
    max_ = max;
    position_ = position;
    SyncWindow();
    if (moved && OnChange && !IsLoading()) OnChange(this);
}

void TScrollBar::Scroll(int code, int trackPosition) {
    int to = position_;
    switch (code) {
    case SB_LINEUP:
        to -= smallChange_;
        break;
    case SB_LINEDOWN:
        to += smallChange_;
        break;
    case SB_PAGEUP:
        to -= largeChange_;
        break;
    case SB_PAGEDOWN:
        to += largeChange_;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        to = trackPosition;
        break;
    case SB_TOP:
        to = min_;
        break;
    case SB_BOTTOM:
        to = max_;
        break;
    default:
        return;
    }
    SetPosition(to);
}

void TScrollBar::WndProc(TMessage& m) {
    if (m.Msg == CN_BASE + WM_HSCROLL || m.Msg == CN_BASE + WM_VSCROLL) {
        int track = static_cast<short>(HIWORD(m.WParam));
        if (LOWORD(m.WParam) == SB_THUMBTRACK) {
            // The 16-bit position of the message is not enough for wide ranges.
            SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
            if (GetScrollInfo(handle_, SB_CTL, &si)) track = si.nTrackPos;
        }
        Scroll(LOWORD(m.WParam), track);
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}
