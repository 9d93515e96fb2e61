// The replay text format, the recorded replay's header and footer, the ghost
// file, the race clock, and the replay cursor.
#include "game/replay.hpp"

#include <functional>

#include "game/ghost.hpp"
#include "game/race_clock.hpp"
#include "game/replay_file.hpp"
#include "support/sim_maps.hpp"

namespace {

TEST(ReplayFormat, ReadsRunsCommentsAndBlankLines) {
    Replay r;
    std::string why;
    ASSERT_TRUE(
        parse_replay("# walk, then jump at a world point\n"
                     "\n"
                     "30 r 400 300\r\n"
                     "   # indented comment\n"
                     "2 jls @-12 +40\n"
                     "1\t-\t0\t0\n"
                     "5 fdhc 1 2",
                     r, why))
        << why;
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_EQ(r.total_updates, 38);
    EXPECT_EQ(r.runs[0].count, 30);
    EXPECT_TRUE(r.runs[0].held[action_right]);
    EXPECT_FALSE(r.runs[0].world_point);
    EXPECT_EQ(r.runs[0].x, 400);
    EXPECT_EQ(r.runs[0].y, 300);
    EXPECT_TRUE(r.runs[1].held[action_jump] && r.runs[1].held[action_left] && r.runs[1].held[action_shoot]);
    EXPECT_FALSE(r.runs[1].held[action_right]);
    EXPECT_TRUE(r.runs[1].world_point);
    EXPECT_EQ(r.runs[1].x, -12);
    EXPECT_EQ(r.runs[1].y, 40);
    EXPECT_EQ(r.runs[2].held, (std::array<bool, action_count>{}));
    EXPECT_TRUE(r.runs[3].f9_pressed && r.runs[3].held[action_duck] && r.runs[3].held[action_shield]);
    EXPECT_TRUE(r.runs[3].restart && !r.runs[0].restart);
    EXPECT_EQ(replay_line(r.runs[1]), "2 jls @-12 40");
    EXPECT_EQ(replay_line(r.runs[3]), "5 dhfc 1 2");
    EXPECT_TRUE(parse_replay("", r, why));
    EXPECT_TRUE(r.runs.empty());
}

TEST(ReplayFormat, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* line;
    };
    for (Case c : {Case{"1 r 0 0\n0 r 0 0\n", "line 2:"},
                   {"x r 0 0", "line 1:"},
                   {"1 r 0", "line 1:"},
                   {"1 r 0 0 9", "line 1:"},
                   {"\n\n1 q 0 0", "line 3:"},
                   {"1 r 0.5 0", "line 1:"},
                   {"1 r 0 2147483648", "line 1:"},
                   {"1 r @ 0", "line 1:"},
                   {"1000001 r 0 0", "line 1:"},
                   {"-4 r 0 0", "line 1:"},
                   {"1 - - 0", "line 1:"},
                   {"1 rr 0 0\n#\n2 R 0 0", "line 3:"}}) {
        Replay r;
        std::string why;
        EXPECT_FALSE(parse_replay(c.text, r, why)) << c.text;
        EXPECT_NE(why.find(c.line), std::string::npos) << c.text << " -> " << why;
    }
}

TEST(ReplayFormat, AWholeReplayIsBounded) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += "1000000 r 0 0\n";
    Replay r;
    std::string why;
    EXPECT_TRUE(parse_replay(text, r, why)) << why;
    text += "1 r 0 0\n";
    EXPECT_FALSE(parse_replay(text, r, why));
    EXPECT_NE(why.find("line 11:"), std::string::npos) << why;
}

// A recorded replay as the game writes it, with `change` applied to its text.
std::string recorded(const std::function<void(std::string&)>& change = {}) {
    ReplayHeader h{"first-steps.txt", std::string(64, 'c'), "2026-12-08 17:45:03", Settings{}};
    h.settings.laser_speed = 9;
    h.settings.threads = 2;
    ReplayOutcome o;
    o.result = FrameOutcome::won;
    o.updates = 31;
    o.checkpoint = 0;
    std::string text = replay_header_text(h) + "30 r 400 300\n1 rc 401 300\n" + replay_footer_text(outcome_lines(o));
    if (change) change(text);
    return text;
}

void replace(std::string& text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
}

