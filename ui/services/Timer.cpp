#include "ui/services/Timer.h"

#include "ui/classes/Properties.h"
#include "ui/core/DispatchBarrier.h"

#include <windows.h>

#include <map>

// The thread's hidden window and the timers that tick on it, by timer id.
struct TimerDispatch {
    HWND window = nullptr;
    UINT_PTR nextId = 1;
    std::map<UINT_PTR, TTimer*> timers;

    static TimerDispatch& OfThread() {
        thread_local TimerDispatch dispatch;
        return dispatch;
    }

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_TIMER) return DefWindowProcA(hwnd, msg, wParam, lParam);
        auto& timers = OfThread().timers;
        auto found = timers.find(UINT_PTR(wParam));
        if (found == timers.end()) return 0;
        // Tick may delete the timer: nothing touches it afterwards.
        return DispatchBarrier([&] { found->second->Tick(); });
    }

    HWND Window() {
        if (window) return window;
        static const char* const kClass = "TTimerWindow";
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TimerDispatch::WindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = kClass;
        RegisterClassA(&wc); // already registered by another thread: fine
        window = CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance,
                                 nullptr);
        return window;
    }

    ~TimerDispatch() {
        if (window) DestroyWindow(window);
    }
};

KV_DEFINE_CLASS(TTimer, TComponent, [](TPropertyBuilder<TTimer>& p) {
    p.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled);
    p.Integer("Interval", &TTimer::Interval, &TTimer::SetInterval);
    p.Event<TNotifyEvent>("OnTimer", &TTimer::SetOnTimer);
})

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    Stop();
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    Update();
}

void TTimer::SetInterval(unsigned interval) {
    if (interval == interval_) return;
    interval_ = interval;
    Update();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    onTimer_ = std::move(handler);
    Update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    Update();
}

void TTimer::Stop() {
    if (!id_) return;
    TimerDispatch& dispatch = TimerDispatch::OfThread();
    KillTimer(dispatch.window, id_);
    dispatch.timers.erase(id_);
    id_ = 0;
}

void TTimer::Update() {
    Stop();
    if (!enabled_ || interval_ == 0 || !onTimer_ || IsLoading()) return;
    TimerDispatch& dispatch = TimerDispatch::OfThread();
    HWND window = dispatch.Window();
    if (!window) throw EOutOfResources("Not enough timers available");
    UINT_PTR id = dispatch.nextId++;
    if (!SetTimer(window, id, interval_, nullptr))
        throw EOutOfResources("Not enough timers available");
    id_ = id;
    dispatch.timers[id] = this;
}

void TTimer::Tick() {
    TNotifyEvent handler = onTimer_; // survives the timer's deletion inside the call
    if (handler) handler(this);
}
