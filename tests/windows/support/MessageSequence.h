// Recording the messages that windows receive and comparing them with an expected table.
//
// Contract:
//  - A MessageSequence records, while it exists, the messages of the windows it watches on
//    the calling thread: sent ones (WH_CALLWNDPROC), posted ones as they leave the queue
//    (WH_GETMESSAGE), and messages that a control's WindowProc sees (Record, used by
//    WindowProcTap.h for the framework's method chain and reflected notifications). One
//    recorder at a time; it removes its hooks when it goes.
//  - Each entry carries its kind (Seq::Sent, Posted or Method), whose window it went to
//    (Seq::Parent, Seq::Child, or neither for the main one) and Seq::Default when the window
//    procedure passed it on to the default procedure (DefWindowProc, DefFrameProc,
//    DefMDIChildProc, or the procedure it replaced through CallWindowProc). Default is seen
//    only for calls made by the program's own code (the import table is patched once, before
//    main; see ImportPatch.h).
//  - Messages that depend on the mouse, the IME or accessibility (DefaultIgnored) and all
//    registered or Wine-internal ones (0xC000 and up) are not recorded unless Observe()d.
//  - MatchAndClear compares the record with an expected table and clears the record. An
//    expected entry matches an actual one when the message and all kind/window/Default flags
//    are equal and, where the entry has Seq::WParam or Seq::LParam, that parameter too; an
//    entry with Seq::Optional may be missing. On a mismatch the result is a failure that
//    prints both lists side by side, one message a line, with message names.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <string>
#include <vector>

namespace kv::test {

namespace Seq {
enum : unsigned {
    Sent = 1u << 0,
    Posted = 1u << 1,
    Method = 1u << 2,
    Parent = 1u << 3,
    Child = 1u << 4,
    Default = 1u << 5,
    // Only in expected entries:
    WParam = 1u << 8,
    LParam = 1u << 9,
    Optional = 1u << 10,
};
} // namespace Seq

struct Msg {
    UINT message = 0;
    unsigned flags = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

enum class Role { Window, Parent, Child };

class MessageSequence {
public:
    MessageSequence();
    ~MessageSequence();
    MessageSequence(const MessageSequence&) = delete;
    MessageSequence& operator=(const MessageSequence&) = delete;

    void Watch(HWND hwnd, Role role = Role::Window);
    // Watches the next window created on this thread, from its first message on.
    void WatchNextCreated(Role role = Role::Window);
    void Observe(UINT msg) { ignored_.erase(msg); }
    void Ignore(UINT msg) { ignored_.insert(msg); }

    // A message seen by a method chain rather than a window procedure (kind Seq::Method).
    // Returns a token for Done, which ends the entry's time in which Default may be marked.
    size_t Record(HWND hwnd, Role role, UINT msg, WPARAM wParam, LPARAM lParam);
    void Done(size_t token);

    const std::vector<Msg>& Recorded() const { return record_; }
    void Clear();
    testing::AssertionResult MatchAndClear(std::initializer_list<Msg> expected,
                                           const char* context);
    testing::AssertionResult MatchAndClear(const std::vector<Msg>& expected, const char* context);

    static const std::set<UINT>& DefaultIgnored();

    // For the hooks and the default-procedure redirections (internal).
    static MessageSequence* Active();
    void OnSent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void OnReturned(HWND hwnd, UINT msg);
    void OnPosted(const MSG& msg);
    void OnCreated(HWND hwnd);
    void OnDefault(HWND hwnd, UINT msg);

private:
    struct Open {
        size_t entry;
        HWND hwnd;
    };
    bool Wanted(HWND hwnd, UINT msg, unsigned& roleFlag) const;
    size_t Add(HWND hwnd, unsigned flags, UINT msg, WPARAM wParam, LPARAM lParam);

    std::vector<Msg> record_;
    std::vector<HWND> recordHwnd_;
    std::vector<Open> open_;
    size_t lastPosted_ = SIZE_MAX;
    std::vector<std::pair<HWND, Role>> watched_;
    bool watchNext_ = false;
    Role nextRole_ = Role::Window;
    std::set<UINT> ignored_;
    HHOOK hooks_[4] = {};
};

// One entry as the failure output shows it, e.g. "WM_SIZE sent parent wParam=0".
std::string Describe(const Msg& m, bool expected);

} // namespace kv::test
