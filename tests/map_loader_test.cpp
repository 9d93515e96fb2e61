#include "world/map_loader.hpp"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/geometry.hpp"
#include "support/map_text.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

float cell(int x, int y) { return world.wall_grid[cell_index(x, y)]; }

// A w x h map with the start at (10, 10), the exit at (50, 50) and the given segments.
MapText segments_map(int w, int h, std::vector<MapSegment> segments) {
    return {.width = w,
            .height = h,
            .start_x = 10,
            .start_y = 10,
            .exit_x = 50,
            .exit_y = 50,
            .segments = std::move(segments)};
}

class MapLoader : public ::testing::Test {
protected:
    void SetUp() override { settings = Settings{}; }
    void TearDown() override { world.release_grid(); }
};

TEST_F(MapLoader, MapOnesFirstFloorFillsTwoRowsEachSideOfItsLine) {
    ASSERT_TRUE(load_map("100 700 10 10 50 50 1 3 632 1817 632 1 0 0 0 0 "));
    // Rows 630 and 631 from column 3, row 632 and 633 from column 2.
    for (int x : {3, 50, 99}) {
        for (int y : {630, 631, 632, 633}) EXPECT_EQ(cell(x, y), code_wall) << x << ',' << y;
    }
    EXPECT_EQ(cell(2, 630), code_empty);
    EXPECT_EQ(cell(2, 631), code_empty);
    EXPECT_EQ(cell(2, 632), code_wall);
    EXPECT_EQ(cell(2, 633), code_wall);
    EXPECT_EQ(cell(1, 632), code_empty);
    EXPECT_EQ(cell(50, 629), code_empty);
    EXPECT_EQ(cell(50, 634), code_empty);
}

TEST_F(MapLoader, FloorEndsOneShortOfItsEndPointWithTheShiftedSide) {
    ASSERT_TRUE(load_map("2000 700 10 10 50 50 1 3 632 1817 632 1 0 0 0 0 "));
    EXPECT_EQ(cell(1816, 630), code_wall);
    EXPECT_EQ(cell(1816, 633), code_empty);  // rows 632-633 end a column earlier
    EXPECT_EQ(cell(1815, 633), code_wall);
    EXPECT_EQ(cell(1817, 630), code_empty);
}

TEST_F(MapLoader, VerticalMirrorStoresItsDirectionEitherWay) {
    // Columns 474 to 477, rows 564 to 628: the tiny sine of the float angle
    // lifts the left half of each cross-line by one row.
    ASSERT_TRUE(load_map(segments_map(600, 700, {{476, 565, 476, 629, 2}}).text().c_str()));
    for (int x = 474; x <= 477; ++x) {
        const bool left = x < 476;
        EXPECT_EQ(cell(x, left ? 564 : 565), 4.712389f) << x;
        EXPECT_EQ(cell(x, left ? 627 : 628), 4.712389f) << x;
        EXPECT_EQ(cell(x, left ? 563 : 564), code_empty) << x;
        EXPECT_EQ(cell(x, left ? 628 : 629), code_empty) << x;
    }
    EXPECT_EQ(cell(473, 600), code_empty);
    EXPECT_EQ(cell(478, 600), code_empty);
    EXPECT_EQ(world.cell_kinds[cell_index(476, 600)], CellKind::mirror);

    // Drawn upwards: columns 474 to 477, rows 565 to 629.
    ASSERT_TRUE(load_map(segments_map(600, 700, {{476, 629, 476, 565, 2}}).text().c_str()));
    int top = 999, bottom = 0;
    for (int x = 474; x <= 477; ++x)
        for (int y = 560; y <= 635; ++y)
            if (cell(x, y) == 1.5707964f) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_EQ(top, 565);
    EXPECT_EQ(bottom, 629);
    EXPECT_EQ(cell(473, 600), code_empty);
    EXPECT_EQ(cell(478, 600), code_empty);
}

