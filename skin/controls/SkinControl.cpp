#include "skin/controls/SkinControl.h"

#include "skin/form/FormSkin.h"
#include "ui/classes/Properties.h"

#include <algorithm>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinControl, TComponent)

namespace {

// A window text is read into this many characters (the last one ends the text).
constexpr int kCaptionBuffer = 1000;

} // namespace

// What a framework control's hook calls: the skin while it lives; after it, when a later hook
// still holds ours, the method the skin had replaced.
struct TSkinControl::HookLink {
    TSkinControl* skin = nullptr;
    TWndMethod replaced;
};

// Installed as a framework control's WindowProc; recognisable, so the method is given back
// only while this hook is still the one in place.
struct TSkinControl::ControlHook {
    std::shared_ptr<HookLink> link;
    void operator()(TMessage& m) const {
        if (TSkinControl* skin = link->skin)
            skin->ControlWndProc(m); // may free the skin and this hook: nothing may follow
        else if (link->replaced)
            link->replaced(m);
    }
};

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
    Unhook();
    LeaveFormList();
}

TWinControl* TSkinControl::BindOwner(TWinSkinForm* form, TSkinData* skinData, bool recolour) {
    if (FAttached) return nullptr;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return nullptr;
    FRecolour = recolour;
    FSkinData = skinData;
    FForm = form;
    FControl = control;
    control->FreeNotification(this);
    return control;
}

void TSkinControl::TakeFaceColour() {
    if (!FRecolour || !FControl) return;
    FSavedColor = FControl->Color();
    FControl->SetColor(FaceColour());
}

void TSkinControl::AttachControl(TWinSkinForm* form, TSkinData* skinData, bool recolour) {
    TWinControl* control = BindOwner(form, skinData, recolour);
    if (!control) return;
    FHandle = control->Handle();
    HookMethod(*control);
    control->SetDoubleBuffered(true);
    JoinFormList();
    RefreshFlags();
    FCaption = ReadWindowText();
    TakeFaceColour();
    control->Invalidate();
    FAttached = true;
    FSkinState = kSkinAttached;
}

void TSkinControl::AttachHandle(HWND wnd, TSkinData* skinData, TWinSkinForm* form) {
    FSkinData = skinData;
    FForm = form;
    FHandle = wnd;
    FEnabled = true;
    JoinFormList();
    FCaption = ReadWindowText();
    if (!subclass_.Attached()) subclass_.Attach(wnd, [this](TMessage& m) { ControlWndProc(m); });
    FAttached = true;
    FSkinState = kSkinAttached;
}

TControl* TSkinControl::Served() const {
    return FControl;
}

void TSkinControl::Detach() {
    if (FRecolour && FControl) FControl->SetColor(FSavedColor);
}

void TSkinControl::HookMethod(TControl& control) {
    FOldWindowProc = control.WindowProc;
    hookLink_ = std::make_shared<HookLink>();
    hookLink_->skin = this;
    control.WindowProc = ControlHook{hookLink_};
    hookedControl_ = &control;
    control.FreeNotification(this);
}

// Inside one of the control's own messages the method cannot be swapped back (it is running):
// ours stays and passes everything on from now on.
void TSkinControl::ReleaseMethod() {
    if (!hookLink_) return;
    hookLink_->replaced = FOldWindowProc;
    hookLink_->skin = nullptr;
    hookLink_.reset();
    FOldWindowProc = nullptr;
    hookedControl_ = nullptr;
}

void TSkinControl::Unhook() {
    if (FOldWindowProc && hookedControl_) {
        const ControlHook* ours = hookedControl_->WindowProc.target<ControlHook>();
        if (ours && ours->link == hookLink_) {
            hookedControl_->WindowProc = FOldWindowProc;
            hookLink_->skin = nullptr;
            hookLink_.reset();
            FOldWindowProc = nullptr;
            hookedControl_ = nullptr;
        }
    }
    // Someone hooked the control after us and calls ours: it becomes a pass-through.
    ReleaseMethod();
    subclass_.Restore();
}

