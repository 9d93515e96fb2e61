// The parts of a laser particle's sub-step that the fast laser step and its
// straightforward reference share, so both read the rules the same way:
// what a cell does to a particle, the exit pull, hit sparks and plotting.
#pragma once

#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>

#include "combat/combat_records.hpp"
#include "combat/geometry.hpp"
#include "combat/player_body.hpp"
#include "world/world_state.hpp"

// One bit per switch colour (1 red, 2 green, 3 blue); other colours have none.
inline constexpr uint8_t red_bit = 1, green_bit = 2, blue_bit = 4;
inline uint8_t colour_bit(int32_t colour) {
    return colour >= 1 && colour <= 3 ? static_cast<uint8_t>(1u << (colour - 1)) : 0;
}

// Colours whose switches would flip now (timer run out).
inline uint8_t colours_ready() {
    return static_cast<uint8_t>((world.red_timer <= 0 ? red_bit : 0) | (world.green_timer <= 0 ? green_bit : 0) |
                                (world.blue_timer <= 0 ? blue_bit : 0));
}

// Flips the states of the given colours and starts their 60-update lock-out.
inline void flip_colours(uint8_t colours) {
    if (colours & red_bit) {
        world.red_on = !world.red_on;
        world.red_timer = 60;
    }
    if (colours & green_bit) {
        world.green_on = !world.green_on;
        world.green_timer = 60;
    }
    if (colours & blue_bit) {
        world.blue_on = !world.blue_on;
        world.blue_timer = 60;
    }
}

// What each cell kind does to a particle under one set of switch states, and
// which colour's state decided it (so a later flip of that colour can be
// recognised as changing the particle's path).
struct LaserRules {
    std::array<CellAction, cell_kind_count> action{};
    std::array<uint8_t, cell_kind_count> depends{};

    static LaserRules for_states(bool red_on, bool green_on, bool blue_on) {
        LaserRules r;
        for (size_t k = 0; k < cell_effects.size(); ++k) {
            const CellEffect& e = cell_effects[k];
            r.action[k] = colour_on(e.colour, red_on, green_on, blue_on) ? e.laser : CellAction::pass;
            r.depends[k] = colour_bit(e.colour);
        }
        return r;
    }
    static LaserRules current() { return for_states(world.red_on, world.green_on, world.blue_on); }
};

// Everything a laser step reads that stays fixed for one laser phase.
struct LaserFrame {
    int32_t speed = 0;               // sub-steps per update
    bool freeze_off_screen = false;  // global_lasers 0
    int32_t camera_x = 0, camera_y = 0;
    int32_t screen_width = 0, screen_height = 0;
    uint32_t* pixels = nullptr;  // screen_width * screen_height, or null: nothing is plotted
    int32_t map_width = 0, map_height = 0;
    int32_t player_x = 0, player_y = 0;
    int32_t body_top = laser_hit_top_standing;  // rows above player.y that a hit counts (0 while ducking)
    int32_t exit_x = 0, exit_y = 0;

    // Reads the settings, the camera, the player and the exit as they are now.
    static LaserFrame current(uint32_t* pixels);
};

// A standing player is hit from y - 28 to y + 28, a ducking one from y + 1 to y + 28.
inline bool hits_player(const LaserFrame& f, int32_t ix, int32_t iy) {
    const int64_t px = f.player_x, py = f.player_y;
    return px - laser_hit_half_width <= ix && ix <= px + laser_hit_half_width && py - f.body_top < iy &&
           iy <= py + laser_hit_bottom;
}

// True when global_lasers is 0 and the particle is beyond the screen's edges
// (it then waits there, without ageing, until the camera brings it back).
inline bool frozen_off_screen(const LaserFrame& f, const Laser& p) {
    if (!f.freeze_off_screen) return false;
    const float sx = p.x + static_cast<float>(f.camera_x), sy = p.y + static_cast<float>(f.camera_y);
    return sx < 0 || sx > static_cast<float>(f.screen_width) || sy < 0 || sy > static_cast<float>(f.screen_height);
}

// Lowers a particle's life by one sub-step; false once it has none left.
inline bool age(Laser& p) {
    if (p.life > INT32_MIN) --p.life;
    return p.life >= 0;
}

// Euclidean distance to the exit, px: extended precision, kept as a float.
inline float exit_distance(float x, float y, int32_t exit_x, int32_t exit_y) {
    const long double dx = static_cast<long double>(x) - exit_x;
    const long double dy = static_cast<long double>(y) - exit_y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// Only particles within this many px of the exit feel its pull.
inline constexpr float exit_pull_radius = 150.0f;

// Drifts a particle at distance d (< 150 px) towards the exit, faster the
// closer it is (0.3..1.1 px per sub-step). True when it is swallowed (d < 20).
inline bool exit_pull(Laser& p, float d, int32_t ix, int32_t iy, int32_t exit_x, int32_t exit_y) {
    const double b = aim_angle(exit_x, exit_y, ix, iy);
    const double s = d < 30 ? 1.1 : d < 60 ? 0.9 : d < 90 ? 0.7 : d < 120 ? 0.5 : 0.3;
    p.x = static_cast<float>(p.x + s * std::cos(b));
    p.y = static_cast<float>(p.y + s * std::sin(b));
    return d < 20;
}

enum class HitKind : uint8_t { none, enemy, player };

// A hit of the laser phase, applied after it in particle order.
struct LaserHit {
    int32_t particle = 0;
    HitKind kind = HitKind::none;
    int32_t enemy = -1;             // index into world.enemies for an enemy hit
    float x = 0, y = 0, angle = 0;  // the particle at the moment of the hit
};

// The spark a hit throws back along the particle's path; draws four numbers.
inline Spark hit_spark(HitKind kind, float x, float y, float angle, GameRandom& random) {
    const int32_t r1 = random.next(), r2 = random.next(), r3 = random.next(), r4 = random.next();
    Spark s;
    s.x = x;
    s.y = y;
    const auto bright = [](int32_t r) { return static_cast<uint8_t>(128 + r % 128); };
    s.colour = kind == HitKind::enemy ? Rgba{bright(r3), bright(r2), 0, 255} : Rgba{0, bright(r3), bright(r2), 255};
    s.speed = r1 % 5 + 1;
    s.life = 10;
    s.direction = static_cast<float>(angle + pi + (r4 / 32767.0 - 0.5));
    return s;
}

// Damage, flag, explosion and spark of one hit, in the order the hits happened.
void apply_hit(const LaserHit& h);

// Writes one pixel of a w x h buffer at screen (column, row) if it lies inside.
// Two workers may plot the same pixel (with the same colour): the stores are
// atomic so that is not a data race.
inline void plot_pixel(uint32_t* pixels, int32_t w, int32_t h, int64_t column, int64_t row, uint32_t colour) {
    if (!pixels || column < 0 || row < 0 || column >= w || row >= h) return;
    std::atomic_ref<uint32_t>(pixels[row * w + column]).store(colour, std::memory_order_relaxed);
}

// Plots a point at world (x, y): the row and the visibility test use the
// truncated position, the column the truncation of the shifted float.
inline void plot_world_point(const LaserFrame& f, float x, float y, uint32_t colour) {
    const int64_t sx = int64_t{to_int(x)} + f.camera_x, sy = int64_t{to_int(y)} + f.camera_y;
    if (sx < 0 || sx >= f.screen_width || sy < 0 || sy >= f.screen_height) return;
    plot_pixel(f.pixels, f.screen_width, f.screen_height, to_int(static_cast<double>(x) + f.camera_x), sy, colour);
}
