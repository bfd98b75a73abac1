#include "skin/form/FormSkin.h"

#include "skin/data/win/SkinManager.h"
#include "skin/menu/MenuBar.h"
#include "skin/menu/MenuItemDraw.h"
#include "skin/menu/PopupMenuSkin.h"
#include "ui/forms/Forms.h"
#include "ui/classes/Properties.h"
#include "ui/menus/Menus.h"
#include "ui/services/Timer.h"

#include <cstddef>

#include <algorithm>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TWinSkinForm, TComponent)

namespace {

constexpr unsigned kCapMaximize = 1, kCapMinimize = 2, kCapSystemMenu = 8, kCapCaptionTaken = 0x10;
constexpr UINT kFrameChanged =
    SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;
constexpr unsigned kHoverIntervalMs = 250;
constexpr int kMaxCaptionChars = 1000;

bool IsSystemCommand(UINT code) {
    switch (code) {
    case SC_SIZE: case SC_MOVE: case SC_MINIMIZE: case SC_MAXIMIZE: case SC_NEXTWINDOW:
    case SC_PREVWINDOW: case SC_CLOSE: case SC_RESTORE: return true;
    default: return false;
    }
}

std::string ClassNameOf(HWND hwnd) {
    char name[101] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return name;
}

HWND FindMdiClient(HWND frame) {
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_stricmp(ClassNameOf(child).c_str(), "MDIClient") == 0) return child;
    }
    return nullptr;
}

// The caption font of the system, or the default GUI font's face when it cannot be read.
HFONT MakeCaptionFont() {
    NONCLIENTMETRICSA metrics{};
    // The size before Vista added iPaddedBorderWidth, which older systems refuse.
    metrics.cbSize = offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA);
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return CreateFontIndirectA(&metrics.lfCaptionFont);
    LOGFONTA font{};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    return CreateFontIndirectA(&font);
}

} // namespace

// Routes a framework form's messages to its skin; recognisable, so the skin gives the form's
// message method back only while this hook is still the one in place.
struct TWinSkinForm::FormHook {
    TWinSkinForm* skin;
    void operator()(TMessage& m) const { skin->SkinWndProc(m); }
};

TWinSkinForm::TWinSkinForm(TComponent* owner) : TComponent(owner) {
    doubleClickTime_ = GetDoubleClickTime();
}

TWinSkinForm::~TWinSkinForm() {
    if (hooked_) Teardown();
    FreeControlSkins();
    HotObject = nullptr;
    PressedObject = nullptr;
    menuBar_.reset();
    CaptionButtons.clear();
    if (SkinManager) SkinManager->RemoveForm(this);
}

bool TWinSkinForm::Attached() const {
    return hooked_;
}

void TWinSkinForm::AttachForm(TSkinData* skinData, TCustomForm* form) {
    form_ = form;
    form->SetAutoScroll(false);
    AttachWindow(skinData);
    savedFormColor_ = form->Color();
    form->SetColor(skinData->ButtonFaceColor());
}

void TWinSkinForm::AttachWindow(TSkinData* skinData) {
    if (hooked_) return;
    skinData_ = skinData;
    hoverTimer_ = std::make_unique<TTimer>(nullptr);
    hoverTimer_->SetEnabled(false);
    hoverTimer_->SetInterval(kHoverIntervalMs);
    hoverTimer_->SetOnTimer([this](TObject*) {
        HoverTick();
        DropHotControlSkin(true);
    });
    captionFont_.Reset(MakeCaptionFont());

    style_ = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_STYLE));
    exStyle_ = static_cast<uint32_t>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
    rightToLeft_ = (exStyle_ & WS_EX_LEFTSCROLLBAR) != 0;
    systemMenu_ = GetSystemMenu(Handle, FALSE);
    MakeFormIcon();
    captionText_ = WindowText();
    WindowClassName = ClassNameOf(Handle);
    ownerWindow_ = GetWindow(Handle, GW_OWNER);
    GetClientRect(Handle, &clientRect_);
    RECT window{};
    GetWindowRect(Handle, &window);
    NativeFrameSize = {0, 0, (window.right - window.left) - clientRect_.right,
                       (window.bottom - window.top) - clientRect_.bottom};
    capabilities_ = 0;
    if ((style_ & WS_SYSMENU) || systemMenu_) capabilities_ |= kCapSystemMenu;
    if (style_ & WS_MINIMIZEBOX) capabilities_ |= kCapMinimize;
    if (style_ & WS_MAXIMIZEBOX) capabilities_ |= kCapMaximize;
    ReadWindowState();
    BuildSysPopupMenu();
    sizable_ = (style_ & WS_THICKFRAME) != 0;
    if (HWND client = FindMdiClient(Handle)) {
        Mdi = MdiKind::Frame;
        if (SkinManager) SkinManager->MdiClientHandle = client;
        HookMdiClient(client);
    }
    if (exStyle_ & WS_EX_MDICHILD) Mdi = MdiKind::Child;
    Kind = FrameKindOf(style_, exStyle_);

    if (skinData_->Has(xcMainMenu)) {
        if (Mdi != MdiKind::Child) BuildMenuBand();
        const bool mdiMax = Mdi == MdiKind::Child && SkinManager && SkinManager->MdiMaximized;
        if (!mdiMax && State != WindowState::Minimized) ShowOwnStyles(false);
        BuildCaptionButtons();
    }
    if (form_) {
        savedFormProc_ = form_->WindowProc;
        form_->WindowProc = FormHook{this};
        hooked_ = true;
    } else {
        oldProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(Handle, GWLP_WNDPROC));
        hooked_ = subclass_.Attach(Handle, [this](TMessage& m) { SkinWndProc(m); });
        if (hooked_) oldProc_ = subclass_.OldProc();
    }
    SkinControls();
    SetPopupMenusOwnerDraw(form_, skinData_, true);
    RegisterPopupMenuSkins();
    InvalidateRect(Handle, nullptr, TRUE);
}

