#include "type.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace art {

namespace {

const char* font_path(Face face) {
    switch (face) {
        case Face::sans_bold: return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
        case Face::sans: return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        case Face::condensed_bold: return "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf";
        case Face::serif: return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
        case Face::mono_bold: return "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
    }
    return "";
}

constexpr int face_count = 5;

}  // namespace

struct Typesetter::Impl {
    FT_Library library = nullptr;
    FT_Face faces[face_count] = {};

    // The face at `size` sample pixels per em (26.6 fixed point inside FreeType).
    FT_Face sized(Face face, float sample_size) {
        FT_Face f = faces[static_cast<int>(face)];
        FT_Set_Char_Size(f, 0, static_cast<FT_F26Dot6>(std::lround(sample_size * 64.0f)), 72, 72);
        return f;
    }

    // Walk the glyphs of `text`, calling `each(face, pen_x_in_26_6)` with the
    // glyph loaded (and rendered when `render`); returns the final pen in 26.6.
    template <typename Each>
    long walk(Face face, std::string_view text, float sample_size, bool render, Each each) {
        FT_Face f = sized(face, sample_size);
        long pen = 0;
        FT_UInt previous = 0;
        for (const char ch : text) {
            const FT_UInt index = FT_Get_Char_Index(f, static_cast<unsigned char>(ch));
            if (previous != 0 && FT_HAS_KERNING(f)) {
                FT_Vector kern;
                FT_Get_Kerning(f, previous, index, FT_KERNING_UNFITTED, &kern);
                pen += kern.x;
            }
            if (FT_Load_Glyph(f, index, render ? FT_LOAD_RENDER : FT_LOAD_DEFAULT) == 0) {
                each(f, pen);
                pen += f->glyph->advance.x;
            }
            previous = index;
        }
        return pen;
    }
};

Typesetter::Typesetter() : impl_(new Impl) {
    std::string failure;
    if (FT_Init_FreeType(&impl_->library) != 0) {
        failure = "FreeType did not start";
    } else {
        for (int i = 0; i < face_count && failure.empty(); ++i) {
            const char* path = font_path(static_cast<Face>(i));
            if (FT_New_Face(impl_->library, path, 0, &impl_->faces[i]) != 0) {
                failure = std::string("cannot open font ") + path;
            }
        }
    }
    if (!failure.empty()) {
        release();
        throw std::runtime_error(failure);
    }
}

Typesetter::~Typesetter() { release(); }

void Typesetter::release() {
    for (FT_Face f : impl_->faces) {
        if (f != nullptr) FT_Done_Face(f);
    }
    if (impl_->library != nullptr) FT_Done_FreeType(impl_->library);
    delete impl_;
    impl_ = nullptr;
}

float Typesetter::width(Face face, std::string_view text, float size) {
    const long pen = impl_->walk(face, text, size * 8.0f, false, [](FT_Face, long) {});
    return static_cast<float>(pen) / 64.0f / 8.0f;
}

void Typesetter::draw(Mask& m, Face face, std::string_view text, float size, Vec origin) {
    const int s = m.scale();
    const float sample_size = size * static_cast<float>(s);
    const float ox = origin.x * static_cast<float>(s);
    const float oy = origin.y * static_cast<float>(s);
    impl_->walk(face, text, sample_size, true, [&](FT_Face f, long pen) {
        const FT_GlyphSlot g = f->glyph;
        const FT_Bitmap& bm = g->bitmap;
        const int left = static_cast<int>(std::lround(ox + static_cast<float>(pen) / 64.0f)) + g->bitmap_left;
        const int top = static_cast<int>(std::lround(oy)) - g->bitmap_top;
        for (unsigned row = 0; row < bm.rows; ++row) {
            for (unsigned col = 0; col < bm.width; ++col) {
                const int sx = left + static_cast<int>(col);
                const int sy = top + static_cast<int>(row);
                if (sx < 0 || sy < 0 || sx >= m.width() * s || sy >= m.height() * s) continue;
                const float v = static_cast<float>(bm.buffer[row * static_cast<unsigned>(bm.pitch) + col]) / 255.0f;
                m.sample(sx, sy) = std::max(m.sample(sx, sy), v);
            }
        }
    });
}

void Typesetter::centred(Mask& m, Face face, std::string_view text, float size, float centre_x, float baseline) {
    draw(m, face, text, size, {centre_x - width(face, text, size) / 2.0f, baseline});
}

float Typesetter::fitting(Face face, std::string_view text, float size, float max_width) {
    const float w = width(face, text, size);
    return w <= max_width ? size : size * max_width / w;
}

std::vector<std::string> Typesetter::wrap(Face face, std::string_view text, float size, float max_width) {
    std::vector<std::string> lines;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string word(text.substr(at, end - at));
        const std::string candidate = line.empty() ? word : line + " " + word;
        if (!line.empty() && width(face, candidate, size) > max_width) {
            lines.push_back(line);
            line = word;
        } else {
            line = candidate;
        }
        at = end + 1;
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

}  // namespace art
