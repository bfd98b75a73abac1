#pragma once
// The states a character plays for a direction: "MOVINGLEFT" ... while its window travels,
// "GESTURINGLEFT" ... while it points somewhere.
//
// Contract: the direction is the one of the larger component of (dx, dy) in screen
// coordinates (y grows downwards); a tie goes to the horizontal one. A zero vector has no
// direction (empty name). Names are upper case, as the files store them.
#include <string_view>

namespace kv::agent::player {

enum class Direction { None, Left, Right, Up, Down };

Direction DirectionOf(long dx, long dy);
std::u16string_view MovingStateName(Direction direction);
std::u16string_view GesturingStateName(Direction direction);

} // namespace kv::agent::player
