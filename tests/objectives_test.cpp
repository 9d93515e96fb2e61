// Pickups, checkpoints and the exit.
#include "game/objectives.hpp"

#include <climits>
#include <cmath>

#include "combat/combat_state.hpp"
#include "support/sim_maps.hpp"

namespace {

// A standing player at x = 100 on flat_floor(), with the map's extras.
void start_standing(MapText m) {
    start_map(m);
    settle();
    ASSERT_EQ(world.player.y, standing_y);
    ASSERT_EQ(world.player.x, 100);
}

TEST(Pickups, EachKindHasItsEffectAndIsTakenInTheSameUpdate) {
    MapText m = flat_floor();
    m.pickup(400, standing_y, 1).pickup(500, standing_y, 2).pickup(600, standing_y, 3).pickup(700, standing_y, 9);
    start_standing(m);
    world.player.health = 100;
    const int lives = world.player.lives;
    run_updates(100, holding({action_right}));  // x 100 -> 400 reaches the medkit's box
    EXPECT_EQ(world.player.health, 100 + 300 / 4);
    EXPECT_EQ(world.pickups.size(), 3u);
    run_updates(34, holding({action_right}));
    EXPECT_EQ(world.player.lives, lives + 1);
    EXPECT_FALSE(world.player.powered);
    run_updates(34, holding({action_right}));
    EXPECT_TRUE(world.player.powered);
    run_updates(34, holding({action_right}));
    EXPECT_TRUE(world.pickups.empty());  // an unknown kind is taken without effect
}

TEST(Pickups, MedkitAtFullHealthIsTakenAndHealthStaysCapped) {
    MapText m = flat_floor();
    m.pickup(100, standing_y, 1);
    start_map(m);
    run_updates(1);
    EXPECT_TRUE(world.pickups.empty());
    EXPECT_EQ(world.player.health, 300);
}

TEST(Pickups, TwoInReachAreTakenInMapOrderWithTheirSparks) {
    MapText m = flat_floor();
    m.pickup(110, standing_y, 2).pickup(90, standing_y, 2);
    start_map(m);
    run_updates(1);
    EXPECT_TRUE(world.pickups.empty());  // both in the first update that reached them
    EXPECT_EQ(world.player.lives, 4);
    ASSERT_EQ(world.sparks.size(), 100u);
    // The spark step of the same update has moved them once.
    for (Spark& s : world.sparks) s.x -= std::cos(s.direction) * static_cast<float>(s.speed);
    EXPECT_NEAR(world.sparks.front().x, 110.0f, 1e-3);
    EXPECT_NEAR(world.sparks.back().x, 90.0f, 1e-3);
}

TEST(Pickups, SparksDrawTheirRandomNumbersInAFixedOrder) {
    MapText m = flat_floor();
    m.pickup(100, standing_y, 1);
    start_map(m);
    run_updates(1);
    ASSERT_EQ(world.sparks.size(), 50u);
    GameRandom r{game_random_seed};
    for (const Spark& s : world.sparks) {
        const int r1 = r.next(), r2 = r.next(), r3 = r.next(), r4 = r.next(), r5 = r.next();
        EXPECT_EQ(s.speed, r1 % 5 + 1);
        EXPECT_EQ(s.colour.b, 128 + r2 % 128);
        EXPECT_EQ(s.colour.g, 128 + r3 % 128);
        EXPECT_EQ(s.colour.r, 128 + r4 % 128);
        EXPECT_EQ(s.colour.a, 255);
        EXPECT_FLOAT_EQ(s.direction, static_cast<float>(r5 / 32767.0 * 6.28));
        EXPECT_EQ(s.life, 9);  // the spark step of the same update aged and moved it once
        EXPECT_NEAR(s.y, static_cast<float>(standing_y) + std::sin(s.direction) * static_cast<float>(s.speed), 1e-3);
    }
}

TEST(Pickups, ReachIsShorterAboveADuckingPlayer) {
    MapText m = flat_floor();
    m.pickup(160, standing_y - 20, 2);
    start_standing(m);
    world.player.ducking = true;
    world.player.x = 160;
    touch_pickups();
    EXPECT_FALSE(world.pickups[0].taken);
    world.player.ducking = false;
    touch_pickups();
    EXPECT_TRUE(world.pickups[0].taken);
}

TEST(Pickups, ReachBoxEdges) {
    MapText m = flat_floor();
    m.pickup(1000, 1000, 2);
    start_map(m);
    struct Case {
        int x, y;
        bool ducking, taken;
    };
    for (Case c : {Case{969, 1000, false, true},
                   {1031, 1000, false, true},
                   {968, 1000, false, false},
                   {1032, 1000, false, false},
                   {1000, 953, false, true},
                   {1000, 952, false, false},
                   {1000, 1047, false, true},
                   {1000, 1048, false, false},
                   {1000, 1015, true, true},
                   {1000, 1016, true, false}}) {
        world.pickups[0].taken = false;
        world.player.x = c.x;
        world.player.y = c.y;
        world.player.ducking = c.ducking;
        touch_pickups();
        EXPECT_EQ(world.pickups[0].taken, c.taken) << c.x << ',' << c.y << " ducking " << c.ducking;
    }
}

TEST(Pickups, ExtremeValuesSaturate) {
    MapText m = flat_floor();
    m.pickup(INT_MIN, INT_MIN, 2).pickup(100, standing_y, 2).pickup(100, standing_y, 1);
    Settings s;
    s.threads = 1;
    s.lives_override = INT_MAX;
    s.health_override = INT_MAX;
    start_map(m, s);
    run_updates(1);
    EXPECT_EQ(world.player.lives, INT_MAX);
    EXPECT_EQ(world.player.health, INT_MAX);
    EXPECT_EQ(world.pickups.size(), 1u);  // the far one stays
}

TEST(Checkpoints, TouchingMovesTheRespawnPointAndTheLaterOneWins) {
    MapText m = flat_floor();
    m.checkpoint(300, standing_y).checkpoint(320, standing_y).checkpoint(600, standing_y);
    start_standing(m);
    EXPECT_EQ(world.last_checkpoint, world.checkpoints.size());  // none yet
    EXPECT_EQ(world.player.respawn_x, 100);
    world.player.x = 300;
    for (int i = 0; i < 3; ++i) {
        touch_checkpoints();
        EXPECT_EQ(world.last_checkpoint, 1u);
        EXPECT_EQ(world.player.respawn_x, 320);
    }
    world.player.x = 600;
    touch_checkpoints();
    EXPECT_EQ(world.last_checkpoint, 2u);
    world.player.x = 450;  // between them: nothing changes
    touch_checkpoints();
    EXPECT_EQ(world.last_checkpoint, 2u);
    EXPECT_EQ(world.player.respawn_x, 600);
    world.player.x = 270;  // only the first is in reach; an earlier one counts again
    touch_checkpoints();
    EXPECT_EQ(world.last_checkpoint, 0u);
    EXPECT_EQ(world.player.respawn_x, 300);
    EXPECT_EQ(world.player.respawn_y, standing_y);
}

TEST(Checkpoints, DuckingReachesLessFarBelow) {
    MapText m = flat_floor();
    m.checkpoint(100, 300);
    start_map(m);
    world.player.x = 100;
    world.player.y = 340;  // within cy + 64 standing, not within cy + 32 ducking
    world.player.ducking = true;
    touch_checkpoints();
    EXPECT_EQ(world.last_checkpoint, 1u);
    world.player.ducking = false;
    touch_checkpoints();
    EXPECT_EQ(world.last_checkpoint, 0u);
}

TEST(Exit, ReachedInsideItsSquareOnly) {
    MapText m = flat_floor();
    m.exit_x = 500;
    m.exit_y = 300;
    start_map(m);
    for (auto [x, y, inside] : {std::tuple{469, 269, true},
                                {531, 331, true},
                                {468, 300, false},
                                {532, 300, false},
                                {500, 268, false},
                                {500, 332, false}}) {
        world.player.x = x;
        world.player.y = y;
        EXPECT_EQ(exit_reached(), inside) << x << ',' << y;
    }
    world.exit_x = INT_MAX;
    world.player.x = INT_MAX;
    world.player.y = 300;
    EXPECT_TRUE(exit_reached());
}

}  // namespace
