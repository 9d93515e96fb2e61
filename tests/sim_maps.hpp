// Small map texts and a driver for headless simulation tests.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/frame.hpp"
#include "game/update.hpp"
#include "world/world_state.hpp"

// Builds a map text: size, start, exit, then the lists in map-text order.
struct MapText {
    int width = 800, height = 600;
    int start_x = 100, start_y = 300;
    int exit_x = -1000, exit_y = -1000;  // out of reach unless a test places it
    std::vector<std::string> segments, switches, enemies, pickups, checkpoints;

    MapText& wall(int x1, int y1, int x2, int y2, int type = 1) {
        segments.push_back(line({x1, y1, x2, y2, type}));
        return *this;
    }
    MapText& pickup(int x, int y, int kind) {
        pickups.push_back(line({x, y, kind}));
        return *this;
    }
    MapText& checkpoint(int x, int y) {
        checkpoints.push_back(line({x, y}));
        return *this;
    }
    MapText& colour_switch(int x, int y, int colour) {
        switches.push_back(line({x, y, colour}));
        return *this;
    }

    std::string text() const {
        std::ostringstream out;
        out << width << ' ' << height << ' ' << start_x << ' ' << start_y << ' ' << exit_x << ' ' << exit_y << ' ';
        for (const auto* list : {&segments, &switches, &enemies, &pickups, &checkpoints}) {
            out << list->size() << ' ';
            for (const std::string& item : *list) out << item;
        }
        return out.str();
    }

private:
    static std::string line(std::initializer_list<int> numbers) {
        std::string s;
        for (int n : numbers) s += std::to_string(n) + ' ';
        return s;
    }
};

// Where a player stands on flat_floor(): its stroke covers rows 399..402 and
// the feet rest on row y + 32.
inline constexpr int floor_top = 399;
inline constexpr int standing_y = floor_top - 32;

// A floor across the whole 800 x 600 map, the player starting on it at x = 100.
inline MapText flat_floor() {
    MapText m;
    m.start_y = standing_y;
    m.wall(0, 401, 799, 401);
    return m;
}

// Default settings with one worker, then a game of `map`.
inline void start_map(const MapText& map, const Settings& s = [] {
    Settings d;
    d.threads = 1;
    return d;
}()) {
    settings = s;
    std::string why;
    ASSERT_TRUE(start_game(map.text().c_str(), why)) << why;
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
