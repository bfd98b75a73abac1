#include "skin/controls/SkinTab.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "skin/controls/SkinUpDown.h"
#include "skin/data/Transforms.h"
#include "skin/form/draw/SkinDraw.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

#include <commctrl.h>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinTab, TSkinControl)

namespace {

constexpr int kTabTextChars = 80;
constexpr int kPageGrow = 4;
// The page frame image's fixed edges.
constexpr RECT kBorderMargins{4, 5, 4, 4};

// A 24-bit copy: the tab images are drawn opaque where they are not magenta.
PixelBuffer Opaque(const PixelBuffer& image) {
    PixelBuffer copy(image.Width(), image.Height());
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) copy.At(x, y) = RgbOf(image.At(x, y));
    return copy;
}

} // namespace

TabSide TabSideOf(DWORD style) {
    const bool bottom = style & TCS_BOTTOM, vertical = style & TCS_VERTICAL;
    if (bottom) return vertical ? tsRight : tsBottom;
    return vertical ? tsLeft : tsTop;
}

void TSkinTab::AttachHandle(HWND wnd, TSkinData* skinData, TWinSkinForm* form) {
    TSkinControl::AttachHandle(wnd, skinData, form);
    RefreshFlags();
    PrepareImages();
    FindUpDown();
}

void TSkinTab::SkinChanged() {
    TSkinControl::SkinChanged();
    PrepareImages();
}

void TSkinTab::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == FUpDown) FUpDown = nullptr;
}

void TSkinTab::PrepareImages() {
    FTabSide = TabSideOf(DWORD(GetWindowLongPtrW(FHandle, GWL_STYLE)));
    FTabImage = PixelBuffer();
    FBorderImage = PixelBuffer();
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->Tabs || skin->Tabs->Bitmap.Empty()) return;
    FTabImage = Opaque(skin->Tabs->Bitmap);
    if (!skin->Tabs->Bitmap2.Empty()) FBorderImage = Opaque(skin->Tabs->Bitmap2);
    switch (FTabSide) {
    case tsBottom:
        FlipBitmap(FTabImage);
        if (!FBorderImage.Empty()) FlipBitmap(FBorderImage);
        break;
    case tsLeft:
        if (!FBorderImage.Empty()) RotateBitmapLeft(FBorderImage);
        break;
    case tsRight:
        if (!FBorderImage.Empty()) RotateBitmapRight(FBorderImage);
        break;
    default:
        break;
    }
}

