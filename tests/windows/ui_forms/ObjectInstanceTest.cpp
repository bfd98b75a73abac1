#include "ui/classes/Exception.h"
#include "ui/core/ObjectInstance.h"

#include <gtest/gtest.h>

namespace {

// A plain top-level window of a class registered with DefWindowProc.
HWND MakePlainWindow(bool unicode = true) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSW w{};
        w.lpfnWndProc = DefWindowProcW;
        w.hInstance = GetModuleHandleW(nullptr);
        w.lpszClassName = L"KvThunkTestW";
        RegisterClassW(&w);
        WNDCLASSA a{};
        a.lpfnWndProc = DefWindowProcA;
        a.hInstance = GetModuleHandleW(nullptr);
        a.lpszClassName = "KvThunkTestA";
        RegisterClassA(&a);
        registered = true;
    }
    return unicode ? CreateWindowExW(0, L"KvThunkTestW", L"", WS_OVERLAPPED, 0, 0, 100, 100,
                                     nullptr, nullptr, GetModuleHandleW(nullptr), nullptr)
                   : CreateWindowExA(0, "KvThunkTestA", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                     nullptr, GetModuleHandleW(nullptr), nullptr);
}

struct Receiver {
    HWND lastWindow = nullptr;
    UINT lastMsg = 0;
    WPARAM lastW = 0;
    LPARAM lastL = 0;
    WNDPROC old = nullptr;
    LRESULT Proc(HWND h, UINT m, WPARAM w, LPARAM l) {
        lastWindow = h;
        lastMsg = m;
        lastW = w;
        lastL = l;
        if (m == WM_APP + 1) return reinterpret_cast<LRESULT>(this);
        return CallWindowProcW(old, h, m, w, l);
    }
};

} // namespace

TEST(ObjectInstance, ThunkIsTheWindowProcedureOfALiveWindowAndReachesItsObject) {
    HWND hwnd = MakePlainWindow();
    ASSERT_TRUE(hwnd);
    Receiver a, b;
    WNDPROC thunkA = MakeObjectInstance(&a, &Receiver::Proc);
    WNDPROC thunkB = MakeObjectInstance(&b, &Receiver::Proc);
    EXPECT_NE(thunkA, thunkB);
    a.old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunkA)));
    // Pointer-sized arguments survive the stub untouched, high bits included.
    const WPARAM w = static_cast<WPARAM>(0x8765432112345678ull & UINTPTR_MAX);
    const LPARAM l = static_cast<LPARAM>(0xFEDCBA9876543210ull & UINTPTR_MAX);
    EXPECT_EQ(SendMessageW(hwnd, WM_APP + 1, w, l), reinterpret_cast<LRESULT>(&a));
    EXPECT_EQ(a.lastWindow, hwnd);
    EXPECT_EQ(a.lastMsg, WM_APP + 1u);
    EXPECT_EQ(a.lastW, w);
    EXPECT_EQ(a.lastL, l);
    EXPECT_EQ(b.lastMsg, 0u);
    // The default procedure behind the thunk still does its work.
    SetWindowTextW(hwnd, L"through the thunk");
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"through the thunk");
    // Called directly, as a later subclass would.
    EXPECT_EQ(CallWindowProcW(thunkB, hwnd, WM_APP + 1, 1, 2), reinterpret_cast<LRESULT>(&b));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(a.old));
    DestroyWindow(hwnd);
    FreeObjectInstance(thunkA);
    FreeObjectInstance(thunkB);
}

TEST(ObjectInstance, MessageRecordFormAndExceptionsGoToTheErrorReport) {
    std::vector<std::string> reports;
    SetDispatchExceptionHandler([&](const std::exception& e) { reports.push_back(e.what()); });
    WNDPROC thunk = MakeObjectInstance(TWndMethod([](TMessage& m) {
        if (m.Msg == WM_APP) throw Exception("handler failed");
        m.Result = static_cast<LRESULT>(m.WParam + m.LParam);
    }));
    EXPECT_EQ(CallWindowProcW(thunk, nullptr, WM_USER, 40, 2), 42);
    EXPECT_EQ(CallWindowProcW(thunk, nullptr, WM_APP, 0, 0), 0);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0], "handler failed");
    FreeObjectInstance(thunk);
    SetDispatchExceptionHandler(nullptr);
}

