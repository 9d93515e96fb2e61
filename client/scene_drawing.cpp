#include "client/scene_drawing.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include <SFML/Graphics/CircleShape.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>

#include "app/settings.hpp"
#include "client/object_images.hpp"
#include "client/shapes.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "game/game_state.hpp"
#include "game/race_clock.hpp"
#include "world/world_state.hpp"

namespace {

constexpr float shield_thickness = 4.0f;   // px, as thick as a wall
constexpr float border_thickness = 10.0f;  // px
constexpr double radians_to_degrees = 180.0 / 3.141592653589793;
// Body image (0 standstill / ducking, 1..4 move / ducking1..4) for each ten walk steps.
constexpr std::array<int, 8> standing_frames = {0, 1, 2, 1, 0, 3, 4, 3};
constexpr std::array<int, 8> ducking_frames = {0, 1, 2, 3, 4, 3, 2, 1};

sf::Vector2f screen_of(int32_t wx, int32_t wy) {
    return {static_cast<float>(wx + world.camera_x), static_cast<float>(wy + world.camera_y)};
}

void draw_laser_layer(sf::RenderTarget& target, sf::Texture& laser_image) {
    if (combat.laser_pixels.size() != size_t{laser_image.getSize().x} * laser_image.getSize().y) return;
    laser_image.update(reinterpret_cast<const sf::Uint8*>(combat.laser_pixels.data()));
    laser_image.setSmooth(settings.smooth_sprites != 0);
    target.draw(sf::Sprite(laser_image), additive_blend);
}

// The walls from the geometry built at the map's load, then the shield's line over them.
void draw_walls_and_shield(sf::RenderTarget& target, WallGeometry& walls) {
    walls.draw(target);
    if (!combat.shield_up) return;
    const ShieldEnds& e = combat.shield_ends;
    std::vector<sf::Vertex> line;
    append_line(line, screen_of(e.x1, e.y1), screen_of(e.x2, e.y2), shield_thickness, sf::Color(50, 150, 150));
    target.draw(line.data(), line.size(), sf::Triangles);
}

void draw_sprite_at(sf::RenderTarget& target, sf::Sprite& sprite, const sf::Texture& image, int32_t x, int32_t y) {
    sprite.setTexture(image, true);
    sprite.setPosition(screen_of(x, y));
    target.draw(sprite, additive_blend);
}

void draw_checkpoints(sf::RenderTarget& target) {
    for (size_t i = 0; i < world.checkpoints.size(); ++i) {
        const Checkpoint& c = world.checkpoints[i];
        const sf::Vector2f at = screen_of(c.x, c.y);
        const auto w = static_cast<float>(world.screen_width), h = static_cast<float>(world.screen_height);
        if (at.x < -16 || at.x > w + 16 || at.y < -32 || at.y > h + 32) continue;
        draw_sprite_at(target, images.checkpoint_sprite, images.checkpoints[i == world.last_checkpoint ? 1 : 0], c.x,
                       c.y);
    }
}

void draw_enemies(sf::RenderTarget& target) {
    for (const Enemy& e : world.enemies) {
        if (!on_screen(e.x, e.y, 16)) continue;
        if (e.kind >= 1 && e.kind <= 3)
            images.enemy_sprite.setTexture(images.enemies[static_cast<size_t>(e.kind - 1)], true);
        images.enemy_sprite.setPosition(screen_of(e.x, e.y));
        images.enemy_sprite.setRotation(e.angle);
        target.draw(images.enemy_sprite, additive_blend);
        if (!e.hit_flash) continue;
        sf::CircleShape flash(16.0f);
        flash.setOrigin(16.0f, 16.0f);
        flash.setPosition(screen_of(e.x, e.y));
        flash.setFillColor(sf::Color(255, 0, 0, 200));
        target.draw(flash);
    }
}

void draw_pickups_and_switches(sf::RenderTarget& target) {
    for (const Pickup& p : world.pickups)
        if (p.kind >= 1 && p.kind <= 3 && on_screen(p.x, p.y, 16))
            draw_sprite_at(target, images.pickup_sprite, images.pickups[static_cast<size_t>(p.kind - 1)], p.x, p.y);
    const std::array<bool, 3> on = {world.red_on, world.green_on, world.blue_on};
    for (const Switch& s : world.switches) {
        if (s.colour < 1 || s.colour > 3 || !on_screen(s.x, s.y, 16)) continue;
        const size_t colour = static_cast<size_t>(s.colour - 1);
        images.switch_sprite.setTexture(images.switches[on[colour] ? colour + 3 : colour], true);
        images.switch_sprite.setPosition(screen_of(s.x, s.y));
        target.draw(images.switch_sprite);  // switches are drawn with plain alpha
    }
}

// The exit turns by exit_spin; the frame driver advances the spin after drawing.
void draw_exit(sf::RenderTarget& target) {
    if (!on_screen(world.exit_x, world.exit_y, 32)) return;
    images.exit_sprite.setRotation(world.exit_spin);
    draw_sprite_at(target, images.exit_sprite, images.exit, world.exit_x, world.exit_y);
}

// White lines along the map's edges that are near or on the screen.
void draw_border(sf::RenderTarget& target) {
    const float left = static_cast<float>(world.camera_x), top = static_cast<float>(world.camera_y);
    const float right = left + static_cast<float>(world.map_width), bottom = top + static_cast<float>(world.map_height);
    const float w = static_cast<float>(world.screen_width), h = static_cast<float>(world.screen_height);
    std::vector<sf::Vertex> lines;
    if (left > -10) append_line(lines, {0, 0}, {0, bottom}, border_thickness, sf::Color::White);
    if (top > -10) append_line(lines, {0, 0}, {right, 0}, border_thickness, sf::Color::White);
    if (right < w + 10) append_line(lines, {right, 0}, {right, bottom}, border_thickness, sf::Color::White);
    if (bottom < h + 10) append_line(lines, {0, bottom}, {right, bottom}, border_thickness, sf::Color::White);
    target.draw(lines.data(), lines.size(), sf::Triangles);
}

// Five frames per death image; the frame driver ages them after drawing.
void draw_explosions(sf::RenderTarget& target) {
    for (const Explosion& x : world.explosions)
        draw_sprite_at(target, images.death_sprite, images.deaths[static_cast<size_t>(std::clamp(x.frame / 5, 0, 4))],
                       x.x, x.y);
}

sf::CircleShape marker(float x, float y, sf::Color fill, sf::Color outline) {
    sf::CircleShape c(5.0f);
    c.setOrigin(5.0f, 5.0f);
    c.setPosition(x, y);
    c.setFillColor(fill);
    c.setOutlineThickness(1.0f);
    c.setOutlineColor(outline);
    return c;
}

sf::Color health_colour(double h, double m) {
    if (h >= 0.6 * m) return {0, 150, 0, 200};
    if (h < 0.3 * m) return {200, 0, 0, 200};
    return {0, 0, 150, 200};
}

}  // namespace

