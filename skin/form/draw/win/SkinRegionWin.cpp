#include "skin/form/draw/win/SkinRegionWin.h"

#include <cstring>

namespace kv {

namespace {

UniqueRegion RegionFromBatch(const RegionBatch& batch) {
    const size_t bytes = sizeof(RGNDATAHEADER) + batch.rects.size() * sizeof(RECT);
    std::vector<unsigned char> buffer(bytes);
    RGNDATAHEADER header{};
    header.dwSize = sizeof(RGNDATAHEADER);
    header.iType = RDH_RECTANGLES;
    header.nCount = DWORD(batch.rects.size());
    header.nRgnSize = DWORD(batch.rects.size() * sizeof(RECT));
    header.rcBound = {batch.bound.left, batch.bound.top, batch.bound.right, batch.bound.bottom};
    std::memcpy(buffer.data(), &header, sizeof(header));
    unsigned char* out = buffer.data() + sizeof(header);
    for (const PixelRect& r : batch.rects) {
        const RECT rect{r.left, r.top, r.right, r.bottom};
        std::memcpy(out, &rect, sizeof(rect));
        out += sizeof(rect);
    }
    return UniqueRegion(
        ExtCreateRegion(nullptr, DWORD(bytes), reinterpret_cast<const RGNDATA*>(buffer.data())));
}

} // namespace

UniqueRegion RegionFromBatches(const std::vector<RegionBatch>& batches) {
    if (batches.empty()) return UniqueRegion(CreateRectRgn(0, 0, 0, 0));
    UniqueRegion shape;
    for (const RegionBatch& batch : batches) {
        UniqueRegion part = RegionFromBatch(batch);
        if (!part) return {}; // never join a missing piece; `shape` is freed here
        if (!shape) {
            shape = std::move(part);
            continue;
        }
        if (CombineRgn(shape.Get(), shape.Get(), part.Get(), RGN_OR) == ERROR) return {};
    }
    return shape;
}

UniqueRegion BitmapToRegion(PixelView bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                            int redTolerance, COLORREF key) {
    return RegionFromBatches(BitmapToRegionRects(bitmap, dx, dy, blueTolerance, greenTolerance,
                                                 redTolerance, ToPixel(key)));
}

PixelBuffer ReadBitmapPixels(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || GetObject(bitmap, sizeof(info), &info) != sizeof(info)) return {};
    PixelBuffer pixels;
    if (!pixels.Resize(info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight)) return {};
    if (pixels.Empty()) return pixels;
    BITMAPINFO header{};
    header.bmiHeader.biSize = sizeof(header.bmiHeader);
    header.bmiHeader.biWidth = pixels.Width();
    header.bmiHeader.biHeight = -pixels.Height();
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = 32;
    header.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    const int rows = GetDIBits(screen, bitmap, 0, UINT(pixels.Height()), pixels.View().pixels,
                               &header, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    if (rows != pixels.Height()) return {};
    return pixels;
}

UniqueRegion BitmapToRegion(HBITMAP bitmap, int dx, int dy, int blueTolerance, int greenTolerance,
                            int redTolerance, COLORREF key) {
    BITMAP info{};
    if (!bitmap || GetObject(bitmap, sizeof(info), &info) != sizeof(info)) return {};
    const PixelBuffer pixels = ReadBitmapPixels(bitmap);
    if (pixels.Empty()) return {}; // a bitmap GDI cannot read has no known shape
    return BitmapToRegion(pixels.View(), dx, dy, blueTolerance, greenTolerance, redTolerance, key);
}

} // namespace kv
