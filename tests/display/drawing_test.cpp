// The game's drawing read back pixel by pixel from an off-screen image, at the
// places the rules fix: the health bar, the lives, dark switch colours, the
// map border, the player's mirroring and hit flash, and the
// window set-up and shader fall-backs. Exact colours: no shader here.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

#include <SFML/Graphics.hpp>
#include <gtest/gtest.h>

#include "app/cursor_pulse.hpp"
#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/game_screen.hpp"
#include "client/object_images.hpp"
#include "client/scene_drawing.hpp"
#include "client/shader_pass.hpp"
#include "client/shapes.hpp"
#include "client/window_setup.hpp"
#include "combat/combat_state.hpp"
#include "game/game_state.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

// A fresh 800 x 600 world with no map, the player standing mid-screen, the art loaded.
class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::current_path(VANTOREL_GAME_DIR);
        start_fresh();
        world.map_width = 2000;
        world.map_height = 2000;
        world.camera_x = -100;
        world.camera_y = -100;
        world.player.x = 500;
        world.player.y = 400;
        world.player.ducking = false;
        game.duck_offset = 0;
        static bool loaded = false;
        if (!loaded) load_object_images();
        loaded = true;
        ASSERT_TRUE(target.create(800, 600));
        ASSERT_TRUE(laser_image.create(800, 600));
    }
    sf::Image scene() {
        draw_scene(target, laser_image, walls);
        target.display();
        return target.getTexture().copyToImage();
    }
    sf::RenderTexture target;
    sf::Texture laser_image;
    WallGeometry walls;  // built by a test that sets segments, as a game builds it at the load
};

bool near(sf::Color a, sf::Color b, int tolerance = 3) {
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// Pixels on row 15 from x 5 on in which blue, red or green clearly leads.
int bar_length(const sf::Image& image) {
    int length = 0;
    for (unsigned x = 5; x < 110; ++x) {
        const sf::Color c = image.getPixel(x, 15);
        if (std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 40) ++length;
    }
    return length;
}

}  // namespace

TEST_F(Drawing, HealthBarLengthAndColourBand) {
    struct Case {
        int32_t health;
        int shortest, longest;
        sf::Color leads;  // the channel that dominates the bar
    };
    for (const Case& c : {Case{179, 59, 60, {0, 0, 255}}, Case{89, 29, 30, {255, 0, 0}}, Case{180, 60, 60, {0, 255, 0}},
                          Case{300, 100, 100, {0, 255, 0}}, Case{0, 0, 0, {0, 0, 0}}}) {
        world.player.health = c.health;
        const sf::Image image = scene();
        const int length = bar_length(image);
        EXPECT_GE(length, c.shortest) << c.health;
        EXPECT_LE(length, c.longest) << c.health;
        if (length == 0) continue;
        const sf::Color p = image.getPixel(8, 15);
        const int lead = c.leads.r ? p.r : c.leads.g ? p.g : p.b;
        EXPECT_GT(lead, std::max({p.r, p.g, p.b}) - 1) << c.health;
        EXPECT_GT(lead, 100) << c.health;
    }
}

TEST_F(Drawing, AtMostTenLivesMarkers) {
    const auto yellow = [](sf::Color c) { return c.r > 150 && c.g > 150 && c.b < 60; };
    world.player.lives = 12;
    const sf::Image image = scene();
    for (int i = 0; i < 10; ++i)
        EXPECT_TRUE(yellow(image.getPixel(unsigned(120 + 15 * i % 75), unsigned(7 + 15 * (i / 5))))) << i;
    EXPECT_FALSE(yellow(image.getPixel(120, 37)));  // where an eleventh would go
    world.player.lives = 3;
    const sf::Image three = scene();
    EXPECT_TRUE(yellow(three.getPixel(150, 7)));
    EXPECT_FALSE(yellow(three.getPixel(165, 7)));
    EXPECT_FALSE(yellow(three.getPixel(120, 22)));
}

