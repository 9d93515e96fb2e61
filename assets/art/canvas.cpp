#include "canvas.hpp"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr float pi = 3.14159265358979f;

// Squared distance from p to the segment a-b.
float segment_distance_sq(Vec p, Vec a, Vec b) {
    const float dx = b.x - a.x;
    const float dy = b.y - a.y;
    const float len_sq = dx * dx + dy * dy;
    float t = len_sq > 0.0f ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len_sq : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float ex = p.x - (a.x + t * dx);
    const float ey = p.y - (a.y + t * dy);
    return ex * ex + ey * ey;
}

// Even-odd point-in-polygon test.
bool inside_polygon(const std::vector<Vec>& pts, float x, float y) {
    bool inside = false;
    for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
        const Vec a = pts[i];
        const Vec b = pts[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
            inside = !inside;
        }
    }
    return inside;
}

// One-dimensional Gaussian weights for sigma, radius 3 sigma.
std::vector<float> gaussian_kernel(float sigma) {
    const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3.0f)));
    std::vector<float> k(static_cast<std::size_t>(2 * radius + 1));
    float sum = 0.0f;
    for (int i = -radius; i <= radius; ++i) {
        const float w = std::exp(-0.5f * static_cast<float>(i * i) / (sigma * sigma));
        k[static_cast<std::size_t>(i + radius)] = w;
        sum += w;
    }
    for (float& w : k) w /= sum;
    return k;
}

}  // namespace

Colour rgb(int r, int g, int b, float a) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f, static_cast<float>(b) / 255.0f, a};
}

Colour mix(Colour from, Colour to, float t) {
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
            from.a + (to.a - from.a) * t};
}

Colour with_alpha(Colour c, float a) {
    c.a = a;
    return c;
}

Vec polar(Vec centre, float radius, float degrees) {
    const float rad = degrees * pi / 180.0f;
    return {centre.x + radius * std::cos(rad), centre.y + radius * std::sin(rad)};
}

std::vector<float> blurred(const std::vector<float>& field, int width, int height, float sigma) {
    if (sigma <= 0.0f) return field;
    const std::vector<float> k = gaussian_kernel(sigma);
    const int radius = static_cast<int>(k.size() / 2);
    std::vector<float> across(field.size(), 0.0f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i) {
                const int sx = x + i;
                if (sx >= 0 && sx < width) sum += field[y * width + sx] * k[i + radius];
            }
            across[y * width + x] = sum;
        }
    }
    std::vector<float> out(field.size(), 0.0f);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i) {
                const int sy = y + i;
                if (sy >= 0 && sy < height) sum += across[sy * width + x] * k[i + radius];
            }
            out[y * width + x] = sum;
        }
    }
    return out;
}

