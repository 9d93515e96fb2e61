// Mock-ups of screens at the default 800 x 600 window, with every picture
// placed, blended and turned as the game draws it: the title menu, a piece of
// a level, the pause menu over that level, and map selection with a controls
// prompt.
#include <algorithm>
#include <cmath>
#include <map>

#include "art.hpp"

namespace art {

namespace {

constexpr int screen_w = 800;
constexpr int screen_h = 600;

using Library = std::map<std::string, const Picture*>;

const sf::Image& find(const Library& library, const std::string& path) {
    static const sf::Image empty;
    const auto it = library.find(path);
    return it == library.end() ? empty : it->second->image;
}

// Draw `src` with its `origin` at (x, y), turned `degrees` clockwise and
// mirrored horizontally if asked, sampling the nearest source pixel.
void blit_turned(sf::Image& dst, const sf::Image& src, float x, float y, Vec origin, float degrees, bool mirrored,
                 Blend blend) {
    const float rad = degrees * 3.14159265f / 180.0f;
    const float cs = std::cos(rad);
    const float sn = std::sin(rad);
    const sf::Vector2u size = src.getSize();
    const float reach = std::hypot(static_cast<float>(size.x), static_cast<float>(size.y));
    for (int dy = static_cast<int>(y - reach); dy <= static_cast<int>(y + reach); ++dy) {
        for (int dx = static_cast<int>(x - reach); dx <= static_cast<int>(x + reach); ++dx) {
            if (dx < 0 || dy < 0 || dx >= static_cast<int>(dst.getSize().x) || dy >= static_cast<int>(dst.getSize().y))
                continue;
            const float rx = static_cast<float>(dx) + 0.5f - x;
            const float ry = static_cast<float>(dy) + 0.5f - y;
            float u = rx * cs + ry * sn;
            const float v = -rx * sn + ry * cs;
            if (mirrored) u = -u;
            const int sx = static_cast<int>(std::floor(u + origin.x));
            const int sy = static_cast<int>(std::floor(v + origin.y));
            if (sx < 0 || sy < 0 || sx >= static_cast<int>(size.x) || sy >= static_cast<int>(size.y)) continue;
            sf::Image one;
            one.create(1, 1, src.getPixel(static_cast<unsigned>(sx), static_cast<unsigned>(sy)));
            blit(dst, one, dx, dy, blend);
        }
    }
}

// A wall line 4 px thick, as the game draws segments.
void wall(sf::Image& dst, Vec a, Vec b, Colour c) {
    Canvas canvas(screen_w, screen_h, 1);
    Mask m = canvas.mask();
    m.fill_where(std::min(a.x, b.x) - 2, std::min(a.y, b.y) - 2, std::max(a.x, b.x) + 2, std::max(a.y, b.y) + 2,
                 [&](float x, float y) {
                     const float dx = b.x - a.x, dy = b.y - a.y;
                     const float len = std::hypot(dx, dy);
                     const float along = ((x - a.x) * dx + (y - a.y) * dy) / len;
                     const float across = std::fabs((x - a.x) * dy - (y - a.y) * dx) / len;
                     return along >= 0 && along <= len && across <= 2.0f;
                 });
    canvas.paint(m, c);
    blit(dst, canvas.image(), 0, 0, Blend::alpha);
}

sf::Image level_scene(const Library& lib) {
    const std::string obj = "Graphics/Game/Objects/";
    const std::string hero = "Graphics/Game/MainCharacter/";
    sf::Image s;
    s.create(screen_w, screen_h, sf::Color::Black);
    wall(s, {0, 500}, {800, 500}, palette::white);
    wall(s, {0, 100}, {800, 100}, palette::white);
    wall(s, {600, 420}, {680, 340}, rgb(0, 255, 255));
    wall(s, {450, 100}, {450, 300}, rgb(255, 0, 0));
    wall(s, {520, 300}, {520, 500}, rgb(0, 50, 0));
    wall(s, {300, 250}, {420, 250}, rgb(0, 0, 255));
    auto put = [&](const std::string& path, float x, float y, Vec origin, float deg = 0.0f,
                   Blend blend = Blend::additive) { blit_turned(s, find(lib, path), x, y, origin, deg, false, blend); };
    put(obj + "checkpointhit.png", 60, 468, {16, 32});
    put(obj + "checkpoint.png", 110, 468, {16, 32});
    put(obj + "medkit.png", 260, 484, {16, 16});
    put(obj + "extralife.png", 300, 484, {16, 16});
    put(obj + "powerup.png", 360, 230, {16, 16});
    put(obj + "basicenemy.png", 380, 480, {16, 16}, 180.0f);
    put(obj + "smartenemy.png", 400, 160, {16, 16}, 135.0f);
    put(obj + "turretenemy.png", 700, 484, {16, 16}, -90.0f);
    put(obj + "redOn.png", 430, 320, {16, 16}, 0.0f, Blend::alpha);
    put(obj + "greenOff.png", 540, 420, {16, 16}, 0.0f, Blend::alpha);
    put(obj + "blueOn.png", 580, 150, {16, 16}, 0.0f, Blend::alpha);
    put(obj + "exit.png", 730, 200, {32, 32}, 30.0f);
    for (int i = 1; i <= 5; ++i)
        put(obj + "death" + std::to_string(i) + ".png", 560.0f + 40.0f * static_cast<float>(i), 560, {16, 16});
    blit_turned(s, find(lib, hero + "move2.png"), 200, 468, {16, 32}, 0.0f, false, Blend::additive);
    put(hero + "arm3.png", 200, 468, {32, 4}, -25.0f);
    blit_turned(s, find(lib, hero + "ducking2.png"), 150, 468, {16, 32}, 0.0f, true, Blend::additive);
    put(hero + "armpowered3.png", 150, 484, {32, 4}, 200.0f);
    fill_rect(s, 0, 0, 190, 30, sf::Color(50, 50, 50, 255));
    put(obj + "cursor.png", 330, 420, {8, 8}, 0.0f, Blend::alpha);
    return s;
}

sf::Image title_screen(const Library& lib) {
    const std::string menus = "Graphics/Game/Menus/";
    sf::Image s;
    s.create(screen_w, screen_h, sf::Color::Black);
    const int left = screen_w / 2 - 256;
    fill_rect(s, left, 280, 512, 300, sf::Color(255, 0, 0));
    fill_rect(s, left, 340, 512, 64, sf::Color(0, 255, 255));
    fill_rect(s, left, 10, 512, 256, sf::Color(170, 120, 230));
    blit(s, find(lib, menus + "vantorel1.png"), left, 10, Blend::alpha);
    blit(s, find(lib, menus + "vantorel2.png"), left, 138, Blend::alpha);
    const char* entries[] = {"playgame", "custommap", "controls", "story", "quitgame"};
    for (int i = 0; i < 5; ++i) blit(s, find(lib, menus + entries[i] + ".png"), left, 280 + 60 * i, Blend::alpha);
    blit(s, find(lib, menus + "brindlecap.png"), 0, screen_h - 128, Blend::alpha);
    blit(s, find(lib, menus + "abrindlecapgame.png"), 0, screen_h - 64, Blend::alpha);
    blit(s, find(lib, menus + "version.png"), screen_w - 64, screen_h - 32, Blend::alpha);
    blit(s, find(lib, "Graphics/Game/Objects/cursor.png"), 392, 364, Blend::alpha);
    const std::string credit = "created by brindlecap";
    for (std::size_t i = 0; i < credit.size(); ++i) {
        if (credit[i] != ' ') blit(s, find(lib, menus + credit[i] + ".png"), 16 * static_cast<int>(i), 0, Blend::alpha);
    }
    return s;
}

sf::Image pause_screen(const Library& lib, const sf::Image& level) {
    const std::string menus = "Graphics/Game/Menus/";
    sf::Image s = level;
    sf::Image shade;
    shade.create(screen_w, screen_h, sf::Color(0, 0, 0, 200));
    blit(s, shade, 0, 0, Blend::alpha);
    const int cx = screen_w / 2;
    const int cy = screen_h / 2;
    blit(s, find(lib, menus + "paused.png"), cx - 128, cy - 192, Blend::alpha);
    fill_rect(s, cx - 128, cy - 64, 256, 192, sf::Color(255, 0, 0));
    fill_rect(s, cx - 128, cy, 256, 64, sf::Color(0, 255, 255));
    blit(s, find(lib, menus + "return.png"), cx - 128, cy - 64, Blend::alpha);
    blit(s, find(lib, menus + "restart.png"), cx - 128, cy, Blend::alpha);
    blit(s, find(lib, menus + "exit.png"), cx - 128, cy + 64, Blend::alpha);
    blit(s, find(lib, "Graphics/Game/Objects/cursor.png"), cx - 8, cy + 24, Blend::alpha);
    return s;
}

// Outline of a map button, 1 px, in the unlocked/hovered/locked colour.
void button_outline(sf::Image& s, int x, int y, sf::Color c) {
    fill_rect(s, x, y, 94, 1, c);
    fill_rect(s, x, y + 31, 94, 1, c);
    fill_rect(s, x, y, 1, 32, c);
    fill_rect(s, x + 93, y, 1, 32, c);
}

// Map selection's heading, go-back arrow and buttons, with a controls
// prompt laid over the lower half.
sf::Image select_and_prompt_screen(const Library& lib) {
    const std::string menus = "Graphics/Game/Menus/";
    sf::Image s;
    s.create(screen_w, screen_h, sf::Color::Black);
    blit(s, find(lib, menus + "assignbutton.png"), screen_w / 2 - 256, screen_h / 2 - 128, Blend::alpha);
    blit(s, find(lib, menus + "shoot.png"), screen_w / 2 - 128, screen_h / 2 - 64, Blend::alpha);
    blit(s, find(lib, menus + "selectmap.png"), screen_w / 2 - 256, 0, Blend::alpha);
    blit(s, find(lib, menus + "goback.png"), 0, 0, Blend::alpha);
    sf::Image veil;
    veil.create(94, 32, sf::Color(0, 0, 0, 100));
    for (int i = 0; i < 10; ++i) {
        const int x = 20 + 96 * (i % 8);
        const int y = 64 + 34 * (i / 8);
        const int label = i + 1;
        if (label < 10) {
            blit(s, find(lib, menus + std::to_string(label) + ".png"), x + 32, y, Blend::alpha);
        } else {
            blit(s, find(lib, menus + "1.png"), x + 16, y, Blend::alpha);
            blit(s, find(lib, menus + "0.png"), x + 48, y, Blend::alpha);
        }
        blit(s, veil, x, y, Blend::alpha);
        button_outline(s, x, y, i == 1 ? sf::Color(0, 255, 0) : i <= 2 ? sf::Color::White : sf::Color(50, 50, 50));
    }
    return s;
}

}  // namespace

void write_previews(const std::vector<Picture>& pictures, const std::string& folder) {
    Library lib;
    for (const Picture& p : pictures) lib[p.path] = &p;
    const sf::Image level = level_scene(lib);
    sf::Image out;
    out.create(2 * screen_w + 8, 2 * screen_h + 8, sf::Color(60, 60, 60));
    out.copy(title_screen(lib), 0, 0);
    out.copy(level, screen_w + 8, 0);
    out.copy(pause_screen(lib, level), 0, screen_h + 8);
    out.copy(select_and_prompt_screen(lib), screen_w + 8, screen_h + 8);
    out.saveToFile(folder + "/art-preview.png");
}

}  // namespace art
