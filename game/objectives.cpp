#include "game/objectives.hpp"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/game_state.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int sparks_per_pickup = 50;
constexpr int32_t spark_life = 10;  // updates
constexpr int32_t reach_x = 31;     // px either side of a pickup, checkpoint or exit centre

// Reach of a pickup at (x, y): 63 px wide; 95 px high standing, 63 ducking
// (the ducked body's top is at player.y, so only low pickups are in reach).
bool pickup_in_reach(const Pickup& k) {
    const Player& p = world.player;
    const int64_t x = k.x, y = k.y;
    const int64_t below = p.ducking ? 16 : 48;
    return x - reach_x <= p.x && p.x <= x + reach_x && y - 47 <= p.y && p.y < y + below;
}

bool checkpoint_in_reach(const Checkpoint& c) {
    const Player& p = world.player;
    const int64_t x = c.x, y = c.y;
    const int64_t below = p.ducking ? 32 : 64;
    return x - reach_x <= p.x && p.x <= x + reach_x && y - 63 <= p.y && p.y < y + below;
}

void apply_pickup(int kind) {
    Player& p = world.player;
    switch (kind) {
        // The excess over health_override is cut off later in the same update.
        case pickup_medkit: p.health = saturated(int64_t{p.health} + settings.health_override / 4); break;
        case pickup_extra_life: p.lives = saturated(int64_t{p.lives} + 1); break;
        case pickup_power_up: p.powered = true; break;
        default: break;
    }
}

// A burst of sparks at the pickup; each draws its five random numbers in a fixed order.
void add_pickup_sparks(const Pickup& k) {
    for (int i = 0; i < sparks_per_pickup; ++i) {
        const int32_t r1 = combat.random.next(), r2 = combat.random.next(), r3 = combat.random.next();
        const int32_t r4 = combat.random.next(), r5 = combat.random.next();
        Spark s;
        s.x = static_cast<float>(k.x);
        s.y = static_cast<float>(k.y);
        s.direction = static_cast<float>(r5 / 32767.0 * 6.28);  // radians
        s.colour = Rgba{static_cast<uint8_t>(128 + r4 % 128), static_cast<uint8_t>(128 + r3 % 128),
                        static_cast<uint8_t>(128 + r2 % 128), 255};
        s.life = spark_life;
        s.speed = r1 % 5 + 1;  // px per update
        world.sparks.push_back(s);
    }
}

}  // namespace

void touch_pickups() {
    for (Pickup& k : world.pickups) {
        if (k.taken || !pickup_in_reach(k)) continue;
        apply_pickup(k.kind);
        add_pickup_sparks(k);
        k.taken = true;
    }
}

void touch_checkpoints() {
    if (world.checkpoints.empty()) return;
    size_t candidate = world.last_checkpoint;
    for (size_t i = 0; i < world.checkpoints.size(); ++i) {
        const Checkpoint& c = world.checkpoints[i];
        if (!checkpoint_in_reach(c)) continue;
        world.player.respawn_x = c.x;
        world.player.respawn_y = c.y;
        candidate = i;
    }
    world.last_checkpoint = candidate;
}

void remove_taken_pickups() {
    std::erase_if(world.pickups, [](const Pickup& k) { return k.taken; });
}

bool exit_reached() {
    const Player& p = world.player;
    const int64_t x = world.exit_x, y = world.exit_y;
    return x - reach_x <= p.x && p.x <= x + reach_x && y - reach_x <= p.y && p.y <= y + reach_x;
}
