#include "agent/player/AnimationCursor.h"

namespace kv::agent::player {

AnimationCursor::AnimationCursor(const AcsAnimation& animation)
    : animation_(&animation), frame_(animation.frames.empty() ? -1 : 0) {}

void AnimationCursor::Advance(unsigned roll) {
    if (Done()) return;
    int previous = frame_;
    int next = exiting_ ? ExitStep() : Branch(roll);
    if (next >= Count()) next = -1;
    loopedBack_ = next >= 0 && next <= previous;
    frame_ = next;
}

void AnimationCursor::RequestExit() {
    if (Done() || exiting_) return;
    if (animation_->transition != AcsTransition::ExitBranches) {
        frame_ = -1;
        return;
    }
    exiting_ = true;
}

int AnimationCursor::Branch(unsigned roll) const {
    unsigned sum = 0;
    for (const AcsBranch& b : animation_->frames[static_cast<size_t>(frame_)].branches) {
        sum += b.probability;
        if (roll < sum) return b.frame;
    }
    return NextInOrder();
}

int AnimationCursor::ExitStep() {
    // Bounded: a damaged file may chain exit frames in a circle.
    if (++exitSteps_ > Count() + 1) return -1;
    int exit = animation_->frames[static_cast<size_t>(frame_)].exitFrame;
    if (exit >= 0) return exit;
    if (exit == kAcsExitEnds) return -1;
    return NextInOrder();
}

} // namespace kv::agent::player
