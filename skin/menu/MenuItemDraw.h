#pragma once
// Measuring and drawing owner-drawn popup menu items from the skin: the MenuItem strip over the
// popup's background, or flat colours; image or check/radio mark, caption, shortcut text and
// separators. Used by framework items (their measure and advanced-draw events), by the form
// skin's WM_MEASUREITEM / WM_DRAWITEM, and for items of foreign menus (the system menu).
//
// Contract
// - Every drawing composes in an item-sized bitmap and reaches the target DC in one copy.
//   Pieces taken from the popup's background or the MenuItem image are clipped to that image
//   (margins clamped), so a skin with odd sizes draws less, never outside.
// - Without a MenuItem object items are flat: HilightColour behind the selected one,
//   MenuColour behind the others.
// - The first item drawn after a popup painted its frame names that popup's menu (PendingPopup
//   in PopupMenuSkin.h).
// - MakeMenuOwnerDrawn sets MFT_OWNERDRAW (through MIIM_FTYPE, which keeps the item's text)
//   on every item of a menu and its submenus that lacks it, and answers what it changed, so
//   that RestoreOwnerDraw can take exactly those marks away again.
#include <windows.h>

#include <string>
#include <vector>

class TCanvas;
class TComponent;
class TImageList;
class TMainMenu;
class TMenu;
class TMenuItem;

namespace kv {

class TSkinData;
class TWinSkinForm;

// A menu item as the drawing sees it, made from a framework item or from a platform menu.
struct MenuItemLook {
    std::wstring caption; // "-" for a separator
    std::wstring shortCut;
    bool enabled = true;
    bool checked = false;
    bool radio = false;
    bool isDefault = false;
    bool rightToLeft = false;
    TImageList* images = nullptr;
    int imageIndex = -1;
};

// The framework item's look (its action updates it first). `barMenu`: the menu used when the
// item belongs to no menu.
MenuItemLook LookOf(TMenuItem& item, TMainMenu* barMenu);
// An item of a platform menu by command: its string ("-" when empty), enabled and checked
// states; the text after a tab is the shortcut.
MenuItemLook MakeTempMenuItem(HMENU menu, UINT id);

// The MenuItem object's left margin (clamped to the item sizes drawn), 0 without the object.
int MenuItemLeftWidth(const TSkinData* skinData);
// Widening of a measured item: the MenuItem left margin plus room for the glyph column.
void MeasureMenuItem(const TSkinData* skinData, const TMenuItem& item, int& width);
// Draws `look` at `rect` of `dc`; `parentMenu` finds the popup background it continues.
void DrawMenuItem(const TSkinData* skinData, HDC dc, const RECT& rect, const MenuItemLook& look,
                  bool selected, HMENU parentMenu, bool separatorCase = true);
void DrawPlainMenuItem(const TSkinData* skinData, HDC dc, const RECT& rect,
                       const MenuItemLook& look, bool selected);

// Gives every item of the form's popup menus (those whose tag modulo 100 is not the skin's
// DisableTag, when the skin serves xcPopupMenu) the skinned draw and measure handlers, or
// (`on` false) takes the skin's handlers away again. An item with a draw handler of its own
// keeps its handlers. The handlers follow the skin data through a link: once it is gone they
// draw and measure as the framework does.
void SetPopupMenusOwnerDraw(TComponent* form, TSkinData* skinData, bool on);
// The same for one menu (the skinned system menu), whatever its tag.
void SetMenuOwnerDraw(TMenu* menu, TSkinData* skinData, bool on);

// The form skin's WM_MEASUREITEM / WM_DRAWITEM for menu items; false: default handling.
bool FormMeasureMenuItem(TWinSkinForm& form, MEASUREITEMSTRUCT& measure);
bool FormDrawMenuItem(TWinSkinForm& form, const DRAWITEMSTRUCT& draw);

struct OwnerDrawMark {
    HMENU menu;
    int position;
    UINT id;
};
std::vector<OwnerDrawMark> MakeMenuOwnerDrawn(HMENU menu);
void RestoreOwnerDraw(const std::vector<OwnerDrawMark>& marks);

} // namespace kv
