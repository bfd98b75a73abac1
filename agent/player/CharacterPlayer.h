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
//   MoveTo slides the window in `speed` ms (at once for speed <= 0) while the MOVING state of
//   its direction plays, ended through its exit branches or return animation on arrival.
//   Speak plays the SPEAKING state first when the pose on screen has no mouth, then shows the
//   balloon one word at a time at a reading pace (the whole text at once when the character
//   turns auto-pace off), then hides it after a pause (unless it turns auto-hide off).
//   GestureAt plays the GESTURING state of the direction from the character's centre to the
//   point (shown first when hidden); a point at the centre, or a state the character lacks,
//   plays nothing.
//   A state that names only animations the character lacks is skipped quietly.
// - Idle: while visible, with nothing queued and IdleOn, the character plays an animation of
//   the idle level its quiet time reaches (IdleLevels.h), one at random each time, with a
//   pause between them; a request ends the idle animation through its exit branches (or at
//   once) and its return animation before it runs, and starts the quiet time again.
// - Menus: a right click opens the character's menu, and while visible it has its tray icon
//   whose menu shows or hides it. "Hide"/"Show" there queue a Hide/Show request.
// - StopAll() clears the queue and ends the request in progress: an animation through its exit
//   branches or, having none, at once followed by its return animation; a move where it stands;
//   speech with its balloon.
// - Engine steps are bounded (zero-duration frames run at most kMaxInstantSteps before the
//   engine yields to the message loop for kInstantLoopPauseMs), so no character can hang the
//   thread or keep it busy.
#include "agent/acs/AcsCharacter.h"
#include "agent/acs/AcsCompose.h"
#include "agent/player/AnimationCursor.h"
#include "agent/player/BalloonWindow.h"
#include "agent/player/CharacterWindow.h"
#include "agent/player/PlayerMenu.h"
#include "agent/player/Player.h"
#include "agent/player/SoundOutput.h"
#include "agent/player/TrayIcon.h"
#include "agent/player/logic/IdleLevels.h"

#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace kv::agent::player {

constexpr int kMaxInstantSteps = 64;
// A run of zero-duration frames longer than kMaxInstantSteps is a loop that would never yield
// by itself: it goes on after this pause, at about ten steps a second.
constexpr double kInstantLoopPauseMs = 100;

struct Request {
    enum class Kind { Play, Show, Hide, Move, Speak, Gesture };
    Kind kind = Kind::Play;
    const AcsAnimation* animation = nullptr; // Play
    bool fast = false;                       // Show, Hide: without the state animation
    int x = 0, y = 0;                        // Move: the window's new place; Gesture: a screen point
    long speed = 0;                          // Move, in milliseconds
    std::wstring text;                       // Speak
    bool speakingPlayed = false;             // Speak: the SPEAKING state has run
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
    void SetIdleOn(bool on);
    bool IdleOn() const { return idleOn_; }
    bool TrayIconShown() const { return tray_.Shown(); }
    RECT Bounds() const { return window_.Bounds(); }

private:
    enum class Activity { None, Animation, Move, Speech };
    static constexpr UINT_PTR kStepTimer = 1;
    static constexpr UINT_PTR kBalloonTimer = 2;
    static constexpr UINT_PTR kIdleTimer = 3;
    static constexpr UINT_PTR kMoveTimer = 4;

    CharacterPlayer(std::wstring id, AcsCharacter character, COLORREF key);
    void OnTimer(UINT_PTR id);
    void OnStep();
    void Continue();
    void InterruptIdle();
    void BeginNext();
    void Begin(Request request);
    bool PlayPendingReturnFirst(const Request& request);
    void BeginShow(const Request& request);
    void BeginHide(const Request& request);
    void BeginMove(const Request& request);
    void BeginGesture(const Request& request);
    void BeginSpeech(const Request& request);

    void StartAnimation(const AcsAnimation& animation, bool isReturn, bool hideAtEnd);
    void RunAnimation();
    void AdvanceAnimation();
    void EndAnimation();
    void EnterFrame(const AcsFrame& frame, int index);
    void ComposeAndPresent(const AcsFrame& frame, std::optional<AcsMouth> mouth);
    void StepMove();
    void ArriveFromMove();
    void PresentFrame();
    void StepSpeech();
    void EndSpeech();
    void HideBalloon();

    void ScheduleIdle();
    void StartIdle();
    IdleLevel AvailableIdleLevel(IdleLevel wanted) const;
    void ShowMenu(PlayerMenuKind kind);
    void ReportMenu();
    void UpdateTrayIcon();

    void SetVisible(bool visible);
    const AcsAnimation* StateAnimation(std::u16string_view state,
                                       std::u16string_view fallback = {});
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
    TrayIcon tray_; // after the window: taken out of the notification area first
    SoundOutput sound_;
    std::mt19937 rng_;
    PixelBuffer buffer_;
    long languageId_ = 0x0409;

    std::deque<Request> queue_;
    Activity activity_ = Activity::None;
    double due_ = 0;

    std::optional<AnimationCursor> cursor_;
    bool idle_ = false; // the animation playing is an idle one (or its return)
    int idleLevel_ = 0;
    bool isReturn_ = false;
    bool hideAtEnd_ = false;
    bool returnNow_ = false; // StopAll: play the return animation as soon as this one ends
    const AcsAnimation* pendingReturn_ = nullptr;
    const AcsFrame* lastFrame_ = nullptr;
    int lastFrameIndex_ = -1;
    std::wstring lastAnimation_;

    bool idleOn_ = true;
    bool requestRan_ = false; // since the quiet time last started
    double quietSince_ = 0;
    double lastIdleEnd_ = -1e300;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0); // watched across modal menus
    bool resting_ = false;      // pausing after a long run of zero-duration frames
    bool framePending_ = false; // a zero-duration frame composed but not yet on screen

    bool travelling_ = false;
    POINT moveFrom_{}, moveTo_{};
    double moveStart_ = 0, moveLength_ = 0;

    std::wstring speech_;
    std::vector<size_t> wordEnds_;
    size_t wordsShown_ = 0;
};

} // namespace kv::agent::player