void TWinSkinForm::Unhook() {
    if (!hooked_) return;
    hooked_ = false;
    if (form_) {
        const FormHook* ours = form_->WindowProc.target<FormHook>();
        if (ours && ours->skin == this) form_->WindowProc = savedFormProc_;
        // Otherwise someone replaced the method after us and holds ours; it keeps passing on.
    } else {
        subclass_.Restore();
    }
}

void TWinSkinForm::PassOn(TMessage& m) {
    if (form_) {
        if (savedFormProc_) savedFormProc_(m);
        return;
    }
    if (subclass_.Attached()) {
        subclass_.CallOld(m);
        return;
    }
    m.Result = IsWindowUnicode(Handle) ? CallWindowProcW(oldProc_, Handle, m.Msg, m.WParam, m.LParam)
                                       : CallWindowProcA(oldProc_, Handle, m.Msg, m.WParam, m.LParam);
}

void TWinSkinForm::Detach() {
    FreeSysPopupMenu();
    if (hoverTimer_) hoverTimer_->SetEnabled(false);
    HotObject = nullptr;
    FreeControlSkins();
    if (!hooked_) return;
    Unhook();
    UnhookMdiClient();
    if (form_ && SkinState != 4) form_->SetColor(savedFormColor_);
    SetPopupMenusOwnerDraw(form_, skinData_, false);
    if (!skinData_->Has(xcMainMenu)) return;
    ShowOwnStyles(true);
    if (menuHandle_) {
        SetMenu(Handle, menuHandle_);
        menuHandle_ = nullptr;
    }
    menuBar_.reset();
    const int band = std::exchange(MenuBarHeight, 0); // the skinned frame's band, leaving with it
    captionCache_.Destroy();
    RECT r{};
    GetWindowRect(Handle, &r);
    POINT topLeft{r.left, r.top};
    const bool child = (GetWindowLongPtrW(Handle, GWL_STYLE) & WS_CHILD) != 0;
    if (Mdi == MdiKind::Child) ScreenToClient(GetParent(Handle), &topLeft);
    if (SkinState != 4 && (Mdi == MdiKind::Child || !child)) {
        const int w = (r.right - r.left) + NativeFrameSize.right - Sizes.left - Sizes.right;
        const int h =
            (r.bottom - r.top) + NativeFrameSize.bottom - Sizes.caption - band - Sizes.bottom;
        SetWindowPos(Handle, nullptr, topLeft.x, topLeft.y, w, h,
                     SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
    }
    SetWindowRgn(Handle, nullptr, TRUE);
    RegionOwned = false;
    regionWidth_ = regionHeight_ = 0;
}

void TWinSkinForm::Teardown() {
    FreeSysPopupMenu();
    if (hoverTimer_) hoverTimer_->SetEnabled(false);
    HotObject = nullptr;
    FreeControlSkins();
    if (!hooked_) return;
    Unhook();
    // The client outlives this object at shut-down: it must not call back into it.
    UnhookMdiClient();
    menuBar_.reset();
    captionCache_.Destroy();
}

void TWinSkinForm::ApplySkinChange() {
    FreeCaptionButtons();
    BuildCaptionButtons();
    Recolor();
    ControlSkinsChanged();
}

void TWinSkinForm::Recolor() {
    if (form_) form_->SetColor(skinData_->ButtonFaceColor());
    SkinState = 3;
    if (skinData_->Has(xcMainMenu)) {
        regionWidth_ = regionHeight_ = 0; // a new skin shapes the same size differently
        FitWindowToSkin(true);
        SkinState = 1;
        BuildRegion();
        RedrawWindow(Handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE);
    }
    SkinState = 1;
}

void TWinSkinForm::ShowOwnStyles(bool show) {
    const bool mdiMax = Mdi == MdiKind::Child && SkinManager && SkinManager->MdiMaximized;
    if (mdiMax && !show) return;
    LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
    const LONG_PTR before = style;
    if (show) {
        if (capabilities_ & kCapSystemMenu) style |= WS_SYSMENU;
        if (capabilities_ & kCapMinimize) style |= WS_MINIMIZEBOX;
        if (capabilities_ & kCapMaximize) style |= WS_MAXIMIZEBOX;
        if (capabilities_ & kCapCaptionTaken) style |= WS_CAPTION;
    } else if (ownerWindow_) {
        style &= ~LONG_PTR(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    } else {
        if (style & WS_CAPTION) capabilities_ |= kCapCaptionTaken;
        style &= ~LONG_PTR(WS_CAPTION);
    }
    if (style != before) SetWindowLongPtrW(Handle, GWL_STYLE, style);
    style_ = static_cast<uint32_t>(style);
}

void TWinSkinForm::FitWindowToSkin(bool keepDialogWidth) {
    if (State == WindowState::Maximized) {
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0, kFrameChanged);
        return;
    }
    if (keepDialogWidth) GetClientRect(Handle, &clientRect_);
    int width = clientRect_.right + Sizes.left + Sizes.right;
    const int height = clientRect_.bottom + Sizes.caption + Sizes.bottom + MenuBarHeight;
    const bool messageDialog = WindowClassName == "TMessageForm" || WindowClassName == "#32770";
    const TSkinDefinition* skin = skinData_->Skin();
    if (!keepDialogWidth && messageDialog && skin) {
        WindowDC dc(Handle, WindowDC::Area::Window);
        SelectionGuard font(dc.Get(), captionFont_.Get());
        SIZE space{};
        GetTextExtentPoint32A(dc.Get(), " ", 1, &space);
        captionText_ = WindowText();
        const TDataSkinTitle& t = skin->Title;
        const int needed = int(captionText_.size() + 7) * space.cx + Sizes.left + Sizes.right +
                           t.TextShift() + t.TextRightClip() + t.TextBackLeft + t.TextBackRight;
        if (width < needed) {
            const int shift = (needed - width) / 2;
            for (HWND c = GetWindow(Handle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT cr{};
                GetWindowRect(c, &cr);
                MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&cr), 2);
                SetWindowPos(c, nullptr, cr.left + shift, cr.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER);
            }
            width = needed;
        }
    }
    // Fitting never activates: a skin change refits windows in the background too.
    SetWindowPos(Handle, nullptr, 0, 0, width, height,
                 SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TWinSkinForm::ReadWindowState() {
    WINDOWPLACEMENT p{};
    p.length = sizeof p;
    if (!GetWindowPlacement(Handle, &p)) return;
    switch (p.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: State = WindowState::Minimized; break;
    case SW_SHOWMAXIMIZED: State = WindowState::Maximized; break;
    default: State = WindowState::Normal; break;
    }
}

bool TWinSkinForm::NonNormalMdiChild() const {
    return Mdi == MdiKind::Child && State != WindowState::Normal;
}

CaptionFacts TWinSkinForm::Facts() const {
    CaptionFacts f;
    f.frameKind = Kind;
    f.state = State;
    f.active = Active;
    f.hasSystemMenu = (capabilities_ & kCapSystemMenu) != 0;
    f.hasMaximizeBox = (capabilities_ & kCapMaximize) != 0;
    f.hasMinimizeBox = (capabilities_ & kCapMinimize) != 0;
    if (Mdi == MdiKind::Frame && MenuBarHeight > 0 && SkinManager && SkinManager->MdiClientHandle) {
        BOOL maximized = FALSE;
        SendMessageW(SkinManager->MdiClientHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized));
        f.mdiChildMaximized = maximized != FALSE;
    }
    return f;
}

// --- Dispatch ------------------------------------------------------------------------------

void TWinSkinForm::SkinWndProc(TMessage& m) {
    if (form_ && FormMessage(m)) return;
    if (Phase1(m)) return;
    if (!skinData_ || !skinData_->Has(xcMainMenu) ||
        (Mdi != MdiKind::Child && (style_ & WS_CHILD))) {
        PassOn(m);
        return;
    }
    bool consumed = false;
    Phase2(m, consumed);
    if (consumed) return;
    if (Phase3Runs() && Phase3(m)) return;
    PassOn(m);
}

bool TWinSkinForm::FormMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SKINRECOLOR: Recolor(); return true;
    case CM_DIALOGCHAR: return OpenMenuBandByAccelerator(m);
    default: return false;
    }
}

