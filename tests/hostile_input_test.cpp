// Inputs a hostile or careless map maker, player or fuzzer came up with, each
// once a crash, a hang or a misleading message: now refused with the right
// reason or survived. New reproducers go into the tables here.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "combat/workers.hpp"
#include "game/update.hpp"
#include "support/map_text.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

namespace {

namespace fs = std::filesystem;

std::string repeated(const std::string& piece, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// One enemy at (1, 1) with the given heading word, then empty pickup and checkpoint lists.
std::string with_heading(const std::string& heading) { return "10 10 1 1 5 5 0 0 1 1 1 1 " + heading + " 0 0 "; }

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override { start_fresh(); }
    void TearDown() override {
        world.release_grid();
        combat.worker_count = 1;
    }
};

TEST_F(HostileInput, MapsAreRefusedForWhatIsWrongWithThem) {
    struct Case {
        std::string text;
        std::string reason;  // a part of the message
    };
    const Case cases[] = {
        // Headings the float reading could not take used to be blamed on the pickup count.
        {with_heading("nan"), "heading \"nan\" of enemy 1"},
        {with_heading("inf"), "heading \"inf\" of enemy 1"},
        {with_heading("-inf"), "heading \"-inf\" of enemy 1"},
        {with_heading("1e39"), "heading \"1e39\" of enemy 1"},
        {with_heading("0x10"), "heading \"0x10\" of enemy 1"},
        {with_heading("+-5"), "heading \"+-5\" of enemy 1"},
        {with_heading("12deg"), "heading \"12deg\" of enemy 1"},
        {"10 10 1 1 5 5 0 0 2 1 1 1 90 2 2 1 " + std::string(40, '9') + "x\x01 0 0 ",
         "heading \"999999999999999999999999...\" of enemy 2"},
        {"10 10 1 1 5 5 0 0 1 1 1 1 90", "ends right after a number in enemy 1"},
        {"10 10 1 1 5 5 0 0 1 1 x 1 90 0 0 ", "not a number in enemy 1"},
        // A 1.4 KB text once kept the loader drawing for 21 s: the length of all
        // segments together is bounded, not only each one's.
        {"1 50000000 0 0 0 0 64 " + repeated("0 -4096 0 6000000 1 ", 64) + "0 0 0 0 ",
         "segments up to segment 2 are longer than 10000000 px"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 80));
        std::string why;
        EXPECT_FALSE(load_map(c.text.c_str(), why));
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_FALSE(world.has_grid());
    }
}

// A 12 MB map of a million turrets once took 22 s to its first frame and then
// ran at 0.2 frames a second: each list has a bound, and a map one over it is
// refused with a reason naming the list and its count.
TEST_F(HostileInput, EachListHoldsAtMostItsBound) {
    const MapText at_bounds = map_with_the_most_of_each_list(1000, 30);
    at_bounds.load();
    EXPECT_EQ(world.segments.size(), size_t{max_segments});
    EXPECT_EQ(world.enemies.size(), size_t{max_enemies});
    struct Case {
        std::function<void(MapText&)> add_one;
        std::string reason;
    };
    const Case cases[] = {
        {[](MapText& m) { m.wall(10, 10, 20, 10); }, "holds 10001 segments; a map may hold at most 10000."},
        {[](MapText& m) { m.colour_switch(10, 10, 1); }, "holds 1001 switches; a map may hold at most 1000."},
        {[](MapText& m) { m.enemy(10, 10, 3); }, "holds 2001 enemies; a map may hold at most 2000."},
        {[](MapText& m) { m.pickup(10, 10, 1); }, "holds 2001 pickups; a map may hold at most 2000."},
        {[](MapText& m) { m.checkpoint(10, 10); }, "holds 1001 checkpoints; a map may hold at most 1000."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reason);
        MapText over = at_bounds;
        c.add_one(over);
        std::string why;
        EXPECT_FALSE(load_map(over.text().c_str(), why));
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        EXPECT_FALSE(world.has_grid());
    }
    // The million turrets: refused at their count, before any of them is read.
    std::string why;
    EXPECT_FALSE(load_map("800 600 100 100 700 100 0 0 1000000 1 1 3 0 0 0 ", why));
    EXPECT_NE(why.find("holds 1000000 enemies"), std::string::npos) << why;
}

TEST_F(HostileInput, HeadingsReadAsTheStreamReadThem) {
    const std::pair<const char*, float> cases[] = {
        {"180", 180.0f}, {"96.3402", 96.3402f}, {"-42.0318", -42.0318f}, {"+7.5", 7.5f},
        {"1e2", 100.0f}, {".5", 0.5f},          {"-0", -0.0f},           {"3.4e38", 3.4e38f},
        {"1e-50", 0.0f}, {"9.2e-41", 9.2e-41f}, {"96.", 96.0f},
    };
    for (const auto& [word, degrees] : cases) {
        std::string why;
        ASSERT_TRUE(load_map(with_heading(word).c_str(), why)) << word << ": " << why;
        EXPECT_EQ(world.enemies.at(0).angle, degrees) << word;
    }
}

