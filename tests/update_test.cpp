// Setting up a game: a fresh start, bounds on workers and screen size, and the same start twice alike.
#include <climits>

#include "support/sim_maps.hpp"

namespace {

Settings defaults() {
    Settings s;
    s.threads = 1;
    return s;
}

TEST(StartGame, PreparesAFreshGameOfTheMap) {
    start_map(flat_floor());
    run_updates(30, holding({action_right}));
    game.arm_step = 7;
    Settings s = defaults();
    s.maximum_armor = 1;
    s.laser_cooldown_rate = 45;
    start_map(flat_floor(), s);
    EXPECT_TRUE(world.player.powered);
    EXPECT_EQ(world.player.shot_cooldown, 45);
    EXPECT_EQ(game.updates, 0);
    EXPECT_EQ(game.arm_step, 0);
    EXPECT_EQ(game.walk_step, 0);
    EXPECT_EQ(game.duck_offset, 15);
    EXPECT_EQ(world.camera_x, 400 - 100);
    EXPECT_EQ(combat.laser_pixels.size(), 800u * 600u);
    EXPECT_EQ(combat.laser_pixels.front(), opaque_black);
    EXPECT_EQ(combat.laser_pixels.back(), opaque_black);
}

TEST(StartGame, AMapThatDoesNotLoadIsNotPlayed) {
    settings = defaults();
    std::string why;
    EXPECT_FALSE(start_game("800 600 100 100 0 0 -3 ", why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(world.has_grid());
    EXPECT_TRUE(combat.laser_pixels.empty());
    EXPECT_FALSE(start_game("", why));
    EXPECT_FALSE(why.empty());
}

// The owner of a game frees its grid and laser buffer when it goes, and only
// then: not when it is moved, nor when an owner of a game already replaced by
// the next one goes (the soak and the tool start map after map this way).
TEST(StartGame, TheLoadedGameFreesTheGridAndLaserBufferWhenItGoes) {
    settings = defaults();
    const std::string map = flat_floor().text();
    std::string why;
    const auto holds_buffers = [] {
        return world.has_grid() && !world.cell_kinds.empty() && !combat.laser_pixels.empty();
    };
    {
        std::optional<LoadedGame> first = start_game(map.c_str(), why);
        ASSERT_TRUE(first) << why;
        LoadedGame owner = std::move(*first);
        first.reset();
        EXPECT_TRUE(holds_buffers()) << "a moved-from owner frees nothing";

        std::optional<LoadedGame> second = start_game(map.c_str(), why);
        ASSERT_TRUE(second) << why;
        owner = std::move(*second);  // the first game's owner goes
        EXPECT_TRUE(holds_buffers()) << "the owner of a replaced game frees nothing of the next";
        second.reset();
        EXPECT_TRUE(holds_buffers());
    }
    EXPECT_FALSE(world.has_grid());
    EXPECT_TRUE(world.cell_kinds.empty());
    EXPECT_TRUE(combat.laser_pixels.empty());
}

TEST(StartGame, WorkerCountIsBounded) {
    for (auto [threads, workers] :
         {std::pair{INT_MAX, max_workers}, {65, max_workers}, {8, 8}, {1, 1}, {0, 1}, {-7, 1}}) {
        Settings s = defaults();
        s.threads = threads;
        start_map(flat_floor(), s);
        EXPECT_EQ(combat.worker_count, workers) << threads;
        EXPECT_EQ(combat.ray_shooters.size(), static_cast<size_t>(workers));
        EXPECT_EQ(combat.enemy_movers.size(), static_cast<size_t>(workers));
    }
}

TEST(StartGame, UnusableResolutionsGetAnEightHundredBySixHundredScreen) {
    for (auto [w, h] : {std::pair{0, 600}, {800, 0}, {-5, -5}, {100000, 600}, {INT_MAX, INT_MAX}, {16000, 16000}}) {
        Settings s = defaults();
        s.resolution_width = w;
        s.resolution_height = h;
        start_map(flat_floor(), s);
        EXPECT_EQ(world.screen_width, 800) << w << 'x' << h;
        EXPECT_EQ(world.screen_height, 600) << w << 'x' << h;
        EXPECT_EQ(combat.laser_pixels.size(), 800u * 600u);
        update_step({});  // and the game runs
    }
    Settings s = defaults();
    s.resolution_width = 1024;
    s.resolution_height = 100;
    start_map(flat_floor(), s);
    EXPECT_EQ(combat.laser_pixels.size(), 1024u * 100u);
    EXPECT_EQ(world.camera_x, 512 - 100);
}

TEST(StartGame, SameMapAndInputsGiveTheSameSparks) {
    MapText m = flat_floor();
    m.pickup(100, standing_y, 1);
    start_map(m);
    update_step({});
    const std::list<Spark> first = world.sparks;
    start_map(m);
    EXPECT_TRUE(world.sparks.empty());  // the last game's sparks are gone
    update_step({});
    ASSERT_EQ(world.sparks.size(), first.size());
    auto a = first.begin();
    for (const Spark& b : world.sparks) {
        EXPECT_EQ(a->direction, b.direction);
        EXPECT_EQ(a->speed, b.speed);
        ++a;
    }
}

}  // namespace
