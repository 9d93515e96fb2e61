// The small records the parts of combat hand each other: the workers' index
// ranges, the shield's ends, the arm's input for one update, the laser light
// buffer's pixel format and the sparks' deterministic random generator.
#pragma once

#include <cstdint>

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

// What the player's arm does in this update, handed in by the update step.
struct ArmInput {
    float aim = 0;            // radians, from the shoulder towards the pointer
    int32_t duck_offset = 0;  // shoulder below player.y, px
    bool shoot_held = false;
    bool shield_held = false;
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
