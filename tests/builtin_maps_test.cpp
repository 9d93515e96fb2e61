// The five built-in maps against the table they were designed to: header,
// the counts of every kind of object, the exact text length, the one-line
// layout, the map size derived from the segments, every point inside the
// map and a cell-kind map in step with the wall codes. A map edited by hand
// that drifts from its figures fails here; this is the one place that holds
// them.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "combat/geometry.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

struct MapFigures {
    int width, height, start_x, start_y, exit_x, exit_y;
    std::array<int, 5> segments;  // white, cyan, red, green, blue
    std::array<int, 3> switches;  // red, green, blue
    std::array<int, 3> enemies;   // basic, smart, turret
    std::array<int, 3> pickups;   // medkit, extra life, power-up
    int checkpoints;
    size_t length;  // characters of the text, trailing space included
};

constexpr std::array<MapFigures, 5> figures{{
    {2713, 697, 61, 598, 2331, 598, {85, 1, 4, 1, 0}, {1, 0, 0}, {1, 1, 1}, {0, 0, 0}, 0, 1858},
    {3399, 2560, 37, 202, 136, 2308, {32, 22, 0, 1, 1}, {0, 0, 1}, {14, 17, 16}, {6, 0, 0}, 3, 2158},
    {4274, 1087, 701, 399, 53, 46, {26, 2, 4, 1, 7}, {3, 1, 5}, {2, 14, 10}, {3, 0, 0}, 2, 1432},
    {7983, 1539, 1110, 167, 7687, 935, {57, 30, 10, 1, 2}, {1, 0, 6}, {78, 32, 66}, {7, 0, 0}, 6, 5530},
    {3516, 1713, 708, 813, 200, 1477, {12, 27, 1, 10, 2}, {1, 0, 1}, {52, 26, 10}, {2, 1, 1}, 2, 2795},
}};

// How many elements of `list` have `field` equal to each of 1..N.
template <size_t N, typename List, typename Field>
std::array<int, N> count_by(const List& list, Field field) {
    std::array<int, N> counts{};
    for (const auto& item : list) {
        const int value = item.*field;
        if (value >= 1 && value <= static_cast<int>(N)) ++counts[static_cast<size_t>(value - 1)];
    }
    return counts;
}

// Whether the text is numbers separated by single spaces with exactly one space at the end.
bool one_spaced_line(std::string_view text) {
    if (text.size() < 2 || text.back() != ' ' || text.front() == ' ') return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool number_char = (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!number_char && c != ' ') return false;
        if (c == ' ' && i + 1 < text.size() && text[i + 1] == ' ') return false;
    }
    return true;
}

