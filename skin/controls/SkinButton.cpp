#include "skin/controls/SkinButton.h"

#include "skin/controls/ControlText.h"
#include "skin/form/FormSkin.h"
#include "ui/classes/Properties.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinButton, TSkinControl)

namespace {

// The Buttons image holds five frames side by side; buttons use the first four.
constexpr int kButtonFrames = 5;

COLORREF CaptionColour(const TDataSkinButton& b, SkinColour text, ButtonState state) {
    switch (state) {
    case bsNormal:
        return ResolveColour(b.NormalColour2);
    case bsHot:
        return ResolveColour(b.MouseOverColour2);
    case bsPressed:
        return ResolveColour(b.PressedColour2);
    default:
        return ResolveColour(text);
    }
}

} // namespace

ButtonState PushButtonState(bool focused, bool down, bool hot, bool enabled) {
    ButtonState state = focused ? bsHot : bsNormal;
    if (down)
        state = bsPressed;
    else if (hot)
        state = bsHot;
    if (!enabled) state = bsDisabled;
    return state;
}

bool TSkinButton::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        HandlePaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!FFocused) SetFocus(FHandle);
        FMouseState |= kMouseDown;
        PaintSkin(nullptr);
        m.Result = 0;
        return false;
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

void TSkinButton::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam != VK_SPACE) break;
        if (m.Msg == WM_KEYDOWN)
            FMouseState |= kMouseDown;
        else
            FMouseState &= ~kMouseDown;
        Redraw();
        break;
    case WM_MOUSEMOVE:
        OnMouseMove();
        break;
    case WM_LBUTTONUP:
        OnRelease();
        break; // may free this object
    case CM_MOUSEENTER:
        OnMouseEnter();
        break;
    case CM_MOUSELEAVE:
        OnMouseLeave();
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

void TSkinButton::OnMouseMove() {
    if (FMouseState & kMouseHot) return;
    FMouseState |= kMouseHot;
    if (!FForm) return;
    TSkinControl* previous = FForm->HotControlSkin;
    if (previous && previous != this && previous->Handle())
        SendMessageW(previous->Handle(), CM_MOUSELEAVE, 0, 0);
    if (FForm && FForm->HotControlSkin != this) {
        Redraw();
        FForm->HotControlSkin = this;
    }
}

void TSkinButton::OnMouseEnter() {
    if (!FEnabled) return;
    FMouseState |= kMouseHot;
    Redraw();
    if (FForm) FForm->HotControlSkin = this;
}

void TSkinButton::OnMouseLeave() {
    if (!FEnabled) return;
    FMouseState &= ~(kMouseHot | kMouseDown);
    Redraw();
    if (FForm && FForm->HotControlSkin == this) FForm->HotControlSkin = nullptr;
}

void TSkinButton::OnRelease() {
    if (!(FMouseState & kMouseDown)) return;
    FMouseState &= ~kMouseDown;
    Redraw();
    Click();
}

// Last step of a release: a framework click may free the control and this object with it.
void TSkinButton::Click() {
    if (FControl) {
        FControl->Click();
        return;
    }
    const HWND parent = GetParent(FHandle);
    const int id = GetDlgCtrlID(FHandle);
    PostMessageW(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(FHandle));
}

void TSkinButton::RefreshCaption() {
    FCaption = ReadWindowText();
    if (FCaption.empty() && FControl) FCaption = AnsiToWide(FControl->Caption());
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || skin->Buttons.Bitmap.Empty() || Inverted(rect)) return;
    RefreshFlags();
    RefreshCaption();
    ComposeFace(dc, rect, kButtonFrames,
                PushButtonState(FFocused, FMouseState & kMouseDown, FMouseState & kMouseHot,
                                FEnabled));
}

void TSkinButton::ComposeFace(HDC dc, const RECT& rect, int frames, ButtonState state) {
    lastState_ = state;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if ((bitmap_.Width() != w || bitmap_.Height() != h) && !bitmap_.Create(w, h, dc)) return;
    const RECT local{0, 0, w, h};
    FillFace(bitmap_.Dc(), local);
    DrawStateFrame(bitmap_.View(), PixelRect{0, 0, w, h}, frames, state, Skin()->Buttons);
    DrawContents(local, state);
    BitBlt(dc, rect.left, rect.top, w, h, bitmap_.Dc(), 0, 0, SRCCOPY);
}

void TSkinButton::DrawContents(const RECT& client, ButtonState state) {
    const TSkinDefinition& skin = *Skin();
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(bitmap_.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(bitmap_.Dc(), CaptionColour(skin.Buttons, skin.ButtonTextColour, state));
    DrawCaptionText(bitmap_.Dc(), client, DT_CENTER, FEnabled, FCaption);
}

} // namespace kv
