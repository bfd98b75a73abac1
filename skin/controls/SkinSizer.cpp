#include "skin/controls/SkinSizer.h"

#include "skin/controls/ControlText.h"
#include "ui/classes/Properties.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

KV_DEFINE_PLAIN_CLASS(TSkinSizer, TSkinControl)

bool TSkinSizer::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
        // Validated here: a paint left unanswered would come back for ever.
        ++paints_;
        HandlePaint(m);
        return false;
    case WM_ERASEBKGND:
        m.Result = 1;
        return false;
    default:
        return TSkinControl::BeforeDefault(m);
    }
}

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) {
    const TSkinDefinition* skin = Skin();
    if (!skin || Inverted(rect)) return;
    UniqueBrush brush(CreateSolidBrush(ResolveColour(skin->ButtonShadowColour)));
    FrameRect(dc, &rect, brush.Get());
}

} // namespace kv
