// winprobe: lets scripts outside Wine wait for a program's window and end it cleanly.
//   winprobe wait CLASS [TIMEOUT_MS]   waits until a visible top-level window of CLASS exists
//                                      and its thread has painted and gone idle
//   winprobe close CLASS [TIMEOUT_MS]  asks every such window to close and waits until gone
// Exit code 0 on success, 1 on time-out, 2 on bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

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

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || (strcmp(argv[1], "wait") != 0 && strcmp(argv[1], "close") != 0)) {
        fprintf(stderr, "usage: winprobe wait|close CLASS [TIMEOUT_MS]\n");
        return 2;
    }
    DWORD timeout = argc > 3 ? DWORD(strtoul(argv[3], nullptr, 10)) : 30000;
    bool ok = strcmp(argv[1], "wait") == 0 ? WaitPainted(argv[2], timeout)
                                           : CloseAll(argv[2], timeout);
    if (!ok) fprintf(stderr, "winprobe: timed out on %s\n", argv[2]);
    return ok ? 0 : 1;
}
