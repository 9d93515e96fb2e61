#include "menus/editor_drawing.hpp"

#include <algorithm>
#include <cmath>
#include <string>

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/VertexArray.hpp>
#include <SFML/Graphics/View.hpp>

#include "client/menu_kit.hpp"
#include "client/object_images.hpp"
#include "client/scene_drawing.hpp"
#include "client/shapes.hpp"
#include "game/map_picture.hpp"
#include "world/map_vocabulary.hpp"

namespace {

constexpr double pi = 3.141592653589793;
const sf::Color bar_fill(24, 24, 32, 235);
const sf::Color outside_map(22, 22, 30);
const sf::Color grid_colour(40, 44, 64);
const sf::Color selected_colour(255, 220, 0);
const sf::Color hover_colour(255, 255, 255, 170);
const sf::Color heading_colour(255, 200, 0, 200);
const sf::Color good_colour(140, 255, 140);
const sf::Color bad_colour(255, 140, 120);
const sf::Color warning_colour(255, 210, 90);  // loads, but cannot be played or won
const sf::Color hint_colour(200, 200, 200);
constexpr float border_thickness = 10.0f;  // world px, as the game draws the map's edges
constexpr float wall_thickness = 4.0f;     // world px
constexpr double heading_length = 40.0;    // world px, reaching beyond the 32 px picture

int32_t held(double v) { return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)); }

// Appends a line `thickness` px wide from a to b as two triangles.
void thick_line(sf::VertexArray& out, sf::Vector2f a, sf::Vector2f b, float thickness, sf::Color colour) {
    const sf::Vector2f d = b - a;
    const float length = std::sqrt(d.x * d.x + d.y * d.y);
    if (length == 0.0f) return;
    const sf::Vector2f side(-d.y / length * thickness / 2, d.x / length * thickness / 2);
    for (sf::Vector2f p : {a + side, b + side, b - side, a + side, b - side, a - side})
        out.append(sf::Vertex(p, colour));
}

sf::Color segment_colour(int32_t type) {
    switch (type) {
        case segment_mirror: return {0, 255, 255};
        case segment_red_gate: return {255, 0, 0};
        case segment_green_gate: return {0, 255, 0};
        case segment_blue_mirror: return {0, 0, 255};
        default: return sf::Color::White;
    }
}

// The picture for a tool's button, or null for the segment tools and select.
const sf::Texture* tool_image(EditorTool tool) {
    const auto value = static_cast<size_t>(std::max(1, tool_value(tool)) - 1);
    switch (tool_makes(tool)) {
        case ToolMakes::switch_: return &images.switches[value + 3];
        case ToolMakes::enemy: return &images.enemies[value];
        case ToolMakes::pickup: return &images.pickups[value];
        case ToolMakes::checkpoint: return &images.checkpoints[0];
        case ToolMakes::start: return &images.body[0];
        case ToolMakes::exit: return &images.exit;
        default: return nullptr;
    }
}

// An image shrunk to fit a square `side` px across, centred on `centre`.
void draw_fitted(sf::RenderTarget& target, const sf::Texture& image, sf::Vector2f centre, float side,
                 const sf::BlendMode& blend) {
    const sf::Vector2u size = image.getSize();
    if (size.x == 0 || size.y == 0) return;
    sf::Sprite sprite(image);
    const float scale = side / static_cast<float>(std::max(size.x, size.y));
    sprite.setOrigin(static_cast<float>(size.x) / 2, static_cast<float>(size.y) / 2);
    sprite.setScale(scale, scale);
    sprite.setPosition(centre);
    target.draw(sprite, blend);
}

void outline(sf::RenderTarget& target, float left, float top, float right, float bottom, sf::Color colour,
             float px = 1.0f) {
    target.draw(box(left, top, right - left, bottom - top, sf::Color::Transparent, colour, px));
}

std::string counted(size_t n, const char* one, const char* more) {
    return std::to_string(n) + " " + (n == 1 ? one : more);
}

}  // namespace

