// The messages a window receives as the skin takes it over and gives it back, recorded the way
// the system's own control tests record them: which are sent or posted, and which reach the
// window's own procedure behind the skin and are passed on to the default one.
#include "SkinFixture.h"

#include "tests/windows/support/MessageSequence.h"

namespace kv::test {
namespace {

LRESULT CALLBACK PlainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, msg, w, l);
}

// A window of the program's own class, not a framework form: the skin reaches it through a
// replaced window procedure. Made hidden, so that its activation does not skin it first.
HWND MakePlainWindow() {
    static const bool registered = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KvPlainWindow";
        wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        return RegisterClassW(&wc) != 0;
    }();
    if (!registered) return nullptr;
    return CreateWindowExW(0, L"KvPlainWindow", L"Plain", WS_OVERLAPPEDWINDOW, 150,
                           120, 320, 220, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

// What moves windows and repaints them follows from the frame changes: recorded separately.
const UINT kGeometry[] = {WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED, WM_MOVE,  WM_SIZE,
                          WM_GETMINMAXINFO,     WM_ERASEBKGND,       WM_PAINT, WM_GETICON,
                          WM_GETTEXT,           WM_GETTEXTLENGTH,    WM_STYLECHANGING,
                          WM_STYLECHANGED,      WM_NCCALCSIZE,       WM_NCPAINT,
                          WM_SYNCPAINT,         WM_CHILDACTIVATE,    WM_SETCURSOR,
                          WM_NCMOUSEMOVE,       WM_NCHITTEST,        WM_MOUSEMOVE};

class SkinSequence : public SkinnedForm {
protected:
    void Quiet(MessageSequence& seq) {
        for (UINT msg : kGeometry) seq.Ignore(msg);
    }
};

TEST_F(SkinSequence, AttachQueriesThenActivatesOnThePostedMessage) {
    ASSERT_NE(ShowSkinned(), nullptr); // the manager is running
    HWND h = MakePlainWindow();
    ASSERT_NE(h, nullptr);
    Pump(100);
    MessageSequence seq;
    Quiet(seq);
    seq.Watch(h);
    EXPECT_TRUE(SkinManager->SkinWindow(h));
    // Asked first whether it is skinned already; it is not, so its own procedure answers.
    EXPECT_TRUE(seq.MatchAndClear({{WM_SKINQUERY, Seq::Sent | Seq::Default}}, "attach"));
    TWinSkinForm* skin = SkinManager->FindForm(h);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->SkinState, 0);
    Pump(100);
    // Fitting the window to the frame does not activate it (it is not even shown).
    EXPECT_TRUE(seq.MatchAndClear(
        {{WM_SKINATTACHED, Seq::Posted | Seq::WParam | Seq::LParam, 0, 1000}}, "activation"));
    EXPECT_NE(GetActiveWindow(), h);
    EXPECT_EQ(skin->SkinState, 1);
    // From now on the skin answers the query itself.
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 1);
    EXPECT_TRUE(seq.MatchAndClear({{WM_SKINQUERY, Seq::Sent}}, "query"));
    DestroyWindow(h);
}

TEST_F(SkinSequence, NonClientMessagesStayWithTheSkin) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND h = MakePlainWindow();
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(SkinManager->SkinWindow(h));
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h)->SkinState == 1; }));
    MessageSequence seq;
    seq.Observe(WM_NCHITTEST);
    seq.Watch(h);
    RECT w{};
    GetWindowRect(h, &w);
    // Activation is drawn by the skin: answered TRUE and never passed on.
    EXPECT_EQ(SendMessageW(h, WM_NCACTIVATE, FALSE, 0), TRUE);
    EXPECT_EQ(SendMessageW(h, WM_NCACTIVATE, TRUE, 0), TRUE);
    // (The skin reads the caption text to draw it.)
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCACTIVATE, Seq::Sent | Seq::WParam, FALSE},
                                   {WM_GETTEXT, Seq::Sent | Seq::Default | Seq::Optional},
                                   {WM_NCACTIVATE, Seq::Sent | Seq::WParam, TRUE},
                                   {WM_GETTEXT, Seq::Sent | Seq::Default | Seq::Optional}},
                                  "ncactivate"));
    // Painting the frame is the skin's alone. The client area and hit-testing ask the
    // window's own procedure first (the skin then puts its own frame's answer in).
    SendMessageW(h, WM_NCPAINT, 1, 0);
    RECT r = w;
    SendMessageW(h, WM_NCCALCSIZE, FALSE, LPARAM(&r));
    SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM((w.left + w.right) / 2, w.top + 10));
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCPAINT, Seq::Sent | Seq::WParam, 1},
                                   {WM_GETTEXT, Seq::Sent | Seq::Default | Seq::Optional},
                                   {WM_NCCALCSIZE, Seq::Sent | Seq::Default | Seq::WParam, FALSE},
                                   {WM_NCHITTEST, Seq::Sent | Seq::Default}},
                                  "frame"));
    DestroyWindow(h);
}

TEST_F(SkinSequence, DetachGivesTheFrameBackToTheWindow) {
    ASSERT_NE(ShowSkinned(), nullptr);
    HWND h = MakePlainWindow();
    ASSERT_NE(h, nullptr);
    ASSERT_TRUE(SkinManager->SkinWindow(h));
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h)->SkinState == 1; }));
    data->SetActive(false);
    ASSERT_TRUE(WaitFor([&] { return SkinManager->FindForm(h) == nullptr; }));
    MessageSequence seq;
    seq.Watch(h);
    SendMessageW(h, WM_NCACTIVATE, TRUE, 0);
    SendMessageW(h, WM_NCPAINT, 1, 0);
    // With the skin gone the window's own procedure has them again.
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCACTIVATE, Seq::Sent | Seq::Default | Seq::WParam, TRUE},
                                   {WM_NCPAINT, Seq::Sent | Seq::Default | Seq::WParam, 1}},
                                  "detached"));
    EXPECT_EQ(SendMessageW(h, WM_SKINQUERY, 0, 0), 0);
    DestroyWindow(h);
}

} // namespace
} // namespace kv::test
