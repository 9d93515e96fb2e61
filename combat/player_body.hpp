// The player's body as each rule sees it, px from its centre (player.x,
// player.y). The rules were tuned apart and their boxes differ by a pixel or
// two on purpose; each has its own name so none is mistaken for another.
#pragma once

#include <cstdint>

// A laser particle hits the player at |dx| <= 13 and, standing, rows y - 28 .. y + 28;
// ducking, rows y + 1 .. y + 28. The top is exclusive: rows above y - top miss.
inline constexpr int32_t laser_hit_half_width = 13;
inline constexpr int32_t laser_hit_top_standing = 29;
inline constexpr int32_t laser_hit_bottom = 28;

// A smart enemy's sight line finds the player at |dx| <= 13 and, standing, rows
// y - 29 .. y + 29; ducking, rows y + 1 .. y + 29 (top exclusive, as above).
inline constexpr int32_t sight_half_width = 13;
inline constexpr int32_t sight_top_standing = 30;
inline constexpr int32_t sight_bottom = 29;

// A basic enemy touches the player when its centre is within 27 px across and
// between sight's top less 13 px and y + 43 down.
inline constexpr int32_t contact_half_width = 27;
inline constexpr int32_t contact_reach_above = 13;
inline constexpr int32_t contact_bottom = 43;