void draw_map_picture(sf::RenderTarget& target, const MapEditor& editor, WallGeometry& walls) {
    const EditorView& v = editor.view();
    const sf::Vector2i size = editor.layout().size;
    const double zoom = v.zoom();
    // The drawing places by an integer camera; the view keeps the rest of the scroll and the zoom.
    const int32_t camera_x = -held(std::floor(v.left)), camera_y = -held(std::floor(v.top));
    const auto span_x = static_cast<float>(size.x / zoom), span_y = static_cast<float>(size.y / zoom);
    frame_map_picture(camera_x, camera_y, held(std::ceil(span_x)) + 2, held(std::ceil(span_y)) + 2);
    const auto view_left = static_cast<float>(v.left + camera_x), view_top = static_cast<float>(v.top + camera_y);
    target.setView(sf::View(sf::FloatRect(view_left, view_top, span_x, span_y)));

    const MapSource& map = editor.map();
    const auto map_left = static_cast<float>(camera_x), map_top = static_cast<float>(camera_y);
    const auto map_w = static_cast<float>(std::max(map.width, 0)), map_h = static_cast<float>(std::max(map.height, 0));
    // The ground outside the map, in up to four bands around it (the frame starts black).
    const float view_right = view_left + span_x, view_bottom = view_top + span_y;
    const float inner_top = std::clamp(map_top, view_top, view_bottom);
    const float inner_bottom = std::clamp(map_top + map_h, inner_top, view_bottom);
    const float inner_left = std::clamp(map_left, view_left, view_right);
    const float inner_right = std::clamp(map_left + map_w, inner_left, view_right);
    sf::VertexArray outside(sf::Triangles);
    auto band = [&outside](float l, float t, float r, float b) {
        if (r <= l || b <= t) return;
        for (sf::Vector2f p : {sf::Vector2f(l, t), {r, t}, {r, b}, {l, t}, {r, b}, {l, b}})
            outside.append(sf::Vertex(p, outside_map));
    };
    band(view_left, view_top, view_right, inner_top);
    band(view_left, inner_bottom, view_right, view_bottom);
    band(view_left, inner_top, inner_left, inner_bottom);
    band(inner_right, inner_top, view_right, inner_bottom);
    target.draw(outside);

    if (editor.grid()) {
        float step = map_grid_step;
        while (step * zoom < 8) step *= 2;  // never denser than one line per 8 px on screen
        const float left = std::max(view_left, map_left), right = std::min(view_left + span_x, map_left + map_w);
        const float top = std::max(view_top, map_top), bottom = std::min(view_top + span_y, map_top + map_h);
        sf::VertexArray lines(sf::Lines);
        for (float x = std::ceil((left - map_left) / step) * step + map_left; x <= right; x += step) {
            lines.append(sf::Vertex({x, top}, grid_colour));
            lines.append(sf::Vertex({x, bottom}, grid_colour));
        }
        for (float y = std::ceil((top - map_top) / step) * step + map_top; y <= bottom; y += step) {
            lines.append(sf::Vertex({left, y}, grid_colour));
            lines.append(sf::Vertex({right, y}, grid_colour));
        }
        target.draw(lines);
    }

    draw_level(target, walls);
    // The map's edges in the game's border colour and width, where they really are.
    sf::VertexArray border(sf::Triangles);
    const sf::Vector2f corners[4] = {{map_left, map_top},
                                     {map_left + map_w, map_top},
                                     {map_left + map_w, map_top + map_h},
                                     {map_left, map_top + map_h}};
    for (int i = 0; i < 4; ++i)
        thick_line(border, corners[i], corners[(i + 1) % 4], border_thickness, sf::Color::White);
    target.draw(border);
    // The player stands at the start, looking to the right.
    draw_player(target, {held(double(map.start_x) + camera_x + 100), held(double(map.start_y) + camera_y)});
    target.setView(target.getDefaultView());
}

