// Recording what a framework control's WindowProc sees (its method chain, including the
// reflected notifications CN_BASE + message that never travel as window messages).
//
// Contract: a WindowProcTap replaces control.WindowProc by a step that records each message
// into the sequence (kind Seq::Method, in the given role, Default when the control passes it
// on to its default procedure) and then calls the WindowProc it replaced. Its destructor puts
// that WindowProc back, so it must go before the control does; the sequence must outlive it.
// Header only: for test programs that link the framework.
#pragma once

#include "tests/windows/support/MessageSequence.h"
#include "ui/core/Controls.h"

namespace kv::test {

class WindowProcTap {
public:
    WindowProcTap(TControl& control, MessageSequence& sequence, Role role = Role::Window)
        : control_(control), saved_(control.WindowProc) {
        control.WindowProc = [this, &sequence, role](TMessage& m) {
            struct Closing {
                MessageSequence& sequence;
                size_t token;
                ~Closing() { sequence.Done(token); }
            } closing{sequence, sequence.Record(Window(), role, m.Msg, m.WParam, m.LParam)};
            saved_(m);
        };
    }
    ~WindowProcTap() { control_.WindowProc = saved_; }
    WindowProcTap(const WindowProcTap&) = delete;
    WindowProcTap& operator=(const WindowProcTap&) = delete;

private:
    HWND Window() const {
        auto* windowed = dynamic_cast<TWinControl*>(&control_);
        return windowed && windowed->HandleAllocated() ? windowed->Handle() : nullptr;
    }

    TControl& control_;
    TWndMethod saved_;
};

} // namespace kv::test
