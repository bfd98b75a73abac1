#include "skin/controls/SkinTrackBar.h"

#include "skin/controls/ControlText.h"
#include "skin/form/draw/win/SkinDrawDC.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinTrackBar, TSkinControl)

namespace {

constexpr int kThumbFrames = 5;
constexpr int kThumbFrame = 2;

const TDataSkinObject* ThumbImage(const TSkinDefinition& skin, bool vertical) {
    if (vertical && skin.TrackThumbVert) return skin.TrackThumbVert.get();
    if (skin.TrackThumbHorz) return skin.TrackThumbHorz.get();
    return nullptr;
}

} // namespace

bool TSkinTrackBar::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    case WM_NOTIFY:
    case CN_BASE + WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(m.LParam);
        if (!header || header->code != UINT(NM_CUSTOMDRAW) || header->hwndFrom != FHandle) break;
        m.Result = CustomDraw(*reinterpret_cast<NMCUSTOMDRAW*>(m.LParam));
        return false;
    }
    default:
        break;
    }
    return TSkinControl::BeforeDefault(m);
}

LRESULT TSkinTrackBar::CustomDraw(NMCUSTOMDRAW& draw) {
    if (draw.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
    if (draw.dwDrawStage != CDDS_ITEMPREPAINT || draw.dwItemSpec != TBCD_THUMB)
        return CDRF_DODEFAULT;
    try {
        DrawThumb(draw.hdc);
    } catch (...) {
        return CDRF_DODEFAULT; // the control's own thumb rather than none
    }
    return CDRF_SKIPDEFAULT;
}

void TSkinTrackBar::DrawThumb(HDC dc) {
    const TSkinDefinition* skin = Skin();
    RECT thumb{};
    SendMessageW(FHandle, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    if (!skin || !dc || Inverted(thumb)) return;
    ++thumbsDrawn_;
    const bool vertical = (GetWindowLongPtrW(FHandle, GWL_STYLE) & TBS_VERT) != 0;
    const TDataSkinObject* image = ThumbImage(*skin, vertical);
    if (image && !image->Bitmap.Empty()) {
        DrawSkinStrip(dc, thumb, image->Bitmap.View(), true, kThumbFrames, kThumbFrame);
        return;
    }
    // The DC's brush is the control's: used as it is, left selected, never deleted.
    UniquePen pen(CreatePen(PS_SOLID, 1, ResolveColour(skin->ButtonShadowColour)));
    SelectionGuard selected(dc, pen.Get());
    Rectangle(dc, thumb.left, thumb.top, thumb.right, thumb.bottom);
}

} // namespace kv
