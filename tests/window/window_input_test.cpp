// What the window does with a player's input beyond the menus' choices: held
// keys act once, another window's focus holds nothing and pauses the game, a
// screenshot is the frame the window shows, and a full-screen window at a mode
// the display lacks shows every screen scaled to fit, letterboxed.
#include <algorithm>
#include <filesystem>
#include <vector>

#include <gtest/gtest.h>

#include "window/scenarios.hpp"

namespace fs = std::filesystem;

namespace {

// Whether the pause menu shows: its red panel behind the restart row, not hovered.
bool pause_shows(const sf::Image& shot) {
    const sf::Color panel = shot.getPixel(300, 340);
    return panel.r > 150 && panel.b < 100;
}

// A map where nothing moves but the player's arm: a floor, the exit far to the right.
const char* const still_map = "3000 400\n100 300\n2900 300\n1\n0 332 3000 332 1\n0\n0\n0\n0\n";

}  // namespace

TEST_F(WindowTest, HeldKeysActOnceAndAnotherWindowsFocusHoldsNothing) {
    const sf::Vector2i start = player_at_start();
    ASSERT_TRUE(start_plain(game));
    choose(game, play_game);
    choose_map(game, 1);
    game.move(600, 300);
    ASSERT_TRUE(game.wait_for("playing", "the player at map 1's start",
                              [&](const sf::Image& shot) { return game_shows(shot) && lit_around(shot, start) > 40; }));

    // Escape held for two seconds opens the pause menu once; it stays open and steady.
    game.key_down("Escape");
    EXPECT_TRUE(game.wait_for("escape-held", "the pause menu", pause_shows));
    for (int i = 0; i < 8; ++i) {
        sleep_ms(250);
        EXPECT_TRUE(pause_shows(game.picture("escape-held-" + std::to_string(i))))
            << "after " << (i + 1) * 250 << " ms";
    }
    game.key_up("Escape");
    sleep_ms(300);
    EXPECT_TRUE(pause_shows(game.picture("escape-released")));
    game.key("Escape");
    EXPECT_TRUE(game.wait_for("resumed", "the game again", game_shows));

    // F12 held for two seconds writes one screenshot.
    game.key_down("F12");
    sleep_ms(2000);
    game.key_up("F12");
    const fs::path screenshots = game.folder() / "Screenshots";
    EXPECT_TRUE(wait_until([&] { return !files_in(screenshots).empty(); }, 10));
    sleep_ms(500);
    EXPECT_EQ(files_in(screenshots).size(), 1u);

    // Another window takes the focus: the game pauses, and a key pressed there moves nothing.
    game.focus_elsewhere();
    EXPECT_TRUE(game.wait_for("focus-lost", "the pause menu once the focus went", pause_shows));
    game.key_down("d");
    sleep_ms(1500);
    game.key_up("d");
    game.focus_back();
    game.key("Escape");
    EXPECT_TRUE(game.wait_for("focus-back", "the game again", game_shows));
    sleep_ms(500);
    EXPECT_GT(lit_around(game.picture("not-moved"), start), 40) << "a key pressed in another window moved the player";

    game.request_close();
    EXPECT_EQ(game.exit_status(), 0);
}

TEST_F(WindowTest, AScreenshotIsTheFrameTheWindowShows) {
    game.write_file("Maps/still.txt", still_map);
    ASSERT_TRUE(start_plain(game));
    choose(game, custom_maps);
    game.click(300, 64 + 34 + 10);  // the second row: first-steps.txt, then still.txt
    game.move(700, 150);
    ASSERT_TRUE(game.wait_for("playing", "the still map", game_shows));
    sleep_ms(1500);  // the player has landed
    game.key("F12");
    const fs::path screenshots = game.folder() / "Screenshots";
    ASSERT_TRUE(wait_until(
        [&] {
            const std::vector<fs::path> shots = files_in(screenshots);
            sf::Image saved;
            return shots.size() == 1 && saved.loadFromFile(shots[0].string());
        },
        10));
    const sf::Image window = game.picture("window");
    sf::Image saved;
    ASSERT_TRUE(saved.loadFromFile(files_in(screenshots)[0].string()));
    ASSERT_EQ(saved.getSize(), window.getSize());
    // The arm turns through its images frame by frame; everything else must match exactly.
    const Box arm{100 - 40, 300 - 48, 80, 96};
    int differing = 0, player_lit = 0;
    for (unsigned y = 0; y < saved.getSize().y; ++y)
        for (unsigned x = 0; x < saved.getSize().x; ++x) {
            const bool in_arm =
                int(x) >= arm.x && int(x) < arm.x + arm.width && int(y) >= arm.y && int(y) < arm.y + arm.height;
            if (in_arm)
                player_lit += std::max({saved.getPixel(x, y).r, saved.getPixel(x, y).g}) > 60;
            else
                differing += saved.getPixel(x, y) != window.getPixel(x, y);
        }
    EXPECT_EQ(differing, 0) << "the screenshot is not the frame the window shows";
    EXPECT_GT(player_lit, 40) << "the screenshot has no player where the game has it";
    game.request_close();
    EXPECT_EQ(game.exit_status(), 0);
}

TEST_F(WindowTest, FullScreenAtAModeTheDisplayLacksScalesEveryScreenToFit) {
    game.set_config("fullscreen", 1);
    ASSERT_TRUE(start_plain(game));
    const sf::Vector2u size = game.window_size();
    // The 800 x 600 picture scaled by the smaller ratio and centred.
    const float scale = std::min(float(size.x) / 800.0f, float(size.y) / 600.0f);
    const int left = int((float(size.x) - 800 * scale) / 2), top = int((float(size.y) - 600 * scale) / 2);
    const auto at = [&](int x, int y) {
        return sf::Vector2i(left + int(float(x) * scale), top + int(float(y) * scale));
    };
    ASSERT_GT(scale, 1.0f) << "the display has the 800 x 600 mode; nothing to scale";

    // The title, scaled: the pointer over Play Game lights its row where the scaled picture has it.
    const sf::Vector2i play = at(400, 300), lit = at(150, 290);
    game.move(play.x, play.y);
    EXPECT_TRUE(game.wait_for("title-scaled", "Play Game lit", [&](const sf::Image& shot) {
        return cyan_like(shot.getPixel(unsigned(lit.x), unsigned(lit.y)));
    }));
    const sf::Image title = game.picture("title-scaled");
    EXPECT_EQ(count_in(title, {0, 0, int(size.x), top}), 0) << "the bar above the picture is not black";
    EXPECT_EQ(count_in(title, {0, 0, left, int(size.y)}), 0) << "the bar left of it is not black";

    // A click where the scaled picture shows Story opens the story page.
    const sf::Vector2i story_entry = at(400, 490), frame = at(148, 300);
    game.move(story_entry.x, story_entry.y);
    EXPECT_TRUE(game.wait_for("title-over-story", "Story lit", [&](const sf::Image& shot) {
        const sf::Vector2i row = at(150, 468);
        return cyan_like(shot.getPixel(unsigned(row.x), unsigned(row.y)));
    }));
    game.click_here();
    EXPECT_TRUE(game.wait_for("story-scaled", "the story page's frame", [&](const sf::Image& shot) {
        return cyan_like(shot.getPixel(unsigned(frame.x), unsigned(frame.y)));
    }));
    game.key("Escape");
    game.request_close();
    EXPECT_EQ(game.exit_status(), 0);
}