TEST_F(MapLoader, SegmentCodesByTypeAndLaterSegmentsWin) {
    ASSERT_TRUE(load_map(
        segments_map(
            100, 100,
            {{10, 10, 90, 10, 3}, {10, 30, 90, 30, 4}, {10, 50, 90, 50, 5}, {10, 70, 90, 70, 1}, {50, 60, 50, 80, 7}})
            .text()
            .c_str()));
    EXPECT_EQ(cell(40, 10), code_red_gate);
    EXPECT_EQ(cell(40, 30), code_green_gate);
    EXPECT_EQ(cell(40, 50), static_cast<float>(pi) + 1000.0f);
    EXPECT_EQ(world.cell_kinds[cell_index(40, 50)], CellKind::blue_mirror);
    EXPECT_EQ(cell(40, 70), code_wall);
    EXPECT_EQ(cell(50, 70), code_empty);  // the type-7 segment erased the crossing
    EXPECT_EQ(world.cell_kinds[cell_index(50, 70)], CellKind::empty);
}

TEST_F(MapLoader, ReadsEveryListAndResetsThePlayer) {
    settings.health_override = 123;
    settings.lives_override = 4;
    settings.enemy_health_override = 77;
    world.player.powered = true;
    world.sparks.push_back(Spark{});
    world.lasers.push_back(Laser{});
    world.explosions.push_back(Explosion{});
    ASSERT_TRUE(
        load_map("300 200 61 98 250 150 0 2 10 20 1 30 40 3 "
                 "2 100 110 2 -42.0318 120 130 1 180 "
                 "1 5 6 3 2 7 8 9 10 "));
    EXPECT_EQ(world.map_width, 300);
    EXPECT_EQ(world.player.x, 61);
    EXPECT_EQ(world.player.fy, 98.0f);
    EXPECT_EQ(world.player.respawn_x, 61);
    EXPECT_EQ(world.player.health, 123);
    EXPECT_EQ(world.player.lives, 4);
    EXPECT_FALSE(world.player.powered);
    EXPECT_TRUE(world.player.airborne);
    EXPECT_TRUE(world.player.ducking);
    EXPECT_EQ(world.exit_x, 250);
    ASSERT_EQ(world.switches.size(), 2u);
    EXPECT_EQ(world.switches[1].colour, 3);
    ASSERT_EQ(world.enemies.size(), 2u);
    EXPECT_EQ(world.enemies[0].angle, -42.0318f);
    EXPECT_EQ(world.enemies[1].angle, 180.0f);
    EXPECT_EQ(world.enemies[0].health, 77);
    EXPECT_EQ(world.enemies[1].fx, 120.0f);
    ASSERT_EQ(world.pickups.size(), 1u);
    EXPECT_EQ(world.pickups[0].kind, 3);
    ASSERT_EQ(world.checkpoints.size(), 2u);
    EXPECT_EQ(world.last_checkpoint, 2u);
    EXPECT_TRUE(world.lasers.empty());
    EXPECT_TRUE(world.explosions.empty());
    EXPECT_EQ(world.sparks.size(), 1u);  // sparks die out on their own
    world.sparks.clear();
}

TEST_F(MapLoader, AcceptsAnyWhiteSpaceAndWholeHeadings) {
    ASSERT_TRUE(load_map("300\t200\n61 98 250 150 0 0\r\n1 100 110 2 96 0 0\n"));
    EXPECT_EQ(world.enemies[0].angle, 96.0f);
    ASSERT_TRUE(load_map("300 200 61 98 250 150 0 0 1 100 110 2 96.0 0 0 "));
    EXPECT_EQ(world.enemies[0].angle, 96.0f);
}

TEST_F(MapLoader, ShortestMapLoadsEmpty) {
    ASSERT_TRUE(load_map("10 10 1 1 5 5 0 0 0 0 0 "));
    EXPECT_TRUE(world.segments.empty());
    EXPECT_EQ(world.wall_grid.size(), 100u);
}

