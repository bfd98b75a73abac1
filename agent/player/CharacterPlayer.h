#pragma once
// CharacterPlayer: one loaded character — its windows, its request queue and the timer-driven
// engine that plays the requests in order on the UI thread.
//
// Contract
// - Create() takes a character that the reader accepted (consistent indices) and makes its
//   hidden window and balloon; it fails (null, `error` set) when the frame size is unusable or
//   the windows cannot be made.
// - Enqueue() returns at once; requests run one after another, driven by timers of the
//   character's window. Play runs the animation frame by frame with its durations (scaled by
//   the tuning), random branches and sounds; a finished animation that names a return
//   animation plays it before the next Play or Hide. An animation that loops while requests
//   wait is ended through its exit branches. Show/Hide make the window visible/hidden around
//   the character's showing/hiding state animation (or the animation "Show"/"Hide").
//   MoveTo slides the window in `speed` ms (at once for speed <= 0). Speak shows the balloon,
//   one more word per step, then hides it after a pause (unless the character says the balloon
//   never hides).
// - StopAll() clears the queue and ends the request in progress: an animation through its exit
//   branches or, having none, at once followed by its return animation; a move where it stands;
//   speech with its balloon.
// - Engine steps are bounded (zero-duration frames run at most kMaxInstantSteps before the
//   engine yields to the message loop), so no character can hang the thread.
#include "agent/acs/AcsCharacter.h"
#include "agent/acs/AcsCompose.h"
#include "agent/player/AnimationCursor.h"
#include "agent/player/BalloonWindow.h"
#include "agent/player/CharacterWindow.h"
#include "agent/player/Player.h"
#include "agent/player/SoundOutput.h"

#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kv::agent::player {

constexpr int kMaxInstantSteps = 64;

struct Request {
    enum class Kind { Play, Show, Hide, Move, Speak };
    Kind kind = Kind::Play;
    const AcsAnimation* animation = nullptr; // Play
    bool fast = false;                       // Show, Hide: without the state animation
    int x = 0, y = 0;                        // Move
    long speed = 0;                          // Move, in milliseconds
    std::wstring text;                       // Speak
};

class CharacterPlayer {
public:
    static std::unique_ptr<CharacterPlayer> Create(std::wstring id, AcsCharacter character,
                                                   std::wstring& error);
    ~CharacterPlayer();
    CharacterPlayer(const CharacterPlayer&) = delete;
    CharacterPlayer& operator=(const CharacterPlayer&) = delete;

    const AcsAnimation* Find(const std::wstring& name) const;
    void Enqueue(Request request);
    void StopAll();

    void SetLanguage(long languageId) { languageId_ = languageId; }
    long Language() const { return languageId_; }
    bool Visible() const { return window_.Visible(); }
    RECT Bounds() const { return window_.Bounds(); }

private:
    enum class Activity { None, Animation, Move, Speech };

    CharacterPlayer(std::wstring id, AcsCharacter character, COLORREF key);
    void OnTimer(UINT_PTR id);
    void Continue();
    void BeginNext();
    void Begin(Request request);
    bool PlayPendingReturnFirst(const Request& request);
    void BeginShow(const Request& request);
    void BeginHide(const Request& request);
    void BeginMove(const Request& request);
    void BeginSpeech(const Request& request);

    void StartAnimation(const AcsAnimation& animation, bool isReturn, bool hideAtEnd);
    void RunAnimation();
    void AdvanceAnimation();
    void EndAnimation();
    void ShowFrame(const AcsFrame& frame, int index, std::optional<AcsMouth> mouth = {});
    void StepMove();
    void StepSpeech();
    void EndSpeech();
    void HideBalloon();

    void SetVisible(bool visible);
    const AcsAnimation* StateAnimation(const char16_t* state, const char16_t* fallback);
    unsigned Roll() { return static_cast<unsigned>(rng_() % 100); }
    void ScheduleStepAt(double dueMs);
    PlayerEvent Event(PlayerEvent::Kind kind) const;
    void Emit(PlayerEvent::Kind kind, std::wstring text = {});

    std::wstring id_;
    AcsCharacter character_;
    AcsBalloonInfo balloonStyle_;
    AcsFrameComposer composer_;
    CharacterWindow window_;
    BalloonWindow balloon_;
    SoundOutput sound_;
    std::mt19937 rng_;
    PixelBuffer buffer_;
    long languageId_ = 0x0409;

    std::deque<Request> queue_;
    Activity activity_ = Activity::None;
    double due_ = 0;

    std::optional<AnimationCursor> cursor_;
    bool isReturn_ = false;
    bool hideAtEnd_ = false;
    bool returnNow_ = false; // StopAll: play the return animation as soon as this one ends
    const AcsAnimation* pendingReturn_ = nullptr;
    const AcsFrame* lastFrame_ = nullptr;
    int lastFrameIndex_ = -1;
    std::wstring lastAnimation_;

    POINT moveFrom_{}, moveTo_{};
    double moveStart_ = 0, moveLength_ = 0;

    std::wstring speech_;
    std::vector<size_t> wordEnds_;
    size_t wordsShown_ = 0;
};

} // namespace kv::agent::player
