// The replay player: map and replay in, one outcome out, the same every time.
#include "tools/play.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "app/sha256.hpp"
#include "game/replay_file.hpp"
#include "support/sim_maps.hpp"
#include "tools/tool_input.hpp"

namespace {

namespace fs = std::filesystem;

// A scratch folder of its own for each test.
class Play : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("vantorel_play_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(const std::string& name, const std::string& text) {
        const fs::path p = dir_ / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }

    struct Run {
        int status;
        std::string out, err;
    };
    Run play(PlayOptions o) {
        std::ostringstream out, err;
        const int status = run_play(o, out, err);
        return {status, out.str(), err.str()};
    }
    // A map with the exit 200 px to the right of the start, and a replay.
    PlayOptions walk_to_exit(const std::string& replay) {
        MapText m = flat_floor();
        m.exit_x = 300;
        m.exit_y = standing_y;
        m.checkpoint(200, standing_y);
        PlayOptions o;
        o.map = file("walk.map", m.text());
        o.replay = file("walk.replay", replay);
        return o;
    }

    fs::path dir_;
};

std::string value_of(const std::string& out, const std::string& key) {
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ' ', 0) == 0) return line.substr(key.size() + 1);
    return "<missing>";
}

TEST_F(Play, PrintsTheOutcomeOneFactALine) {
    const Run r = play(walk_to_exit("10 - 0 0\n"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "result unfinished\nupdates 10\nplayer 100 367\nhealth 300\nlives 2\npowered 0\nenemies 0\n"
              "pickups 0\nlasers 0\nexplosions 0\nswitches 1 1 1\ncheckpoint -1\nrespawn 100 367\n"
              "camera 0 0\n");
    EXPECT_TRUE(r.err.empty());
}

TEST_F(Play, StopsWhenTheExitIsReached) {
    const Run r = play(walk_to_exit("# walk right\n500 r @300 367\n"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(value_of(r.out, "result"), "won");
    EXPECT_EQ(value_of(r.out, "updates"), "57");  // x 100 + 3 * 57 = 271, the exit's left edge is 269
    EXPECT_EQ(value_of(r.out, "checkpoint"), "0");
    EXPECT_EQ(value_of(r.out, "respawn"), "200 367");
}

TEST_F(Play, SameInputsGiveTheSameOutputWhateverTheWorkerCount) {
    PlayOptions o = walk_to_exit("20 r 0 0\n40 j 700 100\n30 ls @50 50\n10 dh 0 0\n");
    o.trace = true;
    o.threads = 1;
    const Run one = play(o);
    o.threads = 7;
    const Run seven = play(o);
    o.threads = 2147483647;
    const Run most = play(o);
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, seven.out);
    EXPECT_EQ(one.out, most.out);
    EXPECT_EQ(one.out.find("update 1 player 103 367 speed 0 0 airborne 0 ducking 0 health 300\n"), 0u) << one.out;
}

TEST_F(Play, NearListsTheEnemiesAroundThePlayerUnderEachTraceLine) {
    PlayOptions o;
    o.map = "1";
    o.replay = file("idle.replay", "1 - 0 0\n");
    o.trace = true;
    o.near = 500;  // map 1's turret stands 475 px right of the start, its other two enemies farther
    const Run r = play(o);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("update 1 player 61 598 speed 0 0 airborne 0 ducking 0 health 300\n"
                         "  enemy 0 kind 3 at 536 596 heading 180 health 200\nresult"),
              0u)
        << r.out;
}

TEST_F(Play, MultiplierRunsSeveralUpdatesPerFrameAndTheReplayStillEndsOnTime) {
    PlayOptions o = walk_to_exit("7 - 0 0\n");
    o.config = file("fast.ini", "game_speed_multiplier 3\nlives_override 5\n");
    const Run r = play(o);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(value_of(r.out, "updates"), "7");
    EXPECT_EQ(value_of(r.out, "lives"), "5");
}

TEST_F(Play, IgnoresTheWorkingDirectorysSettings) {
    const PlayOptions o = walk_to_exit("1 - 0 0\n");
    file("config.ini", "lives_override 9\n");
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    const Run r = play(o);
    fs::current_path(before);
    EXPECT_EQ(value_of(r.out, "lives"), "2");
}

TEST_F(Play, DigitsNameTheBuiltInMaps) {
    PlayOptions o;
    o.map = "1";
    o.replay = file("idle.replay", "30 r 0 0\n");
    const fs::path before = fs::current_path();
    fs::current_path(dir_);
    file("1", "not a map");  // a file of that name is not read
    const Run r = play(o);
    fs::current_path(before);
    if (r.status == 0)
        EXPECT_EQ(value_of(r.out, "updates"), "30");
    else  // map 1 is still being made: it must be refused as a map, never played
        EXPECT_NE(r.err.find("The map 1 cannot be played"), std::string::npos) << r.err;
}

TEST_F(Play, RefusesBadInputWithOneSentence) {
    const std::string replay = file("ok.replay", "1 - 0 0\n");
    const std::string map = walk_to_exit("").map;
    const std::string huge = (dir_ / "huge.map").string();
    std::ofstream(huge) << "800 600 ";
    fs::resize_file(huge, 17u << 20);
    struct Case {
        std::string map, replay, config, says;
    };
    for (const Case& c : {
             Case{(dir_ / "missing.map").string(), replay, "", "does not exist"},
             Case{dir_.string(), replay, "", "is a directory"},
             Case{file("nul.map", std::string("800 600 0\0 0 ", 12)), replay, "", "NUL"},
             Case{huge, replay, "", "larger than 16 MiB"},
             Case{file("short.map", "800 600 1 "), replay, "", "cannot be played"},
             Case{map, file("bad.replay", "1 r 0 0\n2 x 0 0\n"), "", "line 2:"},
             Case{map, (dir_ / "missing.replay").string(), "", "does not exist"},
             Case{map, replay, (dir_ / "missing.ini").string(), "missing.ini' does not exist"},
         }) {
        PlayOptions o;
        o.map = c.map;
        o.replay = c.replay;
        o.config = c.config;
        const Run r = play(o);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_TRUE(r.out.empty()) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

// A recorded replay of walk_to_exit's map as the game writes it: header, runs, and `footer` (the outcome lines).
std::string recorded_walk(const std::string& map_text, const std::string& runs, const std::vector<std::string>& footer,
                          int32_t lives = 2) {
    ReplayHeader h{"walk.map", sha256_hex(map_text), "2026-12-08 17:45:03", Settings{}};
    h.settings.lives_override = lives;
    h.settings.threads = 1;
    return replay_header_text(h) + runs + replay_footer_text(footer);
}

std::vector<std::string> lines_of(const std::string& out) {
    std::vector<std::string> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST_F(Play, ARecordedReplayAlonePlaysOnItsOwnMapAndSettingsAndChecksItsOutcome) {
    const PlayOptions walk = walk_to_exit("");
    const std::string map_text = (std::stringstream() << std::ifstream(walk.map).rdbuf()).str();
    fs::create_directories(dir_ / "game" / "Maps");
    fs::create_directories(dir_ / "game" / "Replays");
    fs::copy_file(walk.map, dir_ / "game" / "Maps" / "walk.map");
    // The outcome as the game would have recorded it: five lives, from the header, not the default two.
    PlayOptions first = walk;
    first.replay = file("plain.replay", "500 r @300 367\n");
    first.config = file("lives.ini", "lives_override 5\n");
    const std::vector<std::string> outcome = lines_of(play(first).out);
    ASSERT_EQ(outcome.size(), 14u);
    ASSERT_EQ(outcome[4], "lives 5");
    const std::string replay = (dir_ / "game" / "Replays" / "won.replay").string();
    std::ofstream(replay) << recorded_walk(map_text, "500 r @300 367\n", outcome, 5);

    PlayOptions o;
    o.replay = replay;
    o.check = true;
    for (const int threads : {0, 3}) {  // found in the game folder's Maps/, whatever the workers
        o.threads = threads;
        const Run r = play(o);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(lines_of(r.out), outcome);
    }
    o.map_file = walk.map;  // or given by its path
    EXPECT_EQ(play(o).status, 0);

    // A record that the play does not reach: status 1 and the first differing line.
    std::vector<std::string> wrong = outcome;
    wrong[1] = "updates 58";
    wrong[4] = "lives 4";
    o.replay = file("wrong.replay", recorded_walk(map_text, "500 r @300 367\n", wrong, 5));
    Run r = play(o);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Played \"updates 57\" where the replay recorded \"updates 58\".\n");
    EXPECT_EQ(lines_of(r.out), outcome) << "the outcome is printed all the same";
    o.check = false;
    EXPECT_EQ(play(o).status, 0) << "without --check a difference is no failure";

    // The map edited since: refused with the reason, and nothing played.
    std::ofstream(dir_ / "game" / "Maps" / "walk.map", std::ios::app) << "1 400 367 ";
    o.replay = replay;
    o.map_file.clear();
    r = play(o);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("The map walk.map has changed since the replay was recorded"), std::string::npos) << r.err;
}

TEST_F(Play, AReplayAloneIsRefusedWhenItCannotSayWhereAndHowToPlay) {
    const PlayOptions walk = walk_to_exit("");
    const std::string plain = file("plain.replay", "5 r 0 0\n");
    struct Case {
        std::string map, replay, config, map_file;
        bool check;
        std::string says;
    };
    for (const Case& c : {
             Case{"", plain, "", "", false, "does not name its map; give one"},
             Case{"", plain, walk.map, "", false, "--config goes with a MAP argument"},
             Case{walk.map, plain, "", walk.map, false, "--map names the map of a replay given alone"},
             Case{walk.map, plain, "", "", true, "holds no recorded outcome to check against"},
             Case{"", file("future.replay", "# vantorel replay 2\n"), "", "", false, "another format"},
         }) {
        PlayOptions o;
        o.map = c.map;
        o.replay = c.replay;
        o.config = c.config;
        o.map_file = c.map_file;
        o.check = c.check;
        const Run r = play(o);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_TRUE(r.out.empty()) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST_F(Play, UnusableResolutionsStillPlay) {
    for (const char* resolution :
         {"resolution_width 0\n", "resolution_width -5\nresolution_height -5\n", "resolution_width 2000000000\n"}) {
        PlayOptions o = walk_to_exit("5 r 0 0\n");
        o.config = file("screen.ini", resolution);
        const Run r = play(o);
        EXPECT_EQ(r.status, 0) << resolution << r.err;
        EXPECT_EQ(value_of(r.out, "updates"), "5") << resolution;
    }
}

// The way drawn over a map picture: one point per update until the exit, read
// with the default settings whatever the replay file says around it.
TEST_F(Play, TraceRouteRecordsWhereThePlayerStoodAfterEachUpdate) {
    const PlayOptions o = walk_to_exit("5 - 0 0\n500 r @300 367\n");
    const RoutePath path = trace_route(o.map, o.replay);
    ASSERT_EQ(path.points.size(), 62u);  // 5 standing, then 57 walking to the exit's edge
    EXPECT_EQ(path.points[4], (std::pair<int32_t, int32_t>{100, 367}));
    EXPECT_EQ(path.points[5], (std::pair<int32_t, int32_t>{103, 367}));
    EXPECT_EQ(path.points.back(), (std::pair<int32_t, int32_t>{271, 367}));
    EXPECT_TRUE(path.deaths.empty());
    EXPECT_THROW(trace_route(o.map, (dir_ / "missing.replay").string()), ToolError);
    EXPECT_THROW(trace_route(file("bad.map", "800 600 1 "), o.replay), ToolError);
}

}  // namespace
