// The player's body in the wall grid: walking, ducking, jumping, probes and edges.
#include "combat/geometry.hpp"
#include "game/game_state.hpp"
#include "support/sim_maps.hpp"

namespace {

const Player& player() { return world.player; }

TEST(Movement, SettlesStandingOnTheFloorAfterTheMapLoad) {
    start_map(flat_floor());
    EXPECT_TRUE(player().ducking);  // a fresh map starts ducked and airborne
    settle();
    EXPECT_EQ(player().y, standing_y);
    EXPECT_FALSE(player().ducking);
    EXPECT_FALSE(player().airborne);
    EXPECT_EQ(game.duck_offset, 0);
    run_updates(10);  // standing still is a fixed point
    EXPECT_EQ(player().y, standing_y);
    EXPECT_EQ(player().vy, 0.0f);
}

TEST(Movement, WalkingSpeedsStandingDuckedAndWithoutDuckLag) {
    start_map(flat_floor());
    settle();
    const int x0 = player().x;
    run_updates(10, holding({action_right}));
    EXPECT_EQ(player().x, x0 + 30);
    run_updates(10, holding({action_left}));
    EXPECT_EQ(player().x, x0);
    run_updates(10, holding({action_right, action_duck}));
    EXPECT_EQ(player().x, x0 + 20);
    EXPECT_EQ(game.duck_offset, 15);

    Settings no_lag;
    no_lag.threads = 1;
    no_lag.disable_duck_lag = 1;
    start_map(flat_floor(), no_lag);
    settle();
    const int x1 = player().x;
    run_updates(10, holding({action_right, action_duck}));
    EXPECT_EQ(player().x, x1 + 30);
}

TEST(Movement, BothDirectionsHeldGoRightAndWalkStepCountsDown) {
    start_map(flat_floor());
    settle();
    const int x0 = player().x;
    update_step(holding({action_left, action_right}));
    EXPECT_EQ(player().x, x0 + 3);
    EXPECT_EQ(game.walk_step, 79);  // 0 - 1 wraps to the end of the cycle
    run_updates(79, holding({action_left, action_right}));
    EXPECT_EQ(game.walk_step, 0);
    update_step({});
    EXPECT_EQ(game.walk_step, 0);  // standing still shows the standing frame
}

TEST(Movement, JumpRisesNinetyPixelsInThirtyFiveUpdatesAndLands) {
    start_map(flat_floor());
    settle();
    update_step(holding({action_jump}));
    EXPECT_TRUE(player().airborne);
    EXPECT_FLOAT_EQ(player().vy, 0.5f);
    run_updates(34, holding({action_jump}));  // held in the air: no double jump, no longer push
    EXPECT_EQ(player().y, standing_y - 90);
    EXPECT_FLOAT_EQ(player().vy, 0.5f);
    update_step({});
    EXPECT_EQ(player().y, standing_y - 90);  // the apex
    run_updates(60);
    EXPECT_EQ(player().y, standing_y);
    EXPECT_FALSE(player().airborne);
}

TEST(Movement, HeldJumpStartsAgainInTheFirstUpdateAfterLanding) {
    start_map(flat_floor());
    settle();
    int landings = 0;
    for (int i = 0; i < 200; ++i) {
        update_step(holding({action_jump}));
        if (player().airborne) continue;
        ++landings;
        EXPECT_NEAR(player().y, standing_y, 2);  // a 3 px fall may end inside the floor's top
        update_step(holding({action_jump}));
        EXPECT_TRUE(player().airborne);
        EXPECT_EQ(player().jump_timer, 29);
    }
    EXPECT_GE(landings, 2);
}

TEST(Movement, HeadBumpEndsThePushAtOnce) {
    MapText m = flat_floor();
    m.wall(0, standing_y - 50, 799, standing_y - 50);  // ceiling rows about y - 51 .. y - 48
    start_map(m);
    settle();
    int updates = 0;
    update_step(holding({action_jump}));
    while (player().jump_timer > 0 && updates < 40) {
        update_step({});
        ++updates;
    }
    EXPECT_LT(updates, 10);  // bumped long before the 30 push updates run out
    EXPECT_EQ(player().vy, 0.0f);
    const int top = player().y;
    update_step({});
    EXPECT_GE(player().y, top);  // falls from the next update on
    run_updates(60);
    EXPECT_EQ(player().y, standing_y);
}

TEST(Movement, DuckedPlayerUnderALowCeilingStandsOnlyOnceClearOfIt) {
    MapText m = flat_floor();
    m.wall(200, standing_y - 20, 400, standing_y - 20);  // a low roof from x 200 to 400
    m.start_x = 300;
    m.start_y = standing_y;
    start_map(m);
    run_updates(20, holding({action_duck}));
    run_updates(10);
    EXPECT_TRUE(player().ducking);  // no room to stand
    EXPECT_EQ(game.duck_offset, 15);
    int walked = 0;
    while (player().ducking && walked < 200) {
        update_step(holding({action_right}));
        ++walked;
    }
    EXPECT_FALSE(player().ducking);
    EXPECT_EQ(game.duck_offset, 0);
    // Stands as soon as all 25 columns x - 12 .. x + 12 clear the roof's end (about x 401).
    EXPECT_GT(player().x - 12, 401);
    EXPECT_LE(player().x - 12, 401 + 2 + 2);
}

TEST(Movement, WalksUpASlopeByStepUps) {
    MapText m = flat_floor();
    m.wall(300, 401, 500, 301);  // a 1:2 ramp up to a floor 100 px higher
    m.wall(500, 301, 799, 301);
    start_map(m);
    settle();
    run_updates(300, holding({action_right}));
    EXPECT_GT(player().x, 520);  // over the top of the ramp
    EXPECT_EQ(player().y, standing_y - 100);
    EXPECT_FALSE(player().airborne);
}

TEST(Movement, WallsStopTheBodyAndGreenGatesDoNot) {
    MapText m = flat_floor();
    m.wall(400, 200, 400, floor_top, 1);  // white wall
    start_map(m);
    settle();
    run_updates(200, holding({action_right}));
    EXPECT_LT(player().x, 400 - 12);
    EXPECT_GT(player().x, 400 - 20);

    MapText g = flat_floor();
    g.wall(400, 200, 400, floor_top, 4);  // green gate: lasers only
    start_map(g);
    settle();
    run_updates(200, holding({action_right}));
    EXPECT_GT(player().x, 500);
}

TEST(Movement, RedGateBlocksOnlyWhileRedIsOn) {
    MapText m = flat_floor();
    m.wall(400, 200, 400, floor_top, 3);
    start_map(m);
    settle();
    run_updates(200, holding({action_right}));
    EXPECT_LT(player().x, 400);
    world.red_on = false;
    run_updates(100, holding({action_right}));
    EXPECT_GT(player().x, 500);
}

TEST(Movement, MapEdgesBlockEveryProbe) {
    MapText m = open_room();  // no walls at all: the map's edges are all there is
    m.start_x = 400;
    m.start_y = 40;
    start_map(m);
    run_updates(250);
    EXPECT_EQ(player().y, 600 - 32);  // the feet rest on row 600, outside the map
    EXPECT_FALSE(player().airborne);
    run_updates(300, holding({action_left}));
    EXPECT_GE(player().x - 12, 0);  // the probe 15 px out stops the body short of the edge
    EXPECT_LT(player().x, 20);
    run_updates(300, holding({action_right}));
    EXPECT_LT(player().x + 12, 800);
    EXPECT_GT(player().x, 780);

    // Near the top edge a ducked player cannot stand (its head would be outside).
    MapText top = open_room();
    top.wall(0, 60, 799, 60);
    top.start_x = 400;
    top.start_y = 28;
    start_map(top);
    run_updates(60);
    EXPECT_TRUE(player().ducking);
    EXPECT_EQ(player().y, 58 - 32);  // on the floor's top row, but row y - 31 is above the map
}

TEST(Movement, FlyingMovesThreePixelsAndHoldsItsHeight) {
    Settings fly;
    fly.threads = 1;
    fly.i_can_fly = 1;
    MapText high = flat_floor();
    high.start_y = 300;
    start_map(high, fly);
    settle();
    const int y0 = player().y;
    EXPECT_EQ(y0, 300);  // no gravity: it stays where the map put it
    run_updates(10, holding({action_jump}));
    EXPECT_EQ(player().y, y0 - 30);
    EXPECT_EQ(player().jump_timer, 0);  // cleared after every update while flying
    run_updates(10);
    EXPECT_EQ(player().y, y0 - 30);  // no gravity
    run_updates(5, holding({action_duck}));
    EXPECT_EQ(player().y, y0 - 15);
    run_updates(5, holding({action_jump, action_duck}));
    EXPECT_EQ(player().y, y0 - 30);  // jump wins over duck
    run_updates(100, holding({action_duck}));
    EXPECT_EQ(player().y, standing_y);  // the floor still stops it
}

}  // namespace
