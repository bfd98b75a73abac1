#include "agent/player/BalloonWindow.h"

#include <algorithm>

namespace kv::agent::player {
namespace {

const wchar_t kClassName[] = L"KelvorineBalloon";
constexpr int kPadding = 8;
constexpr int kTail = 12;
constexpr int kCorner = 16;

void RegisterClassOnce() {
    static bool done = false;
    if (done) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    wc.lpszClassName = kClassName;
    done = RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HFONT MakeFont(const AcsBalloonInfo& style) {
    LOGFONTW lf{};
    lf.lfHeight = std::clamp(style.fontHeight, -200, 200);
    if (lf.lfHeight == 0) lf.lfHeight = -13;
    lf.lfWeight = std::clamp(style.fontWeight, 0, 1000);
    lf.lfItalic = style.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::u16string face = style.fontName.substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

// Start of every word (after a run of blanks).
std::vector<size_t> WordStarts(const std::wstring& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != L' ' && (i == 0 || text[i - 1] == L' ')) starts.push_back(i);
    return starts;
}

} // namespace

BalloonWindow::BalloonWindow(const AcsBalloonInfo& style) : style_(style) {
    RegisterClassOnce();
    font_ = MakeFont(style_);
    DWORD ex = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    hwnd_ = CreateWindowExW(ex, kClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_) return;
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&BalloonWindow::Proc));
}

BalloonWindow::~BalloonWindow() {
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(DefWindowProcW));
        DestroyWindow(hwnd_); // takes its region with it
    }
    if (font_) DeleteObject(font_);
}

LRESULT CALLBACK BalloonWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BalloonWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_PAINT:
        self->Paint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    default:
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    }
}

int BalloonWindow::MeasureHeight(HDC dc, const std::wstring& text, int width) const {
    RECT r{0, 0, width, 0};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return r.bottom;
}

std::wstring BalloonWindow::FittingTail(HDC dc, const std::wstring& text, int width,
                                        int maxHeight) const {
    if (MeasureHeight(dc, text, width) <= maxHeight) return text;
    // Drop whole words from the front until the rest fits: the balloon shows its last lines.
    std::vector<size_t> starts = WordStarts(text);
    for (size_t k = 1; k < starts.size(); ++k) {
        std::wstring tail = text.substr(starts[k]);
        if (MeasureHeight(dc, tail, width) <= maxHeight) return tail;
    }
    return starts.empty() ? std::wstring() : text.substr(starts.back());
}

void BalloonWindow::Show(const std::wstring& text, const RECT& character) {
    if (!hwnd_) return;
    text_ = text;
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, font_);
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    int lineHeight = std::max<int>(1, tm.tmHeight);
    int width =
        std::max(8, static_cast<int>(style_.charsPerLine)) * std::max<int>(1, tm.tmAveCharWidth);
    int maxHeight = std::max(1, static_cast<int>(style_.lines)) * lineHeight;
    shown_ = FittingTail(dc, text_, width, maxHeight);
    int height = std::clamp(MeasureHeight(dc, shown_, width), lineHeight, maxHeight);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);

    body_ = {width + 2 * kPadding, height + 2 * kPadding};
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int total = body_.cy + kTail;
    int centre = (character.left + character.right) / 2;
    int x = std::clamp<int>(centre - body_.cx / 2, work.left,
                            std::max<int>(work.left, work.right - body_.cx));
    int y = character.top - total;
    tailUp_ = y < work.top;
    if (tailUp_) y = character.bottom;
    tailX_ = std::clamp<int>(centre - x, kCorner, std::max<int>(kCorner, body_.cx - kCorner));
    SetWindowRgn(hwnd_, BuildShape(), FALSE); // the window owns the region from here
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, body_.cx, total, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void BalloonWindow::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    text_.clear();
}

HRGN BalloonWindow::BuildShape() const {
    int top = tailUp_ ? kTail : 0;
    HRGN shape = CreateRoundRectRgn(0, top, body_.cx + 1, top + body_.cy + 1, kCorner, kCorner);
    int baseY = tailUp_ ? kTail + 1 : body_.cy - 1;
    int tipY = tailUp_ ? 0 : body_.cy + kTail;
    POINT tail[3] = {{tailX_ - 6, baseY}, {tailX_ + 6, baseY}, {tailX_ - 2, tipY}};
    HRGN pointer = CreatePolygonRgn(tail, 3, WINDING);
    CombineRgn(shape, shape, pointer, RGN_OR);
    DeleteObject(pointer);
    return shape;
}

void BalloonWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Composed off-screen, copied in one step.
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(memory, bitmap);
    HRGN shape = BuildShape();
    HBRUSH back = CreateSolidBrush(style_.backColor & 0xFFFFFF);
    HBRUSH border = CreateSolidBrush(style_.borderColor & 0xFFFFFF);
    FillRect(memory, &client, back);
    FrameRgn(memory, shape, border, 1, 1);
    HGDIOBJ oldFont = SelectObject(memory, font_);
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, style_.textColor & 0xFFFFFF);
    int top = (tailUp_ ? kTail : 0) + kPadding;
    RECT text{kPadding, top, body_.cx - kPadding, top + body_.cy - 2 * kPadding};
    DrawTextW(memory, shown_.c_str(), static_cast<int>(shown_.size()), &text,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    SelectObject(memory, oldFont);
    SelectObject(memory, oldBitmap);
    DeleteObject(border);
    DeleteObject(back);
    DeleteObject(shape);
    DeleteObject(bitmap);
    DeleteDC(memory);
    EndPaint(hwnd_, &ps);
}

} // namespace kv::agent::player
