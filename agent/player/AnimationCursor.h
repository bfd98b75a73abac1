#pragma once
// AnimationCursor: which frame of an animation comes next — the sequencing rules of playback,
// kept apart from windows and timers so that they can be exercised fast and exactly.
//
// Contract
// - Borrows the animation (it must outlive the cursor). Frame() is the frame to show, or -1
//   once the cursor is done; an animation with no frames is done at once.
// - Advance(roll) moves past the current frame. `roll` is a number 0..99. Playing normally,
//   the frame's branches are tried in order against their cumulative probabilities (roll below
//   the running sum takes that branch), otherwise the next frame follows; past the last frame
//   the cursor is done.
// - RequestExit() ends the animation early as its transition says: with exit branches the
//   cursor follows each frame's exit frame (>= 0: go there; kAcsExitEnds: done; none: the next
//   frame, no random branches), with any other transition it is done at once. An exit path
//   takes at most frame count + 1 steps, so a cycle of exit frames cannot loop forever.
// - LoopedBack() tells whether the last Advance went to an earlier or the same frame (the
//   animation is looping and will not end by itself).
// - Indices read from a checked character are in range; out-of-range ones end the cursor.
#include "agent/acs/AcsCharacter.h"

namespace kv::agent::player {

class AnimationCursor {
public:
    explicit AnimationCursor(const AcsAnimation& animation);

    int Frame() const { return frame_; }
    bool Done() const { return frame_ < 0; }
    bool Exiting() const { return exiting_; }
    bool LoopedBack() const { return loopedBack_; }
    const AcsAnimation& Animation() const { return *animation_; }

    void Advance(unsigned roll);
    void RequestExit();

private:
    int Count() const { return static_cast<int>(animation_->frames.size()); }
    int NextInOrder() const { return frame_ + 1 < Count() ? frame_ + 1 : -1; }
    int Branch(unsigned roll) const;
    int ExitStep();

    const AcsAnimation* animation_;
    int frame_ = -1;
    bool exiting_ = false;
    bool loopedBack_ = false;
    int exitSteps_ = 0;
};

} // namespace kv::agent::player
