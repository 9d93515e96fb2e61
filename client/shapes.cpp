#include "client/shapes.hpp"

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
