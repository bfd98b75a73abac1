#include "ui/graphics/Bitmap.h"

#include "ui/classes/Properties.h"
#include "ui/classes/Streams.h"

#include "base/Bmp.h"
#include "base/ByteCursor.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

KV_DEFINE_PLAIN_CLASS(TBitmap, TObject)

// The bitmap's own memory DC. The DIB stays selected in it; a resize swaps the selection
// before the old DIB is deleted.
class TBitmap::BitmapCanvas : public TCanvas {
public:
    explicit BitmapCanvas(TBitmap& owner) : owner_(owner) {}
    ~BitmapCanvas() override { Close(); }

    void SelectDib(HBITMAP dib) {
        if (!dc_) return;
        HGDIOBJ previous = SelectObject(dc_.Get(), dib ? dib : savedBitmap_);
        if (!dibSelected_) savedBitmap_ = previous;
        dibSelected_ = dib != nullptr;
    }

protected:
    void CreateHandle() override {
        if (dc_) return;
        dc_.Reset(CreateCompatibleDC(nullptr));
        if (!dc_) return;
        SelectDib(owner_.Handle());
        SetHandle(dc_.Get());
    }

private:
    void Close() {
        if (!dc_) return;
        SetHandle(nullptr);
        if (dibSelected_) SelectObject(dc_.Get(), savedBitmap_);
        dc_.Reset();
    }

    TBitmap& owner_;
    kv::UniqueMemoryDC dc_;
    HGDIOBJ savedBitmap_ = nullptr;
    bool dibSelected_ = false;
};

namespace {

struct Dib {
    kv::UniqueBitmap handle;
    uint32_t* bits = nullptr;
};

// A top-down 32-bit DIB section; sizes are checked by the caller.
Dib MakeDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    Dib dib;
    dib.handle.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!dib.handle || !bits) throw EOutOfResources("Out of system resources for a bitmap");
    dib.bits = static_cast<uint32_t*>(bits);
    return dib;
}

void CheckSize(int width, int height) {
    if (width < 0 || height < 0 || width > kv::kMaxSide || height > kv::kMaxSide ||
        size_t(width) * size_t(height) > kv::kMaxPixels)
        throw EInvalidGraphic("Bitmap size " + std::to_string(width) + " x " +
                              std::to_string(height) + " is not allowed");
}

const char* BmpErrorText(kv::BmpError error) {
    switch (error) {
    case kv::BmpError::Truncated:
        return "the file is truncated";
    case kv::BmpError::BadSignature:
        return "not a bitmap file";
    case kv::BmpError::BadHeader:
        return "unknown bitmap header";
    case kv::BmpError::BadSize:
        return "bitmap size out of range";
    case kv::BmpError::BadFormat:
        return "unsupported bit count or compression";
    case kv::BmpError::BadMasks:
        return "bad colour masks";
    case kv::BmpError::BadPalette:
        return "bad palette";
    case kv::BmpError::BadOffset:
        return "pixel data inside the headers";
    default:
        return "unreadable bitmap";
    }
}

// The bit count the file declares (the decode has already validated the header).
int FileBitCount(std::span<const uint8_t> bytes) {
    kv::ByteCursor cursor(bytes);
    cursor.Skip(14);
    uint32_t headerSize = cursor.U32();
    if (headerSize == 12) {
        cursor.Skip(6);
    } else {
        cursor.Skip(10);
    }
    return cursor.U16();
}

} // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) {
    SetSize(width, height);
}

TBitmap::~TBitmap() = default;

void TBitmap::ReplaceDib(kv::UniqueBitmap dib, uint32_t* bits, int width, int height) {
    if (canvas_) canvas_->SelectDib(dib.Get());
    dib_ = std::move(dib); // the old DIB is no longer selected anywhere
    bits_ = bits;
    width_ = width;
    height_ = height;
}

void TBitmap::SetSize(int width, int height) {
    if (width == width_ && height == height_) return;
    CheckSize(width, height);
    if (width == 0 || height == 0) {
        ReplaceDib({}, nullptr, width, height);
        return;
    }
    Dib made = MakeDib(width, height);
    GdiFlush();
    std::fill_n(made.bits, size_t(width) * size_t(height), 0xFFFFFFu);
    int keepWidth = std::min(width, width_), keepHeight = std::min(height, height_);
    for (int y = 0; y < keepHeight && bits_; ++y)
        std::memcpy(made.bits + size_t(y) * size_t(width), bits_ + size_t(y) * size_t(width_),
                    size_t(keepWidth) * sizeof(uint32_t));
    ReplaceDib(std::move(made.handle), made.bits, width, height);
}

