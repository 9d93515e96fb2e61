// The filled rectangles every screen draws (panels, buttons, highlights, the
// HUD) and the thick lines of the game's walls and border.
#pragma once

#include <vector>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Vertex.hpp>

#include "app/menu_layout.hpp"

// A rectangle at (left, top), px, filled, with an outline `outline_px` thick when it has one.
sf::RectangleShape box(float left, float top, float width, float height, sf::Color fill,
                       sf::Color outline = sf::Color::Transparent, float outline_px = 0.0f);
sf::RectangleShape box(const Rect& r, sf::Color fill, sf::Color outline = sf::Color::Transparent,
                       float outline_px = 0.0f);

// Appends a line `thickness` px wide from a to b as two triangles; nothing when a and b are the same point.
void append_line(std::vector<sf::Vertex>& triangles, sf::Vector2f a, sf::Vector2f b, float thickness, sf::Color colour);
