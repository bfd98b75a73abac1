#pragma once
// What the scroll bar tests share: a skinned form with a long list box, the bar as the skin
// composes it, screen pixels of a bar, and a second thread that moves the real mouse while
// this one is held in a modal loop (the system's arrow repetition or the skin's thumb drag).
#include "ControlFixture.h"

#include "skin/controls/SkinScrollBar.h"
#include "skin/controls/SkinScrollBarDraw.h"

#include <functional>
#include <string>

namespace kv::test {

// The screen pixels of `bar` (window coordinates of `h`).
inline PixelBuffer BarPixels(HWND h, const Rect32& bar) {
    const PixelBuffer shot = ScreenShotOf(h);
    PixelBuffer out(bar.right - bar.left, bar.bottom - bar.top);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            if (shot.View().Contains(bar.left + x, bar.top + y))
                out.At(x, y) = RgbOf(shot.At(bar.left + x, bar.top + y));
    return out;
}

inline int Differences(const PixelBuffer& a, const PixelBuffer& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return -1;
    int n = 0;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (RgbOf(a.At(x, y)) != RgbOf(b.At(x, y))) ++n;
    return n;
}

// The screen shows what was drawn a little later (the display is updated asynchronously):
// the differences `count` finds once they are gone, or after a second the last count.
template <class F> int SettledDifferences(F count) {
    int n = count();
    WaitFor([&] { return (n = count()) == 0; }, 1000);
    return n;
}

// `script` runs on a thread of its own (it sends the real input); this thread keeps pumping
// its messages until the script has ended.
inline DWORD WINAPI HandMain(void* p) {
    (*static_cast<std::function<void()>*>(p))();
    return 0;
}

inline void RunHand(std::function<void()> script) {
    HANDLE hand = CreateThread(nullptr, 0, HandMain, &script, 0, nullptr);
    ASSERT_NE(hand, nullptr);
    WaitFor([&] { return WaitForSingleObject(hand, 0) == WAIT_OBJECT_0; }, 20000);
    WaitForSingleObject(hand, INFINITE); // the script lives on this stack
    CloseHandle(hand);
    Pump(100);
}

// The hand waits (it owns no window, so it only sleeps) until `done` or for five seconds; a
// busy machine handles its input late. Whether `done` came.
inline bool HandWaitsFor(const std::function<bool()>& done) {
    for (int i = 0; i < 250; ++i) {
        if (done()) return true;
        Sleep(20);
    }
    return done();
}

inline void SendMove(int x, int y) {
    MoveMouseTo({x, y});
}

inline void SendButton(bool down) {
    INPUT in = ButtonInput(down);
    SendInput(1, &in, sizeof in);
}

class SkinnedScroller : public SkinnedControls {
protected:
    void SetUp() override {
        SkinnedControls::SetUp();
        list = Add<TListBox>(20, 20, 160, 200, "");
        for (int i = 0; i < 100; ++i) list->Items().Add("Item " + std::to_string(i));
        skin = ShowSkinned();
        ASSERT_NE(skin, nullptr);
        MouseAt(5, 5);
        Pump(50);
        skinned = SkinOf<TSkinScrollBar>(skin, list);
        ASSERT_NE(skinned, nullptr);
    }

    // The bar as the skin draws it for `look`, with the metrics of its last paint (composed
    // and stretched to the bar's thickness the way a paint does it).
    PixelBuffer ExpectedBar(TSkinScrollBar* s, const BarLook& look) {
        const Rect32 r = look.vertical ? s->VertRect() : s->HorzRect();
        return DrawnBar(r.right - r.left, r.bottom - r.top, look,
                        look.vertical ? s->VertBar() : s->HorzBar());
    }
    PixelBuffer DrawnBar(int width, int height, const BarLook& look, const BarMetrics& metrics) {
        DibSection dib;
        PixelBuffer out;
        if (!dib.Create(width, height)) return out;
        DrawBarOnDc(dib.Dc(), Rect32{0, 0, width, height}, *data->Skin(), look, metrics);
        const PixelView from = dib.View();
        out.Resize(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) out.At(x, y) = RgbOf(from.Row(y)[x]);
        return out;
    }
    int BarDifferences(TSkinScrollBar* s, HWND h, const BarLook& look) {
        s->PaintSkin(nullptr);
        return SettledDifferences([&] {
            return Differences(BarPixels(h, look.vertical ? s->VertRect() : s->HorzRect()),
                               ExpectedBar(s, look));
        });
    }
    // The bar on the screen against the skin's drawing of it, as the control left it.
    int ShownDifferences(TSkinScrollBar* s, HWND h, const BarLook& look) {
        return SettledDifferences([&] {
            return Differences(BarPixels(h, look.vertical ? s->VertRect() : s->HorzRect()),
                               ExpectedBar(s, look));
        });
    }
    // The centre of a bar's first or last `arrow` pixels, on the screen.
    POINT ArrowOnScreen(HWND h, const Rect32& bar, bool vertical, bool second) {
        const RECT w = WindowRectOf(h);
        const int a = GetSystemMetrics(SM_CXHSCROLL);
        const int along = second ? (vertical ? bar.bottom : bar.right) - a / 2
                                 : (vertical ? bar.top : bar.left) + a / 2;
        const int across = vertical ? (bar.left + bar.right) / 2 : (bar.top + bar.bottom) / 2;
        return vertical ? POINT{w.left + across, w.top + along}
                        : POINT{w.left + along, w.top + across};
    }
    POINT ThumbOnScreen(HWND h, const Rect32& bar, const BarMetrics& m, bool vertical) {
        const RECT w = WindowRectOf(h);
        const int along =
            m.ArrowSize + m.ThumbPos + m.ThumbLength / 2 + (vertical ? bar.top : bar.left);
        const int across = vertical ? (bar.left + bar.right) / 2 : (bar.top + bar.bottom) / 2;
        return vertical ? POINT{w.left + across, w.top + along}
                        : POINT{w.left + along, w.top + across};
    }
    int TopIndex() const { return int(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0)); }

    TListBox* list = nullptr;
    TWinSkinForm* skin = nullptr;
    TSkinScrollBar* skinned = nullptr;
};

} // namespace kv::test
