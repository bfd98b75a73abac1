// The messages a live list box receives while a scroll-bar skin takes it over, serves it and
// lets it go: what still reaches the list box's own procedure, what the skin keeps, and what
// the skin draws after the list box has drawn (printing included).
#include "ScrollFixture.h"

#include "tests/windows/support/MessageSequence.h"

namespace kv::test {
namespace {

constexpr unsigned kPassed = Seq::Sent | Seq::Default;

class ScrollSequence : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        list = Add<TListBox>(20, 20, 160, 200, "");
        list->SetTag(data->DisableTag()); // the form leaves it alone: the test attaches
        for (int i = 0; i < 100; ++i) list->Items().Add("Line " + std::to_string(i));
        ASSERT_NE(ShowSkinned(), nullptr);
        MouseAt(5, 5);
        Pump(50);
    }
    LPARAM OverTheBar() const {
        const RECT r = WindowRectOf(list->Handle());
        return MAKELPARAM(r.right - 5, r.top + 60);
    }
    PixelBuffer Printed() {
        const RECT r = WindowRectOf(list->Handle());
        DibSection dib;
        EXPECT_TRUE(dib.Create(r.right - r.left, r.bottom - r.top));
        SendMessageW(list->Handle(), WM_PRINT, reinterpret_cast<WPARAM>(dib.Dc()),
                     PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
        PixelBuffer out(dib.Width(), dib.Height());
        for (int y = 0; y < out.Height(); ++y)
            for (int x = 0; x < out.Width(); ++x) out.At(x, y) = RgbOf(dib.View().Row(y)[x]);
        return out;
    }
    static PixelBuffer Part(const PixelBuffer& from, const Rect32& r) {
        PixelBuffer out(r.right - r.left, r.bottom - r.top);
        for (int y = 0; y < out.Height(); ++y)
            for (int x = 0; x < out.Width(); ++x) out.At(x, y) = from.At(r.left + x, r.top + y);
        return out;
    }
    PixelBuffer Drawn(const TSkinScrollBar& s) {
        const Rect32 r = s.VertRect();
        DibSection dib;
        EXPECT_TRUE(dib.Create(r.right - r.left, r.bottom - r.top));
        BarLook look;
        look.vertical = true;
        DrawBarOnDc(dib.Dc(), {0, 0, dib.Width(), dib.Height()}, *data->Skin(), look, s.VertBar());
        PixelBuffer out(dib.Width(), dib.Height());
        for (int y = 0; y < out.Height(); ++y)
            for (int x = 0; x < out.Width(); ++x) out.At(x, y) = RgbOf(dib.View().Row(y)[x]);
        return out;
    }
    TListBox* list = nullptr;
};

TEST_F(ScrollSequence, AttachingAndDetachingOnALiveListBox) {
    const HWND h = list->Handle();
    MessageSequence seq;
    seq.Observe(WM_NCMOUSEMOVE);
    seq.Watch(h);
    auto* skin = new TSkinScrollBar(list);
    skin->AttachScroller(list, data, true, nullptr);
    // The frame is computed again, by the list box's own procedure, and nothing else is sent.
    EXPECT_TRUE(seq.MatchAndClear({{WM_WINDOWPOSCHANGING, kPassed},
                                   {WM_NCCALCSIZE, kPassed},
                                   {WM_WINDOWPOSCHANGED, kPassed}},
                                  "attach"));

    SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, OverTheBar());
    SendMessageW(h, WM_NCMOUSEMOVE, HTBORDER, OverTheBar());
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCMOUSEMOVE, Seq::Sent}, {WM_NCMOUSEMOVE, kPassed}},
                                  "mouse moves over the bar stay with the skin"));

    SendMessageW(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(skin->PressedPart(), spDownArrow);
    SendMessageW(h, WM_VSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(skin->PressedPart(), spNone);
    EXPECT_TRUE(seq.MatchAndClear({{WM_VSCROLL, kPassed | Seq::WParam, SB_LINEDOWN},
                                   {WM_VSCROLL, kPassed | Seq::WParam, SB_ENDSCROLL}},
                                  "each scroll reaches the list box once"));
    EXPECT_EQ(SendMessageW(h, LB_GETTOPINDEX, 0, 0), 1);

    RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN);
    EXPECT_TRUE(seq.MatchAndClear({{LB_GETTOPINDEX, kPassed},
                                   {WM_PAINT, kPassed | Seq::Optional}, // the scroll's own
                                   {WM_NCPAINT, kPassed},
                                   {WM_ERASEBKGND, kPassed | Seq::Optional},
                                   {WM_PAINT, kPassed | Seq::Optional},
                                   {WM_ERASEBKGND, kPassed | Seq::Optional}},
                                  "painting is the list box's first"));

    delete skin;
    SendMessageW(h, WM_NCMOUSEMOVE, HTVSCROLL, OverTheBar());
    EXPECT_TRUE(seq.MatchAndClear({{WM_NCMOUSEMOVE, kPassed}}, "after detach all passes on"));
}

TEST_F(ScrollSequence, APrintedListBoxShowsTheSkinsBarsOverItsOwn) {
    const PixelBuffer plain = Printed();
    auto* skin = new TSkinScrollBar(list);
    skin->AttachScroller(list, data, true, nullptr);
    const PixelBuffer printed = Printed();
    const Rect32 bar = skin->VertRect();
    ASSERT_FALSE(bar.Empty());
    EXPECT_EQ(Differences(Part(printed, bar), Drawn(*skin)), 0);
    EXPECT_GT(Differences(Part(plain, bar), Drawn(*skin)), 0);
    // The client area is the list box's own drawing in both.
    const Rect32 inside{4, 4, bar.left - 4, 40};
    EXPECT_EQ(Differences(Part(printed, inside), Part(plain, inside)), 0);
    delete skin;
}

TEST_F(ScrollSequence, DetachingGivesTheSystemBarsBack) {
    auto* skin = new TSkinScrollBar(list);
    skin->AttachScroller(list, data, true, nullptr);
    const Rect32 bar = skin->VertRect();
    const PixelBuffer skinned = Drawn(*skin);
    EXPECT_EQ(SettledDifferences([&] { return Differences(BarPixels(list->Handle(), bar), skinned); }), 0);
    delete skin;
    EXPECT_TRUE(WaitFor([&] { return Differences(BarPixels(list->Handle(), bar), skinned) > 0; }, 1500));
}

} // namespace
} // namespace kv::test
