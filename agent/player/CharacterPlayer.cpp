#include "agent/player/CharacterPlayer.h"

#include "agent/player/PlayerHooks.h"
#include "agent/player/logic/DirectionStates.h"
#include "agent/player/logic/WordPace.h"

#include <algorithm>
#include <cmath>

namespace kv::agent::player {
namespace {

constexpr double kMoveStepMs = 15;
constexpr double kBalloonPauseMs = 5000; // the balloon stays this long after the last word
constexpr double kResyncMs = 250;        // later than this (a drag, a busy thread): resync
constexpr int kMaxFrameSide = 2048;

const AcsMouth kMouthCycle[] = {AcsMouth::Medium, AcsMouth::WideOpen2, AcsMouth::Narrow,
                                AcsMouth::WideOpen1, AcsMouth::Closed};

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

uint32_t Seed() {
    if (CurrentPlayerTuning().seed) return *CurrentPlayerTuning().seed;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<uint32_t>(now.QuadPart) ^ GetCurrentProcessId();
}

} // namespace

std::unique_ptr<CharacterPlayer> CharacterPlayer::Create(std::wstring id, AcsCharacter character,
                                                         std::wstring& error) {
    if (character.width == 0 || character.height == 0 || character.width > kMaxFrameSide ||
        character.height > kMaxFrameSide) {
        error = L"The character's frame size is not usable.";
        return nullptr;
    }
    COLORREF key = ChooseKeyColour(character.palette, character.transparentIndex);
    std::unique_ptr<CharacterPlayer> player(
        new CharacterPlayer(std::move(id), std::move(character), key));
    if (!player->window_.Valid() || !player->balloon_.Handle()) {
        error = L"The character's window cannot be created.";
        return nullptr;
    }
    return player;
}

CharacterPlayer::CharacterPlayer(std::wstring id, AcsCharacter character, COLORREF key)
    : id_(std::move(id)), character_(std::move(character)),
      balloonStyle_(character_.balloon.value_or(AcsBalloonInfo{})), composer_(character_),
      window_(character_.width, character_.height, key), balloon_(balloonStyle_, character_.flags),
      tray_(character_.trayIcon, id_), rng_(Seed()), quietSince_(NowMs()) {
    window_.SetSink([this](UINT_PTR timer) { OnTimer(timer); });
    RegisterWindows(id_, this, {window_.Handle(), balloon_.Handle(), tray_.Icon()});
}

CharacterPlayer::~CharacterPlayer() {
    UnregisterWindows(this);
    tray_.Remove();
    window_.SetSink(nullptr);
    sound_.Stop(); // before the wave bytes go
}

const AcsAnimation* CharacterPlayer::Find(const std::wstring& name) const {
    return character_.FindAnimation(std::u16string(name.begin(), name.end()));
}

void CharacterPlayer::Enqueue(Request request) {
    queue_.push_back(std::move(request));
    InterruptIdle();
    Continue();
}

// Whenever the engine has nothing in hand: the next request, or else the next idle animation.
void CharacterPlayer::Continue() {
    if (activity_ != Activity::None) return;
    if (!queue_.empty()) return window_.Schedule(kStepTimer, 0);
    if (std::exchange(requestRan_, false)) quietSince_ = NowMs();
    ScheduleIdle();
}

void CharacterPlayer::OnTimer(UINT_PTR id) {
    if (id == kMovedNotice) {
        if (balloon_.Visible()) balloon_.Show(balloon_.Text(), window_.Bounds());
        Emit(PlayerEvent::Kind::Moved);
        return;
    }
    switch (id) {
    case kBalloonTimer:
        return HideBalloon();
    case kIdleTimer:
        return StartIdle();
    case kMoveTimer:
        return StepMove();
    case kContextMenuNotice:
        return ShowMenu(PlayerMenuKind::Character);
    case kTrayMenuNotice:
        return ShowMenu(PlayerMenuKind::TrayIcon);
    case kMenuOpenNotice:
        return ReportMenu();
    case kStepTimer:
        return OnStep();
    default:
        return;
    }
}

void CharacterPlayer::OnStep() {
    resting_ = false;
    if (cursor_) {
        AdvanceAnimation();
        return RunAnimation();
    }
    if (activity_ == Activity::Speech) return StepSpeech();
    if (activity_ == Activity::None) BeginNext();
}

void CharacterPlayer::BeginNext() {
    // Requests that finish at once (a Show while visible, a move without speed) run in a row.
    while (activity_ == Activity::None && !queue_.empty()) {
        Request next = std::move(queue_.front());
        queue_.pop_front();
        Begin(std::move(next));
    }
    Continue(); // nothing left in hand: the quiet time starts
}

void CharacterPlayer::Begin(Request request) {
    requestRan_ = true;
    switch (request.kind) {
    case Request::Kind::Play:
        if (PlayPendingReturnFirst(request)) return;
        if (!window_.Visible()) SetVisible(true);
        return StartAnimation(*request.animation, false, false);
    case Request::Kind::Show:
        return BeginShow(request);
    case Request::Kind::Hide:
        if (window_.Visible() && PlayPendingReturnFirst(request)) return;
        return BeginHide(request);
    case Request::Kind::Move:
        return BeginMove(request);
    case Request::Kind::Speak:
        return BeginSpeech(request);
    case Request::Kind::Gesture:
        return BeginGesture(request);
    }
}

// A pose held at the end of an animation is left through its return animation first.
bool CharacterPlayer::PlayPendingReturnFirst(const Request& request) {
    if (!pendingReturn_) return false;
    const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
    queue_.push_front(request);
    StartAnimation(*back, true, false);
    return true;
}

void CharacterPlayer::BeginShow(const Request& request) {
    if (window_.Visible()) return;
    pendingReturn_ = nullptr;
    const AcsAnimation* showing = request.fast ? nullptr : StateAnimation(u"SHOWING", u"Show");
    if (showing && !showing->frames.empty()) {
        buffer_.Resize(character_.width, character_.height, ToPixel(window_.Key()));
        window_.Present(buffer_); // start from nothing, not from the last pose
    }
    SetVisible(true);
    if (showing) StartAnimation(*showing, false, false);
}

void CharacterPlayer::BeginHide(const Request& request) {
    if (!window_.Visible()) return;
    const AcsAnimation* hiding = request.fast ? nullptr : StateAnimation(u"HIDING", u"Hide");
    if (hiding) return StartAnimation(*hiding, false, true);
    SetVisible(false);
}

void CharacterPlayer::BeginMove(const Request& request) {
    RECT r = window_.Bounds();
    moveFrom_ = {r.left, r.top};
    moveTo_ = {request.x, request.y};
    moveLength_ = Scaled(static_cast<double>(std::max(0L, request.speed)));
    moveStart_ = NowMs();
    if (moveLength_ < kMoveStepMs) {
        window_.MoveTo(moveTo_.x, moveTo_.y);
        if (balloon_.Visible()) balloon_.Show(balloon_.Text(), window_.Bounds());
        Emit(PlayerEvent::Kind::Moved);
        return;
    }
    activity_ = Activity::Move;
    travelling_ = true;
    window_.Schedule(kMoveTimer, kMoveStepMs);
    Direction direction = DirectionOf(moveTo_.x - moveFrom_.x, moveTo_.y - moveFrom_.y);
    const AcsAnimation* moving = window_.Visible() ? StateAnimation(MovingStateName(direction)) : nullptr;
    if (moving) StartAnimation(*moving, false, false);
}

void CharacterPlayer::BeginGesture(const Request& request) {
    RECT r = window_.Bounds();
    long dx = static_cast<long>(request.x) - (r.left + r.right) / 2;
    long dy = static_cast<long>(request.y) - (r.top + r.bottom) / 2;
    const AcsAnimation* gesture = StateAnimation(GesturingStateName(DirectionOf(dx, dy)));
    if (!gesture) return;
    if (PlayPendingReturnFirst(request)) return;
    if (!window_.Visible()) SetVisible(true);
    StartAnimation(*gesture, false, false);
}

void CharacterPlayer::StepMove() {
    double t = std::clamp((NowMs() - moveStart_) / moveLength_, 0.0, 1.0);
    int x = moveFrom_.x + static_cast<int>(std::lround((moveTo_.x - moveFrom_.x) * t));
    int y = moveFrom_.y + static_cast<int>(std::lround((moveTo_.y - moveFrom_.y) * t));
    window_.MoveTo(x, y);
    if (balloon_.Visible()) balloon_.Show(balloon_.Text(), window_.Bounds());
    if (t < 1.0) return window_.Schedule(kMoveTimer, kMoveStepMs);
    Emit(PlayerEvent::Kind::Moved);
    ArriveFromMove();
}

// The moving animation ends the graceful way; the move is over when it (and its return) has.
void CharacterPlayer::ArriveFromMove() {
    travelling_ = false;
    if (cursor_) {
        returnNow_ = true;
        cursor_->RequestExit();
        if (!cursor_->Done()) return; // its exit frames run on; EndAnimation finishes the move
        window_.Cancel(kStepTimer);
        return EndAnimation();
    }
    if (pendingReturn_) {
        const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
        return StartAnimation(*back, true, false);
    }
    activity_ = Activity::None;
    Continue();
}

void CharacterPlayer::BeginSpeech(const Request& request) {
    if (WordEnds(request.text).empty()) return;
    // A pose without a mouth cannot speak: the character's speaking state comes first.
    if (!request.speakingPlayed && (!lastFrame_ || lastFrame_->overlays.empty()) &&
        window_.Visible()) {
        if (const AcsAnimation* speaking = StateAnimation(u"SPEAKING")) {
            Request again = request;
            again.speakingPlayed = true;
            queue_.push_front(std::move(again));
            return StartAnimation(*speaking, false, false);
        }
    }
    speech_ = request.text;
    wordEnds_ = WordEnds(speech_);
    // Without auto-pace the balloon shows the whole text at once.
    wordsShown_ = character_.flags & kAcsFlagBalloonNoAutoPace ? wordEnds_.size() - 1 : 0;
    window_.Cancel(kBalloonTimer);
    activity_ = Activity::Speech;
    StepSpeech();
}

void CharacterPlayer::StepSpeech() {
    size_t from = wordsShown_ == 0 ? 0 : wordEnds_[wordsShown_ - 1];
    ++wordsShown_;
    size_t to = wordEnds_[wordsShown_ - 1];
    std::wstring shown = speech_.substr(0, to);
    balloon_.Show(shown, window_.Bounds());
    Emit(PlayerEvent::Kind::BalloonText, shown);
    bool last = wordsShown_ == wordEnds_.size();
    if (lastFrame_ && !lastFrame_->overlays.empty()) {
        AcsMouth mouth =
            last ? AcsMouth::Closed : kMouthCycle[wordsShown_ % std::size(kMouthCycle)];
        ComposeAndPresent(*lastFrame_, mouth);
    }
    if (last) return EndSpeech();
    std::wstring_view word = std::wstring_view(speech_).substr(from, to - from);
    window_.Schedule(kStepTimer, std::max(1.0, Scaled(WordPaceMs(word))));
}

void CharacterPlayer::EndSpeech() {
    activity_ = Activity::None;
    if (!(character_.flags & kAcsFlagBalloonNoAutoHide))
        window_.Schedule(kBalloonTimer, std::max(1.0, Scaled(kBalloonPauseMs)));
    Continue();
}

void CharacterPlayer::HideBalloon() {
    window_.Cancel(kBalloonTimer);
    if (!balloon_.Visible()) return;
    balloon_.Hide();
    Emit(PlayerEvent::Kind::BalloonHidden);
}

void CharacterPlayer::StartAnimation(const AcsAnimation& animation, bool isReturn, bool hideAtEnd) {
    if (activity_ == Activity::None) activity_ = Activity::Animation;
    cursor_.emplace(animation);
    isReturn_ = isReturn;
    hideAtEnd_ = hideAtEnd;
    lastAnimation_ = Wide(animation.name);
    PlayerEvent event = Event(PlayerEvent::Kind::AnimationStart);
    event.idleLevel = idle_ ? idleLevel_ : 0;
    Report(std::move(event));
    due_ = NowMs();
    RunAnimation();
}

void CharacterPlayer::RunAnimation() {
    for (int step = 0; step < kMaxInstantSteps; ++step) {
        if (cursor_->Done()) return EndAnimation();
        int index = cursor_->Frame();
        const AcsFrame& frame = cursor_->Animation().frames[static_cast<size_t>(index)];
        EnterFrame(frame, index);
        double ms = Scaled(frame.duration * 10.0);
        if (ms > 0) {
            PresentFrame();
            double now = NowMs();
            if (now - due_ > kResyncMs) due_ = now;
            due_ += ms;
            return ScheduleStepAt(due_);
        }
        AdvanceAnimation();
    }
    // A long run of zero-duration frames: show where it stands and let the thread rest.
    PresentFrame();
    resting_ = true;
    due_ = NowMs() + kInstantLoopPauseMs;
    window_.Schedule(kStepTimer, kInstantLoopPauseMs);
}

void CharacterPlayer::AdvanceAnimation() {
    cursor_->Advance(Roll());
    // A looping animation would never let waiting requests run: end it the graceful way.
    if (!queue_.empty() && cursor_->LoopedBack()) cursor_->RequestExit();
}

void CharacterPlayer::EndAnimation() {
    PresentFrame(); // a final frame of no duration is the pose that stays
    const AcsAnimation& ended = cursor_->Animation();
    bool wasIdle = std::exchange(idle_, false);
    cursor_.reset();
    Emit(PlayerEvent::Kind::AnimationEnd);
    if (activity_ == Activity::Animation) activity_ = Activity::None;
    if (wasIdle) lastIdleEnd_ = NowMs();
    if (hideAtEnd_) {
        pendingReturn_ = nullptr;
        SetVisible(false);
    } else if (!isReturn_ && ended.transition == AcsTransition::ReturnAnimation) {
        const AcsAnimation* back = character_.FindAnimation(ended.returnAnimation);
        pendingReturn_ = back != &ended ? back : nullptr;
    }
    // Idle animations and moves leave their pose at once; others when asked (StopAll).
    bool returnNow = std::exchange(returnNow_, false) || wasIdle ||
                     (activity_ == Activity::Move && !travelling_);
    if (returnNow && pendingReturn_) {
        const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
        idle_ = wasIdle;
        return StartAnimation(*back, true, false);
    }
    if (activity_ == Activity::Move && !travelling_) activity_ = Activity::None;
    Continue();
}

void CharacterPlayer::EnterFrame(const AcsFrame& frame, int index) {
    if (frame.images.empty() && frame.duration == 0) return; // never shown
    lastFrame_ = &frame;
    lastFrameIndex_ = index;
    framePending_ = true;
    PlayerEvent event = Event(PlayerEvent::Kind::Frame);
    event.frame = index;
    Report(std::move(event));
    if (frame.sound != kAcsNoSound && frame.sound < character_.sounds.size()) {
        bool played = sound_.Play(character_.sounds[frame.sound].wave);
        Emit(PlayerEvent::Kind::Sound, played ? L"played" : L"skipped");
    }
}

void CharacterPlayer::PresentFrame() {
    if (!std::exchange(framePending_, false) || !lastFrame_) return;
    ComposeAndPresent(*lastFrame_, std::nullopt);
}

void CharacterPlayer::ComposeAndPresent(const AcsFrame& frame, std::optional<AcsMouth> mouth) {
    AcsComposeOptions options;
    options.mouth = mouth;
    options.transparent = ToPixel(window_.Key());
    composer_.Compose(frame, buffer_, options);
    window_.Present(buffer_);
}

void CharacterPlayer::StopAll() {
    queue_.clear();
    window_.Cancel(kBalloonTimer);
    Emit(PlayerEvent::Kind::QueueCleared);
    switch (activity_) {
    case Activity::Animation:
        returnNow_ = true;
        cursor_->RequestExit();
        if (cursor_->Done()) {
            window_.Cancel(kStepTimer);
            EndAnimation();
        }
        return;
    case Activity::Move:
        window_.Cancel(kMoveTimer);
        travelling_ = false;
        if (cursor_) {
            returnNow_ = true;
            cursor_->RequestExit();
            if (!cursor_->Done()) return;
            window_.Cancel(kStepTimer);
            return EndAnimation();
        }
        activity_ = Activity::None;
        break;
    case Activity::Speech:
        window_.Cancel(kStepTimer);
        activity_ = Activity::None;
        HideBalloon();
        break;
    case Activity::None:
        if (pendingReturn_) {
            const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
            return StartAnimation(*back, true, false);
        }
        break;
    }
    Continue();
}

void CharacterPlayer::SetVisible(bool visible) {
    window_.SetVisible(visible);
    if (!visible) {
        HideBalloon();
        window_.Cancel(kIdleTimer);
    }
    quietSince_ = NowMs();
    Emit(visible ? PlayerEvent::Kind::Shown : PlayerEvent::Kind::Hidden);
    UpdateTrayIcon();
}

// One of the state's animations at random; animations the character lacks are passed over,
// and a state with none of its own gives `fallback` (or nothing).
const AcsAnimation* CharacterPlayer::StateAnimation(std::u16string_view state,
                                                    std::u16string_view fallback) {
    std::vector<const AcsAnimation*> choices;
    if (const AcsState* s = state.empty() ? nullptr : character_.FindState(state)) {
        for (const std::u16string& name : s->animations)
            if (const AcsAnimation* a = character_.FindAnimation(name))
                if (!a->frames.empty()) choices.push_back(a);
    }
    if (choices.empty())
        return fallback.empty() ? nullptr : character_.FindAnimation(fallback);
    return choices[rng_() % choices.size()];
}

void CharacterPlayer::ScheduleStepAt(double dueMs) {
    window_.Schedule(kStepTimer, std::max(1.0, dueMs - NowMs()));
}

PlayerEvent CharacterPlayer::Event(PlayerEvent::Kind kind) const {
    PlayerEvent event;
    event.kind = kind;
    event.character = id_;
    event.animation = lastAnimation_;
    return event;
}

void CharacterPlayer::Emit(PlayerEvent::Kind kind, std::wstring text) {
    PlayerEvent event = Event(kind);
    event.text = std::move(text);
    if (kind == PlayerEvent::Kind::Moved) {
        RECT r = window_.Bounds();
        event.x = r.left;
        event.y = r.top;
    }
    Report(std::move(event));
}

} // namespace kv::agent::player
