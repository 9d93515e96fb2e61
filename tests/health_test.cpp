// Losing lives: respawning at the right place, and the end of the game.
#include "game/health.hpp"

#include <climits>

#include "support/sim_maps.hpp"

namespace {

// One frame with no input left to give: just the frame's end tests.
FrameOutcome frame_without_updates() {
    FrameView headless;
    return run_frame(16, {}, headless).outcome;
}

Settings with_lives(int lives) {
    Settings s;
    s.threads = 1;
    s.lives_override = lives;
    return s;
}

TEST(Lives, NoSpareLifeMeansTheFirstDeathEndsTheGame) {
    start_map(flat_floor(), with_lives(0));
    settle();
    world.player.health = 0;  // exactly zero counts as dead
    EXPECT_EQ(frame_without_updates(), FrameOutcome::game_over);
    EXPECT_EQ(world.player.lives, -1);
}

TEST(Lives, RespawnAtTheStartBeforeAnyCheckpoint) {
    start_map(flat_floor(), with_lives(1));
    settle();
    run_updates(50, holding({action_right}));
    update_step(holding({action_jump}));
    world.player.health = -5;
    world.player.powered = true;
    EXPECT_EQ(frame_without_updates(), FrameOutcome::playing);
    const Player& p = world.player;
    EXPECT_EQ(p.lives, 0);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, standing_y);
    EXPECT_EQ(p.fx, 100.0f);
    EXPECT_EQ(p.health, 300);
    EXPECT_EQ(p.jump_timer, 0);
    EXPECT_TRUE(p.ducking);
    EXPECT_TRUE(p.powered);  // a power-up outlives the death
    EXPECT_EQ(game.duck_offset, 15);
    EXPECT_EQ(world.camera_x, 400 - 100);  // centred, clamped by the next update
    update_step({});
    EXPECT_EQ(world.camera_x, 0);
    EXPECT_FALSE(p.ducking);  // stands up at once with room above

    world.player.health = 0;
    EXPECT_EQ(frame_without_updates(), FrameOutcome::game_over);
}

TEST(Lives, RespawnAtTheLastCheckpointTouched) {
    MapText m = flat_floor();
    m.checkpoint(300, standing_y);
    start_map(m);
    settle();
    run_updates(100, holding({action_right}));
    ASSERT_EQ(world.last_checkpoint, 0u);
    world.player.health = 0;
    EXPECT_EQ(frame_without_updates(), FrameOutcome::playing);
    EXPECT_EQ(world.player.x, 300);
    EXPECT_EQ(world.player.y, standing_y);
    EXPECT_EQ(world.player.lives, 1);

    // The pause menu's restart costs a life the same way, however much health is left.
    run_updates(60, holding({action_right}));
    forfeit_life();
    EXPECT_EQ(frame_without_updates(), FrameOutcome::playing);
    EXPECT_EQ(world.player.x, 300);
    EXPECT_EQ(world.player.health, 300);
    EXPECT_EQ(world.player.lives, 0);
    forfeit_life();
    EXPECT_EQ(frame_without_updates(), FrameOutcome::game_over);
}

TEST(Lives, ReachingTheExitWinsEvenWithNoHealthLeft) {
    MapText m = flat_floor();
    m.exit_x = 100;
    m.exit_y = standing_y;
    start_map(m, with_lives(0));
    world.player.health = 0;
    EXPECT_EQ(frame_without_updates(), FrameOutcome::won);
}

TEST(Lives, LosingALifeNeverWrapsTheCount) {
    start_map(flat_floor(), with_lives(INT_MIN));
    EXPECT_EQ(take_life(), LifeOutcome::game_over);
    EXPECT_EQ(world.player.lives, INT_MIN);
}

}  // namespace
