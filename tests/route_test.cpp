// Every built-in map that has a recorded route (tests/routes/mapN.replay) is
// played from start to exit: the proof that the level can be completed with
// default settings, and a regression test for every rule the route leans on.
// Each route is played with 1, 2 and 8 workers and must run the same update
// for update.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/replay.hpp"
#include "game/update.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

// What one update leaves behind, for comparing runs update by update.
struct UpdateTrace {
    int32_t x, y, health, lives;
    float fx, fy, vx, vy;
    size_t enemies, lasers, sparks;
    uint32_t random;
    bool operator==(const UpdateTrace&) const = default;
};

struct RoutePlay {
    ReplayOutcome outcome;
    std::vector<UpdateTrace> trace;
};

std::string route_path(int map) { return VANTOREL_SOURCE_DIR "/tests/routes/map" + std::to_string(map) + ".replay"; }

RoutePlay play_route(int map, int threads) {
    std::ifstream in(route_path(map), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Replay replay;
    std::string why;
    EXPECT_TRUE(parse_replay(text.str(), replay, why)) << why;

    Settings s;  // the defaults a new player has
    s.threads = threads;
    correct_settings(s, threads);
    settings = s;
    EXPECT_TRUE(start_game(builtin_map_text(map), why)) << why;
    RoutePlay play;
    play.outcome = play_replay(replay, [&play] {
        const Player& p = world.player;
        play.trace.push_back({p.x, p.y, p.health, p.lives, p.fx, p.fy, p.vx, p.vy, world.enemies.size(),
                              world.lasers.size(), world.sparks.size(), combat.random.state});
    });
    world.release_grid();
    return play;
}

std::vector<int> maps_with_routes() {
    std::vector<int> maps;
    for (int n = 1; n <= builtin_map_count; ++n)
        if (builtin_map_text(n) && std::filesystem::exists(route_path(n))) maps.push_back(n);
    return maps;
}

TEST(Routes, EveryRouteWinsItsMapAlikeWithOneTwoAndEightWorkers) {
    const std::vector<int> maps = maps_with_routes();
    ASSERT_FALSE(maps.empty());
    for (int map : maps) {
        SCOPED_TRACE(testing::Message() << "map " << map);
        const RoutePlay one = play_route(map, 1);
        EXPECT_EQ(one.outcome.result, FrameOutcome::won);
        EXPECT_GE(one.outcome.lives, 0);
        for (int threads : {2, 8}) {
            const RoutePlay many = play_route(map, threads);
            ASSERT_EQ(many.trace.size(), one.trace.size()) << threads << " workers";
            for (size_t i = 0; i < one.trace.size(); ++i)
                ASSERT_TRUE(many.trace[i] == one.trace[i]) << threads << " workers differ at update " << i + 1;
        }
    }
}

TEST(Routes, MapOneIsWonWithTheSwitchShotAndTheSmartEnemyDown) {
    const ReplayOutcome o = play_route(1, 1).outcome;
    ASSERT_EQ(o.result, FrameOutcome::won);
    EXPECT_FALSE(o.red_on);  // the red switch was shot to open the gates
    EXPECT_TRUE(o.green_on);
    EXPECT_TRUE(o.blue_on);
    EXPECT_EQ(o.enemies, 2u);  // the smart enemy guarding the pillar fell
    EXPECT_EQ(o.lives, 2);
}

}  // namespace
