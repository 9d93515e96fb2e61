// Time of one drawn frame of map 1 at 800 x 600 in a real window (run it under
// an X server: xvfb-run -a build/bench/vantorel_frame_bench from build/game),
// and of the map editor's frame with map 4 open.
//
// DrawAndPresent/N: the scene with N lit pixels in the laser layer, the
// player, the shader pass and the display; NoShader: the same, shown as drawn. The parts: LaserUpload (the
// full-window texture upload), ShaderPass (the scene through the shader onto the canvas),
// Lines/0 (the walls as the game draws them; /1 every segment made anew each
// frame, as frames once drew them), Sprites (objects, HUD and player). WholeFrame/N:
// the frame driver's update (N particles in flight) plus all of the drawing.
// LinesOfTheLargestMap/0 and /1: the same two ways on the largest map the
// loader accepts; FirstFrameOfTheLargestMap: from its text to its first frame.
// EditorFrame/Z/G/M: the map editor on map 4 at zoom step Z (0: 1, -4: a
// quarter, the whole height of the map on screen), the grid on when G is 1,
// the view dragged a pixel every frame when M is 1 (the map's picture is then
// drawn and shaded again each frame; still, it is kept): the picture, the
// marks, toolbar and status, the display. EditorPart/P/Z: the editor's
// picture drawn again through the shader (P = 0) and its overlay (P = 1) alone.
#include <filesystem>
#include <optional>
#include <random>

#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>
#include <benchmark/benchmark.h>

#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/object_images.hpp"
#include "client/scene_drawing.hpp"
#include "client/shader_pass.hpp"
#include "client/shapes.hpp"
#include "client/wall_geometry.hpp"
#include "combat/combat_state.hpp"
#include "game/frame.hpp"
#include "game/map_editor.hpp"
#include "game/update.hpp"
#include "menus/map_editor_screen.hpp"
#include "support/map_text.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

// The window, the scene and map 1, set up once for every benchmark.
struct Stage {
    sf::RenderWindow window{sf::VideoMode(800, 600), "Vantorel bench", sf::Style::Titlebar | sf::Style::Close,
                            sf::ContextSettings(24, 0, 0, 2, 0)};
    sf::RenderTexture scene;
    sf::Texture laser_image;
    std::optional<LoadedGame> loaded;
    WallGeometry walls;
    Stage() {
        if (const char* dir = std::getenv("VANTOREL_GAME_DIR")) std::filesystem::current_path(dir);
        Settings s;
        s.threads = 2;
        start_fresh(s);
        load_object_images();
        load_post_shader(800, 600);
        std::string why;
        loaded = start_game(map_text_for_name("1"), why);
        walls.build();
        scene.create(800, 600);
        laser_image.create(800, 600);
        frame_canvas.create({800, 600});
    }
};

Stage& stage() {
    static Stage s;
    return s;
}

// n lit pixels spread over the laser layer.
void light_pixels(int64_t n) {
    std::fill(combat.laser_pixels.begin(), combat.laser_pixels.end(), opaque_black);
    std::mt19937 rng(3);
    std::uniform_int_distribution<size_t> at(0, combat.laser_pixels.size() - 1);
    for (int64_t i = 0; i < n; ++i) combat.laser_pixels[at(rng)] = laser_colour;
}

// n particles in flight in map 1's open start hall, long-lived.
void launch_particles(int64_t n) {
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> x(100, 700), y(350, 560), a(0, 6.28f);
    world.lasers.resize(static_cast<size_t>(n));
    for (Laser& l : world.lasers) l = Laser{x(rng), y(rng), a(rng), 1'000'000, false};
}

// The scene through the shader onto the frame canvas, shown in the window.
void present_scene(Stage& s) {
    s.scene.display();
    frame_canvas.take_scene(s.scene.getTexture());
    frame_canvas.present(s.window);
}

void draw_and_present(Stage& s) {
    draw_scene(s.scene, s.laser_image, s.walls);
    draw_player(s.scene, {600, 300});
    present_scene(s);
}

void DrawAndPresent(benchmark::State& state) {
    Stage& s = stage();
    light_pixels(state.range(0));
    for (auto _ : state) draw_and_present(s);
}

// The same frame shown as drawn (use_shader 0): what the shader pass adds.
void DrawAndPresentNoShader(benchmark::State& state) {
    Stage& s = stage();
    light_pixels(state.range(0));
    settings.use_shader = 0;
    for (auto _ : state) draw_and_present(s);
    settings.use_shader = 1;
}

void LaserUpload(benchmark::State& state) {
    Stage& s = stage();
    s.scene.setActive(true);
    for (auto _ : state) {
        s.laser_image.update(reinterpret_cast<const sf::Uint8*>(combat.laser_pixels.data()));
        glFinish();
    }
}

