// Overview sheets for looking at the art: every picture labelled on a dark
// background as the game would draw it, and the menu pictures on the red
// menu panel and under the cyan highlight.
#include <algorithm>
#include <cmath>

#include "art.hpp"

namespace art {

namespace {

constexpr int sheet_width = 1600;
constexpr int gap = 10;
constexpr int label_height = 14;

}  // namespace

void blit(sf::Image& dst, const sf::Image& src, int x, int y, Blend blend) {
    const sf::Vector2u size = src.getSize();
    for (unsigned sy = 0; sy < size.y; ++sy) {
        for (unsigned sx = 0; sx < size.x; ++sx) {
            const int dx = x + static_cast<int>(sx);
            const int dy = y + static_cast<int>(sy);
            if (dx < 0 || dy < 0 || dx >= static_cast<int>(dst.getSize().x) || dy >= static_cast<int>(dst.getSize().y))
                continue;
            const sf::Color s = src.getPixel(sx, sy);
            const sf::Color d = dst.getPixel(static_cast<unsigned>(dx), static_cast<unsigned>(dy));
            const float a = static_cast<float>(s.a) / 255.0f;
            auto channel = [&](sf::Uint8 sc, sf::Uint8 dc) {
                const float v = blend == Blend::additive
                                    ? static_cast<float>(dc) + static_cast<float>(sc) * a
                                    : static_cast<float>(dc) * (1.0f - a) + static_cast<float>(sc) * a;
                return static_cast<sf::Uint8>(std::min(255.0f, std::round(v)));
            };
            dst.setPixel(static_cast<unsigned>(dx), static_cast<unsigned>(dy),
                         sf::Color(channel(s.r, d.r), channel(s.g, d.g), channel(s.b, d.b), 255));
        }
    }
}

void fill_rect(sf::Image& dst, int x, int y, int w, int h, sf::Color c) {
    for (int yy = std::max(0, y); yy < std::min(y + h, static_cast<int>(dst.getSize().y)); ++yy) {
        for (int xx = std::max(0, x); xx < std::min(x + w, static_cast<int>(dst.getSize().x)); ++xx) {
            dst.setPixel(static_cast<unsigned>(xx), static_cast<unsigned>(yy), c);
        }
    }
}

namespace {

// A label rendered small and light grey.
sf::Image label(Typesetter& type, const std::string& text) {
    const int w = static_cast<int>(std::ceil(type.width(Face::sans, text, 11.0f))) + 2;
    Canvas canvas(std::max(w, 1), label_height, 2);
    Mask m = canvas.mask();
    type.draw(m, Face::sans, text, 11.0f, {1.0f, 11.0f});
    canvas.paint(m, rgb(200, 200, 210));
    return canvas.image();
}

std::string base_name(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// One cell of a sheet: the picture drawn on each backdrop side by side.
struct Cell {
    const Picture* picture;
    int width;
    int height;
};

// Lay the pictures out in rows and draw them; `backdrops` lists the colours
// each picture is shown on (one copy per colour).
sf::Image sheet(const std::vector<const Picture*>& pictures, Typesetter& type, const std::vector<sf::Color>& backdrops,
                sf::Color background) {
    std::vector<Cell> cells;
    for (const Picture* p : pictures) {
        const sf::Vector2u size = p->image.getSize();
        const int copies = static_cast<int>(backdrops.size());
        const int w = std::max(static_cast<int>(size.x) * copies + 4 * (copies - 1),
                               static_cast<int>(type.width(Face::sans, base_name(p->path), 11.0f)) + 2);
        cells.push_back({p, w, static_cast<int>(size.y) + label_height + 4});
    }
    // First pass finds the height, second draws.
    int height = gap;
    {
        int x = gap, row = 0;
        for (const Cell& c : cells) {
            if (x + c.width > sheet_width - gap) {
                height += row + gap;
                x = gap;
                row = 0;
            }
            x += c.width + gap;
            row = std::max(row, c.height);
        }
        height += row + gap;
    }
    sf::Image out;
    out.create(sheet_width, static_cast<unsigned>(height), background);
    int x = gap, y = gap, row = 0;
    for (const Cell& c : cells) {
        if (x + c.width > sheet_width - gap) {
            y += row + gap;
            x = gap;
            row = 0;
        }
        const sf::Vector2u size = c.picture->image.getSize();
        for (std::size_t i = 0; i < backdrops.size(); ++i) {
            const int px = x + static_cast<int>(i) * (static_cast<int>(size.x) + 4);
            fill_rect(out, px, y, static_cast<int>(size.x), static_cast<int>(size.y), backdrops[i]);
            blit(out, c.picture->image, px, y, c.picture->blend);
        }
        blit(out, label(type, base_name(c.picture->path)), x, y + static_cast<int>(size.y) + 2, Blend::alpha);
        x += c.width + gap;
        row = std::max(row, c.height);
    }
    return out;
}

}  // namespace

void write_contact_sheets(const std::vector<Picture>& pictures, Typesetter& type, const std::string& folder) {
    std::vector<const Picture*> all;
    std::vector<const Picture*> menu;
    for (const Picture& p : pictures) {
        all.push_back(&p);
        if (p.menu) menu.push_back(&p);
    }
    const sf::Color dark(16, 16, 22);
    sheet(all, type, {sf::Color::Black}, dark).saveToFile(folder + "/art-contact-sheet.png");
    // The menu panel red and the highlight cyan the menus draw entries over.
    sheet(menu, type, {sf::Color(255, 0, 0), sf::Color(0, 255, 255), sf::Color::Black}, dark)
        .saveToFile(folder + "/art-contact-sheet-menus.png");
}

}  // namespace art
