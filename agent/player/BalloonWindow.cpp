#include "agent/player/BalloonWindow.h"

#include "agent/player/PlayerWindowClass.h"

#include <algorithm>

namespace kv::agent::player {
namespace {

const wchar_t kClassName[] = L"KelvorineBalloon";
constexpr int kPadding = 8;
constexpr int kTail = 12;
constexpr int kCorner = 16;

UniqueFont MakeFont(const AcsBalloonInfo& style) {
    LOGFONTW lf{};
    lf.lfHeight = std::clamp(style.fontHeight, -200, 200);
    if (lf.lfHeight == 0) lf.lfHeight = -13;
    lf.lfWeight = std::clamp(style.fontWeight, 0, 1000);
    lf.lfItalic = style.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    std::u16string face = style.fontName.substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return UniqueFont(CreateFontIndirectW(&lf));
}

// Start of every word (after a run of blanks).
std::vector<size_t> WordStarts(const std::wstring& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != L' ' && (i == 0 || text[i - 1] == L' ')) starts.push_back(i);
    return starts;
}

} // namespace

BalloonWindow::BalloonWindow(const AcsBalloonInfo& style, uint32_t flags)
    : style_(style), sizeToText_((flags & kAcsFlagBalloonSizeToText) != 0), font_(MakeFont(style_)) {
    if (!RegisterPlayerClass(kClassName, &BoundWindowProc<BalloonWindow>)) return;
    DWORD ex = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    hwnd_ = CreateWindowExW(ex, kClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
}

BalloonWindow::~BalloonWindow() {
    if (hwnd_) DestroyWindow(hwnd_); // takes its region with it; WM_NCDESTROY unbinds
}

LRESULT BalloonWindow::OnMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        hwnd_ = hwnd;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        hwnd_ = nullptr;
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_PAINT:
        Paint();
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
    SIZE size = LayOut();
    body_ = {size.cx + 2 * kPadding, size.cy + 2 * kPadding};
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
    UniqueRegion shape = BuildShape();
    if (SetWindowRgn(hwnd_, shape.Get(), FALSE)) shape.Release(); // the window owns it now
    SetWindowPos(hwnd_, HWND_TOPMOST, x, y, body_.cx, total, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}

void BalloonWindow::Hide() {
    if (hwnd_) ShowWindow(hwnd_, SW_HIDE);
    text_.clear();
}

// The text area for text_: the style's lines and characters per line at most; the text's own
// size when the style sizes to text. Sets shown_ to the part that fits.
SIZE BalloonWindow::LayOut() {
    WindowDC dc(hwnd_);
    SelectionGuard font(dc.Get(), font_.Get());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.Get(), &tm);
    int lineHeight = std::max<int>(1, tm.tmHeight);
    int width = std::max(8, static_cast<int>(style_.charsPerLine)) *
                std::max<int>(1, tm.tmAveCharWidth);
    int maxHeight = std::max(1, static_cast<int>(style_.lines)) * lineHeight;
    shown_ = FittingTail(dc.Get(), text_, width, maxHeight);
    if (!sizeToText_) return {width, maxHeight};
    RECT used{0, 0, width, 0};
    DrawTextW(dc.Get(), shown_.c_str(), static_cast<int>(shown_.size()), &used,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
    return {std::clamp<int>(used.right, kCorner, width),
            std::clamp<int>(used.bottom, lineHeight, maxHeight)};
}

UniqueRegion BalloonWindow::BuildShape() const {
    int top = tailUp_ ? kTail : 0;
    UniqueRegion shape(
        CreateRoundRectRgn(0, top, body_.cx + 1, top + body_.cy + 1, kCorner, kCorner));
    int baseY = tailUp_ ? kTail + 1 : body_.cy - 1;
    int tipY = tailUp_ ? 0 : body_.cy + kTail;
    POINT tail[3] = {{tailX_ - 6, baseY}, {tailX_ + 6, baseY}, {tailX_ - 2, tipY}};
    UniqueRegion pointer(CreatePolygonRgn(tail, 3, WINDING));
    if (shape && pointer) CombineRgn(shape.Get(), shape.Get(), pointer.Get(), RGN_OR);
    return shape;
}

void BalloonWindow::Paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    RECT client{};
    GetClientRect(hwnd_, &client);
    // Composed off-screen, copied in one step.
    UniqueMemoryDC memory(CreateCompatibleDC(dc));
    UniqueBitmap bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory && bitmap) {
        SelectionGuard selectBitmap(memory.Get(), bitmap.Get());
        DrawBody(memory.Get(), client);
        BitBlt(dc, 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &ps);
}

void BalloonWindow::DrawBody(HDC dc, const RECT& client) const {
    UniqueRegion shape = BuildShape();
    UniqueBrush back(CreateSolidBrush(style_.backColor & 0xFFFFFF));
    UniqueBrush border(CreateSolidBrush(style_.borderColor & 0xFFFFFF));
    FillRect(dc, &client, back.Get());
    if (shape) FrameRgn(dc, shape.Get(), border.Get(), 1, 1);
    SelectionGuard font(dc, font_.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, style_.textColor & 0xFFFFFF);
    int top = (tailUp_ ? kTail : 0) + kPadding;
    RECT text{kPadding, top, body_.cx - kPadding, top + body_.cy - 2 * kPadding};
    DrawTextW(dc, shown_.c_str(), static_cast<int>(shown_.size()), &text,
              DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
}

} // namespace kv::agent::player