TEST(BuiltinMaps, EachMatchesItsFiguresAndKeepsEveryPointInside) {
    for (int n = 1; n <= builtin_map_count; ++n) {
        SCOPED_TRACE("map " + std::to_string(n));
        const MapFigures& f = figures[static_cast<size_t>(n - 1)];
        const char* text = builtin_map_text(n);
        ASSERT_NE(text, nullptr);
        const std::string_view view(text);
        EXPECT_EQ(view.size(), f.length);
        EXPECT_TRUE(one_spaced_line(view));

        start_fresh();
        ASSERT_TRUE(load_map(text));
        EXPECT_EQ(world.map_width, f.width);
        EXPECT_EQ(world.map_height, f.height);
        EXPECT_EQ(world.player.x, f.start_x);
        EXPECT_EQ(world.player.y, f.start_y);
        EXPECT_EQ(world.exit_x, f.exit_x);
        EXPECT_EQ(world.exit_y, f.exit_y);
        EXPECT_EQ((count_by<5>(world.segments, &Segment::type)), f.segments);
        EXPECT_EQ((count_by<3>(world.switches, &Switch::colour)), f.switches);
        EXPECT_EQ((count_by<3>(world.enemies, &Enemy::kind)), f.enemies);
        EXPECT_EQ((count_by<3>(world.pickups, &Pickup::kind)), f.pickups);
        EXPECT_EQ(static_cast<int>(world.checkpoints.size()), f.checkpoints);

        // The map reaches 64 px past its farthest segment end in each direction.
        int far_x = 0, far_y = 0;
        for (const Segment& s : world.segments) {
            far_x = std::max({far_x, s.x1, s.x2});
            far_y = std::max({far_y, s.y1, s.y2});
        }
        EXPECT_EQ(world.map_width, far_x + 64);
        EXPECT_EQ(world.map_height, far_y + 64);

        // Every placed point lies at least 1 px inside the map.
        const auto inside = [&](int x, int y) {
            return x >= 1 && y >= 1 && x <= world.map_width - 2 && y <= world.map_height - 2;
        };
        EXPECT_TRUE(inside(f.start_x, f.start_y));
        EXPECT_TRUE(inside(f.exit_x, f.exit_y));
        for (const Segment& s : world.segments)
            EXPECT_TRUE(inside(s.x1, s.y1) && inside(s.x2, s.y2)) << s.x1 << ' ' << s.y1 << ' ' << s.x2 << ' ' << s.y2;
        for (const Switch& s : world.switches) EXPECT_TRUE(inside(s.x, s.y)) << s.x << ' ' << s.y;
        for (const Enemy& e : world.enemies) EXPECT_TRUE(inside(e.x, e.y)) << e.x << ' ' << e.y;
        for (const Pickup& p : world.pickups) EXPECT_TRUE(inside(p.x, p.y)) << p.x << ' ' << p.y;
        for (const Checkpoint& c : world.checkpoints) EXPECT_TRUE(inside(c.x, c.y)) << c.x << ' ' << c.y;

        // The kind of every cell, which movement and lasers read, agrees with its code.
        size_t disagreeing = 0;
        for (size_t i = 0; i < world.wall_grid.size(); ++i)
            disagreeing += world.cell_kinds[i] != cell_kind_of(world.wall_grid[i]);
        EXPECT_EQ(disagreeing, 0u);
        world.release_grid();
    }
    // The last map's pickups and checkpoints close its text exactly.
    const std::string_view five(builtin_map_text(5));
    const std::string_view ending = "4 966 815 2 1664 768 3 1409 1274 1 3406 971 1 2 3130 1149 1108 1309 ";
    EXPECT_TRUE(five.ends_with(ending));
}

// Distance in px from (px, py) to the segment's line piece.
double distance_to(const Segment& s, double px, double py) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1, length2 = dx * dx + dy * dy;
    const double t = length2 == 0 ? 0 : std::clamp(((px - s.x1) * dx + (py - s.y1) * dy) / length2, 0.0, 1.0);
    return std::hypot(px - (s.x1 + t * dx), py - (s.y1 + t * dy));
}

// Whether one of the two segments has an end within 3 px of the other, the width a stamped line covers.
bool touching(const Segment& a, const Segment& b) {
    constexpr double reach = 3.0;
    return distance_to(b, a.x1, a.y1) <= reach || distance_to(b, a.x2, a.y2) <= reach ||
           distance_to(a, b.x1, b.y1) <= reach || distance_to(a, b.x2, b.y2) <= reach;
}

// Walls, gates and screens hang from something (mirrors may stand free), and no
// enemy that moves or is shot starts inside a wall, where it would be stuck or shielded.
TEST(BuiltinMaps, WallsTouchOtherWallsAndEnemiesStandInTheOpen) {
    for (int n = 1; n <= builtin_map_count; ++n) {
        SCOPED_TRACE("map " + std::to_string(n));
        start_fresh();
        ASSERT_TRUE(load_map(builtin_map_text(n)));
        const std::vector<Segment>& segments = world.segments;
        for (size_t i = 0; i < segments.size(); ++i) {
            const Segment& s = segments[i];
            if (s.type != segment_wall && s.type != segment_red_gate && s.type != segment_green_gate) continue;
            bool anchored = false;
            for (size_t j = 0; j < segments.size() && !anchored; ++j) anchored = j != i && touching(s, segments[j]);
            EXPECT_TRUE(anchored) << "floating: " << s.x1 << ' ' << s.y1 << ' ' << s.x2 << ' ' << s.y2;
        }
        for (const Enemy& e : world.enemies) {
            if (e.kind == enemy_turret) continue;
            const CellKind k = world.cell_kinds[cell_index(e.x, e.y)];
            EXPECT_TRUE(!blocks_body(k) && !blocks_laser(k)) << "in a wall: " << e.x << ' ' << e.y;
        }
        world.release_grid();
    }
}

}  // namespace