TEST_F(Drawing, SwitchedOffColoursAreDarkInWallsAndLamps) {
    world.segments = {
        {200, 300, 300, 300, 3}, {200, 400, 300, 400, 4}, {200, 500, 300, 500, 5}, {200, 600, 300, 600, 1}};
    walls.build();
    const sf::Image lit = scene();
    EXPECT_TRUE(near(lit.getPixel(150, 200), {255, 0, 0}));
    EXPECT_TRUE(near(lit.getPixel(150, 300), {0, 255, 0}));
    EXPECT_TRUE(near(lit.getPixel(150, 400), {0, 0, 255}));
    world.red_on = world.green_on = world.blue_on = false;
    const sf::Image dark = scene();
    EXPECT_TRUE(near(dark.getPixel(150, 200), {50, 0, 0}));
    EXPECT_TRUE(near(dark.getPixel(150, 300), {0, 50, 0}));
    EXPECT_TRUE(near(dark.getPixel(150, 400), {0, 0, 50}));
    EXPECT_TRUE(near(dark.getPixel(150, 500), {255, 255, 255}));  // white walls never change
    // Lamps: a dark fill inside a black ring; lit ones are bright inside a yellow ring.
    for (unsigned c = 0; c < 3; ++c) {
        const unsigned x = 800 - 55 + 20 * c;
        const sf::Color on = lit.getPixel(x, 15), off = dark.getPixel(x, 15);
        const int on_lead = c == 0 ? on.r : c == 1 ? on.g : on.b, off_lead = c == 0 ? off.r : c == 1 ? off.g : off.b;
        EXPECT_GT(on_lead, 200) << c;
        EXPECT_GT(off_lead, 90) << c;
        EXPECT_LT(off_lead, 120) << c;
        const sf::Color on_ring = lit.getPixel(x + 5, 15), off_ring = dark.getPixel(x + 5, 15);
        EXPECT_GT(on_ring.r + on_ring.g, 300) << c;
        EXPECT_LT(std::max({off_ring.r, off_ring.g, off_ring.b}), 70) << c;
    }
}

// A segment of a type outside 1 .. 5 erases the cells under it: drawing it as a
// wall would show one the player walks through.
TEST_F(Drawing, SegmentsOfOtherTypesShowNothing) {
    world.segments = {
        {200, 300, 300, 300, 0}, {200, 400, 300, 400, 6}, {200, 500, 300, 500, -1}, {200, 600, 300, 600, 1}};
    walls.build();
    const sf::Image image = scene();
    for (unsigned y : {200u, 300u, 400u}) EXPECT_TRUE(near(image.getPixel(150, y), {0, 0, 0})) << y;
    EXPECT_TRUE(near(image.getPixel(150, 500), {255, 255, 255}));
}

// The walls drawn from the geometry built at the load, culled by groups and
// shifted by the camera, look like every segment made anew in screen px and
// drawn, as frames once did: on every built-in map, from all over it, with
// the switch colours changed after the build.
TEST_F(Drawing, WallsFromTheLoadLookLikeEverySegmentDrawnAnew) {
    const auto every_segment = [&] {
        std::vector<sf::Vertex> lines;
        for (const Segment& g : world.segments) {
            const sf::Color colour = g.type == 1   ? sf::Color::White
                                     : g.type == 2 ? sf::Color(0, 255, 255)
                                     : g.type == 3 ? (world.red_on ? sf::Color(255, 0, 0) : sf::Color(50, 0, 0))
                                     : g.type == 4 ? (world.green_on ? sf::Color(0, 255, 0) : sf::Color(0, 50, 0))
                                                   : (world.blue_on ? sf::Color(0, 0, 255) : sf::Color(0, 0, 50));
            append_line(lines, {float(g.x1 + world.camera_x), float(g.y1 + world.camera_y)},
                        {float(g.x2 + world.camera_x), float(g.y2 + world.camera_y)}, 4.0f, colour);
        }
        target.clear();
        target.draw(lines.data(), lines.size(), sf::Triangles);
        target.display();
        return target.getTexture().copyToImage();
    };
    const auto from_the_load = [&] {
        target.clear();
        walls.draw(target);
        target.display();
        return target.getTexture().copyToImage();
    };
    for (int map = 1; map <= 5; ++map) {
        ASSERT_TRUE(load_map(map_text_for_name(std::to_string(map))));
        walls.build();
        int lit = 0, differing = 0;
        for (int place = 0; place < 12; ++place) {
            world.camera_x = 400 - place % 4 * world.map_width / 3;
            world.camera_y = 300 - place / 4 * world.map_height / 2;
            world.red_on = place % 2 == 0;
            world.blue_on = place % 3 != 0;
            const sf::Image expected = every_segment(), drawn = from_the_load();
            for (unsigned y = 0; y < 600; ++y)
                for (unsigned x = 0; x < 800; ++x) {
                    const sf::Color e = expected.getPixel(x, y);
                    lit += e != sf::Color::Black;
                    differing += e != drawn.getPixel(x, y);
                }
        }
        EXPECT_GT(lit, 1000) << "map " << map;
        // Rounding may move a line's edge by a pixel here and there, never a wall.
        EXPECT_LE(differing, lit / 200) << "map " << map << ": " << differing << " of " << lit;
    }
    world.release_grid();
}

