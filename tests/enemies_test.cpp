#include "combat/enemies.hpp"

#include <cmath>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/enemy_shots.hpp"
#include "combat/geometry.hpp"
#include "game/update.hpp"
#include "support/enemy_shots_peek.hpp"
#include "support/map_text.hpp"

namespace {

class EnemyTest : public ::testing::Test {
protected:
    void SetUp() override {
        start_fresh();
        discard_enemy_shots();
    }
    void TearDown() override { discard_enemy_shots(); }

    Enemy& enemy(size_t i = 0) { return world.enemies.at(i); }

    // One enemy phase over the whole list on the calling thread.
    static void step(int updates = 1) {
        for (int i = 0; i < updates; ++i) {
            EnemyMover all{0, static_cast<int32_t>(world.enemies.size())};
            run_enemy_mover(&all);
        }
    }

    // One enemy phase; returns the shots fired in it and merges them.
    static std::vector<EnemyShot> step_and_collect() {
        step();
        std::vector<EnemyShot> shots = pending_enemy_shots();
        flush_enemy_shots();
        return shots;
    }
};

// A basic enemy driving right towards a vertical segment of `type` at x = 200.
MapText basic_towards_segment(int type) {
    MapText m{.width = 400, .height = 300};
    m.segments = {{200, 40, 200, 260, type}};
    m.enemies = {{150, 150, 1, 0}};
    return m;
}

TEST_F(EnemyTest, BasicEnemyReversesAtAWallAndLeavesTheWayItCame) {
    basic_towards_segment(1).load();
    int32_t furthest = 0;
    for (int i = 0; i < 30; ++i) {
        step();
        furthest = std::max(furthest, enemy().x);
    }
    EXPECT_FLOAT_EQ(enemy().angle, 180.0f);
    EXPECT_LT(furthest + 12, 200) << "the probe turned it before its front reached the wall";
    EXPECT_LT(enemy().x, 150);
    EXPECT_EQ(enemy().y, 150);

    const int32_t before = enemy().x;
    step();
    EXPECT_EQ(enemy().x, before - 4);
}

TEST_F(EnemyTest, BasicEnemyBouncesNinetyDegreesOffAFortyFiveDegreeMirrorWithoutWrapping) {
    // The mirror runs from (250, 150) to (150, 250): a "/" line through (200, 200)
    // with direction 135 degrees.
    for (const double heading : {0.0, 360.0}) {
        MapText m{.width = 400, .height = 300};
        m.segments = {{150, 250, 250, 150, 2}};
        m.enemies = {{120, 200, 1, heading}};
        m.load();
        step(40);
        // Moving right into "/" leaves upwards; the heading is written as computed.
        EXPECT_NEAR(enemy().angle, heading == 0.0 ? 270.0 : -90.0, 1e-3) << "from heading " << heading;
        EXPECT_LT(enemy().y, 150);
        EXPECT_LT(enemy().x, 200);
    }
}

TEST_F(EnemyTest, BasicEnemyPassesGreenGatesAlwaysAndRedGatesAndBlueMirrorsOnlyWhileOpen) {
    struct Case {
        int type;
        bool red_on, green_on, blue_on;
        bool passes;
    };
    const Case cases[] = {
        {4, true, true, true, true},   // green gate, closed to lasers
        {4, true, false, true, true},  // green gate, open
        {3, false, true, true, true},  // red gate, open
        {3, true, true, true, false},  // red gate, closed
        {5, true, true, false, true},  // blue mirror, switched off
    };
    for (const Case& c : cases) {
        basic_towards_segment(c.type).load();
        world.red_on = c.red_on;
        world.green_on = c.green_on;
        world.blue_on = c.blue_on;
        step(30);
        const bool passed = enemy().x > 210;
        EXPECT_EQ(passed, c.passes) << "segment type " << c.type << ", red " << c.red_on << ", green " << c.green_on
                                    << ", blue " << c.blue_on;
        if (c.passes) {
            EXPECT_FLOAT_EQ(enemy().angle, 0.0f);
        }
    }
}

TEST_F(EnemyTest, BasicEnemyReversesAtTheMapEdge) {
    MapText m{.width = 400, .height = 300};
    m.enemies = {{370, 150, 1, 0}, {200, 270, 1, 90}};
    m.load();
    step(12);
    EXPECT_FLOAT_EQ(enemy(0).angle, 180.0f);
    EXPECT_LT(enemy(0).x, 370);
    EXPECT_FLOAT_EQ(enemy(1).angle, 270.0f);
    EXPECT_LT(enemy(1).y, 270);
}

TEST_F(EnemyTest, ContactHurtsThreePerUpdateInsideTheBodyBandWhichShrinksWhenDucking) {
    settings.enemy_movement_speed = 0;  // let them stand where they are put
    struct Case {
        int dx, y;
        bool ducking;
        bool hurts;
    };
    // Player at (200, 150): standing the band is y 107..193, ducking 137..193; |dx| <= 27.
    const Case cases[] = {
        {27, 107, false, true}, {0, 106, false, false},  {-27, 193, false, true},
        {0, 194, false, false}, {28, 150, false, false}, {-28, 150, false, false},
        {0, 136, true, false},  {0, 137, true, true},    {0, 107, true, false},
    };
    for (const Case& c : cases) {
        MapText m{.width = 400, .height = 300};
        m.start_x = 200;
        m.start_y = 150;
        m.enemies = {{200 + c.dx, c.y, 1, 90}};
        m.load();
        world.player.ducking = c.ducking;
        world.player.health = 100;
        step(2);
        EXPECT_EQ(world.player.health, c.hurts ? 94 : 100)
            << "dx " << c.dx << ", y " << c.y << ", ducking " << c.ducking;
        EXPECT_EQ(world.player.hit_flash, c.hurts);
    }
}

TEST_F(EnemyTest, ExitPullsABasicEnemyAndSwallowsItWithoutAnExplosion) {
    MapText m{.width = 400, .height = 300};
    m.exit_x = 200;
    m.exit_y = 150;
    m.enemies = {{225, 150, 1, 90}, {219, 150, 1, 90}, {300, 150, 1, 90}};
    m.load();
    step();
    // 25 px away: pulled 3.1 px towards the exit, then its own 4 px step down.
    EXPECT_NEAR(enemy(0).fx, 221.9f, 1e-4);
    EXPECT_NEAR(enemy(0).fy, 154.0f, 1e-4);
    EXPECT_GT(enemy(0).health, 0);
    EXPECT_EQ(enemy(1).health, 0) << "19 px away: swallowed";
    EXPECT_FLOAT_EQ(enemy(2).fx, 300.0f) << "100 px away: out of reach";

    remove_dead_enemies();
    ASSERT_EQ(world.enemies.size(), 2u);
    EXPECT_EQ(enemy(1).x, 300);
    EXPECT_TRUE(world.explosions.empty());
}

// A smart enemy at (100, 100) looking right; a "\" mirror through (200, 100)
// sends its sight line down to a player standing at (200, 200).
MapText smart_with_mirror() {
    MapText m{.width = 400, .height = 300};
    m.start_x = 200;
    m.start_y = 200;
    m.segments = {{250, 150, 150, 50, 2}};
    m.enemies = {{100, 100, 2, 0}};
    return m;
}

TEST_F(EnemyTest, SmartEnemySeesByWayOfAMirrorAndFiresAlongItsOwnHeading) {
    smart_with_mirror().load();
    world.player.ducking = false;
    const std::vector<EnemyShot> shots = step_and_collect();
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0].x, 118);
    EXPECT_EQ(shots[0].y, 100);
    EXPECT_FLOAT_EQ(shots[0].angle, 0.0f) << "fires along its heading, not at the player";
    EXPECT_FLOAT_EQ(enemy().angle, 2.0f) << "net turn of a firing update: rotation speed less one";
    EXPECT_EQ(enemy().cooldown, 60);

    // Without the mirror the same enemy sees nothing and only turns.
    MapText bare = smart_with_mirror();
    bare.segments.clear();
    bare.load();
    world.player.ducking = false;
    EXPECT_TRUE(step_and_collect().empty());
    EXPECT_FLOAT_EQ(enemy().angle, 3.0f);
}

