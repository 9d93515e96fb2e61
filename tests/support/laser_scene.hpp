// Small worlds for the laser tests: map texts built in code and a fixture
// that starts every test from default settings and an empty game.
#pragma once

#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/game_state.hpp"
#include "game/update.hpp"
#include "support/map_text.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

class LaserWorld : public ::testing::Test {
protected:
    void SetUp() override { start_fresh(); }
    void TearDown() override { start_fresh(); }
    void load(const MapText& m) {
        std::string why;
        ASSERT_TRUE(load_map(m.text().c_str(), why)) << why;
    }
    // A particle laid by hand, with a full life.
    static Laser particle(float x, float y, float angle) { return {x, y, angle, settings.laser_life_override, false}; }
    uint32_t pixel(int x, int y) const { return combat.laser_pixels[static_cast<size_t>(y) * world.screen_width + x]; }
};

// Everything the laser phase may change, for comparing two runs exactly.
struct LaserOutcome {
    std::vector<Laser> lasers;
    std::vector<std::pair<int32_t, bool>> enemies;  // health, hit_flash
    std::vector<Explosion> explosions;
    std::vector<Spark> sparks;
    int32_t player_health = 0;
    bool player_flash = false;
    bool states[3]{};
    int32_t timers[3]{};
    uint32_t random = 0;
    std::vector<uint32_t> pixels;

    static LaserOutcome now() {
        LaserOutcome o;
        o.lasers = world.lasers;
        for (const Enemy& e : world.enemies) o.enemies.emplace_back(e.health, e.hit_flash);
        o.explosions.assign(world.explosions.begin(), world.explosions.end());
        o.sparks.assign(world.sparks.begin(), world.sparks.end());
        o.player_health = world.player.health;
        o.player_flash = world.player.hit_flash;
        o.states[0] = world.red_on;
        o.states[1] = world.green_on;
        o.states[2] = world.blue_on;
        o.timers[0] = world.red_timer;
        o.timers[1] = world.green_timer;
        o.timers[2] = world.blue_timer;
        o.random = combat.random.state;
        o.pixels = combat.laser_pixels;
        return o;
    }
};

// Bitwise comparison, particle by particle, so a difference names its first place.
inline void expect_same(const LaserOutcome& a, const LaserOutcome& b) {
    ASSERT_EQ(a.lasers.size(), b.lasers.size());
    for (size_t i = 0; i < a.lasers.size(); ++i) {
        const Laser &p = a.lasers[i], &q = b.lasers[i];
        ASSERT_TRUE(std::memcmp(&p.x, &q.x, 4) == 0 && std::memcmp(&p.y, &q.y, 4) == 0 &&
                    std::memcmp(&p.angle, &q.angle, 4) == 0 && p.life == q.life && p.spent == q.spent)
            << "particle " << i << ": (" << p.x << ", " << p.y << ", " << p.angle << ", " << p.life << ", " << p.spent
            << ") vs (" << q.x << ", " << q.y << ", " << q.angle << ", " << q.life << ", " << q.spent << ")";
    }
    EXPECT_EQ(a.enemies, b.enemies);
    ASSERT_EQ(a.explosions.size(), b.explosions.size());
    for (size_t i = 0; i < a.explosions.size(); ++i) {
        EXPECT_EQ(a.explosions[i].x, b.explosions[i].x);
        EXPECT_EQ(a.explosions[i].y, b.explosions[i].y);
    }
    ASSERT_EQ(a.sparks.size(), b.sparks.size());
    for (size_t i = 0; i < a.sparks.size(); ++i) {
        const Spark &s = a.sparks[i], &t = b.sparks[i];
        EXPECT_TRUE(s.x == t.x && s.y == t.y && s.direction == t.direction && s.speed == t.speed &&
                    s.colour.r == t.colour.r && s.colour.g == t.colour.g && s.colour.b == t.colour.b)
            << "spark " << i;
    }
    EXPECT_EQ(a.player_health, b.player_health);
    EXPECT_EQ(a.player_flash, b.player_flash);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(a.states[c], b.states[c]) << "colour " << c;
        EXPECT_EQ(a.timers[c], b.timers[c]) << "colour " << c;
    }
    EXPECT_EQ(a.random, b.random);
    EXPECT_TRUE(a.pixels == b.pixels);
}
