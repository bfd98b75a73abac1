// The control gallery: every control kind in one window, for looking at skins and for testing
// them. Options: --page=N shows page N (0..2) first; --exit-after=MS closes after MS ms.
#include "tools/gallery/GalleryControls.h"

#include "ui/graphics/ImageList.h"

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

gallery::GalleryWindows g_windows;
HMENU g_popup = nullptr;

// Five 16 x 16 glyphs drawn on the canvas: open, close, show, hide, about.
void DrawGlyphs(TImageList& images) {
    TBitmap strip(16 * 5, 16);
    TCanvas& c = strip.Canvas();
    c.Brush().SetColor(clFuchsia);
    c.FillRect(RECT{0, 0, 80, 16});
    const TColor colors[] = {clOlive, clMaroon, clGreen, clGray, clNavy};
    for (int i = 0; i < 5; ++i) {
        int x = i * 16;
        c.Pen().SetColor(clBlack);
        c.Brush().SetColor(colors[i]);
        if (i == 4)
            c.Ellipse(x + 1, 1, x + 15, 15);
        else
            c.Rectangle(x + 2, 3, x + 14, 13);
        c.Pen().SetColor(clWhite);
        c.MoveTo(x + 5, 8);
        c.LineTo(x + 11, 8);
    }
    images.AddMasked(strip, clFuchsia);
}

const char* HintOf(int command) {
    switch (command) {
    case gallery::kCommandOpen:
        return "Open File";
    case gallery::kCommandClose:
        return "Close File";
    case gallery::kCommandShow:
        return "Show";
    case gallery::kCommandHide:
        return "Hide";
    case gallery::kCommandAbout:
        return "About...";
    default:
        return "";
    }
}

void SetStatus(const std::string& text) {
    SendMessageA(g_windows.statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

LRESULT OnNotify(NMHDR* header) {
    if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        info->lpszText = const_cast<char*>(HintOf(int(header->idFrom)));
    } else if (header->hwndFrom == g_windows.pages && header->code == TCN_SELCHANGE) {
        gallery::ShowPage(g_windows, int(SendMessageA(g_windows.pages, TCM_GETCURSEL, 0, 0)));
    }
    return 0;
}

LRESULT CALLBACK FrameProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_SIZE:
        if (g_windows.pages) gallery::LayoutContents(g_windows, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(reinterpret_cast<NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        TrackPopupMenu(g_popup, TPM_RIGHTBUTTON, short(LOWORD(lParam)), short(HIWORD(lParam)), 0,
                       window, nullptr);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == gallery::kCommandQuit) {
            DestroyWindow(window);
        } else if (LOWORD(wParam) >= gallery::kCommandOpen) {
            SetStatus(std::string("Command ") + HintOf(LOWORD(wParam)));
        }
        return 0;
    case WM_TIMER:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, msg, wParam, lParam);
    }
}

int OptionValue(const char* commandLine, const char* name, int fallback) {
    const char* found = std::strstr(commandLine, name);
    return found ? std::atoi(found + std::strlen(name)) : fallback;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int show) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = "TGalleryForm";
    RegisterClassA(&wc);

    auto images = std::make_unique<TImageList>(nullptr);
    DrawGlyphs(*images);
    g_popup = gallery::BuildPopupMenu();
    HWND frame = CreateWindowExA(0, "TGalleryForm", "Kelvorine control gallery",
                                 WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 420, 400, nullptr,
                                 gallery::BuildMenuBar(), instance, nullptr);
    g_windows = gallery::BuildContents(frame, images->Handle());
    int page = OptionValue(commandLine, "--page=", 0);
    if (page > 0 && page < 3) {
        SendMessageA(g_windows.pages, TCM_SETCURSEL, page, 0);
        gallery::ShowPage(g_windows, page);
    }
    RECT client{};
    GetClientRect(frame, &client);
    gallery::LayoutContents(g_windows, client.right, client.bottom);
    ShowWindow(frame, show);
    int exitAfter = OptionValue(commandLine, "--exit-after=", 0);
    if (exitAfter > 0) SetTimer(frame, 1, UINT(exitAfter), nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(frame, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyMenu(g_popup);
    return 0;
}
