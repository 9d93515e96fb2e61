#include "game/health.hpp"

#include "app/settings.hpp"
#include "game/camera.hpp"
#include "game/game_state.hpp"
#include "world/world_state.hpp"

void respawn_player() {
    Player& p = world.player;
    p.ducking = true;
    p.x = p.respawn_x;
    p.y = p.respawn_y;
    p.fx = static_cast<float>(p.respawn_x);
    p.fy = static_cast<float>(p.respawn_y);
    p.health = settings.health_override;
    centre_camera();
    game.duck_offset = duck_offset_ducked;
}

void health_bounds() {
    Player& p = world.player;
    if (p.health > settings.health_override) p.health = settings.health_override;
    if (p.health < 0) p.health = 0;
}

void clamp_negative_health() {
    if (world.player.health < 0) world.player.health = 0;
}

void forfeit_life() { world.player.health = -1; }

LifeOutcome take_life() {
    Player& p = world.player;
    // Already at or below zero: the game is over either way, and the count must not wrap.
    if (p.lives > INT32_MIN) p.lives -= 1;
    p.jump_timer = 0;
    return p.lives < 0 ? LifeOutcome::game_over : LifeOutcome::respawned;
}
