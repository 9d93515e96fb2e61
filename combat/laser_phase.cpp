#include "combat/laser_phase.hpp"

#include <algorithm>
#include <cmath>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"

LaserFrame LaserFrame::current(uint32_t* pixels) {
    LaserFrame f;
    f.speed = settings.laser_speed;
    f.freeze_off_screen = settings.global_lasers == 0;
    f.camera_x = world.camera_x;
    f.camera_y = world.camera_y;
    f.screen_width = std::max(world.screen_width, 0);
    f.screen_height = std::max(world.screen_height, 0);
    const bool fits =
        pixels == combat.laser_pixels.data() &&
        combat.laser_pixels.size() >= static_cast<size_t>(f.screen_width) * static_cast<size_t>(f.screen_height);
    f.pixels = fits ? pixels : nullptr;
    // Without a whole grid every particle counts as off the map.
    const size_t cells =
        static_cast<size_t>(std::max(world.map_width, 0)) * static_cast<size_t>(std::max(world.map_height, 0));
    const bool grid = world.wall_grid.size() >= cells && world.cell_kinds.size() >= cells && cells > 0;
    f.map_width = grid ? world.map_width : 0;
    f.map_height = grid ? world.map_height : 0;
    f.player_x = world.player.x;
    f.player_y = world.player.y;
    f.body_top = world.player.ducking ? 0 : laser_hit_top_standing;
    f.exit_x = world.exit_x;
    f.exit_y = world.exit_y;
    return f;
}

void apply_hit(const LaserHit& h) {
    if (h.kind == HitKind::enemy) {
        Enemy& e = world.enemies[static_cast<size_t>(h.enemy)];
        if (e.health > INT32_MIN) --e.health;
        if (e.health <= 0)
            world.explosions.push_back({e.x, e.y, 0});
        else
            e.hit_flash = true;
    } else {
        if (world.player.health > INT32_MIN) --world.player.health;
        world.player.hit_flash = true;
    }
    world.sparks.push_back(hit_spark(h.kind, h.x, h.y, h.angle, combat.random));
}

ParticleOutcome LaserPhase::step(Laser& p, const LaserRules& rules, Heading& heading) const {
    ParticleOutcome out;
    if (p.spent) return out;
    uint8_t reads = 0;
    const CellKind* kinds = world.cell_kinds.data();
    const size_t width = static_cast<size_t>(frame_.map_width);
    // The direction only changes at a mirror, so its sine and cosine are kept.
    heading.aim(p.angle);
    float dx = heading.dx, dy = heading.dy;
    for (int32_t s = 0; s < frame_.speed; ++s) {
        if (frozen_off_screen(frame_, p)) break;
        if (!age(p)) {
            p.spent = true;
            break;
        }
        const int32_t ix = to_int(p.x), iy = to_int(p.y);
        if (ix < 0 || iy < 0 || ix >= frame_.map_width || iy >= frame_.map_height) {
            p.spent = true;
            break;
        }

        const size_t cell = static_cast<size_t>(iy) * width + static_cast<size_t>(ix);
        const size_t kind = static_cast<size_t>(kinds[cell]);
        reads = static_cast<uint8_t>(reads | rules.depends[kind]);
        const CellAction action = rules.action[kind];
        if (action == CellAction::spend) {
            p.spent = true;
            break;
        }
        if (action == CellAction::reflect) {
            p.angle = reflect_angle(p.angle, classify_cell(world.wall_grid[cell]).theta);
            heading.aim(p.angle);
            dx = heading.dx;
            dy = heading.dy;
        }

        const uint8_t near = targets_.flags(ix, iy);
        if (near & LaserTargets::has_enemies) {
            const int32_t e = targets_.enemy_at(ix, iy);
            if (e >= 0) {
                out = {HitKind::enemy, e, p.x, p.y, p.angle, 0, 0};
                p.spent = true;
                break;
            }
        }
        if ((near & LaserTargets::has_switches) && targets_.switches_at(ix, iy, out.touched)) {
            p.spent = true;
            break;
        }
        if (hits_player(frame_, ix, iy)) {
            out = {HitKind::player, -1, p.x, p.y, p.angle, 0, 0};
            p.spent = true;
            break;
        }
        if (near & LaserTargets::near_exit) {
            // Squared distance first; the exact distance only inside the pull disc.
            const double ex = static_cast<double>(p.x) - frame_.exit_x, ey = static_cast<double>(p.y) - frame_.exit_y;
            if (ex * ex + ey * ey < 151.0 * 151.0) {
                const float d = exit_distance(p.x, p.y, frame_.exit_x, frame_.exit_y);
                if (d < exit_pull_radius && exit_pull(p, d, ix, iy, frame_.exit_x, frame_.exit_y)) {
                    p.spent = true;
                    break;
                }
            }
        }
        p.x += dx;
        p.y += dy;
    }
    out.reads = reads;
    return out;
}

