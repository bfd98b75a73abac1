#include "app/win/Window.h"

#include "app/win/Services.h"
#include "app/win/WinUtil.h"

namespace kv::app {
namespace {

struct LabelState {
    HFONT font = nullptr;
};

void PaintLabel(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    auto* state = reinterpret_cast<LabelState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    HGDIOBJ old = state && state->font ? SelectObject(dc, state->font) : nullptr;
    std::string text = WindowText(window);
    LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    UINT flags = DT_NOPREFIX | ((style & kLabelWordWrap) ? DT_WORDBREAK : DT_SINGLELINE);
    RECT box = client;
    if (style & kLabelCenterV) {
        RECT measure = client;
        DrawTextA(dc, text.c_str(), int(text.size()), &measure, flags | DT_CALCRECT);
        int height = measure.bottom - measure.top;
        box.top = client.top + ((client.bottom - client.top) - height) / 2;
        box.bottom = box.top + height;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    DrawTextA(dc, text.c_str(), int(text.size()), &box, flags);
    if (old) SelectObject(dc, old);
    EndPaint(window, &ps);
}

LRESULT CALLBACK LabelProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<LabelState*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_NCCREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new LabelState));
        break;
    case WM_NCDESTROY:
        delete state;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        break;
    case WM_SETFONT:
        if (state) state->font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return state ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcA(window, message, wParam, lParam);
        InvalidateRect(window, nullptr, TRUE);
        return r;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintLabel(window);
        return 0;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

Window::~Window() {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

void Window::RegisterClassOnce(const char* className) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, className, &existing)) return;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
}

void Window::CreateTopLevel(const char* className, const std::string& caption, DWORD style,
                            DWORD exStyle, int x, int y, int width, int height, HWND owner,
                            HMENU menu) {
    RegisterClassOnce(className);
    CreateWindowExA(exStyle, className, caption.c_str(), style, x, y, width, height, owner, menu,
                    GetModuleHandleA(nullptr), this);
    if (!hwnd_) throw AppError(std::string("Cannot create the window ") + className);
}

LRESULT Window::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        auto* self = static_cast<Window*>(create->lpCreateParams);
        self->hwnd_ = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    if (message == WM_SETFONT) self->font_ = reinterpret_cast<HFONT>(wParam);
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(self->font_);
    LRESULT result = 0;
    try {
        result = self->Handle(message, wParam, lParam);
    } catch (...) {
        ShowCurrentException();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
    }
    return result;
}

HWND CreateChild(HWND parent, const char* className, const std::string& text, DWORD style, int x,
                 int y, int width, int height, int id, DWORD exStyle) {
    HWND child =
        CreateWindowExA(exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y,
                        width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), nullptr);
    if (!child) throw AppError(std::string("Cannot create a control of class ") + className);
    return child;
}

void SetFontOfTree(HWND window, HFONT font, std::initializer_list<HWND> keepOwnFont) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        bool keep = false;
        for (HWND own : keepOwnFont) keep = keep || own == child;
        if (!keep) SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void RunModalLoop(HWND window, HWND owner, const bool& closed,
                  const std::function<bool(MSG&)>& preTranslate) {
    if (owner) EnableWindow(owner, FALSE);
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (!closed) {
        BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (got < 0) break;
        if (preTranslate && preTranslate(msg)) continue;
        if (!IsDialogMessageA(window, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    if (owner) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
}

void RegisterLabelClass() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA existing;
    if (GetClassInfoA(instance, "TLabel", &existing)) return;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = LabelProcedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TLabel";
    RegisterClassA(&wc);
}

} // namespace kv::app
