#pragma once
// CharacterWindow: the character on the desktop — a top-level, topmost, layered tool window
// the size of the character's frame, whose key colour is see-through.
//
// Contract
// - Created hidden; owns its window (destroyed with the object, its timers with it). Present()
//   copies a composed frame (see-through pixels in the key colour) and repaints at once.
// - Timers: Schedule(id, ms) arms a one-shot timer (re-arming replaces it); the sink receives
//   its id. The sink also hears kMovedNotice after the user drags the window,
//   kContextMenuNotice after a right click on the character and kTrayMenuNotice after a right
//   click on the notification-area icon whose callback window this is (kTrayCallback).
// - The window never takes the focus; dragging it with the mouse moves the character.
// - Bound through BoundWindowProc: an exception out of the sink goes to the error report.
#include "base/Pixels.h"

#include <windows.h>

#include <functional>
#include <span>

namespace kv::agent::player {

constexpr UINT_PTR kMovedNotice = 0;
constexpr UINT_PTR kContextMenuNotice = 0x100;
constexpr UINT_PTR kTrayMenuNotice = 0x101;
constexpr UINT_PTR kMenuOpenNotice = 0x102; // OpenMenu() is the menu being opened
constexpr UINT kTrayCallback = WM_APP + 0x4B;

class CharacterWindow {
public:
    CharacterWindow(int width, int height, COLORREF key);
    ~CharacterWindow();
    CharacterWindow(const CharacterWindow&) = delete;
    CharacterWindow& operator=(const CharacterWindow&) = delete;

    bool Valid() const { return hwnd_ != nullptr; }
    HWND Handle() const { return hwnd_; }
    COLORREF Key() const { return key_; }

    void SetSink(std::function<void(UINT_PTR)> sink) { sink_ = std::move(sink); }
    void Schedule(UINT_PTR id, double ms);
    void Cancel(UINT_PTR id);

    void Present(const PixelBuffer& frame);
    void SetVisible(bool visible);
    bool Visible() const;
    void MoveTo(int x, int y);
    RECT Bounds() const;
    HMENU OpenMenu() const { return openMenu_; }

    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Notify(UINT_PTR what);
    void Paint();

    HWND hwnd_ = nullptr;
    COLORREF key_;
    PixelBuffer frame_;
    std::function<void(UINT_PTR)> sink_;
    HMENU openMenu_ = nullptr; // borrowed, while WM_INITMENUPOPUP is handled
};

// A key colour that no opaque palette entry uses (palette entries are 0x00RRGGBB).
COLORREF ChooseKeyColour(std::span<const uint32_t> palette, int transparentIndex);

} // namespace kv::agent::player
