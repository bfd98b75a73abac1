#pragma once
// A timer component: OnTimer every Interval milliseconds while Enabled.
//
// Contract:
//  - The system timer runs only while Enabled, Interval > 0 and OnTimer is assigned; changing
//    any of them restarts or stops it. Interval defaults to 1000, Enabled to true.
//  - Ticks arrive through the message loop of the thread that made the timer, on one hidden
//    message-only window shared by all timers of that thread.
//  - A handler may disable, re-arm or delete its own timer; a deleted timer never ticks again.
//  - No exception leaves the window procedure: one thrown by a handler goes through the
//    framework's dispatch barrier to the application's error report (DispatchBarrier.h).
#include "ui/classes/Component.h"
#include "ui/classes/Exception.h"

#include <windows.h>

class TTimer : public TComponent {
    KV_CLASS(TTimer, TComponent)

public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    unsigned Interval() const { return interval_; }
    void SetInterval(unsigned interval);
    const TNotifyEvent& OnTimer() const { return onTimer_; }
    void SetOnTimer(TNotifyEvent handler);

    // Whether the system timer is running now.
    bool Running() const { return id_ != 0; }

    void Loaded() override;

private:
    friend struct TimerDispatch;
    void Update();
    void Stop();
    void Tick();

    bool enabled_ = true;
    unsigned interval_ = 1000;
    TNotifyEvent onTimer_;
    UINT_PTR id_ = 0;
};