TEST_F(EnemyTest, SmartEnemyDoesNotLookOrTurnWhileCooling) {
    smart_with_mirror().load();
    world.player.ducking = false;
    enemy().cooldown = 3;
    EXPECT_TRUE(step_and_collect().empty());
    EXPECT_EQ(enemy().cooldown, 2);
    EXPECT_FLOAT_EQ(enemy().angle, 0.0f);
    step(1);
    // The update that brings the cooldown to 0 already looks (and fires).
    EXPECT_EQ(step_and_collect().size(), 1u);
    EXPECT_EQ(enemy().cooldown, 60);
}

TEST_F(EnemyTest, SmartEnemyWithNoSightRangeNeverFiresButKeepsTurning) {
    for (const int32_t range : {0, -5}) {
        MapText m{.width = 400, .height = 300};
        m.start_x = 150;
        m.start_y = 100;
        m.enemies = {{100, 100, 2, 0}};
        m.load();
        world.player.ducking = false;
        settings.laser_life_override = range;
        for (int i = 0; i < 3; ++i) EXPECT_TRUE(step_and_collect().empty());
        EXPECT_FLOAT_EQ(enemy().angle, 9.0f);
    }
}

TEST_F(EnemyTest, SmartSightIsStoppedByWallsAndClosedGatesAndLimitedByRange) {
    MapText m{.width = 400, .height = 300};
    m.start_x = 250;
    m.start_y = 100;
    m.segments = {{180, 50, 180, 150, 4}};  // green gate between the enemy and the player
    m.enemies = {{100, 100, 2, 0}};
    m.load();
    world.player.ducking = false;
    EXPECT_TRUE(step_and_collect().empty()) << "a closed green gate blocks sight";

    m.load();
    world.player.ducking = false;
    world.green_on = false;
    EXPECT_EQ(step_and_collect().size(), 1u) << "an open one does not";

    m.load();
    world.player.ducking = false;
    world.green_on = false;
    settings.laser_life_override = 100;  // sight ends 16 + 100 px ahead, short of x = 237
    EXPECT_TRUE(step_and_collect().empty());
}

