// The real program played the way a player would, one scenario per test: each
// starts the program in a fresh copy of the game folder under this program's
// own X server, drives it with xdotool, checks what the window shows and what
// the program writes, and requires a clean exit. The pictures each scenario
// takes stay in window-pictures/<scenario>/ of the build folder.
//
// Window positions are px of the 800 x 600 window. Exact colours are checked
// with the shader off (use_shader 0); the one scenario that keeps it on checks
// which channel leads instead.
#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/update.hpp"
#include "support/game_window.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace fs = std::filesystem;

namespace {

const sf::Color white(255, 255, 255), grey(50, 50, 50), green(0, 255, 0), cyan(0, 255, 255), red(255, 0, 0);

// The title's entries: where the pointer goes to choose one, and a pixel near
// the top of its row, left of the words, which turns cyan while the pointer is
// over that entry. Rows are 64 px high every 60 px from y = 280.
struct TitleEntry {
    const char* name;
    int pointer_y, highlight_y;
};
constexpr TitleEntry play_game{"play-game", 300, 288}, custom_maps{"custom-maps", 370, 348},
    controls{"controls", 430, 408}, story{"story", 490, 468}, quit{"quit", 560, 528};
constexpr int title_entry_x = 400, title_edge_x = 150;
// The top edge of the first row, and the foot of the last, which runs past the red panel (it ends at y = 579).
constexpr int play_game_edge_y = 282, quit_edge_y = 582;

// The top edge of map button `n`'s outline (1-based, first row): white when
// unlocked, grey when locked, green under the pointer.
int button_edge_x(int n) { return 20 + 96 * (n - 1) + 40; }
constexpr int button_edge_y = 63, button_y = 80;

// The go-back hot spot every menu screen has in its top left corner.
constexpr int go_back_x = 20, go_back_y = 10;

// A pixel of the cyan frame around the controls menu's prompt, and of the story page's frame.
constexpr int controls_frame_x = 150, story_frame_x = 148, frame_y = 300;

// The message line at the foot of the custom-map screen.
constexpr Box message_line{0, 570, 800, 30};

// controls.cfg after binding jump, duck, left, right to i, k, j, l, shoot to
// the middle button and the shield to e.
const std::string rebound = "k105k107k106k108m2k101";

// Starts the program with the shader off, so colours can be checked exactly.
bool start_plain(GameWindow& game) {
    game.set_config("use_shader", 0);
    return game.start();
}

// Whether a colour is clearly cyan or green, also through the shader.
bool cyan_like(sf::Color c) { return c.g > c.r + 50 && c.b > c.r + 50; }
bool green_like(sf::Color c) { return c.g > c.r + 50 && c.g > c.b + 50; }

// Chooses a title entry. The title acts on the entry lit in the frame before
// the click, so the click waits until the pointer has lit it.
void choose(GameWindow& game, const TitleEntry& entry) {
    game.move(title_entry_x, entry.pointer_y);
    EXPECT_TRUE(game.wait_for(std::string("title-over-") + entry.name, "the entry lit", [&](const sf::Image& shot) {
        return cyan_like(shot.getPixel(title_edge_x, entry.highlight_y));
    }));
    game.click_here();
}

// Chooses map `n` on map selection, once the pointer has lit its button (the
// screen, too, acts on the button lit in the frame before the click).
void choose_map(GameWindow& game, int n) {
    game.move(button_edge_x(n), button_y);
    EXPECT_TRUE(game.wait_for("map-select-over-" + std::to_string(n), "the button lit", [&](const sf::Image& shot) {
        return green_like(shot.getPixel(unsigned(button_edge_x(n)), button_edge_y));
    }));
    game.click_here();
}

// Whether map selection shows, with map 1 open: its outline bright (also through the shader).
bool map_selection_shows(const sf::Image& shot) {
    const sf::Color edge = shot.getPixel(unsigned(button_edge_x(1)), button_edge_y);
    return edge.r > 150 && edge.g > 150 && edge.b > 150;
}

// Whether a game shows: the green health bar at the top left.
bool game_shows(const sf::Image& shot) { return count_in(shot, {5, 5, 100, 20}, Tint::green) > 500; }

// Chooses quit on the title and expects the program to end cleanly.
void quit_from_title(GameWindow& game) {
    choose(game, quit);
    EXPECT_EQ(game.exit_status(), 0) << "quit game";
}

// Whether the folder holds a temporary file the controls menu writes through.
bool controls_temporary_left(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().rfind(".controls", 0) == 0) return true;
    return false;
}

