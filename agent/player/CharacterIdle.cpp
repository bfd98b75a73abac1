// CharacterPlayer between requests: idling, and the character's menus and tray icon.
#include "agent/player/CharacterPlayer.h"

#include "agent/player/PlayerHooks.h"

namespace kv::agent::player {

void CharacterPlayer::SetIdleOn(bool on) {
    idleOn_ = on;
    if (!on) {
        window_.Cancel(kIdleTimer);
        InterruptIdle();
    }
    Continue();
}

// A request (or IdleOn false) ends the idle animation the graceful way: through its exit
// branches, or at once, followed by its return animation (EndAnimation). A return animation
// already under way is short and plays out.
void CharacterPlayer::InterruptIdle() {
    if (!cursor_ || !idle_ || isReturn_) return;
    returnNow_ = true;
    cursor_->RequestExit();
    if (!cursor_->Done()) {
        // Resting after a run of zero-duration frames: the exit need not wait for the rest.
        if (resting_) window_.Schedule(kStepTimer, 1);
        return;
    }
    window_.Cancel(kStepTimer);
    EndAnimation();
}

IdleLevel CharacterPlayer::AvailableIdleLevel(IdleLevel wanted) const {
    std::array<bool, 3> has{};
    for (int level = 1; level <= 3; ++level) {
        const AcsState* state = character_.FindState(IdleStateName(static_cast<IdleLevel>(level)));
        if (!state) continue;
        for (const std::u16string& name : state->animations) {
            const AcsAnimation* a = character_.FindAnimation(name);
            if (a && !a->frames.empty()) has[static_cast<size_t>(level - 1)] = true;
        }
    }
    return UsableIdleLevel(wanted, has);
}

// Arms the idle timer for when the next idle animation may start; a character that cannot
// idle (hidden, IdleOn false, no idle state) arms nothing.
void CharacterPlayer::ScheduleIdle() {
    if (!idleOn_ || !window_.Visible() || AvailableIdleLevel(IdleLevel::Level3) == IdleLevel::None)
        return window_.Cancel(kIdleTimer);
    double due = std::max(quietSince_ + IdleScaled(kIdleTimings.firstMs),
                          lastIdleEnd_ + IdleScaled(kIdleTimings.gapMs));
    window_.Schedule(kIdleTimer, std::max(1.0, due - NowMs()));
}

void CharacterPlayer::StartIdle() {
    if (activity_ != Activity::None || !queue_.empty() || !idleOn_ || !window_.Visible()) return;
    double quiet = NowMs() - quietSince_;
    IdleTimings scaled = {IdleScaled(kIdleTimings.firstMs), IdleScaled(kIdleTimings.level2Ms),
                          IdleScaled(kIdleTimings.level3Ms), 0};
    IdleLevel level = AvailableIdleLevel(IdleLevelAfter(quiet, scaled));
    const AcsAnimation* animation =
        level == IdleLevel::None ? nullptr : StateAnimation(IdleStateName(level));
    if (!animation) return ScheduleIdle(); // too early for the first level: wait on
    if (pendingReturn_) { // a pose held since the last request is left first
        const AcsAnimation* back = std::exchange(pendingReturn_, nullptr);
        return StartAnimation(*back, true, false);
    }
    idle_ = true;
    idleLevel_ = static_cast<int>(level);
    StartAnimation(*animation, false, false);
}

void CharacterPlayer::ShowMenu(PlayerMenuKind kind) {
    std::weak_ptr<int> alive = alive_;
    UINT command = TrackPlayerMenu(window_.Handle(), kind, window_.Visible());
    if (alive.expired()) return; // unloaded while the menu was open
    Request request;
    request.kind = command == kPlayerCommandShow ? Request::Kind::Show : Request::Kind::Hide;
    if (command == kPlayerCommandShow || command == kPlayerCommandHide) Enqueue(std::move(request));
}

void CharacterPlayer::ReportMenu() {
    HMENU menu = window_.OpenMenu();
    std::wstring items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 127, MF_BYPOSITION);
        items += (i ? L"|" : L"") + std::wstring(text);
    }
    Emit(PlayerEvent::Kind::MenuOpened, items);
}

void CharacterPlayer::UpdateTrayIcon() {
    if (!CurrentPlayerTuning().shellTray || window_.Visible() == tray_.Shown()) return;
    if (!window_.Visible()) {
        tray_.Remove();
        return Emit(PlayerEvent::Kind::TrayIcon, L"removed");
    }
    Emit(PlayerEvent::Kind::TrayIcon, tray_.Add(window_.Handle()) ? L"added" : L"refused");
}

} // namespace kv::agent::player
