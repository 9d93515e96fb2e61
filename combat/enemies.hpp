// The three enemy kinds: update, removal of the dead, and explosions.
#pragma once

#include "combat/combat_records.hpp"

// Enemy-phase worker body: updates enemies [first, last).
void run_enemy_mover(EnemyMover* range);
// Appends the shots enemies fired in the enemy phase to world.lasers in enemy
// order, so the outcome does not depend on how enemies were split over workers.
void flush_enemy_shots();
// Removes every enemy with health <= 0, keeping the order of the rest.
void remove_dead_enemies();
// Advances every explosion one frame and drops those past their last frame
// (once per drawn frame on which the frame-rate gate holds).
void advance_explosions();
