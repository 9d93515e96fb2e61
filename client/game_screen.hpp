// One play of a map in the window.
#pragma once

#include <string>

#include <SFML/Graphics/RenderWindow.hpp>

// Plays the built-in map the name selects ("1" to "5"), or, when map_text is
// given, that text under that name (a custom map's path, which names its
// screenshots). True only for a win. A map that does not load is never played:
// false at once, with the reason in last_game_error().
bool run_game(sf::RenderWindow& window, const std::string& map_name, const std::string* map_text = nullptr);
// Why the last run_game could not start or had to stop; empty when it ran normally.
const std::string& last_game_error();
