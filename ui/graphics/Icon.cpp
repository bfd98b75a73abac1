#include "ui/graphics/Icon.h"

#include "ui/classes/Properties.h"

#include "ui/graphics/Canvas.h"

#include <cstdlib>

KV_DEFINE_PLAIN_CLASS(TIcon, TObject)

void TIcon::SetHandle(HICON icon) {
    if (icon == icon_.Get()) return;
    icon_.Reset(icon);
    MeasureIcon();
}

void TIcon::CopyHandle(HICON icon) {
    if (icon && icon == icon_.Get()) return;
    SetHandle(icon ? CopyIcon(icon) : nullptr);
}

HICON TIcon::ReleaseHandle() {
    width_ = height_ = 0;
    return icon_.Release();
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const char* name, int width, int height) {
    UINT flags = (width == 0 && height == 0) ? LR_DEFAULTSIZE : 0;
    HICON loaded = static_cast<HICON>(LoadImageA(instance, name, IMAGE_ICON, width, height, flags));
    if (!loaded) throw EInvalidGraphic("Icon resource not found");
    SetHandle(loaded);
}

void TIcon::LoadFromResourceID(HINSTANCE instance, int id, int width, int height) {
    LoadFromResourceName(instance, MAKEINTRESOURCEA(id), width, height);
}

// The info's bitmaps are copies made for the caller: both are deleted here.
void TIcon::MeasureIcon() {
    width_ = height_ = 0;
    ICONINFO info{};
    if (!icon_ || !GetIconInfo(icon_.Get(), &info)) return;
    kv::UniqueBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bm{};
    if (color && GetObjectW(color.Get(), sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = std::abs(bm.bmHeight);
    } else if (mask && GetObjectW(mask.Get(), sizeof bm, &bm)) {
        width_ = bm.bmWidth;
        height_ = std::abs(bm.bmHeight) / 2; // a monochrome icon stacks AND and XOR masks
    }
}

void TIcon::Draw(TCanvas& canvas, int x, int y) {
    canvas.Draw(x, y, *this);
}