TEST_F(EnemyTest, TurretFiresFromItsCentreEveryCooldownOfActiveTime) {
    MapText m{.width = 400, .height = 300};
    m.enemies = {{100, 120, 3, 90}};
    m.load();
    std::vector<int> fired_on;
    for (int update = 0; update <= 400; ++update) {
        const std::vector<EnemyShot> shots = step_and_collect();
        if (shots.empty()) continue;
        fired_on.push_back(update);
        EXPECT_EQ(shots[0].x, 100);
        EXPECT_EQ(shots[0].y, 120);
        EXPECT_FLOAT_EQ(shots[0].angle, static_cast<float>(pi / 2));
    }
    EXPECT_EQ(fired_on, (std::vector<int>{0, 180, 360}));
    EXPECT_EQ(enemy().x, 100);
    EXPECT_FLOAT_EQ(enemy().angle, 90.0f);
}

TEST_F(EnemyTest, OffScreenTurretCoolsDownButHoldsFireUntilSeen) {
    MapText m{.width = 400, .height = 300};
    m.enemies = {{100, 120, 3, 0}};
    m.load();
    enemy().cooldown = 10;
    world.camera_x = -1000;
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(step_and_collect().empty());
    EXPECT_EQ(enemy().cooldown, 0);
    world.camera_x = 0;
    EXPECT_EQ(step_and_collect().size(), 1u);
}

