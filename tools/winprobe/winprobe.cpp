// winprobe: lets scripts outside Wine drive a program's windows and end them cleanly.
//   winprobe wait CLASS [TIMEOUT_MS]   waits until a visible top-level window of CLASS exists
//                                      and its thread has painted and gone idle
//   winprobe close CLASS [TIMEOUT_MS]  asks every such window to close and waits until gone
//   winprobe command CLASS ID          posts WM_COMMAND with the menu item id ID to the window
//   winprobe rect CLASS                prints the window's screen rectangle as WxH+X+Y (the
//                                      geometry ImageMagick's -crop takes)
//   winprobe list                      prints the visible top-level windows: class, title
//   winprobe decoy [TIMEOUT_MS]        shows a small window of class KelvorineProbeDecoy in a
//                                      corner and activates it, so that others are inactive;
//                                      it stays until closed or the time is up
// Exit code 0 on success, 1 on time-out or a missing window, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr char kDecoyClass[] = "KelvorineProbeDecoy";

HWND FindVisible(const char* className) {
    HWND w = nullptr;
    while ((w = FindWindowExA(nullptr, w, className, nullptr)) != nullptr)
        if (IsWindowVisible(w)) return w;
    return nullptr;
}

bool WaitPainted(const char* className, DWORD timeout) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        HWND w = FindVisible(className);
        DWORD_PTR result = 0;
        // A reply to WM_NULL means the window's thread is back in its message loop; after an
        // UpdateWindow round-trip its pending paints are done.
        if (w && SendMessageTimeoutA(w, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) &&
            !GetUpdateRect(w, nullptr, FALSE)) {
            Sleep(300); // let other windows of the program (a character, a balloon) settle
            return true;
        }
        Sleep(100);
    }
    return false;
}

bool CloseAll(const char* className, DWORD timeout) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout) {
        HWND w = FindWindowExA(nullptr, nullptr, className, nullptr);
        if (!w) return true;
        PostMessageA(w, WM_CLOSE, 0, 0);
        Sleep(200);
    }
    return false;
}

bool PostCommand(const char* className, const char* idText) {
    char* end = nullptr;
    const unsigned long id = strtoul(idText, &end, 10);
    HWND w = FindVisible(className);
    if (!w || end == idText || *end || id == 0 || id > 0xFFFF) return false;
    return PostMessageA(w, WM_COMMAND, MAKEWPARAM(WORD(id), 0), 0) != FALSE;
}

bool PrintRect(const char* className) {
    HWND w = FindVisible(className);
    RECT r{};
    if (!w || !GetWindowRect(w, &r) || r.right <= r.left || r.bottom <= r.top) return false;
    printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return true;
}

BOOL CALLBACK PrintWindowLine(HWND w, LPARAM) {
    char className[256] = {}, title[256] = {};
    if (!IsWindowVisible(w)) return TRUE;
    GetClassNameA(w, className, sizeof className);
    GetWindowTextA(w, title, sizeof title);
    printf("%s\t%s\n", className, title);
    return TRUE;
}

LRESULT CALLBACK DecoyProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(w, msg, wParam, lParam);
}

// The decoy sits in the desktop's bottom-right corner, away from the windows being pictured.
bool RunDecoy(DWORD timeout) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DecoyProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kDecoyClass;
    if (!RegisterClassA(&wc)) return false;
    const int w = 200, h = 80;
    HWND decoy = CreateWindowExA(0, kDecoyClass, "Another window", WS_OVERLAPPEDWINDOW,
                                 GetSystemMetrics(SM_CXSCREEN) - w - 8,
                                 GetSystemMetrics(SM_CYSCREEN) - h - 8, w, h, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    if (!decoy) return false;
    ShowWindow(decoy, SW_SHOW);
    SetForegroundWindow(decoy);
    SetActiveWindow(decoy);
    SetTimer(decoy, 1, timeout, nullptr);
    MSG m;
    while (GetMessageA(&m, nullptr, 0, 0) > 0) {
        if (m.message == WM_TIMER && m.hwnd == decoy) DestroyWindow(decoy);
        DispatchMessageA(&m);
    }
    return true;
}

int Usage() {
    fprintf(stderr, "usage: winprobe wait|close CLASS [TIMEOUT_MS]\n"
                    "       winprobe command CLASS ID\n"
                    "       winprobe rect CLASS\n"
                    "       winprobe list\n"
                    "       winprobe decoy [TIMEOUT_MS]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    const char* verb = argv[1];
    if (strcmp(verb, "decoy") == 0)
        return RunDecoy(argc > 2 ? DWORD(strtoul(argv[2], nullptr, 10)) : 60000) ? 0 : 1;
    if (strcmp(verb, "list") == 0) return EnumWindows(PrintWindowLine, 0) ? 0 : 1;
    if (argc < 3) return Usage();
    const char* className = argv[2];
    bool ok = false;
    if (strcmp(verb, "command") == 0) {
        if (argc < 4) return Usage();
        ok = PostCommand(className, argv[3]);
    } else if (strcmp(verb, "rect") == 0) {
        ok = PrintRect(className);
    } else if (strcmp(verb, "wait") == 0 || strcmp(verb, "close") == 0) {
        DWORD timeout = argc > 3 ? DWORD(strtoul(argv[3], nullptr, 10)) : 30000;
        ok = strcmp(verb, "wait") == 0 ? WaitPainted(className, timeout)
                                       : CloseAll(className, timeout);
    } else {
        return Usage();
    }
    if (!ok)
        fprintf(stderr, "winprobe: %s %s failed (no such window, or timed out)\n", verb, className);
    return ok ? 0 : 1;
}
