#pragma once
// A list of equal-sized images (16 x 16 by default) over a Windows image list.
//
// Contract:
//  - The HIMAGELIST is made on first use and destroyed with the list; it is masked (ILC_MASK),
//    24-bit colour. Changing Width or Height empties the list.
//  - AddMasked(strip, key) adds every Width-wide image of the strip, with the pixels of the key
//    colour left transparent, and returns the index of the first; Add(image, mask) likewise
//    with an explicit mask (nullptr: opaque). -1 when nothing could be added. The caller's
//    bitmaps are never changed (Windows would blacken the masked pixels in place).
//  - Draw of an index outside 0..Count()-1 draws nothing. A disabled draw is embossed grey.
//  - Listeners added with AddChangeListener hear every change of the images (controls that
//    show them repaint); remove them before the listener goes away (a free notification from
//    the owner tree also tells components when the list itself is freed).
//  - Published: Width, Height, Masked, MaskColor and Bitmap (a BMP strip, read in the loading
//    state and added with MaskColor once the layout is loaded).
#include "ui/classes/Component.h"
#include "ui/graphics/Bitmap.h"
#include "ui/graphics/Icon.h"

#include <commctrl.h>

#include <functional>
#include <vector>

struct ImageListDeleter {
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};
using UniqueImageList = kv::UniqueHandle<HIMAGELIST, ImageListDeleter>;

class TImageList : public TComponent {
    KV_CLASS(TImageList, TComponent)

public:
    explicit TImageList(TComponent* owner);
    ~TImageList() override;

    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetWidth(int width);
    void SetHeight(int height);
    bool Masked() const { return masked_; }
    void SetMasked(bool masked);
    TColor MaskColor() const { return maskColor_; }
    void SetMaskColor(TColor color) { maskColor_ = color; }

    HIMAGELIST Handle();
    int Count() const;

    int Add(const TBitmap& image, const TBitmap* mask);
    int AddMasked(const TBitmap& image, TColor maskColor);
    int AddIcon(const TIcon& icon);
    void Delete(int index);
    void Clear();
    // Images of a bitmap resource strip, key colour transparent; returns false when missing.
    bool LoadFromResourceName(HINSTANCE instance, const char* name, TColor maskColor);

    void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);
    void Draw(HDC dc, int x, int y, int index, bool enabled = true);
    // The image at `index` (its pixels, without the mask) into `bitmap`.
    bool GetBitmap(int index, TBitmap& bitmap);

    void AddChangeListener(const void* key, std::function<void()> listener);
    void RemoveChangeListener(const void* key);

    void Loaded() override;
    void ReadBitmap(TStream& stream);
    void WriteBitmap(TStream& stream) const;

private:
    void Recreate();
    void Changed();

    int width_ = 16;
    int height_ = 16;
    bool masked_ = true;
    TColor maskColor_ = clFuchsia;
    UniqueImageList list_;
    std::vector<uint8_t> pendingStrip_;
    std::vector<std::pair<const void*, std::function<void()>>> listeners_;
};
