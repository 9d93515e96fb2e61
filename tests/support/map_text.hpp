// The tests' map builder: a map of the given size with the lists a test
// needs, written out by the game's own map-text writer.
#pragma once

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