void ShaderPass(benchmark::State& state) {
    Stage& s = stage();
    s.scene.display();
    for (auto _ : state) {
        frame_canvas.take_scene(s.scene.getTexture());
        frame_canvas.target().setActive(true);
        glFinish();
    }
}

// Every segment made into triangles anew and drawn, as frames once drew the walls.
void draw_every_segment(sf::RenderTarget& target) {
    std::vector<sf::Vertex> lines;
    for (const Segment& g : world.segments) {
        const sf::Vector2f a(float(g.x1 + world.camera_x), float(g.y1 + world.camera_y));
        const sf::Vector2f b(float(g.x2 + world.camera_x), float(g.y2 + world.camera_y));
        append_line(lines, a, b, 4.0f, sf::Color::White);
    }
    target.draw(lines.data(), lines.size(), sf::Triangles);
}

// One frame of walls, drawn from the load's geometry or every segment anew, waited for on the card.
void draw_walls(Stage& s, bool from_geometry) {
    s.scene.clear();
    if (from_geometry)
        s.walls.draw(s.scene);
    else
        draw_every_segment(s.scene);
    s.scene.display();
    glFinish();
}

// The walls as the game draws them (Arg 0) or every segment anew (Arg 1).
void Lines(benchmark::State& state) {
    Stage& s = stage();
    world.lasers.clear();
    for (auto _ : state) {
        draw_walls(s, state.range(0) == 0);
    }
}

// Loads the largest map the loader accepts into the stage, the camera on its
// start; map 1 again when `back` is set.
void load_largest_map(Stage& s, bool back = false) {
    static const std::string largest = largest_map().text();
    std::string why;
    if (!start_game(back ? map_text_for_name("1") : largest.c_str(), why)) std::abort();
    s.walls.build();
}

// The walls of the largest map (10,000 segments of 2,500 px over 7071 x 7071),
// the camera at 16 places over the map: from the load's geometry (Arg 0) or
// every segment anew (Arg 1).
void LinesOfTheLargestMap(benchmark::State& state) {
    Stage& s = stage();
    load_largest_map(s);
    int place = 0;
    for (auto _ : state) {
        world.camera_x = -(place % 4) * 1700 - 400;
        world.camera_y = -(place / 4 % 4) * 1700 - 400;
        ++place;
        draw_walls(s, state.range(0) == 0);
    }
    state.counters["vertices"] = double(s.walls.vertex_count());
    load_largest_map(s, true);
}

void Sprites(benchmark::State& state) {
    Stage& s = stage();
    for (auto _ : state) {
        s.scene.clear();
        draw_hud(s.scene);
        for (const Pickup& p : world.pickups) {
            images.pickup_sprite.setPosition(float(p.x + world.camera_x), float(p.y + world.camera_y));
            s.scene.draw(images.pickup_sprite, additive_blend);
        }
        draw_player(s.scene, {600, 300});
        s.scene.display();
        glFinish();
    }
}

// The frame driver with a view that draws like the game's.
class BenchView : public FrameView {
public:
    explicit BenchView(Stage& stage) : s(stage) {}
    void draw_scene(bool) override { ::draw_scene(s.scene, s.laser_image, s.walls); }
    void finish_frame(bool) override {
        draw_player(s.scene, {600, 300});
        present_scene(s);
    }

private:
    Stage& s;
};

void WholeFrame(benchmark::State& state) {
    Stage& s = stage();
    BenchView view(s);
    const InputSource idle = [](UpdateInput& in) {
        in = UpdateInput{};
        in.mouse_x = 600;
        in.mouse_y = 300;
        return true;
    };
    for (auto _ : state) {
        state.PauseTiming();
        world.player.health = settings.health_override;
        if (world.lasers.size() < size_t(state.range(0)) / 2) launch_particles(state.range(0));
        state.ResumeTiming();
        run_frame(16, idle, view);
    }
    state.counters["particles_left"] = double(world.lasers.size());
}

// From the largest map's text to its first frame on the window: the load, the
// walls' geometry, one update and the frame drawn and presented.
void FirstFrameOfTheLargestMap(benchmark::State& state) {
    Stage& s = stage();
    BenchView view(s);
    const InputSource idle = [](UpdateInput& in) {
        in = UpdateInput{};
        return true;
    };
    const std::string text = largest_map().text();
    for (auto _ : state) {
        std::string why;
        if (!start_game(text.c_str(), why)) std::abort();
        s.walls.build();
        run_frame(16, idle, view);
        glFinish();
        state.PauseTiming();
        world.release_grid();
        state.ResumeTiming();
    }
    load_largest_map(s, true);
}

sf::Event key_press(sf::Keyboard::Key code) {
    sf::Event e;
    e.type = sf::Event::KeyPressed;
    e.key = {code, false, false, false, false};
    return e;
}

