// Small map texts for tests: a blank box with the lists a test needs.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "world/map_loader.hpp"

struct TestSegment {
    int x1, y1, x2, y2, type;  // type: 1 wall, 2 mirror, 3 red gate, 4 green gate, 5 blue mirror
};

struct TestEnemy {
    int x, y, kind;
    double heading;  // degrees
};

// A map of the given size; by default the player and the exit sit far outside it,
// where they neither touch nor pull anything.
struct TestMap {
    int width = 400, height = 300;
    int player_x = 20000, player_y = 20000;
    int exit_x = 30000, exit_y = 30000;
    std::vector<TestSegment> segments;
    std::vector<TestEnemy> enemies;

    std::string text() const {
        std::ostringstream t;
        t << width << ' ' << height << ' ' << player_x << ' ' << player_y << ' ' << exit_x << ' ' << exit_y << ' ';
        t << segments.size() << ' ';
        for (const TestSegment& s : segments) t << s.x1 << ' ' << s.y1 << ' ' << s.x2 << ' ' << s.y2 << ' ' << s.type << ' ';
        t << "0 " << enemies.size() << ' ';
        for (const TestEnemy& e : enemies) t << e.x << ' ' << e.y << ' ' << e.kind << ' ' << e.heading << ' ';
        t << "0 0 ";
        return t.str();
    }

    void load() const {
        std::string why;
        ASSERT_TRUE(load_map(text().c_str(), why)) << why;
    }
};