TEST_F(Drawing, LeftBorderOnlyNearTheMapsLeftEdge) {
    world.camera_x = 0;
    const sf::Image at_edge = scene();
    for (unsigned x = 0; x < 5; ++x) EXPECT_TRUE(near(at_edge.getPixel(x, 300), {255, 255, 255})) << x;
    EXPECT_TRUE(near(at_edge.getPixel(6, 300), {0, 0, 0}));
    world.camera_x = -100;
    EXPECT_TRUE(near(scene().getPixel(2, 300), {0, 0, 0}));
}

TEST_F(Drawing, BodyFacesThePointerAndTheHitFlashBoxFollowsTheStance) {
    pose_player({100, 300});  // the player is at window (400, 300)
    EXPECT_LT(images.body_sprite.getScale().x, 0.0f);
    pose_player({600, 300});
    EXPECT_GT(images.body_sprite.getScale().x, 0.0f);
    pose_player({400, 300});  // the pointer on the player's own x faces right
    EXPECT_GT(images.body_sprite.getScale().x, 0.0f);

    const auto flashed = [&](bool ducking) {
        world.player.ducking = ducking;
        world.player.hit_flash = true;
        target.clear(sf::Color::Black);
        draw_player(target, {600, 300});
        target.display();
        EXPECT_TRUE(world.player.hit_flash);  // drawing reads the world and never writes it
        return target.getTexture().copyToImage();
    };
    const auto red = [](sf::Color c) { return c.r >= 90 && c.g < c.r && c.b < c.r; };
    const sf::Image standing = flashed(false);
    EXPECT_TRUE(red(standing.getPixel(387, 269)));  // the box's top-left corner: (x - 14, y - 32)
    EXPECT_TRUE(red(standing.getPixel(415, 331)));  // its bottom-right
    EXPECT_FALSE(red(standing.getPixel(385, 269)));
    const sf::Image ducking = flashed(true);
    EXPECT_FALSE(red(ducking.getPixel(387, 290)));  // above the ducked box
    EXPECT_TRUE(red(ducking.getPixel(387, 301)));
}

TEST(WindowDrawing, CursorPulseWindowSetUpAndShaderFallBacks) {
    std::filesystem::current_path(VANTOREL_GAME_DIR);
    settings = Settings{};
    sf::RenderWindow window(sf::VideoMode(800, 600), "Vantorel test", sf::Style::Titlebar | sf::Style::Close);
    load_cursor_image(false);

    // The pulse grows from 1.0 by 0.05 while over a hot area and snaps back away from it.
    CursorPulse pulse;
    for (float expected : {1.0f, 1.05f, 1.1f}) EXPECT_NEAR(pulse.next(true), expected, 1e-5f);
    EXPECT_EQ(pulse.next(false), 1.0f);
    EXPECT_NEAR(pulse.next(true), 1.15f, 1e-5f);
    // Held over a hot area, it turns just past 1.5 and comes back to 1.0 again and again, never running away.
    float smallest = 2, largest = 0;
    for (int frame = 0; frame < 60; ++frame) {
        const float scale = pulse.next(true);
        smallest = std::min(smallest, scale);
        largest = std::max(largest, scale);
    }
    EXPECT_NEAR(largest, 1.55f, 1e-4f);
    EXPECT_GT(smallest, 0.94f);
    EXPECT_LT(smallest, 1.0f);

    // The icon: only a 16 x 16 image that loads; a smaller one or none keeps the default.
    const std::string folder = std::filesystem::temp_directory_path() / "vantorel-icon-test";
    std::filesystem::create_directories(folder);
    sf::Image small, exact, icon;
    small.create(8, 8, sf::Color::Red);
    exact.create(16, 16, sf::Color::Red);
    small.saveToFile(folder + "/small.png");
    exact.saveToFile(folder + "/exact.png");
    EXPECT_FALSE(set_window_icon(window, icon, folder + "/missing.png"));
    EXPECT_FALSE(set_window_icon(window, icon, folder + "/small.png"));
    EXPECT_TRUE(set_window_icon(window, icon, folder + "/exact.png"));
    EXPECT_TRUE(set_window_icon(window, icon, "Graphics/Game/Menus/winicon.png"));

    // An unusable resolution opens the 800 x 600 the simulation falls back to.
    for (auto [w, h, shown_w, shown_h] : {std::array{0, 600, 800, 600},
                                          {-1024, 768, 800, 600},
                                          {20000, 600, 800, 600},
                                          {1024, 768, 1024, 768},
                                          {8000, 8000, 800, 600}}) {
        settings.resolution_width = w;
        settings.resolution_height = h;
        EXPECT_EQ(window_size_for_settings(), sf::Vector2u(unsigned(shown_w), unsigned(shown_h))) << w << " x " << h;
    }
    EXPECT_EQ(texel_for(800, 600), 1.0f / 1024);
    EXPECT_EQ(texel_for(1024, 768), 1.0f / 1024);
    EXPECT_EQ(texel_for(1025, 600), 1.0f / 2048);
}

