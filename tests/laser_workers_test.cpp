// The worker split, and that the laser phase comes out exactly as stepping
// the particles one by one would, whatever the number of workers.
#include <random>

#include "combat/combat_state.hpp"
#include "combat/lasers.hpp"
#include "combat/workers.hpp"
#include "support/laser_reference.hpp"
#include "support/laser_scene.hpp"

namespace {

std::vector<std::pair<int32_t, int32_t>> pairs(const std::vector<IndexRange>& ranges) {
    std::vector<std::pair<int32_t, int32_t>> out;
    for (const IndexRange& r : ranges) out.emplace_back(r.first, r.last);
    return out;
}

TEST(WorkerSplit, ChunksWithTheRemainderOnTheLastOrOneRangeForFewItems) {
    using P = std::vector<std::pair<int32_t, int32_t>>;
    EXPECT_EQ(pairs(split_ranges(10, 4)), (P{{0, 2}, {2, 4}, {4, 6}, {6, 10}}));
    EXPECT_EQ(pairs(split_ranges(3, 8)), (P{{0, 3}}));
    EXPECT_EQ(pairs(split_ranges(4, 4)), (P{{0, 4}}));
    EXPECT_EQ(pairs(split_ranges(0, 2)), (P{{0, 0}}));
    EXPECT_EQ(pairs(split_ranges(5, 1)), (P{{0, 5}}));
    EXPECT_EQ(pairs(split_ranges(7, 0)), (P{{0, 7}}));  // no workers counts as one
}

// A small, crowded map: walls, mirrors, gates and blue mirrors in random
// places, switches of all colours, enemies of all kinds, the player and the
// exit in the middle of it, and thousands of particles.
class BusyScene : public LaserWorld {
protected:
    std::mt19937 rng;
    int64_t last_resteps = 0;  // re-steps of update_with's phase

    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    float uniform_f(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }

