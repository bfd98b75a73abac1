#include "agent/player/logic/IdleLevels.h"

namespace kv::agent::player {

IdleLevel IdleLevelAfter(double quietMs, const IdleTimings& timings) {
    if (!(quietMs >= timings.firstMs)) return IdleLevel::None; // NaN too
    if (quietMs >= timings.level3Ms) return IdleLevel::Level3;
    if (quietMs >= timings.level2Ms) return IdleLevel::Level2;
    return IdleLevel::Level1;
}

IdleLevel UsableIdleLevel(IdleLevel wanted, const std::array<bool, 3>& has) {
    for (int level = static_cast<int>(wanted); level >= 1; --level)
        if (has[static_cast<size_t>(level - 1)]) return static_cast<IdleLevel>(level);
    return IdleLevel::None;
}

std::u16string_view IdleStateName(IdleLevel level) {
    switch (level) {
    case IdleLevel::Level1:
        return u"IDLINGLEVEL1";
    case IdleLevel::Level2:
        return u"IDLINGLEVEL2";
    case IdleLevel::Level3:
        return u"IDLINGLEVEL3";
    case IdleLevel::None:
        break;
    }
    return {};
}

} // namespace kv::agent::player