bool TWinSkinForm::Phase1(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        PassOn(m);
        if (!form_ && skinData_ && skinData_->ButtonFaceBrush()) {
            RECT r{};
            GetClientRect(Handle, &r);
            FillRect(reinterpret_cast<HDC>(m.WParam), &r, skinData_->ButtonFaceBrush());
            m.Result = 1;
        }
        return true;
    case WM_STYLECHANGED:
        if (static_cast<int>(m.WParam) == GWL_STYLE)
            style_ = reinterpret_cast<const STYLESTRUCT*>(m.LParam)->styleNew;
        PassOn(m);
        return true;
    case WM_NCDESTROY:
        SkinState = 4;
        PassOn(m);
        Teardown();
        SkinState = 6;
        return true;
    case WM_CTLCOLORBTN:
        PassOn(m);
        if (!form_) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        return true;
    case WM_CTLCOLORSTATIC:
        PassOn(m);
        if (!form_) SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
        if (skinData_ && skinData_->ButtonFaceBrush())
            m.Result = reinterpret_cast<LRESULT>(skinData_->ButtonFaceBrush());
        return true;
    case WM_SKINQUERY: m.Result = 1; return true;
    default: return false;
    }
}

void TWinSkinForm::Phase2(TMessage& m, bool& consumed) {
    consumed = true;
    switch (m.Msg) {
    case WM_SIZE: OnSize(m); return;
    case WM_ACTIVATE: Active = LOWORD(m.WParam) != WA_INACTIVE; break;
    case WM_GETMINMAXINFO: OnGetMinMaxInfo(m); return;
    case WM_WINDOWPOSCHANGED:
        ReadWindowState();
        PassOn(m);
        return;
    case WM_NCACTIVATE: Active = (m.WParam & 0xFF) != 0; break;
    case WM_COMMAND: OnCommand(m); return;
    case WM_SYSCOMMAND: OnSysCommand(m); return;
    case WM_SKINATTACHED: OnActivated(); return;
    case CM_MENUCHANGED: {
        const bool painting = std::exchange(skinData_->FramePainting, false);
        PassOn(m);
        skinData_->FramePainting = painting;
        // The framework keeps its menu handle when items change and the bar holds it off the
        // window, so the bar reads its own menu again (new captions after a language change).
        if (skinData_->MenuUpdate() && (GetMenu(Handle) || menuHandle_)) {
            BuildMenuBand();
            PaintFrame(nullptr);
        }
        return;
    }
    default: break;
    }
    consumed = false;
}

