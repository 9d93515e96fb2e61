// A small RGBA drawing surface for the map picture: clipped pixels, boxes, lines and round marks.
#pragma once

#include <cstdint>

#include <SFML/Graphics/Image.hpp>

struct Colour {
    uint8_t r = 0, g = 0, b = 0;
};

// Opaque pixels in an sf::Image (ready to save, no display needed); everything drawn is clipped to the surface.
class Canvas {
public:
    Canvas(int32_t width, int32_t height);  // filled with black

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    const sf::Image& image() const { return image_; }

    // One pixel; positions off the surface are ignored.
    void plot(int64_t x, int64_t y, Colour c);
    // Rectangle from (x0, y0) to (x1, y1), both corners included.
    void fill_box(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c);
    void outline_box(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c);
    void line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, Colour c);
    // Filled shapes centred on (cx, cy) reaching r pixels out.
    void disc(int64_t cx, int64_t cy, int64_t r, Colour c);
    void diamond(int64_t cx, int64_t cy, int64_t r, Colour c);
    // Upward triangle inside the square of half-side r.
    void triangle(int64_t cx, int64_t cy, int64_t r, Colour c);
    // Circle outline between radii r - thickness and r.
    void ring(int64_t cx, int64_t cy, int64_t r, int64_t thickness, Colour c);

private:
    int32_t width_, height_;
    sf::Image image_;
};
