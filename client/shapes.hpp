// The filled rectangles every screen draws: panels, buttons, highlights, the HUD.
#pragma once

#include <SFML/Graphics/RectangleShape.hpp>

#include "app/menu_layout.hpp"

// A rectangle at (left, top), px, filled, with an outline `outline_px` thick when it has one.
sf::RectangleShape box(float left, float top, float width, float height, sf::Color fill,
                       sf::Color outline = sf::Color::Transparent, float outline_px = 0.0f);
sf::RectangleShape box(const Rect& r, sf::Color fill, sf::Color outline = sf::Color::Transparent,
                       float outline_px = 0.0f);