TEST_F(EnemyTest, ActivityGateLetsEachKindActOffScreenFromItsOwnGlobalLevel) {
    // The screen is 800 x 600 with a 16 px margin; x = 817 is just off it.
    MapText m{.width = 400, .height = 300};
    m.width = 1200;
    m.enemies = {{817, 100, 1, 90}, {817, 150, 2, 0}, {817, 200, 3, 0}, {817, 250, 7, 0}, {816, 280, 1, 270}};
    for (int g = 0; g <= 3; ++g) {
        m.load();
        settings.global_enemies = g;
        const std::vector<EnemyShot> shots = step_and_collect();
        EXPECT_EQ(enemy(0).y != 100, g >= 1) << "basic, global " << g;
        EXPECT_EQ(enemy(1).angle != 0.0f, g >= 2) << "smart, global " << g;
        EXPECT_EQ(shots.size(), g >= 3 ? 2u : 0u) << "turret and unknown kind, global " << g;
        EXPECT_NE(enemy(4).y, 280) << "inside the margin it always acts";
        EXPECT_EQ(enemy(3).x, 817) << "an unknown kind never moves";
    }
}

TEST_F(EnemyTest, RemovingTheDeadKeepsTheOrderOfTheLiving) {
    MapText m{.width = 400, .height = 300};
    for (int i = 0; i < 6; ++i) m.enemies.push_back({10 + i, 10, 3, 0});
    m.load();
    const int32_t healths[] = {5, 0, 3, -1, 0, 7};
    for (size_t i = 0; i < 6; ++i) enemy(i).health = healths[i];
    remove_dead_enemies();
    ASSERT_EQ(world.enemies.size(), 3u);
    EXPECT_EQ(enemy(0).x, 10);
    EXPECT_EQ(enemy(1).x, 12);
    EXPECT_EQ(enemy(2).x, 15);
}

TEST_F(EnemyTest, ExplosionsPlayTwentyFiveFramesThenGo) {
    world.explosions = {{1, 1, 0}, {2, 2, 23}};
    advance_explosions();
    ASSERT_EQ(world.explosions.size(), 2u);
    EXPECT_EQ(world.explosions.back().frame, 24);
    advance_explosions();
    ASSERT_EQ(world.explosions.size(), 1u);
    EXPECT_EQ(world.explosions.front().x, 1);
    for (int i = 2; i < 24; ++i) advance_explosions();
    ASSERT_EQ(world.explosions.size(), 1u) << "frame 24 is still shown";
    advance_explosions();
    EXPECT_TRUE(world.explosions.empty());
}

TEST_F(EnemyTest, RangesReachingPastTheListAreCutToIt) {
    MapText m{.width = 400, .height = 300};
    m.enemies = {{100, 100, 3, 0}, {150, 100, 3, 0}};
    m.load();
    EnemyMover stale{-4, 50};
    run_enemy_mover(&stale);
    EXPECT_EQ(pending_enemy_shots().size(), 2u);
}

// --- Several workers ---

// The worker split: one range when there are no more items than workers,
// else equal chunks with the remainder on the last.
std::vector<EnemyMover> split(int32_t count, int32_t workers) {
    if (count <= workers) return {{0, count}};
    const int32_t chunk = count / workers;
    std::vector<EnemyMover> ranges;
    for (int32_t i = 0; i < workers; ++i) ranges.push_back({i * chunk, i + 1 == workers ? count : (i + 1) * chunk});
    return ranges;
}

struct PhaseOutcome {
    std::vector<EnemyShot> shots;
    std::vector<Laser> lasers;
    std::vector<Enemy> enemies;
    int32_t health = 0;
};

// A crowd around a player at (400, 300): basic enemies circling into contact,
// smart enemies sweeping, turrets firing.
MapText crowd() {
    MapText m{.width = 400, .height = 300};
    m.width = 800;
    m.height = 600;
    m.start_x = 400;
    m.start_y = 300;
    m.segments = {{300, 100, 500, 100, 2}, {100, 500, 700, 500, 1}};
    for (int i = 0; i < 45; ++i) {
        const int kind = 1 + i % 3;
        m.enemies.push_back({380 + (i * 7) % 50, 250 + (i * 13) % 90, kind, i * 17.5});
    }
    return m;
}

