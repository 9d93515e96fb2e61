#include "combat/geometry.hpp"

#include "world/world_state.hpp"

float aim_angle(int32_t tx, int32_t ty, int32_t ox, int32_t oy) {
    if (tx == ox) return ty < oy ? 4.712389f : 1.5707964f;
    const double slope = (static_cast<double>(ty) - oy) / (static_cast<double>(tx) - ox);
    float a = static_cast<float>(std::atan(slope));
    if (tx < ox) a = static_cast<float>(static_cast<double>(a) + pi);
    return a;
}

bool on_screen(int32_t x, int32_t y, int32_t margin) {
    const int64_t sx = int64_t{x} + world.camera_x, sy = int64_t{y} + world.camera_y;
    // The screen actually played: the resolution, or its stand-in when that is unusable.
    return -int64_t{margin} <= sx && sx <= int64_t{world.screen_width} + margin && -int64_t{margin} <= sy &&
           sy <= int64_t{world.screen_height} + margin;
}