void draw_editor_marks(sf::RenderTarget& target, const MapEditor& editor) {
    const EditorView& v = editor.view();
    const MapSource& map = editor.map();
    const sf::Vector2i size = editor.layout().size;
    const auto zoom = static_cast<float>(v.zoom());
    auto at = [&v](double x, double y) { return v.to_layout(x, y); };
    const auto w = static_cast<float>(size.x), h = static_cast<float>(size.y);
    auto shown = [w, h](sf::Vector2f p, float margin) {
        return p.x >= -margin && p.y >= -margin && p.x <= w + margin && p.y <= h + margin;
    };

    sf::VertexArray lines(sf::Triangles);
    for (const MapEnemy& e : map.enemies) {
        const sf::Vector2f p = at(e.x, e.y);
        if (!shown(p, 40)) continue;
        const double a = e.heading * pi / 180;
        thick_line(lines, p, at(e.x + std::cos(a) * heading_length, e.y + std::sin(a) * heading_length), 2,
                   heading_colour);
    }
    if (const auto s = editor.drawn_segment())
        thick_line(lines, at(s->x1, s->y1), at(s->x2, s->y2), std::max(1.0f, wall_thickness * zoom),
                   segment_colour(s->type));
    if (const auto e = editor.placed_enemy()) {
        const double a = e->heading * pi / 180;
        thick_line(lines, at(e->x, e->y), at(e->x + std::cos(a) * heading_length, e->y + std::sin(a) * heading_length),
                   2, heading_colour);
    }
    for (const MapItem& item : editor.selection())
        if (item.kind == ItemKind::segment && item.index < map.segments.size()) {
            const MapSegment& s = map.segments[item.index];
            thick_line(lines, at(s.x1, s.y1), at(s.x2, s.y2), 2, selected_colour);
        }
    target.draw(lines);

    if (const auto e = editor.placed_enemy()) {
        sf::Sprite sprite(images.enemies[static_cast<size_t>(std::clamp(e->kind, 1, 3) - 1)]);
        sprite.setOrigin(16, 16);
        sprite.setScale(zoom, zoom);
        sprite.setRotation(static_cast<float>(e->heading));
        sprite.setPosition(at(e->x, e->y));
        target.draw(sprite, additive_blend);
    }
    for (const MapItem& item : editor.selection()) {
        if (item.kind == ItemKind::segment) continue;
        const MapBox b = item_box(map, item);
        const sf::Vector2f a = at(b.left, b.top), c = at(b.right, b.bottom);
        outline(target, a.x - 2, a.y - 2, c.x + 2, c.y + 2, selected_colour, 2);
    }
    if (const auto pick = editor.under_pointer(); pick && editor.drag() == DragKind::none) {
        const MapBox b = item_box(map, pick->item);
        const sf::Vector2f a = at(b.left, b.top), c = at(b.right, b.bottom);
        if (pick->part == MapPick::whole) {
            outline(target, a.x - 4, a.y - 4, c.x + 4, c.y + 4, hover_colour);
        } else {
            const MapSegment& s = map.segments[pick->item.index];
            const sf::Vector2f end = pick->part == MapPick::first_end ? at(s.x1, s.y1) : at(s.x2, s.y2);
            outline(target, end.x - 5, end.y - 5, end.x + 5, end.y + 5, hover_colour, 2);
        }
    }
    if (const auto boxed = editor.selection_box()) {
        const sf::Vector2f a = at(boxed->first.x, boxed->first.y), c = at(boxed->second.x, boxed->second.y);
        target.draw(box(std::min(a.x, c.x), std::min(a.y, c.y), std::abs(c.x - a.x), std::abs(c.y - a.y),
                        sf::Color(255, 220, 0, 30), selected_colour, 1));
    }

    const sf::Vector2f corner = at(map.width, map.height);
    const float half = editor_handle_size / 2.0f;
    target.draw(box(corner.x - half, corner.y - half, editor_handle_size, editor_handle_size, sf::Color::White,
                    sf::Color::Black, 1));

    const sf::Vector2i pointer = editor.pointer();
    if (editor.tool() != EditorTool::select && editor.drag() == DragKind::none &&
        editor.layout().over_map(pointer.x, pointer.y)) {
        const MapPoint p = editor.pointer_on_map();
        const sf::Vector2f c = at(p.x, p.y);
        target.draw(box(c.x - 6, c.y, 13, 1, hover_colour));
        target.draw(box(c.x, c.y - 6, 1, 13, hover_colour));
    }
}