bool TSkinTab::FindUpDown() {
    HWND arrows = FindWindowExW(FHandle, nullptr, UPDOWN_CLASSW, nullptr);
    if (!arrows) return false;
    if (!FUpDown || FUpDown->Handle() != arrows) {
        delete FUpDown; // a control that made new arrows: the old skin served a window now gone
        FUpDown = new TSkinUpDown(Owner());
        FUpDown->FreeNotification(this);
        FUpDown->AttachHandle(arrows, FSkinData, FForm);
    }
    return (GetWindowLongPtrW(arrows, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
    lastStates_.clear();
    if (Inverted(rect)) return;
    RECT page = rect;
    SendMessageW(FHandle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    InflateRect(&page, kPageGrow, kPageGrow);
    switch (FTabSide) {
    case tsTop: page.top += 1; break;
    case tsBottom: page.bottom -= 1; break;
    case tsLeft: page.left += 1; break;
    default: page.right -= 1; break;
    }
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->Tabs || FTabImage.Empty()) return;
    RECT strip{};
    switch (FTabSide) {
    case tsTop: strip = {rect.left, rect.top, rect.right, page.top}; break;
    case tsBottom: strip = {rect.left, page.bottom, rect.right, rect.bottom}; break;
    case tsLeft: strip = {rect.left, rect.top, page.left, rect.bottom}; break;
    default: strip = {page.right, rect.top, rect.right, rect.bottom}; break;
    }
    if (Inverted(strip) || strip.right == strip.left || strip.bottom == strip.top) return;
    DrawTabs(rect, page, strip);
    CopyStrip(dc, strip, FindUpDown());
    if (!FBorderImage.Empty())
        DrawNineSliceDirect(dc, page, FBorderImage.View(), false, false, 1, 1, kBorderMargins);
}

// Composes the row in FStrip, lying flat whatever the side.
void TSkinTab::DrawTabs(const RECT& rect, const RECT& page, const RECT& strip) {
    const bool flat = FTabSide == tsTop || FTabSide == tsBottom;
    const int sw = strip.right - strip.left, sh = strip.bottom - strip.top;
    const int w = flat ? sw : sh, h = flat ? sh : sw;
    if (!StartFace(FStrip, nullptr, w, h, FaceColour())) return;
    const auto font = reinterpret_cast<HFONT>(SendMessageW(FHandle, WM_GETFONT, 0, 0));
    SelectionGuard selected(FStrip.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
    const int count = int(SendMessageW(FHandle, TCM_GETITEMCOUNT, 0, 0));
    int focus = int(SendMessageW(FHandle, TCM_GETCURFOCUS, 0, 0));
    // No focus item yet (Wine starts so): the selected tab stands for it.
    if (focus < 0) focus = int(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(FHandle, TCM_GETIMAGELIST, 0, 0));
    const TDataSkinBorder& tabs = *Skin()->Tabs;
    for (int i = 0; i < count; ++i) {
        wchar_t text[kTabTextChars + 1] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
        item.pszText = text;
        item.cchTextMax = kTabTextChars;
        item.iImage = -1;
        SendMessageW(FHandle, TCM_GETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
        RECT r{};
        if (!SendMessageW(FHandle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r)))
            continue;
        switch (FTabSide) {
        case tsTop: OffsetRect(&r, 0, 1); break;
        case tsBottom: OffsetRect(&r, 0, -(page.bottom + 1)); break;
        case tsLeft: r = {w - r.bottom, r.left, w - r.top, r.right}; break;
        default: r = {r.top - 1, rect.right - r.right, r.bottom - 1, rect.right - r.left}; break;
        }
        const int state = i == focus ? 2 : 1;
        lastStates_.push_back(state);
        DrawTab(r, state);
        SetTextColor(FStrip.Dc(), ResolveColour(state == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2));
        DrawIconText(FStrip.Dc(), r, 1, text, item.iImage, images, true);
    }
}

void TSkinTab::DrawTab(const RECT& r, int state) {
    const TDataSkinBorder& tabs = *Skin()->Tabs;
    const PixelRect margins{tabs.LeftWidth, tabs.TopHeight, tabs.RightWidth, tabs.BottomHeight};
    DrawNineSlice(FStrip.View(), PixelRect{r.left, r.top, r.right, r.bottom}, FTabImage.View(), false,
                  tabs.Tile == 1, tabs.Trans == 1, tabs.FrameCount, state, margins);
}

// The row reaches the DC in one copy; around the arrows the DC is clipped, then put back.
void TSkinTab::CopyStrip(HDC dc, const RECT& strip, bool aroundUpDown) {
    if (FStrip.Empty()) return;
    PixelView source = FStrip.View();
    if (FTabSide == tsLeft || FTabSide == tsRight) {
        turned_ = PixelBuffer(source.width, source.height);
        for (int y = 0; y < source.height; ++y)
            for (int x = 0; x < source.width; ++x) turned_.At(x, y) = source.At(x, y);
        if (FTabSide == tsRight)
            RotateBitmapRight(turned_);
        else
            RotateBitmapLeft(turned_);
        source = turned_.View();
    }
    SavedDCState saved(dc);
    if (aroundUpDown && FUpDown) {
        RECT arrows{};
        GetWindowRect(FUpDown->Handle(), &arrows);
        MapWindowPoints(nullptr, FHandle, reinterpret_cast<POINT*>(&arrows), 2);
        ExcludeClipRect(dc, arrows.left, arrows.top, arrows.right, arrows.bottom);
    }
    DrawSkinStrip(dc, strip, source, false, 1, 1);
}

} // namespace kv