// Found by the game fuzz target: a basic enemy heading 9.359043e15 degrees
// could not turn back (adding 180 was lost to rounding) and drove off the map;
// one standing on the map's edge turned back at an angle and stepped off it.
TEST_F(HostileInput, BasicEnemiesStayOnTheMapAndSmartOnesSweep) {
    settings.global_enemies = 3;      // all act wherever the screen is
    settings.resolution_width = 160;  // a small laser buffer: the test is about enemies
    settings.resolution_height = 120;
    const std::pair<const char*, const char*> cases[] = {
        {"60 40", "9.359043e15"}, {"60 40", "-1.3503017e22"},
        {"60 40", "3e38"},        {"60 40", "-16777216"},
        {"60 40", "1e8"},         {"0 0", "651"},
        {"119 79", "30"},         {"0 40", "100"},
        {"119 0", "-60"},
    };
    for (const auto& [place, heading] : cases) {
        SCOPED_TRACE(std::string(place) + " heading " + heading);
        const std::string text = std::string("120 80 20000 20000 30000 30000 0 0 2 ") + place + " 1 " + heading +
                                 " 30 30 2 " + heading + " 0 0 ";
        std::string why;
        const auto loaded = start_game(text.c_str(), why);
        ASSERT_TRUE(loaded) << why;
        const float smart_start = world.enemies[1].angle;
        for (int u = 0; u < 150; ++u) {
            update_step(UpdateInput{});
            const Enemy& basic = world.enemies.at(0);
            ASSERT_TRUE(in_grid(basic.x, basic.y)) << "update " << u << ": " << basic.x << ", " << basic.y;
        }
        EXPECT_NE(world.enemies[1].angle, smart_start);  // the smart enemy sweeps
    }
}

// Found by the game fuzz target: the second of two plays could not raise its
// shield at first, because the last game's shield timer carried over.
TEST_F(HostileInput, ANewGameStartsWithoutTheLastOnesShield) {
    settings.maximum_armor = 1;
    const char* text = "200 200 100 100 30000 30000 0 0 0 0 0 ";
    std::string why;
    auto loaded = start_game(text, why);
    ASSERT_TRUE(loaded) << why;
    UpdateInput shield;
    shield.held[action_shield] = true;
    update_step(shield);
    ASSERT_TRUE(combat.shield_up);
    loaded = start_game(text, why);
    ASSERT_TRUE(loaded) << why;
    EXPECT_FALSE(combat.shield_up);
    EXPECT_EQ(combat.shield_timer, 0);
    update_step(shield);
    EXPECT_TRUE(combat.shield_up);
}

// Stands in for an enemy worker that runs out of memory in its range.
void fail_past_the_first_range(EnemyMover* range) {
    if (range->first > 0) throw std::bad_alloc();
}

TEST_F(HostileInput, AWorkersFailureReachesTheMainThreadAfterEveryJoin) {
    combat.worker_count = 4;
    std::vector<EnemyMover> records;
    EXPECT_THROW(run_worker_phase(fail_past_the_first_range, 40, records), std::bad_alloc);
    // The calling thread's own share failing while the workers still run.
    const std::function<void()> meanwhile = [] { throw std::runtime_error("spark step"); };
    EXPECT_THROW(run_worker_phase(
                     +[](EnemyMover*) {}, 40, records, meanwhile),
                 std::runtime_error);
    // A worker's failure comes first, in range order.
    EXPECT_THROW(run_worker_phase(fail_past_the_first_range, 40, records, meanwhile), std::bad_alloc);
}

#if !defined(__SANITIZE_THREAD__) && !defined(__SANITIZE_ADDRESS__)
// 20,000 turrets firing at once on a 240 KB map under an 80 MB address space:
// the enemy workers run out of memory laying out their beams. The tool once
// ended with "terminate called" (status 134).
TEST_F(HostileInput, PlayOutOfMemoryInAWorkerIsOneSentenceAndStatusOne) {
    const fs::path dir = fs::temp_directory_path() / ("vantorel_oom_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    MapText map{.width = 100, .height = 100, .start_x = 50, .start_y = 50, .exit_x = 95, .exit_y = 95};
    // As many turrets as a map may hold, each firing in every update at a player
    // who does not die: the particles they add from the enemy workers soon
    // outgrow the memory allowed.
    for (int i = 0; i < max_enemies; ++i) map.enemy(10 + i % 80, 10 + i / 80 % 80, 3, i * 7 % 360);
    std::ofstream(dir / "turrets.txt") << map.text();
    std::ofstream(dir / "idle.replay") << "50 - 0 0\n";
    std::ofstream(dir / "rapid.ini") << "turret_laser_cooldown_rate 1\nhealth_override 2000000000\n";
    const std::string command = "cd '" + dir.string() +
                                "' && ulimit -v 81920 && exec '" VANTOREL_TOOL_PATH
                                "' play turrets.txt idle.replay --config rapid.ini --threads 2 >out 2>err";
    const int status = std::system(command.c_str());
    std::ifstream err_file(dir / "err");
    const std::string err{std::istreambuf_iterator<char>(err_file), std::istreambuf_iterator<char>()};
    fs::remove_all(dir);
    ASSERT_TRUE(WIFEXITED(status)) << err;
    EXPECT_EQ(WEXITSTATUS(status), 1) << err;
    EXPECT_EQ(err, "There is not enough memory to do this.\n");
}
#endif

}  // namespace