    void build(unsigned seed, int particles) {
        rng.seed(seed);
        MapText m;
        m.width = 400;
        m.height = 300;
        m.start_x = uniform(40, 360);
        m.start_y = uniform(40, 260);
        m.exit_x = uniform(40, 360);
        m.exit_y = uniform(40, 260);
        for (int i = 0; i < 40; ++i) {
            const int x = uniform(5, 395), y = uniform(5, 295);
            m.segments.push_back({x, y, std::clamp(x + uniform(-60, 60), 1, 398),
                                  std::clamp(y + uniform(-60, 60), 1, 298), uniform(1, 5)});
        }
        for (int i = 0; i < 12; ++i) m.switches.push_back({uniform(0, 399), uniform(0, 299), uniform(1, 3)});
        for (int i = 0; i < 30; ++i) m.enemies.push_back({uniform(0, 399), uniform(0, 299), uniform(1, 3), 0.0});
        settings.enemy_health_override = 6;
        load(m);
        world.player.ducking = uniform(0, 1) == 1;
        world.camera_x = uniform(-100, 0);
        world.camera_y = uniform(-50, 0);
        combat.random.state = seed;
        for (int i = 0; i < particles; ++i) add_particle();
    }
    void add_particle() {
        Laser p = particle(uniform_f(-2.0f, 402.0f), uniform_f(-2.0f, 302.0f), uniform_f(-4.0f, 8.0f));
        p.life = uniform(0, 400);
        world.lasers.push_back(p);
    }
    // What the update step does to the laser state between two laser phases.
    void between_updates() {
        std::erase_if(world.lasers, [](const Laser& p) { return p.spent; });
        for (int32_t* t : {&world.red_timer, &world.green_timer, &world.blue_timer})
            if (*t > 0) --*t;
        if (uniform(0, 3) == 0) world.red_timer = world.green_timer = world.blue_timer = 0;  // let switches flip often
        for (int i = 0; i < 300; ++i) add_particle();
    }
    // One laser phase read straight off the rules, on a copy of the world.
    LaserOutcome reference_update() {
        const World saved_world = world;
        const CombatState saved_combat = combat;
        std::fill(combat.laser_pixels.begin(), combat.laser_pixels.end(), opaque_black);
        RayShooter all{0, static_cast<int32_t>(world.lasers.size()), combat.laser_pixels.data()};
        run_ray_shooter_reference(&all);
        LaserOutcome o = LaserOutcome::now();
        world = saved_world;
        combat = saved_combat;
        return o;
    }
    LaserOutcome update_with(int32_t workers) {
        const World saved_world = world;
        const CombatState saved_combat = combat;
        combat.worker_count = workers;
        run_laser_phases();
        LaserOutcome o = LaserOutcome::now();
        last_resteps = combat.laser_phase.last_restep_count();
        world = saved_world;
        combat = saved_combat;
        return o;
    }
};

int flipped_colours(const LaserOutcome& before, const LaserOutcome& after) {
    int n = 0;
    for (int c = 0; c < 3; ++c) n += before.states[c] != after.states[c];
    return n;
}

TEST_F(BusyScene, FastStepMatchesTheStraightReadingHitForHit) {
    for (unsigned seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        build(seed, 3000);
        int flips = 0;
        for (int update = 0; update < 12; ++update) {
            SCOPED_TRACE(testing::Message() << "update " << update);
            const LaserOutcome before = LaserOutcome::now();
            const LaserOutcome expected = reference_update();
            ASSERT_NO_FATAL_FAILURE(expect_same(update_with(1), expected));
            flips += flipped_colours(before, expected);
            run_laser_phases();
            between_updates();
        }
        EXPECT_GT(flips, 0);
        EXPECT_FALSE(world.explosions.empty());
    }
}

TEST_F(BusyScene, AnyNumberOfWorkersGivesTheOneWorkerOutcome) {
    for (unsigned seed : {11u, 12u, 13u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        build(seed, 4000);
        int64_t resteps = 0;
        for (int update = 0; update < 10; ++update) {
            SCOPED_TRACE(testing::Message() << "update " << update);
            const LaserOutcome one = update_with(1);
            for (int32_t workers : {2, 3, 8}) {
                SCOPED_TRACE(testing::Message() << workers << " workers");
                ASSERT_NO_FATAL_FAILURE(expect_same(update_with(workers), one));
                resteps += last_resteps;
            }
            combat.worker_count = 2;
            run_laser_phases();
            between_updates();
        }
        EXPECT_GT(resteps, 0);  // switches flipped while other workers read gates
    }
}

TEST_F(BusyScene, FlipInAnEarlierWorkersRangeReachesTheLaterWorkers) {
    // Particle 0 (worker 1) runs into the red gate, particle 1 (worker 2)
    // flips the red switch, particle 2 (worker 2) and 3 (worker 3) come to
    // the gate after the flip and pass it.
    load({.segments = {{100, 10, 100, 90, 3}}, .switches = {{30, 20, 1}}});
    settings.laser_speed = 20;
    world.lasers = {particle(90.5f, 50.0f, 0), particle(30.5f, 20.0f, 0), particle(90.5f, 60.0f, 0),
                    particle(90.5f, 70.0f, 0)};
    for (int32_t workers : {1, 2, 3}) {
        SCOPED_TRACE(testing::Message() << workers << " workers");
        const LaserOutcome got = update_with(workers);
        EXPECT_FALSE(got.states[0]);
        EXPECT_TRUE(got.lasers[0].spent);
        EXPECT_FALSE(got.lasers[2].spent);
        EXPECT_FALSE(got.lasers[3].spent);
        EXPECT_EQ(got.pixels[50 * 800 + 98], laser_colour);  // the stopped one is plotted where it stopped
        EXPECT_EQ(got.pixels[60 * 800 + 98], opaque_black);  // the passing ones left no stale plot
    }
}

TEST_F(LaserWorld, WorkerPhasesDropSpentParticlesKeepingOrderAndRunEmpty) {
    load({.segments = {{100, 10, 100, 90, 1}}});
    settings.laser_speed = 20;
    combat.worker_count = 3;
    world.lasers = {particle(90.5f, 50.0f, 0), particle(10.5f, 20.0f, 0), particle(-5.0f, 40.0f, 0),
                    particle(20.5f, 30.0f, 0)};
    run_worker_phases();
    ASSERT_EQ(world.lasers.size(), 2u);
    EXPECT_EQ(world.lasers[0].y, 20.0f);
    EXPECT_EQ(world.lasers[1].y, 30.0f);
    EXPECT_EQ(pixel(40, 30), laser_colour);

    world.lasers.clear();  // nothing to do: each phase still starts and ends cleanly
    run_worker_phases();
    EXPECT_TRUE(world.lasers.empty());
    EXPECT_EQ(pixel(40, 30), opaque_black);  // cleared
}

}  // namespace
