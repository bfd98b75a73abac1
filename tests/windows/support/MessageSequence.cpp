#include "tests/windows/support/MessageSequence.h"

#include "tests/windows/support/ImportPatch.h"
#include "tests/windows/support/MessageNames.h"

#include <algorithm>
#include <cstdio>

namespace kv::test {
namespace {

constexpr unsigned kCompared =
    Seq::Sent | Seq::Posted | Seq::Method | Seq::Parent | Seq::Child | Seq::Default;
// Registered messages and Wine's internal ones vary between runs and versions.
constexpr UINT kFirstRegistered = 0xC000;

MessageSequence* active = nullptr;

// The default procedures, seen on their way through the program's import table.
using DefProc = LRESULT(WINAPI*)(HWND, UINT, WPARAM, LPARAM);
using CallProc = LRESULT(WINAPI*)(WNDPROC, HWND, UINT, WPARAM, LPARAM);
using FrameProc = LRESULT(WINAPI*)(HWND, HWND, UINT, WPARAM, LPARAM);
DefProc realDefW = DefWindowProcW, realDefA = DefWindowProcA, realMdiChildW = DefMDIChildProcW;
CallProc realCallW = CallWindowProcW, realCallA = CallWindowProcA;
FrameProc realFrameW = DefFrameProcW;

void Passed(HWND hwnd, UINT msg) {
    if (active) active->OnDefault(hwnd, msg);
}
LRESULT WINAPI DefW(HWND h, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realDefW(h, m, w, l);
}
LRESULT WINAPI DefA(HWND h, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realDefA(h, m, w, l);
}
LRESULT WINAPI MdiChildW(HWND h, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realMdiChildW(h, m, w, l);
}
LRESULT WINAPI CallW(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realCallW(p, h, m, w, l);
}
LRESULT WINAPI CallA(WNDPROC p, HWND h, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realCallA(p, h, m, w, l);
}
LRESULT WINAPI FrameW(HWND h, HWND client, UINT m, WPARAM w, LPARAM l) {
    Passed(h, m);
    return realFrameW(h, client, m, w, l);
}

template <class F> void Patch(const char* name, F& real, F wrapper) {
    if (void* old = PatchImport("user32.dll", name, reinterpret_cast<void*>(wrapper)))
        real = reinterpret_cast<F>(old);
}

// Before main, so that every saved default procedure of the run is the same address.
const bool patched = [] {
    Patch("DefWindowProcW", realDefW, &DefW);
    Patch("DefWindowProcA", realDefA, &DefA);
    Patch("DefMDIChildProcW", realMdiChildW, &MdiChildW);
    Patch("CallWindowProcW", realCallW, &CallW);
    Patch("CallWindowProcA", realCallA, &CallA);
    Patch("DefFrameProcW", realFrameW, &FrameW);
    return true;
}();

LRESULT CALLBACK OnCallWndProc(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && active) {
        auto* c = reinterpret_cast<const CWPSTRUCT*>(l);
        active->OnSent(c->hwnd, c->message, c->wParam, c->lParam);
    }
    return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK OnCallWndRet(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && active) {
        auto* c = reinterpret_cast<const CWPRETSTRUCT*>(l);
        active->OnReturned(c->hwnd, c->message);
    }
    return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK OnGetMessage(int code, WPARAM w, LPARAM l) {
    if (code == HC_ACTION && w == PM_REMOVE && active)
        active->OnPosted(*reinterpret_cast<const MSG*>(l));
    return CallNextHookEx(nullptr, code, w, l);
}
LRESULT CALLBACK OnCbt(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND && active) active->OnCreated(reinterpret_cast<HWND>(w));
    return CallNextHookEx(nullptr, code, w, l);
}

unsigned RoleFlag(Role role) {
    if (role == Role::Parent) return Seq::Parent;
    return role == Role::Child ? unsigned(Seq::Child) : 0u;
}

std::string Hex(uintptr_t v) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(v));
    return text;
}

