#include "ui/graphics/ImageList.h"

#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"

#include <algorithm>

KV_DEFINE_CLASS(TImageList, TComponent, [](TPropertyBuilder<TImageList>& p) {
    p.Integer("Height", &TImageList::Height, &TImageList::SetHeight);
    p.Bool("Masked", &TImageList::Masked, &TImageList::SetMasked);
    p.Integer("MaskColor", &TImageList::MaskColor, &TImageList::SetMaskColor).identToInt =
        ColorIdentToInt;
    p.Integer("Width", &TImageList::Width, &TImageList::SetWidth);
    p.Binary("Bitmap", &TImageList::ReadBitmap, &TImageList::WriteBitmap);
})

TImageList::TImageList(TComponent* owner) : TComponent(owner) {}

TImageList::~TImageList() {
    // The controls showing this list drop it before its handle is destroyed.
    SetDestroying();
    NotifyRemoval();
}

void TImageList::SetWidth(int width) {
    width = std::clamp(width, 1, 256);
    if (width == width_) return;
    width_ = width;
    Recreate();
}

void TImageList::SetHeight(int height) {
    height = std::clamp(height, 1, 256);
    if (height == height_) return;
    height_ = height;
    Recreate();
}

void TImageList::SetMasked(bool masked) {
    if (masked == masked_) return;
    masked_ = masked;
    Recreate();
}

void TImageList::Recreate() {
    bool had = list_ && Count() > 0;
    list_.Reset();
    if (had) Changed();
}

HIMAGELIST TImageList::Handle() {
    if (!list_) {
        UINT flags = ILC_COLOR24 | (masked_ ? ILC_MASK : 0);
        list_.Reset(ImageList_Create(width_, height_, flags, 4, 4));
    }
    return list_.Get();
}

int TImageList::Count() const {
    return list_ ? ImageList_GetImageCount(list_.Get()) : 0;
}

int TImageList::Add(const TBitmap& image, const TBitmap* mask) {
    if (image.Empty() || !Handle()) return -1;
    // Private copies: ImageList_Add* reads the bitmap through its own DC (the original may be
    // selected in its canvas) and ImageList_AddMasked overwrites the masked pixels.
    TBitmap colors;
    colors.Assign(image);
    TBitmap masks;
    if (mask) masks.Assign(*mask);
    int index = ImageList_Add(list_.Get(), colors.Handle(), mask ? masks.Handle() : nullptr);
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddMasked(const TBitmap& image, TColor maskColor) {
    if (image.Empty() || !Handle()) return -1;
    TBitmap colors;
    colors.Assign(image);
    int index = ImageList_AddMasked(list_.Get(), colors.Handle(), ColorToRGB(maskColor));
    if (index >= 0) Changed();
    return index;
}

int TImageList::AddIcon(const TIcon& icon) {
    if (icon.Empty() || !Handle()) return -1;
    int index = ImageList_AddIcon(list_.Get(), icon.Handle());
    if (index >= 0) Changed();
    return index;
}

void TImageList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    ImageList_Remove(list_.Get(), index);
    Changed();
}

void TImageList::Clear() {
    if (Count() == 0) return;
    ImageList_RemoveAll(list_.Get());
    Changed();
}

bool TImageList::LoadFromResourceName(HINSTANCE instance, const char* name, TColor maskColor) {
    TBitmap strip;
    try {
        strip.LoadFromResourceName(instance, name);
    } catch (const EInvalidGraphic&) {
        return false;
    }
    return AddMasked(strip, maskColor) >= 0;
}

void TImageList::Draw(TCanvas& canvas, int x, int y, int index, bool enabled) {
    HDC dc = canvas.Handle();
    canvas.Refresh(); // the list draws with its own objects
    Draw(dc, x, y, index, enabled);
}

void TImageList::Draw(HDC dc, int x, int y, int index, bool enabled) {
    if (!dc || index < 0 || index >= Count()) return;
    if (enabled) {
        ImageList_Draw(list_.Get(), index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    kv::UniqueIcon icon(ImageList_GetIcon(list_.Get(), index, ILD_TRANSPARENT));
    if (icon)
        DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(icon.Get()), 0, x, y, 0, 0,
                   DST_ICON | DSS_DISABLED);
}

bool TImageList::GetBitmap(int index, TBitmap& bitmap) {
    if (index < 0 || index >= Count()) return false;
    bitmap.SetSize(width_, height_);
    ImageList_Draw(list_.Get(), index, bitmap.Canvas().Handle(), 0, 0, ILD_NORMAL);
    return true;
}

void TImageList::AddChangeListener(const void* key, std::function<void()> listener) {
    RemoveChangeListener(key);
    listeners_.emplace_back(key, std::move(listener));
}

void TImageList::RemoveChangeListener(const void* key) {
    std::erase_if(listeners_, [key](const auto& entry) { return entry.first == key; });
}

void TImageList::Changed() {
    auto listeners = listeners_; // a listener may remove itself
    for (auto& [key, listener] : listeners)
        if (listener) listener();
}

void TImageList::ReadBitmap(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    if (size <= 0) return;
    if (size > int64_t(64) << 20) throw EInvalidGraphic("Image list bitmap too large");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), bytes.size());
    if (IsLoading()) {
        pendingStrip_ = std::move(bytes); // MaskColor may come later in the layout
        return;
    }
    TBitmap strip;
    strip.LoadFromBytes(bytes);
    AddMasked(strip, maskColor_);
}

void TImageList::WriteBitmap(TStream& stream) const {
    auto& self = const_cast<TImageList&>(*this);
    int count = Count();
    if (count == 0) return;
    TBitmap strip(width_ * count, height_);
    strip.SetPixelFormat(pf24bit);
    strip.Canvas().Brush().SetColor(maskColor_);
    strip.Canvas().FillRect(RECT{0, 0, strip.Width(), strip.Height()});
    HDC dc = strip.Canvas().Handle();
    for (int i = 0; i < count; ++i) self.Draw(dc, i * width_, 0, i);
    std::vector<uint8_t> bytes = strip.SaveToBytes();
    stream.WriteBuffer(bytes.data(), bytes.size());
}

void TImageList::Loaded() {
    TComponent::Loaded();
    if (pendingStrip_.empty()) return;
    std::vector<uint8_t> bytes = std::move(pendingStrip_);
    pendingStrip_.clear();
    TBitmap strip;
    strip.LoadFromBytes(bytes);
    AddMasked(strip, maskColor_);
}
