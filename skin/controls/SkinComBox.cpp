#include "skin/controls/SkinComBox.h"

#include "skin/controls/ControlText.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinComBox, TSkinControl)

namespace {

constexpr int kFlatStyle = 1;
constexpr int kExtraFrames = 5;

RECT MarginsOf(const TDataSkinObject& o) {
    return {o.LeftWidth, o.TopHeight, o.RightWidth, o.BottomHeight};
}

// Frame `state` of an object's strip stretched over `rect` of the DC, magenta left out.
void DrawObjectFrame(HDC dc, const RECT& rect, const PixelBuffer& image, int frames, int state) {
    if (image.Empty() || Inverted(rect)) return;
    DrawSkinStrip(dc, rect, image.View(), true, frames, state);
}

} // namespace

int ComboState(bool enabled, bool focused, bool down, bool hot) {
    int state = 1;
    if (!enabled) state = 3;
    if (focused) state = 4;
    if (down)
        state = 2;
    else if (hot)
        state = 4;
    return state;
}

void TSkinComBox::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetMouse(kMouseDown, true);
        break;
    case WM_LBUTTONUP:
        SetMouse(kMouseDown, false);
        break;
    case CM_MOUSEENTER:
        if (FEnabled) SetMouse(kMouseHot, true);
        break;
    case CM_MOUSELEAVE:
        if (FEnabled) SetMouse(kMouseHot, false);
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

void TSkinComBox::SetMouse(uint8_t flag, bool on) {
    if (on)
        FMouseState |= flag;
    else
        FMouseState &= ~flag;
    PaintSkin(nullptr);
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
    lastState_ = 0;
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->ComboButton || skin->ComboButton->Bitmap.Empty() || Inverted(rect)) return;
    FStyle = DWORD(GetWindowLongPtrW(FHandle, GWL_STYLE));
    FExStyle = DWORD(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    if (skin->ComboButton->Style == kFlatStyle) {
        DrawFlat(dc, rect);
        return;
    }
    if (!skin->SunkEdge || skin->SunkEdge->Bitmap.Empty()) return;
    FFocused = GetFocus() == FHandle;
    FEnabled = (FStyle & WS_DISABLED) == 0;
    const int state = ComboState(FEnabled, FFocused, FMouseState & kMouseDown,
                                 FMouseState & kMouseHot);
    {
        // The clip keeps the text area out; it is the caller's DC, so its clip is put back.
        SavedDCState saved(dc);
        DrawFramed(dc, rect, state);
    }
    lastState_ = state;
}

void TSkinComBox::DrawFramed(HDC dc, const RECT& rect, int state) {
    const TSkinDefinition& skin = *Skin();
    const TDataSkinBorder& button = *skin.ComboButton;
    const int s = GetSystemMetrics(SM_CXHSCROLL);
    const bool left = (FExStyle & WS_EX_LEFTSCROLLBAR) != 0;
    RECT glyphArea{};
    if (left) {
        ExcludeClipRect(dc, s + 4, 2, rect.right - 2, rect.bottom - 2);
        lastButton_ = {0, 0, s + 2, rect.bottom};
        glyphArea = {2, 0, s + 2, rect.bottom};
    } else {
        ExcludeClipRect(dc, 2, 2, rect.right - s - 4, rect.bottom - 2);
        lastButton_ = {rect.right - s - 2, 0, rect.right, rect.bottom};
        glyphArea = {rect.right - s - 2, 0, rect.right - 2, rect.bottom};
    }
    const TDataSkinObject& edge = *skin.SunkEdge;
    DrawNineSlice(dc, rect, edge.Bitmap.View(), false, edge.Tile == 1, edge.Trans == 1,
                  edge.FrameCount, state, MarginsOf(edge));
    DrawObjectFrame(dc, lastButton_, left ? button.Bitmap2 : button.Bitmap, button.FrameCount,
                    state);
    if (!skin.ExtraImages || skin.ExtraImages->Bitmap.Empty()) return;
    const PixelBuffer& glyphs = skin.ExtraImages->Bitmap;
    const int gw = glyphs.Width() / kExtraFrames, gh = glyphs.Height();
    if (gw <= 0) return;
    const int x = glyphArea.left + (glyphArea.right - glyphArea.left - gw) / 2;
    const int y = glyphArea.top + (glyphArea.bottom - glyphArea.top - gh) / 2;
    DrawObjectFrame(dc, RECT{x, y, x + gw, y + gh}, glyphs, kExtraFrames, state);
}

void TSkinComBox::DrawFlat(HDC dc, const RECT& rect) {
    const TSkinDefinition& skin = *Skin();
    RefreshFlags();
    int state = 1;
    if (FMouseState & kMouseDown)
        state = 2;
    else if (FFocused || (FMouseState & kMouseHot))
        state = 4;
    else if (!FEnabled)
        state = 3;
    // The DC's brush is the caller's: used as it is, never deleted or deselected.
    const auto background = static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH));
    RECT r = rect;
    InflateRect(&r, -1, -1);
    if (background) FrameRect(dc, &r, background);
    InflateRect(&r, -1, -1);
    lastButton_ = {r.right - GetSystemMetrics(SM_CYVTHUMB), r.top, r.right, r.bottom};
    if (background) FillRect(dc, &lastButton_, background);
    const TDataSkinBorder& button = *skin.ComboButton;
    DrawSkinStrip(dc, lastButton_, button.Bitmap.View(), false, button.FrameCount, state);
    UniqueBrush shadow(CreateSolidBrush(ResolveColour(skin.ButtonShadowColour)));
    FrameRect(dc, &rect, shadow.Get());
    lastState_ = state;
}

} // namespace kv