bool TWinSkinForm::Phase3Runs() const {
    return SkinState != 0 && State != WindowState::Minimized && !NonNormalMdiChild();
}

bool TWinSkinForm::Phase3(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE: OnNcCalcSize(m); return true;
    case WM_NCHITTEST: OnNcHitTest(m); return true;
    case WM_NCPAINT: OnNcPaint(m); return true;
    case WM_NCACTIVATE: OnNcActivate(m); return true;
    case WM_NCMOUSEMOVE: OnNcMouseMove(m); return true;
    case WM_NCLBUTTONDOWN: OnNcLButtonDown(m); return true;
    case WM_NCLBUTTONUP: OnNcLButtonUp(m); return true;
    case WM_NCLBUTTONDBLCLK: OnNcLButtonDblClk(m); return true;
    case WM_NCRBUTTONDOWN: OnNcRButtonDown(m); return true;
    case WM_SKINREPAINTFRAME: PaintFrame(nullptr); return true;
    case WM_MEASUREITEM:
        if (!FormMeasureMenuItem(*this, *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    case WM_DRAWITEM:
        if (!FormDrawMenuItem(*this, *reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam))) return false;
        m.Result = TRUE;
        return true;
    case WM_SETTEXT:
    case WM_SETICON:
        // The system would draw its own caption for these; the skin's comes back on top.
        PassOn(m);
        if (m.Msg == WM_SETICON) MakeFormIcon();
        PaintFrame(nullptr);
        return true;
    default: return false;
    }
}