// Where map 1 shows the player once it has landed and stands still, window
// px, at the shipped settings: the simulation run headless for two seconds.
sf::Vector2i player_at_start() {
    settings = Settings{};
    std::string why;
    const auto loaded = start_game(map_text_for_name("1"), why);
    EXPECT_TRUE(loaded) << why;
    for (int i = 0; i < 120; ++i) update_step(UpdateInput{});
    return {world.player.x + world.camera_x, world.player.y + world.camera_y};
}

// Bright pixels (some channel above 60) in the player-sized box around `at`.
int lit_around(const sf::Image& picture, sf::Vector2i at) {
    int lit = 0;
    for (int y = at.y - 32; y < at.y + 32; ++y)
        for (int x = at.x - 16; x < at.x + 16; ++x) {
            if (x < 0 || y < 0 || x >= int(picture.getSize().x) || y >= int(picture.getSize().y)) continue;
            const sf::Color c = picture.getPixel(unsigned(x), unsigned(y));
            lit += std::max({c.r, c.g, c.b}) > 60;
        }
    return lit;
}

std::vector<fs::path> files_in(const fs::path& folder) {
    std::vector<fs::path> found;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder)) found.push_back(entry.path());
    return found;
}

}  // namespace

TEST_F(WindowTest, TitleHighlightsTheEntryUnderThePointerAndQuitEndsTheProgram) {
    ASSERT_TRUE(start_plain(game));
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-play", title_edge_x, play_game_edge_y, cyan));
    game.move(title_entry_x, quit.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-quit", title_edge_x, quit_edge_y, cyan));
    game.move(700, 100);
    EXPECT_TRUE(game.wait_for_pixel("title", title_edge_x, play_game_edge_y, red));
    quit_from_title(game);
}

TEST_F(WindowTest, MapSelectionUnlocksWhatTheSaveHoldsAndAGameLeftEarlyKeepsIt) {
    ASSERT_TRUE(start_plain(game));

    // Without a save only map 1 is open, and a locked map starts nothing.
    choose(game, play_game);
    EXPECT_TRUE(game.wait_for_pixel("map-select-no-save", button_edge_x(1), button_edge_y, white));
    const sf::Image no_save = game.picture("map-select-no-save");
    for (int n = 2; n <= 5; ++n)
        EXPECT_EQ(no_save.getPixel(button_edge_x(n), button_edge_y), grey) << "button " << n << " without a save";
    game.click(button_edge_x(2), button_y);
    EXPECT_TRUE(game.wait_for_pixel("map-select-locked-click", button_edge_x(1), button_edge_y, white));
    game.key("Escape");
    EXPECT_TRUE(game.wait_for_pixel("title-again", title_edge_x, play_game_edge_y, red))
        << "the pointer is above the entries: no highlight";

    // A save of 2 opens maps 1 to 3.
    game.write_file("Saves/demo.sav", "2");
    choose(game, play_game);
    EXPECT_TRUE(game.wait_for_pixel("map-select-save-2", button_edge_x(3), button_edge_y, white));
    const sf::Image save_2 = game.picture("map-select-save-2");
    EXPECT_EQ(save_2.getPixel(button_edge_x(1), button_edge_y), white);
    EXPECT_EQ(save_2.getPixel(button_edge_x(4), button_edge_y), grey);
    game.move(button_edge_x(2), button_y);
    EXPECT_TRUE(game.wait_for_pixel("map-select-hover", button_edge_x(2), button_edge_y, green));

    // Map 1, left at once through the pause menu: back on map selection, the save untouched.
    const sf::Vector2i start = player_at_start();
    choose_map(game, 1);
    EXPECT_TRUE(game.wait_for("game-map-1", "the player at map 1's start",
                              [&](const sf::Image& shot) { return game_shows(shot) && lit_around(shot, start) > 40; }));
    game.key("Escape");
    EXPECT_TRUE(game.wait_for("pause-menu", "the pause menu's red panel", [](const sf::Image& shot) {
        const sf::Color panel = shot.getPixel(300, 340);
        return panel.r > panel.b;
    }));
    game.click(400, 396);  // the exit button
    EXPECT_TRUE(game.wait_for_pixel("map-select-after-game", button_edge_x(1), button_edge_y, white));
    EXPECT_EQ(game.read_file("Saves/demo.sav"), "2") << "leaving a game changed the save";
    game.click(go_back_x, go_back_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-map-select", title_edge_x, play_game_edge_y, red));

    game.request_close();
    EXPECT_EQ(game.exit_status(), 0);
}

// With the shipped settings, shader on: play map 1, walk, take screenshots,
// pause, leave the map through the pause menu and close the window.
TEST_F(WindowTest, MapOneWalkedPicturedPausedLeftAndClosed) {
    const sf::Vector2i start = player_at_start();
    ASSERT_TRUE(game.start());
    EXPECT_EQ(game.window_size(), sf::Vector2u(800, 600));
    // The title menu's Play Game, then map 1 on map selection.
    choose(game, play_game);
    EXPECT_TRUE(game.wait_for("map-select", "map selection", map_selection_shows));
    choose_map(game, 1);
    game.move(600, 300);
    int standing = 0;
    EXPECT_TRUE(game.wait_for("game-start", "the player drawn where map 1 starts",
                              [&](const sf::Image& shot) { return (standing = lit_around(shot, start)) > 40; }));

    // Walking right, the player leaves the spot it started on.
    game.key_down("d");
    EXPECT_TRUE(game.wait_for("game", "the player gone from its start",
                              [&](const sf::Image& shot) { return lit_around(shot, start) < standing / 3; }));
    game.key_up("d");

    // Two screenshots in quick succession are two files of the window's size.
    game.key("F12 F12");
    const fs::path screenshots = game.folder() / "Screenshots";
    EXPECT_TRUE(wait_until(
        [&] {
            const std::vector<fs::path> shots = files_in(screenshots);
            return shots.size() >= 2 && std::all_of(shots.begin(), shots.end(), [](const fs::path& shot) {
                       sf::Image saved;
                       return saved.loadFromFile(shot.string());
                   });
        },
        10));
    const std::vector<fs::path> shots = files_in(screenshots);
    ASSERT_EQ(shots.size(), 2u);
    const std::regex name(
        R"(1 [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] [0-2][0-9];[0-5][0-9];[0-6][0-9] [0-9]{4}( 2)?\.png)");
    for (const fs::path& shot : shots) {
        EXPECT_TRUE(std::regex_match(shot.filename().string(), name)) << shot.filename();
        sf::Image saved;
        ASSERT_TRUE(saved.loadFromFile(shot.string())) << shot;
        EXPECT_EQ(saved.getSize(), sf::Vector2u(800, 600));
    }

    // Pause, then leave the map through the menu's exit button.
    game.key("Escape");
    game.move(400, 300);  // over the return button's lower edge
    EXPECT_TRUE(game.wait_for("pause", "the restart row's red panel, not hovered", [](const sf::Image& shot) {
        const sf::Color panel = shot.getPixel(300, 340);
        return panel.r > panel.b;
    }));
    game.move(400, 396);
    EXPECT_TRUE(game.wait_for("pause-over-exit", "the exit row lit cyan under the pointer", [](const sf::Image& shot) {
        const sf::Color row = shot.getPixel(300, 420);
        return row.b > row.r;
    }));
    game.click_here();
    EXPECT_TRUE(game.wait_for("after-leaving", "map selection", map_selection_shows));

    // The close button ends the program cleanly and soon.
    game.request_close();
    EXPECT_EQ(game.exit_status(5), 0);
}

TEST_F(WindowTest, ControlsRebindAllSixActionsAndAnAbandonedPassChangesNothing) {
    ASSERT_TRUE(start_plain(game));

    // Keys and a mouse button, in the order jump, duck, left, right, shoot, shield.
    choose(game, controls);
    ASSERT_TRUE(game.wait_for_pixel("controls-menu", controls_frame_x, frame_y, cyan));
    for (const char* key : {"i", "k", "j", "l"}) game.key(key);
    game.click_here(2);
    game.key("e");
    EXPECT_TRUE(wait_until([&] { return game.read_file("controls.cfg") == rebound; }, 10))
        << "controls.cfg holds '" << game.read_file("controls.cfg") << "'";
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-controls", title_edge_x, play_game_edge_y, cyan));

    // Escape halfway through a pass: the file stays as it was, and no temporary file is left behind.
    choose(game, controls);
    ASSERT_TRUE(game.wait_for_pixel("controls-menu-again", controls_frame_x, frame_y, cyan));
    game.key("w");
    game.key("s");
    game.key("Escape");
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-abandoned-controls", title_edge_x, play_game_edge_y, cyan));
    EXPECT_EQ(game.read_file("controls.cfg"), rebound) << "an abandoned pass rewrote controls.cfg";
    EXPECT_FALSE(controls_temporary_left(game.folder()));

    quit_from_title(game);
}

TEST_F(WindowTest, StoryPageLeftByEscapeAndByHoldingGoBack) {
    ASSERT_TRUE(start_plain(game));
    choose(game, story);
    ASSERT_TRUE(game.wait_for_pixel("story-page", story_frame_x, frame_y, cyan));
    game.key("Escape");
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-story", title_edge_x, play_game_edge_y, cyan));

    choose(game, story);
    ASSERT_TRUE(game.wait_for_pixel("story-page-again", story_frame_x, frame_y, cyan));
    game.move(go_back_x, go_back_y);
    game.button_down();
    game.button_up();
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-story-go-back", title_edge_x, play_game_edge_y, cyan));

    quit_from_title(game);
}

TEST_F(WindowTest, CustomMapsRefuseABrokenMapAndPlayTheExampleToItsExit) {
    game.write_file("Maps/broken.txt", "100 100 50\n");
    game.write_file("controls.cfg", rebound);  // right is l, as a player bound it in the controls menu
    game.write_file("Saves/demo.sav", "2");
    ASSERT_TRUE(start_plain(game));

    choose(game, custom_maps);
    EXPECT_TRUE(game.wait_for_count("custom-maps", {144, 64, 512, 64}, Tint::lit, 200))
        << "two rows: broken.txt, first-steps.txt";
    game.click(300, 80);
    EXPECT_TRUE(game.wait_for_count("custom-map-refused", message_line, Tint::red, 50)) << "the refusal line";
    game.click(300, 114);
    ASSERT_TRUE(game.wait_for("custom-map-playing", "the game", game_shows));
    game.key("F12");  // a screenshot, named after the map's file
    game.key_down("l");
    EXPECT_TRUE(game.wait_for_count("custom-map-won", message_line, Tint::green, 50, 40))
        << "back on the list, the success line";
    game.key_up("l");
    EXPECT_EQ(game.read_file("Saves/demo.sav"), "2") << "a custom map touched the save";
    const std::vector<fs::path> shots = files_in(game.folder() / "Screenshots");
    EXPECT_TRUE(std::any_of(shots.begin(), shots.end(), [](const fs::path& shot) {
        return shot.filename().string().find("first-steps") != std::string::npos;
    })) << "no screenshot named after first-steps.txt";
    game.key("Escape");

    quit_from_title(game);
}

TEST_F(WindowTest, WithoutAMapsFolderTheCustomMapScreenSaysSoAndGoesBack) {
    fs::remove_all(game.folder() / "Maps");
    ASSERT_TRUE(start_plain(game));
    choose(game, custom_maps);
    EXPECT_TRUE(game.wait_for_count("custom-maps-empty", {0, 260, 800, 80}, Tint::lit, 200));
    game.click(go_back_x, go_back_y);
    game.move(title_entry_x, play_game.pointer_y);
    EXPECT_TRUE(game.wait_for_pixel("title-after-empty-custom", title_edge_x, play_game_edge_y, cyan));
    quit_from_title(game);
}

TEST_F(WindowTest, CloseRequestDuringTheControlsMenuWritesNothing) {
    game.write_file("controls.cfg", rebound);
    ASSERT_TRUE(start_plain(game));
    choose(game, controls);
    ASSERT_TRUE(game.wait_for_pixel("controls-menu", controls_frame_x, frame_y, cyan));
    game.key("q");
    game.request_close();
    EXPECT_EQ(game.exit_status(), 0) << "close during the controls menu";
    EXPECT_EQ(game.read_file("controls.cfg"), rebound) << "closing during the controls menu rewrote controls.cfg";
    EXPECT_FALSE(controls_temporary_left(game.folder()));
}
