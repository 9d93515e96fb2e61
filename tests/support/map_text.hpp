// The tests' one map-text builder: a map of the given size with the lists a
// test needs, written out exactly as a map maker would type it.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "world/map_loader.hpp"

struct MapSegment {
    int x1, y1, x2, y2, type;
};  // type: see SegmentType
struct MapSwitch {
    int x, y, colour;
};
struct MapEnemy {
    int x, y, kind;
    double heading;
};  // heading in degrees
struct MapPickup {
    int x, y, kind;
};
struct MapCheckpoint {
    int x, y;
};

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

    std::string text() const {
        std::ostringstream t;
        t << width << ' ' << height << ' ' << start_x << ' ' << start_y << ' ' << exit_x << ' ' << exit_y << ' ';
        t << segments.size() << ' ';
        for (const MapSegment& s : segments)
            t << s.x1 << ' ' << s.y1 << ' ' << s.x2 << ' ' << s.y2 << ' ' << s.type << ' ';
        t << switches.size() << ' ';
        for (const MapSwitch& s : switches) t << s.x << ' ' << s.y << ' ' << s.colour << ' ';
        t << enemies.size() << ' ';
        for (const MapEnemy& e : enemies) t << e.x << ' ' << e.y << ' ' << e.kind << ' ' << e.heading << ' ';
        t << pickups.size() << ' ';
        for (const MapPickup& p : pickups) t << p.x << ' ' << p.y << ' ' << p.kind << ' ';
        t << checkpoints.size() << ' ';
        for (const MapCheckpoint& c : checkpoints) t << c.x << ' ' << c.y << ' ';
        return t.str();
    }

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
