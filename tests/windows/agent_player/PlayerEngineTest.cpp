// The engine behind the late-bound calls: frames with their durations, branches, stopping,
// return animations, showing and hiding, moving, the balloon, and what reaches the screen.
#include "PlayerFixture.h"

#include "agent/player/PlayerHooks.h"
#include "base/Pixels.h"

#include <windows.h>
#include <cmath>

namespace kv::agent::testing {
namespace {

TEST_F(PlayerTest, CallsReturnAtOnceAndFramesFollowTheirDurations) {
    Tune(1.0);
    const double expected[] = {100, 200, 50, 300};
    // A busy machine can hold up the message loop for a tenth of a second now and then, so
    // the timing has three tries; every try must show the frames in order.
    std::vector<PlayerEvent> frames;
    for (int attempt = 0; attempt < 3; ++attempt) {
        events.clear();
        double before = player::NowMs();
        bob.Play(L"Timed");
        EXPECT_LT(player::NowMs() - before, 50) << "Play must not wait for the animation";
        EXPECT_TRUE(Frames(L"Timed").empty()) << "requests run from the message loop";
        ASSERT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
        frames.clear();
        for (const PlayerEvent& e : Events(Kind::Frame))
            if (e.animation == L"Timed") frames.push_back(e);
        ASSERT_EQ(frames.size(), 5u);
        bool onTime = true;
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(frames[i].frame, int(i));
            const double off = frames[i + 1].timeMs - frames[i].timeMs - expected[i];
            onTime = onTime && std::abs(off) <= 35;
        }
        if (onTime) break;
    }
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(frames[i + 1].timeMs - frames[i].timeMs, expected[i], 35) << "frame " << i;
}

TEST_F(PlayerTest, RequestsRunInOrder) {
    bob.Play(L"Pose");
    bob.Play(L"Timed");
    bob.MoveTo(120, 140, 0);
    bob.Play(L"Branchy");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Branchy"); }));
    std::vector<std::wstring> order;
    for (const PlayerEvent& e : events)
        if (e.kind == Kind::AnimationStart)
            order.push_back(e.animation);
        else if (e.kind == Kind::Moved)
            order.push_back(L"moved");
    EXPECT_EQ(order,
              (std::vector<std::wstring>{L"Pose", L"PoseReturn", L"Timed", L"moved", L"Branchy"}));
}

TEST_F(PlayerTest, SeededBranchesFollowTheirProbabilityAndRepeat) {
    Tune(0, 2024);
    auto run = [&] {
        events.clear();
        agent->Load(L"Bob", CharacterPath().wstring()); // fresh seed for the character
        TAgentCharacter c = agent->Character(L"Bob");
        for (int i = 0; i < 60; ++i) c.Play(L"Branchy");
        EXPECT_TRUE(PumpUntil([&] { return Count(Kind::AnimationEnd, L"Branchy") == 60; }, 8000));
        return Frames(L"Branchy");
    };
    std::vector<int> first = run();
    int skipped = 60 - static_cast<int>(std::count(first.begin(), first.end(), 1));
    EXPECT_GE(skipped, 8) << "30 % of 60 runs should branch over frame 1";
    EXPECT_LE(skipped, 30);
    EXPECT_EQ(run(), first) << "the same seed gives the same branches";
}

TEST_F(PlayerTest, StopAllClearsTheQueueAndLeavesThroughTheExitBranches) {
    bob.Play(L"Looping");
    bob.Play(L"Timed");
    bob.Speak(L"never said");
    ASSERT_TRUE(PumpUntil([&] {
        std::vector<int> f = Frames(L"Looping");
        return !f.empty() && f.back() == 2;
    }));
    // The waiting requests end the loop too, but StopAll is first: they go.
    bob.StopAll(L"");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Looping"); }));
    std::vector<int> f = Frames(L"Looping");
    ASSERT_GE(f.size(), 3u);
    EXPECT_EQ(std::vector<int>(f.end() - 3, f.end()), (std::vector<int>{2, 1, 0}));
    PumpFor(150);
    EXPECT_EQ(Count(Kind::AnimationStart, L"Timed"), 0);
    EXPECT_TRUE(Events(Kind::BalloonText).empty());
    EXPECT_EQ(Count(Kind::QueueCleared), 1);
}

TEST_F(PlayerTest, ALoopingAnimationGivesWayToTheNextRequest) {
    bob.Play(L"Looping");
    ASSERT_TRUE(PumpUntil([&] { return Frames(L"Looping").size() >= 6; }));
    EXPECT_FALSE(Ended(L"Looping")) << "it loops by itself";
    bob.Play(L"Timed");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
    EXPECT_TRUE(Ended(L"Looping"));
}

TEST_F(PlayerTest, StoppingAPosePlaysItsReturnAnimation) {
    Tune(1.0); // 50 ms frames: time enough to stop on the first
    bob.Play(L"Pose");
    ASSERT_TRUE(PumpUntil([&] { return !Frames(L"Pose").empty(); }));
    bob.StopAll(L"");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"PoseReturn"); }));
    EXPECT_EQ(Frames(L"Pose").front(), 0);
    EXPECT_LE(Frames(L"Pose").size(), 2u);
    EXPECT_EQ(Count(Kind::AnimationStart, L"PoseReturn"), 1);
}

