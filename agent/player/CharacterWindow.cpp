#include "agent/player/CharacterWindow.h"

#include "agent/player/PlayerWindowClass.h"

#include <algorithm>
#include <cmath>

namespace kv::agent::player {
namespace {

const wchar_t kClassName[] = L"KelvorineCharacter";

} // namespace

CharacterWindow::CharacterWindow(int width, int height, COLORREF key) : key_(key) {
    frame_.Resize(width, height, ToPixel(key));
    if (!RegisterPlayerClass(kClassName, &BoundWindowProc<CharacterWindow>)) return;
    DWORD ex = WS_EX_LAYERED | WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    hwnd_ = CreateWindowExW(ex, kClassName, L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
    if (!hwnd_) return;
    SetLayeredWindowAttributes(hwnd_, key_, 255, LWA_COLORKEY);
}

CharacterWindow::~CharacterWindow() {
    sink_ = nullptr; // nothing reaches the owner while the window goes
    if (hwnd_) DestroyWindow(hwnd_); // its timers go with it; WM_NCDESTROY unbinds
}

void CharacterWindow::Notify(UINT_PTR what) {
    if (sink_) sink_(what);
}

LRESULT CharacterWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        hwnd_ = hwnd; // before CreateWindowEx returns: the first paint may come early
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_NCHITTEST:
        return HTCAPTION; // drag the character anywhere on it
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_EXITSIZEMOVE:
        Notify(kMovedNotice);
        return 0;
    case WM_NCRBUTTONUP: // the whole character is caption (WM_NCHITTEST)
    case WM_RBUTTONUP:
        Notify(kContextMenuNotice);
        return 0;
    case WM_CONTEXTMENU: // handled at the button's release
        return 0;
    case WM_INITMENUPOPUP:
        openMenu_ = reinterpret_cast<HMENU>(wParam);
        Notify(kMenuOpenNotice);
        openMenu_ = nullptr;
        return 0;
    case kTrayCallback:
        if (LOWORD(lParam) == WM_RBUTTONUP || LOWORD(lParam) == WM_CONTEXTMENU)
            Notify(kTrayMenuNotice);
        return 0;
    case WM_TIMER:
        KillTimer(hwnd, wParam); // one-shot
        if (wParam != kMovedNotice) Notify(wParam);
        return 0;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

void CharacterWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    if (!frame_.Empty()) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = frame_.Width();
        info.bmiHeader.biHeight = -frame_.Height(); // top-down like the buffer
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        SetDIBitsToDevice(
            dc, 0, 0, static_cast<DWORD>(frame_.Width()), static_cast<DWORD>(frame_.Height()), 0, 0,
            0, static_cast<UINT>(frame_.Height()), frame_.View().pixels, &info, DIB_RGB_COLORS);
    }
    EndPaint(hwnd_, &ps);
}

void CharacterWindow::Schedule(UINT_PTR id, double ms) {
    if (!hwnd_) return;
    UINT delay = static_cast<UINT>(std::clamp(std::lround(ms), 1L, 0x7FFFFFFFL));
    SetTimer(hwnd_, id, delay, nullptr);
}

void CharacterWindow::Cancel(UINT_PTR id) {
    if (hwnd_) KillTimer(hwnd_, id);
}

void CharacterWindow::Present(const PixelBuffer& frame) {
    if (frame.Width() != frame_.Width() || frame.Height() != frame_.Height()) return;
    frame_ = frame;
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void CharacterWindow::SetVisible(bool visible) {
    if (!hwnd_) return;
    if (visible)
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    else
        ShowWindow(hwnd_, SW_HIDE);
}

bool CharacterWindow::Visible() const {
    return hwnd_ && IsWindowVisible(hwnd_);
}

void CharacterWindow::MoveTo(int x, int y) {
    if (hwnd_) SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT CharacterWindow::Bounds() const {
    RECT r{};
    if (hwnd_) GetWindowRect(hwnd_, &r);
    return r;
}

COLORREF ChooseKeyColour(std::span<const uint32_t> palette, int transparentIndex) {
    const COLORREF candidates[] = {RGB(255, 0, 255), RGB(1, 254, 3), RGB(254, 1, 253),
                                   RGB(3, 5, 251),   RGB(250, 4, 7), RGB(7, 251, 250)};
    auto used = [&](COLORREF c) {
        for (size_t i = 0; i < palette.size(); ++i) {
            if (static_cast<int>(i) == transparentIndex) continue;
            if (ToColorRef(palette[i] & 0xFFFFFF) == c) return true;
        }
        return false;
    };
    for (COLORREF c : candidates)
        if (!used(c)) return c;
    // At most 256 entries: some value among 257 consecutive blues is free.
    for (COLORREF c = RGB(2, 3, 0);; ++c)
        if (!used(c)) return c;
}

} // namespace kv::agent::player