void LaserPhase::prepare(uint32_t* pixels) {
    frame_ = LaserFrame::current(pixels);
    rules_ = LaserRules::current();
    ready_ = colours_ready();
    targets_.build();
    resteps_ = 0;
}

void LaserPhase::begin(int32_t workers, uint32_t* pixels) {
    prepare(pixels);
    logs_.resize(static_cast<size_t>(std::max(workers, 1)));
    for (WorkerLog& log : logs_) {
        log.hits.clear();
        log.records.clear();
        log.any_flip = false;
    }
    active_ = true;
}

// Asks for the cache line of a particle's cell ahead of time: the step is
// bound by these loads, the map's kinds being far larger than the caches.
void LaserPhase::prefetch_cell(const Laser& p) const {
    const int32_t ix = to_int(p.x), iy = to_int(p.y);
    if (ix < 0 || iy < 0 || ix >= frame_.map_width || iy >= frame_.map_height) return;
    __builtin_prefetch(world.cell_kinds.data() + static_cast<size_t>(iy) * static_cast<size_t>(frame_.map_width) +
                       static_cast<size_t>(ix));
}

void LaserPhase::run(int32_t first, int32_t last, size_t slot) {
    constexpr int32_t prefetch_ahead = 16;  // particles
    WorkerLog& log = logs_[slot];
    std::vector<Laser>& lasers = world.lasers;
    last = std::min(last, static_cast<int32_t>(lasers.size()));
    Heading heading;
    heading.aim(0.0f);
    for (int32_t i = std::max(first, 0); i < last; ++i) {
        if (i + prefetch_ahead < last) prefetch_cell(lasers[static_cast<size_t>(i + prefetch_ahead)]);
        Laser& p = lasers[static_cast<size_t>(i)];
        const Laser before = p;
        const ParticleOutcome o = step(p, rules_, heading);
        const bool would_flip = (o.touched & ready_) != 0;
        if (o.reads || would_flip) log.records.push_back({i, o.reads, would_flip, before});
        log.any_flip = log.any_flip || would_flip;
        if (o.hit != HitKind::none) log.hits.push_back({i, o.hit, o.enemy, o.hit_x, o.hit_y, o.hit_angle});
        plot_world_point(frame_, p.x, p.y, laser_colour);
    }
}

void LaserPhase::finish() {
    active_ = false;
    const bool any_flip = std::any_of(logs_.begin(), logs_.end(), [](const WorkerLog& l) { return l.any_flip; });
    if (!any_flip) {
        for (const WorkerLog& log : logs_)
            for (const LaserHit& h : log.hits) apply_hit(h);
        return;
    }
    // Worker ranges are contiguous and in order, so going through the logs
    // slot by slot visits the particles in index order.
    uint8_t flipped = 0;
    LaserRules rules = rules_;
    uint8_t ready = ready_;
    bool moved_elsewhere = false;  // a re-step ended somewhere its first plot did not
    for (const WorkerLog& log : logs_) {
        size_t next_hit = 0;
        for (const Record& r : log.records) {
            while (next_hit < log.hits.size() && log.hits[next_hit].particle < r.particle)
                apply_hit(log.hits[next_hit++]);
            if (!r.would_flip && !(r.reads & flipped)) continue;  // its path stands; its hit comes in turn
            if (next_hit < log.hits.size() && log.hits[next_hit].particle == r.particle) ++next_hit;
            Laser& p = world.lasers[static_cast<size_t>(r.particle)];
            const Laser first_try = p;
            p = r.before;
            const ParticleOutcome o = step(p, rules);
            ++resteps_;
            moved_elsewhere = moved_elsewhere || p.x != first_try.x || p.y != first_try.y;
            const uint8_t flips = o.touched & ready;
            if (flips) {
                flip_colours(flips);
                ready = static_cast<uint8_t>(ready & ~flips);
                flipped = static_cast<uint8_t>(flipped | flips);
                rules = LaserRules::current();
            }
            if (o.hit != HitKind::none) apply_hit({r.particle, o.hit, o.enemy, o.hit_x, o.hit_y, o.hit_angle});
        }
        while (next_hit < log.hits.size()) apply_hit(log.hits[next_hit++]);
    }
    if (moved_elsewhere) replot_all();
}

void LaserPhase::replot_all() const {
    if (!frame_.pixels) return;
    std::fill_n(frame_.pixels, static_cast<size_t>(frame_.screen_width) * static_cast<size_t>(frame_.screen_height),
                opaque_black);
    for (const Laser& p : world.lasers) plot_world_point(frame_, p.x, p.y, laser_colour);
}
