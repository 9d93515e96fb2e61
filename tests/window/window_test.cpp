// The real program played the way a player would, one scenario per test: each
// starts the program in a fresh copy of the game folder under this program's
// own X server, drives it with xdotool, checks what the window shows and what
// the program writes, and requires a clean exit. The pictures each scenario
// takes stay in window-pictures/<scenario>/ of the build folder.
//
// Window positions are px of the 800 x 600 window. Exact colours are checked
// with the shader off (use_shader 0); the one scenario that keeps it on checks
// which channel leads instead.
#include <regex>

#include "window/scenarios.hpp"

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
