// One way for a test to start from a fresh program: every global the game
// keeps back to its first values.
#pragma once

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/enemy_shots.hpp"
#include "game/game_state.hpp"
#include "world/world_state.hpp"

// Settings `s`, no map, a fresh game and combat state with an 800 x 600 laser
// buffer (all opaque black) and one worker.
inline void start_fresh(const Settings& s = Settings{}) {
    settings = s;
    world = World{};
    game = GameState{};
    combat = CombatState{};
    discard_enemy_shots();
    combat.laser_pixels.assign(static_cast<size_t>(world.screen_width) * static_cast<size_t>(world.screen_height),
                               opaque_black);
}
