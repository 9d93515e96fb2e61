// F12 during a game: the window as it shows now, saved into "Screenshots/".
#pragma once

#include <string>

#include <SFML/Graphics/RenderWindow.hpp>

// Saves the window's contents as a PNG named after the map and the local time;
// a later shot in the same second gets " 2", " 3", ... A folder that is not
// there means no screenshot, and the game goes on.
void take_screenshot(sf::RenderWindow& window, const std::string& map_name);
