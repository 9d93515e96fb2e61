// The frame: its rate gate, updates per frame and the per-frame counters.
#include <string>
#include <vector>

#include "support/sim_maps.hpp"

namespace {

// An endless source of empty inputs that counts how many it gave.
struct CountingSource {
    int given = 0;
    InputSource source() {
        return [this](UpdateInput& in) {
            in = {};
            ++given;
            return true;
        };
    }
};

Settings frame_settings(int alternate_timer, int max_framerate, int multiplier = 1) {
    Settings s;
    s.threads = 1;
    s.use_alternate_timer = alternate_timer;
    s.max_framerate = max_framerate;
    s.game_speed_multiplier = multiplier;
    return s;
}

// Updates run by each frame of the given durations (ms).
std::vector<int> updates_per_frame(std::initializer_list<uint32_t> frame_ms) {
    CountingSource counter;
    const InputSource source = counter.source();
    std::vector<int> runs;
    FrameView headless;
    for (uint32_t ms : frame_ms) runs.push_back(run_frame(ms, source, headless).updates_run);
    return runs;
}

TEST(FrameGate, AlternateTimerWaitsForStrictlyMoreThanOneFramesShare) {
    start_map(flat_floor(), frame_settings(1, 50));  // 20 ms a frame
    EXPECT_EQ(updates_per_frame({10, 10, 10, 10, 10, 10}), (std::vector<int>{0, 0, 1, 0, 0, 1}));
    start_map(flat_floor(), frame_settings(1, 60));  // 16.67 ms: the remainder is dropped
    EXPECT_EQ(updates_per_frame({10, 10, 10, 10, 17, 16, 1}), (std::vector<int>{0, 1, 0, 1, 1, 0, 1}));
    EXPECT_EQ(game.frame_time_sum, 0u);
}

TEST(FrameGate, EveryFrameRunsWithoutTheAlternateTimerOrWithoutAFrameRate) {
    start_map(flat_floor(), frame_settings(0, 60));
    EXPECT_EQ(updates_per_frame({0, 1, 0}), (std::vector<int>{1, 1, 1}));
    start_map(flat_floor(), frame_settings(1, 0));
    EXPECT_EQ(updates_per_frame({0, 5, 5}), (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(game.frame_time_sum, 10u);  // never reset at a frame rate below 1
    start_map(flat_floor(), frame_settings(1, 0));
    EXPECT_EQ(updates_per_frame({UINT32_MAX, UINT32_MAX}), (std::vector<int>{1, 1}));
    EXPECT_EQ(game.frame_time_sum, UINT32_MAX);  // saturates instead of wrapping
}

TEST(FrameGate, MultiplierRunsThatManyUpdatesPerGatedFrame) {
    start_map(flat_floor(), frame_settings(0, 60, 3));
    EXPECT_EQ(updates_per_frame({16, 16}), (std::vector<int>{3, 3}));
    EXPECT_EQ(game.updates, 6);
    start_map(flat_floor(), frame_settings(1, 50, 3));
    EXPECT_EQ(updates_per_frame({15, 15}), (std::vector<int>{0, 3}));

    start_map(flat_floor(), frame_settings(0, 60, 0));  // uncorrected: nothing moves, not even the camera
    const int camera_x = world.camera_x;
    EXPECT_EQ(updates_per_frame({16, 16}), (std::vector<int>{0, 0}));
    EXPECT_EQ(world.camera_x, camera_x);
}

TEST(FrameGate, InputRunningOutEndsTheFrameEarly) {
    start_map(flat_floor(), frame_settings(0, 60, 3));
    int left = 4;
    const InputSource four = [&left](UpdateInput& in) {
        in = {};
        return left-- > 0;
    };
    FrameView headless;
    FrameResult first = run_frame(16, four, headless);
    EXPECT_EQ(first.updates_run, 3);
    EXPECT_FALSE(first.input_ended);
    FrameResult second = run_frame(16, four, headless);
    EXPECT_EQ(second.updates_run, 1);
    EXPECT_TRUE(second.input_ended);
}

TEST(FrameCounters, ArmAndExitAdvanceOnGatedFramesOnly) {
    MapText m = flat_floor();
    m.exit_x = 600;  // on screen
    m.exit_y = 200;
    start_map(m, frame_settings(1, 50));
    updates_per_frame({10});  // not gated
    EXPECT_EQ(game.arm_step, 0);
    EXPECT_EQ(world.exit_spin, 0.0f);
    for (int i = 0; i < 31; ++i) updates_per_frame({21});
    EXPECT_EQ(game.arm_step, 1);  // 0..29, then round again
    EXPECT_EQ(world.exit_spin, 31 * 30 % 360);

    start_map(flat_floor(), frame_settings(0, 60));  // the exit far off screen does not spin
    updates_per_frame({16, 16});
    EXPECT_EQ(game.arm_step, 2);
    EXPECT_EQ(world.exit_spin, 0.0f);
}

// Records what the frame driver asks of the window, in order.
struct RecordingView : FrameView {
    std::vector<std::string> calls;
    int32_t x_at_death = 0;
    void music(bool f9) override { calls.push_back(f9 ? "music f9" : "music"); }
    void draw_scene(bool gate) override { calls.push_back(gate ? "scene" : "scene ungated"); }
    void exit_sequence() override { calls.push_back("exit"); }
    void death_sequence() override {
        calls.push_back("death");
        x_at_death = world.player.x;
    }
    void game_over_sequence() override { calls.push_back("game over"); }
    void finish_frame(bool player_drawn) override { calls.push_back(player_drawn ? "finish" : "finish unseen"); }
};

TEST(FrameDriver, TheWindowHooksComeInTheirPlaceAroundTheSimulation) {
    using Calls = std::vector<std::string>;
    Settings s = frame_settings(0, 60, 2);
    s.lives_override = 1;
    start_map(flat_floor(), s);
    RecordingView view;
    UpdateInput f9;
    f9.f9_pressed = true;
    const InputSource skipping = [&f9](UpdateInput& in) {
        in = f9;
        return true;
    };
    EXPECT_EQ(run_frame(16, skipping, view).outcome, FrameOutcome::playing);
    EXPECT_EQ(view.calls, (Calls{"music f9", "music f9", "scene", "finish"}));

    // A death: the sequence sees the player where it died, then it respawns unseen.
    view.calls.clear();
    world.player.x = 500;
    world.player.health = 0;
    EXPECT_EQ(run_frame(16, {}, view).outcome, FrameOutcome::playing);
    EXPECT_EQ(view.calls, (Calls{"scene", "death", "finish unseen"}));
    EXPECT_EQ(view.x_at_death, 500);
    EXPECT_EQ(world.player.x, 100);

    view.calls.clear();
    world.player.health = 0;
    EXPECT_EQ(run_frame(16, {}, view).outcome, FrameOutcome::game_over);
    EXPECT_EQ(view.calls, (Calls{"scene", "game over"}));

    MapText m = flat_floor();
    m.exit_x = 100;
    m.exit_y = standing_y;
    start_map(m, s);
    view.calls.clear();
    EXPECT_EQ(run_frame(16, {}, view).outcome, FrameOutcome::won);
    EXPECT_EQ(view.calls, (Calls{"scene", "exit"}));
}

// A hit flash shows on exactly one drawn frame: an enemy's on the next frame
// that draws it, gated or not (enemies beyond the drawn margin keep theirs),
// the player's on the next frame that draws the player, which a respawn skips.
TEST(FrameCounters, AHitFlashShowsOnTheOneFrameThatDrawsIt) {
    struct FlashView : FrameView {
        std::vector<bool> enemy_flags_drawn;
        std::vector<bool> player_flags_drawn;  // only when the player is drawn
        void draw_scene(bool) override {
            for (const Enemy& e : world.enemies) enemy_flags_drawn.push_back(e.hit_flash);
        }
        void finish_frame(bool player_drawn) override {
            if (player_drawn) player_flags_drawn.push_back(world.player.hit_flash);
        }
    };
    start_map(flat_floor(), frame_settings(1, 50));  // 20 ms a frame; no source, so no updates
    world.camera_x = world.camera_y = 0;
    const int32_t right_edge = world.screen_width + enemy_draw_margin;
    Enemy drawn, beyond;
    drawn.x = right_edge;
    beyond.x = right_edge + 1;
    drawn.y = beyond.y = 300;
    drawn.hit_flash = beyond.hit_flash = true;
    world.enemies = {drawn, beyond};
    world.player.hit_flash = true;
    FlashView view;
    run_frame(10, {}, view);  // not gated: the scene is drawn all the same
    run_frame(10, {}, view);
    EXPECT_EQ(view.enemy_flags_drawn, (std::vector<bool>{true, true, false, true}));
    EXPECT_EQ(view.player_flags_drawn, (std::vector<bool>{true, false}));
    EXPECT_TRUE(world.enemies[1].hit_flash);
    world.camera_x = -1;  // now the second enemy is drawn too
    run_frame(10, {}, view);
    run_frame(10, {}, view);
    EXPECT_EQ(view.enemy_flags_drawn, (std::vector<bool>{true, true, false, true, false, true, false, false}));

    // Hurt and dead in the same frame: the player respawns unseen and shows the flash on the next.
    view.player_flags_drawn.clear();
    world.player.hit_flash = true;
    world.player.health = 0;
    run_frame(10, {}, view);
    EXPECT_TRUE(view.player_flags_drawn.empty());
    EXPECT_TRUE(world.player.hit_flash);
    run_frame(10, {}, view);
    EXPECT_EQ(view.player_flags_drawn, (std::vector<bool>{true}));
    EXPECT_FALSE(world.player.hit_flash);
}

}  // namespace
