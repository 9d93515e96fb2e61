// Laser particles: the beam spawner, the player's shot, the laser step and hit sparks.
#pragma once

#include <cstdint>

#include "game/game_state.hpp"

// Lays out one shot of up to 100 particles from (x, y) along `angle` (radians).
void spawn_beam(int32_t x, int32_t y, float angle);
// The player's shot for this update (reads game.input).
void player_shot();
// Clearing-phase worker body: pixels [first, last) become opaque black.
void clear_laser_pixels(RayShooter* range);
// Laser-phase worker body: advances and plots particles [first, last).
void run_ray_shooter(RayShooter* range);
// Ages, plots and removes sparks (main thread, during the enemy phase).
void spark_step();
