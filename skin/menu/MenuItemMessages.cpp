// The skin's side of menu item messages: the handlers it gives framework items, the form
// skin's WM_MEASUREITEM and WM_DRAWITEM, and the owner-draw marks on platform menus.
#include "skin/menu/MenuItemDraw.h"

#include "skin/data/win/SkinData.h"
#include "skin/form/FormSkin.h"
#include "skin/menu/MenuBar.h"
#include "skin/menu/PopupMenuSkin.h"
#include "skin/menu/logic/MenuGeometry.h"
#include "ui/classes/ComponentLink.h"
#include "ui/forms/Forms.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/MenuDraw.h"
#include "ui/menus/Menus.h"

#include <algorithm>
#include <memory>

namespace kv {

namespace {
constexpr int kShortCutRoom = 22; // beside a foreign item's shortcut text
constexpr int kMaxMenusWalked = 1000;
} // namespace

// --- Framework handlers ----------------------------------------------------------------------

namespace {

// The skin's handlers, recognisable so that switching off removes only what the skin gave.
// They hold the skin data through a link: a menu that outlives its skin data draws and
// measures as the framework does.
using SkinDataLink = std::shared_ptr<TComponentLink<TSkinData>>;

struct SkinDrawHandler {
    SkinDataLink data;
    void operator()(TObject* sender, TCanvas& canvas, const RECT& rect, TOwnerDrawState state) const {
        auto* item = dynamic_cast<TMenuItem*>(sender);
        if (!item) return;
        TSkinData* skinData = data->Get();
        if (!skinData) {
            item->DefaultDrawItem(canvas, rect, state);
            return;
        }
        const MenuItemLook look = LookOf(*item, nullptr);
        HMENU parent = item->Parent() ? item->Parent()->Handle() : nullptr;
        DrawMenuItem(skinData, canvas.Handle(), rect, look, (state & odSelected) != 0, parent);
    }
};

struct SkinMeasureHandler {
    SkinDataLink data;
    void operator()(TObject* sender, TCanvas&, int& width, int&) const {
        auto* item = dynamic_cast<TMenuItem*>(sender);
        if (item && data->Get()) MeasureMenuItem(data->Get(), *item, width);
    }
};

void SetItemOwnerDraw(TMenuItem& item, const SkinDataLink& data, bool on) {
    const SkinDrawHandler* ours = item.OnAdvancedDrawItem.target<SkinDrawHandler>();
    if (on && (!item.OnAdvancedDrawItem || ours)) {
        item.OnAdvancedDrawItem = SkinDrawHandler{data};
        item.OnMeasureItem = SkinMeasureHandler{data};
    } else if (!on && ours) {
        item.OnAdvancedDrawItem = nullptr;
        // The width the skin added belongs to its drawing: it goes with it.
        if (item.OnMeasureItem.target<SkinMeasureHandler>()) item.OnMeasureItem = nullptr;
    }
    for (int i = 0; i < item.Count(); ++i) SetItemOwnerDraw(*item.Items(i), data, on);
}

} // namespace

void SetMenuOwnerDraw(TMenu* menu, TSkinData* skinData, bool on) {
    if (!menu) return;
    menu->SetOwnerDraw(on);
    auto data = std::make_shared<TComponentLink<TSkinData>>();
    data->Set(skinData);
    TMenuItem* root = menu->Items();
    for (int i = 0; i < root->Count(); ++i) SetItemOwnerDraw(*root->Items(i), data, on);
}

void SetPopupMenusOwnerDraw(TComponent* form, TSkinData* skinData, bool on) {
    if (!form || !skinData || !skinData->Has(xcPopupMenu)) return;
    for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* popup = dynamic_cast<TPopupMenu*>(form->Components(i));
        if (popup && popup->Tag() % 100 != skinData->DisableTag())
            SetMenuOwnerDraw(popup, skinData, on);
    }
}

// --- The form skin's messages ----------------------------------------------------------------

namespace {

TMenuItem* FrameworkItem(TWinSkinForm& form, UINT command) {
    TWinSkinMenu* bar = form.MenuBar();
    TMainMenu* menu = bar && form.Form() ? bar->FrameworkMenu() : nullptr;
    return menu ? menu->FindItem(command, TFindItemKind::fkCommand) : nullptr;
}

} // namespace

