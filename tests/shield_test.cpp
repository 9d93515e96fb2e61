#include "combat/shield.hpp"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "game/input.hpp"
#include "game/update.hpp"
#include "support/map_text.hpp"

namespace {

// A standing, powered player at (200, 150) on an empty 400 x 300 map, holding the shield binding.
class ShieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_fresh();
        load(MapText{.width = 400, .height = 300});
    }

    static void load(MapText m) {
        m.start_x = 200;
        m.start_y = 150;
        m.load();
        world.player.ducking = false;
        world.player.powered = true;
        game.duck_offset = 0;
        game.input.held[action_shield] = true;
        aim_at(200, 250);
    }

    // Points the pointer at a world position (the camera is at 0, 0).
    static void aim_at(int32_t x, int32_t y) {
        game.input.mouse_x = x;
        game.input.mouse_y = y;
    }

    static CellKind kind_at(int32_t x, int32_t y) { return world.cell_kinds[cell_index(x, y)]; }
    static float code_at(int32_t x, int32_t y) { return world.wall_grid[cell_index(x, y)]; }
    static long shield_cells() {
        return std::count(world.cell_kinds.begin(), world.cell_kinds.end(), CellKind::shield_mirror);
    }
};

TEST_F(ShieldTest, AimedStraightDownItLiesFlat33PxBelowTheShoulder) {
    shield_update(arm_input());
    EXPECT_TRUE(combat.shield_up);
    EXPECT_EQ(combat.shield_timer, 119) << "raised at the rate and counted once in the same update";
    EXPECT_EQ(combat.shield_ends.x1, 170);
    EXPECT_EQ(combat.shield_ends.y1, 183);
    EXPECT_EQ(combat.shield_ends.x2, 230);
    EXPECT_EQ(combat.shield_ends.y2, 183);

    for (int32_t x = 170; x < 230; ++x) ASSERT_EQ(kind_at(x, 183), CellKind::shield_mirror) << "x " << x;
    EXPECT_EQ(kind_at(230, 183), CellKind::empty) << "the far end is not stamped";
    EXPECT_EQ(kind_at(200, 180), CellKind::empty);
    EXPECT_EQ(kind_at(200, 186), CellKind::empty);
    // Its mirror line runs along the segment, from the second end towards the first.
    EXPECT_NEAR(classify_cell(code_at(200, 183)).theta, pi, 1e-3);
}

TEST_F(ShieldTest, DuckingRaisesItFromTheLowerShoulder) {
    world.player.ducking = true;
    game.duck_offset = 15;
    aim_at(200, 300);
    shield_update(arm_input());
    EXPECT_EQ(combat.shield_ends.y1, 198);
    EXPECT_EQ(combat.shield_ends.y2, 198);
}

TEST_F(ShieldTest, StandsThreeQuartersOfItsCycleAndRisesAgainWhenTheCycleIsOver) {
    shield_update(arm_input());
    game.input.held[action_shield] = false;
    for (int i = 1; i < 90; ++i) shield_update(arm_input());
    EXPECT_TRUE(combat.shield_up);
    EXPECT_EQ(combat.shield_timer, 30);
    shield_update(arm_input());
    EXPECT_FALSE(combat.shield_up) << "taken down as the timer falls to 29";
    EXPECT_EQ(shield_cells(), 0);

    game.input.held[action_shield] = true;
    for (int i = 91; i < 120; ++i) shield_update(arm_input());
    EXPECT_FALSE(combat.shield_up) << "the binding does nothing while recovering";
    EXPECT_EQ(combat.shield_timer, 0);
    shield_update(arm_input());
    EXPECT_TRUE(combat.shield_up);
    EXPECT_GT(shield_cells(), 0);
}

TEST_F(ShieldTest, StampsOnlyEmptyCellsAndErasingLeavesTheMapsOwnCells) {
    MapText m{.width = 400, .height = 300};
    m.segments = {{185, 170, 185, 200, 1}, {215, 170, 215, 200, 2}};  // a wall and a mirror across it
    load(m);
    const float wall = code_at(185, 183), mirror = code_at(215, 183);
    shield_update(arm_input());
    EXPECT_EQ(code_at(185, 183), wall);
    EXPECT_EQ(code_at(215, 183), mirror);
    EXPECT_EQ(kind_at(200, 183), CellKind::shield_mirror);

    game.input.held[action_shield] = false;
    for (int i = 0; i < 95; ++i) shield_update(arm_input());
    EXPECT_EQ(shield_cells(), 0);
    EXPECT_EQ(code_at(185, 183), wall);
    EXPECT_EQ(code_at(215, 183), mirror);
    EXPECT_EQ(kind_at(200, 183), CellKind::empty);
}

TEST_F(ShieldTest, RatesBelowFourAreNeverTakenDown) {
    settings.shield_cooldown_rate = 3;
    shield_update(arm_input());  // timer 3 -> 2
    aim_at(200, 50);             // the next one goes above the player
    for (int i = 0; i < 10; ++i) shield_update(arm_input());
    EXPECT_TRUE(combat.shield_up);
    EXPECT_EQ(kind_at(200, 183), CellKind::shield_mirror) << "the first shield stays";
    EXPECT_EQ(kind_at(200, 117), CellKind::shield_mirror);
    EXPECT_EQ(combat.shield_ends.y1, 117) << "the ends are those of the last shield";
}

TEST_F(ShieldTest, RateZeroStampsEveryUpdateTheBindingIsHeld) {
    settings.shield_cooldown_rate = 0;
    shield_update(arm_input());
    aim_at(300, 150);
    shield_update(arm_input());
    EXPECT_EQ(combat.shield_timer, 0);
    EXPECT_EQ(kind_at(200, 183), CellKind::shield_mirror);
    EXPECT_EQ(kind_at(233, 150), CellKind::shield_mirror);
    game.input.held[action_shield] = false;
    aim_at(100, 150);
    shield_update(arm_input());
    EXPECT_EQ(kind_at(167, 150), CellKind::empty);
}

TEST_F(ShieldTest, UnpoweredPlayerRaisesNothing) {
    world.player.powered = false;
    for (int i = 0; i < 3; ++i) shield_update(arm_input());
    EXPECT_FALSE(combat.shield_up);
    EXPECT_EQ(combat.shield_timer, 0);
    EXPECT_EQ(shield_cells(), 0);
}

TEST_F(ShieldTest, ShieldAtTheMapEdgeKeepsToTheGrid) {
    MapText m{.width = 400, .height = 300};
    m.width = 210;
    m.height = 160;
    load(m);
    aim_at(200, 300);
    shield_update(arm_input());
    EXPECT_TRUE(combat.shield_up);
    EXPECT_EQ(shield_cells(), 0) << "the whole stroke lies below the map";
    game.input.held[action_shield] = false;
    for (int i = 0; i < 95; ++i) shield_update(arm_input());
    EXPECT_FALSE(combat.shield_up);
}

TEST_F(ShieldTest, NothingHappensWithoutAMap) {
    world.release_grid();
    shield_update(arm_input());
    EXPECT_FALSE(combat.shield_up);
    EXPECT_EQ(combat.shield_timer, 0);
}

}  // namespace
