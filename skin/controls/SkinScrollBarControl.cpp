#include "skin/controls/SkinScrollBarControl.h"

#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollBarDraw.h"
#include "ui/classes/Properties.h"
#include "ui/controls/StdCtrls.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinScControl, TSkinControl)

namespace {

// The framework reflects a scroll bar's own scroll messages back to it at these numbers.
constexpr UINT kReflectedHScroll = CN_BASE + WM_HSCROLL;
constexpr UINT kReflectedVScroll = CN_BASE + WM_VSCROLL;

struct ControlRange {
    int min = 0, max = 0, position = 0;
    int64_t page = 0;
};

ControlRange RangeOf(TWinControl* control, HWND wnd) {
    ControlRange r;
    if (auto* bar = dynamic_cast<TScrollBar*>(control)) {
        r.min = bar->Min();
        r.max = bar->Max();
        r.position = bar->Position();
        return r;
    }
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (GetScrollInfo(wnd, SB_CTL, &si)) {
        r.min = si.nMin;
        r.max = si.nMax;
        r.position = si.nPos;
        r.page = si.nPage;
    }
    return r;
}

} // namespace

bool TSkinScControl::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:
        if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return true;
        m.Result = 0;
        return false;
    case SBM_SETSCROLLINFO:
        CallDefault(m);
        PaintSkin(nullptr);
        return false;
    case kReflectedHScroll:
    case kReflectedVScroll:
        return OnScroll(m);
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

// The control redraws its own bar when a press's tracking ends, while it highlights the part
// under the mouse and when it gains the focus (with a blinking caret on the thumb, which the
// skinned thumb does without): the skin paints again right after each.
void TSkinScControl::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_MOUSEMOVE:
    case WM_MOUSELEAVE:
        PaintSkin(nullptr);
        break;
    case WM_SETFOCUS:
        HideCaret(FHandle);
        PaintSkin(nullptr);
        break;
    default:
        break;
    }
    TSkinControl::AfterDefault(m);
}

bool TSkinScControl::OnScroll(TMessage& m) {
    switch (LOWORD(m.WParam)) {
    case SB_LINEUP:
        FPressedPart = Vertical() ? spUpArrow : spLeftArrow;
        break;
    case SB_LINEDOWN:
        FPressedPart = Vertical() ? spDownArrow : spRightArrow;
        break;
    case SB_THUMBTRACK:
        FPressedPart = Vertical() ? spVertThumb : spHorzThumb;
        break;
    default:
        FPressedPart = spNone;
        break;
    }
    const std::shared_ptr<bool> alive = alive_;
    CallDefault(m); // the control's OnChange may free it, and this object with it
    if (*alive) PaintSkin(nullptr);
    return false;
}

bool TSkinScControl::Vertical() const {
    return (GetWindowLongPtrW(FHandle, GWL_STYLE) & SBS_VERT) != 0;
}

void TSkinScControl::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || !skin->ScrollBar || skin->ScrollBar->Bitmap.Empty()) return;
    BarLook look;
    look.vertical = Vertical();
    look.pressedPart = FPressedPart;
    const bool disabled = !IsWindowEnabled(FHandle);
    look.firstArrowDisabled = look.secondArrowDisabled = disabled;
    const Rect32 bar{rect.left, rect.top, rect.right, rect.bottom};
    CalcThumb(look.vertical ? bar.bottom - bar.top : bar.right - bar.left);
    DrawBarOnDc(dc, bar, *skin, look, bar_);
}

// Recomputed on every paint: the control tracks its thumb itself.
void TSkinScControl::CalcThumb(int length) {
    const ControlRange r = RangeOf(FControl, FHandle);
    const int a = GetSystemMetrics(SM_CXHSCROLL);
    ThumbInput in;
    in.span = int64_t(r.max) - r.min + 1; // a range of 0 still has one position
    in.page = r.page;
    in.offset = int64_t(r.position) - r.min;
    CalcThumbMetrics(in, length, a, MinimumThumb(a), GetSystemMetrics(SM_CXHTHUMB), bar_);
}

} // namespace kv
