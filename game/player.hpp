// The player's body: reading the actions, then moving through the wall grid
// with probe lines just beyond the body.
#pragma once

#include <cstdint>

// Duck, jump and walk from this update's held actions.
void player_input_step();
// Gravity, the side, head, floor and step-up probes, the move itself, then
// pickups and checkpoints at the new position.
void player_move_step();
// Whether the body may not be at grid cell (col, row): a blocking cell, or any
// cell outside the map.
bool body_blocked_at(int64_t col, int64_t row);
