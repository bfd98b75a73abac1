#include "skin/controls/SkinScrollBar.h"

#include "skin/controls/SkinScrollBarDraw.h"
#include "ui/classes/Properties.h"

#include <windowsx.h>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinScrollBar, TSkinControl)

namespace {

// Window rectangles whose origin lies further out are not drawn.
constexpr LONG kMaxOrigin = 10000;
constexpr UINT kAttachFrameFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW |
                                   SWP_NOACTIVATE | SWP_FRAMECHANGED;

int PartOfScroll(int code, bool vertical) {
    switch (code) {
    case SB_LINEUP:
        return vertical ? spUpArrow : spLeftArrow;
    case SB_LINEDOWN:
        return vertical ? spDownArrow : spRightArrow;
    case SB_THUMBTRACK:
        return vertical ? spVertThumb : spHorzThumb;
    default:
        return spNone;
    }
}

bool Unavailable(DWORD state) {
    return (state & STATE_SYSTEM_UNAVAILABLE) != 0;
}

} // namespace

int MinimumThumb(int arrow) {
    return (GetVersion() & 0x80000000u) ? arrow / 2 : 8;
}

TSkinScrollBar::TSkinScrollBar(TComponent* owner) : TSkinControl(owner) {
    FHorzInfo.cbSize = FVertInfo.cbSize = sizeof(SCROLLINFO);
}

// The system bars come back: the frame is painted again once the skin is gone.
TSkinScrollBar::~TSkinScrollBar() {
    *alive_ = false;
    if (FAttached && !WindowGone() && IsWindow(FHandle)) {
        RedrawWindow(FHandle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
    }
}

void TSkinScrollBar::AttachScroller(TWinControl* control, TSkinData* skinData, bool trackOwnDrag,
                                    TWinSkinForm* form) {
    if (FAttached || !control) return;
    FForm = form;
    FSkinData = skinData;
    FControl = control;
    FHandle = control->Handle();
    control->FreeNotification(this);
    HookMethod(*control);
    JoinFormList();
    FDragging = FVertBusy = FHorzBusy = false;
    FTrackOwnDrag = trackOwnDrag;
    FAttached = true;
    FSkinState = kSkinAttached;
    SetWindowPos(FHandle, nullptr, 0, 0, 0, 0, kAttachFrameFlags);
    // The frame change above does not repaint; the bars of a visible control show the skin now.
    if (IsWindowVisible(FHandle)) PaintSkin(nullptr);
}

bool TSkinScrollBar::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_NCCALCSIZE:
        CallDefault(m);
        return false;
    case WM_NCMOUSEMOVE:
        if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return true;
        m.Result = 0; // the control would hot-track its own bars over the skin
        return false;
    case WM_NCLBUTTONDOWN:
        if (!FTrackOwnDrag || !StartThumbDrag(m)) return true;
        m.Result = 0;
        return false;
    case WM_CAPTURECHANGED:
        if (FDragging && reinterpret_cast<HWND>(m.LParam) != FHandle) captureLost_ = true;
        return true;
    case WM_HSCROLL:
        return OnScroll(m, false);
    case WM_VSCROLL:
        return OnScroll(m, true);
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

// The bar being scrolled is not painted while the control's own procedure works on it, and is
// painted right after.
bool TSkinScrollBar::OnScroll(TMessage& m, bool vertical) {
    FPressedPart = PartOfScroll(LOWORD(m.WParam), vertical);
    bool& busy = vertical ? FVertBusy : FHorzBusy;
    const std::shared_ptr<bool> alive = alive_;
    busy = true;
    CallDefault(m);
    if (!*alive) return false; // freed by the control's own handling
    busy = false;
    PaintSkin(nullptr);
    return false;
}

void TSkinScrollBar::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_NCPAINT:
    case WM_PAINT:
        // The bars are non-client: a DC that comes with WM_PAINT is a client DC.
        PaintSkin(nullptr);
        break;
    case WM_NCLBUTTONDOWN:
        // The system's own arrow and page tracking has just ended and redrawn its bar.
        if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) PaintSkin(nullptr);
        break;
    case WM_PRINT:
        if (m.LParam & PRF_NONCLIENT) PaintSkin(reinterpret_cast<HDC>(m.WParam));
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

