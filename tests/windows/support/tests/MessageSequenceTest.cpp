// The recorder on bare windows: kinds, parameters, the default procedure, the parent, optional
// entries, and what a mismatch prints.
#include "tests/windows/support/MessageSequence.h"
#include "tests/windows/support/MessageNames.h"
#include "tests/windows/support/Pump.h"

#include <gtest/gtest.h>

namespace kv::test {
namespace {

constexpr UINT kKept = WM_USER + 1;       // the procedure answers it itself
constexpr UINT kPassed = WM_USER + 2;     // passed on to DefWindowProc
constexpr UINT kTellParent = WM_USER + 3; // the child sends WM_COMMAND to its parent

LRESULT CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    if (msg == kKept) return 1;
    if (msg == kTellParent)
        return SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(5, 1), LPARAM(hwnd));
    return DefWindowProcW(hwnd, msg, w, l);
}

class Bare : public testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSW wc{};
        wc.lpfnWndProc = BareProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvSequenceBare";
        RegisterClassW(&wc);
    }
    void TearDown() override {
        if (child) DestroyWindow(child);
        if (window) DestroyWindow(window);
    }
    HWND Make(HWND parent = nullptr) {
        DWORD style = parent ? WS_CHILD : WS_POPUP;
        return CreateWindowExW(0, L"KvSequenceBare", L"", style, 0, 0, 50, 50, parent, nullptr,
                               nullptr, nullptr);
    }
    HWND window = nullptr;
    HWND child = nullptr;
};

TEST_F(Bare, RecordsCreationFromTheFirstMessage) {
    MessageSequence seq;
    seq.WatchNextCreated();
    window = Make();
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCCREATE, Seq::Sent | Seq::Default},
                                   {WM_NCCALCSIZE, Seq::Sent | Seq::Default | Seq::WParam, 0},
                                   {WM_CREATE, Seq::Sent | Seq::Default},
                                   {WM_SIZE, Seq::Sent | Seq::Default | Seq::WParam, SIZE_RESTORED},
                                   {WM_MOVE, Seq::Sent | Seq::Default}},
                                  "create"));
}

TEST_F(Bare, TellsSentFromPostedAndKeptFromPassedOn) {
    window = Make();
    MessageSequence seq;
    seq.Watch(window);
    SendMessageW(window, kKept, 5, 6);
    SendMessageW(window, kPassed, 0, 0);
    PostMessageW(window, kPassed, 7, 0);
    PostMessageW(window, kKept, 0, 0);
    PumpPending();
    EXPECT_TRUE(seq.MatchAndClear({{kKept, Seq::Sent | Seq::WParam | Seq::LParam, 5, 6},
                                   {kPassed, Seq::Sent | Seq::Default},
                                   {kPassed, Seq::Posted | Seq::Default | Seq::WParam, 7},
                                   {kKept, Seq::Posted}},
                                  "sent and posted"));
    EXPECT_TRUE(seq.Recorded().empty()) << "matching clears the record";
}

TEST_F(Bare, RecordsTheParentAndOptionalEntries) {
    window = Make();
    child = Make(window);
    MessageSequence seq;
    seq.Watch(child, Role::Child);
    seq.Watch(window, Role::Parent);
    SendMessageW(child, kTellParent, 0, 0);
    EXPECT_TRUE(seq.MatchAndClear(
        {{kTellParent, Seq::Sent | Seq::Child},
         {WM_SETTEXT, Seq::Sent | Seq::Parent | Seq::Optional},
         {WM_COMMAND, Seq::Sent | Seq::Parent | Seq::Default | Seq::WParam | Seq::LParam,
          MAKEWPARAM(5, 1), LPARAM(child)},
         {WM_NULL, Seq::Sent | Seq::Optional}},
        "notification"));
}

TEST_F(Bare, AMismatchPrintsBothListsWithNames) {
    window = Make();
    MessageSequence seq;
    seq.Watch(window);
    SendMessageW(window, WM_SETTEXT, 0, LPARAM(L"x"));
    SendMessageW(window, kKept, 1, 0);
    testing::AssertionResult result = seq.MatchAndClear(
        {{WM_SETTEXT, Seq::Sent | Seq::Default}, {kKept, Seq::Sent | Seq::WParam, 2}},
        "wrong wParam");
    ASSERT_FALSE(result);
    const std::string text = result.message();
    EXPECT_NE(text.find("wrong wParam: the messages differ from line 2 on"), std::string::npos)
        << text;
    EXPECT_NE(text.find(">  2 WM_USER+1 sent w=0x2"), std::string::npos) << text;
    EXPECT_NE(text.find("WM_USER+1 sent w=0x1 l=0x0"), std::string::npos) << text;
    EXPECT_NE(text.find("   1 WM_SETTEXT sent default"), std::string::npos) << text;

    SendMessageW(window, kKept, 0, 0);
    EXPECT_FALSE(seq.MatchAndClear({{kKept, Seq::Sent | Seq::Default}}, "default differs"));
    SendMessageW(window, kKept, 0, 0);
    EXPECT_FALSE(seq.MatchAndClear({}, "one more than expected"));
    EXPECT_FALSE(seq.MatchAndClear({{kKept, Seq::Sent}}, "one fewer than expected"));
}

TEST(MessageNames, NameTheFrameworksNumbersToo) {
    EXPECT_EQ(MessageName(WM_WINDOWPOSCHANGED), "WM_WINDOWPOSCHANGED");
    EXPECT_EQ(MessageName(0xBC00 + WM_COMMAND), "CN_BASE+WM_COMMAND");
    EXPECT_EQ(MessageName(0xBC00 + WM_NOTIFY), "CN_BASE+WM_NOTIFY");
    EXPECT_EQ(MessageName(0xB00E), "CM_FONTCHANGED");
    EXPECT_EQ(MessageName(WM_USER + 5), "WM_USER+5");
    EXPECT_EQ(MessageName(0xC123), "0xC123");
}

} // namespace
} // namespace kv::test
