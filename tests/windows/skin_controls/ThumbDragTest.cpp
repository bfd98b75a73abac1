// The skin's own thumb drag with the real mouse: the positions it reports, the sequence it
// ends with, the processor it uses while the thumb is held still, and every way a drag can
// end early: a release outside the program, a lost capture, a button found up, WM_QUIT, and
// the window or its skin freed by a timer in the middle of the drag.
#include "ScrollFixture.h"

#include "tests/windows/support/MessageSequence.h"

#include <atomic>
#include <cstdio>
#include <vector>

namespace kv::test {
namespace {

struct Scroll {
    int code, position;
    bool posted;
};

std::function<void()> g_onTimer;

void CALLBACK TimerFired(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (g_onTimer) g_onTimer();
}

class ThumbDrag : public SkinnedScroller {
protected:
    void TearDown() override {
        g_onTimer = nullptr;
        // A quit posted late by a test's timer must not end the tests that follow.
        MSG quit;
        while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
        SkinnedScroller::TearDown();
    }
    // The WM_VSCROLL messages the list box received while `run` ran.
    std::vector<Scroll> ScrollsDuring(const std::function<void()>& run) {
        MessageSequence seq;
        seq.Watch(list->Handle());
        run();
        std::vector<Scroll> out;
        for (const Msg& m : seq.Recorded())
            if (m.message == WM_VSCROLL)
                out.push_back(
                    {LOWORD(m.wParam), short(HIWORD(m.wParam)), (m.flags & Seq::Posted) != 0});
        return out;
    }
    int LastPageStart() const {
        SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(list->Handle(), SB_VERT, &si);
        return si.nMax - int(si.nPage) + 1;
    }
    // Presses on the thumb, lets `whileHeld` run on the hand's thread, releases at `release`.
    void DragThumb(const std::function<void(POINT)>& whileHeld, POINT release) {
        const POINT thumb =
            ThumbOnScreen(list->Handle(), skinned->VertRect(), skinned->VertBar(), true);
        RunHand([&] {
            SendMove(thumb.x, thumb.y);
            Sleep(100);
            SendButton(true);
            Sleep(150);
            whileHeld(thumb);
            SendMove(release.x, release.y);
            Sleep(50);
            SendButton(false);
        });
    }
    static void ExpectEndsWithPositionThenEnd(const std::vector<Scroll>& s, int position) {
        ASSERT_GE(s.size(), 2u);
        EXPECT_EQ(s[s.size() - 2].code, SB_THUMBPOSITION);
        EXPECT_EQ(s[s.size() - 2].position, position);
        EXPECT_FALSE(s[s.size() - 2].posted);
        EXPECT_EQ(s.back().code, SB_ENDSCROLL);
        EXPECT_TRUE(s.back().posted);
    }
};

TEST_F(ThumbDrag, TrackPositionsNeverPassTheLastPageStartThenPositionAndEnd) {
    const int limit = LastPageStart();
    const RECT w = WindowRectOf(list->Handle());
    const auto scrolls = ScrollsDuring([&] {
        DragThumb(
            [&](POINT from) {
                for (int y = from.y; y < w.bottom + 200; y += 15) {
                    SendMove(from.x, y);
                    Sleep(20);
                }
            },
            {w.right - 8, w.bottom + 200});
    });
    int tracks = 0, highest = -1;
    for (size_t i = 0; i + 2 < scrolls.size(); ++i) {
        EXPECT_EQ(scrolls[i].code, SB_THUMBTRACK);
        EXPECT_LE(scrolls[i].position, limit);
        highest = std::max(highest, scrolls[i].position);
        ++tracks;
    }
    EXPECT_GT(tracks, 3);
    EXPECT_EQ(highest, limit);
    ExpectEndsWithPositionThenEnd(scrolls, limit);
    EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), limit);
    EXPECT_FALSE(skinned->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(skinned->PressedPart(), spNone);
}

TEST_F(ThumbDrag, AThumbHeldStillUsesAlmostNoProcessor) {
    double busyShare = 1;
    bool pressedWhileHeld = false;
    const RECT w = WindowRectOf(list->Handle());
    DragThumb(
        [&](POINT from) {
            SendMove(from.x, from.y + 40);
            pressedWhileHeld = HandWaitsFor(
                [&] { return skinned->Dragging() && skinned->PressedPart() == spVertThumb; });
            Sleep(100);
            auto cpu = [] {
                FILETIME created, exited, kernel, user;
                GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
                auto ticks = [](FILETIME f) {
                    return (uint64_t(f.dwHighDateTime) << 32) | f.dwLowDateTime;
                };
                return ticks(kernel) + ticks(user); // 100 ns units
            };
            const uint64_t before = cpu();
            const DWORD start = GetTickCount();
            Sleep(2000);
            const uint64_t used = cpu() - before;
            busyShare = double(used) / (double(GetTickCount() - start) * 10000.0);
        },
        {w.right - 8, w.top + 80});
    EXPECT_TRUE(pressedWhileHeld);
    std::printf("thumb held still for 2 s: %.1f %% of one core\n", busyShare * 100);
    EXPECT_LT(busyShare, 0.10) << "share of one core while the thumb is held still";
    EXPECT_FALSE(skinned->Dragging());
}

TEST_F(ThumbDrag, PressAndReleaseWithoutMovingReportsTheUnchangedPosition) {
    SendMessageW(list->Handle(), LB_SETTOPINDEX, 20, 0);
    skinned->PaintSkin(nullptr);
    Pump(50);
    const POINT thumb =
        ThumbOnScreen(list->Handle(), skinned->VertRect(), skinned->VertBar(), true);
    const auto scrolls = ScrollsDuring([&] { DragThumb([](POINT) {}, thumb); });
    ASSERT_EQ(scrolls.size(), 2u);
    ExpectEndsWithPositionThenEnd(scrolls, 20);
}

TEST_F(ThumbDrag, AReleaseOutsideTheProgramEndsTheDrag) {
    const auto scrolls = ScrollsDuring([&] {
        DragThumb(
            [](POINT from) {
                SendMove(from.x + 300, from.y + 60); // over the desktop, away from every window
                Sleep(100);
            },
            {1200, 900});
    });
    ExpectEndsWithPositionThenEnd(scrolls, int(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0)));
    EXPECT_FALSE(skinned->Dragging());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ThumbDrag, ALostCaptureEndsTheDrag) {
    std::atomic<bool> taken{false};
    bool draggingWhenTaken = false;
    int waits = 0;
    g_onTimer = [&] {
        // A busy machine may start the drag late: look again until it runs.
        if (!skinned->Dragging() && ++waits < 100) {
            SetTimer(nullptr, 0, 50, TimerFired);
            return;
        }
        draggingWhenTaken = skinned->Dragging();
        ReleaseCapture(); // as when another window takes the mouse
        taken = true;
    };
    SetTimer(nullptr, 0, 400, TimerFired);
    const RECT w = WindowRectOf(list->Handle());
    bool endedWhileHeld = false;
    const auto scrolls = ScrollsDuring([&] {
        DragThumb(
            [&](POINT) {
                HandWaitsFor([&] { return taken.load(); });
                Sleep(300);
                endedWhileHeld = taken && !skinned->Dragging();
            },
            {w.right - 8, w.top + 80});
    });
    EXPECT_TRUE(draggingWhenTaken);
    EXPECT_TRUE(endedWhileHeld);
    ExpectEndsWithPositionThenEnd(scrolls, int(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0)));
}

