// What one play of a map holds on the window side, acquired when the game
// starts and released on every way out of it.
#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "client/music.hpp"
#include "client/wall_geometry.hpp"

// Per game: made when the map has loaded, gone when the game ends.
struct GameSession {
    GameSession(sf::RenderWindow& w, std::string name);
    // Stops the music.
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    sf::RenderWindow& window;
    std::string map_name;     // the built-in map's number, or a custom map's path
    sf::RenderTexture scene;  // the frame is drawn here, then presented through the shader
    sf::Texture laser_image;  // receives laser_pixels every drawn frame
    WallGeometry walls;       // the map's walls, built from its load
    sf::Music music;
    Playlist playlist;

    // The pointer in layout px.
    sf::Vector2i pointer() const;
};
