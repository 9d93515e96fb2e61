// The one way the simulation learns what the player does: the UpdateInput of
// the current update in game.input. The window fills it from the keyboard and
// mouse through the bindings; replays and tests fill it from data.
#pragma once

#include "game/game_state.hpp"

// Whether action i (an Action: jump, duck, left, right, shoot, shield) is held
// in this update. Out-of-range actions are never held.
inline bool action_held(int i) {
    return i >= 0 && i < action_count && game.input.held[static_cast<size_t>(i)];
}
