#include "agent/player/TrayIcon.h"

#include "agent/player/CharacterWindow.h"
#include "agent/player/logic/TrayIconImage.h"

#include <shellapi.h>

#include <cstring>

namespace kv::agent::player {
namespace {

constexpr UINT kIconId = 1;

// The colour image as a 32-bit top-down DIB section.
UniqueBitmap ColourBitmap(const TrayIconImage& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (bitmap && bits) std::memcpy(bits, image.colors.data(), image.colors.size() * 4);
    return bitmap;
}

// The AND mask as a monochrome bitmap: top-down rows padded to 16 bits.
UniqueBitmap MaskBitmap(const TrayIconImage& image) {
    size_t stride = ((static_cast<size_t>(image.width) + 15) / 16) * 2;
    std::vector<uint8_t> rows(stride * static_cast<size_t>(image.height), 0);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            if (image.transparent[static_cast<size_t>(y) * static_cast<size_t>(image.width) +
                                  static_cast<size_t>(x)])
                rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x) / 8] |=
                    static_cast<uint8_t>(0x80u >> (x % 8));
    return UniqueBitmap(CreateBitmap(image.width, image.height, 1, 1, rows.data()));
}

UniqueIcon MakeIcon(const std::optional<AcsTrayIcon>& block) {
    if (!block) return {};
    std::optional<TrayIconImage> image = DecodeTrayIcon(*block);
    if (!image) return {};
    UniqueBitmap colour = ColourBitmap(*image);
    UniqueBitmap mask = MaskBitmap(*image);
    if (!colour || !mask) return {};
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.Get();
    info.hbmMask = mask.Get();
    return UniqueIcon(CreateIconIndirect(&info)); // copies both bitmaps
}

} // namespace

TrayIcon::TrayIcon(const std::optional<AcsTrayIcon>& block, std::wstring tip)
    : owned_(MakeIcon(block)), tip_(std::move(tip)) {
    if (!owned_) plain_ = LoadIconW(nullptr, MAKEINTRESOURCEW(32512)); // IDI_APPLICATION
}

bool TrayIcon::Add(HWND window) {
    if (shown_ || !window) return shown_;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window;
    data.uID = kIconId;
    data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
    data.uCallbackMessage = kTrayCallback;
    data.hIcon = Icon();
    wcsncpy(data.szTip, tip_.c_str(), std::size(data.szTip) - 1);
    shown_ = Shell_NotifyIconW(NIM_ADD, &data) != FALSE;
    if (shown_) window_ = window;
    return shown_;
}

void TrayIcon::Remove() {
    if (!shown_) return;
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = window_;
    data.uID = kIconId;
    Shell_NotifyIconW(NIM_DELETE, &data);
    shown_ = false;
    window_ = nullptr;
}

} // namespace kv::agent::player
