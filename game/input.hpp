// The one way the simulation learns what the player does: the UpdateInput of
// the current update in game.input. The window fills it from the keyboard and
// mouse through the bindings; replays and tests fill it from data.
#pragma once

#include <algorithm>
#include <cstdint>

#include "combat/combat_records.hpp"
#include "game/game_state.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

// Whether action i (an Action: jump, duck, left, right, shoot, shield) is held
// in this update. Out-of-range actions are never held.
inline bool action_held(int i) { return i >= 0 && i < action_count && game.input.held[static_cast<size_t>(i)]; }

// The aim of the shot and the shield (radians): from the player's shoulder,
// duck_offset px below player.y, towards the pointer in world px. The
// pointer is window px of any size, so the sums are taken in 64 bits and
// held to the int32 range.
inline float aim_from_shoulder() {
    const Player& p = world.player;
    return aim_angle(saturated(int64_t{game.input.mouse_x} - world.camera_x),
                     saturated(int64_t{game.input.mouse_y} - world.camera_y - game.duck_offset), p.x, p.y);
}

// What the arm does in this update: the aim, the shoulder and the held shot and shield.
inline ArmInput arm_input() {
    return {aim_from_shoulder(), game.duck_offset, action_held(action_shoot), action_held(action_shield)};
}