void TSkinControl::JoinFormList() {
    if (!FForm) return;
    auto& list = FForm->ControlSkins;
    if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

// Searching from the end: the newest entries are the likeliest to go first.
void TSkinControl::LeaveFormList() {
    if (!FForm) return;
    auto& list = FForm->ControlSkins;
    auto found = std::find(list.rbegin(), list.rend(), this);
    if (found != list.rend()) list.erase(std::next(found).base());
    if (FForm->HotControlSkin == this) FForm->HotControlSkin = nullptr;
    FForm = nullptr;
}

void TSkinControl::ControlWndProc(TMessage& m) {
    const bool last = m.Msg == WM_NCDESTROY;
    if (BeforeDefault(m)) {
        CallDefault(m);
        AfterDefault(m);
    }
    // Also for skins that stay listed after their window (check boxes): a reused handle must
    // never be taken for this window.
    if (last) windowGone_ = true;
}

void TSkinControl::CallDefault(TMessage& m) {
    if (FOldWindowProc) {
        FOldWindowProc(m);
    } else if (subclass_.Attached()) {
        subclass_.CallOld(m);
    } else {
        m.Result = DefWindowProcW(FHandle, m.Msg, m.WParam, m.LParam);
    }
}

bool TSkinControl::BeforeDefault(TMessage& m) {
    if (m.Msg != WM_NCDESTROY) return true;
    CallDefault(m);
    FSkinState = kSkinWindowGone;
    Detach();
    return false;
}

void TSkinControl::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        Redraw();
        break;
    case WM_SETTEXT:
        // A null text is a legal way to empty the window text.
        if (!m.LParam)
            FCaption.clear();
        else if (IsWindowUnicode(FHandle))
            FCaption = reinterpret_cast<const wchar_t*>(m.LParam);
        else
            FCaption = AnsiToWide(reinterpret_cast<const char*>(m.LParam));
        Redraw();
        break;
    case WM_PAINT:
        PaintSkin(reinterpret_cast<HDC>(m.WParam));
        break;
    default:
        break;
    }
}

void TSkinControl::Redraw() {
    RECT r{};
    if (windowGone_ || !GetWindowRect(FHandle, &r)) return;
    if (!GetParent(FHandle)) return;
    RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    InvalidateRect(FHandle, &local, FALSE);
    UpdateWindow(FHandle);
}

void TSkinControl::PaintSkin(HDC dc) {
    RECT r{};
    if (windowGone_ || !GetWindowRect(FHandle, &r)) return;
    FWindowRect = r;
    const RECT local{0, 0, r.right - r.left, r.bottom - r.top};
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(FHandle);
    if (!dc) return;
    try {
        DrawSkin(dc, local);
    } catch (...) {
        // Painting never raises into the window procedure; the control keeps its old pixels.
    }
    if (own) ReleaseDC(FHandle, dc);
}

void TSkinControl::HandlePaint(TMessage& m) {
    PAINTSTRUCT ps{};
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    const bool begun = dc == nullptr;
    if (begun) dc = BeginPaint(FHandle, &ps);
    RECT r{};
    if (dc && GetWindowRect(FHandle, &r)) {
        FWindowRect = r;
        try {
            DrawSkin(dc, RECT{0, 0, r.right - r.left, r.bottom - r.top});
        } catch (...) {
        }
    }
    if (begun) EndPaint(FHandle, &ps);
    m.Result = 0;
}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
    UniqueBrush brush(CreateSolidBrush(FaceColour()));
    FillRect(dc, &rect, brush.Get());
}

void TSkinControl::SkinChanged() {
    if (FRecolour && FControl) FControl->SetColor(FaceColour());
    if (FHandle && !windowGone_) InvalidateRect(FHandle, nullptr, TRUE);
}

// A control freed while a skin it does not own still serves it: forget it.
void TSkinControl::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == hookedControl_) {
        hookedControl_ = nullptr;
        ReleaseMethod();
    }
    if (component == FControl) FControl = nullptr;
}

COLORREF TSkinControl::FaceColour() const {
    return FSkinData ? FSkinData->ButtonFaceColor() : GetSysColor(COLOR_BTNFACE);
}

void TSkinControl::RefreshFlags() {
    FFocused = FHandle && GetFocus() == FHandle;
    FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
}

std::wstring TSkinControl::ReadWindowText() const {
    wchar_t text[kCaptionBuffer] = {};
    if (FHandle) GetWindowTextW(FHandle, text, kCaptionBuffer);
    return text;
}

} // namespace kv