void draw_hud(sf::RenderTarget& target) {
    const float w = static_cast<float>(world.screen_width);
    const sf::Color panel(50, 50, 50, 200);
    target.draw(box(0, 0, 190, 30, panel));
    target.draw(box(w - 70, 0, w, 30, panel));
    const double h = world.player.health, m = settings.health_override;
    // A health_override of 0 or below has no bar to fill; health is never drawn below empty.
    const double length = m > 0 ? std::max(0.0, h / m * 100.0) : 0.0;
    target.draw(box(5, 5, static_cast<float>(length), 20, health_colour(h, m)));
    target.draw(box(5, 5, 100, 20, sf::Color::Transparent, sf::Color(0, 0, 0, 200), 1.0f));
    for (int32_t i = 0; i < std::min(world.player.lives, 10); ++i)
        target.draw(marker(static_cast<float>(120 + (15 * i) % 75), static_cast<float>(7 + 15 * (i / 5)),
                           sf::Color(200, 200, 0), sf::Color(0, 0, 0, 200)));
    const std::array<bool, 3> on = {world.red_on, world.green_on, world.blue_on};
    for (size_t c = 0; c < 3; ++c) {
        sf::Color lit(0, 0, 0, 200), dark(0, 0, 0, 200);
        (c == 0 ? lit.r : c == 1 ? lit.g : lit.b) = 255;
        (c == 0 ? dark.r : c == 1 ? dark.g : dark.b) = 128;
        const float x = w - 55 + 20 * static_cast<float>(c);
        target.draw(on[c] ? marker(x, 15, lit, sf::Color(255, 255, 0, 200))
                          : marker(x, 15, dark, sf::Color(0, 0, 0, 200)));
    }
}

