#include "tests/windows/support/GuiObjects.h"

#include "tests/windows/support/ImportPatch.h"

#include <numeric>
#include <set>
#include <utility>

namespace kv::test {
namespace {

// Handle slots: GDI handles are indices 1..0xFFFF; Wine's USER handles (menus among them) are
// even values from 0x20 up to 0xFFEF.
constexpr uintptr_t kLastGdiSlot = 0xFFFF;
constexpr uintptr_t kFirstUserSlot = 0x20, kLastUserSlot = 0xFFEF;

// Hooks and timers have no handle table that can be asked, so the program's own calls that
// make and remove them are counted on the way through its import table.
struct Tracked {
    std::set<HHOOK> hooks;
    std::set<std::pair<HWND, UINT_PTR>> timers;
};
Tracked& tracked() {
    static Tracked t;
    return t;
}

using SetHookFn = HHOOK(WINAPI*)(int, HOOKPROC, HINSTANCE, DWORD);
using UnhookFn = BOOL(WINAPI*)(HHOOK);
using SetTimerFn = UINT_PTR(WINAPI*)(HWND, UINT_PTR, UINT, TIMERPROC);
using KillTimerFn = BOOL(WINAPI*)(HWND, UINT_PTR);
SetHookFn realSetHookA = SetWindowsHookExA, realSetHookW = SetWindowsHookExW;
UnhookFn realUnhook = UnhookWindowsHookEx;
SetTimerFn realSetTimer = SetTimer;
KillTimerFn realKillTimer = KillTimer;

HHOOK Remember(HHOOK hook) {
    if (hook) tracked().hooks.insert(hook);
    return hook;
}
HHOOK WINAPI CountedSetHookA(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
    return Remember(realSetHookA(id, proc, module, thread));
}
HHOOK WINAPI CountedSetHookW(int id, HOOKPROC proc, HINSTANCE module, DWORD thread) {
    return Remember(realSetHookW(id, proc, module, thread));
}
BOOL WINAPI CountedUnhook(HHOOK hook) {
    BOOL ok = realUnhook(hook);
    if (ok) tracked().hooks.erase(hook);
    return ok;
}
// A window's timer is named by window and id; a thread timer by the id SetTimer returned.
UINT_PTR WINAPI CountedSetTimer(HWND hwnd, UINT_PTR id, UINT ms, TIMERPROC proc) {
    UINT_PTR result = realSetTimer(hwnd, id, ms, proc);
    if (result) tracked().timers.insert({hwnd, hwnd ? id : result});
    return result;
}
BOOL WINAPI CountedKillTimer(HWND hwnd, UINT_PTR id) {
    BOOL ok = realKillTimer(hwnd, id);
    if (ok) tracked().timers.erase({hwnd, id});
    return ok;
}

template <class F> void Patch(const char* dll, const char* name, F& real, F counted) {
    if (void* old = PatchImport(dll, name, reinterpret_cast<void*>(counted)))
        real = reinterpret_cast<F>(old);
}

const bool patched = [] {
    Patch("user32.dll", "SetWindowsHookExA", realSetHookA, &CountedSetHookA);
    Patch("user32.dll", "SetWindowsHookExW", realSetHookW, &CountedSetHookW);
    Patch("user32.dll", "UnhookWindowsHookEx", realUnhook, &CountedUnhook);
    Patch("user32.dll", "SetTimer", realSetTimer, &CountedSetTimer);
    Patch("user32.dll", "KillTimer", realKillTimer, &CountedKillTimer);
    return true;
}();

void CountGdi(GuiObjects& n) {
    for (uintptr_t slot = 1; slot <= kLastGdiSlot; ++slot) {
        DWORD kind = GetObjectType(reinterpret_cast<HGDIOBJ>(slot));
        if (kind && kind < n.gdi.size()) ++n.gdi[kind];
    }
}

// Menus by slot: IsMenu answers from the process's own table. Windows by enumeration: asking
// IsWindow of every slot goes to the server for each one and takes seconds.
void CountMenus(GuiObjects& n) {
    for (uintptr_t slot = kFirstUserSlot; slot <= kLastUserSlot; slot += 2)
        if (IsMenu(reinterpret_cast<HMENU>(slot))) ++n.menus;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter) {
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

void CountWindowTree(HWND top, int& windows) {
    DWORD owner = 0;
    GetWindowThreadProcessId(top, &owner);
    if (owner != GetCurrentProcessId()) return;
    ++windows;
    EnumChildWindows(top, CountChild, reinterpret_cast<LPARAM>(&windows));
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM counter) {
    CountWindowTree(hwnd, *reinterpret_cast<int*>(counter));
    return TRUE;
}

void CountWindows(GuiObjects& n) {
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&n.windows));
    for (HWND h = nullptr; (h = FindWindowExW(HWND_MESSAGE, h, nullptr, nullptr));)
        CountWindowTree(h, n.windows);
}

int TrackedTimers() {
    auto& timers = tracked().timers;
    std::erase_if(timers, [](const auto& t) { return t.first && !IsWindow(t.first); });
    return int(timers.size());
}

const char* const kGdiNames[] = {"?",
                                 "pens",
                                 "brushes",
                                 "DCs",
                                 "metafile DCs",
                                 "palettes",
                                 "fonts",
                                 "bitmaps",
                                 "regions",
                                 "metafiles",
                                 "memory DCs",
                                 "extended pens",
                                 "enhanced metafile DCs",
                                 "enhanced metafiles",
                                 "colour spaces"};
static_assert(std::size(kGdiNames) == OBJ_COLORSPACE + 1);

void Describe(std::string& out, const char* name, int before, int after) {
    if (before == after) return;
    if (!out.empty()) out += ", ";
    out += std::string(name) + " " + std::to_string(before) + " -> " + std::to_string(after);
}

} // namespace

int GuiObjects::GdiTotal() const {
    return std::accumulate(gdi.begin(), gdi.end(), 0);
}

GuiObjects CountGuiObjects() {
    (void)patched;
    GuiObjects n;
    CountGdi(n);
    CountMenus(n);
    CountWindows(n);
    n.hooks = int(tracked().hooks.size());
    n.timers = TrackedTimers();
    return n;
}

std::string DescribeChange(const GuiObjects& before, const GuiObjects& after) {
    std::string out;
    for (size_t k = 1; k < before.gdi.size(); ++k)
        Describe(out, kGdiNames[k], before.gdi[k], after.gdi[k]);
    Describe(out, "windows", before.windows, after.windows);
    Describe(out, "menus", before.menus, after.menus);
    Describe(out, "hooks", before.hooks, after.hooks);
    Describe(out, "timers", before.timers, after.timers);
    return out;
}

testing::AssertionResult GrewAtMost(const GuiObjects& before, const GuiObjects& after, int slack) {
    if (after.GdiTotal() <= before.GdiTotal() + slack &&
        after.UserTotal() <= before.UserTotal() + slack)
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "GUI objects grew by more than " << slack << ": GDI " << before.GdiTotal() << " -> "
           << after.GdiTotal() << ", USER " << before.UserTotal() << " -> " << after.UserTotal()
           << " (" << DescribeChange(before, after) << ")";
}

} // namespace kv::test
