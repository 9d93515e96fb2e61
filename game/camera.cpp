#include "game/camera.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/settings.hpp"
#include "game/game_state.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int64_t camera_speed = 3;  // px per update, as fast as the player walks

// The screen the game shows (the resolution, or its stand-in when unusable).
int64_t screen_w() { return world.screen_width; }
int64_t screen_h() { return world.screen_height; }

// The dead-zone divisor; a value below 1 (not corrected yet) acts as 1.
int64_t scroll_divisor() { return std::max(settings.screen_scroll_distance, 1); }

// One axis: creep so the player's screen position (camera + player) heads into
// [half - zone, half + zone], then clamp to the map.
// Sums are 64-bit: a start position far outside the map must not overflow.
int32_t follow_axis(int64_t camera, int64_t player, int64_t screen, int64_t map_size) {
    const int64_t half = screen / 2, zone = half / scroll_divisor();
    if (camera + player < half - zone) camera += camera_speed;
    if (camera + player > half + zone) camera -= camera_speed;
    if (camera - screen < -map_size) camera = screen - map_size;
    if (camera > 0) camera = 0;
    return saturated(camera);
}

}  // namespace

void camera_step() {
    world.camera_x = follow_axis(world.camera_x, world.player.x, screen_w(), world.map_width);
    world.camera_y = follow_axis(world.camera_y, world.player.y, screen_h(), world.map_height);
}

void centre_camera() {
    world.camera_x = saturated(screen_w() / 2 - world.player.x);
    world.camera_y = saturated(screen_h() / 2 - world.player.y);
}
