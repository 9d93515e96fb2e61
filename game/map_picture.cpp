#include "game/map_picture.hpp"

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "game/game_state.hpp"
#include "world/world_state.hpp"

void show_map_picture(const MapSource& map) {
    world.release_grid();
    world.map_width = map.width;
    world.map_height = map.height;

    world.segments.clear();
    for (const MapSegment& s : map.segments) world.segments.push_back({s.x1, s.y1, s.x2, s.y2, s.type});
    world.switches.clear();
    for (const MapSwitch& s : map.switches) world.switches.push_back({s.x, s.y, s.colour});
    world.red_on = world.green_on = world.blue_on = true;
    world.red_timer = world.green_timer = world.blue_timer = 0;
    world.enemies.clear();
    for (const MapEnemy& e : map.enemies) {
        Enemy enemy;
        enemy.x = e.x;
        enemy.y = e.y;
        enemy.kind = e.kind;
        enemy.health = settings.enemy_health_override;
        enemy.fx = static_cast<float>(e.x);
        enemy.fy = static_cast<float>(e.y);
        // The loader reads the written word; a word it would refuse shows as 0 here.
        if (!parse_heading(heading_word(e), enemy.angle)) enemy.angle = 0;
        world.enemies.push_back(enemy);
    }
    world.pickups.clear();
    for (const MapPickup& p : map.pickups) world.pickups.push_back({p.x, p.y, p.kind, false});
    world.checkpoints.clear();
    for (const MapCheckpoint& c : map.checkpoints) world.checkpoints.push_back({c.x, c.y});
    world.last_checkpoint = world.checkpoints.size();

    world.exit_x = map.exit_x;
    world.exit_y = map.exit_y;
    world.exit_spin = 0;
    Player& p = world.player;
    p = Player{};
    p.x = p.respawn_x = map.start_x;
    p.y = p.respawn_y = map.start_y;
    p.fx = static_cast<float>(p.x);
    p.fy = static_cast<float>(p.y);
    p.health = settings.health_override;
    p.lives = settings.lives_override;
    p.airborne = p.ducking = false;  // shown standing, as it will stand once it lands

    world.lasers.clear();
    world.explosions.clear();
    world.sparks.clear();
    game = GameState{};
    game.duck_offset = 0;
    combat = CombatState{};  // no shield standing, no shots queued
}

void frame_map_picture(int32_t camera_x, int32_t camera_y, int32_t width, int32_t height) {
    world.camera_x = camera_x;
    world.camera_y = camera_y;
    world.screen_width = width;
    world.screen_height = height;
}
