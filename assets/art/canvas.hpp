#pragma once
// Supersampled drawing surface for the art generator. Shapes are given in
// image pixels (a 32 px sprite is drawn in 0..32 whatever the supersampling);
// antialiasing comes from averaging the samples when the image is produced.
#include <functional>
#include <vector>

#include <SFML/Graphics/Image.hpp>

namespace art {

struct Vec {
    float x = 0.0f;
    float y = 0.0f;
};

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

// A colour from 0..255 channels and a 0..1 opacity.
Colour rgb(int r, int g, int b, float a = 1.0f);
// Linear blend from `from` (t = 0) to `to` (t = 1).
Colour mix(Colour from, Colour to, float t);
// The same colour at opacity a.
Colour with_alpha(Colour c, float a);
// Point at `radius` from `centre` in direction `degrees` (clockwise, y down).
Vec polar(Vec centre, float radius, float degrees);

// Coverage (0..1) at `scale` samples per image pixel in each direction.
class Mask {
public:
    Mask(int width, int height, int scale);
    int width() const { return width_; }
    int height() const { return height_; }
    int scale() const { return scale_; }
    float& sample(int sx, int sy) { return v_[sy * width_ * scale_ + sx]; }
    float sample(int sx, int sy) const { return v_[sy * width_ * scale_ + sx]; }

    void circle(Vec centre, float radius);
    void ring(Vec centre, float radius, float thickness);
    // Arc of a circle from one heading to another (degrees, clockwise).
    void arc(Vec centre, float radius, float from_deg, float to_deg, float thickness);
    // Thick line with round caps.
    void line(Vec a, Vec b, float thickness);
    void polyline(const std::vector<Vec>& points, float thickness, bool closed);
    // Filled polygon, even-odd rule.
    void polygon(const std::vector<Vec>& points);
    void rect(float left, float top, float w, float h);
    // Set every sample whose centre satisfies `inside`, within the given box.
    void fill_where(float left, float top, float right, float bottom, const std::function<bool(float, float)>& inside);
    // Union and difference with another mask of the same size.
    void add(const Mask& other);
    void cut(const Mask& other);
    // Rounded dilation by about `radius` image pixels (for outlines).
    Mask spread(float radius) const;
    // Coverage per image pixel (average of its samples).
    std::vector<float> reduced() const;

private:
    int width_;
    int height_;
    int scale_;
    std::vector<float> v_;
};

// Premultiplied RGBA picture at the same supersampling as its masks.
class Canvas {
public:
    Canvas(int width, int height, int scale = 4);
    int width() const { return width_; }
    int height() const { return height_; }
    Mask mask() const { return Mask(width_, height_, scale_); }

    void fill(Colour c);
    // Paint `c` over the picture wherever `m` covers it.
    void paint(const Mask& m, Colour c);
    // Paint with a colour that varies over the picture (image px coordinates).
    void paint(const Mask& m, const std::function<Colour(float, float)>& shade);
    // Soft halo of `m` blurred by `sigma` image pixels.
    void glow(const Mask& m, Colour c, float sigma);
    // Glow then solid core: the neon look of every bright shape.
    void neon(const Mask& m, Colour core, Colour halo, float sigma);
    // Scale the opacity of everything drawn so far (fading frames).
    void fade(float factor);
    sf::Image image() const;

private:
    void blend(std::size_t index, Colour c, float coverage);
    int width_;
    int height_;
    int scale_;
    std::vector<float> px_;  // premultiplied r, g, b, a per sample
};

// Gaussian blur of a width x height field, sigma in field cells.
std::vector<float> blurred(const std::vector<float>& field, int width, int height, float sigma);

}  // namespace art
