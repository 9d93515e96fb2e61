#include "support/laser_reference.hpp"

#include <cmath>
#include <cstdlib>
#include <mutex>

#include "app/settings.hpp"
#include "combat/geometry.hpp"
#include "combat/laser_rules.hpp"

namespace {

std::mutex shared_writes;

enum class Fate { moves, spent };

// One sub-step after the freeze test and ageing: leave the map, walls and
// mirrors, enemies, switches, the player, the exit's pull, then move one pixel.
Fate sub_step(Laser& p, const LaserFrame& f) {
    const int32_t ix = to_int(p.x), iy = to_int(p.y);
    if (ix < 0 || iy < 0 || ix >= f.map_width || iy >= f.map_height) return Fate::spent;
    const size_t cell = cell_index(ix, iy);
    const CellClass c = classify_cell(world.wall_grid[cell]);
    {
        const std::lock_guard<std::mutex> lock(shared_writes);  // switch states may be flipping
        if (blocks_laser(c.kind)) return Fate::spent;
        if (reflects_laser(c.kind)) p.angle = reflect_angle(p.angle, c.theta);
    }
    for (size_t i = 0; i < world.enemies.size(); ++i) {
        const Enemy& e = world.enemies[i];
        if (e.kind == 3 || std::llabs(int64_t{ix} - e.x) > 12 || std::llabs(int64_t{iy} - e.y) > 12) continue;
        const std::lock_guard<std::mutex> lock(shared_writes);
        apply_hit({0, HitKind::enemy, static_cast<int32_t>(i), p.x, p.y, p.angle});
        return Fate::spent;
    }
    bool touched = false;
    for (const Switch& s : world.switches) {
        if (std::llabs(int64_t{ix} - s.x) > 13 || std::llabs(int64_t{iy} - s.y) > 13) continue;
        touched = true;
        const std::lock_guard<std::mutex> lock(shared_writes);
        flip_colours(colour_bit(s.colour) & colours_ready());
    }
    if (touched) return Fate::spent;
    if (hits_player(f, ix, iy)) {
        const std::lock_guard<std::mutex> lock(shared_writes);
        apply_hit({0, HitKind::player, -1, p.x, p.y, p.angle});
        return Fate::spent;
    }
    const float d = exit_distance(p.x, p.y, f.exit_x, f.exit_y);
    if (d < exit_pull_radius && exit_pull(p, d, ix, iy, f.exit_x, f.exit_y)) return Fate::spent;
    p.x += std::cos(p.angle);
    p.y += std::sin(p.angle);
    return Fate::moves;
}

}  // namespace

void run_ray_shooter_reference(RayShooter* range) {
    const LaserFrame f = LaserFrame::current(range->pixels);
    for (int32_t i = range->first; i < range->last; ++i) {
        Laser& p = world.lasers[static_cast<size_t>(i)];
        for (int32_t s = 0; s < f.speed && !p.spent; ++s) {
            if (frozen_off_screen(f, p)) break;
            if (!age(p) || sub_step(p, f) == Fate::spent) p.spent = true;
        }
        plot_world_point(f, p.x, p.y, laser_colour);
    }
}
