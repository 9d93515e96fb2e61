#include "combat/geometry.hpp"

#include "world/world_state.hpp"

bool on_screen(int32_t x, int32_t y, int32_t margin) {
    const int64_t sx = int64_t{x} + world.camera_x, sy = int64_t{y} + world.camera_y;
    // The screen actually played: the resolution, or its stand-in when that is unusable.
    return -int64_t{margin} <= sx && sx <= int64_t{world.screen_width} + margin && -int64_t{margin} <= sy &&
           sy <= int64_t{world.screen_height} + margin;
}