TEST_F(ThumbDrag, APressWhoseReleaseNeverCameEndsAtOnce) {
    // The press arrives, but the button is already up: no release will ever be seen.
    const POINT thumb =
        ThumbOnScreen(list->Handle(), skinned->VertRect(), skinned->VertBar(), true);
    const auto scrolls = ScrollsDuring([&] {
        SendMessageW(list->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
        Pump(100);
    });
    EXPECT_FALSE(skinned->Dragging());
    ExpectEndsWithPositionThenEnd(scrolls, 0);
}

TEST_F(ThumbDrag, APressAboveThePrimaryScreenIsReadWithItsSign) {
    // The list's thumb above the screen's top edge, as on a monitor above the primary one.
    SetWindowPos(form->Handle(), nullptr, 100, -150, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Pump(50);
    skinned->PaintSkin(nullptr);
    const POINT thumb =
        ThumbOnScreen(list->Handle(), skinned->VertRect(), skinned->VertBar(), true);
    ASSERT_LT(thumb.y, 0);
    // The release is already waiting: whoever runs the drag sees it at once.
    PostMessageW(list->Handle(), WM_LBUTTONUP, 0, 0);
    const auto scrolls = ScrollsDuring([&] {
        SendMessageW(list->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(thumb.x, thumb.y));
        Pump(100);
    });
    ExpectEndsWithPositionThenEnd(scrolls, 0); // the skin's drag: it hit the thumb
}

TEST_F(ThumbDrag, WmQuitEndsTheDragAndStaysForTheApplication) {
    std::atomic<bool> fired{false};
    g_onTimer = [&] {
        fired = true;
        PostQuitMessage(7);
    };
    SetTimer(nullptr, 0, 300, TimerFired);
    const RECT w = WindowRectOf(list->Handle());
    bool endedWhileHeld = false;
    DragThumb(
        [&](POINT) {
            // The hand holds on until the quit has come (a busy machine runs timers late).
            HandWaitsFor([&] { return fired.load(); });
            Sleep(300);
            endedWhileHeld = fired && !skinned->Dragging();
        },
        {w.right - 8, w.top + 80});
    EXPECT_TRUE(endedWhileHeld);
    MSG quit{};
    const bool queued = PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_TRUE(app->Terminated() || (queued && quit.wParam == 7));
}

TEST_F(ThumbDrag, AListFreedByATimerInTheMiddleOfTheDrag) {
    g_onTimer = [&] {
        delete list; // its window and its scroll-bar skin go with it
        list = nullptr;
    };
    SetTimer(nullptr, 0, 400, TimerFired);
    DragThumb(
        [](POINT from) {
            for (int i = 0; i < 10; ++i) {
                SendMove(from.x, from.y + 4 * i);
                Sleep(60);
            }
        },
        {5, 5});
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(IsWindow(form->Handle()));
}

TEST_F(ThumbDrag, SkinsFreedByATimerInTheMiddleOfTheDrag) {
    g_onTimer = [&] { skin->FreeControlSkins(); };
    SetTimer(nullptr, 0, 400, TimerFired);
    const RECT w = WindowRectOf(list->Handle());
    DragThumb(
        [](POINT from) {
            for (int i = 0; i < 10; ++i) {
                SendMove(from.x, from.y + 4 * i);
                Sleep(60);
            }
        },
        {w.right - 8, w.top + 80});
    EXPECT_EQ(skin->ControlSkins.size(), 0u);
    EXPECT_EQ(GetCapture(), nullptr);
    // The list box works on without its skin.
    SendMessageW(list->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_TRUE(IsWindow(list->Handle()));
}

} // namespace
} // namespace kv::test
