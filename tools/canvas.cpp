#include "tools/canvas.hpp"

#include <algorithm>
#include <cstdlib>

Canvas::Canvas(int32_t width, int32_t height) : width_(width), height_(height) {
    image_.create(static_cast<unsigned>(width), static_cast<unsigned>(height), sf::Color::Black);
}

void Canvas::plot(int64_t x, int64_t y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    image_.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y), sf::Color(c.r, c.g, c.b));
}

void Canvas::fill_box(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c) {
    // Clip first so that a huge box off the surface costs nothing.
    x0 = std::max<int64_t>(x0, 0);
    y0 = std::max<int64_t>(y0, 0);
    x1 = std::min<int64_t>(x1, width_ - 1);
    y1 = std::min<int64_t>(y1, height_ - 1);
    for (int64_t y = y0; y <= y1; ++y)
        for (int64_t x = x0; x <= x1; ++x) plot(x, y, c);
}

void Canvas::outline_box(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c) {
    line(x0, y0, x1, y0, c);
    line(x0, y1, x1, y1, c);
    line(x0, y0, x0, y1, c);
    line(x1, y0, x1, y1, c);
}

void Canvas::line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c) {
    // Bresenham; marks are short, so no clipping beyond plot's.
    const int64_t dx = std::llabs(x1 - x0), dy = -std::llabs(y1 - y0);
    const int64_t sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
    int64_t err = dx + dy;
    for (;;) {
        plot(x0, y0, c);
        if (x0 == x1 && y0 == y1) return;
        const int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::disc(int64_t cx, int64_t cy, int64_t r, Colour c) {
    for (int64_t y = -r; y <= r; ++y)
        for (int64_t x = -r; x <= r; ++x)
            if (x * x + y * y <= r * r + r) plot(cx + x, cy + y, c);
}

void Canvas::diamond(int64_t cx, int64_t cy, int64_t r, Colour c) {
    for (int64_t y = -r; y <= r; ++y)
        for (int64_t x = -r; x <= r; ++x)
            if (std::llabs(x) + std::llabs(y) <= r) plot(cx + x, cy + y, c);
}

void Canvas::triangle(int64_t cx, int64_t cy, int64_t r, Colour c) {
    for (int64_t y = -r; y <= r; ++y) {
        const int64_t half = (y + r) / 2;  // 0 at the tip, r at the base
        for (int64_t x = -half; x <= half; ++x) plot(cx + x, cy + y, c);
    }
}

void Canvas::ring(int64_t cx, int64_t cy, int64_t r, int64_t thickness, Colour c) {
    const int64_t inner = std::max<int64_t>(r - thickness, 0);
    for (int64_t y = -r; y <= r; ++y)
        for (int64_t x = -r; x <= r; ++x) {
            const int64_t d = x * x + y * y;
            if (d <= r * r + r && d > inner * inner + inner) plot(cx + x, cy + y, c);
        }
}
