#include "client/shapes.hpp"

#include <cmath>

sf::RectangleShape box(float left, float top, float width, float height, sf::Color fill, sf::Color outline,
                       float outline_px) {
    sf::RectangleShape r({width, height});
    r.setPosition(left, top);
    r.setFillColor(fill);
    if (outline_px > 0) {
        r.setOutlineThickness(outline_px);
        r.setOutlineColor(outline);
    }
    return r;
}

sf::RectangleShape box(const Rect& r, sf::Color fill, sf::Color outline, float outline_px) {
    return box(static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.w), static_cast<float>(r.h), fill,
               outline, outline_px);
}

void append_line(std::vector<sf::Vertex>& triangles, sf::Vector2f a, sf::Vector2f b, float thickness,
                 sf::Color colour) {
    const sf::Vector2f d = b - a;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length == 0.0f) return;
    const sf::Vector2f side(-d.y / length * thickness / 2, d.x / length * thickness / 2);
    for (sf::Vector2f p : {a + side, b + side, b - side, a + side, b - side, a - side})
        triangles.emplace_back(p, colour);
}
