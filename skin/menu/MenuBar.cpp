// The skinned menu bar: building its buttons from the menu, painting the bar and a button,
// finding buttons. Tracking a button's menu is in MenuTracking.cpp.
#include "skin/menu/MenuBar.h"

#include "skin/controls/ControlText.h"
#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/menu/MenuItemDraw.h"
#include "skin/menu/MenuTrackingState.h"
#include "ui/classes/ComponentLink.h"
#include "ui/menus/MenuDraw.h"
#include "ui/menus/Menus.h"

#include <algorithm>

namespace kv {

namespace {

constexpr int kMaxCaptionChars = 80;

bool Contains(const PixelRect& r, PixelPoint p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

// Copies `source` of `from` to (toX, toY), only the part that lies inside `from`.
void CopyClipped(HDC to, int toX, int toY, const DibSection& from, const PixelRect& source) {
    if (from.Empty()) return;
    const PixelRect inside{std::max(source.left, 0), std::max(source.top, 0),
                           std::min(source.right, from.Width()), std::min(source.bottom, from.Height())};
    if (inside.Width() <= 0 || inside.Height() <= 0) return;
    BitBlt(to, toX + inside.left - source.left, toY + inside.top - source.top, inside.Width(),
           inside.Height(), from.Dc(), inside.left, inside.top, SRCCOPY);
}

} // namespace

struct TWinSkinMenu::FrameworkLink {
    TComponentLink<TMainMenu> menu;
};

int OpenMenuIndex() {
    return State().OpenIndex;
}

// --- TMenuBtn --------------------------------------------------------------------------------

void TMenuBtn::Paint() {
    Bar->PaintButton(*this);
}

// --- Building --------------------------------------------------------------------------------

TWinSkinMenu::TWinSkinMenu(TWinSkinForm* owner, TSkinData* skinData)
    : OwnerForm(owner), SkinData(skinData), framework_(std::make_unique<FrameworkLink>()) {}

TWinSkinMenu::~TWinSkinMenu() {
    FreeButtons();
    // A bar freed inside its own menu loop: the loop must not come back to it.
    Tracking& t = State();
    if (t.TrackingBar == this) {
        t.TrackingBar = nullptr;
        OwnerForm->SetInMenuLoop(false);
        OwnerForm->TrackedMenu = nullptr;
        t.SwitchingMenu = false;
        t.SwitchTo = -1;
    }
}

void TWinSkinMenu::SetFrameworkMenu(TMainMenu* menu) {
    framework_->menu.Set(menu);
}

TMainMenu* TWinSkinMenu::FrameworkMenu() const {
    return framework_->menu.Get();
}

void TWinSkinMenu::ForgetButtons() {
    for (auto& b : BarButtons) {
        if (OwnerForm->HotObject == b.get()) OwnerForm->HotObject = nullptr;
        if (OwnerForm->PressedObject == b.get()) OwnerForm->PressedObject = nullptr;
    }
}

void TWinSkinMenu::FreeButtons() {
    ForgetButtons();
    BarButtons.clear();
}

void TWinSkinMenu::BuildFromWindowMenu() {
    if (HMENU menu = GetMenu(OwnerForm->Handle)) BarMenu = menu;
    BuildFromMenu(nullptr);
}

void TWinSkinMenu::BuildFromMenu(HMENU menu) {
    const bool byCommand = menu != nullptr;
    if (menu) BarMenu = menu;
    if (!BarMenu) return;
    FreeButtons();
    const int count = GetMenuItemCount(BarMenu);
    for (int i = 0; i < count; ++i) AddButtonFromMenu(BarMenu, i, byCommand);
    if (GetMenu(OwnerForm->Handle)) SetMenu(OwnerForm->Handle, nullptr);
}

void TWinSkinMenu::AddButtonFromMenu(HMENU menu, int position, bool byCommand) {
    wchar_t text[kMaxCaptionChars + 1] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = kMaxCaptionChars;
    auto button = std::make_unique<TMenuBtn>(this, OwnerForm, position);
    if (GetMenuItemInfoW(menu, UINT(position), TRUE, &info)) {
        button->SubMenu = info.hSubMenu;
        button->Enabled = (info.fState & (MFS_GRAYED | MFS_DISABLED)) == 0;
        button->Command = info.wID;
        button->Caption = text;
    }
    button->Visible = true;
    if (button->Caption.empty()) TakeCaptionFromFramework(*button, menu, position, byCommand);
    BarButtons.push_back(std::move(button));
}

// Owner-drawn items carry no text: the framework's item gives its caption.
void TWinSkinMenu::TakeCaptionFromFramework(TMenuBtn& button, HMENU menu, int position,
                                            bool byCommand) {
    TMainMenu* framework = FrameworkMenu();
    if (!framework) return;
    TMenuItem* root = framework->Items();
    TMenuItem* item = nullptr;
    if (byCommand) {
        for (int i = 0; i < root->Count(); ++i)
            if (root->Items(i)->Command() == button.Command) item = root->Items(i);
    } else if (position < root->Count()) {
        item = root->Items(position);
    }
    if (!item) return;
    item->InitiateAction();
    button.Caption = AnsiToWide(item->Caption()).substr(0, kMaxCaptionChars);
    button.Enabled = item->Enabled();
    button.Command = GetMenuItemID(menu, position);
    button.SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
}

void TWinSkinMenu::BuildFromFrameworkMenu() {
    if (HMENU menu = GetMenu(OwnerForm->Handle)) BarMenu = menu;
    FreeButtons();
    if (TMainMenu* framework = FrameworkMenu()) {
        TMenuItem* root = framework->Items();
        for (int i = 0; i < root->Count(); ++i) {
            TMenuItem* item = root->Items(i);
            item->InitiateAction();
            auto button = std::make_unique<TMenuBtn>(this, OwnerForm, i);
            button->Caption = AnsiToWide(item->Caption()).substr(0, kMaxCaptionChars);
            button->Enabled = item->Enabled();
            button->Visible = item->Visible();
            button->Command = item->Command();
            button->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
            BarButtons.push_back(std::move(button));
        }
    }
    if (GetMenu(OwnerForm->Handle)) SetMenu(OwnerForm->Handle, nullptr);
    OwnerForm->HotObject = nullptr;
}

// --- Painting --------------------------------------------------------------------------------

bool TWinSkinMenu::IsMdiChildMaximized() const {
    if (OwnerForm->Mdi != MdiKind::Frame || !SkinManager || !SkinManager->MdiClientHandle)
        return false;
    BOOL maximized = FALSE;
    SendMessageW(SkinManager->MdiClientHandle, WM_MDIGETACTIVE, 0, LPARAM(&maximized));
    return maximized != FALSE;
}

// The MDI child's minimise, restore and close buttons sit in the bar of its maximised frame.
void TWinSkinMenu::PaintMdiButtons(PixelView bar) {
    const int dx = -OwnerForm->Sizes.left, dy = -OwnerForm->Sizes.caption;
    for (const auto& b : OwnerForm->CaptionButtons) {
        const TDataSkinSysButton* def = b->SkinButton;
        if (!def || def->Visibility != 100 || def->Bitmap.Empty()) continue;
        const PixelRect r{b->BoundsRect.left + dx, b->BoundsRect.top + dy,
                          b->BoundsRect.right + dx, b->BoundsRect.bottom + dy};
        DrawSkinStrip(bar, r, def->Bitmap.View(), false, std::max(def->FrameCount, 1), 1);
    }
    if (SkinManager && !SkinManager->MdiMaximized) SkinManager->SetMdiMaximized(true);
}

// The bar's colour and image into the work bitmap; answers where the first button starts.
int TWinSkinMenu::ComposeBarBackground(const TSkinDefinition& skin, int w, int h) {
    RECT all{0, 0, w, h};
    // The colour first: the border-only nine-slice leaves the middle as it finds it.
    UniqueBrush back(CreateSolidBrush(ResolveColour(skin.MenubarColour)));
    FillRect(work_.Dc(), &all, back.Get());
    const TDataSkinObject* piece = skin.MenuBar.get();
    const bool rtl = OwnerForm->RightToLeft();
    if (!piece || piece->Bitmap.Empty()) return BarStartOffset(false, 0, 0, w, rtl);
    GdiFlush();
    // Two cells stacked: the active window's over the inactive one's.
    const PixelRect margins{piece->LeftWidth, piece->TopHeight, piece->RightWidth, piece->BottomHeight};
    const int cell = OwnerForm->Active ? 1 : 2;
    if (piece->Tile == 1)
        DrawNineSlice(work_.View(), {0, 0, w, h}, piece->Bitmap.View(), true, false, false, 2, cell,
                      margins);
    else
        DrawNineSliceDirect(work_.View(), {0, 0, w, h}, piece->Bitmap.View(), true, false, 2, cell,
                            margins);
    return BarStartOffset(true, piece->LeftWidth, piece->RightWidth, w, rtl);
}

// Lays the buttons out from x0 and draws their captions; `rect` is the bar in the window.
void TWinSkinMenu::DrawButtons(const TSkinDefinition& skin, const PixelRect& rect, int x0) {
    HDC canvas = work_.Dc();
    SelectionGuard font(canvas, MenuFont());
    SetBkMode(canvas, TRANSPARENT);
    std::vector<int> widths;
    for (auto& b : BarButtons) {
        RECT measure{0, 0, 0, 0};
        DrawTextW(canvas, b->Caption.c_str(), int(b->Caption.size()), &measure,
                  DT_CALCRECT | DT_SINGLELINE);
        widths.push_back(measure.right - measure.left);
    }
    const std::vector<PixelRect> cells =
        LayoutBarButtons(widths, rect.Width(), rect.Height(), x0, OwnerForm->RightToLeft());
    for (size_t i = 0; i < BarButtons.size(); ++i) {
        TMenuBtn& b = *BarButtons[i];
        const PixelRect& c = cells[i];
        SetTextColor(canvas, ResolveColour(b.Enabled ? skin.MenuBarTextColour : skin.ButtonShadowColour));
        DrawCenteredText(canvas, {c.left, c.top, c.right, c.bottom}, b.Caption, 2, b.Enabled);
        b.BoundsRect = {c.left + rect.left, c.top + rect.top, c.right + rect.left, c.bottom + rect.top};
    }
}

void TWinSkinMenu::PaintBar(HDC dc, const PixelRect& rect) {
    const int w = rect.Width(), h = rect.Height();
    const TSkinDefinition* skin = SkinData ? SkinData->Skin() : nullptr;
    if (w <= 0 || h <= 0 || !skin) return;
    if (work_.Empty() || work_.Width() != w || work_.Height() != h) {
        if (!work_.Create(w, h)) return;
    }
    const int x0 = ComposeBarBackground(*skin, w, h);
    BarRect = rect;
    if (BarBackground.Empty() || BarBackground.Width() != w || BarBackground.Height() != h)
        BarBackground.Create(w, h);
    if (!BarBackground.Empty()) BitBlt(BarBackground.Dc(), 0, 0, w, h, work_.Dc(), 0, 0, SRCCOPY);
    DrawButtons(*skin, rect, x0);
    if (IsMdiChildMaximized()) {
        GdiFlush();
        PaintMdiButtons(work_.View());
    }
    BitBlt(dc, rect.left, rect.top, w, h, work_.Dc(), 0, 0, SRCCOPY);
}

void TWinSkinMenu::PaintButton(TMenuBtn& button) {
    const TSkinDefinition* skin = SkinData ? SkinData->Skin() : nullptr;
    const PixelRect& r = button.BoundsRect;
    if (!skin || r.Empty() || BarRect.Empty()) return;
    WindowDC dc(OwnerForm->Handle, WindowDC::Area::Window);
    if (!dc) return;
    // The button's columns of the bar as painted, so that a frame drawn before goes away.
    const int left = std::max(r.left, BarRect.left), right = std::min(r.right, BarRect.right);
    CopyClipped(dc.Get(), left, BarRect.top, BarBackground,
                {left - BarRect.left, 0, right - BarRect.left, BarRect.Height()});
    if (button.State == 2 || button.State == 3) {
        UniqueBrush frame(CreateSolidBrush(ResolveColour(skin->ButtonHilightColour)));
        RECT box{r.left, r.top, r.right, r.bottom};
        FrameRect(dc.Get(), &box, frame.Get());
    }
    SelectionGuard font(dc.Get(), MenuFont());
    SetTextColor(dc.Get(), ResolveColour(button.Enabled ? skin->MenuBarTextColour
                                                        : skin->ButtonShadowColour));
    DrawCenteredText(dc.Get(), {r.left, r.top, r.right, r.bottom}, button.Caption, 2,
                     button.Enabled);
}

// --- Finding buttons -------------------------------------------------------------------------

TMenuBtn* TWinSkinMenu::ButtonAt(PixelPoint p) const {
    for (const auto& b : BarButtons)
        if (!b->Caption.empty() && Contains(b->BoundsRect, p)) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::ButtonForAccelerator(wchar_t key) const {
    const auto upper = static_cast<wchar_t>(std::towupper(key));
    for (const auto& b : BarButtons)
        if (b->Enabled && upper && MenuAccelerator(b->Caption) == upper) return b.get();
    return nullptr;
}

void TWinSkinMenu::ClickButton(const TMenuBtn& button) const {
    RECT w{};
    GetWindowRect(OwnerForm->Handle, &w);
    PostMessageW(OwnerForm->Handle, WM_NCLBUTTONDOWN, HTCLIENT,
                 MAKELPARAM(w.left + button.BoundsRect.left + 1, w.top + button.BoundsRect.top + 1));
}

TMenuBtn* TWinSkinMenu::NeighbourButton(bool next) const {
    const int i = NeighbourIndex(State().OpenIndex, ButtonCount(), next);
    return i < 0 ? nullptr : BarButtons[size_t(i)].get();
}

} // namespace kv
