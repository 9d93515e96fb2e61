// The tests' map builder: a map of the given size with the lists a test
// needs, written out by the game's own map-text writer.
#pragma once

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "world/map_loader.hpp"
#include "world/map_text.hpp"

// By default a small empty box whose start and exit lie far outside it, where
// the player and the exit neither touch nor pull anything.
struct MapText {
    int width = 200, height = 100;
    int start_x = 20000, start_y = 20000;
    int exit_x = 30000, exit_y = 30000;
    std::vector<MapSegment> segments = {};
    std::vector<MapSwitch> switches = {};
    std::vector<MapEnemy> enemies = {};
    std::vector<MapPickup> pickups = {};
    std::vector<MapCheckpoint> checkpoints = {};

    MapText& wall(int x1, int y1, int x2, int y2, int type = 1) {
        segments.push_back({x1, y1, x2, y2, type});
        return *this;
    }
    MapText& colour_switch(int x, int y, int colour) {
        switches.push_back({x, y, colour});
        return *this;
    }
    MapText& enemy(int x, int y, int kind, double heading = 0) {
        enemies.push_back({x, y, kind, heading});
        return *this;
    }
    MapText& pickup(int x, int y, int kind) {
        pickups.push_back({x, y, kind});
        return *this;
    }
    MapText& checkpoint(int x, int y) {
        checkpoints.push_back({x, y});
        return *this;
    }

    // The map as a MapSource, for a test that reads or rewrites it.
    MapSource source() const {
        return {width, height, start_x, start_y, exit_x, exit_y, segments, switches, enemies, pickups, checkpoints};
    }
    // The map's text on one line, as the built-in maps are stored.
    std::string text() const { return write_map_text(source(), MapTextForm::compact); }

    // Loads the text into the world, failing the test when it does not load.
    void load() const {
        std::string why;
        ASSERT_TRUE(load_map(text().c_str(), why)) << why;
    }
};

// An 800 x 600 room with no walls, the player starting at (100, 300).
inline MapText open_room() {
    return {.width = 800, .height = 600, .start_x = 100, .start_y = 300, .exit_x = -1000, .exit_y = -1000};
}

// A map holding the most segments, switches, enemies, pickups and checkpoints
// the loader accepts, spread over a `side` x `side` map, each segment `reach`
// px long along both axes together. At side 7071 (49,999,041 cells) and the
// longest reach the total length allows, it is the largest map that loads.
inline MapText map_with_the_most_of_each_list(int side, int reach) {
    MapText m{.width = side,
              .height = side,
              .start_x = side / 2,
              .start_y = side / 2,
              .exit_x = side - 100,
              .exit_y = side - 100};
    // Spread by multiplying with large primes: the same map on every run, no generator needed.
    const auto spot = [](int i, int prime, int room) { return 30 + static_cast<int>((int64_t{i} * prime) % room); };
    for (int i = 0; i < max_segments; ++i) {
        const int x = spot(i, 7919, side - reach - 60), y = spot(i, 104729, side - reach - 60);
        const int dx = i % 3 == 1 ? 0 : (i % 3 == 0 ? reach : reach / 2);
        m.wall(x, y, x + dx, y + (reach - dx), 1 + i % 5);
    }
    for (int i = 0; i < max_switches; ++i) m.colour_switch(spot(i, 31, side - 60), spot(i, 61, side - 60), 1 + i % 3);
    for (int i = 0; i < max_enemies; ++i) m.enemy(spot(i, 37, side - 60), spot(i, 53, side - 60), 1 + i % 3, i % 360);
    for (int i = 0; i < max_pickups; ++i) m.pickup(spot(i, 41, side - 60), spot(i, 67, side - 60), 1 + i % 3);
    for (int i = 0; i < max_checkpoints; ++i) m.checkpoint(spot(i, 43, side - 60), spot(i, 71, side - 60));
    return m;
}

// The largest map the loader accepts: the most cells, every list at its bound
// and the segments as long as they may be in all.
inline MapText largest_map() {
    return map_with_the_most_of_each_list(7071, static_cast<int>(max_total_segment_length / max_segments) - 2);
}
