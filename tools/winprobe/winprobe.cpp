// winprobe: lets scripts outside Wine drive a program's windows and end them cleanly.
//   winprobe wait CLASS [TIMEOUT_MS]   waits until a visible top-level window of CLASS exists
//                                      and its thread has painted and gone idle
//   winprobe close CLASS [TIMEOUT_MS]  asks every such window to close and waits until gone
//   winprobe command CLASS ID          posts WM_COMMAND with the menu item id ID to the window
//   winprobe rect CLASS                prints the window's screen rectangle as WxH+X+Y (the
//                                      geometry ImageMagick's -crop takes)
//   winprobe menurect CLASS            as rect, for the window together with the open popup
//                                      menus (a menu that passes its edge is pictured whole)
//   winprobe keys CLASS KEY...         brings the window to the front and types the keys, one
//                                      token each: a letter, f10, down, up, left, right, enter,
//                                      esc, or alt+LETTER
//   winprobe rclick CLASS X Y          right-clicks at X,Y of the window (window coordinates)
//   winprobe list                      prints the visible top-level windows: class, title
//   winprobe decoy [TIMEOUT_MS]        shows a small window of class KelvorineProbeDecoy in a
//                                      corner and activates it, so that others are inactive;
//                                      it stays until closed or the time is up
// Exit code 0 on success, 1 on time-out or a missing window, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cctype>
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

BOOL CALLBACK AddOpenMenu(HWND w, LPARAM p) {
    char className[16] = {};
    GetClassNameA(w, className, sizeof className);
    RECT r{};
    if (strcmp(className, "#32768") == 0 && IsWindowVisible(w) && GetWindowRect(w, &r))
        UnionRect(reinterpret_cast<RECT*>(p), reinterpret_cast<RECT*>(p), &r);
    return TRUE;
}

bool PrintRectWithMenus(const char* className) {
    HWND w = FindVisible(className);
    RECT r{};
    if (!w || !GetWindowRect(w, &r)) return false;
    EnumWindows(AddOpenMenu, LPARAM(&r));
    r.left = r.left < 0 ? 0 : r.left;
    r.top = r.top < 0 ? 0 : r.top;
    printf("%ldx%ld+%ld+%ld\n", r.right - r.left, r.bottom - r.top, r.left, r.top);
    return true;
}

void Press(WORD vk, bool down) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

WORD KeyOf(const char* name) {
    static const struct {
        const char* name;
        WORD vk;
    } named[] = {{"f10", VK_F10}, {"down", VK_DOWN}, {"up", VK_UP},      {"left", VK_LEFT},
                 {"right", VK_RIGHT}, {"enter", VK_RETURN}, {"esc", VK_ESCAPE}};
    for (const auto& n : named)
        if (strcmp(name, n.name) == 0) return n.vk;
    if (name[0] && !name[1] && isalnum(static_cast<unsigned char>(name[0])))
        return WORD(toupper(static_cast<unsigned char>(name[0])));
    return 0;
}

bool TypeKeys(const char* className, int count, char** keys) {
    HWND w = FindVisible(className);
    if (!w) return false;
    SetForegroundWindow(w);
    Sleep(200);
    for (int i = 0; i < count; ++i) {
        const bool alt = strncmp(keys[i], "alt+", 4) == 0;
        const WORD vk = KeyOf(alt ? keys[i] + 4 : keys[i]);
        if (!vk) return false;
        if (alt) Press(VK_MENU, true);
        Press(vk, true);
        Press(vk, false);
        if (alt) Press(VK_MENU, false);
        Sleep(250); // the program takes each key before the next, as from a hand
    }
    return true;
}

bool RightClick(const char* className, const char* xText, const char* yText) {
    HWND w = FindVisible(className);
    RECT r{};
    if (!w || !GetWindowRect(w, &r)) return false;
    SetForegroundWindow(w);
    Sleep(200);
    const int x = r.left + atoi(xText), y = r.top + atoi(yText);
    INPUT in[3] = {};
    for (INPUT& i : in) i.type = INPUT_MOUSE;
    in[0].mi.dx = x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    in[0].mi.dy = y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    in[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    in[1].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    in[2].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    return SendInput(3, in, sizeof(INPUT)) == 3;
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
                    "       winprobe rect|menurect CLASS\n"
                    "       winprobe keys CLASS KEY...\n"
                    "       winprobe rclick CLASS X Y\n"
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
    } else if (strcmp(verb, "menurect") == 0) {
        ok = PrintRectWithMenus(className);
    } else if (strcmp(verb, "keys") == 0) {
        ok = TypeKeys(className, argc - 3, argv + 3);
    } else if (strcmp(verb, "rclick") == 0) {
        if (argc < 5) return Usage();
        ok = RightClick(className, argv[3], argv[4]);
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
