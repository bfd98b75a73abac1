// Caption buttons, the menu band and the non-client mouse: hit-testing, hover, press,
// release, the button actions and the system menu.
#include "skin/form/FormSkin.h"

#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/logic/FrameCompose.h"
#include "skin/menu/MenuBar.h"
#include "skin/menu/MenuItemDraw.h"
#include "ui/actions/ShortCut.h"
#include "ui/classes/ComponentLink.h"
#include "ui/forms/Forms.h"
#include "ui/menus/Menus.h"
#include "ui/services/Timer.h"

#include <algorithm>
#include <cwctype>
#include <memory>

namespace kv {
namespace {

bool Contains(const PixelRect& r, PixelPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// The skinned system menu's item tags, which are also the glyph indices of MenuGlyphs.
enum SysMenuTag : int { kRestoreTag = 0, kMaximizeTag = 1, kMinimizeTag = 2, kCloseTag = 3,
                        kSeparatorTag = 100 };
constexpr int kSysPopupMenuTag = 33333;

} // namespace

// --- TNCObject ------------------------------------------------------------------------------

void TNCObject::MouseDown() {
    if (Owner->HotObject && Owner->HotObject != this) Owner->HotObject->MouseLeave();
    if (!Visible) return;
    Owner->HotObject = this;
    State = 2;
    Paint();
}

void TNCObject::MouseUp() {
    if (!Visible) return;
    State = 3;
    Paint();
}

void TNCObject::MouseHover() {
    if (Owner->HotObject && Owner->HotObject != this) Owner->HotObject->MouseLeave();
    if (Owner->HotObject == this || !Visible) return;
    Owner->HotObject = this;
    State = 3;
    Paint();
}

void TNCObject::MouseLeave() {
    if (!Visible) return;
    Owner->HotObject = nullptr;
    State = 1;
    Paint();
}

void TWinSysButton::Paint() {
    Owner->PaintObject(*this, State);
}

// --- Building and laying out -----------------------------------------------------------------

void TWinSkinForm::BuildCaptionButtons() {
    const TSkinDefinition* skin = skinData_ ? skinData_->Skin() : nullptr;
    if (!skin) return;
    ComputeBorderSizes();
    FreeCaptionButtons();
    for (const auto& def : skin->SysButtons) {
        CaptionButtons.push_back(std::make_unique<TWinSysButton>(this, def.get()));
        if (IsIconButton(def->Action) && skinData_->DefaultIcon().Empty() && !formIcon_.Empty())
            skinData_->DefaultIcon() = formIcon_;
    }
}

void TWinSkinForm::FreeCaptionButtons() {
    if (HotObject && dynamic_cast<TWinSysButton*>(HotObject)) HotObject = nullptr;
    PressedObject = nullptr;
    CaptionButtons.clear();
}

std::vector<PlacedButton> TWinSkinForm::Placed() const {
    std::vector<PlacedButton> placed;
    placed.reserve(CaptionButtons.size());
    for (const auto& b : CaptionButtons) placed.push_back({b->SkinButton, b->BoundsRect, b->Visible});
    return placed;
}

void TWinSkinForm::LayoutCaptionButtons() {
    const TSkinDefinition* skin = skinData_->Skin();
    CaptionLayoutInput in;
    in.frameWidth = FrameWidth;
    in.textRect = TextRect;
    in.sizes = Sizes;
    in.menuBarHeight = MenuBarHeight;
    in.menuBarLeftWidth = (skin && skin->MenuBar) ? skin->MenuBar->LeftWidth : 0;
    in.rightToLeft = rightToLeft_;
    in.iconWidth = formIcon_.Width();
    in.iconHeight = formIcon_.Height();
    const CaptionFacts facts = Facts();
    for (auto& b : CaptionButtons) {
        b->Visible = IsCaptionButtonVisible(*b->SkinButton, facts);
        if (!b->Visible) continue;
        if (auto r = LayoutCaptionButton(*b->SkinButton, in)) b->BoundsRect = *r;
    }
    RightmostButtonLeft = kv::RightmostButtonLeft(Placed());
}

void TWinSkinForm::PaintObject(TNCObject& object, int state) {
    const PixelRect& r = object.BoundsRect;
    if (r.Empty() || !skinData_->Skin()) return;
    WindowDC dc(Handle, WindowDC::Area::Window);
    if (!dc) return;
    DibSection dib;
    if (!dib.Create(r.Width(), r.Height())) return;
    BitBlt(dib.Dc(), 0, 0, r.Width(), r.Height(), dc.Get(), r.left, r.top, SRCCOPY);
    if (auto* button = dynamic_cast<TWinSysButton*>(&object)) {
        PlacedButton placed{button->SkinButton, {0, 0, r.Width(), r.Height()}, true};
        ComposeCaptionButton(dib.View(), placed, state, formIcon_.View());
    }
    BitBlt(dc.Get(), r.left, r.top, r.Width(), r.Height(), dib.Dc(), 0, 0, SRCCOPY);
}

// --- The menu band ---------------------------------------------------------------------------

// The window's menu (or the one it had) drawn by the skinned menu bar in the band.
void TWinSkinForm::BuildMenuBand() {
    if (HMENU menu = GetMenu(Handle)) menuHandle_ = menu;
    if (!menuHandle_) {
        if (menuBar_) menuBar_->FreeButtons();
        MenuBarHeight = 0;
        return;
    }
    if (!menuBar_) menuBar_ = std::make_unique<TWinSkinMenu>(this, skinData_);
    menuBar_->SetFrameworkMenu(form_ ? form_->Menu() : nullptr);
    menuBar_->BuildFromMenu(menuHandle_);
    MenuBarHeight = GetSystemMetrics(SM_CYMENU);
}

void TWinSkinForm::PaintMenuBand(HDC dc, int w) {
    if (!menuBar_) return;
    const int top = Sizes.caption;
    menuBar_->PaintBar(dc, {Sizes.left, top, w - Sizes.right, top + MenuBarHeight});
}

bool TWinSkinForm::IsMenuBandAccelerator(wchar_t key) const {
    return menuBar_ && menuBar_->ButtonForAccelerator(key);
}

// Alt and an item's accelerator open that item as a click on it would: the press is posted
// at the item's top-left corner.
bool TWinSkinForm::OpenMenuBandByAccelerator(TMessage& m) {
    const bool alt = GetKeyState(VK_MENU) < 0;
    const bool others = GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_CONTROL) < 0;
    if (!alt || others || !menuBar_) return false;
    TMenuBtn* button = menuBar_->ButtonForAccelerator(static_cast<wchar_t>(m.WParam & 0xFFFF));
    if (!button || button->BoundsRect.Empty()) return false;
    menuBar_->ClickButton(*button);
    m.Result = 1;
    return true;
}

// --- Mouse -----------------------------------------------------------------------------------

PixelPoint TWinSkinForm::ScreenToWindow(LPARAM lParam) const {
    const PixelPoint p = PointFromLParam(lParam);
    RECT r{};
    GetWindowRect(Handle, &r);
    return {p.x - r.left, p.y - r.top};
}

TNCObject* TWinSkinForm::FindObject(PixelPoint p) {
    const int i = FindButtonAt(Placed(), p);
    if (i >= 0) return CaptionButtons[size_t(i)].get();
    return menuBar_ ? menuBar_->ButtonAt(p) : nullptr;
}

void TWinSkinForm::OnNcHitTest(TMessage& m) {
    PassOn(m);
    if (m.Result != HTNOWHERE) return;
    m.Result = FrameHitTest(ScreenToWindow(m.LParam).y, Sizes.caption);
}

void TWinSkinForm::OnNcMouseMove(TMessage& m) {
    if (!Active) {
        m.Result = 0;
        return;
    }
    if (TNCObject* object = FindObject(ScreenToWindow(m.LParam))) {
        object->MouseHover();
        m.Result = 0;
        return;
    }
    if (HotObject) HotObject->MouseLeave();
    PassOn(m);
}

void TWinSkinForm::OnNcLButtonDown(TMessage& m) {
    if (TNCObject* object = FindObject(ScreenToWindow(m.LParam))) {
        if (!Active) SetForegroundWindow(Handle);
        object->MouseDown();
        PressedObject = object;
        if (auto* button = dynamic_cast<TMenuBtn*>(object)) menuBar_->OpenButtonMenu(*button);
        m.Result = 0;
        return;
    }
    if (State == WindowState::Maximized && m.WParam == HTCAPTION && Active) m.WParam = HTMENU;
    PassOn(m);
}

void TWinSkinForm::OnNcLButtonUp(TMessage& m) {
    TNCObject* object = FindObject(ScreenToWindow(m.LParam));
    TNCObject* pressed = std::exchange(PressedObject, nullptr);
    if (!object) {
        PassOn(m);
        return;
    }
    m.Result = 0;
    auto* button = dynamic_cast<TWinSysButton*>(object);
    if (!button || button != pressed) return; // released over another button: nothing
    button->MouseUp();
    RunButtonAction(*button, PointFromLParam(m.LParam));
}

// The system turns the second click on the icon into a double click; there it is the
// second click that closes the window, as on the system's own caption.
void TWinSkinForm::OnNcLButtonDblClk(TMessage& m) {
    m.Result = 0;
    auto* button = dynamic_cast<TWinSysButton*>(FindObject(ScreenToWindow(m.LParam)));
    if (button && ActionOf(button->SkinButton->Action) == ButtonAction::SystemMenu)
        ShowSystemMenu(PointFromLParam(m.LParam));
    else if (State != WindowState::Normal)
        Restore();
    else if (capabilities_ & 1)
        ToggleMaximize();
}

void TWinSkinForm::OnNcRButtonDown(TMessage& m) {
    if (m.WParam == HTCAPTION && Mdi != MdiKind::Child) {
        ShowSystemMenu(PointFromLParam(m.LParam));
        m.Result = 0;
        return;
    }
    PassOn(m);
}

void TWinSkinForm::HoverTick() {
    if (inMenuLoop_ || !HotObject) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    RECT r{};
    GetWindowRect(Handle, &r);
    const PixelPoint p{cursor.x - r.left, cursor.y - r.top};
    if (!Contains(HotObject->BoundsRect, p)) HotObject->MouseLeave();
}

// --- Actions ---------------------------------------------------------------------------------

void TWinSkinForm::CloseWindow() {
    if (hoverTimer_) hoverTimer_->SetEnabled(false);
    PostMessageW(Handle, WM_CLOSE, 0, 0);
}

void TWinSkinForm::RunButtonAction(const TWinSysButton& button, PixelPoint screen) {
    switch (ActionOf(button.SkinButton->Action)) {
    case ButtonAction::Close: CloseWindow(); break;
    case ButtonAction::ToggleMaximize: ToggleMaximize(); break;
    case ButtonAction::ToggleMinimize: ToggleMinimize(); break;
    case ButtonAction::SystemMenu: ShowSystemMenu({screen.x + 1, screen.y + 1}); break;
    case ButtonAction::MdiMinimize: SendToActiveMdiChild(SC_MINIMIZE); break;
    case ButtonAction::MdiRestore: SendToActiveMdiChild(SC_RESTORE); break;
    case ButtonAction::MdiClose: SendToActiveMdiChild(SC_CLOSE); break;
    case ButtonAction::Custom:
        PostMessageW(Handle, WM_SKINQUERY, WPARAM(button.SkinButton->Action), 0);
        break;
    }
}

void TWinSkinForm::ToggleMaximize() {
    if (State == WindowState::Maximized) {
        Restore();
        return;
    }
    State = WindowState::Maximized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
    HotObject = nullptr;
}

void TWinSkinForm::Restore() {
    State = WindowState::Normal;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
}

void TWinSkinForm::ToggleMinimize() {
    if (State == WindowState::Minimized) {
        Restore();
        return;
    }
    State = WindowState::Minimized;
    PostMessageW(Handle, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

void TWinSkinForm::SendToActiveMdiChild(WPARAM command) {
    if (Mdi != MdiKind::Frame || !SkinManager || !SkinManager->MdiClientHandle) return;
    BOOL maximized = FALSE;
    HWND child = reinterpret_cast<HWND>(
        SendMessageW(SkinManager->MdiClientHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized)));
    if (!child) return;
    SendMessageW(child, WM_SYSCOMMAND, command, 0);
    if (SkinManager && SkinManager->MdiMaximized && !IsZoomed(child))
        SkinManager->SetMdiMaximized(false);
}

// The skinned system menu: Restore, Maximize, Minimize (each only where the window has the
// box), Close. Owner-drawn with the skin's menu glyphs.
void TWinSkinForm::BuildSysPopupMenu() {
    FreeSysPopupMenu();
    sysPopupMenu_ = std::make_unique<TPopupMenu>(nullptr);
    sysPopupMenu_->SetTag(kSysPopupMenuTag);
    sysPopupMenu_->SetOwnerDraw(true);
    if (skinData_) sysPopupMenu_->SetImages(skinData_->MenuGlyphs());
    // A click runs after the menu loop, in which this form skin may have gone with its window.
    auto self = std::make_shared<TComponentLink<TWinSkinForm>>();
    self->Set(this);
    auto add = [this, self](const char* caption, int tag, TShortCut shortCut) {
        auto* item = new TMenuItem(sysPopupMenu_.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        if (tag != kSeparatorTag) item->SetImageIndex(tag);
        item->SetShortCut(shortCut);
        item->SetOnClick([self, tag](TObject*) {
            if (TWinSkinForm* skin = self->Get()) skin->SysMenuClick(tag);
        });
        sysPopupMenu_->Items()->Add(item);
    };
    add(" Restore ", kRestoreTag, scNone);
    if (capabilities_ & 1) add(" Maximize ", kMaximizeTag, scNone);
    if (capabilities_ & 2) add(" Minimize ", kMinimizeTag, scNone);
    add("-", kSeparatorTag, scNone);
    add(" Close ", kCloseTag, TextToShortCut("Shift+F4"));
    SetMenuOwnerDraw(sysPopupMenu_.get(), skinData_, true);
}

void TWinSkinForm::FreeSysPopupMenu() {
    sysPopupMenu_.reset();
}

void TWinSkinForm::SysMenuClick(int tag) {
    switch (tag) {
    case kRestoreTag: Restore(); break;
    case kMaximizeTag: ToggleMaximize(); break;
    case kMinimizeTag: ToggleMinimize(); break;
    case kCloseTag: CloseWindow(); break;
    default: break;
    }
}

// A second click on the icon within the double-click time closes the window instead. Windows
// whose skin data does not skin the system menu (and MDI children) get the system's own menu,
// whose choice comes back as WM_COMMAND and is turned into WM_SYSCOMMAND by OnCommand.
void TWinSkinForm::ShowSystemMenu(PixelPoint screen) {
    const bool normal = State == WindowState::Normal;
    const bool maximized = State == WindowState::Maximized;
    const bool minimized = State == WindowState::Minimized;
    if (sysPopupMenu_) {
        TMenuItem* items = sysPopupMenu_->Items();
        for (int i = 0; i < items->Count(); ++i) {
            TMenuItem* item = items->Items(i);
            if (item->Tag() == kRestoreTag) item->SetEnabled(!normal);
            if (item->Tag() == kMaximizeTag) item->SetEnabled(!maximized);
            if (item->Tag() == kMinimizeTag) item->SetEnabled(!minimized);
        }
    }
    const DWORD now = GetTickCount();
    if (now - lastSysMenuTick_ < doubleClickTime_) { // unsigned: the tick wrap does no harm
        CloseWindow();
        return;
    }
    lastSysMenuTick_ = now;
    // The menu loop runs other messages: the window, and this object with it, may go there.
    TComponentLink<TWinSkinForm> alive;
    alive.Set(this);
    inMenuLoop_ = true;
    if (sysPopupMenu_ && skinData_ && skinData_->Has(xcSystemMenu) && Mdi != MdiKind::Child) {
        // Held here while it is tracked: a detach meanwhile must not free the open menu.
        std::unique_ptr<TPopupMenu> open = std::move(sysPopupMenu_);
        open->Popup(screen.x, screen.y);
        if (!alive) return;
        if (hooked_ && !sysPopupMenu_) sysPopupMenu_ = std::move(open);
    } else if (systemMenu_) {
        // The system leaves its menu's states to the window: match them to the window's.
        auto enable = [this](UINT command, bool on) {
            EnableMenuItem(systemMenu_, command, MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
        };
        enable(SC_RESTORE, !normal);
        enable(SC_MAXIMIZE, !maximized);
        enable(SC_MINIMIZE, !minimized);
        enable(SC_MOVE, !maximized);
        enable(SC_SIZE, normal && sizable_);
        // The system's own items are drawn as the skin's foreign items while it is open.
        const bool skinned = skinData_ && skinData_->Has(xcMainMenu);
        std::vector<OwnerDrawMark> marks;
        if (skinned) marks = MakeMenuOwnerDrawn(systemMenu_);
        TrackedMenu = systemMenu_;
        TrackPopupMenu(systemMenu_, TPM_RIGHTBUTTON, screen.x, screen.y, 0, Handle, nullptr);
        RestoreOwnerDraw(marks);
        if (!alive) return;
        TrackedMenu = nullptr;
    }
    inMenuLoop_ = false;
}

} // namespace kv
