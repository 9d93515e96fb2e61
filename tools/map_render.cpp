#include "tools/map_render.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <sstream>

#include <SFML/System/Err.hpp>

#include "tools/canvas.hpp"
#include "tools/tool_input.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

namespace {

constexpr Colour white{255, 255, 255}, cyan{0, 230, 230}, red{235, 40, 40}, green{40, 220, 40}, blue{70, 100, 255},
    grey{128, 128, 128};

// Wall colour by cell kind, and which kind wins when several share a scaled-down pixel:
// the rarer coloured walls over the plain white ones, so gates never vanish.
struct WallLook {
    Colour colour;
    uint8_t priority;  // 0: nothing drawn
};

WallLook wall_look(CellKind kind) {
    switch (kind) {
        case CellKind::red_gate: return {red, 6};
        case CellKind::green_gate: return {green, 5};
        case CellKind::blue_mirror: return {blue, 4};
        case CellKind::mirror:
        case CellKind::shield_mirror: return {cyan, 3};
        case CellKind::wall: return {white, 2};
        case CellKind::inert: return {grey, 1};
        default: return {{}, 0};
    }
}

// Switch colour numbers: 1 red, 2 green, 3 blue; others grey.
Colour switch_colour(int32_t colour) {
    switch (colour) {
        case 1: return red;
        case 2: return green;
        case 3: return blue;
        default: return grey;
    }
}

// Maps world pixels to picture pixels and marker sizes to at least a legible minimum.
struct Projection {
    int64_t scale;
    int64_t at(int64_t world_px) const {  // floor division, also for positions left of or above the map
        return world_px >= 0 ? world_px / scale : -((-world_px + scale - 1) / scale);
    }
    int64_t size(int64_t world_px, int64_t min_px) const { return std::max(world_px / scale, min_px); }
};

// Each picture pixel shows the highest-priority wall among the scale x scale cells it covers.
void draw_walls(Canvas& canvas, const Projection& p) {
    std::vector<uint8_t> best(static_cast<size_t>(canvas.width()) * static_cast<size_t>(canvas.height()), 0);
    for (int32_t y = 0; y < world.map_height; ++y) {
        const size_t row = static_cast<size_t>(y / p.scale) * static_cast<size_t>(canvas.width());
        for (int32_t x = 0; x < world.map_width; ++x) {
            const WallLook look = wall_look(world.cell_kinds[cell_index(x, y)]);
            const size_t i = row + static_cast<size_t>(x / p.scale);
            if (look.priority <= best[i]) continue;
            best[i] = look.priority;
            canvas.plot(x / p.scale, y / p.scale, look.colour);
        }
    }
}

// Switches: filled squares in their colour, outlined in white to tell them from gates.
void draw_switches(Canvas& canvas, const Projection& p) {
    const int64_t r = p.size(12, 3);
    for (const Switch& s : world.switches) {
        const int64_t x = p.at(s.x), y = p.at(s.y);
        canvas.fill_box(x - r, y - r, x + r, y + r, switch_colour(s.colour));
        canvas.outline_box(x - r - 1, y - r - 1, x + r + 1, y + r + 1, white);
    }
}

// Enemies: basic a yellow disc, smart an orange diamond, turret a pink square,
// each with a line along its heading (degrees, 0 = +x, y down).
void draw_enemies(Canvas& canvas, const Projection& p) {
    const int64_t r = p.size(12, 3), reach = p.size(40, 8);
    for (const Enemy& e : world.enemies) {
        const int64_t x = p.at(e.x), y = p.at(e.y);
        const double heading = static_cast<double>(e.angle) * pi / 180.0;
        const int64_t hx = x + std::llround(std::cos(heading) * static_cast<double>(reach));
        const int64_t hy = y + std::llround(std::sin(heading) * static_cast<double>(reach));
        Colour colour = grey;
        switch (e.kind) {
            case 1:
                colour = {255, 230, 0};
                canvas.disc(x, y, r, colour);
                break;
            case 2:
                colour = {255, 140, 0};
                canvas.diamond(x, y, r + 1, colour);
                break;
            case 3:
                colour = {255, 90, 200};
                canvas.fill_box(x - r, y - r, x + r, y + r, colour);
                break;
            default: canvas.ring(x, y, r, 1, colour); break;
        }
        canvas.line(x, y, hx, hy, colour);
    }
}

// Pickups: medkit a white square with a red cross, extra life a pink disc, power-up a violet triangle.
void draw_pickups(Canvas& canvas, const Projection& p) {
    const int64_t r = p.size(9, 3);
    for (const Pickup& item : world.pickups) {
        const int64_t x = p.at(item.x), y = p.at(item.y);
        switch (item.kind) {
            case 1:
                canvas.fill_box(x - r, y - r, x + r, y + r, white);
                canvas.fill_box(x - r + 1, y - r / 3, x + r - 1, y + r / 3, red);
                canvas.fill_box(x - r / 3, y - r + 1, x + r / 3, y + r - 1, red);
                break;
            case 2: canvas.disc(x, y, r, {255, 150, 200}); break;
            case 3: canvas.triangle(x, y, r, {170, 110, 255}); break;
            default: canvas.ring(x, y, r, 1, grey); break;
        }
    }
}

// Checkpoints: a light orange flag whose pole foot stands on the checkpoint.
void draw_checkpoints(Canvas& canvas, const Projection& p) {
    const int64_t pole = p.size(32, 8), flag = p.size(12, 3);
    const Colour colour{255, 200, 120};
    for (const Checkpoint& c : world.checkpoints) {
        const int64_t x = p.at(c.x), y = p.at(c.y);
        canvas.line(x, y, x, y - pole, colour);
        for (int64_t i = 0; i <= flag; ++i) canvas.line(x, y - pole + i / 2, x + flag - i, y - pole + i / 2, colour);
    }
}

// Start: the 25 x 64 standing body, centred on the start; exit: a magenta ring of the exit's 64 px size.
void draw_start_and_exit(Canvas& canvas, const Projection& p) {
    const int64_t sx = world.player.x, sy = world.player.y;
    canvas.outline_box(p.at(sx - 12), p.at(sy - 32), std::max(p.at(sx + 12), p.at(sx - 12) + 2),
                       std::max(p.at(sy + 31), p.at(sy - 32) + 4), {0, 255, 0});
    canvas.ring(p.at(world.exit_x), p.at(world.exit_y), p.size(32, 5), p.size(4, 2), {255, 0, 255});
}

// Routes: a line through the player's positions, broken where it jumps (a
// respawn), and a white cross where a life was lost. Drawn last first, so the
// first route given lies on top where two share a path.
void draw_routes(Canvas& canvas, const Projection& p, const std::vector<RoutePath>& routes) {
    constexpr Colour colours[] = {{90, 170, 255}, {200, 255, 60}, {255, 255, 255}};
    constexpr int64_t jump = 64;  // px between two updates' positions that no movement covers
    for (size_t i = routes.size(); i-- > 0;) {
        const Colour colour = colours[std::min(i, std::size(colours) - 1)];
        const auto& points = routes[i].points;
        for (size_t k = 1; k < points.size(); ++k) {
            const auto [x0, y0] = points[k - 1];
            const auto [x1, y1] = points[k];
            if (std::llabs(int64_t{x1} - x0) > jump || std::llabs(int64_t{y1} - y0) > jump) continue;
            canvas.line(p.at(x0), p.at(y0), p.at(x1), p.at(y1), colour);
        }
        const int64_t r = p.size(16, 3);
        for (const auto& [x, y] : routes[i].deaths) {
            canvas.line(p.at(x) - r, p.at(y) - r, p.at(x) + r, p.at(y) + r, white);
            canvas.line(p.at(x) - r, p.at(y) + r, p.at(x) + r, p.at(y) - r, white);
        }
    }
}

// Writes the picture as PNG (the format follows the .png name).
void save_png(const Canvas& canvas, const std::string& out_path) {
    // SFML reports a failed save on its own error stream; keep it out of the one-line message.
    std::ostringstream library_message;
    std::streambuf* previous = sf::err().rdbuf(library_message.rdbuf());
    const bool saved = canvas.image().saveToFile(out_path);
    sf::err().rdbuf(previous);
    if (!saved)
        throw ToolError(quoted_path(out_path) + " could not be written; check that its folder exists and is writable.");
}

}  // namespace

void render_map(const std::string& out_path, int32_t scale, const std::vector<RoutePath>& routes) {
    const Projection p{std::max<int64_t>(scale, 1)};
    const int64_t width = (world.map_width + p.scale - 1) / p.scale;
    const int64_t height = (world.map_height + p.scale - 1) / p.scale;
    if (width > max_picture_side || height > max_picture_side || width * height > max_picture_pixels)
        throw ToolError("The picture would be " + std::to_string(width) + " x " + std::to_string(height) +
                        " pixels, more than " + std::to_string(max_picture_side) + " on a side or " +
                        std::to_string(max_picture_pixels) + " in all; give a larger scale.");
    Canvas canvas(static_cast<int32_t>(width), static_cast<int32_t>(height));
    draw_walls(canvas, p);
    world.release_grid();  // a large map's grid is no longer needed while the PNG is encoded
    draw_checkpoints(canvas, p);
    draw_pickups(canvas, p);
    draw_switches(canvas, p);
    draw_start_and_exit(canvas, p);
    draw_enemies(canvas, p);
    draw_routes(canvas, p, routes);
    save_png(canvas, out_path);
}
