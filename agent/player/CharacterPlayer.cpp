#include "agent/player/CharacterPlayer.h"

#include "agent/player/PlayerHooks.h"

#include <algorithm>
#include <cmath>

namespace kv::agent::player {
namespace {

constexpr UINT_PTR kStepTimer = 1;
constexpr UINT_PTR kBalloonTimer = 2;
constexpr double kMoveStepMs = 15;
constexpr double kWordMs = 200;          // pace of the words in the balloon
constexpr double kBalloonPauseMs = 5000; // the balloon stays this long after the last word
constexpr double kResyncMs = 250;        // later than this (a drag, a busy thread): resync
constexpr int kMaxFrameSide = 2048;

const AcsMouth kMouthCycle[] = {AcsMouth::Medium, AcsMouth::WideOpen2, AcsMouth::Narrow,
                                AcsMouth::WideOpen1, AcsMouth::Closed};

std::wstring Wide(std::u16string_view s) {
    return std::wstring(s.begin(), s.end());
}

std::vector<size_t> WordEnds(const std::wstring& text) {
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size(); ++i) {
        bool blank = text[i] == L' ' || text[i] == L'\t' || text[i] == L'\r' || text[i] == L'\n';
        bool nextBlank = i + 1 == text.size() || text[i + 1] == L' ' || text[i + 1] == L'\t' ||
                         text[i + 1] == L'\r' || text[i + 1] == L'\n';
        if (!blank && nextBlank) ends.push_back(i + 1);
    }
    return ends;
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
      window_(character_.width, character_.height, key), balloon_(balloonStyle_), rng_(Seed()) {
    window_.SetSink([this](UINT_PTR timer) { OnTimer(timer); });
    RegisterWindows(id_, this, {window_.Handle(), balloon_.Handle()});
}

CharacterPlayer::~CharacterPlayer() {
    UnregisterWindows(this);
    window_.SetSink(nullptr);
    sound_.Stop(); // before the wave bytes go
}

const AcsAnimation* CharacterPlayer::Find(const std::wstring& name) const {
    return character_.FindAnimation(std::u16string(name.begin(), name.end()));
}

void CharacterPlayer::Enqueue(Request request) {
    queue_.push_back(std::move(request));
    Continue();
}

void CharacterPlayer::Continue() {
    if (activity_ == Activity::None && !queue_.empty()) window_.Schedule(kStepTimer, 0);
}

void CharacterPlayer::OnTimer(UINT_PTR id) {
    if (id == kMovedNotice) {
        if (balloon_.Visible()) balloon_.Show(balloon_.Text(), window_.Bounds());
        Emit(PlayerEvent::Kind::Moved);
        return;
    }
    if (id == kBalloonTimer) return HideBalloon();
    switch (activity_) {
    case Activity::None:
        return BeginNext();
    case Activity::Animation:
        AdvanceAnimation();
        return RunAnimation();
    case Activity::Move:
        return StepMove();
    case Activity::Speech:
        return StepSpeech();
    }
}

void CharacterPlayer::BeginNext() {
    // Requests that finish at once (a Show while visible, a move without speed) run in a row.
    while (activity_ == Activity::None && !queue_.empty()) {
        Request next = std::move(queue_.front());
        queue_.pop_front();
        Begin(std::move(next));
    }
}

void CharacterPlayer::Begin(Request request) {
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
    window_.Schedule(kStepTimer, kMoveStepMs);
}

void CharacterPlayer::StepMove() {
    double t = std::clamp((NowMs() - moveStart_) / moveLength_, 0.0, 1.0);
    int x = moveFrom_.x + static_cast<int>(std::lround((moveTo_.x - moveFrom_.x) * t));
    int y = moveFrom_.y + static_cast<int>(std::lround((moveTo_.y - moveFrom_.y) * t));
    window_.MoveTo(x, y);
    if (balloon_.Visible()) balloon_.Show(balloon_.Text(), window_.Bounds());
    if (t < 1.0) return window_.Schedule(kStepTimer, kMoveStepMs);
    Emit(PlayerEvent::Kind::Moved);
    activity_ = Activity::None;
    Continue();
}

void CharacterPlayer::BeginSpeech(const Request& request) {
    speech_ = request.text;
    wordEnds_ = WordEnds(speech_);
    wordsShown_ = 0;
    if (wordEnds_.empty()) return;
    window_.Cancel(kBalloonTimer);
    activity_ = Activity::Speech;
    StepSpeech();
}

void CharacterPlayer::StepSpeech() {
    ++wordsShown_;
    std::wstring shown = speech_.substr(0, wordEnds_[wordsShown_ - 1]);
    balloon_.Show(shown, window_.Bounds());
    Emit(PlayerEvent::Kind::BalloonText, shown);
    bool last = wordsShown_ == wordEnds_.size();
    if (lastFrame_ && !lastFrame_->overlays.empty()) {
        AcsMouth mouth =
            last ? AcsMouth::Closed : kMouthCycle[wordsShown_ % std::size(kMouthCycle)];
        ShowFrame(*lastFrame_, lastFrameIndex_, mouth);
    }
    if (!last) return window_.Schedule(kStepTimer, std::max(1.0, Scaled(kWordMs)));
    EndSpeech();
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
    activity_ = Activity::Animation;
    cursor_.emplace(animation);
    isReturn_ = isReturn;
    hideAtEnd_ = hideAtEnd;
    lastAnimation_ = Wide(animation.name);
    Emit(PlayerEvent::Kind::AnimationStart);
    due_ = NowMs();
    RunAnimation();
}

void CharacterPlayer::RunAnimation() {
    for (int step = 0; step < kMaxInstantSteps; ++step) {
        if (cursor_->Done()) return EndAnimation();
        int index = cursor_->Frame();
        const AcsFrame& frame = cursor_->Animation().frames[static_cast<size_t>(index)];
        ShowFrame(frame, index);
        double ms = Scaled(frame.duration * 10.0);
        if (ms > 0) {
            double now = NowMs();
            if (now - due_ > kResyncMs) due_ = now;
            due_ += ms;
            return ScheduleStepAt(due_);
        }
        AdvanceAnimation();
    }
    // A long run of zero-duration frames: let the message loop breathe.
    due_ = NowMs();
    window_.Schedule(kStepTimer, 1);
}

void CharacterPlayer::AdvanceAnimation() {
    cursor_->Advance(Roll());
    // A looping animation would never let waiting requests run: end it the graceful way.
    if (!queue_.empty() && cursor_->LoopedBack()) cursor_->RequestExit();
}

void CharacterPlayer::EndAnimation() {
    const AcsAnimation& ended = cursor_->Animation();
    cursor_.reset();
    activity_ = Activity::None;
    Emit(PlayerEvent::Kind::AnimationEnd);
    if (hideAtEnd_) {
        pendingReturn_ = nullptr;
        SetVisible(false);
    } else if (!isReturn_ && ended.transition == AcsTransition::ReturnAnimation) {
        const AcsAnimation* back = character_.FindAnimation(ended.returnAnimation);
        pendingReturn_ = back != &ended ? back : nullptr;
    }
    if (std::exchange(returnNow_, false) && pendingReturn_) {
        const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
        return StartAnimation(*back, true, false);
    }
    Continue();
}

void CharacterPlayer::ShowFrame(const AcsFrame& frame, int index, std::optional<AcsMouth> mouth) {
    if (frame.images.empty() && frame.duration == 0) return; // never shown
    AcsComposeOptions options;
    options.mouth = mouth;
    options.transparent = ToPixel(window_.Key());
    composer_.Compose(frame, buffer_, options);
    window_.Present(buffer_);
    lastFrame_ = &frame;
    lastFrameIndex_ = index;
    if (mouth) return;
    PlayerEvent event = Event(PlayerEvent::Kind::Frame);
    event.frame = index;
    Report(std::move(event));
    if (frame.sound != kAcsNoSound && frame.sound < character_.sounds.size()) {
        bool played = sound_.Play(character_.sounds[frame.sound].wave);
        Emit(PlayerEvent::Kind::Sound, played ? L"played" : L"skipped");
    }
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
    case Activity::Speech:
        window_.Cancel(kStepTimer);
        activity_ = Activity::None;
        HideBalloon();
        break;
    case Activity::None:
        if (pendingReturn_) {
            const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
            StartAnimation(*back, true, false);
        }
        break;
    }
}

void CharacterPlayer::SetVisible(bool visible) {
    window_.SetVisible(visible);
    if (!visible) HideBalloon();
    Emit(visible ? PlayerEvent::Kind::Shown : PlayerEvent::Kind::Hidden);
}

const AcsAnimation* CharacterPlayer::StateAnimation(const char16_t* state,
                                                    const char16_t* fallback) {
    std::vector<const AcsAnimation*> choices;
    if (const AcsState* s = character_.FindState(state)) {
        for (const std::u16string& name : s->animations)
            if (const AcsAnimation* a = character_.FindAnimation(name)) choices.push_back(a);
    }
    if (choices.empty()) return character_.FindAnimation(std::u16string_view(fallback));
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
