// Every built-in map that has a recorded route (tests/routes/mapN.replay, and
// mapN-full.replay taking the optional branches) is played from start to
// exit: the proof that the level can be completed with default settings, and
// a regression test for every rule the route leans on. Each route is played
// with 1, 2 and 8 workers and must run the same update for update.
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
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

// A recorded route: "" the main one, "-full" the one taking the optional branches.
std::string route_path(int map, std::string_view variant = "") {
    return VANTOREL_SOURCE_DIR "/tests/routes/map" + std::to_string(map) + std::string(variant) + ".replay";
}

Replay read_route(int map, std::string_view variant = "") {
    std::ifstream in(route_path(map, variant), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Replay replay;
    std::string why;
    EXPECT_TRUE(parse_replay(text.str(), replay, why)) << why;
    return replay;
}

RoutePlay play_route(int map, int threads, const Replay& replay) {
    Settings s;  // the defaults a new player has
    s.threads = threads;
    correct_settings(s, threads);
    settings = s;
    std::string why;
    const auto loaded = start_game(builtin_map_text(map), why);
    EXPECT_TRUE(loaded) << why;
    RoutePlay play;
    play.outcome = play_replay(replay, [&play] {
        const Player& p = world.player;
        play.trace.push_back({p.x, p.y, p.health, p.lives, p.fx, p.fy, p.vx, p.vy, world.enemies.size(),
                              world.lasers.size(), world.sparks.size(), combat.random.state});
    });
    return play;
}

RoutePlay play_route(int map, int threads, std::string_view variant = "") {
    return play_route(map, threads, read_route(map, variant));
}

// The route with every change of keys moved up to `slip` updates earlier or later,
// the rest of it on time: a player's hands, not a machine's. Single-update presses
// (a jump's tap, a shot) keep their length; only the runs either side of them move.
Replay with_slips(Replay replay, int64_t slip, uint32_t seed) {
    uint32_t state = seed;
    const auto next_slip = [&] {
        state = state * 1664525u + 1013904223u;  // fixed generator: the same slips on every platform
        return static_cast<int64_t>((state >> 16) % static_cast<uint32_t>(2 * slip + 1)) - slip;
    };
    std::vector<ReplayRun>& runs = replay.runs;
    for (size_t i = 0; i + 1 < runs.size(); ++i) {
        const int64_t d = next_slip();
        if (runs[i].count <= 2 || runs[i + 1].count <= 2) continue;
        const int64_t moved = std::clamp(d, 1 - runs[i].count, runs[i + 1].count - 1);
        runs[i].count += moved;
        runs[i + 1].count -= moved;
    }
    return replay;
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
    for (int map : maps)
        for (std::string_view variant : {"", "-full"}) {
            if (!std::filesystem::exists(route_path(map, variant))) continue;
            SCOPED_TRACE(testing::Message() << "route map" << map << variant);
            const RoutePlay one = play_route(map, 1, variant);
            EXPECT_EQ(one.outcome.result, FrameOutcome::won);
            EXPECT_GE(one.outcome.lives, 0);
            for (int threads : {2, 8}) {
                const RoutePlay many = play_route(map, threads, variant);
                ASSERT_EQ(many.trace.size(), one.trace.size()) << threads << " workers";
                for (size_t i = 0; i < one.trace.size(); ++i)
                    ASSERT_TRUE(many.trace[i] == one.trace[i]) << threads << " workers differ at update " << i + 1;
            }
        }
}

// Knowing a level is enough to win it: each main route still wins with its
// keys pressed and released up to three updates early or late.
TEST(Routes, ForgiveKeysPressedAFewUpdatesEarlyOrLate) {
    for (int map : {1, 2, 3, 4, 5}) {
        const Replay route = read_route(map);
        for (uint32_t seed : {1u, 2u, 3u}) {
            SCOPED_TRACE(testing::Message() << "map " << map << ", slips " << seed);
            const ReplayOutcome o = play_route(map, 1, with_slips(route, 3, seed)).outcome;
            EXPECT_EQ(o.result, FrameOutcome::won) << "ended at " << o.player_x << ' ' << o.player_y;
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