TEST(WindowDrawing, UnusableShaderDrawsFramesAsTheyAre) {
    std::filesystem::current_path(VANTOREL_GAME_DIR);
    settings = Settings{};
    sf::RenderWindow window(sf::VideoMode(800, 600), "Vantorel test", sf::Style::Titlebar | sf::Style::Close);
    ASSERT_TRUE(frame_canvas.create({800, 600}));
    sf::RenderTexture scene;
    ASSERT_TRUE(scene.create(800, 600));
    const auto shown = [&] {
        scene.clear(sf::Color::Black);
        sf::RectangleShape line({400, 2});
        line.setPosition(200, 300);
        scene.draw(line);
        scene.display();
        frame_canvas.take_scene(scene.getTexture());
        frame_canvas.present(window);
        return frame_canvas.shown().copyToImage();
    };
    settings.use_shader = 0;
    const sf::Image plain = shown();
    EXPECT_TRUE(near(plain.getPixel(400, 300), {255, 255, 255}));
    EXPECT_TRUE(near(plain.getPixel(400, 303), {0, 0, 0}));
    // use_shader 0 also leaves the menus' frames as drawn.
    frame_canvas.clear();
    frame_canvas.target().clear(sf::Color::Blue);
    frame_canvas.shader_pass();
    frame_canvas.present(window);
    EXPECT_TRUE(near(frame_canvas.shown().copyToImage().getPixel(10, 10), {0, 0, 255}));

    // A shader file that is not there: on, but frames come out as drawn.
    settings.use_shader = 1;
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    load_post_shader(800, 600);
    const sf::Image missing = shown();
    EXPECT_EQ(missing.getPixel(400, 300), plain.getPixel(400, 300));
    EXPECT_EQ(missing.getPixel(400, 303), plain.getPixel(400, 303));
    EXPECT_EQ(missing.getPixel(10, 10), plain.getPixel(10, 10));
}

TEST(WindowDrawing, AMapThatDoesNotLoadIsNeverPlayed) {
    settings = Settings{};
    sf::RenderWindow window(sf::VideoMode(800, 600), "Vantorel test", sf::Style::Titlebar | sf::Style::Close);
    const std::string broken = "this is no map";
    for (const GameResult& r :
         {run_game(window, "9"), run_game(window, ""), run_game(window, "maps/broken.txt", &broken)}) {
        EXPECT_EQ(r.end, GameEnd::failed);
        EXPECT_FALSE(r.error.empty());
    }
    EXPECT_FALSE(world.has_grid());
    EXPECT_TRUE(window.isOpen());
}

// A map the loader accepts whose grid memory cannot hold (here, under an
// address-space limit just above what the process already uses) is refused
// with a reason, holds nothing afterwards, and the next map plays.
TEST(WindowDrawing, AMapTooLargeForMemoryIsRefusedAndTheProgramGoesOn) {
    settings = Settings{};
    sf::RenderWindow window(sf::VideoMode(800, 600), "Vantorel test", sf::Style::Titlebar | sf::Style::Close);
    const std::string huge = "7000 7000 100 100 200 100 0 0 0 0 0 ";  // 49 million cells, about 245 MB
    long pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    ASSERT_GT(pages, 0);
    rlimit saved{};
    getrlimit(RLIMIT_AS, &saved);
    rlimit tight = saved;
    tight.rlim_cur = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (64u << 20);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &tight), 0);
    GameResult r;
    try {
        r = run_game(window, "Maps/huge.txt", &huge);
    } catch (...) {
        setrlimit(RLIMIT_AS, &saved);
        FAIL() << "an exception left run_game";
    }
    setrlimit(RLIMIT_AS, &saved);
    EXPECT_EQ(r.end, GameEnd::failed);
    EXPECT_NE(r.error.find("memory"), std::string::npos) << r.error;
    EXPECT_FALSE(world.has_grid());
    EXPECT_TRUE(window.isOpen());
    std::string why;
    EXPECT_TRUE(start_game(map_text_for_name("1"), why)) << why;  // freed as soon as it is known to start
}
