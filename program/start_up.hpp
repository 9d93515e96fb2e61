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
    // Why controls.cfg could not be read at start-up; the controls menu then never replaces it.
    std::string bindings_unread;
};

// Settings, bindings, smoothing, the shader, the two corrections, the random
// seed, the window, the pointer, the icon, pacing, the cursor and the title
// playlist. The object images are loaded before this runs.
void start_up(ProgramShell& shell);
