// The state of one play of a map that is not part of the world: the inputs
// of the current update, the laser light buffer, animation counters, the
// shield and the worker range records.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "app/bindings.hpp"

// What the player does during one update, however it is fed (window, replay, test).
struct UpdateInput {
    std::array<bool, action_count> held{};  // by Action
    int32_t mouse_x = 0, mouse_y = 0;       // pointer, window px
    bool f9_pressed = false;                // the frame's last event was an F9 press
};

// A worker's half-open index range in the clearing and laser phases.
struct RayShooter {
    int32_t first = 0;
    int32_t last = 0;
    uint32_t* pixels = nullptr;  // laser_pixels
};

// A worker's half-open index range of enemies.
struct EnemyMover {
    int32_t first = 0;
    int32_t last = 0;
};

struct ShieldEnds {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A pixel of laser_pixels: bytes r, g, b, a in memory order.
inline constexpr uint32_t pack_rgba(uint32_t r, uint32_t g, uint32_t b, uint32_t a) {
    return r | (g << 8) | (b << 16) | (a << 24);
}
inline constexpr uint32_t opaque_black = pack_rgba(0, 0, 0, 255);
inline constexpr uint32_t laser_colour = pack_rgba(255, 0, 255, 255);

// Deterministic stand-in for the C library's rand(): 0..32767, seeded per game,
// so that a replay's sparks come out the same every time.
struct GameRandom {
    uint32_t state = 1;
    int32_t next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int32_t>((state >> 16) & 0x7fff);
    }
};

// Per game: reset by start_game each time a map is played.
struct GameState {
    UpdateInput input;                   // the current update's inputs
    int32_t screen_width = 800;          // laser_pixels size, px (the resolution, or 800 x 600 if unusable)
    int32_t screen_height = 600;
    std::vector<uint32_t> laser_pixels;  // screen_width * screen_height, row-major
    uint32_t frame_time_sum = 0;         // ms gathered for the alternate timer
    int32_t walk_step = 0;               // 0..79, body animation phase
    int32_t arm_step = 0;                // 0..29, arm animation phase
    int32_t duck_offset = 15;            // shoulder below player.y, px
    int32_t shield_timer = 0;            // updates until the shield may rise again
    bool shield_up = false;
    ShieldEnds shield_ends;
    int32_t worker_count = 1;            // workers per phase actually started
    std::vector<RayShooter> ray_shooters;
    std::vector<EnemyMover> enemy_movers;
    GameRandom random;
    int64_t updates = 0;                 // update steps run so far
};

inline GameState game;
