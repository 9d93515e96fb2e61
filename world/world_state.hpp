// The world of the running map: one set of globals that every game-side
// system names directly. Positions are world pixels, x right, y down.
#pragma once

#include <cstdint>
#include <list>
#include <mutex>
#include <vector>

#include "world/cell_kind.hpp"
#include "world/map_vocabulary.hpp"

// A wall segment of the map text; the grid holds its stroke.
struct Segment {
    int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // end points, px
    int32_t type = segment_wall;             // a SegmentType; any other value erases
};

struct Switch {
    int32_t x = 0, y = 0;         // centre, px
    int32_t colour = switch_red;  // a SwitchColour
};

struct Enemy {
    int32_t x = 0, y = 0;        // truncation of fx, fy
    int32_t kind = enemy_basic;  // an EnemyKind
    int32_t health = 0;
    int32_t cooldown = 0;    // updates until it may fire again
    float fx = 0, fy = 0;    // exact position, px
    float angle = 0;         // heading, degrees (0 = +x, growing towards +y); never wrapped
    bool hit_flash = false;  // hurt since last drawn
};

struct Pickup {
    int32_t x = 0, y = 0;
    int32_t kind = pickup_medkit;  // a PickupKind; another value is taken with no effect
    bool taken = false;
};

struct Checkpoint {
    int32_t x = 0, y = 0;
};

// One particle of a shot.
struct Laser {
    float x = 0, y = 0;  // px
    float angle = 0;     // direction of travel, radians
    int32_t life = 0;    // one-pixel sub-steps left
    bool spent = false;  // to be removed after the laser phase
};

struct Explosion {
    int32_t x = 0, y = 0;
    int32_t frame = 0;  // animation step, 0..24
};

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct Spark {
    float x = 0, y = 0;
    float direction = 0;  // radians
    Rgba colour;
    int32_t life = 0;   // updates left
    int32_t speed = 0;  // px per update
};

// The player's simulated state; its images and sprites live on the drawing side.
struct Player {
    int32_t x = 0, y = 0;  // centre, middle of the standing body (feet on row y + 32)
    int32_t health = 300;
    int32_t lives = 2;  // deaths that can still be survived
    int32_t respawn_x = 0, respawn_y = 0;
    int32_t jump_timer = 0;  // updates of upward push left
    float fx = 0, fy = 0;    // exact position
    float vx = 0, vy = 0;    // px per update; positive vy is up
    bool airborne = true;
    bool ducking = true;
    bool powered = false;       // shield usable, powered arm
    bool hit_flash = false;     // hurt since last drawn
    int32_t shot_cooldown = 0;  // updates until the next shot
};

// Wall codes written into the grid.
inline constexpr float code_empty = -3000.0f;
inline constexpr float code_wall = -1500.0f;
inline constexpr float code_red_gate = -1000.0f;
inline constexpr float code_green_gate = -2000.0f;
inline constexpr float code_blue_mirror_base = 1000.0f;    // + angle
inline constexpr float code_shield_mirror_base = 2000.0f;  // + angle

// The running map. Per map load: load_map resets all of it except `sparks`,
// which die out on their own; the game releases the grid when it ends.
struct World {
    int32_t map_width = 5000, map_height = 5000;  // px = grid cells

    // One wall code per pixel, row-major (y * map_width + x); empty when no map is loaded.
    std::vector<float> wall_grid;
    // classify_cell(wall_grid[i]).kind for every cell, kept in step by write_cell.
    std::vector<CellKind> cell_kinds;

    std::vector<Segment> segments;
    std::vector<Switch> switches;
    bool red_on = true, green_on = true, blue_on = true;
    int32_t red_timer = 0, green_timer = 0, blue_timer = 0;  // re-toggle lock-out, updates

    std::vector<Enemy> enemies;
    std::vector<Pickup> pickups;
    std::vector<Checkpoint> checkpoints;
    size_t last_checkpoint = 0;  // index of the checkpoint touched last; == size(): none

    int32_t exit_x = 0, exit_y = 0;  // exit centre
    float exit_spin = 0;             // exit sprite rotation, degrees

    Player player;
    int32_t camera_x = 0, camera_y = 0;  // screen = world + camera
    // The screen the camera shows, px: the resolution, or 800 x 600 when it is unusable.
    int32_t screen_width = 800, screen_height = 600;

    std::vector<Laser> lasers;
    std::list<Explosion> explosions;
    std::list<Spark> sparks;

    bool has_grid() const { return !wall_grid.empty(); }
    // Frees the grid and its kind map (game end, failed load).
    void release_grid();
};

inline World world;

// Program-wide: held by every append to world.lasers, the player's shot and the
// merge of the enemies' shots after their phase. Both run on the main thread
// between worker phases (enemy workers queue their shots in combat's
// pending_shots instead), so it is never contended today; it keeps a future
// append from a worker from racing them.
inline std::mutex laser_mutex;
