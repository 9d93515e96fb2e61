// What the lasers, enemies, workers and shield keep for one play of a map:
// the laser light buffer, the worker range records, the shield, the
// deterministic random generator of the sparks, and the bookkeeping of the
// update's laser and enemy phases.
#pragma once

#include <cstdint>
#include <vector>

#include "combat/combat_records.hpp"
#include "combat/enemy_shots.hpp"
#include "combat/laser_phase.hpp"

// Per game: reset by start_game each time a map is played.
struct CombatState {
    std::vector<uint32_t> laser_pixels;  // world.screen_width * world.screen_height, row-major
    int32_t worker_count = 1;            // workers per phase actually started
    std::vector<RayShooter> ray_shooters;
    std::vector<EnemyMover> enemy_movers;
    int32_t shield_timer = 0;  // updates until the shield may rise again
    bool shield_up = false;
    ShieldEnds shield_ends;
    GameRandom random;
    // Per update: rebuilt by every laser phase; run_ray_shooter reports into it while active.
    LaserPhase laser_phase;
    // Per update: the enemy workers' shots, flushed into world.lasers when the enemy phase ends.
    PendingShots pending_shots;
};

inline CombatState combat;
