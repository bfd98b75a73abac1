#include "skin/controls/FaceBitmap.h"

#include "skin/form/draw/SkinDraw.h"
#include "ui/graphics/GdiHandles.h"

namespace kv {

bool StartFace(DibSection& face, HDC reference, int w, int h, COLORREF colour) {
    if (w <= 0 || h <= 0) return false;
    if ((face.Width() != w || face.Height() != h || face.Empty()) && !face.Create(w, h, reference))
        return false;
    const RECT all{0, 0, w, h};
    UniqueBrush brush(CreateSolidBrush(colour));
    FillRect(face.Dc(), &all, brush.Get());
    return true;
}

void DrawKeyedFrame(PixelView target, const PixelRect& rect, const PixelBuffer& image, int n,
                    int k) {
    if (image.Empty()) return;
    DrawSkinStrip(target, rect, image.View(), true, n, k);
}

} // namespace kv
