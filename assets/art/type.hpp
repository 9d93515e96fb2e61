#pragma once
// Text for the art generator: DejaVu glyphs rasterised by FreeType straight
// into a Mask, so menu words get the same outlines and glows as shapes.
#include <string>
#include <string_view>
#include <vector>

#include "canvas.hpp"

namespace art {

enum class Face { sans_bold, sans, condensed_bold, serif, mono_bold };

class Typesetter {
public:
    Typesetter();
    ~Typesetter();
    Typesetter(const Typesetter&) = delete;
    Typesetter& operator=(const Typesetter&) = delete;

    // Width in image pixels of `text` at `size` px (em height).
    float width(Face face, std::string_view text, float size);
    // Draw `text` with its baseline starting at `origin` (image px).
    void draw(Mask& m, Face face, std::string_view text, float size, Vec origin);
    // Draw `text` centred on x = centre_x with its baseline at `baseline`.
    void centred(Mask& m, Face face, std::string_view text, float size, float centre_x, float baseline);
    // Largest size up to `size` at which `text` fits in `max_width`.
    float fitting(Face face, std::string_view text, float size, float max_width);
    // Break `text` into lines no wider than `max_width` at word boundaries.
    std::vector<std::string> wrap(Face face, std::string_view text, float size, float max_width);

private:
    void release();
    struct Impl;
    Impl* impl_;
};

}  // namespace art