// Zooms the editor out by `steps` wheel steps (0 or less) about the pointer.
void zoom_to(MapEditorScreen& screen, int64_t steps, sf::Vector2i pointer) {
    sf::Event zoom_out;
    zoom_out.type = sf::Event::MouseWheelScrolled;
    zoom_out.mouseWheelScroll = {sf::Mouse::VerticalWheel, -1, 0, 0};
    for (int64_t i = 0; i > steps; --i) screen.handle(zoom_out, pointer);
}

// The middle button held down: every later pointer move drags the view.
void grab_view(MapEditorScreen& screen, sf::Vector2i pointer) {
    sf::Event press;
    press.type = sf::Event::MouseButtonPressed;
    press.mouseButton = {sf::Mouse::Middle, pointer.x, pointer.y};
    screen.handle(press, pointer);
}

// A pointer move of one pixel, to the right on even frames and back on odd ones.
sf::Vector2i wiggle(MapEditorScreen& screen, sf::Vector2i pointer, int64_t frame) {
    sf::Event moved;
    moved.type = sf::Event::MouseMoved;
    const sf::Vector2i at(pointer.x + static_cast<int>(frame % 2), pointer.y);
    moved.mouseMove = {at.x, at.y};
    screen.handle(moved, at);
    return at;
}

// The editor's frame as the shared screen loop draws it, the select tool in hand over the map.
void EditorFrame(benchmark::State& state) {
    Stage& s = stage();
    MapEditorScreen screen(*open_builtin_copy(4), {800, 600}, "Maps", {});
    screen.load();
    const sf::Vector2i pointer(400, 300);
    zoom_to(screen, state.range(0), pointer);
    if (state.range(1) != 0) screen.handle(key_press(sf::Keyboard::G), pointer);
    screen.handle(key_press(sf::Keyboard::V), pointer);
    const bool moving = state.range(2) != 0;
    if (moving) grab_view(screen, pointer);
    int64_t frame = 0;
    for (auto _ : state) {
        const sf::Vector2i at = moving ? wiggle(screen, pointer, ++frame) : pointer;
        screen.update({at, false, 16});
        frame_canvas.clear();
        screen.draw(frame_canvas.target(), at);
        screen.draw_unshaded(frame_canvas.target());
        cursor_sprite.setPosition(sf::Vector2f(at));
        frame_canvas.target().draw(cursor_sprite);
        frame_canvas.present(s.window);
    }
    std::string why;
    s.loaded = start_game(map_text_for_name("1"), why);  // the other benchmarks draw map 1
    s.walls.build();
}

// The editor's two parts alone, each to glFinish, at zoom step Z: its
// picture of map 4 drawn and shaded again as the view moves a pixel (P = 0),
// and what it draws over it, the marks, toolbar and status line (P = 1).
void EditorPart(benchmark::State& state) {
    stage();
    MapEditorScreen screen(*open_builtin_copy(4), {800, 600}, "Maps", {});
    screen.load();
    const sf::Vector2i pointer(400, 300);
    zoom_to(screen, state.range(1), pointer);
    screen.handle(key_press(sf::Keyboard::V), pointer);
    screen.draw(frame_canvas.target(), pointer);
    grab_view(screen, pointer);
    int64_t frame = 0;
    for (auto _ : state) {
        frame_canvas.clear();
        if (state.range(0) == 0)
            screen.draw(frame_canvas.target(), wiggle(screen, pointer, ++frame));
        else
            screen.draw_unshaded(frame_canvas.target());
        frame_canvas.target().setActive(true);
        glFinish();
    }
    std::string why;
    Stage& s = stage();
    s.loaded = start_game(map_text_for_name("1"), why);
    s.walls.build();
}

}  // namespace

BENCHMARK(DrawAndPresent)->Arg(0)->Arg(50'000)->Arg(200'000)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawAndPresentNoShader)->Arg(50'000)->Unit(benchmark::kMillisecond);
BENCHMARK(LaserUpload)->Unit(benchmark::kMillisecond);
BENCHMARK(ShaderPass)->Unit(benchmark::kMillisecond);
BENCHMARK(Lines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesOfTheLargestMap)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstFrameOfTheLargestMap)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(Sprites)->Unit(benchmark::kMillisecond);
BENCHMARK(WholeFrame)->Arg(0)->Arg(50'000)->Unit(benchmark::kMillisecond);
BENCHMARK(EditorFrame)
    ->Args({0, 0, 0})
    ->Args({-4, 0, 0})
    ->Args({-4, 1, 0})
    ->Args({0, 0, 1})
    ->Args({-4, 0, 1})
    ->Args({-4, 1, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(EditorPart)->Args({0, 0})->Args({1, 0})->Args({0, -4})->Args({1, -4})->Unit(benchmark::kMillisecond);
