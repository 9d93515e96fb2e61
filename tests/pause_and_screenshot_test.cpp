// The pause menu's hot zones and the screenshot names, read against the rules
// for an 800 x 600 window (cx 400, cy 300) and for an odd-sized one.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/menu_layout.hpp"
#include "app/utf8_text.hpp"
#include "game/screenshot_name.hpp"

namespace fs = std::filesystem;

TEST(PauseLayout, ButtonsAndTheGapsBetweenThem) {
    struct Case {
        int32_t mx, my;
        PauseChoice button;
        bool pulses;
    };
    const Case cases[] = {
        {400, 237, pause_return, true},  {273, 299, pause_return, true}, {527, 250, pause_return, true},
        {400, 236, pause_none, false},   {400, 300, pause_none, true},   {400, 301, pause_restart, true},
        {400, 363, pause_restart, true}, {400, 364, pause_none, true},   {400, 365, pause_leave, true},
        {400, 427, pause_leave, true},   {400, 428, pause_none, false},  {272, 300 + 20, pause_none, false},
        {528, 320, pause_none, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(pause_button_at(c.mx, c.my, 800, 600), c.button) << c.mx << ", " << c.my;
        EXPECT_EQ(over_pause_buttons(c.mx, c.my, 800, 600), c.pulses) << c.mx << ", " << c.my;
    }
    // Halves are taken in integers: 801 x 601 centres on (400, 300) too.
    EXPECT_EQ(pause_button_at(400, 301, 801, 601), pause_restart);
    EXPECT_EQ(pause_button_top(pause_return, 600), 236);
    EXPECT_EQ(pause_button_top(pause_restart, 600), 300);
    EXPECT_EQ(pause_button_top(pause_leave, 600), 364);
    EXPECT_EQ(pause_button_top(pause_none, 600), 108);
}

TEST(ScreenshotName, BaseNamesPathsAndLaterShotsInTheSameSecond) {
    EXPECT_EQ(screenshot_base_name("3"), "3");
    EXPECT_EQ(screenshot_base_name("maps/custom.txt"), "custom");
    EXPECT_EQ(screenshot_base_name("C:\\maps.old\\cave.v2.txt"), "cave");
    EXPECT_EQ(screenshot_base_name("maps.d/plain"), "plain");
    EXPECT_EQ(screenshot_base_name("dir/"), "");

    const std::string when = "Mon Dec  7 03:11:09 2026";
    std::set<std::string> taken;
    const auto exists = [&taken](const std::string& p) { return taken.count(p) > 0; };
    const std::string first = screenshot_path("3", when, exists);
    EXPECT_EQ(first, "Screenshots/3 Mon Dec  7 03;11;09 2026.png");
    taken.insert(first);
    const std::string second = screenshot_path("3", when, exists);
    EXPECT_EQ(second, "Screenshots/3 Mon Dec  7 03;11;09 2026 2.png");
    taken.insert(second);
    EXPECT_EQ(screenshot_path("3", when, exists), "Screenshots/3 Mon Dec  7 03;11;09 2026 3.png");
    // Every ':' of the path becomes ';', the map's own included.
    EXPECT_EQ(screenshot_path("a:b.txt", when, {}), "Screenshots/a;b Mon Dec  7 03;11;09 2026.png");
}

// A custom map's name of more than about 226 bytes once made a file name the
// file system refused, so F12 saved nothing: the map's part is cut so the
// name fits in 255 bytes with the time and " 999", never mid-character.
TEST(ScreenshotName, ALongMapNameIsCutSoTheFileCanBeSaved) {
    const std::string when = "Mon Dec  7 03:11:09 2026", when_file = "Mon Dec  7 03;11;09 2026.png";
    const fs::path dir = fs::temp_directory_path() / ("vantorel_shots_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string accents;
    for (int i = 0; i < 150; ++i) accents += "\xc3\xa9";  // é, two bytes each
    for (const std::string& name : {std::string(300, 'm'), accents, std::string(221, 'x') + "\xe6\x97\xa5.txt"}) {
        SCOPED_TRACE(name.size());
        std::set<std::string> taken;
        for (int n = 1; n <= 3; ++n) {
            const std::string path =
                screenshot_path("Maps/" + name, when, [&](const std::string& p) { return taken.count(p) > 0; });
            const std::string file = fs::path(path).filename().string();
            EXPECT_LE(file.size(), 255u);
            EXPECT_EQ(file.find(name.substr(0, 100)), 0u);
            EXPECT_EQ(utf8_text(file).find("?"), sf::String::InvalidPos) << file;  // no character cut in two
            EXPECT_TRUE(std::ofstream(dir / file).good()) << file;
            taken.insert(path);
        }
    }
    // The most the map's part may keep: 255 - " " - the time - " 999" - ".png" = 222 bytes.
    EXPECT_EQ(screenshot_path(std::string(222, 'k'), when, {}),
              "Screenshots/" + std::string(222, 'k') + " " + when_file);
    EXPECT_EQ(screenshot_path(std::string(223, 'k'), when, {}),
              "Screenshots/" + std::string(222, 'k') + " " + when_file);
    fs::remove_all(dir);
}

TEST(ScreenshotName, TimeTextIsCtimeWithoutTheLineFeed) {
    setenv("TZ", "UTC", 1);
    tzset();
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 7;
    t.tm_hour = 3;
    t.tm_min = 11;
    t.tm_sec = 9;
    const std::time_t when = timegm(&t);
    EXPECT_EQ(screenshot_time_text(when), "Mon Dec  7 03:11:09 2026");
    std::string c = std::ctime(&when);
    c.pop_back();
    EXPECT_EQ(screenshot_time_text(when), c);
}
