// Bringing the program up, in its fixed order, before the first screen.
#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/music.hpp"

// What the entry procedure owns for the whole run.
struct ProgramShell {
    sf::RenderWindow window;
    sf::Image icon;  // kept while the window uses it
    sf::Music title_music;
    Playlist title_playlist;
};

// Settings, bindings, smoothing, the shader, the two corrections, the random
// seed, the window, the pointer, the icon, pacing, the cursor and the title
// playlist. The object images are loaded before this runs.
void start_up(ProgramShell& shell);
// Gives the window the icon at `path` only when it loads and is exactly 16 x 16;
// otherwise the window keeps the platform's default. True when it was set.
bool set_window_icon(sf::Window& window, sf::Image& icon, const std::string& path);
// The window size: the configured resolution, or 800 x 600 when the game
// could not play at that one.
sf::Vector2u window_size_for_settings();
