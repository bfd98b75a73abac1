#pragma once
// An icon: one HICON owned by the object.
//
// Contract:
//  - SetHandle(h) takes ownership of h (the previous icon is destroyed); CopyHandle(h) makes a
//    copy and leaves h with the caller (a window's WM_GETICON icon, a shared icon).
//  - ReleaseHandle gives the icon away unreleased. Assign copies.
//  - Resource loads make a private icon (never LR_SHARED), so it is always safe to destroy;
//    a missing resource raises EInvalidGraphic and leaves the icon unchanged.
//  - Width/Height are those of the icon's colour (or mask) bitmap; 0 when empty.
#include "ui/graphics/GraphicsObjects.h"

class TCanvas;

class TIcon : public TObject {
    KV_CLASS(TIcon, TObject)

public:
    TIcon() = default;

    HICON Handle() const { return icon_.Get(); }
    void SetHandle(HICON icon);
    void CopyHandle(HICON icon);
    HICON ReleaseHandle();
    bool Empty() const { return !icon_; }
    void Assign(const TIcon& other) { CopyHandle(other.Handle()); }

    // Width/height 0 ask for the system's default icon size.
    void LoadFromResourceName(HINSTANCE instance, const char* name, int width = 0, int height = 0);
    void LoadFromResourceID(HINSTANCE instance, int id, int width = 0, int height = 0);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Draw(TCanvas& canvas, int x, int y);

private:
    void MeasureIcon();

    kv::UniqueIcon icon_;
    int width_ = 0;
    int height_ = 0;
};
