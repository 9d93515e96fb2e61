// The window's size and icon, decided so that neither can go wrong.
#pragma once

#include <string>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Window/Window.hpp>

// The configured resolution, or the 800 x 600 the simulation falls back to
// when it could not play at that one (0 or below, or beyond what it accepts).
sf::Vector2u window_size_for_settings();
// Gives the window the icon at `path` only when it loads and is exactly 16 x 16;
// otherwise the window keeps the platform's default. True when it was set.
bool set_window_icon(sf::Window& window, sf::Image& icon, const std::string& path);