bool Same(const Msg& expected, const Msg& actual) {
    return expected.message == actual.message &&
           (expected.flags & kCompared) == (actual.flags & kCompared) &&
           (!(expected.flags & Seq::WParam) || expected.wParam == actual.wParam) &&
           (!(expected.flags & Seq::LParam) || expected.lParam == actual.lParam);
}

std::string Padded(std::string text, size_t width) {
    if (text.size() < width) text.resize(width, ' ');
    return text;
}

} // namespace

std::string Describe(const Msg& m, bool expected) {
    std::string out = MessageName(m.message);
    const std::pair<unsigned, const char*> words[] = {
        {Seq::Sent, " sent"},        {Seq::Posted, " posted"}, {Seq::Method, " method"},
        {Seq::Parent, " parent"},    {Seq::Child, " child"},   {Seq::Default, " default"},
        {Seq::Optional, " optional"}};
    for (const auto& [flag, word] : words)
        if (m.flags & flag) out += word;
    if (!expected || (m.flags & Seq::WParam)) out += " w=" + Hex(m.wParam);
    if (!expected || (m.flags & Seq::LParam)) out += " l=" + Hex(uintptr_t(m.lParam));
    return out;
}

MessageSequence::MessageSequence() : ignored_(DefaultIgnored()) {
    (void)patched;
    if (active) throw std::logic_error("one MessageSequence at a time");
    active = this;
    const DWORD thread = GetCurrentThreadId();
    hooks_[0] = SetWindowsHookExW(WH_CALLWNDPROC, OnCallWndProc, nullptr, thread);
    hooks_[1] = SetWindowsHookExW(WH_CALLWNDPROCRET, OnCallWndRet, nullptr, thread);
    hooks_[2] = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, thread);
    hooks_[3] = SetWindowsHookExW(WH_CBT, OnCbt, nullptr, thread);
}

MessageSequence::~MessageSequence() {
    for (HHOOK hook : hooks_)
        if (hook) UnhookWindowsHookEx(hook);
    active = nullptr;
}

MessageSequence* MessageSequence::Active() {
    return active;
}

const std::set<UINT>& MessageSequence::DefaultIgnored() {
    static const std::set<UINT> ignored = {
        WM_GETICON,    WM_GETOBJECT,    WM_IME_SETCONTEXT, WM_IME_NOTIFY,  WM_IME_SELECT,
        WM_NCHITTEST,  WM_SETCURSOR,    WM_MOUSEMOVE,      WM_NCMOUSEMOVE, WM_MOUSEHOVER,
        WM_MOUSELEAVE, WM_NCMOUSEHOVER, WM_NCMOUSELEAVE};
    return ignored;
}

void MessageSequence::Watch(HWND hwnd, Role role) {
    watched_.push_back({hwnd, role});
}

void MessageSequence::WatchNextCreated(Role role) {
    watchNext_ = true;
    nextRole_ = role;
}

bool MessageSequence::Wanted(HWND hwnd, UINT msg, unsigned& roleFlag) const {
    if (!hwnd || msg >= kFirstRegistered || ignored_.count(msg)) return false;
    for (const auto& [watched, role] : watched_) {
        if (watched == hwnd) {
            roleFlag = RoleFlag(role);
            return true;
        }
    }
    return false;
}

size_t MessageSequence::Add(HWND hwnd, unsigned flags, UINT msg, WPARAM wParam, LPARAM lParam) {
    record_.push_back({msg, flags, wParam, lParam});
    recordHwnd_.push_back(hwnd);
    return record_.size() - 1;
}

void MessageSequence::OnSent(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    unsigned role = 0;
    if (!Wanted(hwnd, msg, role)) return;
    open_.push_back({Add(hwnd, Seq::Sent | role, msg, wParam, lParam), hwnd});
}

void MessageSequence::OnReturned(HWND hwnd, UINT msg) {
    for (auto it = open_.rbegin(); it != open_.rend(); ++it) {
        const Msg& m = record_[it->entry];
        if (it->hwnd == hwnd && m.message == msg && (m.flags & Seq::Sent)) {
            open_.erase(std::next(it).base());
            return;
        }
    }
}

