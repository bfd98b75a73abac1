// A live character between requests: idle levels rising with quiet time, requests ending idle
// animations the graceful way, IdleOn, moving and speaking states, and characters whose
// states are missing or spin without duration.
#include "PlayerFixture.h"

#include "agent/player/PlayerHooks.h"
#include "agent/player/logic/IdleLevels.h"

#include <windows.h>

#include <algorithm>

namespace kv::agent::testing {
namespace {

// Idle timings at 1 %: first idle after 40 ms, level 2 after 0.3 s, level 3 after 1.2 s.
constexpr double kFastIdle = 0.01;

size_t IndexOf(const std::vector<PlayerEvent>& events, Kind kind, const std::wstring& animation,
               size_t from = 0) {
    for (size_t i = from; i < events.size(); ++i)
        if (events[i].kind == kind && events[i].animation == animation) return i;
    return events.size();
}

TEST_F(PlayerTest, TheIdleLevelRisesWithQuietTimeAndFallsBackOnARequest) {
    Tune(0.2, 7, kFastIdle);
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.Show(1);
    ASSERT_TRUE(PumpUntil([&] {
        auto starts = IdleStarts();
        return !starts.empty() && starts.back().second == 3;
    }));
    std::vector<std::pair<std::wstring, int>> starts = IdleStarts();
    EXPECT_EQ(starts.front().second, 1);
    EXPECT_TRUE(std::is_sorted(starts.begin(), starts.end(),
                               [](auto& a, auto& b) { return a.second < b.second; }))
        << "levels never go down while the character stays quiet";
    for (auto& [name, level] : starts) {
        if (name == L"PoseReturn") continue; // Idle2's way back belongs to the idle
        std::wstring expected = level == 1 ? L"Idle1" : level == 2 ? L"Idle2" : L"Sleep";
        EXPECT_EQ(name.substr(0, expected.size()), expected) << "level " << level;
    }
    EXPECT_TRUE(std::any_of(starts.begin(), starts.end(), [](auto& s) { return s.second == 2; }));
    EXPECT_GE(Count(Kind::AnimationEnd, L"PoseReturn"), 1) << "Idle2 returns from its pose";

    // Asleep: the request waits until the sleep has left through its exit frames.
    ASSERT_TRUE(PumpUntil([&] { return Frames(L"Sleep").size() >= 6; }));
    size_t mark = events.size();
    idler.Play(L"Timed");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
    size_t sleepEnd = IndexOf(events, Kind::AnimationEnd, L"Sleep", mark);
    size_t timedStart = IndexOf(events, Kind::AnimationStart, L"Timed", mark);
    ASSERT_LT(sleepEnd, timedStart);
    std::vector<int> exitFrames;
    for (size_t i = mark; i < sleepEnd; ++i)
        if (events[i].kind == Kind::Frame) exitFrames.push_back(events[i].frame);
    ASSERT_FALSE(exitFrames.empty());
    EXPECT_EQ(exitFrames.back(), 0) << "the exit path ends on frame 0";

    // After the request the quiet time starts again: level 1 first.
    size_t afterRequest = events.size();
    ASSERT_TRUE(PumpUntil([&] { return IdleStarts().size() > starts.size() + 0 &&
                                       events.size() > afterRequest &&
                                       std::any_of(events.begin() + long(afterRequest), events.end(),
                                                   [](const PlayerEvent& e) { return e.idleLevel > 0; }); }));
    auto next = std::find_if(events.begin() + long(afterRequest), events.end(),
                             [](const PlayerEvent& e) { return e.idleLevel > 0; });
    EXPECT_EQ(next->idleLevel, 1);
}

TEST_F(PlayerTest, IdleOnFalseKeepsTheCharacterStill) {
    Tune(0.2, 7, kFastIdle);
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.SetIdleOn(false);
    EXPECT_EQ(idler.Dispatch().Get(L"IdleOn").get()->boolVal, VARIANT_FALSE);
    idler.Show(1);
    PumpFor(400);
    EXPECT_TRUE(IdleStarts().empty());
    idler.SetIdleOn(true);
    ASSERT_TRUE(PumpUntil([&] { return !IdleStarts().empty(); }));
    // Switched off in the middle of a sleep, the character leaves it and stays still.
    ASSERT_TRUE(PumpUntil([&] { return Frames(L"Sleep").size() >= 2; }));
    idler.SetIdleOn(false);
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Sleep"); }));
    size_t starts = IdleStarts().size();
    PumpFor(300);
    EXPECT_EQ(IdleStarts().size(), starts);
}

TEST_F(PlayerTest, CharactersWithoutUsableIdleStatesStayStill) {
    Tune(0.2, 7, kFastIdle);
    bob.Show(1); // the plain test character has no idle state at all
    AcsCharacter onlyMissing = MakeTestCharacter();
    onlyMissing.states.push_back({u"IDLINGLEVEL1", {u"Nowhere", u"Empty"}}); // missing, no frames
    TAgentCharacter ghost = LoadAs(L"Ghost", onlyMissing);
    ghost.Show(1);
    PumpFor(400);
    EXPECT_TRUE(IdleStarts().empty());
    EXPECT_EQ(Count(Kind::AnimationStart), 0);
}

TEST_F(PlayerTest, MoveToPlaysTheMovingStateOfItsDirection) {
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.MoveTo(400, 300, 0);
    idler.Show(1);
    idler.MoveTo(200, 320, 1000); // left: 200 ms at this test's time scale
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::Moved) == 2 && Ended(L"WalkLeft"); }));
    size_t walkStart = IndexOf(events, Kind::AnimationStart, L"WalkLeft");
    size_t moved = walkStart;
    while (moved < events.size() && !(events[moved].kind == Kind::Moved && events[moved].x == 200)) ++moved;
    ASSERT_LT(moved, events.size());
    EXPECT_LT(IndexOf(events, Kind::AnimationEnd, L"WalkLeft"), events.size());
    EXPECT_GT(IndexOf(events, Kind::AnimationEnd, L"WalkLeft"), moved) << "it walks until it arrives";
    EXPECT_GT(Frames(L"WalkLeft").size(), 3u) << "the walk loops while the window travels";

    // MOVINGRIGHT names an animation the character lacks: the window still travels, quietly.
    events.clear();
    idler.MoveTo(420, 320, 200);
    idler.Play(L"Timed");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
    EXPECT_EQ(Count(Kind::Moved), 1);
    EXPECT_EQ(Count(Kind::AnimationStart), 1) << "only Timed";
    RECT r;
    GetWindowRect(player::PlayerWindows(L"Idler").character, &r);
    EXPECT_EQ(r.left, 420);
}