void draw_toolbar(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font) {
    const EditorLayout& layout = editor.layout();
    target.draw(box(layout.toolbar, bar_fill));
    const sf::Vector2i pointer = editor.pointer();
    const auto hovered = layout.button_at(pointer.x, pointer.y);
    for (size_t i = 0; i < editor_tool_count + editor_command_count; ++i) {
        const Rect r = layout.button(i);
        const bool is_tool = i < editor_tool_count;
        const bool on = is_tool ? static_cast<size_t>(editor.tool()) == i
                                : (i == editor_tool_count + static_cast<size_t>(EditorCommand::grid) && editor.grid());
        const sf::Color edge = on ? sf::Color(0, 255, 0) : hovered == i ? sf::Color::White : sf::Color(110, 110, 120);
        target.draw(box(r, sf::Color(0, 0, 0, 170), edge, on ? 2.0f : 1.0f));
        const sf::Vector2f centre(static_cast<float>(r.x) + static_cast<float>(r.w) / 2,
                                  static_cast<float>(r.y) + static_cast<float>(r.h) / 2);
        if (!is_tool) {
            const EditorCommand command = static_cast<EditorCommand>(i - editor_tool_count);
            const sf::Text label = fitted_text(font, command_info(command).label, 11, static_cast<float>(r.w - 2));
            draw_text_centred(target, label, centre.x, centre.y - 8, sf::Color::White);
            continue;
        }
        const EditorTool tool = static_cast<EditorTool>(i);
        const float side = static_cast<float>(std::min(r.w, r.h) - 8);
        if (tool_makes(tool) == ToolMakes::segment) {
            sf::VertexArray line(sf::Triangles);
            thick_line(line, {centre.x - side / 2, centre.y + side / 2}, {centre.x + side / 2, centre.y - side / 2}, 4,
                       segment_colour(tool_value(tool)));
            target.draw(line);
        } else if (tool == EditorTool::select) {
            outline(target, centre.x - side / 3, centre.y - side / 3, centre.x + side / 3, centre.y + side / 3,
                    selected_colour);
        } else if (const sf::Texture* image = tool_image(tool)) {
            draw_fitted(target, *image, centre, side,
                        tool_makes(tool) == ToolMakes::switch_ ? sf::BlendAlpha : additive_blend);
        }
        draw_text(target, sf::Text(tool_info(tool).key_label, font, 10), static_cast<float>(r.x + r.w - 9),
                  static_cast<float>(r.y + r.h - 13), sf::Color(255, 255, 160));
    }
}