Mask::Mask(int width, int height, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      v_(static_cast<std::size_t>(width * scale) * static_cast<std::size_t>(height * scale), 0.0f) {}

void Mask::fill_where(float left, float top, float right, float bottom,
                      const std::function<bool(float, float)>& inside) {
    const float s = static_cast<float>(scale_);
    const int x0 = std::max(0, static_cast<int>(std::floor(left * s)));
    const int y0 = std::max(0, static_cast<int>(std::floor(top * s)));
    const int x1 = std::min(width_ * scale_, static_cast<int>(std::ceil(right * s)) + 1);
    const int y1 = std::min(height_ * scale_, static_cast<int>(std::ceil(bottom * s)) + 1);
    for (int sy = y0; sy < y1; ++sy) {
        const float y = (static_cast<float>(sy) + 0.5f) / s;
        for (int sx = x0; sx < x1; ++sx) {
            const float x = (static_cast<float>(sx) + 0.5f) / s;
            if (inside(x, y)) sample(sx, sy) = 1.0f;
        }
    }
}

void Mask::circle(Vec c, float radius) {
    fill_where(c.x - radius, c.y - radius, c.x + radius, c.y + radius,
               [&](float x, float y) { return (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y) <= radius * radius; });
}

void Mask::ring(Vec c, float radius, float thickness) {
    const float outer = radius + thickness / 2.0f;
    const float inner = std::max(0.0f, radius - thickness / 2.0f);
    fill_where(c.x - outer, c.y - outer, c.x + outer, c.y + outer, [&](float x, float y) {
        const float d = (x - c.x) * (x - c.x) + (y - c.y) * (y - c.y);
        return d <= outer * outer && d >= inner * inner;
    });
}

void Mask::arc(Vec c, float radius, float from_deg, float to_deg, float thickness) {
    const int steps = std::max(2, static_cast<int>(std::fabs(to_deg - from_deg) / 4.0f));
    std::vector<Vec> pts;
    for (int i = 0; i <= steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        pts.push_back(polar(c, radius, from_deg + (to_deg - from_deg) * t));
    }
    polyline(pts, thickness, false);
}

void Mask::line(Vec a, Vec b, float thickness) {
    const float r = thickness / 2.0f;
    fill_where(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
               [&](float x, float y) {
                   return segment_distance_sq({x, y}, a, b) <= r * r;
               });
}

void Mask::polyline(const std::vector<Vec>& points, float thickness, bool closed) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) line(points[i], points[i + 1], thickness);
    if (closed && points.size() > 2) line(points.back(), points.front(), thickness);
}

void Mask::polygon(const std::vector<Vec>& points) {
    if (points.size() < 3) return;
    float left = points[0].x, right = points[0].x, top = points[0].y, bottom = points[0].y;
    for (const Vec& p : points) {
        left = std::min(left, p.x);
        right = std::max(right, p.x);
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    fill_where(left, top, right, bottom, [&](float x, float y) { return inside_polygon(points, x, y); });
}

void Mask::rect(float left, float top, float w, float h) {
    fill_where(left, top, left + w, top + h,
               [&](float x, float y) { return x >= left && x <= left + w && y >= top && y <= top + h; });
}

void Mask::add(const Mask& other) {
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] = std::max(v_[i], other.v_[i]);
}

void Mask::cut(const Mask& other) {
    for (std::size_t i = 0; i < v_.size(); ++i) v_[i] = std::min(v_[i], 1.0f - other.v_[i]);
}

Mask Mask::spread(float radius) const {
    // A blur followed by a low threshold grows the shape by roughly the blur
    // radius with rounded corners, which is what a text outline wants.
    const int sw = width_ * scale_;
    const int sh = height_ * scale_;
    const float sigma = radius * static_cast<float>(scale_) / 2.0f;
    const std::vector<float> soft = blurred(v_, sw, sh, sigma);
    Mask out(width_, height_, scale_);
    for (std::size_t i = 0; i < v_.size(); ++i) {
        out.v_[i] = std::clamp((soft[i] - 0.02f) / 0.06f, 0.0f, 1.0f);
        out.v_[i] = std::max(out.v_[i], v_[i]);
    }
    return out;
}

std::vector<float> Mask::reduced() const {
    std::vector<float> out(static_cast<std::size_t>(width_ * height_), 0.0f);
    const float per = 1.0f / static_cast<float>(scale_ * scale_);
    for (int y = 0; y < height_ * scale_; ++y) {
        for (int x = 0; x < width_ * scale_; ++x) {
            out[(y / scale_) * width_ + x / scale_] += sample(x, y) * per;
        }
    }
    return out;
}

Canvas::Canvas(int width, int height, int scale)
    : width_(width),
      height_(height),
      scale_(scale),
      px_(static_cast<std::size_t>(width * scale) * static_cast<std::size_t>(height * scale) * 4, 0.0f) {}

