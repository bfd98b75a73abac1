#include "skin/menu/PopupMenuSkin.h"

#include "skin/data/win/SkinData.h"
#include "skin/form/draw/SkinDraw.h"

#include <algorithm>

namespace kv {

namespace {

constexpr int kFrameBand = 3; // the popup's frame, as wide as the system's popup border
constexpr int kMaxPopupSide = 8192;

TWinSkinPopMenu* pendingPopup = nullptr;

// The client area's top-left in window coordinates, and the window's size.
struct PopupGeometry {
    int width = 0, height = 0;
    POINT client{};
    RECT clientRect{};
};

PopupGeometry GeometryOf(HWND hwnd) {
    PopupGeometry g;
    RECT w{};
    GetWindowRect(hwnd, &w);
    g.width = w.right - w.left;
    g.height = w.bottom - w.top;
    GetClientRect(hwnd, &g.clientRect);
    MapWindowPoints(hwnd, nullptr, &g.client, 1);
    g.client.x -= w.left;
    g.client.y -= w.top;
    return g;
}

} // namespace

TWinSkinPopMenu* PendingPopup() {
    return pendingPopup;
}

void HandPendingPopup(HMENU menu) {
    if (!pendingPopup || !menu) return;
    pendingPopup->SetMenuHandle(menu);
    pendingPopup = nullptr;
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    DetachPopup();
    if (pendingPopup == this) pendingPopup = nullptr;
}

bool TWinSkinPopMenu::AttachPopup(HWND window, TSkinData* skinData, HMENU menuHandle) {
    MenuWindow = window;
    skinData_ = skinData;
    menuHandle_ = menuHandle;
    return subclass_.Attach(window, [this](TMessage& m) { PopupWndProc(m); });
}

void TWinSkinPopMenu::DetachPopup() {
    if (pendingPopup == this) pendingPopup = nullptr;
    subclass_.Restore();
    background_.Destroy();
}

PixelView TWinSkinPopMenu::Background() const {
    if (background_.Empty() || !IsWindow(MenuWindow)) return {};
    // The part under the client area, where the items are: item rectangles index it as they
    // are.
    const PopupGeometry g = GeometryOf(MenuWindow);
    PixelView all = background_.View();
    const int x = std::clamp<int>(g.client.x, 0, all.width), y = std::clamp<int>(g.client.y, 0, all.height);
    return {all.pixels + size_t(y) * all.stride + size_t(x), all.width - x, all.height - y, all.stride};
}

bool TWinSkinPopMenu::CanPaint() const {
    const TSkinDefinition* skin = skinData_ && !skinData_->SkinEmpty() ? skinData_->Skin() : nullptr;
    return skin && skin->MenuBackground && !skin->MenuBackground->Bitmap.Empty();
}

void TWinSkinPopMenu::PopupWndProc(TMessage& m) {
    if (m.Msg == WM_SKINQUERY) {
        m.Result = 1;
        return;
    }
    if (!SkinManager || !SkinManager->Enabled) {
        subclass_.CallOld(m);
        return;
    }
    switch (m.Msg) {
    case WM_DESTROY:
        subclass_.CallOld(m);
        DetachPopup();
        return;
    case WM_NCPAINT:
        if (!CanPaint()) break;
        // The system may draw its own border there first; the skin's comes on top of it.
        subclass_.CallOld(m);
        PaintFrame();
        return;
    case WM_PAINT:
        if (!CanPaint()) break;
        // The items drawn in this paint continue the background of the window's present size.
        PrepareBackground();
        subclass_.CallOld(m);
        PaintFrame();
        return;
    case WM_PRINT:
        if (!CanPaint()) break;
        PrintMenu(m);
        return;
    default: break;
    }
    subclass_.CallOld(m);
}

void TWinSkinPopMenu::BuildBackground(int width, int height) {
    const TDataSkinObject& o = *skinData_->Skin()->MenuBackground;
    if (width <= 0 || height <= 0 || width > kMaxPopupSide || height > kMaxPopupSide) return;
    if (background_.Empty() || background_.Width() != width || background_.Height() != height) {
        if (!background_.Create(width, height)) return;
    }
    GdiFlush();
    const PixelRect margins{o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
    DrawNineSlice(background_.View(), {0, 0, width, height}, o.Bitmap.View(), false, o.Tile == 1,
                  false, 1, 1, margins);
}

// The frame band of the background onto the window: its non-client border, or, where the
// system draws the border inside the client area, the outer band of that width.
void TWinSkinPopMenu::PrepareBackground() {
    const PopupGeometry g = GeometryOf(MenuWindow);
    BuildBackground(g.width, g.height);
    if (!background_.Empty() && !menuHandle_) pendingPopup = this;
}

void TWinSkinPopMenu::PaintFrame() {
    const PopupGeometry g = GeometryOf(MenuWindow);
    PrepareBackground();
    if (background_.Empty()) return;
    HDC dc = GetWindowDC(MenuWindow);
    if (!dc) return;
    const int left = std::max<int>(g.client.x, kFrameBand), top = std::max<int>(g.client.y, kFrameBand);
    const int right = std::max<int>(g.width - g.client.x - g.clientRect.right, kFrameBand);
    const int bottom = std::max<int>(g.height - g.client.y - g.clientRect.bottom, kFrameBand);
    HDC from = background_.Dc();
    BitBlt(dc, 0, 0, g.width, top, from, 0, 0, SRCCOPY);
    BitBlt(dc, 0, g.height - bottom, g.width, bottom, from, 0, g.height - bottom, SRCCOPY);
    BitBlt(dc, 0, 0, left, g.height, from, 0, 0, SRCCOPY);
    BitBlt(dc, g.width - right, 0, right, g.height, from, g.width - right, 0, SRCCOPY);
    ReleaseDC(MenuWindow, dc);
    ++FramePaints;
}

// The whole background into the printing DC, then the system's items inside the frame.
void TWinSkinPopMenu::PrintMenu(TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    const PopupGeometry g = GeometryOf(MenuWindow);
    if (!menuHandle_) pendingPopup = this;
    BuildBackground(g.width, g.height);
    if (!dc || background_.Empty()) {
        subclass_.CallOld(m);
        return;
    }
    BitBlt(dc, 0, 0, g.width, g.height, background_.Dc(), 0, 0, SRCCOPY);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, kFrameBand, kFrameBand, g.width - kFrameBand, g.height - kFrameBand);
    subclass_.CallOld(m);
    RestoreDC(dc, saved);
    SetBkMode(dc, mode);
    ++FramePaints;
}

void RegisterPopupMenuSkins() {
    if (!SkinManager) return;
    SkinManager->SetPopupMenuSkinFactory([](HWND popup, TSkinData* skinData) {
        auto skin = std::make_unique<TWinSkinPopMenu>();
        if (!skin->AttachPopup(popup, skinData, nullptr)) return std::unique_ptr<TPopupMenuSkin>();
        return std::unique_ptr<TPopupMenuSkin>(std::move(skin));
    });
}

} // namespace kv
