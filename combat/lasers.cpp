#include "combat/lasers.hpp"

#include <algorithm>
#include <cmath>
#include <mutex>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "combat/laser_rules.hpp"

namespace {

// Whether a cell ends a ray while a shot is being laid out: anything that
// would stop or turn a particle, so no particle starts inside a mirror.
bool stops_beam(CellKind k) { return laser_action(k) != CellAction::pass; }

}  // namespace

void spawn_beam_into(std::vector<Laser>& out, int32_t x, int32_t y, float angle) {
    if (!world.has_grid()) return;
    const double across = static_cast<double>(angle) + pi / 2;
    const float px = static_cast<float>(std::cos(across)), py = static_cast<float>(std::sin(across));
    const float dx = std::cos(angle), dy = std::sin(angle);
    // Five parallel rays 1 px apart, each up to 20 points long, starting 1 px ahead.
    for (int k = -2; k <= 2; ++k) {
        float fx = static_cast<float>(x) + static_cast<float>(k) * px;
        float fy = static_cast<float>(y) + static_cast<float>(k) * py;
        for (int j = 1; j <= 20; ++j) {
            fx += dx;
            fy += dy;
            const int32_t cx = to_int(fx), cy = to_int(fy);
            if (!in_grid(cx, cy)) continue;  // off the map: skipped, the ray goes on
            if (stops_beam(world.cell_kinds[cell_index(cx, cy)])) break;
            out.push_back({fx, fy, angle, settings.laser_life_override, false});
        }
    }
}

void spawn_beam(int32_t x, int32_t y, float angle) {
    std::vector<Laser> beam;
    beam.reserve(100);
    spawn_beam_into(beam, x, y, angle);
    const std::lock_guard<std::mutex> lock(laser_mutex);
    world.lasers.insert(world.lasers.end(), beam.begin(), beam.end());
}

void player_shot(const ArmInput& arm) {
    const Player& p = world.player;
    if (!arm.shoot_held || settings.pacifist != 0) return;
    if (p.shot_cooldown > 0 && settings.power_overwhelming == 0) return;
    // Single precision, as the shield: a shot along an axis then starts on
    // whole pixels, and left and right shots are mirror images.
    const float x = static_cast<float>(p.x) + muzzle_reach * std::cos(arm.aim);
    const float y = static_cast<float>(p.y + arm.duck_offset) + muzzle_reach * std::sin(arm.aim);
    spawn_beam(to_int(x), to_int(y), arm.aim);
    world.player.shot_cooldown = settings.laser_cooldown_rate;
}

void clear_laser_pixels(RayShooter* range) {
    if (!range || !range->pixels) return;
    int64_t last = range->last;
    // Never past the end of the buffer, whatever the record says.
    if (range->pixels == combat.laser_pixels.data())
        last = std::min<int64_t>(last, static_cast<int64_t>(combat.laser_pixels.size()));
    const int64_t first = std::max<int64_t>(range->first, 0);
    if (first >= last) return;
    std::fill(range->pixels + first, range->pixels + last, opaque_black);
}

void run_ray_shooter(RayShooter* range) {
    if (!range) return;
    // Only the laser phase's own records are stepped; anything else is no range of this phase.
    if (!combat.laser_phase.active()) return;
    const auto& records = combat.ray_shooters;
    if (!records.empty() && range >= records.data() && range < records.data() + records.size())
        combat.laser_phase.run(range->first, range->last, static_cast<size_t>(range - records.data()));
}

void spark_step() {
    const LaserFrame f = LaserFrame::current(combat.laser_pixels.data());
    for (auto it = world.sparks.begin(); it != world.sparks.end();) {
        Spark& s = *it;
        const int64_t sx = int64_t{to_int(s.x)} + f.camera_x, sy = int64_t{to_int(s.y)} + f.camera_y;
        if (s.life < 1 || sx < 0 || sx >= f.screen_width || sy < 0 || sy >= f.screen_height) {
            it = world.sparks.erase(it);
            continue;
        }
        const Rgba c = s.colour;
        plot_world_point(f, s.x, s.y, pack_rgba(c.r, c.g, c.b, c.a));
        s.x += std::cos(s.direction) * static_cast<float>(s.speed);
        s.y += std::sin(s.direction) * static_cast<float>(s.speed);
        --s.life;
        ++it;
    }
}
