#pragma once
// The viewer's window glue: a window object bound to its HWND at creation, one place where
// handler errors are caught and reported, modal message loops, and a label that draws its text
// word-wrapped and vertically centred.
//
// Contract: Handle() runs for every message after WM_NCCREATE; an exception thrown by a handler
// never crosses the window procedure: it reaches the default error report and the message
// counts as handled. The object must outlive its window; the window is destroyed by the
// object's destructor when it still exists.
#include <windows.h>

#include <functional>
#include <string>

namespace kv::app {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Hwnd() const { return hwnd_; }

protected:
    // Registers `className` once (arrow cursor, button-face background, the program icon).
    static void RegisterClassOnce(const char* className);
    void CreateTopLevel(const char* className, const std::string& caption, DWORD style,
                        DWORD exStyle, int x, int y, int width, int height, HWND owner, HMENU menu);
    virtual LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    HFONT font_ = nullptr; // the window's font as WM_SETFONT gave it (borrowed)
};

// A child control: `className` is a system class or "TLabel".
HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int x,
                 int y, int width, int height, int id, DWORD exStyle = 0);

// Sets the font of a window and of all its children that take their parent's font (every
// child not listed in `keepOwnFont`).
void SetFontOfTree(HWND window, HFONT font, std::initializer_list<HWND> keepOwnFont = {});

// Runs a modal loop for `window` until `closed` turns true: the owner is disabled meanwhile and
// activated again at the end. Keyboard navigation of dialogs applies. `preTranslate` may take
// a message first (true: consumed). A WM_QUIT ends the loop and is posted again.
void RunModalLoop(HWND window, HWND owner, const bool& closed,
                  const std::function<bool(MSG&)>& preTranslate = {});

// A label window ("TLabel"): text through SetWindowText and WM_SETFONT, drawn with the
// button-face background; word wrap and vertical centring are fixed at creation by the
// style bits below.
inline constexpr DWORD kLabelWordWrap = 0x0001;
inline constexpr DWORD kLabelCenterV = 0x0002;
void RegisterLabelClass();

} // namespace kv::app
