#include "app/settings.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

#include <climits>
#include <gtest/gtest.h>

namespace {

using Changes = std::vector<std::pair<int32_t Settings::*, int32_t>>;

// Reads text over the defaults and expects exactly `changes` to differ from them.
void expect_reads(const std::string& text, const Changes& changes) {
    Settings read, expected;
    std::istringstream in(text);
    read_settings_from(in, read);
    for (const auto& [field, value] : changes) expected.*field = value;
    for (const auto& key : setting_keys)
        EXPECT_EQ(read.*key.field, expected.*key.field) << key.name << " from \"" << text << '"';
}

}  // namespace

TEST(SettingsKeys, EachKeySetsItsOwnFieldOnly) {
    for (const auto& key : setting_keys) expect_reads(std::string(key.name) + " 12345", {{key.field, 12345}});
}

TEST(SettingsKeys, ShippedFileListsEveryKeyInOrderWithItsDefault) {
    std::ifstream file(VANTOREL_SOURCE_DIR "/assets/config.ini");
    std::string name;
    int32_t value = 0;
    for (const auto& key : setting_keys) {
        ASSERT_TRUE(file >> name >> value);
        EXPECT_EQ(name, key.name);
        EXPECT_EQ(value, Settings{}.*key.field) << name;
    }
    EXPECT_FALSE(file >> name);
}

TEST(SettingsStream, KeysAndSpacing) {
    expect_reads("threads 3", {{&Settings::threads, 3}});
    expect_reads("USE_SHADER 0\nFullScreen 1", {{&Settings::use_shader, 0}, {&Settings::fullscreen, 1}});
    expect_reads("threads 2\nthreads 5", {{&Settings::threads, 5}});
    expect_reads("threads    2\nlaser_speed \t\n 9", {{&Settings::threads, 2}, {&Settings::laser_speed, 9}});
    expect_reads("nonsense 5\nthreads 2", {{&Settings::threads, 2}});
}

TEST(SettingsStream, LineQuirks) {
    // Text stuck to a value joins the next key up to its line feed.
    expect_reads("laser_speed 6.5\nthreads 2", {{&Settings::laser_speed, 6}, {&Settings::threads, 2}});
    // An empty line hides only the key after it.
    expect_reads("resolution_width 1024\n\nresolution_height 768\nfullscreen 1",
                 {{&Settings::resolution_width, 1024}, {&Settings::fullscreen, 1}});
    // A line without a space swallows the next one; at the start the next one survives.
    expect_reads("max_framerate 30\nthreads\t2\nfullscreen 1\nlaser_speed 9",
                 {{&Settings::max_framerate, 30}, {&Settings::laser_speed, 9}});
    expect_reads("threads\nfullscreen 1", {{&Settings::fullscreen, 1}});
    // A comment after a value, or a line opening with a space, ends the reading.
    expect_reads("threads 2 # two\nfullscreen 1", {{&Settings::threads, 2}});
    expect_reads("threads 2\n fullscreen 1\nlaser_speed 9", {{&Settings::threads, 2}});
}

TEST(SettingsNumbers, MalformedValuesEndTheReading) {
    expect_reads("threads -2\nlaser_speed +7", {{&Settings::threads, -2}, {&Settings::laser_speed, 7}});
    expect_reads("threads 2\nconfine_cursor yes\nlaser_speed 9",
                 {{&Settings::threads, 2}, {&Settings::confine_cursor, 0}});
    expect_reads("laser_speed 2147483647\nthreads 2", {{&Settings::laser_speed, INT_MAX}, {&Settings::threads, 2}});
    expect_reads("laser_speed 2147483648\nthreads 2", {{&Settings::laser_speed, INT_MAX}});
    expect_reads("laser_speed -99999999999999999999\nthreads 2", {{&Settings::laser_speed, INT_MIN}});
}

TEST(SettingsNumbers, KeyWithoutValueAtTheEnd) {
    // The previous entry's number carries over; with no earlier entry the default stays.
    expect_reads("threads 2\nlaser_speed", {{&Settings::threads, 2}, {&Settings::laser_speed, 2}});
    expect_reads("threads 2\nlaser_speed  \n", {{&Settings::threads, 2}, {&Settings::laser_speed, 2}});
    for (const char* alone : {"laser_speed", "laser_speed ", "laser_speed \n", "LASER_SPEED \r\n"})
        expect_reads(alone, {});
}

TEST(SettingsFile, LineEndsAndFinalBreak) {
    const Changes both = {{&Settings::threads, 2}, {&Settings::fullscreen, 1}};
    for (const char* text : {"threads 2\nfullscreen 1", "threads 2\nfullscreen 1\n", "threads 2\r\nfullscreen 1",
                             "threads 2\r\nfullscreen 1\r\n"})
        expect_reads(text, both);
    expect_reads("", {});
}

TEST(SettingsFile, OverlongTokenEndsTheReading) {
    // 255 characters followed by a space still make a (foreign) key.
    expect_reads("fullscreen 1\n" + std::string(254, 'x') + " 5\nthreads 2",
                 {{&Settings::fullscreen, 1}, {&Settings::threads, 2}});
    expect_reads("fullscreen 1\n" + std::string(255, 'x') + " 5\nthreads 2", {{&Settings::fullscreen, 1}});
    // A cut-off token never hands an old number to the key at its end.
    expect_reads("threads 2" + std::string(243, 'y') + "\nlaser_speed7 1", {{&Settings::threads, 2}});
}

TEST(SettingsFile, MissingFileKeepsDefaultsAndReportsIt) {
    Settings s;
    s.threads = 7;
    EXPECT_FALSE(read_settings_file("/nonexistent/config.ini", s));
    EXPECT_EQ(s.threads, 7);
}

TEST(SettingsFile, ReadsConfigIniFromWorkingDirectory) {
    const auto dir = std::filesystem::temp_directory_path() / ("vantorel_settings_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "config.ini") << "threads 3\r\nlaser_speed 9\r\n";
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    read_settings();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(settings.threads, 3);
    EXPECT_EQ(settings.laser_speed, 9);
    settings = Settings{};
}

TEST(SettingsCorrections, RaiseThreadsScrollAndSpeedToUsableValues) {
    Settings low, fine, unknown_processors;
    low.threads = -1, low.screen_scroll_distance = 0, low.game_speed_multiplier = -4;
    fine.threads = 3, fine.screen_scroll_distance = 6, fine.game_speed_multiplier = 2;
    correct_settings(low, 8);
    correct_settings(fine, 8);
    correct_settings(unknown_processors, 0);
    EXPECT_EQ(std::tuple(low.threads, low.screen_scroll_distance, low.game_speed_multiplier), std::tuple(8, 1, 1));
    EXPECT_EQ(std::tuple(fine.threads, fine.screen_scroll_distance, fine.game_speed_multiplier), std::tuple(3, 6, 2));
    EXPECT_EQ(unknown_processors.threads, 1);
}