kv::PixelView TBitmap::Pixels() {
    GdiFlush();
    if (Empty()) return {};
    return {bits_, width_, height_, size_t(width_)};
}

TCanvas& TBitmap::Canvas() {
    if (!canvas_) canvas_ = std::make_unique<BitmapCanvas>(*this);
    return *canvas_;
}

void TBitmap::Assign(const kv::PixelView& pixels) {
    if (pixels.Empty()) {
        SetSize(0, 0);
        return;
    }
    CheckSize(pixels.width, pixels.height);
    Dib made = MakeDib(pixels.width, pixels.height);
    for (int y = 0; y < pixels.height; ++y)
        std::memcpy(made.bits + size_t(y) * size_t(pixels.width), pixels.Row(y),
                    size_t(pixels.width) * sizeof(uint32_t));
    GdiFlush();
    ReplaceDib(std::move(made.handle), made.bits, pixels.width, pixels.height);
}

void TBitmap::Assign(const TBitmap& other) {
    if (&other == this) return;
    GdiFlush();
    if (other.Empty())
        SetSize(other.width_, other.height_);
    else
        Assign(kv::PixelView{other.bits_, other.width_, other.height_, size_t(other.width_)});
    pixelFormat_ = other.pixelFormat_;
    transparent_ = other.transparent_;
    transparentColor_ = other.transparentColor_;
}

void TBitmap::LoadFromHandle(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info))
        throw EInvalidGraphic("Not a bitmap handle");
    int width = info.bmWidth, height = std::abs(info.bmHeight);
    CheckSize(width, height);
    if (width == 0 || height == 0) {
        SetSize(0, 0);
        return;
    }
    Dib made = MakeDib(width, height);
    BITMAPINFO request{};
    request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    request.bmiHeader.biWidth = width;
    request.bmiHeader.biHeight = -height;
    request.bmiHeader.biPlanes = 1;
    request.bmiHeader.biBitCount = 32;
    request.bmiHeader.biCompression = BI_RGB;
    kv::WindowDC screen(nullptr);
    if (GetDIBits(screen.Get(), bitmap, 0, UINT(height), made.bits, &request, DIB_RGB_COLORS) !=
        height)
        throw EInvalidGraphic("Bitmap bits could not be read");
    ReplaceDib(std::move(made.handle), made.bits, width, height);
    pixelFormat_ = info.bmBitsPixel == 32 ? pf32bit : pf24bit;
}

void TBitmap::LoadFromResourceName(HINSTANCE instance, const char* name) {
    kv::UniqueBitmap loaded(
        static_cast<HBITMAP>(LoadImageA(instance, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!loaded) throw EInvalidGraphic("Bitmap resource not found");
    LoadFromHandle(loaded.Get());
}

void TBitmap::LoadFromResourceID(HINSTANCE instance, int id) {
    LoadFromResourceName(instance, MAKEINTRESOURCEA(id));
}

void TBitmap::LoadFromBytes(std::span<const uint8_t> bytes) {
    kv::BmpError why = kv::BmpError::None;
    kv::PixelBuffer decoded = kv::DecodeBmp(bytes, &why);
    if (decoded.Empty()) throw EInvalidGraphic(std::string("Invalid bitmap: ") + BmpErrorText(why));
    Assign(decoded.View());
    pixelFormat_ = FileBitCount(bytes) == 32 ? pf32bit : pf24bit;
}

std::vector<uint8_t> TBitmap::SaveToBytes() {
    kv::PixelView view = Pixels();
    return pixelFormat_ == pf32bit ? kv::EncodeBmp32(view) : kv::EncodeBmp24(view);
}

void TBitmap::LoadFromFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw EFOpenError("Cannot open file \"" + path + "\"");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
    LoadFromBytes(bytes);
}

void TBitmap::SaveToFile(const std::string& path) {
    std::vector<uint8_t> bytes = SaveToBytes();
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) throw EFCreateError("Cannot create file \"" + path + "\"");
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!file) throw EWriteError("Cannot write file \"" + path + "\"");
}

void TBitmap::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    // A BMP within the pixel caps is below 64 MiB plus headers; more is not a bitmap of ours.
    constexpr int64_t kMaxFile = int64_t(kv::kMaxPixels) * 4 + (1 << 20);
    if (size <= 0) throw EInvalidGraphic("Invalid bitmap: the file is truncated");
    if (size > kMaxFile) throw EInvalidGraphic("Invalid bitmap: bitmap size out of range");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    stream.ReadBuffer(bytes.data(), bytes.size());
    LoadFromBytes(bytes);
}

void TBitmap::SaveToStream(TStream& stream) {
    std::vector<uint8_t> bytes = SaveToBytes();
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), bytes.size());
}