void Canvas::blend(std::size_t index, Colour c, float coverage) {
    const float a = std::clamp(c.a * coverage, 0.0f, 1.0f);
    if (a <= 0.0f) return;
    float* p = &px_[index * 4];
    p[0] = c.r * a + p[0] * (1.0f - a);
    p[1] = c.g * a + p[1] * (1.0f - a);
    p[2] = c.b * a + p[2] * (1.0f - a);
    p[3] = a + p[3] * (1.0f - a);
}

void Canvas::fill(Colour c) {
    for (std::size_t i = 0; i < px_.size() / 4; ++i) blend(i, c, 1.0f);
}

void Canvas::paint(const Mask& m, Colour c) {
    const int sw = width_ * scale_;
    for (int sy = 0; sy < height_ * scale_; ++sy) {
        for (int sx = 0; sx < sw; ++sx) {
            const float cov = m.sample(sx, sy);
            if (cov > 0.0f) blend(static_cast<std::size_t>(sy * sw + sx), c, cov);
        }
    }
}

void Canvas::paint(const Mask& m, const std::function<Colour(float, float)>& shade) {
    const int sw = width_ * scale_;
    const float s = static_cast<float>(scale_);
    for (int sy = 0; sy < height_ * scale_; ++sy) {
        for (int sx = 0; sx < sw; ++sx) {
            const float cov = m.sample(sx, sy);
            if (cov <= 0.0f) continue;
            const Colour c = shade((static_cast<float>(sx) + 0.5f) / s, (static_cast<float>(sy) + 0.5f) / s);
            blend(static_cast<std::size_t>(sy * sw + sx), c, cov);
        }
    }
}

void Canvas::glow(const Mask& m, Colour c, float sigma) {
    // The halo is smooth, so it is blurred at image resolution and spread back
    // over each pixel's samples; averaging on output returns the same values.
    const std::vector<float> halo = blurred(m.reduced(), width_, height_, sigma);
    const int sw = width_ * scale_;
    for (int sy = 0; sy < height_ * scale_; ++sy) {
        for (int sx = 0; sx < sw; ++sx) {
            const float cov = std::min(1.0f, halo[(sy / scale_) * width_ + sx / scale_]);
            if (cov > 0.0f) blend(static_cast<std::size_t>(sy * sw + sx), c, cov);
        }
    }
}

void Canvas::neon(const Mask& m, Colour core, Colour halo, float sigma) {
    glow(m, halo, sigma);
    paint(m, core);
}

void Canvas::fade(float factor) {
    for (float& v : px_) v *= factor;
}

sf::Image Canvas::image() const {
    sf::Image out;
    out.create(static_cast<unsigned>(width_), static_cast<unsigned>(height_), sf::Color::Transparent);
    const int sw = width_ * scale_;
    const float per = 1.0f / static_cast<float>(scale_ * scale_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            float sum[4] = {0.0f, 0.0f, 0.0f, 0.0f};
            for (int sy = y * scale_; sy < (y + 1) * scale_; ++sy) {
                for (int sx = x * scale_; sx < (x + 1) * scale_; ++sx) {
                    const float* p = &px_[static_cast<std::size_t>(sy * sw + sx) * 4];
                    for (int k = 0; k < 4; ++k) sum[k] += p[k];
                }
            }
            const float a = sum[3] * per;
            // Stored straight: fully transparent pixels stay black so that additive
            // drawing adds nothing there even if a renderer ignores alpha.
            auto channel = [&](float premul) {
                const float v = a > 0.0f ? premul * per / a : 0.0f;
                return static_cast<sf::Uint8>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
            };
            const auto alpha = static_cast<sf::Uint8>(std::lround(std::clamp(a, 0.0f, 1.0f) * 255.0f));
            if (alpha == 0) continue;
            out.setPixel(static_cast<unsigned>(x), static_cast<unsigned>(y),
                         sf::Color(channel(sum[0]), channel(sum[1]), channel(sum[2]), alpha));
        }
    }
    return out;
}

}  // namespace art