TEST_F(MapLoader, SecondLoadLeavesNoTraceOfTheFirst) {
    ASSERT_TRUE(load_map(builtin_map_text(1)));
    ASSERT_TRUE(load_map("10 10 1 1 5 5 0 0 0 0 0 "));
    EXPECT_TRUE(world.segments.empty());
    EXPECT_TRUE(world.switches.empty());
    EXPECT_TRUE(world.enemies.empty());
    EXPECT_EQ(world.map_width, 10);
}

TEST_F(MapLoader, RefusesMalformedTextsAndFreesTheGrid) {
    const char* bad[] = {
        "",                                    // empty
        "10 10 1 1 5 5 0 0 0 0 0",             // no white space after the last number
        "10 10 1 1 5 5 0 0 zero 0 0 ",         // a word
        "10 10 1 1 5 5 0 0 0 0 ",              // a list missing
        "0 10 1 1 5 5 0 0 0 0 0 ",             // no width
        "10 -3 1 1 5 5 0 0 0 0 0 ",            // negative height
        "100000 100000 1 1 5 5 0 0 0 0 0 ",    // far too many cells
        "10 10 1 1 5 5 -1 0 0 0 0 ",           // negative count
        "10 10 1 1 5 5 2000000000 0 0 0 0 ",   // more segments than the text holds
        "10 10 1 1 5 5 0 0 3 1 1 1 5 0 0 ",    // more enemies than the text holds
        "10 10 1 1 5 5 0 0 1 1 1 1 nan 0 0 ",  // heading not a number
        "10 10 1 1 5 5 0 0 1 1 1 1 inf 0 0 ",
        "10 10 1 1 5 5 0 0 1 1 1 1 1e50 0 0 ",       // heading beyond a float
        "10 10 1 1 5 5 1 0 0 9000000 0 1 0 0 0 0 ",  // segment reaching far beyond the map
        "99999999999 10 1 1 5 5 0 0 0 0 0 ",         // width beyond 32 bits
    };
    for (const char* text : bad) {
        ASSERT_TRUE(load_map(builtin_map_text(1)));
        std::string why;
        EXPECT_FALSE(load_map(text, why)) << '"' << text << '"';
        EXPECT_FALSE(why.empty()) << text;
        if (text[0] != '\0') {  // an empty text changes nothing
            EXPECT_FALSE(world.has_grid()) << text;
        }
    }
}

TEST_F(MapLoader, SegmentsPokingALittleOutsideAreClipped) {
    ASSERT_TRUE(load_map("20 20 1 1 5 5 1 -30 10 50 10 1 0 0 0 0 "));
    EXPECT_EQ(cell(0, 10), code_wall);
    EXPECT_EQ(cell(19, 10), code_wall);
}

TEST_F(MapLoader, RefusesASegmentItsWalkCannotFinish) {
    // Inside the overhang bound, but from y = 4096 on a float moves in steps of
    // 1/2048 px, and creeping 1 px down over 4200 px asks for less than half
    // of that: the walker never reaches its end row. The load must give up on
    // it rather than spin or keep a wall that stops short.
    ASSERT_TRUE(load_map(builtin_map_text(1)));
    std::string why;
    EXPECT_FALSE(load_map("4300 4200 1 1 5 5 1 0 4100 4200 4101 1 0 0 0 0 ", why));
    EXPECT_NE(why.find("Segment 1 cannot be walked"), std::string::npos) << why;
    EXPECT_FALSE(world.has_grid());
}

TEST_F(MapLoader, MapNamesSelectByFirstCharacter) {
    EXPECT_EQ(map_text_for_name("1"), builtin_map_text(1));
    EXPECT_EQ(map_text_for_name("1x"), builtin_map_text(1));
    EXPECT_EQ(map_text_for_name("x1"), nullptr);
    EXPECT_EQ(map_text_for_name(""), nullptr);
    EXPECT_EQ(builtin_map_text(0), nullptr);
    EXPECT_EQ(builtin_map_text(6), nullptr);
}

}  // namespace
