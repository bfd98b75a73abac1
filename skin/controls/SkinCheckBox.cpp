#include "skin/controls/SkinCheckBox.h"

#include "skin/controls/ControlText.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "ui/classes/Properties.h"

#include <algorithm>

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinMarkControl, TSkinControl)
KV_DEFINE_PLAIN_CLASS(TSkinCheckBox, TSkinMarkControl)
KV_DEFINE_PLAIN_CLASS(TSkinRadioButton, TSkinMarkControl)

namespace {

// The column the system gives its check box and radio circle.
constexpr int kMarkColumn = 14;
// A redraw request some controls send themselves; only redrawn here.
constexpr UINT kMarkRedraw = 0xB0D0;

} // namespace

int MarkFrameCount(int imageWidth, int imageHeight, int skinFrameCount) {
    if (skinFrameCount > 0) return skinFrameCount;
    return std::max(imageWidth / (imageHeight < 16 ? 13 : 16), 4);
}

RECT MarkRect(const RECT& rect, int frameWidth, int frameHeight, bool textOnLeft) {
    RECT r{};
    r.top = rect.top + ((rect.bottom - rect.top) - frameHeight) / 2;
    r.bottom = r.top + frameHeight;
    const int inset = frameWidth > kMarkColumn ? 0 : (kMarkColumn - frameWidth) / 2;
    if (textOnLeft) {
        r.right = frameWidth > kMarkColumn ? rect.right - 1 : rect.right - inset;
        r.left = r.right - frameWidth;
    } else {
        r.left = rect.left + inset;
        r.right = r.left + frameWidth;
    }
    return r;
}

int MarkFrame(UINT checkState, bool disabled, bool isCheckBox) {
    if (isCheckBox && (checkState & BST_INDETERMINATE)) return 4;
    return ((checkState & BST_CHECKED) ? 2 : 1) + (disabled ? 2 : 0);
}

void TSkinMarkControl::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case kMarkRedraw:
        Redraw();
        break;
    default:
        TSkinControl::AfterDefault(m);
        break;
    }
}

// A framework control's published Checked decides over the window's state when it has one.
UINT TSkinMarkControl::CheckState() const {
    const UINT state = IsCheckBox() ? UINT(SendMessageW(FHandle, BM_GETSTATE, 0, 0)) &
                                          (BST_CHECKED | BST_INDETERMINATE)
                                    : UINT(SendMessageW(FHandle, BM_GETCHECK, 0, 0)) & BST_CHECKED;
    if (!FControl) return state;
    const std::optional<std::string> checked = GetEnumProp(*FControl, "Checked");
    if (!checked) return state;
    return (state & BST_INDETERMINATE) | (SameText(*checked, "true") ? BST_CHECKED : 0);
}

void TSkinMarkControl::DrawSkin(HDC dc, const RECT& rect) {
    lastFrame_ = 0;
    const TSkinDefinition* skin = Skin();
    if (!skin) return;
    const TDataSkinButton& b = skin->Buttons;
    const PixelBuffer& image = IsCheckBox() ? b.CheckBitmap : b.RadioBitmap;
    if (image.Empty()) return;
    const int frames = MarkFrameCount(image.Width(), image.Height(),
                                      IsCheckBox() ? b.CheckFrameCount : b.RadioFrameCount);
    const int w = image.Width() / frames, h = image.Height();
    if (w <= 0) return;
    const LONG_PTR style = GetWindowLongPtrW(FHandle, GWL_STYLE);
    const int frame = MarkFrame(CheckState(), (style & WS_DISABLED) != 0, IsCheckBox());
    const RECT mark = MarkRect(rect, w, h, (style & BS_LEFTTEXT) != 0);
    FillFace(dc, mark);
    DrawSkinStrip(dc, mark, image.View(), true, frames, frame);
    lastFrame_ = frame;
}

} // namespace kv
