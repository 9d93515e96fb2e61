// Small map texts and a driver for headless simulation tests.
#pragma once

#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/frame.hpp"
#include "game/update.hpp"
#include "support/map_text.hpp"
#include "world/world_state.hpp"

// Where a player stands on flat_floor(): its stroke covers rows 399..402 and
// the feet rest on row y + 32.
inline constexpr int floor_top = 399;
inline constexpr int standing_y = floor_top - 32;

// A floor across the whole 800 x 600 map, the player starting on it at x = 100.
inline MapText flat_floor() {
    MapText m = open_room();
    m.start_y = standing_y;
    m.wall(0, 401, 799, 401);
    return m;
}

// The game start_map set up; kept until the next one replaces it.
inline std::optional<LoadedGame> sim_game;

// Default settings with one worker, then a game of `map`.
inline void start_map(
    const MapText& map, const Settings& s = [] {
        Settings d;
        d.threads = 1;
        return d;
    }()) {
    settings = s;
    std::string why;
    sim_game = start_game(map.text().c_str(), why);
    ASSERT_TRUE(sim_game) << why;
}

// An input with the given actions held.
inline UpdateInput holding(std::initializer_list<Action> actions) {
    UpdateInput in;
    for (Action a : actions) in.held[static_cast<size_t>(a)] = true;
    return in;
}

// Runs `count` updates with the same input.
inline void run_updates(int count, const UpdateInput& in = {}) {
    for (int i = 0; i < count; ++i) update_step(in);
}

// Lets the player fall onto the floor and stand up.
inline void settle() { run_updates(120); }