PhaseOutcome run_crowd(int32_t workers, int updates) {
    crowd().load();
    world.player.ducking = false;
    world.player.health = 100000;
    settings.smart_laser_cooldown_rate = 2;
    settings.turret_laser_cooldown_rate = 3;
    PhaseOutcome out;
    for (int u = 0; u < updates; ++u) {
        std::vector<EnemyMover> ranges = split(static_cast<int32_t>(world.enemies.size()), workers);
        std::vector<std::thread> threads;
        for (EnemyMover& r : ranges) threads.emplace_back(run_enemy_mover, &r);
        for (std::thread& t : threads) t.join();
        const std::vector<EnemyShot> shots = pending_enemy_shots();
        out.shots.insert(out.shots.end(), shots.begin(), shots.end());
        flush_enemy_shots();
    }
    out.lasers = world.lasers;
    out.enemies = world.enemies;
    out.health = world.player.health;
    return out;
}

TEST_F(EnemyTest, ShotsAndDamageComeOutTheSameWhateverTheWorkerSplit) {
    const PhaseOutcome serial = run_crowd(1, 12);
    ASSERT_FALSE(serial.shots.empty());
    EXPECT_LT(serial.health, 100000) << "the crowd is meant to touch the player";

    for (const int32_t workers : {2, 8}) {
        const PhaseOutcome split_run = run_crowd(workers, 12);
        ASSERT_EQ(split_run.shots.size(), serial.shots.size()) << workers << " workers";
        for (size_t i = 0; i < serial.shots.size(); ++i) {
            EXPECT_EQ(split_run.shots[i].enemy, serial.shots[i].enemy) << "shot " << i << ", " << workers << " workers";
            EXPECT_EQ(split_run.shots[i].x, serial.shots[i].x);
            EXPECT_EQ(split_run.shots[i].y, serial.shots[i].y);
            EXPECT_EQ(split_run.shots[i].angle, serial.shots[i].angle);
        }
        ASSERT_EQ(split_run.lasers.size(), serial.lasers.size());
        for (size_t i = 0; i < serial.lasers.size(); ++i) {
            EXPECT_EQ(split_run.lasers[i].x, serial.lasers[i].x) << "particle " << i;
            EXPECT_EQ(split_run.lasers[i].y, serial.lasers[i].y);
            EXPECT_EQ(split_run.lasers[i].angle, serial.lasers[i].angle);
        }
        ASSERT_EQ(split_run.enemies.size(), serial.enemies.size());
        for (size_t i = 0; i < serial.enemies.size(); ++i) {
            EXPECT_EQ(split_run.enemies[i].fx, serial.enemies[i].fx) << "enemy " << i;
            EXPECT_EQ(split_run.enemies[i].fy, serial.enemies[i].fy);
            EXPECT_EQ(split_run.enemies[i].angle, serial.enemies[i].angle);
            EXPECT_EQ(split_run.enemies[i].cooldown, serial.enemies[i].cooldown);
        }
        EXPECT_EQ(split_run.health, serial.health) << workers << " workers";
    }
}

TEST_F(EnemyTest, PendingShotsOfOneUpdateRunInEnemyOrder) {
    crowd().load();
    std::vector<EnemyMover> ranges = split(static_cast<int32_t>(world.enemies.size()), 8);
    std::vector<std::thread> threads;
    // Start the last ranges first, so their batches tend to arrive first.
    for (auto r = ranges.rbegin(); r != ranges.rend(); ++r) threads.emplace_back(run_enemy_mover, &*r);
    for (std::thread& t : threads) t.join();
    const std::vector<EnemyShot> shots = pending_enemy_shots();
    ASSERT_GE(shots.size(), 15u) << "every turret fires on its first update";
    for (size_t i = 1; i < shots.size(); ++i) EXPECT_LT(shots[i - 1].enemy, shots[i].enemy);
    flush_enemy_shots();
    EXPECT_TRUE(pending_enemy_shots().empty());
}

}  // namespace