void TSkinScrollBar::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->ScrollBar || skin->ScrollBar->Bitmap.Empty()) return;
    FStyle = LONG(GetWindowLongPtrW(FHandle, GWL_STYLE));
    FExStyle = LONG(GetWindowLongPtrW(FHandle, GWL_EXSTYLE));
    if (FVertBusy) FStyle |= WS_VSCROLL;
    if (FHorzBusy) FStyle |= WS_HSCROLL;
    if (!(FStyle & (WS_HSCROLL | WS_VSCROLL))) return;
    if (rect.top > kMaxOrigin || rect.left > kMaxOrigin) return;
    CalcBarRects(rect);
    if (!FHorzRect.Empty()) DrawBar(dc, FHorzRect, false);
    if (!FVertRect.Empty()) DrawBar(dc, FVertRect, true);
    if (!FCornerRect.Empty()) {
        const RECT corner{FCornerRect.left, FCornerRect.top, FCornerRect.right, FCornerRect.bottom};
        FillFace(dc, corner);
    }
}

void TSkinScrollBar::CalcBarRects(const RECT& rect) {
    RECT client{};
    GetClientRect(FHandle, &client);
    const int s = GetSystemMetrics(SM_CXHSCROLL);
    const BarRects r = kv::CalcBarRects(rect.right, rect.bottom, client.right, client.bottom, s,
                                        FStyle & WS_HSCROLL, FStyle & WS_VSCROLL,
                                        FExStyle & WS_EX_LEFTSCROLLBAR);
    FHorzRect = r.horz;
    FVertRect = r.vert;
    FCornerRect = r.corner;
    FHorzBar.ArrowSize = FVertBar.ArrowSize = s;
}

void TSkinScrollBar::DrawBar(HDC dc, const Rect32& bar, bool vertical) {
    if (vertical ? FVertBusy : FHorzBusy) return;
    CalcThumb(bar, vertical);
    BarLook look;
    look.vertical = vertical;
    look.pressedPart = FPressedPart;
    SCROLLBARINFO info{};
    info.cbSize = sizeof info;
    if (GetScrollBarInfo(FHandle, vertical ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) {
        const bool all = Unavailable(info.rgstate[0]) || !IsWindowEnabled(FHandle);
        look.firstArrowDisabled = all || Unavailable(info.rgstate[1]);
        look.secondArrowDisabled = all || Unavailable(info.rgstate[5]);
    }
    DrawBarOnDc(dc, bar, *Skin(), look, vertical ? FVertBar : FHorzBar);
}

// Thumb metrics stay frozen while the thumb is dragged: the drag moves them itself.
void TSkinScrollBar::CalcThumb(const Rect32& bar, bool vertical) {
    if (FDragging) return;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
    if (!GetScrollInfo(FHandle, vertical ? SB_VERT : SB_HORZ, &si)) return;
    const int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    ThumbInput in;
    in.span = int64_t(si.nMax) - si.nMin;
    in.page = si.nPage;
    in.offset = int64_t(si.nPos) - si.nMin;
    BarMetrics& metrics = vertical ? FVertBar : FHorzBar;
    if (!CalcThumbMetrics(in, length, a, MinimumThumb(a), GetSystemMetrics(SM_CXHTHUMB), metrics))
        return;
    SCROLLINFO& cached = vertical ? FVertInfo : FHorzInfo;
    cached.nMin = si.nMin;
    cached.nMax = si.nMax;
    cached.nPage = si.nPage;
    cached.nPos = si.nPos;
    cached.nTrackPos = si.nTrackPos;
}

} // namespace kv
