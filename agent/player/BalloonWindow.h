#pragma once
// BalloonWindow: the character's word balloon — a topmost popup beside the character with the
// balloon's colours and font, a rounded body and a tail pointing at the character.
//
// Contract
// - Created hidden with the character's balloon style (AcsBalloonInfo); owns its window, font
//   and region. Show(text, character) lays the balloon out for `text` (at most the style's
//   number of lines of its characters-per-line width; a longer text shows its last lines, as
//   a balloon that scrolls), places it above the character (below when there is no room),
//   keeps it on the work area, and repaints at once. Text() is the text last shown.
// - Style: without BalloonSizeToText in `flags` the body keeps its full size (lines x
//   characters per line); with it, the body fits the text shown.
// - The window never takes the focus. Bound through BoundWindowProc.
#include "agent/acs/AcsCharacter.h"
#include "ui/graphics/GdiHandles.h"

#include <windows.h>

#include <string>

namespace kv::agent::player {

class BalloonWindow {
public:
    BalloonWindow(const AcsBalloonInfo& style, uint32_t flags);
    ~BalloonWindow();
    BalloonWindow(const BalloonWindow&) = delete;
    BalloonWindow& operator=(const BalloonWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    void Show(const std::wstring& text, const RECT& character);
    void Hide();
    bool Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }
    const std::wstring& Text() const { return text_; }

    LRESULT OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void Paint();
    std::wstring FittingTail(HDC dc, const std::wstring& text, int width, int maxHeight) const;
    int MeasureHeight(HDC dc, const std::wstring& text, int width) const;
    SIZE LayOut();
    UniqueRegion BuildShape() const;
    void DrawBody(HDC dc, const RECT& client) const;

    AcsBalloonInfo style_;
    bool sizeToText_;
    HWND hwnd_ = nullptr;
    UniqueFont font_;
    std::wstring text_;
    std::wstring shown_; // the part of text_ that fits
    SIZE body_{};        // rounded body size
    bool tailUp_ = false;
    int tailX_ = 0;
};

} // namespace kv::agent::player
