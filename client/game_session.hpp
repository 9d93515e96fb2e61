// What one play of a map holds on the window side, acquired when the game
// starts and released on every way out of it.
#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Font.hpp>
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
    sf::Font font;          // the race clock's and the watch line's letters; without it they are not written
    bool watching = false;  // a replay plays: the player aims at the pointer it recorded

    // The pointer the player aims at, layout px: the real one, or a watched replay's.
    sf::Vector2i pointer() const;
};