TEST_F(PlayerTest, GestureAtPlaysTheGesturingStateTowardsThePoint) {
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.SetIdleOn(false); // only what is asked for plays
    idler.MoveTo(400, 300, 0);
    idler.Show(1);
    HWND window = player::PlayerWindows(L"Idler").character;
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(window) != FALSE; })); // moved, then shown
    RECT r;
    GetWindowRect(window, &r);
    short cx = short((r.left + r.right) / 2), cy = short((r.top + r.bottom) / 2);
    idler.GestureAt(short(cx - 300), short(cy + 20)); // mostly left
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"PointLeft"); }));

    // The centre itself has no direction, and GESTURINGRIGHT names an animation the character
    // lacks: both play nothing, and what follows runs as usual.
    events.clear();
    idler.GestureAt(cx, cy);
    idler.GestureAt(short(cx + 300), cy);
    idler.Play(L"Timed");
    ASSERT_TRUE(PumpUntil([&] { return Ended(L"Timed"); }));
    std::string started;
    for (const PlayerEvent& e : Events(Kind::AnimationStart))
        started += std::string(e.animation.begin(), e.animation.end()) + " ";
    EXPECT_EQ(Count(Kind::AnimationStart), 1) << "only Timed, not: " << started;
}

TEST_F(PlayerTest, SpeakingWithoutAMouthPlaysTheSpeakingStateFirst) {
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.Show(1);
    idler.Play(L"Timed"); // its frames have no mouth
    idler.Speak(L"one two");
    ASSERT_TRUE(PumpUntil([&] { return Events(Kind::BalloonText).size() == 2; }));
    size_t talk = IndexOf(events, Kind::AnimationEnd, L"Talk");
    ASSERT_LT(talk, events.size());
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i].kind == Kind::BalloonText) {
            EXPECT_GT(i, talk);
        }
}

TEST_F(PlayerTest, UnloadingDuringAnIdleAnimationOrAMoveLeavesNothingBehind) {
    Tune(0.2, 7, kFastIdle);
    TAgentCharacter idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return !IdleStarts().empty(); }));
    player::PlayerWindowPair windows = player::PlayerWindows(L"Idler");
    agent->Unload(L"Idler");
    EXPECT_FALSE(IsWindow(windows.character));
    EXPECT_FALSE(IsWindow(windows.balloon));

    idler = LoadAs(L"Idler", MakeIdleCharacter());
    idler.Show(1);
    idler.MoveTo(500, 300, 0);
    idler.MoveTo(10, 300, 5000);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::AnimationStart, L"WalkLeft") >= 1; }));
    agent->Unload(L"Idler");
    size_t before = events.size();
    PumpFor(200);
    EXPECT_EQ(events.size(), before) << "nothing plays on for a character that is gone";
}

double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME t) {
        return double((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

TEST_F(PlayerTest, AZeroDurationIdleLoopKeepsTheProcessNearlyIdle) {
    Tune(1.0, 7, kFastIdle);
    TAgentCharacter spinner = LoadAs(L"Spinner", MakeSpinningIdler());
    spinner.Show(1);
    ASSERT_TRUE(PumpUntil([&] { return Count(Kind::AnimationStart, L"Spin") == 1; }));
    double cpuBefore = ProcessCpuMs(), wallBefore = player::NowMs();
    PumpFor(5000);
    double cpu = ProcessCpuMs() - cpuBefore, wall = player::NowMs() - wallBefore;
    RecordProperty("cpu_ms_over_5s", std::to_string(int(cpu)));
    std::printf("zero-duration idle loop: %.0f ms of CPU in %.0f ms (%.1f %%)\n", cpu, wall,
                100.0 * cpu / wall);
    EXPECT_LT(cpu, 0.05 * wall) << "under 5 % of a core";
    EXPECT_FALSE(Ended(L"Spin")) << "it loops for ever, at a resting pace";
    spinner.Play(L"Timed");
    EXPECT_TRUE(PumpUntil([&] { return Ended(L"Timed"); })) << "and still gives way to a request";
}

} // namespace
} // namespace kv::agent::testing