void MessageSequence::OnPosted(const MSG& msg) {
    lastPosted_ = SIZE_MAX;
    unsigned role = 0;
    if (!Wanted(msg.hwnd, msg.message, role)) return;
    lastPosted_ = Add(msg.hwnd, Seq::Posted | role, msg.message, msg.wParam, msg.lParam);
}

void MessageSequence::OnCreated(HWND hwnd) {
    if (!watchNext_) return;
    watchNext_ = false;
    Watch(hwnd, nextRole_);
}

size_t MessageSequence::Record(HWND hwnd, Role role, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= kFirstRegistered || ignored_.count(msg)) return SIZE_MAX;
    size_t entry = Add(hwnd, Seq::Method | RoleFlag(role), msg, wParam, lParam);
    open_.push_back({entry, hwnd});
    return entry;
}

void MessageSequence::Done(size_t token) {
    std::erase_if(open_, [&](const Open& o) { return o.entry == token; });
}

// The innermost open delivery of this message to this window was passed on: its window
// procedure entry and its method entry, or else the posted message being dispatched.
void MessageSequence::OnDefault(HWND hwnd, UINT msg) {
    bool procedure = false, method = false;
    for (auto it = open_.rbegin(); it != open_.rend() && !(procedure && method); ++it) {
        Msg& m = record_[it->entry];
        if (it->hwnd != hwnd || m.message != msg) continue;
        bool isMethod = m.flags & Seq::Method;
        if (isMethod ? method : procedure) continue;
        m.flags |= Seq::Default;
        (isMethod ? method : procedure) = true;
    }
    if (!procedure && lastPosted_ < record_.size() && recordHwnd_[lastPosted_] == hwnd &&
        record_[lastPosted_].message == msg)
        record_[lastPosted_].flags |= Seq::Default;
}

void MessageSequence::Clear() {
    record_.clear();
    recordHwnd_.clear();
    open_.clear();
    lastPosted_ = SIZE_MAX;
}

testing::AssertionResult MessageSequence::MatchAndClear(std::initializer_list<Msg> expected,
                                                        const char* context) {
    return MatchAndClear(std::vector<Msg>(expected), context);
}

// Walks both lists together; optional entries that are not there show with an empty actual
// side. After the first difference the rest of both lists is shown as it is.
testing::AssertionResult MessageSequence::MatchAndClear(const std::vector<Msg>& expected,
                                                        const char* context) {
    const std::vector<Msg> actual = record_;
    Clear();
    std::vector<std::pair<std::string, std::string>> rows;
    size_t e = 0, a = 0, firstBad = SIZE_MAX;
    while (e < expected.size() || a < actual.size()) {
        const bool bothLeft = e < expected.size() && a < actual.size();
        if (firstBad == SIZE_MAX && bothLeft && Same(expected[e], actual[a])) {
            rows.push_back({Describe(expected[e++], true), Describe(actual[a++], false)});
        } else if (firstBad == SIZE_MAX && e < expected.size() &&
                   (expected[e].flags & Seq::Optional)) {
            rows.push_back({Describe(expected[e++], true), ""});
        } else {
            if (firstBad == SIZE_MAX) firstBad = rows.size();
            std::string left = e < expected.size() ? Describe(expected[e++], true) : "";
            std::string right = a < actual.size() ? Describe(actual[a++], false) : "";
            rows.push_back({left, right});
        }
    }
    if (firstBad == SIZE_MAX) return testing::AssertionSuccess();
    auto failure = testing::AssertionFailure();
    failure << context << ": the messages differ from line " << firstBad + 1 << " on\n"
            << "     " << Padded("expected", 44) << "actual\n";
    for (size_t i = 0; i < rows.size(); ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%c%3zu ", i == firstBad ? '>' : ' ', i + 1);
        failure << number << Padded(rows[i].first, 44) << rows[i].second << "\n";
    }
    return failure;
}

} // namespace kv::test
