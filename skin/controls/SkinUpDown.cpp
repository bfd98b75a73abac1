#include "skin/controls/SkinUpDown.h"

#include "skin/controls/ControlText.h"
#include "skin/controls/FaceBitmap.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

#include <commctrl.h>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinUpDown, TSkinControl)

namespace {

constexpr int kArrowFrames = 8;
enum : int { kNormal = 1, kPressed = 2, kDisabled = 3, kHot = 4 };

struct Line {
    int x0, y0, x1, y1;
};

// The arrow's strokes around its point (x, y); each ends before its last pixel, as LineTo does.
void DrawArrowLines(HDC dc, int x, int y, ArrowKind kind) {
    auto strokes = [&](std::initializer_list<Line> lines) {
        for (const Line& l : lines) {
            MoveToEx(dc, x + l.x0, y + l.y0, nullptr);
            LineTo(dc, x + l.x1, y + l.y1);
        }
    };
    switch (kind) {
    case akUp:
        strokes({{0, 0, 0, -1}, {1, 1, 4, 4}, {0, 1, 3, 4}, {0, 2, 2, 4},
                 {-1, 1, -4, 4}, {0, 2, -3, 4}, {0, 1, -2, 4}});
        break;
    case akDown:
        strokes({{0, 3, 0, 4}, {1, 2, 4, -1}, {0, 2, 3, -1}, {0, 1, 2, 0},
                 {-1, 2, -4, -1}, {0, 2, -3, -1}, {0, 1, -2, 0}});
        break;
    case akLeft:
    case akRight: {
        const int d = kind == akLeft ? 1 : -1;
        const POINT path[] = {{x, y}, {x + d, y + 2}, {x + d, y - 2}, {x - d, y}, {x + d, y + 2}};
        Polyline(dc, path, 5);
        break;
    }
    }
}

} // namespace

bool TSkinUpDown::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        HandlePaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The control starts its own auto-repeat and capture first.
        CallDefault(m);
        FMouseState |= kMouseDown;
        PaintSkin(nullptr);
        return false;
    case WM_LBUTTONUP:
        FMouseState &= ~kMouseDown;
        CallDefault(m);
        PaintSkin(nullptr);
        return false;
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

void TSkinUpDown::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        TrackHover();
        break;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        if (!(FMouseState & kMouseHot)) break;
        FMouseState &= ~kMouseHot;
        Redraw();
        break;
    case WM_CAPTURECHANGED:
        // The control ends its press however it loses the mouse; so does the look.
        if (!(FMouseState & kMouseDown)) break;
        FMouseState &= ~kMouseDown;
        Redraw();
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

// Repaints only when the cursor came in or crossed to the other button.
void TSkinUpDown::TrackHover() {
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(FHandle, &at);
    RECT client{};
    GetClientRect(FHandle, &client);
    const bool across = FHorizontal == 1 || (GetWindowLongPtrW(FHandle, GWL_STYLE) & UDS_HORZ);
    const int side = across ? at.x >= client.right / 2 : at.y >= client.bottom / 2;
    if ((FMouseState & kMouseHot) && side == hoverSide_) return;
    if (!(FMouseState & kMouseHot)) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, FHandle, 0};
        TrackMouseEvent(&track);
    }
    FMouseState |= kMouseHot;
    PaintSkin(nullptr);
}

int TSkinUpDown::ButtonState(bool first, bool onFirstSide) const {
    if (!FEnabled) return kDisabled;
    if (first != onFirstSide) return kNormal;
    if (FMouseState & kMouseDown) return kPressed;
    if (FMouseState & kMouseHot) return kHot;
    return kNormal;
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    RECT cr{};
    if (!skin || !GetClientRect(FHandle, &cr) || Inverted(rect)) return;
    const int w = cr.right, h = cr.bottom;
    if (!StartFace(face_, dc, w, h, FaceColour())) return;
    if (FInset) InflateRect(&cr, -1, -1);
    POINT at{};
    GetCursorPos(&at);
    ScreenToClient(FHandle, &at);
    FEnabled = (GetWindowLongPtrW(FHandle, GWL_STYLE) & WS_DISABLED) == 0;
    const bool across = FHorizontal == 1 || (GetWindowLongPtrW(FHandle, GWL_STYLE) & UDS_HORZ);
    RECT first = cr, second = cr;
    bool onFirst = false;
    if (across) {
        const int half = (cr.right - cr.left) / 2;
        first.right = second.left = cr.left + half;
        onFirst = at.x < half;
    } else {
        const int half = (cr.bottom - cr.top) / 2;
        first.bottom = second.top = cr.top + half;
        onFirst = at.y < half;
    }
    hoverSide_ = onFirst ? 0 : 1;
    lastStates_[0] = ButtonState(true, onFirst);
    lastStates_[1] = ButtonState(false, onFirst);
    const TDataSkinBorder* images = across ? skin->UpDownHorz.get() : skin->UpDownVert.get();
    if (images && !images->Bitmap2.Empty()) {
        DrawArrowSkin(first, true, lastStates_[0]);
        DrawArrowSkin(second, false, lastStates_[1]);
    } else {
        DrawArrowPlain(first, across ? akLeft : akUp, lastStates_[0]);
        DrawArrowPlain(second, across ? akRight : akDown, lastStates_[1]);
    }
    BitBlt(dc, rect.left, rect.top, w, h, face_.Dc(), 0, 0, SRCCOPY);
}

void TSkinUpDown::DrawArrowSkin(const RECT& button, bool first, int state) {
    if (Inverted(button)) return;
    const bool across = FHorizontal == 1 || (GetWindowLongPtrW(FHandle, GWL_STYLE) & UDS_HORZ);
    const TDataSkinBorder& images = across ? *Skin()->UpDownHorz : *Skin()->UpDownVert;
    const int frame = first ? state : state + 4;
    const PixelView view = face_.View();
    DrawKeyedFrame(view, PixelRect{button.left, button.top, button.right, button.bottom},
                   images.Bitmap, kArrowFrames, frame);
    const int gw = images.Bitmap2.Width() / kArrowFrames, gh = images.Bitmap2.Height();
    if (gw <= 0) return;
    const int x = button.left + (button.right - button.left - gw) / 2;
    const int y = button.top + (button.bottom - button.top - gh) / 2;
    DrawKeyedFrame(view, PixelRect{x, y, x + gw, y + gh}, images.Bitmap2, kArrowFrames, frame);
}

void TSkinUpDown::DrawArrowPlain(const RECT& button, ArrowKind kind, int state) {
    if (Inverted(button)) return;
    const TSkinDefinition& skin = *Skin();
    const HDC dc = face_.Dc();
    const SkinColour fill =
        state == kNormal || state == kDisabled ? skin.ButtonFaceColour : skin.ButtonShadowColour;
    UniqueBrush brush(CreateSolidBrush(ResolveColour(fill)));
    UniquePen pen(CreatePen(PS_SOLID, 1, ResolveColour(skin.ButtonDkShadowColour)));
    SelectionGuard brushIn(dc, brush.Get());
    SelectionGuard penIn(dc, pen.Get());
    Rectangle(dc, button.left, button.top, button.right, button.bottom);
    const int x = button.left + (button.right - button.left) / 2;
    int y = button.top + (button.bottom - button.top) / 2;
    if (kind == akUp || kind == akDown) y -= 2;
    DrawArrowLines(dc, x, y, kind);
}

} // namespace kv