void TWinSkinForm::OnActivated() {
    if (SkinState == 0) {
        if (Mdi == MdiKind::Child && SkinManager && SkinManager->MdiMaximized) {
            ShowOwnStyles(true);
            SetWindowPos(Handle, nullptr, 0, 0, 0, 0, kFrameChanged);
        } else if (State != WindowState::Minimized && Kind != FrameKind::Frameless) {
            SkinState = 5;
            FitWindowToSkin(false);
            SkinState = 1;
            BuildRegion();
        }
    }
    SkinState = 1;
    if (Kind == FrameKind::Frameless) SetWindowPos(Handle, nullptr, 0, 0, 0, 0, kFrameChanged);
    if (hoverTimer_) hoverTimer_->SetEnabled(true);
    if (Mdi == MdiKind::Frame) SkinExistingMdiChildren();
}

void TWinSkinForm::OnSize(TMessage& m) {
    PassOn(m);
    switch (m.WParam) {
    case SIZE_RESTORED: State = WindowState::Normal; break;
    case SIZE_MINIMIZED: State = WindowState::Minimized; break;
    case SIZE_MAXIMIZED: State = WindowState::Maximized; break;
    default: break;
    }
    if (State == WindowState::Minimized) return;
    if (Mdi == MdiKind::Child && ((SkinManager && SkinManager->MdiMaximized) || State != WindowState::Normal))
        return;
    // The size change repaints the frame and what it uncovers; a second redraw would repeat it.
    if (SkinState == 1 || SkinState == 3) BuildRegion(false);
}

void TWinSkinForm::OnGetMinMaxInfo(TMessage& m) {
    PassOn(m);
    ReadWindowState();
    if (State == WindowState::Minimized) {
        ShowOwnStyles(true);
    } else if (Mdi != MdiKind::Child) {
        ShowOwnStyles(false);
    } else if (State == WindowState::Normal) {
        if (SkinManager && SkinManager->MdiMaximized) SkinManager->SetMdiMaximized(false);
        ShowOwnStyles(false);
    } else if (State == WindowState::Maximized) {
        ShowOwnStyles(true);
    }
    // The maximised size bounds live sizing; a smaller limit the form set itself stays.
    auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
    info->ptMaxTrackSize.x = std::min<LONG>(info->ptMaxTrackSize.x, GetSystemMetrics(SM_CXMAXIMIZED));
    info->ptMaxTrackSize.y = std::min<LONG>(info->ptMaxTrackSize.y, GetSystemMetrics(SM_CYMAXIMIZED));
}

// A choice from the system menu the skin opened comes back as WM_COMMAND; a dialog control
// whose identifier happens to be a system command code (lParam: its window) is not one.
void TWinSkinForm::OnCommand(TMessage& m) {
    const UINT code = LOWORD(m.WParam);
    if (m.LParam == 0 && IsSystemCommand(code)) {
        PostMessageW(Handle, WM_SYSCOMMAND, code, 0);
        m.Result = 0;
        return;
    }
    PassOn(m);
}

void TWinSkinForm::OnSysCommand(TMessage& m) {
    const UINT command = static_cast<UINT>(m.WParam & 0xFFF0);
    const WPARAM ch = static_cast<WPARAM>(m.LParam);
    if (!inMenuLoop_ && command == SC_KEYMENU && ch != ' ' && ch != '-' && !GetCapture() &&
        (ch == 0 || IsMenuBandAccelerator(static_cast<wchar_t>(ch)))) {
        // A foreign window has no dialog-character path: its accelerator opens the bar here.
        if (ch != 0 && !form_) {
            TMessage press{WM_SYSCHAR, WPARAM(ch), 0, 0};
            OpenMenuBandByAccelerator(press);
        }
        m.Result = 1;
        return;
    }
    switch (command) {
    case SC_MINIMIZE:
        State = WindowState::Minimized;
        if (Mdi == MdiKind::Child) ShowOwnStyles(true);
        break;
    case SC_MAXIMIZE: State = WindowState::Maximized; break;
    case SC_RESTORE:
        State = WindowState::Normal;
        if (Mdi == MdiKind::Child) ShowOwnStyles(false);
        break;
    default: break;
    }
    PassOn(m);
}

std::wstring TWinSkinForm::WindowText() const {
    wchar_t text[kMaxCaptionChars + 1] = {};
    GetWindowTextW(Handle, text, kMaxCaptionChars + 1);
    return text;
}

} // namespace kv