TEST_F(PlayerTest, EndlessZeroDurationLoopsDoNotHangTheThread) {
    bob.Play(L"Spin");
    double start = player::NowMs();
    PumpFor(150);
    EXPECT_LT(player::NowMs() - start, 1000);
    EXPECT_GT(Frames(L"Spin").size(), 10u);
    bob.StopAll(L"");
    EXPECT_TRUE(Ended(L"Spin"));
    bob.Play(L"Empty");
    EXPECT_TRUE(PumpUntil([&] { return Ended(L"Empty"); }));
}

TEST_F(PlayerTest, ShowAndHidePlayTheirStatesAndChangeVisibility) {
    EXPECT_FALSE(IsWindowVisible(CharacterWindow()));
    bob.Show(0);
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Show"); }));
    EXPECT_TRUE(IsWindowVisible(CharacterWindow()));
    EXPECT_EQ(Count(Kind::Shown), 1);
    bob.Show(0); // already visible: nothing
    bob.Hide(0);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Hidden) == 1; }));
    EXPECT_TRUE(Ended(L"Hide"));
    EXPECT_FALSE(IsWindowVisible(CharacterWindow()));
    EXPECT_EQ(Count(Kind::AnimationStart, L"Show"), 1);
    bob.Show(1); // fast: no animation
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Shown) == 2; }));
    EXPECT_EQ(Count(Kind::AnimationStart, L"Show"), 1);
}

TEST_F(PlayerTest, MoveToPlacesTheWindowAtOnceOrSlidesThere) {
    bob.MoveTo(200, 300, 2);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Moved) == 1; }));
    RECT r;
    GetWindowRect(CharacterWindow(), &r);
    EXPECT_EQ(r.left, 200);
    EXPECT_EQ(r.top, 300);
    bob.MoveTo(400, 100, 1000); // 200 ms at this test's time scale
    PumpFor(90);
    GetWindowRect(CharacterWindow(), &r);
    EXPECT_GT(r.left, 200);
    EXPECT_LT(r.left, 400);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Moved) == 2; }));
    GetWindowRect(CharacterWindow(), &r);
    EXPECT_EQ(r.left, 400);
    EXPECT_EQ(r.top, 100);
}

TEST_F(PlayerTest, SpeakShowsTheBalloonWordByWordThenHidesIt) {
    bob.MoveTo(300, 400, 0);
    bob.Show(0);
    bob.Speak(L"Hello, can i help you?");
    ASSERT_TRUE(PumpUntil([&] { return Events(Kind::BalloonText).size() == 5; }));
    std::vector<std::wstring> texts;
    for (const PlayerEvent& e : Events(Kind::BalloonText)) texts.push_back(e.text);
    EXPECT_EQ(texts, (std::vector<std::wstring>{L"Hello,", L"Hello, can", L"Hello, can i",
                                                L"Hello, can i help", L"Hello, can i help you?"}));
    HWND balloon = BalloonWindow();
    EXPECT_TRUE(IsWindowVisible(balloon));
    RECT b, c;
    GetWindowRect(balloon, &b);
    GetWindowRect(CharacterWindow(), &c);
    EXPECT_EQ(b.bottom, c.top) << "the balloon sits above the character";
    EXPECT_LT(b.left, c.right);
    EXPECT_GT(b.right, c.left);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::BalloonHidden) == 1; }));
    EXPECT_FALSE(IsWindowVisible(balloon));
}

TEST_F(PlayerTest, SpeakingMovesTheMouthAndFrameSoundsNeverFail) {
    bob.Play(L"Talk");
    bob.Speak(L"one two three");
    ASSERT_TRUE(PumpUntil([&] { return Events(Kind::BalloonText).size() == 3; }));
    ASSERT_EQ(Count(Kind::Sound), 1);
    std::wstring outcome = Events(Kind::Sound)[0].text;
    EXPECT_TRUE(outcome == L"played" || outcome == L"skipped") << "no wave device: skipped";
}

TEST_F(PlayerTest, TheComposedFrameReachesTheWindowWithItsKeyColour) {
    bob.MoveTo(50, 60, 0);
    bob.Play(L"Timed");
    ASSERT_TRUE(PumpUntil([&] { return !Frames(L"Timed").empty(); }));
    HDC dc = GetDC(CharacterWindow());
    COLORREF body = GetPixel(dc, 16, 16);
    COLORREF corner = GetPixel(dc, 1, 1);
    ReleaseDC(CharacterWindow(), dc);
    COLORREF key = 0;
    GetLayeredWindowAttributes(CharacterWindow(), &key, nullptr, nullptr);
    EXPECT_EQ(body, kv::ToColorRef(kTestColours[1])) << "frame 0 shows image 0, colour 1";
    EXPECT_EQ(corner, key) << "see-through pixels carry the key colour";
}

} // namespace
} // namespace kv::agent::testing
