// Drawing menu items from the skin: the looks of framework and platform items, the MenuItem
// cell over the popup's background or flat colours, glyph, check mark, caption, shortcut and
// separator.
#include "skin/menu/MenuItemDraw.h"

#include "skin/data/win/SkinData.h"
#include "skin/data/win/SkinManager.h"
#include "skin/form/draw/PixelOps.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/win/DibSection.h"
#include "skin/menu/PopupMenuSkin.h"
#include "skin/menu/logic/MenuGeometry.h"
#include "ui/actions/ShortCut.h"
#include "ui/graphics/ImageList.h"
#include "ui/menus/MenuDraw.h"
#include "ui/menus/Menus.h"

#include <algorithm>

namespace kv {

namespace {

constexpr int kMaxItemChars = 80;
constexpr int kItemCells = 5;
constexpr int kNormalCell = 1, kSeparatorCell = 2, kSelectedCell = 4;
constexpr int kMaxItemSide = 4096;   // an item is never drawn larger than this
constexpr UINT kMeasureFlags = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kDrawFlags = DT_EXPANDTABS | DT_SINGLELINE;

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

const TSkinDefinition* SkinOf(const TSkinData* data) {
    return data ? data->Skin() : nullptr;
}

const TDataSkinObject* MenuItemObject(const TSkinDefinition* skin) {
    return skin && skin->MenuItem && !skin->MenuItem->Bitmap.Empty() ? skin->MenuItem.get()
                                                                       : nullptr;
}

int LeftWidthOf(const TSkinDefinition* skin) {
    const TDataSkinObject* object = skin ? skin->MenuItem.get() : nullptr;
    return object ? std::clamp(object->LeftWidth, 0, kMaxItemSide) : 0;
}

PixelRect MarginsOf(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

COLORREF Colour(const TSkinDefinition* skin, SkinColour TSkinDefinition::*colour, int system) {
    return skin ? ResolveColour(skin->*colour) : GetSysColor(system);
}

// The item's text colour: highlight when selected, shadow when disabled (the system's shadow
// when the skin's equals its text colour, so that the item still looks disabled).
COLORREF TextColour(const TSkinDefinition* skin, const MenuItemLook& look, bool selected) {
    const COLORREF text = Colour(skin, &TSkinDefinition::MenuTextColour, COLOR_MENUTEXT);
    if (look.enabled)
        return selected ? Colour(skin, &TSkinDefinition::HilightTextColour, COLOR_HIGHLIGHTTEXT)
                        : text;
    const COLORREF shadow = Colour(skin, &TSkinDefinition::ButtonShadowColour, COLOR_BTNSHADOW);
    return shadow == text ? GetSysColor(COLOR_BTNSHADOW) : shadow;
}

UniqueFont BoldMenuFont() {
    LOGFONTW font{};
    GetObjectW(MenuFont(), sizeof font, &font);
    font.lfWeight = FW_BOLD;
    return UniqueFont(CreateFontIndirectW(&font));
}

// Measures (DT_CALCRECT in format) or draws one text of an item.
void DrawMenuItemText(HDC dc, const TSkinDefinition* skin, const MenuItemLook& look, UINT format,
                      bool selected, RECT& box, std::wstring text) {
    const bool measuring = (format & DT_CALCRECT) != 0;
    if (measuring && (text.empty() || text == L"&")) text += L' ';
    if (text == L"-") {
        if (measuring) return;
        RECT line = box;
        OffsetRect(&line, 0, 4);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    UniqueFont bold = look.isDefault ? BoldMenuFont() : UniqueFont();
    SelectionGuard font(dc, bold.Get()); // nothing to select for an ordinary item
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, TextColour(skin, look, selected));
    DrawTextW(dc, text.c_str(), int(text.size()), &box, format);
}

// The system's check mark or radio bullet in the button-text colour, centred in `box`: drawn
// black on white into a mask, of which only the black pixels are painted.
void DrawMark(HDC dc, const RECT& box, bool radio) {
    const int w = box.right - box.left, h = box.bottom - box.top;
    if (w <= 0 || h <= 0) return;
    UniqueMemoryDC maskDc(CreateCompatibleDC(dc));
    UniqueBitmap mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!maskDc || !mask) return;
    SelectionGuard maskSel(maskDc.Get(), mask.Get());
    RECT r{0, 0, w, h};
    DrawFrameControl(maskDc.Get(), &r, DFC_MENU, radio ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    UniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    SelectionGuard brushSel(dc, brush.Get());
    const COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
    const COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
    BitBlt(dc, box.left, box.top, w, h, maskDc.Get(), 0, 0, 0x00B8074A); // black: brush
    SetBkColor(dc, oldBk);
    SetTextColor(dc, oldText);
}

// The checkered square behind a checked item's image.
void DrawCheckedImageBack(HDC dc, const RECT& box) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    uint32_t pixels[8 * 8];
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const COLORREF c = ((x + y) & 1) ? light : face;
            pixels[y * 8 + x] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 8, -8, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    UniqueBitmap pattern(CreateDIBitmap(dc, &info.bmiHeader, CBM_INIT, pixels, &info, DIB_RGB_COLORS));
    UniqueBrush brush(CreatePatternBrush(pattern.Get()));
    FillRect(dc, &box, brush.Get());
    RECT edge = box;
    DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
}

void DrawGlyph(HDC dc, const RECT& glyph, const MenuItemLook& look) {
    TImageList* images = look.images;
    if (images && look.imageIndex >= 0 && look.imageIndex < images->Count()) {
        if (look.checked) DrawCheckedImageBack(dc, glyph);
        images->Draw(dc, glyph.left, glyph.top, look.imageIndex, look.enabled);
    } else if (look.checked) {
        RECT mark = glyph;
        OffsetRect(&mark, 1, 1);
        DrawMark(dc, mark, look.radio);
    }
}

// Glyph, caption and shortcut of an item over what is already drawn at `rect`.
void DrawMenuItemContent(HDC dc, const TSkinDefinition* skin, const MenuItemLook& look,
                         bool selected, const RECT& rect) {
    const int g = std::min(MenuGlyphSize(look.images ? look.images->Width() : 0,
                                         look.images != nullptr, look.checked),
                           kMaxItemSide);
    const int inset = LeftWidthOf(MenuItemObject(skin) ? skin : nullptr);
    const bool line = look.caption == L"-";
    const PixelRect item{rect.left, rect.top, rect.right, rect.bottom};
    const ItemBoxes boxes = MenuItemBoxes(item, g, inset, line, look.rightToLeft);
    if (!line) DrawGlyph(dc, ToRect(boxes.glyph), look);
    const UINT side = look.rightToLeft ? DT_RIGHT : 0;
    RECT text = ToRect(boxes.text);
    RECT measured = text;
    DrawMenuItemText(dc, skin, look, kMeasureFlags | side, selected, measured, look.caption);
    OffsetRect(&text, 0, ((rect.bottom - rect.top) - (measured.bottom - measured.top)) / 2);
    DrawMenuItemText(dc, skin, look, kDrawFlags | side, selected, text, look.caption);
    if (look.shortCut.empty() || line) return;
    const PixelRect caption{measured.left, text.top, measured.right, text.bottom};
    RECT shortCut = ToRect(ShortCutBox(item, caption, look.rightToLeft));
    DrawMenuItemText(dc, skin, look, kDrawFlags | (look.rightToLeft ? DT_LEFT : DT_RIGHT),
                     selected, shortCut, look.shortCut);
}

// The separator: the MenuItem strip's second cell, ends at their own width and the middle
// stretched, its bottom rows when the item is lower than the image; magenta stays out.
void DrawMenuSeparator(PixelView target, const TDataSkinObject& object) {
    const PixelView image = object.Bitmap.View();
    const PixelRect cell = StripFrame(image, false, kItemCells, kSeparatorCell);
    if (cell.Empty() || target.Empty()) return;
    const int h = target.height;
    const PixelRect rows = SeparatorRows(cell, h);
    const PixelRect m = ClampMargins(MarginsOf(object), cell);
    const int left = std::min(m.left, target.width), right = std::min(m.right, target.width - left);
    PixelBuffer piece(target.width, h, kMagenta);
    const PixelView p = piece.View();
    StretchCopy(p, {0, 0, left, h}, image, {rows.left, rows.top, rows.left + left, rows.bottom});
    StretchCopy(p, {target.width - right, 0, target.width, h}, image,
                {rows.right - right, rows.top, rows.right, rows.bottom});
    StretchCopy(p, {left, 0, target.width - right, h}, image,
                {rows.left + m.left, rows.top, rows.right - m.right, rows.bottom});
    KeyCopy(target, 0, 0, p, kMagenta, target.Bounds());
}

// The popup's background behind the item, or
// MenuColour where there is none.
void FillItemBackground(DibSection& work, const TSkinDefinition* skin, const RECT& rect,
                        HMENU parentMenu) {
    const PixelView background =
        SkinManager ? SkinManager->FindPopupMenuImage(parentMenu) : PixelView{};
    RECT all{0, 0, work.Width(), work.Height()};
    UniqueBrush back(CreateSolidBrush(Colour(skin, &TSkinDefinition::MenuColour, COLOR_MENU)));
    FillRect(work.Dc(), &all, back.Get());
    if (background.Empty()) return;
    GdiFlush();
    // The background view starts at the popup's client area, where item rectangles count from
    // (on NT the popup's 3-pixel frame lies outside it; Wine draws items inside a frame band
    // of its client area).
    const PixelRect from{rect.left, rect.top, rect.left + work.Width(), rect.top + work.Height()};
    StretchCopy(work.View(), {0, 0, work.Width(), work.Height()}, background, from);
}

bool MakeWork(DibSection& work, const RECT& rect) {
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    if (w <= 0 || h <= 0 || w > kMaxItemSide || h > kMaxItemSide) return false;
    return work.Create(w, h);
}

} // namespace

// --- Looks -----------------------------------------------------------------------------------

MenuItemLook LookOf(TMenuItem& item, TMainMenu* barMenu) {
    item.InitiateAction();
    MenuItemLook look;
    look.caption = AnsiToWide(item.Caption());
    if (item.ShortCut() != scNone) look.shortCut = AnsiToWide(ShortCutToText(item.ShortCut()));
    look.enabled = item.Enabled();
    look.checked = item.Checked();
    look.radio = item.RadioItem();
    look.isDefault = item.Default();
    TMenu* menu = item.GetParentMenu();
    if (!menu) menu = barMenu;
    look.images = menu ? menu->Images() : nullptr;
    look.imageIndex = item.ImageIndex();
    return look;
}

MenuItemLook MakeTempMenuItem(HMENU menu, UINT id) {
    MenuItemLook look;
    wchar_t text[kMaxItemChars + 1] = {};
    GetMenuStringW(menu, id, text, kMaxItemChars, MF_BYCOMMAND);
    std::wstring caption = text;
    const size_t tab = caption.find(L'\t');
    if (tab != std::wstring::npos) {
        look.shortCut = caption.substr(tab + 1);
        caption.resize(tab);
    }
    look.caption = caption.empty() ? L"-" : caption;
    const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
    if (state != UINT(-1)) {
        look.enabled = (state & (MF_GRAYED | MF_DISABLED)) == 0;
        look.checked = (state & MF_CHECKED) != 0;
    }
    return look;
}

// --- Measuring and drawing -------------------------------------------------------------------

int MenuItemLeftWidth(const TSkinData* skinData) {
    return LeftWidthOf(SkinOf(skinData));
}

void MeasureMenuItem(const TSkinData* skinData, const TMenuItem& item, int& width) {
    TMenu* menu = item.GetParentMenu();
    width += LeftWidthOf(SkinOf(skinData)) + (menu && menu->Images() ? 12 : 35);
}

void DrawPlainMenuItem(const TSkinData* skinData, HDC dc, const RECT& rect,
                       const MenuItemLook& look, bool selected) {
    const TSkinDefinition* skin = SkinOf(skinData);
    DibSection work;
    if (!MakeWork(work, rect)) return;
    RECT all{0, 0, work.Width(), work.Height()};
    UniqueBrush back(CreateSolidBrush(
        selected ? Colour(skin, &TSkinDefinition::HilightColour, COLOR_HIGHLIGHT)
                 : Colour(skin, &TSkinDefinition::MenuColour, COLOR_MENU)));
    FillRect(work.Dc(), &all, back.Get());
    SelectionGuard font(work.Dc(), MenuFont());
    DrawMenuItemContent(work.Dc(), skin, look, selected, all);
    BitBlt(dc, rect.left, rect.top, all.right, all.bottom, work.Dc(), 0, 0, SRCCOPY);
}

void DrawMenuItem(const TSkinData* skinData, HDC dc, const RECT& rect, const MenuItemLook& look,
                  bool selected, HMENU parentMenu, bool separatorCase) {
    const TSkinDefinition* skin = SkinOf(skinData);
    const TDataSkinObject* object = MenuItemObject(skin);
    if (!object) {
        DrawPlainMenuItem(skinData, dc, rect, look, selected);
        return;
    }
    HandPendingPopup(parentMenu);
    DibSection work;
    if (!MakeWork(work, rect)) return;
    const int w = work.Width(), h = work.Height();
    FillItemBackground(work, skin, rect, parentMenu);
    if (separatorCase && look.caption == L"-") {
        GdiFlush();
        DrawMenuSeparator(work.View(), *object);
        BitBlt(dc, rect.left, rect.top, w, h, work.Dc(), 0, 0, SRCCOPY);
        return;
    }
    GdiFlush();
    DrawNineSlice(work.View(), {0, 0, w, h}, object->Bitmap.View(), false, object->Tile == 1,
                  object->Trans != 0, kItemCells, selected ? kSelectedCell : kNormalCell,
                  MarginsOf(*object));
    SelectionGuard font(work.Dc(), MenuFont());
    RECT all{0, 0, w, h};
    DrawMenuItemContent(work.Dc(), skin, look, selected, all);
    BitBlt(dc, rect.left, rect.top, w, h, work.Dc(), 0, 0, SRCCOPY);
}

} // namespace kv