void draw_level(sf::RenderTarget& target, WallGeometry& walls) {
    draw_walls_and_shield(target, walls);
    draw_checkpoints(target);
    draw_enemies(target);
    draw_pickups_and_switches(target);
    draw_exit(target);
}

void draw_scene(sf::RenderTarget& target, sf::Texture& laser_image, WallGeometry& walls) {
    target.clear(sf::Color::Black);
    draw_laser_layer(target, laser_image);
    draw_level(target, walls);
    draw_border(target);
    draw_explosions(target);
    draw_hud(target);
}

void pose_player(sf::Vector2i pointer) {
    const Player& p = world.player;
    const size_t walk = static_cast<size_t>(std::clamp(game.walk_step / 10, 0, 7));
    const auto& bodies = p.ducking ? images.ducking : images.body;
    images.body_sprite.setTexture(bodies[static_cast<size_t>((p.ducking ? ducking_frames : standing_frames)[walk])],
                                  true);
    const auto& arms = p.powered ? images.powered_arm : images.arm;
    images.arm_sprite.setTexture(arms[static_cast<size_t>(std::clamp(game.arm_step / 5, 0, 5))], true);

    images.body_sprite.setPosition(screen_of(p.x, p.y));
    images.arm_sprite.setPosition(screen_of(p.x, p.y + game.duck_offset));
    const float aim = aim_angle(pointer.x - world.camera_x, pointer.y - world.camera_y, p.x, p.y + game.duck_offset);
    images.arm_sprite.setRotation(static_cast<float>(aim * radians_to_degrees));
    images.arm_sprite.setScale(1, 1);
    images.body_sprite.setScale(pointer.x < p.x + world.camera_x ? -1.0f : 1.0f, 1.0f);
}

void draw_player_sprites(sf::RenderTarget& target) {
    target.draw(images.body_sprite, additive_blend);
    target.draw(images.arm_sprite, additive_blend);
}

void draw_player(sf::RenderTarget& target, sf::Vector2i pointer) {
    pose_player(pointer);
    draw_player_sprites(target);
    const Player& p = world.player;
    if (!p.hit_flash) return;
    const sf::Vector2f at = screen_of(p.x, p.y);
    const sf::Color flash(255, 0, 0, 100);
    target.draw(p.ducking ? box(at.x - 14, at.y, 30, 32, flash) : box(at.x - 14, at.y - 32, 30, 64, flash));
}

void draw_ghost(sf::RenderTarget& target, const GhostPose& pose, const GhostPose* before, int64_t update) {
    // A step every ten updates while it moves, as the player's own walk shows; still, it stands.
    const bool moving = before != nullptr && (before->x != pose.x || before->y != pose.y);
    const size_t walk = moving ? static_cast<size_t>(update / 10 % 8) : 0;
    const auto& bodies = pose.ducking ? images.ducking : images.body;
    sf::Sprite ghost(bodies[static_cast<size_t>((pose.ducking ? ducking_frames : standing_frames)[walk])]);
    ghost.setOrigin(images.body_sprite.getOrigin());
    ghost.setPosition(screen_of(pose.x, pose.y));
    ghost.setScale(pose.facing_left ? -1.0f : 1.0f, 1.0f);
    ghost.setColor(sf::Color(140, 200, 255, 110));  // pale blue, mostly see-through
    target.draw(ghost);
}

void draw_race_clock(sf::RenderTarget& target, const sf::Font& font, int64_t updates,
                     std::optional<int64_t> difference) {
    const float centre = static_cast<float>(world.screen_width / 2);
    target.draw(box(centre - 90, 0, 180, 30, sf::Color(50, 50, 50, 200)));
    sf::Text time(race_time(updates), font, 20);
    const float time_width = time.getLocalBounds().width;
    sf::Text lead(difference ? race_difference(*difference) : std::string(), font, 16);
    const float lead_width = difference ? lead.getLocalBounds().width + 10 : 0.0f;
    const float left = centre - (time_width + lead_width) / 2;
    time.setPosition(std::round(left), 2);
    time.setFillColor(sf::Color::White);
    target.draw(time);
    if (!difference) return;
    lead.setPosition(std::round(left + time_width + 10), 6);
    lead.setFillColor(*difference <= 0 ? sf::Color(120, 255, 120) : sf::Color(255, 120, 100));
    target.draw(lead);
}
