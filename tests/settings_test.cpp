#include "app/settings.hpp"

#include <climits>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

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

// The config.ini the game ships (the build copies it into the game folder as
// is): every key once, in order, at its default, and read back so by the
// game's own reader, whose quirks would hide a key behind a stray line.
TEST(SettingsKeys, ShippedFileHoldsEveryKeyOnceInOrderAtItsDefault) {
    const char* path = VANTOREL_SOURCE_DIR "/assets/config.ini";
    std::ifstream file(path);
    std::string name;
    int32_t value = 0;
    const Settings defaults;
    for (const auto& key : setting_keys) {
        ASSERT_TRUE(file >> name >> value) << "missing " << key.name;
        EXPECT_EQ(name, key.name);
        EXPECT_EQ(value, defaults.*key.field) << name;
    }
    EXPECT_FALSE(file >> name) << "extra text: " << name;

    Settings read;
    for (const auto& key : setting_keys) read.*key.field = -12345;  // a key the reader misses shows
    ASSERT_TRUE(read_settings_file(path, read));
    for (const auto& key : setting_keys) EXPECT_EQ(read.*key.field, defaults.*key.field) << key.name;
}

// How the formatted-stream reader takes real and broken files: each row is a
// text and the only fields it changes from the defaults.
TEST(SettingsStream, ReadsEachQuirkAsTheTableSays) {
    using S = Settings;
    struct Case {
        const char* what;
        std::string text;
        Changes changes;
    };
    const Case cases[] = {
        {"one key", "threads 3", {{&S::threads, 3}}},
        {"keys in any case", "USE_SHADER 0\nFullScreen 1", {{&S::use_shader, 0}, {&S::fullscreen, 1}}},
        {"the last entry wins", "threads 2\nthreads 5", {{&S::threads, 5}}},
        {"any white space before the value",
         "threads    2\nlaser_speed \t\n 9",
         {{&S::threads, 2}, {&S::laser_speed, 9}}},
        {"an unknown key is passed over", "nonsense 5\nthreads 2", {{&S::threads, 2}}},
        {"no text", "", {}},
        {"LF, CR LF, with and without a final break",
         "threads 2\nfullscreen 1",
         {{&S::threads, 2}, {&S::fullscreen, 1}}},
        {"", "threads 2\nfullscreen 1\n", {{&S::threads, 2}, {&S::fullscreen, 1}}},
        {"", "threads 2\r\nfullscreen 1", {{&S::threads, 2}, {&S::fullscreen, 1}}},
        {"", "threads 2\r\nfullscreen 1\r\n", {{&S::threads, 2}, {&S::fullscreen, 1}}},

        {"text stuck to a value joins the next key up to its line feed",
         "laser_speed 6.5\nthreads 2",
         {{&S::laser_speed, 6}, {&S::threads, 2}}},
        {"an empty line hides only the key after it",
         "resolution_width 1024\n\nresolution_height 768\nfullscreen 1",
         {{&S::resolution_width, 1024}, {&S::fullscreen, 1}}},
        {"a line without a space swallows the next one",
         "max_framerate 30\nthreads\t2\nfullscreen 1\nlaser_speed 9",
         {{&S::max_framerate, 30}, {&S::laser_speed, 9}}},
        {"... but at the start the next one survives", "threads\nfullscreen 1", {{&S::fullscreen, 1}}},
        {"a comment after a value ends the reading", "threads 2 # two\nfullscreen 1", {{&S::threads, 2}}},
        {"a line opening with a space ends the reading", "threads 2\n fullscreen 1\nlaser_speed 9", {{&S::threads, 2}}},

        {"signed values", "threads -2\nlaser_speed +7", {{&S::threads, -2}, {&S::laser_speed, 7}}},
        {"a word for a number ends the reading at 0",
         "threads 2\nconfine_cursor yes\nlaser_speed 9",
         {{&S::threads, 2}, {&S::confine_cursor, 0}}},
        {"the largest value", "laser_speed 2147483647\nthreads 2", {{&S::laser_speed, INT_MAX}, {&S::threads, 2}}},
        {"a value beyond 32 bits clamps and ends the reading",
         "laser_speed 2147483648\nthreads 2",
         {{&S::laser_speed, INT_MAX}}},
        {"", "laser_speed -99999999999999999999\nthreads 2", {{&S::laser_speed, INT_MIN}}},

        {"a key without a value at the end takes the previous entry's number",
         "threads 2\nlaser_speed",
         {{&S::threads, 2}, {&S::laser_speed, 2}}},
        {"", "threads 2\nlaser_speed  \n", {{&S::threads, 2}, {&S::laser_speed, 2}}},
        {"... and with no earlier entry the default stays", "laser_speed", {}},
        {"", "laser_speed ", {}},
        {"", "laser_speed \n", {}},
        {"", "LASER_SPEED \r\n", {}},

        {"255 characters followed by a space still make a (foreign) key",
         "fullscreen 1\n" + std::string(254, 'x') + " 5\nthreads 2",
         {{&S::fullscreen, 1}, {&S::threads, 2}}},
        {"a longer token ends the reading",
         "fullscreen 1\n" + std::string(255, 'x') + " 5\nthreads 2",
         {{&S::fullscreen, 1}}},
        {"a cut-off token never hands an old number to the key at its end",
         "threads 2" + std::string(243, 'y') + "\nlaser_speed7 1",
         {{&S::threads, 2}}},

        {"a whole file written on another system, with several quirks at once",
         "RESOLUTION_WIDTH 1024\r\n"
         "threads    2\r\n"
         "laser_speed 9.5\r\n"
         "jump_override 40\r\n"
         "\r\n"
         "pacifist 1\r\n"
         "max_framerate 75\r\n"
         "fullscreen\r\n"
         "use_vsync 1\r\n"
         "laser_cooldown_rate 99999999999\r\n"
         "use_shader 0\r\n",
         {{&S::resolution_width, 1024},
          {&S::threads, 2},
          {&S::laser_speed, 9},
          {&S::jump_override, 40},
          {&S::max_framerate, 75},
          {&S::laser_cooldown_rate, INT_MAX}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        expect_reads(c.text, c.changes);
    }
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