TEST(ReplayFile, AWrittenFileReadsBackAndEveryFlawIsNamed) {
    ReplayFile f;
    std::string why;
    ASSERT_TRUE(parse_replay_file(recorded(), f, why)) << why;
    ASSERT_TRUE(f.header);
    EXPECT_EQ(f.header->map, "first-steps.txt");
    EXPECT_EQ(f.header->settings.laser_speed, 9);
    EXPECT_EQ(f.header->settings.threads, 2);
    EXPECT_EQ(f.header->settings.use_shader, Settings{}.use_shader);  // not a simulation setting: not kept
    EXPECT_EQ(f.replay.total_updates, 31);
    EXPECT_TRUE(f.replay.runs[1].restart);
    ASSERT_EQ(f.footer.size(), 14u);
    EXPECT_EQ(f.footer[0], "result won");
    EXPECT_EQ(f.footer[11], "checkpoint 0");
    ASSERT_TRUE(parse_replay_file("# a plain replay, as the routes are\n5 r 0 0\n", f, why)) << why;
    EXPECT_FALSE(f.header);
    EXPECT_TRUE(f.footer.empty());

    struct Case {
        std::function<void(std::string&)> change;
        const char* says;
    };
    const std::vector<Case> cases = {
        {[](std::string& t) { replace(t, "replay 1", "replay 2"); }, "another format"},
        {[](std::string& t) { replace(t, "# map first-steps.txt\n", ""); }, "names no map"},
        {[](std::string& t) { replace(t, "# map first-steps.txt", "# map Maps/first-steps.txt"); }, "plain file name"},
        {[](std::string& t) { replace(t, "# map first-steps.txt", "# map .hidden"); }, "plain file name"},
        {[](std::string& t) { replace(t, "cccc", "CCCC"); }, "64 lowercase"},
        {[](std::string& t) { replace(t, "# setting laser_speed 9\n", ""); }, "does not give the setting laser_speed"},
        {[](std::string& t) { replace(t, "laser_speed 9", "laser_speed 9\n# setting laser_speed 9"); }, "twice"},
        {[](std::string& t) { replace(t, "laser_speed 9", "laser_speed 2147483648"); }, "32 bits"},
        {[](std::string& t) { replace(t, "laser_speed 9", "use_shader 0"); }, "not a recorded setting"},
        {[](std::string& t) { replace(t, "# recorded", "# colour blue\n# recorded"); }, "not a header field"},
        {[](std::string& t) { t.resize(t.size() - 6); }, "cut short"},
        {[](std::string& t) { t += "1 r 0 0\n"; }, "cut short"},
        {[](std::string& t) { replace(t, "# lives 0\n", ""); }, "footer is malformed"},
        {[](std::string& t) { replace(t, "result won", "result lost"); }, "won, game_over or unfinished"},
        {[](std::string& t) { replace(t, "# player 0 0", "# player 0"); }, "\"player\""},
        {[](std::string& t) { replace(t, "# updates 31", "# updates 10000001"); }, "at most 10000000"},
        {[](std::string& t) { replace(t, "1 rc", "1 rx"); }, "line 30:"},
        {[](std::string& t) { t = "5 r 0 0\n1 rx 0 0\n"; }, "line 2:"},  // a plain replay
    };
    for (const Case& c : cases) {
        const std::string text = recorded(c.change);
        EXPECT_FALSE(parse_replay_file(text, f, why)) << text;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.says << " -> " << why;
        EXPECT_EQ(why.find('\n'), std::string::npos) << why;
        EXPECT_FALSE(f.header);
        EXPECT_TRUE(f.replay.runs.empty() && f.footer.empty()) << "nothing half read";
    }
}

TEST(ReplayFile, OutcomesArePartedAtTheirFirstDifferingLine) {
    const std::vector<std::string> a = {"result won", "updates 31"}, b = {"result won", "updates 32"};
    EXPECT_EQ(first_outcome_difference(a, a), "");
    EXPECT_EQ(first_outcome_difference(a, b), "Played \"updates 31\" where the replay recorded \"updates 32\".");
    EXPECT_NE(first_outcome_difference(a, {"result won"}).find("recorded \"nothing\""), std::string::npos);
}

