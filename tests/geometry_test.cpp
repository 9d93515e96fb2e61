#include "combat/geometry.hpp"

#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "game/game_state.hpp"
#include "game/update.hpp"
#include "world/world_state.hpp"

namespace {

// Floats compared bit for bit: the rounding is part of the game's rules.
void expect_same_float(float got, float want) {
    EXPECT_EQ(std::memcmp(&got, &want, sizeof got), 0) << got << " vs " << want;
}

TEST(ToInt, TruncatesTowardZeroAndSaturates) {
    EXPECT_EQ(to_int(-0.4f), 0);
    EXPECT_EQ(to_int(-0.99), 0);
    EXPECT_EQ(to_int(-1500.7f), -1500);
    EXPECT_EQ(to_int(2.999f), 2);
    EXPECT_EQ(to_int(1e20), INT32_MAX);
    EXPECT_EQ(to_int(-1e20), INT32_MIN);
    EXPECT_EQ(to_int(std::nan("")), INT32_MIN);
}

TEST(AimAngle, AxesAndDiagonalsComeOutBitForBit) {
    expect_same_float(aim_angle(5, 0, 5, 10), 4.712389f);
    expect_same_float(aim_angle(5, 10, 5, 0), 1.5707964f);
    expect_same_float(aim_angle(5, 5, 5, 5), 1.5707964f);
    expect_same_float(aim_angle(0, 0, 10, 0), static_cast<float>(pi));
    expect_same_float(aim_angle(0, 0, 10, 0), 3.1415927410125732f);
    expect_same_float(aim_angle(10, 0, 0, 0), 0.0f);
    // Left half: atan narrowed to float, then pi added and narrowed again.
    const float a = aim_angle(-10, -10, 0, 0);
    expect_same_float(a, static_cast<float>(static_cast<double>(static_cast<float>(std::atan(1.0))) + pi));
}

TEST(AimAngle, ExtremeCoordinatesDoNotOverflow) {
    const float a = aim_angle(INT32_MAX, 0, INT32_MIN, 0);
    EXPECT_NEAR(a, 0.0f, 1e-6f);
}

TEST(ClassifyCell, BandEdges) {
    struct Case {
        float v;
        CellKind kind;
        float theta;
    };
    const std::vector<Case> cases = {
        {-3000.0f, CellKind::empty, 0},
        {-2501.0f, CellKind::empty, 0},
        {-2500.0f, CellKind::green_gate, 0},
        {-1801.0f, CellKind::green_gate, 0},
        {-1800.0f, CellKind::wall, 0},
        {-1500.7f, CellKind::wall, 0},
        {-1300.0f, CellKind::red_gate, 0},
        {-801.0f, CellKind::red_gate, 0},
        {-800.0f, CellKind::inert, 0},
        {-100.0f, CellKind::inert, 0},
        {-99.5f, CellKind::mirror, -99.5f},
        {0.5f, CellKind::mirror, 0.5f},
        {800.9f, CellKind::mirror, 800.9f},
        {801.0f, CellKind::blue_mirror, -199.0f},
        {1800.5f, CellKind::blue_mirror, 800.5f},
        {1801.0f, CellKind::shield_mirror, -199.0f},
    };
    for (const Case& c : cases) {
        const CellClass got = classify_cell(c.v);
        EXPECT_EQ(got.kind, c.kind) << c.v;
        EXPECT_EQ(cell_kind_of(c.v), c.kind) << c.v;
        if (c.kind == CellKind::mirror || c.kind == CellKind::blue_mirror || c.kind == CellKind::shield_mirror)
            expect_same_float(got.theta, c.theta);
    }
}

TEST(BlockRules, FollowTheSwitchStates) {
    world.red_on = world.green_on = world.blue_on = true;
    EXPECT_TRUE(blocks_laser(CellKind::green_gate));
    EXPECT_FALSE(blocks_body(CellKind::green_gate));  // green never stops a body
    EXPECT_TRUE(blocks_body(CellKind::red_gate));
    EXPECT_TRUE(blocks_body(CellKind::blue_mirror));
    EXPECT_TRUE(reflects_laser(CellKind::blue_mirror));
    EXPECT_TRUE(blocks_body(CellKind::mirror));
    EXPECT_FALSE(blocks_laser(CellKind::mirror));
    EXPECT_TRUE(blocks_body(CellKind::shield_mirror));

    world.red_on = world.green_on = world.blue_on = false;
    EXPECT_FALSE(blocks_laser(CellKind::green_gate));
    EXPECT_FALSE(blocks_laser(CellKind::red_gate));
    EXPECT_FALSE(blocks_body(CellKind::red_gate));
    EXPECT_FALSE(blocks_body(CellKind::blue_mirror));
    EXPECT_FALSE(reflects_laser(CellKind::blue_mirror));
    EXPECT_TRUE(blocks_laser(CellKind::wall));
    EXPECT_TRUE(blocks_body(CellKind::wall));
    EXPECT_FALSE(blocks_body(CellKind::inert));
    EXPECT_FALSE(blocks_laser(CellKind::empty));
    world.red_on = world.green_on = world.blue_on = true;
}

TEST(ReflectAngle, IsTwiceTheMirrorMinusTheDirection) {
    expect_same_float(reflect_angle(0.0f, 0.7853982f), 1.5707964f);
    expect_same_float(reflect_angle(1.0f, 3.0f), 5.0f);
}

// Cells a stroke visits, with a 20 x 20 grid around it.
std::vector<std::pair<int, int>> stroke_cells(int x1, int y1, int x2, int y2) {
    world.map_width = 20;
    world.map_height = 20;
    std::vector<std::pair<int, int>> cells;
    stamp_segment(x1, y1, x2, y2, [&](int32_t c, int32_t r) { cells.emplace_back(c, r); });
    return cells;
}

TEST(StampSegment, CoincidentEndsStampNothing) { EXPECT_TRUE(stroke_cells(5, 5, 5, 5).empty()); }

TEST(StampSegment, VerticalStrokeIsFourColumnsWideAndSkipsTheEndRow) {
    const auto cells = stroke_cells(10, 2, 10, 8);
    int min_c = 99, max_c = -1, min_r = 99, max_r = -1;
    for (auto [c, r] : cells) {
        min_c = std::min(min_c, c);
        max_c = std::max(max_c, c);
        min_r = std::min(min_r, r);
        max_r = std::max(max_r, r);
    }
    EXPECT_EQ(min_c, 8);
    EXPECT_EQ(max_c, 11);
    EXPECT_EQ(min_r, 1);  // the tiny non-zero sine moves one side up a row
    EXPECT_EQ(max_r, 7);
    EXPECT_EQ(cells.size(), 6u * 7u);  // one cross-line of seven samples per row
}

TEST(StampSegment, SamplesOutsideTheGridAreSkipped) {
    for (auto [c, r] : stroke_cells(0, 0, 19, 0)) {
        EXPECT_GE(r, 0);
        EXPECT_GE(c, 0);
    }
    EXPECT_FALSE(stroke_cells(-5, 3, -1, 3).size());
}

TEST(StampSegment, GivesUpOnAWalkThatCannotReachItsEnd) {
    // Far from the origin a float step of 1e-5 px rounds away, so the minor
    // axis would never arrive; the walk must stop instead of spinning.
    world.map_width = 10;
    world.map_height = 10;
    int calls = 0;
    EXPECT_FALSE(stamp_segment(0, 600000, 100000, 600001, [&](int32_t, int32_t) { ++calls; }));
}

TEST(OnScreen, BoundsAreInclusiveAndWidenedByTheMargin) {
    world.camera_x = -100;
    world.camera_y = -50;
    EXPECT_TRUE(on_screen(100, 50, 0));
    EXPECT_TRUE(on_screen(900, 650, 0));
    EXPECT_FALSE(on_screen(901, 650, 0));
    EXPECT_TRUE(on_screen(916, 666, 16));
    EXPECT_FALSE(on_screen(83, 50, 16));
    // The screen actually played, which stands in for an unusable resolution setting.
    world.screen_width = 1024;
    world.screen_height = 768;
    EXPECT_TRUE(on_screen(1124, 818, 0));
    EXPECT_FALSE(on_screen(1125, 818, 0));
    start_fresh();
}

}  // namespace
