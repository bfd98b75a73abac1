#include "agent/player/logic/DirectionStates.h"

#include <cstdlib>

namespace kv::agent::player {

Direction DirectionOf(long dx, long dy) {
    if (dx == 0 && dy == 0) return Direction::None;
    // Compared as unsigned magnitudes: the most negative long has no positive counterpart.
    unsigned long ax = dx < 0 ? 0UL - static_cast<unsigned long>(dx) : static_cast<unsigned long>(dx);
    unsigned long ay = dy < 0 ? 0UL - static_cast<unsigned long>(dy) : static_cast<unsigned long>(dy);
    if (ax >= ay) return dx < 0 ? Direction::Left : Direction::Right;
    return dy < 0 ? Direction::Up : Direction::Down;
}

std::u16string_view MovingStateName(Direction direction) {
    switch (direction) {
    case Direction::Left:
        return u"MOVINGLEFT";
    case Direction::Right:
        return u"MOVINGRIGHT";
    case Direction::Up:
        return u"MOVINGUP";
    case Direction::Down:
        return u"MOVINGDOWN";
    case Direction::None:
        break;
    }
    return {};
}

std::u16string_view GesturingStateName(Direction direction) {
    switch (direction) {
    case Direction::Left:
        return u"GESTURINGLEFT";
    case Direction::Right:
        return u"GESTURINGRIGHT";
    case Direction::Up:
        return u"GESTURINGUP";
    case Direction::Down:
        return u"GESTURINGDOWN";
    case Direction::None:
        break;
    }
    return {};
}

} // namespace kv::agent::player
