// Laser particles: the beam spawner, the player's shot, the laser step and hit sparks.
#pragma once

#include <cstdint>
#include <vector>

#include "combat/combat_records.hpp"
#include "world/world_state.hpp"

// Lays out one shot of up to 100 particles from (x, y) along `angle` (radians), into world.lasers.
void spawn_beam(int32_t x, int32_t y, float angle);
// The same shot appended to `out` (an enemy worker's own list, merged in enemy order later).
void spawn_beam_into(std::vector<Laser>& out, int32_t x, int32_t y, float angle);
// Shots start this far from the shoulder along the aim, px.
inline constexpr float muzzle_reach = 33.0f;

// The player's shot for this update.
void player_shot(const ArmInput& arm);
// Clearing-phase worker body: pixels [first, last) become opaque black.
void clear_laser_pixels(RayShooter* range);
// Laser-phase worker body: advances and plots particles [first, last).
void run_ray_shooter(RayShooter* range);
// Ages, plots and removes sparks (main thread, during the enemy phase).
void spark_step();
