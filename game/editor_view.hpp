// Where the map editor looks: which world point is at the window's top-left
// corner and how large the map shows. layout px = (world px - corner) * zoom.
#pragma once

#include <algorithm>
#include <cmath>

#include <SFML/System/Vector2.hpp>

// Zoom steps of a half power of two: 1/4, 1/2.8, 1/2, 1/1.4, 1, 1.4, 2.
inline constexpr int min_zoom_step = -4;
inline constexpr int max_zoom_step = 2;

// Per editor visit; kept across test plays, so the editor comes back where it was.
struct EditorView {
    double left = 0, top = 0;  // world px at the layout's top-left corner
    int zoom_step = 0;         // zoom = 2^(step / 2)

    double zoom() const { return std::exp2(zoom_step / 2.0); }
    sf::Vector2<double> to_world(sf::Vector2i layout_px) const {
        return {left + layout_px.x / zoom(), top + layout_px.y / zoom()};
    }
    sf::Vector2f to_layout(double x, double y) const {
        return {static_cast<float>((x - left) * zoom()), static_cast<float>((y - top) * zoom())};
    }
    // Moves the picture by (dx, dy) layout px: the map follows a dragging pointer.
    void drag_by(double dx, double dy) {
        left -= dx / zoom();
        top -= dy / zoom();
    }
    // Zooms in (steps > 0) or out, keeping the world point under the pointer where it is.
    void zoom_about(sf::Vector2i pointer, int steps) {
        const sf::Vector2<double> fixed = to_world(pointer);
        zoom_step = std::clamp(zoom_step + steps, min_zoom_step, max_zoom_step);
        left = fixed.x - pointer.x / zoom();
        top = fixed.y - pointer.y / zoom();
    }
};
