// The images of the world's objects and of the player, with one shared sprite
// per kind that the drawing moves from object to object. Program-wide: loaded
// once at start-up, before the settings are read.
#pragma once

#include <array>

#include <SFML/Graphics/BlendMode.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

// Source colour times alpha added to what is there: lights, lasers, sprites that glow.
inline const sf::BlendMode additive_blend(sf::BlendMode::SrcAlpha, sf::BlendMode::One, sf::BlendMode::Add);
// What is there multiplied by the source colour: the game-over tint.
inline const sf::BlendMode multiply_blend(sf::BlendMode::DstColor, sf::BlendMode::Zero, sf::BlendMode::Add);

struct ObjectImages {
    std::array<sf::Texture, 6> switches;     // red, green, blue off, then red, green, blue on
    std::array<sf::Texture, 3> enemies;      // basic, smart, turret
    std::array<sf::Texture, 3> pickups;      // medkit, extra life, power-up
    std::array<sf::Texture, 2> checkpoints;  // plain, touched last
    std::array<sf::Texture, 5> deaths;       // explosion frames
    sf::Texture exit;
    std::array<sf::Texture, 6> arm;
    std::array<sf::Texture, 6> powered_arm;
    std::array<sf::Texture, 5> body;     // standstill, move1 .. move4
    std::array<sf::Texture, 5> ducking;  // ducking, ducking1 .. ducking4

    sf::Sprite switch_sprite, enemy_sprite, pickup_sprite, checkpoint_sprite, death_sprite, exit_sprite;
    sf::Sprite body_sprite, arm_sprite;
};

// Program-wide; empty textures until load_object_images runs.
inline ObjectImages images;
// The drawn mouse pointer every screen shows (the system pointer is hidden);
// origin (8, 8), the tip of the picture, lies under the pointer.
inline sf::Texture cursor_texture;
inline sf::Sprite cursor_sprite;

// Loads every object and player image and sets up the sprites' origins. A file
// that does not load leaves its image empty; the game runs on without it.
void load_object_images();
// Linear filtering on every object and player image (not the cursor) when on.
void apply_smoothing(bool on);
// Loads the cursor image into cursor_texture and attaches it to cursor_sprite.
void load_cursor_image(bool smooth);