void draw_status(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font) {
    const EditorLayout& layout = editor.layout();
    target.draw(box(layout.status, bar_fill));
    const auto width = static_cast<float>(layout.size.x - 12);
    const auto top = static_cast<float>(layout.status.y);
    const sf::Vector2i pointer = editor.pointer();

    std::string first;
    if (const auto button = layout.button_at(pointer.x, pointer.y)) {
        if (*button < editor_tool_count) {
            const ToolInfo& t = tool_info(static_cast<EditorTool>(*button));
            first = std::string(t.key_label) + "  " + t.name + ": " + t.how;
        } else {
            first = command_info(static_cast<EditorCommand>(*button - editor_tool_count)).how;
        }
    } else {
        const MapSource& map = editor.map();
        const MapPoint p = editor.pointer_on_map();
        const ToolInfo& t = tool_info(editor.tool());
        first = (editor.name().empty() ? std::string("new map") : editor.name()) + (editor.unsaved() ? " *" : "") +
                "   " + t.name + " (" + t.key_label + ")   x " + std::to_string(p.x) + " y " + std::to_string(p.y) +
                "   " + std::to_string(std::lround(editor.view().zoom() * 100)) + "%" + (editor.grid() ? " grid" : "") +
                "   " + counted(map.segments.size(), "segment", "segments") + ", " +
                counted(map.switches.size(), "switch", "switches") + ", " +
                counted(map.enemies.size(), "enemy", "enemies") + ", " +
                counted(map.pickups.size(), "pickup", "pickups") + ", " +
                counted(map.checkpoints.size(), "checkpoint", "checkpoints");
    }
    draw_text(target, fitted_text(font, first, 13, width), 6, top + 2, sf::Color::White);

    const EditorMessage message = editor.message();
    if (!message.words.empty())
        draw_text(target, fitted_text(font, message.words, 13, width), 6, top + 20,
                  message.good ? good_colour : bad_colour);
    else if (!editor.warning().empty())
        draw_text(target, fitted_text(font, editor.warning(), 13, width), 6, top + 20, warning_colour);
    else if (editor.verdict().empty())
        draw_text(target, fitted_text(font, "The game loads this map.", 13, width), 6, top + 20, good_colour);
    else
        draw_text(target, fitted_text(font, editor.verdict(), 13, width), 6, top + 20, bad_colour);
}

void draw_dialog(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font) {
    const NamePrompt* prompt = editor.prompt();
    if (!prompt && !editor.asking_to_leave()) return;
    const EditorLayout& layout = editor.layout();
    const Rect d = layout.dialog();
    const auto left = static_cast<float>(d.x + 14), width = static_cast<float>(d.w - 28);
    const sf::Vector2i pointer = editor.pointer();
    target.draw(
        box(0, 0, static_cast<float>(layout.size.x), static_cast<float>(layout.size.y), sf::Color(0, 0, 0, 120)));
    target.draw(box(d, sf::Color(20, 20, 30, 245), sf::Color::White, 1));
    auto button = [&](int i, const std::string& words) {
        const Rect r = layout.dialog_button(i);
        const bool over = r.contains(pointer.x, pointer.y);
        target.draw(box(r, sf::Color(0, 0, 0, 200), over ? sf::Color(0, 255, 0) : sf::Color::White, 1));
        draw_text_centred(target, fitted_text(font, words, 14, static_cast<float>(r.w - 8)),
                          static_cast<float>(r.x) + static_cast<float>(r.w) / 2, static_cast<float>(r.y + 7),
                          sf::Color::White);
    };
    if (prompt) {
        draw_text(target, fitted_text(font, "Save the map as", 16, width), left, static_cast<float>(d.y + 10),
                  sf::Color::White);
        // The typed name with a bar where the next character goes.
        const std::string shown = "Maps/" + prompt->text() + "|.txt";
        draw_text(target, fitted_text(font, shown, 20, width), left, static_cast<float>(d.y + 34),
                  sf::Color(255, 255, 160));
        const std::string hint = prompt->hint().empty() ? "Letters, digits, - and _." : prompt->hint();
        draw_text(target, fitted_text(font, hint, 13, width), left, static_cast<float>(d.y + 64),
                  prompt->hint().empty() ? hint_colour : bad_colour);
        button(0, prompt->replacing() ? "Replace (Return)" : "Save (Return)");
        button(2, "Cancel (Escape)");
        return;
    }
    draw_text(target, fitted_text(font, "This map has changes that are not saved.", 16, width), left,
              static_cast<float>(d.y + 14), sf::Color::White);
    draw_text(target, fitted_text(font, "Leave the editor without them?", 14, width), left,
              static_cast<float>(d.y + 42), hint_colour);
    button(0, "Save and leave (S)");
    button(1, "Leave (Y)");
    button(2, "Stay (N)");
}
