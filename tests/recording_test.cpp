// A game recorded the way the window records it, written out, read back and
// played without a window: the same outcome, update for update, whatever the
// timer and the number of workers, with the pause menu's restart on the way.
#include <algorithm>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/ghost.hpp"
#include "game/race_clock.hpp"
#include "game/replay.hpp"
#include "game/replay_file.hpp"
#include "game/replay_library.hpp"
#include "game/replay_recorder.hpp"
#include "game/update.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

// What one update leaves behind, for comparing runs update by update.
struct UpdateTrace {
    int32_t x, y, health, lives;
    float fx, fy;
    size_t enemies, lasers, sparks;
    uint32_t random;
    bool operator==(const UpdateTrace&) const = default;
};

UpdateTrace trace_now() {
    const Player& p = world.player;
    return {p.x,
            p.y,
            p.health,
            p.lives,
            p.fx,
            p.fy,
            world.enemies.size(),
            world.lasers.size(),
            world.sparks.size(),
            combat.random.state};
}

Replay route_of_map_1() {
    std::ifstream in(VANTOREL_SOURCE_DIR "/tests/routes/map1.replay", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Replay replay;
    std::string why;
    EXPECT_TRUE(parse_replay(text.str(), replay, why)) << why;
    return replay;
}

struct RecordedGame {
    std::string file;  // the replay file as the game writes it
    std::string ghost;
    ReplayOutcome outcome;
    std::vector<UpdateTrace> trace;
    int64_t restart_update = 0;  // the update that took the restart
};

// Map 1's route played as the window plays a game: frames of 7 ms, each
// update's input handed out through the recorder (the route's world points
// become window px with the camera of the moment, as a held pointer would).
// Before frame `restart_frame` the pause menu's restart is chosen; the player
// leaves once the route's input is used up.
RecordedGame record_route(int threads, bool alternate_timer, int restart_frame) {
    Settings s;
    s.threads = threads;
    s.use_alternate_timer = alternate_timer ? 1 : 0;  // 60 per second: one frame in three runs an update
    correct_settings(s, threads);
    settings = s;
    std::string why;
    const std::optional<LoadedGame> loaded = start_game(builtin_map_text(1), why);
    EXPECT_TRUE(loaded) << why;
    const Replay route = route_of_map_1();
    ReplayCursor cursor(route);
    ReplayRecorder recorder;
    RecordedGame game_played;
    const InputSource window = [&](UpdateInput& in) {
        if (!cursor.next(in)) in = UpdateInput{};  // the player stands still until the frame is over
        recorder.hand_out(in);
        if (in.restart) game_played.restart_update = game.updates + 1;
        return true;
    };
    const UpdateWatcher after = [&] {
        recorder.pose();
        game_played.trace.push_back(trace_now());
    };
    FrameOutcome result = FrameOutcome::playing;
    FrameView no_window;
    for (int frame = 0; result == FrameOutcome::playing && !cursor.done(); ++frame) {
        if (frame == restart_frame) recorder.restart();
        result = run_frame(7, window, no_window, after).outcome;
    }
    game_played.outcome = current_outcome(result);
    ReplayHeader header{"1", builtin_map_identity(1).sha256, "2026-12-08 17:45:03", settings};
    game_played.file = recorder.replay_text(header, game_played.outcome);
    game_played.ghost = recorder.ghost();
    return game_played;
}

// The file read back and played as `vantorel-tool play` plays it, with `threads` workers.
RecordedGame replay_file(const std::string& text, int threads, FrameView* view = nullptr,
                         const UpdateWatcher& also = {}) {
    ReplayFile file;
    std::string why;
    EXPECT_TRUE(parse_replay_file(text, file, why)) << why;
    EXPECT_TRUE(file.header.has_value());
    Settings own;
    own.threads = threads;
    settings = replay_play_settings(own, file.header->settings);
    correct_settings(settings, threads);
    std::string map_text = *map_for_replay(*file.header, {}, why);
    const std::optional<LoadedGame> loaded = start_game(map_text.c_str(), why);
    EXPECT_TRUE(loaded) << why;
    RecordedGame played;
    const UpdateWatcher watch = [&] {
        played.trace.push_back(trace_now());
        if (also) also();
    };
    if (view == nullptr) {
        played.outcome = play_replay(file.replay, watch);
    } else {  // as play_replay, with a window's view of each frame
        ReplayCursor cursor(file.replay);
        const InputSource source = [&cursor](UpdateInput& in) { return cursor.next(in); };
        FrameOutcome result = FrameOutcome::playing;
        while (result == FrameOutcome::playing && !cursor.done()) result = run_frame(16, source, *view, watch).outcome;
        played.outcome = current_outcome(result);
    }
    return played;
}

TEST(Recording, AGameWithARestartReplaysAlikeWithOneAndTwoWorkersUnderEitherTimer) {
    for (const bool alternate : {false, true}) {
        for (const int threads : {1, 2}) {
            SCOPED_TRACE(testing::Message() << (alternate ? "alternate timer, " : "") << threads << " workers");
            // Frame 1201 runs no update under the alternate timer; the restart waits for frame 1202.
            const RecordedGame game_played = record_route(threads, alternate, alternate ? 1201 : 400);
            EXPECT_EQ(game_played.restart_update, alternate ? 401 : 401);
            // The frame of the restart's update took a life and sent the player back to the start.
            const UpdateTrace& before = game_played.trace[static_cast<size_t>(game_played.restart_update) - 1];
            const UpdateTrace& after = game_played.trace[static_cast<size_t>(game_played.restart_update)];
            EXPECT_EQ(after.lives, before.lives - 1);
            EXPECT_GT(before.x, 1000);
            EXPECT_LT(after.x, 70);  // one update's walk from the start, x 61
            EXPECT_NE(game_played.file.find("\n1 drc "), std::string::npos) << "the restart is one update's letter";

            for (const int replay_threads : {1, 2}) {
                const RecordedGame replayed = replay_file(game_played.file, replay_threads);
                ASSERT_EQ(replayed.trace.size(), game_played.trace.size()) << replay_threads << " workers replaying";
                for (size_t i = 0; i < replayed.trace.size(); ++i)
                    ASSERT_TRUE(replayed.trace[i] == game_played.trace[i]) << "update " << i + 1;
                ReplayFile file;
                std::string why;
                ASSERT_TRUE(parse_replay_file(game_played.file, file, why)) << why;
                EXPECT_EQ(outcome_lines(replayed.outcome), file.footer);
                EXPECT_TRUE(first_outcome_difference(outcome_lines(replayed.outcome), file.footer).empty());
            }
        }
    }
}

// A window's view while racing a ghost: each frame looks up the ghost's pose, as the drawing does.
class RacingView : public FrameView {
public:
    explicit RacingView(const GhostTrack& ghost) : ghost_(ghost) {}
    void finish_frame(bool) override { shown += ghost_.after(game.updates) != nullptr; }
    int64_t shown = 0;

private:
    const GhostTrack& ghost_;
};

TEST(Recording, TheGhostStandsWhereTheRunStoodAndRacingItChangesNothing) {
    const RecordedGame won = record_route(1, false, -1);
    ASSERT_EQ(won.outcome.result, FrameOutcome::won);
    GhostTrack ghost;
    std::string why;
    ASSERT_TRUE(parse_ghost(won.ghost, ghost, why)) << why;
    ASSERT_EQ(ghost.size(), static_cast<int64_t>(won.trace.size()));
    for (int64_t u = 1; u <= ghost.size(); ++u) {
        const UpdateTrace& t = won.trace[static_cast<size_t>(u - 1)];
        ASSERT_EQ(ghost.after(u)->x, t.x) << "update " << u;
        ASSERT_EQ(ghost.after(u)->y, t.y) << "update " << u;
    }
    EXPECT_EQ(ghost.after(0), nullptr);
    EXPECT_EQ(ghost.after(ghost.size() + 1), nullptr);

    // The same replay with the ghost raced and without: the same game, update for update.
    const RecordedGame plain = replay_file(won.file, 1);
    RacingView racing(ghost);
    RaceClock clock(&ghost);
    const RecordedGame raced = replay_file(won.file, 1, &racing, [&clock] { clock.after_update(); });
    EXPECT_EQ(racing.shown, ghost.size() - 1);  // the winning frame shows the exit's sequence instead
    ASSERT_EQ(raced.trace.size(), plain.trace.size());
    EXPECT_TRUE(std::equal(raced.trace.begin(), raced.trace.end(), plain.trace.begin()));
    EXPECT_EQ(outcome_lines(raced.outcome), outcome_lines(plain.outcome));
}

}  // namespace
