// A game folder a player or a broken disk left hostile: the save a folder, a
// pipe among the title tracks, a map with a NUL byte after its text, a
// read-only controls.cfg. The program starts, says on each screen's bottom
// line what it cannot do, refuses what map info refuses, and overwrites nothing.
#include <filesystem>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "window/scenarios.hpp"

namespace fs = std::filesystem;

namespace {

// The bottom lines where map selection and the title tell what they could not do.
constexpr Box map_select_notice{0, 568, 800, 32}, title_notice{136, 582, 592, 18};

}  // namespace

TEST_F(WindowTest, AHostileGameFolderIsReportedOnScreenAndOverwritesNothing) {
    const fs::path folder = game.folder();
    fs::remove_all(folder / "Saves" / "demo.sav");
    fs::create_directories(folder / "Saves" / "demo.sav");
    fs::create_directories(folder / "Music" / "Title");
    ASSERT_EQ(::mkfifo((folder / "Music" / "Title" / "pipe.ogg").c_str(), 0644), 0);
    game.write_file("Maps/nul.txt", std::string("3000 400\n100 300\n2900 300\n1\n0 332 3000 332 1\n0\n0\n0\n0\n") +
                                        std::string(1, '\0'));
    game.write_file("controls.cfg", rebound);
    fs::permissions(folder / "controls.cfg", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    ASSERT_TRUE(start_plain(game)) << "a pipe among the title tracks held the start";
    const int notice_before = count_in(game.picture("title"), title_notice, Tint::red);
    choose(game, play_game);
    ASSERT_TRUE(game.wait_for("map-select", "map selection", map_selection_shows));
    EXPECT_TRUE(game.wait_for_count("map-select-unreadable-save", map_select_notice, Tint::red, 30))
        << "no word that wins will not be saved";
    game.key("Escape");

    choose(game, custom_maps);
    game.click(300, 64 + 34 + 10);  // the second row: first-steps.txt, then nul.txt
    EXPECT_TRUE(game.wait_for_count("custom-map-nul-refused", message_line, Tint::red, 50))
        << "a map with a NUL byte after its text was not refused";
    game.key("Escape");

    choose(game, controls);
    ASSERT_TRUE(game.wait_for_pixel("controls-menu", controls_frame_x, frame_y, cyan));
    for (const char* key : {"w", "s", "a", "d"}) game.key(key);
    game.click_here(1);
    game.key("q");
    EXPECT_TRUE(game.wait_for_count("title-bindings-not-saved", title_notice, Tint::red, notice_before + 30))
        << "no word that the bindings were not saved";
    EXPECT_EQ(game.read_file("controls.cfg"), rebound) << "a read-only controls.cfg was replaced";
    EXPECT_TRUE(fs::is_directory(folder / "Saves" / "demo.sav"));

    quit_from_title(game);
}
