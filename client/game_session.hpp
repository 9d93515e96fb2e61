// What one play of a map holds on the window side, acquired when the game
// starts and released on every way out of it.
#pragma once

#include <cstdint>
#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/System/Clock.hpp>

#include "client/music.hpp"

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
    sf::Music music;
    Playlist playlist;
    bool last_event_was_f9 = false;  // the most recent window event, kept across frames
    sf::Clock since_display;         // time since the window last showed a frame
    uint32_t frame_ms = 0;           // the last frame's duration, ms

    // The pointer in window px.
    sf::Vector2i pointer() const;
    // Marks a display of the window: the time since the last one is the next frame's time.
    void displayed();
};
