// Drawing one frame of the game into the off-screen scene, back to front: the
// laser light, the walls, the shield, the level's objects, the map border, the
// explosions and the HUD; the player last, after the win and death tests.
#pragma once

#include <cstdint>
#include <optional>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Vector2.hpp>

#include "client/wall_geometry.hpp"
#include "game/ghost.hpp"

// The level as it stands: walls (and the shield), checkpoints, enemies,
// pickups, switches and the exit, placed by the camera and culled by the
// screen size; the map editor draws its maps with this too. `walls` was
// built from the map's segments.
void draw_level(sf::RenderTarget& target, WallGeometry& walls);
// Everything but the player: the laser light, the level, the border, the
// explosions and the HUD. `laser_image` is window-sized and receives
// laser_pixels; `walls` was built from this map's load.
void draw_scene(sf::RenderTarget& target, sf::Texture& laser_image, WallGeometry& walls);
// The health bar, lives markers and switch lamps, in window px.
void draw_hud(sf::RenderTarget& target);
// Chooses the player's body and arm images by the animation counters, places
// both sprites, turns the arm toward the pointer (window px) and mirrors the
// body when the pointer is left of the player.
void pose_player(sf::Vector2i pointer);
// Draws the posed body and arm with additive blending.
void draw_player_sprites(sf::RenderTarget& target);
// Poses and draws the player, then the red hit-flash box if it was hurt.
void draw_player(sf::RenderTarget& target, sf::Vector2i pointer);
// The best run's player, translucent, in the pose it had after `update`
// updates; `before` is its pose one update earlier (walking shows as steps).
void draw_ghost(sf::RenderTarget& target, const GhostPose& pose, const GhostPose* before, int64_t update);
// The race clock at the top centre: the game's time and, when there is one,
// the difference to the best run at the checkpoint touched last (green ahead, red behind).
void draw_race_clock(sf::RenderTarget& target, const sf::Font& font, int64_t updates,
                     std::optional<int64_t> difference);