TEST(ObjectInstance, ThunkFreedInsideItsOwnCallReturnsSafely) {
    HWND hwnd = MakePlainWindow();
    WNDPROC thunk = nullptr;
    WNDPROC old = nullptr;
    bool sawDestroy = false;
    std::string capture(200, 'x'); // storage that must stay alive until the call is over
    thunk = MakeObjectInstance(TRawWndMethod([&, capture](HWND h, UINT m, WPARAM w, LPARAM l) {
        LRESULT r = CallWindowProcW(old, h, m, w, l);
        if (m == WM_NCDESTROY) {
            FreeObjectInstance(thunk); // while this very call runs
            sawDestroy = capture.size() == 200 && capture.back() == 'x';
        }
        return r;
    }));
    old = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(thunk)));
    size_t inUse = ObjectInstancesInUse();
    DestroyWindow(hwnd);
    EXPECT_TRUE(sawDestroy);
    EXPECT_EQ(ObjectInstancesInUse(), inUse - 1);
    // A freed thunk that is still called passes to the default procedure.
    HWND other = MakePlainWindow();
    EXPECT_EQ(CallWindowProcW(thunk, other, WM_GETTEXTLENGTH, 0, 0), 0);
    DestroyWindow(other);
    FreeObjectInstance(thunk); // twice: ignored
}

TEST(ObjectInstance, ThousandsOfThunksReuseTheirBlocks) {
    auto cycle = [] {
        std::vector<WNDPROC> thunks;
        for (int i = 0; i < 3000; ++i)
            thunks.push_back(MakeObjectInstance(
                TRawWndMethod([i](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return i; })));
        for (int i = 0; i < 3000; i += 997)
            EXPECT_EQ(CallWindowProcW(thunks[i], nullptr, 0, 0, 0), i);
        for (WNDPROC t : thunks) FreeObjectInstance(t);
    };
    size_t inUse = ObjectInstancesInUse();
    cycle();
    size_t blocks = ObjectInstanceBlocks();
    for (int i = 0; i < 5; ++i) cycle();
    EXPECT_EQ(ObjectInstanceBlocks(), blocks);
    EXPECT_EQ(ObjectInstancesInUse(), inUse);
}

TEST(WindowSubclass, RestoresOnlyWhileItsThunkIsTheProcedure) {
    HWND hwnd = MakePlainWindow();
    int seen = 0;
    auto sub = std::make_unique<TWindowSubclass>();
    ASSERT_TRUE(sub->Attach(hwnd, [&](TMessage& m) {
        if (m.Msg == WM_APP) ++seen;
        sub->CallOld(m);
    }));
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), sub->Thunk());
    SendMessageW(hwnd, WM_APP, 0, 0);
    EXPECT_EQ(seen, 1);

    // A later subclass on top: restoring ours must leave it in place and keep it working.
    int laterSeen = 0;
    TWindowSubclass later;
    ASSERT_TRUE(later.Attach(hwnd, [&](TMessage& m) {
        if (m.Msg == WM_APP) ++laterSeen;
        later.CallOld(m);
    }));
    size_t inUse = ObjectInstancesInUse();
    sub.reset();
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)), later.Thunk());
    EXPECT_EQ(ObjectInstancesInUse(), inUse); // ours stays as a pass-through
    SendMessageW(hwnd, WM_APP, 0, 0);
    EXPECT_EQ(laterSeen, 1);
    EXPECT_EQ(seen, 1); // the released method is not called any more
    SetWindowTextW(hwnd, L"still passed on");
    wchar_t text[32] = {};
    GetWindowTextW(hwnd, text, 32);
    EXPECT_STREQ(text, L"still passed on");

    // The window's end frees both thunks, the pass-through one included.
    DestroyWindow(hwnd);
    EXPECT_EQ(ObjectInstancesInUse(), inUse - 2);
    EXPECT_FALSE(later.Handle());
    later.Restore(); // window gone: nothing to do
}

TEST(WindowSubclass, GivesTheProcedureBackAndKeepsAnsiWindowsAnsi) {
    HWND hwnd = MakePlainWindow(false);
    ASSERT_FALSE(IsWindowUnicode(hwnd));
    auto before = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    std::string seenText;
    TWindowSubclass sub;
    ASSERT_TRUE(sub.Attach(hwnd, [&](TMessage& m) {
        if (m.Msg == WM_SETTEXT) seenText = reinterpret_cast<const char*>(m.LParam);
        sub.CallOld(m);
    }));
    EXPECT_FALSE(IsWindowUnicode(hwnd));
    SetWindowTextA(hwnd, "ansi text");
    EXPECT_EQ(seenText, "ansi text");
    size_t inUse = ObjectInstancesInUse();
    sub.Restore();
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), before);
    EXPECT_EQ(ObjectInstancesInUse(), inUse - 1);
    EXPECT_FALSE(sub.Attached());
    DestroyWindow(hwnd);

    // A window that is gone: Restore frees the thunk and touches nothing.
    HWND gone = MakePlainWindow();
    TWindowSubclass lost;
    ASSERT_TRUE(lost.Attach(gone, [&](TMessage& m) { lost.CallOld(m); }));
    DestroyWindow(gone);
    lost.Restore();
    EXPECT_EQ(ObjectInstancesInUse(), inUse - 1);
    EXPECT_FALSE(lost.Attach(gone, [](TMessage&) {}));
}
