// Frame sequencing: order, branches with their probabilities, exit paths and their bounds.
#include "TestCharacter.h"

#include "agent/player/AnimationCursor.h"

#include <gtest/gtest.h>

#include <random>

namespace kv::agent::testing {
namespace {

using player::AnimationCursor;

std::vector<int> Walk(const AcsAnimation& a, std::vector<unsigned> rolls) {
    AnimationCursor c(a);
    std::vector<int> seen;
    size_t r = 0;
    while (!c.Done() && seen.size() < 50) {
        seen.push_back(c.Frame());
        c.Advance(r < rolls.size() ? rolls[r++] : 99);
    }
    return seen;
}

const AcsAnimation& Named(const AcsCharacter& c, const char* name) {
    const AcsAnimation* a = c.FindAnimation(std::string_view(name));
    EXPECT_NE(a, nullptr) << name;
    return *a;
}

TEST(AnimationCursor, PlaysFramesInOrderAndTakesBranchesBelowTheirProbability) {
    AcsCharacter c = MakeTestCharacter();
    EXPECT_EQ(Walk(Named(c, "Timed"), {}), (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(Walk(Named(c, "Branchy"), {29}), (std::vector<int>{0, 2}));
    EXPECT_EQ(Walk(Named(c, "Branchy"), {30}), (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(AnimationCursor(Named(c, "Empty")).Done());
}

TEST(AnimationCursor, BranchesAreTakenWithTheirProbabilitiesOverManySeededRuns) {
    AcsAnimation a;
    a.frames.resize(4);
    a.frames[0].branches = {{2, 20}, {3, 30}}; // 20 % to 2, 30 % to 3, 50 % on to 1
    std::mt19937 rng(12345);
    int counts[4] = {};
    const int runs = 20000;
    for (int i = 0; i < runs; ++i) {
        AnimationCursor cursor(a);
        cursor.Advance(static_cast<unsigned>(rng() % 100));
        ++counts[cursor.Frame()];
    }
    EXPECT_NEAR(counts[1] / double(runs), 0.50, 0.02);
    EXPECT_NEAR(counts[2] / double(runs), 0.20, 0.02);
    EXPECT_NEAR(counts[3] / double(runs), 0.30, 0.02);
}

TEST(AnimationCursor, ExitBranchesLeadOutOfALoop) {
    AcsCharacter c = MakeTestCharacter();
    AnimationCursor cursor(Named(c, "Looping"));
    for (int i = 0; i < 3; ++i) cursor.Advance(0); // 0 -> 1 -> 2 -> 3
    cursor.Advance(0);                             // loops back to 0
    EXPECT_EQ(cursor.Frame(), 0);
    EXPECT_TRUE(cursor.LoopedBack());
    cursor.Advance(0);
    cursor.Advance(0);
    EXPECT_EQ(cursor.Frame(), 2);
    cursor.RequestExit();
    std::vector<int> path;
    while (!cursor.Done()) {
        cursor.Advance(0);
        path.push_back(cursor.Frame());
    }
    EXPECT_EQ(path, (std::vector<int>{1, 0, -1}));
}

TEST(AnimationCursor, OtherTransitionsStopAtOnceAndCircularExitsStillEnd) {
    AcsCharacter c = MakeTestCharacter();
    AnimationCursor pose(Named(c, "Pose"));
    pose.RequestExit();
    EXPECT_TRUE(pose.Done());

    AcsAnimation circle;
    circle.transition = AcsTransition::ExitBranches;
    circle.frames.resize(3);
    circle.frames[0].exitFrame = 1;
    circle.frames[1].exitFrame = 0;
    circle.frames[2].exitFrame = 2;
    AnimationCursor cursor(circle);
    cursor.RequestExit();
    int steps = 0;
    while (!cursor.Done() && steps < 100) cursor.Advance(0), ++steps;
    EXPECT_TRUE(cursor.Done());
    EXPECT_LE(steps, 5); // three frames, one step past them
}

} // namespace
} // namespace kv::agent::testing
