// What the window scenarios share: where the menus' entries and buttons lie in
// the 800 x 600 window, how to choose them the way a player does (waiting for
// the highlight, as the menus act on what the frame before the click lit), and
// what shows that a screen is up.
#pragma once

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/update.hpp"
#include "support/game_window.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace fs = std::filesystem;

inline const sf::Color white(255, 255, 255), grey(50, 50, 50), green(0, 255, 0), cyan(0, 255, 255), red(255, 0, 0);

// The title's entries: where the pointer goes to choose one, and a pixel near
// the top of its row, left of the words, which turns cyan while the pointer is
// over that entry. Rows are 64 px high every 60 px from y = 280.
struct TitleEntry {
    const char* name;
    int pointer_y, highlight_y;
};
inline constexpr TitleEntry play_game{"play-game", 300, 288}, custom_maps{"custom-maps", 370, 348},
    controls{"controls", 430, 408}, story{"story", 490, 468}, quit{"quit", 560, 528};
inline constexpr int title_entry_x = 400, title_edge_x = 150;
// The top edge of the first row, and the foot of the last, which runs past the red panel (it ends at y = 579).
inline constexpr int play_game_edge_y = 282, quit_edge_y = 582;

// The top edge of map button `n`'s outline (1-based, first row): white when
// unlocked, grey when locked, green under the pointer.
inline int button_edge_x(int n) { return 20 + 96 * (n - 1) + 40; }
inline constexpr int button_edge_y = 63, button_y = 80;

// The go-back hot spot every menu screen has in its top left corner.
inline constexpr int go_back_x = 20, go_back_y = 10;

// A pixel of the cyan frame around the controls menu's prompt, and of the story page's frame.
inline constexpr int controls_frame_x = 150, story_frame_x = 148, frame_y = 300;

// The message line at the foot of the custom-map screen.
inline constexpr Box message_line{0, 570, 800, 30};

// controls.cfg after binding jump, duck, left, right to i, k, j, l, shoot to
// the middle button and the shield to e.
inline const std::string rebound = "k105k107k106k108m2k101";

// Starts the program with the shader off, so colours can be checked exactly.
inline bool start_plain(GameWindow& program) {
    program.set_config("use_shader", 0);
    return program.start();
}

// Whether a colour is clearly cyan or green, also through the shader.
inline bool cyan_like(sf::Color c) { return c.g > c.r + 50 && c.b > c.r + 50; }
inline bool green_like(sf::Color c) { return c.g > c.r + 50 && c.g > c.b + 50; }

// Chooses a title entry. The title acts on the entry lit in the frame before
// the click, so the click waits until the pointer has lit it.
inline void choose(GameWindow& program, const TitleEntry& entry) {
    program.move(title_entry_x, entry.pointer_y);
    EXPECT_TRUE(program.wait_for(std::string("title-over-") + entry.name, "the entry lit", [&](const sf::Image& shot) {
        return cyan_like(shot.getPixel(title_edge_x, entry.highlight_y));
    }));
    program.click_here();
}

// Chooses map `n` on map selection, once the pointer has lit its button (the
// screen, too, acts on the button lit in the frame before the click).
inline void choose_map(GameWindow& program, int n) {
    program.move(button_edge_x(n), button_y);
    EXPECT_TRUE(program.wait_for("map-select-over-" + std::to_string(n), "the button lit", [&](const sf::Image& shot) {
        return green_like(shot.getPixel(unsigned(button_edge_x(n)), button_edge_y));
    }));
    program.click_here();
}

// Whether map selection shows, with map 1 open: its outline bright (also through the shader).
inline bool map_selection_shows(const sf::Image& shot) {
    const sf::Color edge = shot.getPixel(unsigned(button_edge_x(1)), button_edge_y);
    return edge.r > 150 && edge.g > 150 && edge.b > 150;
}

// Whether a game shows: the green health bar at the top left.
inline bool game_shows(const sf::Image& shot) { return count_in(shot, {5, 5, 100, 20}, Tint::green) > 500; }

// Chooses quit on the title and expects the program to end cleanly.
inline void quit_from_title(GameWindow& program) {
    choose(program, quit);
    EXPECT_EQ(program.exit_status(), 0) << "quit game";
}

// Whether the folder holds a temporary file the controls menu writes through.
inline bool controls_temporary_left(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".controls", 0) == 0) return true;
    return false;
}

// Where map 1 shows the player once it has landed and stands still, window
// px, at the shipped settings: the simulation run headless for two seconds.
inline sf::Vector2i player_at_start() {
    settings = Settings{};
    std::string why;
    const auto loaded = start_game(map_text_for_name("1"), why);
    EXPECT_TRUE(loaded) << why;
    for (int i = 0; i < 120; ++i) update_step(UpdateInput{});
    return {world.player.x + world.camera_x, world.player.y + world.camera_y};
}

// Bright pixels (some channel above 60) in the player-sized box around `at`.
inline int lit_around(const sf::Image& picture, sf::Vector2i at) {
    int lit = 0;
    for (int y = at.y - 32; y < at.y + 32; ++y)
        for (int x = at.x - 16; x < at.x + 16; ++x) {
            if (x < 0 || y < 0 || x >= int(picture.getSize().x) || y >= int(picture.getSize().y)) continue;
            const sf::Color c = picture.getPixel(unsigned(x), unsigned(y));
            lit += std::max({c.r, c.g, c.b}) > 60;
        }
    return lit;
}

inline std::vector<fs::path> files_in(const fs::path& folder) {
    std::vector<fs::path> found;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path());
    return found;
}

// Gives the program time to see a held key or to draw a few frames.
inline void sleep_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }
