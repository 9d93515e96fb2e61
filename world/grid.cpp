#include "world/grid.hpp"

float aim_angle(int32_t tx, int32_t ty, int32_t ox, int32_t oy) {
    if (tx == ox) return ty < oy ? 4.712389f : 1.5707964f;
    const double slope = (static_cast<double>(ty) - oy) / (static_cast<double>(tx) - ox);
    float a = static_cast<float>(std::atan(slope));
    if (tx < ox) a = static_cast<float>(static_cast<double>(a) + pi);
    return a;
}
