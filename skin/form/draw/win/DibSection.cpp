#include "skin/form/draw/win/DibSection.h"

namespace kv {

bool DibSection::Create(int width, int height, HDC reference) {
    Destroy();
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide ||
        size_t(width) * size_t(height) > kMaxPixels)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down, like PixelView
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(reference, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    UniqueMemoryDC dc(CreateCompatibleDC(reference));
    if (!bitmap || !dc || !bits) return false;
    SelectionGuard selection(dc.Get(), bitmap.Get());
    if (!selection.Selected()) return false; // a DC without the section would draw nowhere
    SetStretchBltMode(dc.Get(), COLORONCOLOR);
    bitmap_ = std::move(bitmap);
    dc_ = std::move(dc);
    selection_ = std::move(selection);
    bits_ = static_cast<Pixel*>(bits);
    width_ = width;
    height_ = height;
    return true;
}

void DibSection::Destroy() {
    // The bitmap must leave the DC before either is deleted.
    selection_.Restore();
    dc_.Reset();
    bitmap_.Reset();
    bits_ = nullptr;
    width_ = height_ = 0;
}

PixelView DibSection::View() const {
    if (!bits_) return {};
    GdiFlush();
    return {bits_, width_, height_, size_t(width_)};
}

} // namespace kv
