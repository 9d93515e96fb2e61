// What one laser particle does in the world: mirrors, gates, switches, the
// exit, enemies, the player, freezing, plotting; and how shots are laid out.
#include "combat/lasers.hpp"

#include <cmath>

#include "combat/geometry.hpp"
#include "combat/workers.hpp"
#include "game/input.hpp"
#include "support/laser_scene.hpp"

namespace {

constexpr float right = 0.0f;  // heading +x, radians

class Lasers : public LaserWorld {};

TEST_F(Lasers, MirrorTurnsParticleBackAndForthInsideItsStroke) {
    load({.segments = {{50, 10, 50, 90, 2}}});  // vertical mirror, cells in columns 48..51
    const float theta = world.wall_grid[cell_index(49, 50)];
    settings.laser_speed = 1;
    world.lasers = {particle(49.5f, 50.0f, right)};

    run_laser_phases();
    const Laser& p = world.lasers[0];
    EXPECT_EQ(p.angle, reflect_angle(right, theta));
    EXPECT_NEAR(p.x, 48.5f, 1e-4);

    run_laser_phases();  // starts on the same stroke again: turned back to where it came from
    EXPECT_EQ(p.angle, reflect_angle(reflect_angle(right, theta), theta));
    EXPECT_NEAR(std::cos(p.angle), 1.0, 1e-6);
    EXPECT_NEAR(p.x, 49.5f, 1e-4);

    // Meeting the stroke from outside: reflected once and back out after 6 sub-steps.
    settings.laser_speed = 6;
    world.lasers = {particle(45.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_NEAR(world.lasers[0].x, 45.5f, 1e-4);
    EXPECT_NEAR(std::cos(world.lasers[0].angle), -1.0, 1e-6);
    EXPECT_FALSE(world.lasers[0].spent);
}

TEST_F(Lasers, GatesAndBlueMirrorsFollowTheirSwitchStates) {
    for (int type : {3, 4, 5}) {  // red gate, green gate, blue mirror
        for (bool on : {true, false}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " on " << on);
            load({.segments = {{100, 10, 100, 90, type}}});
            world.red_on = world.green_on = world.blue_on = on;
            settings.laser_speed = 20;
            world.lasers = {particle(90.5f, 50.0f, right)};
            run_laser_phases();
            const Laser& p = world.lasers[0];
            if (!on) {
                EXPECT_FALSE(p.spent);
                EXPECT_NEAR(p.x, 110.5f, 1e-3);  // passed untouched
            } else if (type == 5) {
                EXPECT_FALSE(p.spent);
                EXPECT_LT(p.x, 98.0f);  // turned back
            } else {
                EXPECT_TRUE(p.spent);
                EXPECT_NEAR(p.x, 98.5f, 1e-3);  // stopped on the gate's first column
            }
        }
    }
}

TEST_F(Lasers, WallsSpendAndTheMapEdgeSpends) {
    load({.segments = {{100, 10, 100, 90, 1}}});
    settings.laser_speed = 20;
    world.lasers = {particle(90.5f, 50.0f, right), particle(-5.0f, 50.0f, right), particle(199.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_TRUE(world.lasers[0].spent);
    EXPECT_NEAR(world.lasers[0].x, 98.5f, 1e-3);
    EXPECT_TRUE(world.lasers[1].spent);
    EXPECT_EQ(world.lasers[1].life, settings.laser_life_override - 1);  // spent on its first sub-step
    EXPECT_TRUE(world.lasers[2].spent);                                 // stepped off the right edge
}

TEST_F(Lasers, SwitchesFlipOncePerLockOutAndOverlappingBoxesAllCount) {
    load({.switches = {{100, 50, 1}, {110, 50, 3}, {104, 50, 1}}});
    settings.laser_speed = 1;
    world.green_timer = 0;
    // Touches all three boxes: red flips once (the second red switch finds the
    // lock-out already running), blue flips; the particle is spent once.
    world.lasers = {particle(105.5f, 50.0f, right), particle(96.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_FALSE(world.red_on);
    EXPECT_FALSE(world.blue_on);
    EXPECT_TRUE(world.green_on);
    EXPECT_EQ(world.red_timer, 60);
    EXPECT_EQ(world.blue_timer, 60);
    EXPECT_EQ(world.green_timer, 0);
    EXPECT_TRUE(world.lasers[0].spent);
    EXPECT_TRUE(world.lasers[1].spent);  // touched a red switch during its lock-out: spent, nothing flips

    // A running timer refuses the flip but still spends the particle.
    world.red_timer = 5;
    world.lasers = {particle(100.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_FALSE(world.red_on);
    EXPECT_EQ(world.red_timer, 5);
    EXPECT_TRUE(world.lasers[0].spent);
}

TEST_F(Lasers, FlipMidPhaseOpensTheGateOnlyForLaterParticles) {
    // Red gate at x = 100; red switch far from it at (30, 20).
    load({.segments = {{100, 10, 100, 90, 3}}, .switches = {{30, 20, 1}}});
    settings.laser_speed = 20;
    world.lasers = {particle(90.5f, 50.0f, right), particle(30.5f, 20.0f, right), particle(90.5f, 60.0f, right)};
    run_laser_phases();
    EXPECT_FALSE(world.red_on);
    EXPECT_TRUE(world.lasers[0].spent);   // met the gate while it was still closed
    EXPECT_TRUE(world.lasers[1].spent);   // the one that flipped it
    EXPECT_FALSE(world.lasers[2].spent);  // came after the flip: passes
    EXPECT_NEAR(world.lasers[2].x, 110.5f, 1e-3);
}

TEST_F(Lasers, ExitPullsFromAfarAndSwallowsUpClose) {
    load({.width = 400, .exit_x = 150, .exit_y = 50});
    settings.laser_speed = 1;
    world.lasers = {particle(140.5f, 50.0f, static_cast<float>(pi)), particle(280.5f, 50.0f, right),
                    particle(310.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_TRUE(world.lasers[0].spent);            // 9.5 px away: swallowed
    EXPECT_NEAR(world.lasers[1].x, 281.2f, 1e-4);  // 130.5 px: pulled back 0.3, moved 1
    EXPECT_EQ(world.lasers[2].x, 311.5f);          // 160.5 px: out of reach
    EXPECT_FALSE(world.lasers[1].spent);
}

TEST_F(Lasers, EnemyHitsDamageFlagAndExplodeOncePerLethalHit) {
    settings.enemy_health_override = 3;
    // A turret on the path is never hit; the basic enemy behind it is.
    load({.enemies = {{84, 50, 3, 0}, {110, 50, 1, 0}}});
    settings.laser_speed = 30;
    for (int i = 0; i < 10; ++i) world.lasers.push_back(particle(70.5f, 48.0f + static_cast<float>(i % 5), right));
    run_laser_phases();
    for (const Laser& p : world.lasers) {
        EXPECT_TRUE(p.spent);
        EXPECT_NEAR(p.x, 98.5f, 1e-3);  // 12 px short of the basic enemy, past the turret
    }
    EXPECT_EQ(world.enemies[0].health, 3);
    EXPECT_EQ(world.enemies[1].health, -7);
    EXPECT_TRUE(world.enemies[1].hit_flash);
    ASSERT_EQ(world.explosions.size(), 8u);  // the third hit kills; every later one adds another
    for (const Explosion& e : world.explosions) EXPECT_TRUE(e.x == 110 && e.y == 50 && e.frame == 0);
    ASSERT_EQ(world.sparks.size(), 10u);
    for (const Spark& s : world.sparks) {
        EXPECT_TRUE(s.colour.r >= 128 && s.colour.g >= 128 && s.colour.b == 0);
        EXPECT_TRUE(s.speed >= 1 && s.speed <= 5 && s.life == 10);
        EXPECT_NEAR(std::cos(s.direction), -1.0, 0.15);  // thrown back the way the particle came
    }
}

TEST_F(Lasers, FirstEnemyInListOrderTakesTheHit) {
    load({.enemies = {{106, 50, 2, 0}, {100, 50, 1, 0}}});
    settings.laser_speed = 1;
    world.lasers = {particle(103.5f, 50.0f, right), particle(89.5f, 50.0f, right)};
    run_laser_phases();
    EXPECT_EQ(world.enemies[0].health, 199);  // inside both boxes: the first listed
    EXPECT_EQ(world.enemies[1].health, 199);  // only inside the second's box
}

TEST_F(Lasers, PlayerIsHitInsideItsStandingOrDuckingBand) {
    load({.width = 200, .height = 200, .start_x = 100, .start_y = 100});
    settings.laser_speed = 1;
    struct Case {
        bool ducking;
        float x, y;
        bool hit;
    };
    const Case cases[] = {
        {false, 100.5f, 72.0f, true},   {false, 100.5f, 71.0f, false}, {false, 100.5f, 128.0f, true},
        {false, 100.5f, 129.0f, false}, {false, 113.5f, 100.0f, true}, {false, 114.5f, 100.0f, false},
        {false, 86.5f, 100.0f, false},  {true, 100.5f, 101.0f, true},  {true, 100.5f, 100.0f, false},
        {true, 100.5f, 128.5f, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "ducking " << c.ducking << " at " << c.x << ", " << c.y);
        world.player.ducking = c.ducking;
        world.player.health = 50;
        world.player.hit_flash = false;
        world.sparks.clear();
        world.lasers = {particle(c.x, c.y, right)};
        run_laser_phases();
        EXPECT_EQ(world.player.health, c.hit ? 49 : 50);
        EXPECT_EQ(world.player.hit_flash, c.hit);
        EXPECT_EQ(world.lasers[0].spent, c.hit);
        ASSERT_EQ(world.sparks.size(), c.hit ? 1u : 0u);
        if (c.hit) {
            EXPECT_TRUE(world.sparks.front().colour.r == 0 && world.sparks.front().colour.g >= 128);
        }
    }
}

TEST_F(Lasers, OffScreenParticlesFreezeOnlyWithoutGlobalLasers) {
    load({.width = 1000});
    world.lasers = {particle(900.5f, 50.0f, right), particle(700.5f, 50.0f, right)};
    settings.global_lasers = 0;
    run_laser_phases();
    EXPECT_EQ(world.lasers[0].x, 900.5f);
    EXPECT_EQ(world.lasers[0].life, settings.laser_life_override);
    EXPECT_EQ(world.lasers[1].x, 706.5f);
    EXPECT_EQ(world.lasers[1].life, settings.laser_life_override - 6);
    EXPECT_EQ(pixel(706, 50), laser_colour);

    world.camera_x = -200;  // the camera brings it back: it moves on
    run_laser_phases();
    EXPECT_EQ(world.lasers[0].x, 906.5f);

    settings.global_lasers = 1;
    world.camera_x = 0;
    run_laser_phases();
    EXPECT_EQ(world.lasers[0].x, 912.5f);
}

TEST_F(Lasers, ZeroSpeedHoldsAndZeroLifeSpendsAtOnce) {
    load({});
    settings.laser_speed = 0;
    world.lasers = {particle(20.5f, 30.0f, right)};
    for (int i = 0; i < 3; ++i) run_laser_phases();
    EXPECT_EQ(world.lasers[0].x, 20.5f);
    EXPECT_EQ(world.lasers[0].life, settings.laser_life_override);
    EXPECT_FALSE(world.lasers[0].spent);
    EXPECT_EQ(pixel(20, 30), laser_colour);

    world.lasers = {particle(20.5f, 30.0f, right)};
    world.lasers[0].life = INT32_MIN;  // a nonsensical life runs out at once, without wrapping round
    settings.laser_speed = 6;
    run_laser_phases();
    EXPECT_TRUE(world.lasers[0].spent);
    EXPECT_EQ(world.lasers[0].x, 20.5f);

    settings.laser_life_override = 0;
    world.lasers.clear();
    spawn_beam(50, 50, right);
    ASSERT_EQ(world.lasers.size(), 100u);
    const Laser first = world.lasers[0];
    run_laser_phases();
    EXPECT_TRUE(world.lasers[0].spent);
    EXPECT_EQ(world.lasers[0].x, first.x);  // plotted where it was laid
    EXPECT_EQ(pixel(to_int(first.x), to_int(first.y)), laser_colour);
}

TEST_F(Lasers, BeamStopsAtWallsAndSkipsPointsOffTheMap) {
    load({.segments = {{100, 10, 100, 90, 1}}});  // wall in columns 98..101
    spawn_beam(60, 50, right);
    EXPECT_EQ(world.lasers.size(), 100u);  // open space: 5 rays of 20
    for (const Laser& p : world.lasers) EXPECT_TRUE(p.life == settings.laser_life_override && !p.spent);
    EXPECT_EQ(world.lasers.front().x, 61.0f);  // first point 1 px ahead

    world.lasers.clear();
    spawn_beam(99, 50, right);  // origin inside the wall: every ray blocked at once
    EXPECT_TRUE(world.lasers.empty());
    spawn_beam(95, 50, right);  // 2 points per ray before the wall
    EXPECT_EQ(world.lasers.size(), 10u);

    world.lasers.clear();
    spawn_beam(-5, 50, right);  // x = -4 .. -1 are off the map; the rays go on
    EXPECT_EQ(world.lasers.size(), 80u);

    world.lasers.clear();
    world.release_grid();  // no map: nothing to lay into
    spawn_beam(50, 50, right);
    EXPECT_TRUE(world.lasers.empty());
}

TEST_F(Lasers, PlayerShotFollowsTriggerPacifistAndCooldown) {
    load({.width = 400, .height = 200, .start_x = 100, .start_y = 100});
    game.input.held[action_shoot] = true;
    game.input.mouse_x = 300;  // camera 0: the pointer is world (300, 115) with the duck offset
    game.input.mouse_y = 115;
    game.duck_offset = 15;
    world.player.shot_cooldown = 0;
    player_shot(arm_input());
    ASSERT_EQ(world.lasers.size(), 100u);
    EXPECT_EQ(world.player.shot_cooldown, settings.laser_cooldown_rate);
    EXPECT_EQ(world.lasers.front().angle, 0.0f);
    EXPECT_EQ(world.lasers.front().x, 134.0f);      // 33 px ahead, then 1 px
    EXPECT_NEAR(world.lasers[40].y, 115.0f, 1e-3);  // the middle ray (third of five) starts on the shoulder

    player_shot(arm_input());  // cooling down
    EXPECT_EQ(world.lasers.size(), 100u);
    settings.power_overwhelming = 1;
    player_shot(arm_input());
    EXPECT_EQ(world.lasers.size(), 200u);
    settings.pacifist = 1;
    player_shot(arm_input());
    EXPECT_EQ(world.lasers.size(), 200u);
    settings.pacifist = 0;
    game.input.held[action_shoot] = false;
    player_shot(arm_input());
    EXPECT_EQ(world.lasers.size(), 200u);
}

TEST_F(Lasers, ShotsAlongTheAxesStartOnTheShouldersRowOrColumn) {
    // The shoulder is (100, 166); left and right, up and down are mirror images.
    load({.width = 400, .height = 400, .start_x = 100, .start_y = 151});
    struct Case {
        int mouse_x, mouse_y;
        bool along_x;
    };
    for (const Case c : {Case{300, 166, true}, Case{0, 166, true}, Case{100, 390, false}, Case{100, 0, false}}) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.mouse_x << ", " << c.mouse_y);
        world.lasers.clear();
        world.player.shot_cooldown = 0;
        game.duck_offset = 15;
        game.input = {};
        game.input.held[action_shoot] = true;
        game.input.mouse_x = c.mouse_x;
        game.input.mouse_y = c.mouse_y;
        player_shot(arm_input());
        ASSERT_EQ(world.lasers.size(), 100u);
        const Laser& middle = world.lasers[40];  // the middle ray (third of five) starts on the shoulder's line
        if (c.along_x)
            EXPECT_NEAR(middle.y, 166.0f, 1e-3);
        else
            EXPECT_NEAR(middle.x, 100.0f, 1e-3);
    }
}

TEST_F(Lasers, PointerFarOffTheWindowStillAimsAlongIt) {
    // A pointer at the edge of the int32 range with a scrolled camera: the aim
    // is still straight along x, with no overflow on the way to world px.
    load({.width = 400, .height = 200, .start_x = 100, .start_y = 100});
    world.camera_x = -300;
    game.input.held[action_shoot] = true;
    game.input.mouse_x = INT32_MAX;
    game.input.mouse_y = 100;
    game.duck_offset = 0;
    world.player.shot_cooldown = 0;
    world.camera_y = 0;
    player_shot(arm_input());
    ASSERT_FALSE(world.lasers.empty());
    EXPECT_NEAR(world.lasers.front().angle, 0.0f, 1e-6f);
}

TEST_F(Lasers, PlotsStayInsideTheBufferWhateverTheCamera) {
    load({.width = 1000, .height = 800});
    settings.laser_speed = 0;
    world.lasers = {particle(-0.5f, 5.0f, right), particle(999.5f, 799.5f, right), particle(0.7f, 0.2f, right)};
    for (const auto& [cx, cy] : {std::pair{0, 0},
                                 {800, 600},
                                 {799, 599},
                                 {-999, -799},
                                 {INT32_MAX, INT32_MIN},
                                 {INT32_MIN, INT32_MAX},
                                 {-200, -200}}) {
        SCOPED_TRACE(testing::Message() << "camera " << cx << ", " << cy);
        world.camera_x = cx;
        world.camera_y = cy;
        run_laser_phases();
        size_t lit = 0;
        for (uint32_t px : combat.laser_pixels) lit += px == laser_colour;
        EXPECT_LE(lit, 3u);
    }
    world.camera_x = world.camera_y = 0;
    run_laser_phases();
    EXPECT_EQ(pixel(0, 5), laser_colour);  // -0.5 truncates into column 0

    // A buffer that was never allocated is left alone.
    combat.laser_pixels.clear();
    run_laser_phases();
    world.sparks.push_back({10, 10, 0, {255, 0, 0, 255}, 10, 2});
    spark_step();
    EXPECT_EQ(world.sparks.size(), 1u);
}

TEST_F(Lasers, SparksFlyPlotAndDieAfterTenUpdatesOrOffScreen) {
    load({});
    world.sparks = {{10.5f, 10.0f, 0.0f, {200, 100, 0, 255}, 10, 2},
                    {5.0f, 5.0f, 0.0f, {1, 2, 3, 255}, 0, 1},
                    {-3.0f, 5.0f, 0.0f, {1, 2, 3, 255}, 5, 1}};
    spark_step();
    ASSERT_EQ(world.sparks.size(), 1u);
    EXPECT_EQ(pixel(10, 10), pack_rgba(200, 100, 0, 255));
    EXPECT_EQ(world.sparks.front().x, 12.5f);
    EXPECT_EQ(world.sparks.front().life, 9);
    int plotted = 1;
    while (!world.sparks.empty()) {
        spark_step();
        plotted += world.sparks.empty() ? 0 : 1;
    }
    EXPECT_EQ(plotted, 10);
}

}  // namespace