bool FormMeasureMenuItem(TWinSkinForm& form, MEASUREITEMSTRUCT& measure) {
    if (measure.CtlType != ODT_MENU || !form.HadMenu()) return false;
    const int left = MenuItemLeftWidth(form.SkinData());
    if (TMenuItem* item = FrameworkItem(form, measure.itemID)) {
        WindowDC dc(form.Handle, WindowDC::Area::Window);
        MenuCanvas canvas(dc.Get());
        int width = int(measure.itemWidth), height = int(measure.itemHeight);
        item->DefaultMeasureItem(canvas.Canvas(), width, height); // its own event stays out
        TMenu* menu = item->GetParentMenu();
        width += left + (menu && menu->Images() ? 10 : 35);
        measure.itemWidth = UINT(std::max(width, 0));
        measure.itemHeight = UINT(std::max(height, 0));
        return true;
    }
    const MenuItemLook look = MakeTempMenuItem(form.TrackedMenu, measure.itemID);
    const bool hasText = look.caption != L"-";
    WindowDC dc(form.Handle, WindowDC::Area::Window);
    SelectionGuard font(dc.Get(), MenuFont());
    RECT r{0, 0, 0, 0};
    DrawTextW(dc.Get(), look.caption.c_str(), -1, &r, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
    RECT s{0, 0, 0, 0};
    if (!look.shortCut.empty())
        DrawTextW(dc.Get(), look.shortCut.c_str(), -1, &s, DT_CALCRECT | DT_SINGLELINE);
    // The shortcut text (after a tab in the item's string) needs its own room.
    const int shortCut = s.right > 0 ? s.right + kShortCutRoom : 0;
    const MeasuredItem m =
        MeasureForeignItem(r.right + shortCut, r.bottom, int(measure.itemHeight), hasText, left);
    measure.itemWidth = UINT(m.width);
    measure.itemHeight = UINT(m.height);
    return true;
}

bool FormDrawMenuItem(TWinSkinForm& form, const DRAWITEMSTRUCT& draw) {
    if (draw.CtlType != ODT_MENU || !form.HadMenu()) return false;
    HMENU menu = reinterpret_cast<HMENU>(draw.hwndItem);
    HandPendingPopup(menu);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    if (TMenuItem* item = FrameworkItem(form, draw.itemID)) {
        TWinSkinMenu* bar = form.MenuBar();
        const MenuItemLook look = LookOf(*item, bar ? bar->FrameworkMenu() : nullptr);
        DrawMenuItem(form.SkinData(), draw.hDC, draw.rcItem, look, selected, menu);
        return true;
    }
    MenuItemLook look = MakeTempMenuItem(menu, draw.itemID);
    // Items of the system menu and other platform menus: the disabled and checked states as
    // the menu reports them while it is open.
    if (draw.itemState & (ODS_GRAYED | ODS_DISABLED)) look.enabled = false;
    if (draw.itemState & ODS_CHECKED) look.checked = true;
    DrawMenuItem(form.SkinData(), draw.hDC, draw.rcItem, look, selected, menu, false);
    return true;
}

// --- Owner-draw marks ------------------------------------------------------------------------

std::vector<OwnerDrawMark> MakeMenuOwnerDrawn(HMENU menu) {
    std::vector<OwnerDrawMark> marks;
    std::vector<HMENU> pending{menu};
    // A bound on menus visited: a menu that contains itself is not walked for ever.
    for (size_t visited = 0; !pending.empty() && visited < kMaxMenusWalked; ++visited) {
        HMENU m = pending.back();
        pending.pop_back();
        const int count = GetMenuItemCount(m);
        for (int i = 0; i < count; ++i) {
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
            if (!GetMenuItemInfoW(m, UINT(i), TRUE, &info)) continue;
            if (info.hSubMenu && info.hSubMenu != m) pending.push_back(info.hSubMenu);
            if (info.fType & MFT_OWNERDRAW) continue;
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            if (SetMenuItemInfoW(m, UINT(i), TRUE, &info)) marks.push_back({m, i, info.wID});
        }
    }
    return marks;
}

void RestoreOwnerDraw(const std::vector<OwnerDrawMark>& marks) {
    for (const OwnerDrawMark& mark : marks) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        if (!IsMenu(mark.menu) || !GetMenuItemInfoW(mark.menu, UINT(mark.position), TRUE, &info))
            continue;
        if (info.wID != mark.id || !(info.fType & MFT_OWNERDRAW)) continue;
        info.fMask = MIIM_FTYPE;
        info.fType &= ~UINT(MFT_OWNERDRAW);
        SetMenuItemInfoW(mark.menu, UINT(mark.position), TRUE, &info);
    }
}

} // namespace kv
