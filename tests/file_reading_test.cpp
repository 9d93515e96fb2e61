// Every file the game reads goes through one bounded reader: a folder, a FIFO,
// a device, a file that fails mid-read or one far too large is refused at once
// with a sentence naming it, where it once aborted the program (an exception
// out of the save's reading), froze the window or read until memory ran out.
#include "app/file_reading.hpp"

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/bindings.hpp"
#include "app/custom_maps.hpp"
#include "app/progress.hpp"
#include "app/settings.hpp"

namespace fs = std::filesystem;

TEST(FileReading, HostileFilesAreRefusedWithAReasonAndTheGamesReadersKeepTheirDefaults) {
    const fs::path dir = fs::temp_directory_path() / ("vantorel_reading_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    const auto at = [&dir](const char* name) { return (dir / name).string(); };
    ASSERT_EQ(mkfifo(at("fifo").c_str(), 0644), 0);
    fs::create_symlink("/dev/zero", at("zero"));
    fs::create_symlink("/proc/self/mem", at("mem"));  // a regular file whose read fails (EIO)
    std::ofstream(at("huge")).close();
    fs::resize_file(at("huge"), (16u << 20) + 1);  // sparse
    std::ofstream(at("nul"), std::ios::binary) << std::string("800 600\0 ", 9);
    alarm(60);  // a reader waiting on the FIFO ends the test instead of hanging the suite

    struct Case {
        const char* name;
        FileKind kind;
        std::string reason;   // a part of the sentence; empty: read whole
        bool refused_by_all;  // whatever kind of file is asked for
    };
    const Case cases[] = {
        {"missing", map_text_file, "does not exist", false},
        {"folder", save_file, "is a directory, not a save file", true},
        {"fifo", settings_file, "is not a regular file", true},
        {"zero", save_file, "is not a regular file", true},
        {"mem", map_text_file, "could not be read to its end: Input/output error", true},
        {"huge", map_text_file, "larger than 16 MiB, the most a map text file may hold", false},
        {"huge", picture_file, "", false},
        {"nul", bindings_file, "holds NUL bytes", false},
        {"nul", picture_file, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " as " + c.kind.what);
        std::string why = "stale";
        const auto bytes = read_file(at(c.name), c.kind, why);
        if (c.reason.empty()) {
            ASSERT_TRUE(bytes) << why;
            EXPECT_EQ(bytes->size(), fs::file_size(at(c.name)));
            EXPECT_EQ(why, "");
            continue;
        }
        EXPECT_FALSE(bytes);
        EXPECT_EQ(why.find(quoted_path(at(c.name))), 0u) << why;
        EXPECT_NE(why.find(c.reason), std::string::npos) << why;
        if (!c.refused_by_all) continue;
        // The game's own readers: no exception, no wait, their defaults kept.
        EXPECT_EQ(read_progress(at(c.name)), 0);
        EXPECT_EQ(read_custom_map(at(c.name), why), std::nullopt);
        Settings s;
        s.threads = 7;
        EXPECT_FALSE(read_settings_file(at(c.name).c_str(), s));
        EXPECT_EQ(s.threads, 7);
        ControlBindings b;
        EXPECT_FALSE(read_bindings_file(at(c.name).c_str(), b));
        EXPECT_EQ(format_bindings(b), format_bindings(ControlBindings{}));
    }
    alarm(0);
    fs::remove_all(dir);
}
