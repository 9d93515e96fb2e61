// The map editor played the way a player makes a level: from the title to the
// custom-map screen, a new map drawn, saved through the name prompt, checked
// with vantorel-tool, played with F5 and won, and back in the editor and the
// list; then a copy of built-in map 4 opened and left. The pictures of each
// step stay in window-pictures/<scenario>/.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

#include "window/scenarios.hpp"

namespace {

// The map editor at 800 x 600: a pixel of the wall tool's button outline
// (green while that tool is in hand), the status line's second row (green
// when the game loads the map or a command went well), the top edge of the
// name prompt's frame, and the custom-map screen's New map and Copy built-in
// controls.
constexpr int wall_button_x = 18, wall_button_y = 1;
constexpr Box editor_result_line{0, 578, 800, 22};
constexpr Box name_prompt_top{140, 234, 520, 1};
constexpr Box editing_controls{530, 14, 262, 30};

// What `vantorel-tool ARGUMENTS` prints on its standard output.
std::string run_tool(const std::string& arguments) {
    const std::string command = std::string(VANTOREL_TOOL_PATH) + " " + arguments + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> out(popen(command.c_str(), "r"), pclose);
    std::string printed;
    std::array<char, 256> chunk{};
    while (out && fgets(chunk.data(), static_cast<int>(chunk.size()), out.get())) printed += chunk.data();
    return printed;
}

// Whether the editor shows the player standing at (x, y): the start drawn there, and the toolbar.
auto start_shown_at(int x, int y) {
    return [x, y](const sf::Image& shot) {
        return lit_around(shot, {x, y}) > 100 && count_in(shot, {0, 0, 800, 36}, Tint::lit) > 2000;
    };
}

}  // namespace

TEST_F(WindowTest, AMapMadeInTheEditorIsSavedLoadsAndIsWonByWalkingRight) {
    ASSERT_TRUE(start_plain(game));
    choose(game, custom_maps);
    EXPECT_TRUE(game.wait_for_count("custom-maps", editing_controls, Tint::lit, 100))
        << "the New map and Copy built-in controls";

    game.key("n");
    EXPECT_TRUE(game.wait_for_pixel("editor-new", wall_button_x, wall_button_y, green)) << "the wall tool in hand";
    EXPECT_TRUE(game.wait_for("editor-new-start", "the start at (100, 300)", start_shown_at(100, 300)));

    game.key("1");
    game.move(40, 500);
    game.button_down();
    game.move(400, 500);
    game.move(760, 500);
    game.button_up();
    EXPECT_TRUE(game.wait_for_count("editor-wall", {40, 498, 720, 4}, Tint::lit, 720 * 3)) << "a wall along y = 500";
    game.key("s");
    game.click(100, 460);
    EXPECT_TRUE(game.wait_for("editor-start", "the start at (100, 460)", start_shown_at(100, 460)));
    game.key("x");
    game.click(700, 460);
    EXPECT_TRUE(game.wait_for("editor-exit", "the exit at (700, 460)", [](const sf::Image& shot) {
        return lit_around(shot, {700, 460}) > 300;
    }));

    game.key("ctrl+s");
    EXPECT_TRUE(game.wait_for_count("editor-name-prompt", name_prompt_top, Tint::lit, 400));
    for (const char* key : {"e", "2", "e", "minus", "m", "a", "d", "e"}) game.key(key);
    game.picture("editor-name-typed");
    game.key("Return");
    EXPECT_TRUE(game.wait_for_count("editor-saved", editor_result_line, Tint::green, 50)) << "Saved Maps/e2e-made.txt.";
    ASSERT_TRUE(wait_until([&] { return !game.read_file("Maps/e2e-made.txt").empty(); }, 10));
    EXPECT_EQ(game.read_file("Maps/e2e-made.txt"), "1600 800\n100 460\n700 460\n1\n40 500 760 500 1\n0\n0\n0\n0\n");
    const std::string info = run_tool("map info " + (game.folder() / "Maps" / "e2e-made.txt").string());
    EXPECT_NE(info.find("loaded true"), std::string::npos) << info;

    game.key("F5");
    ASSERT_TRUE(game.wait_for("editor-test-play", "the game", game_shows));
    game.key_down("d");
    EXPECT_TRUE(game.wait_for(
        "editor-after-win", "back in the editor at its view, the win on its status line",
        [](const sf::Image& shot) {
            return start_shown_at(100, 460)(shot) && count_in(shot, editor_result_line, Tint::green) > 50;
        },
        40));
    game.key_up("d");

    game.key("Escape");
    EXPECT_TRUE(game.wait_for_count("custom-maps-after-editor", message_line, Tint::green, 50))
        << "e2e-made.txt: saved by the editor.";
    EXPECT_TRUE(game.wait_for_count("custom-maps-listed", {144, 64, 440, 64}, Tint::lit, 400))
        << "two rows: e2e-made.txt, first-steps.txt";

    // O and a digit open a copy of built-in map 4; unchanged, Escape leaves at once.
    game.key("o");
    game.key("4");
    EXPECT_TRUE(game.wait_for_pixel("editor-map-4", wall_button_x, wall_button_y, green));
    EXPECT_TRUE(game.wait_for("editor-map-4-drawn", "map 4's walls and objects", [](const sf::Image& shot) {
        return count_in(shot, {0, 40, 800, 520}, Tint::lit) > 5000;
    }));
    // Four steps of the wheel down show it at a quarter size: far more of it lit.
    game.move(20, 60);
    for (int step = 0; step < 4; ++step) game.click_here(5);
    EXPECT_TRUE(game.wait_for("editor-map-4-quarter", "map 4 at a quarter size", [](const sf::Image& shot) {
        return count_in(shot, {0, 40, 800, 520}, Tint::lit) > 20000;
    }));
    game.key("Escape");
    EXPECT_TRUE(game.wait_for_count("custom-maps-after-map-4", editing_controls, Tint::lit, 100));
    game.key("Escape");
    quit_from_title(game);
}
