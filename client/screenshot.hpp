// F12 during a game: the frame the window shows, saved into "Screenshots/".
#pragma once

#include <string>

#include <SFML/Graphics/Texture.hpp>

// Saves the frame as it was shown as a PNG named after the map and the local
// time; a later shot in the same second gets " 2", " 3", ... A folder that is
// not there means no screenshot, and the game goes on.
void take_screenshot(const sf::Texture& shown, const std::string& map_name);