TEST(Ghost, TimesAreShownInHundredthsAndAGhostFileIsCheckedLineByLine) {
    for (auto [updates, shown] : std::vector<std::pair<int64_t, const char*>>{{0, "0:00.00"},
                                                                              {1, "0:00.01"},
                                                                              {59, "0:00.98"},
                                                                              {60, "0:01.00"},
                                                                              {2519, "0:41.98"},
                                                                              {3600, "1:00.00"},
                                                                              {216000, "60:00.00"},
                                                                              {-5, "0:00.00"}})
        EXPECT_EQ(race_time(updates), shown) << updates;
    EXPECT_EQ(race_difference(-30), "-0.50");
    EXPECT_EQ(race_difference(75), "+1.25");
    EXPECT_EQ(race_difference(3661), "+1:01.01");
    EXPECT_EQ(race_difference(0), "+0.00");

    GhostTrack track;
    std::string why;
    ASSERT_TRUE(parse_ghost("# vantorel ghost 1\n3 10 20 - -1\n2 13 20 dl 0\n1000000 13 20 l 1\n# end\n", track, why))
        << why;
    EXPECT_EQ(track.size(), 1000005);
    EXPECT_EQ(track.after(3)->x, 10);
    EXPECT_TRUE(track.after(4)->ducking && track.after(4)->facing_left);
    EXPECT_EQ(track.first_touch(0), 4);
    EXPECT_EQ(track.first_touch(1), 6);
    EXPECT_EQ(track.first_touch(2), -1);
    for (const char* bad :
         {"3 10 20 - -1\n# end\n", "# vantorel ghost 1\n3 10 20 - -1\n", "# vantorel ghost 1\n3 10 20 x -1\n# end\n",
          "# vantorel ghost 1\n0 10 20 - -1\n# end\n", "# vantorel ghost 1\n3 10 20 - -2\n# end\n",
          "# vantorel ghost 1\n# end\n1 0 0 - 0\n", "# vantorel ghost 1\n1 0 0 - 0 9\n# end\n"}) {
        EXPECT_FALSE(parse_ghost(bad, track, why)) << bad;
        EXPECT_EQ(why.find('\n'), std::string::npos);
    }
    std::string huge = "# vantorel ghost 1\n";
    for (int i = 0; i < 11; ++i) huge += "1000000 0 0 - -1\n";
    EXPECT_FALSE(parse_ghost(huge + "# end\n", track, why));
    EXPECT_NE(why.find("runs past"), std::string::npos) << why;
}

TEST(Ghost, TheRaceClockComparesCheckpointsWithTheBestRun) {
    MapText m = flat_floor();
    m.checkpoint(160, standing_y).checkpoint(250, standing_y);
    start_map(m);
    GhostTrack best;  // touched checkpoint 0 at update 10 and checkpoint 1 at update 50
    best.add(9, {100, standing_y, false, false, -1});
    best.add(40, {160, standing_y, false, false, 0});
    best.add(1, {250, standing_y, false, false, 1});
    RaceClock clock(&best);
    EXPECT_FALSE(clock.difference());
    int64_t first_touch = 0;
    for (int u = 0; u < 60; ++u) {
        update_step(holding({action_right}));
        clock.after_update();
        if (world.last_checkpoint == 0 && first_touch == 0) first_touch = game.updates;
        if (world.last_checkpoint == 0) {
            EXPECT_EQ(clock.difference(), first_touch - 10) << game.updates;
        }
    }
    ASSERT_EQ(world.last_checkpoint, 1u) << "the walk reaches the second checkpoint";
    EXPECT_LT(*clock.difference(), 0) << "walking straight on beats a best that dawdled";
    EXPECT_FALSE(RaceClock(nullptr).difference());
}

TEST(ReplayCursor, HandsOutEachRunForItsCountWithWorldPointsThroughTheCamera) {
    MapText m = open_room();
    m.width = 3000;
    m.start_x = 1500;
    start_map(m);
    Replay r;
    std::string why;
    ASSERT_TRUE(parse_replay("2 r @1000 50\n1 fjc 7 8\n", r, why)) << why;
    ReplayCursor cursor(r);
    UpdateInput in;
    ASSERT_TRUE(cursor.next(in));
    EXPECT_TRUE(in.held[action_right]);
    EXPECT_EQ(in.mouse_x, 1000 + world.camera_x);
    EXPECT_EQ(in.mouse_y, 50 + world.camera_y);
    world.camera_x = -777;
    ASSERT_TRUE(cursor.next(in));
    EXPECT_EQ(in.mouse_x, 1000 - 777);
    ASSERT_TRUE(cursor.next(in));
    EXPECT_TRUE(in.f9_pressed && in.held[action_jump] && in.restart);
    EXPECT_FALSE(in.held[action_right]);
    EXPECT_EQ(in.mouse_x, 7);
    EXPECT_TRUE(cursor.done());
    EXPECT_FALSE(cursor.next(in));
}

}  // namespace
