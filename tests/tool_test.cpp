// Runs the built vantorel-tool as a separate process and checks its output,
// its one-line error messages and its exit status.
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "app/bindings.hpp"
#include "app/custom_maps.hpp"
#include "app/settings.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;  // exit status; 128 + signal when the tool was killed
    std::string out, err;

    std::vector<std::string> out_lines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // True when stderr holds exactly one non-empty line.
    bool one_error_line() const {
        return !err.empty() && err.back() == '\n' && err.find('\n') == err.size() - 1 && err.size() > 1;
    }
};

std::string slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

// A 100 x 80 map with every segment type (the last one erases part of the
// floor), one red switch, one enemy of each kind, all pickup kinds and two checkpoints.
const std::string small_map =
    "100 80 20 40 85 60 "
    "7 5 70 95 70 1 5 5 95 5 1 30 20 30 40 2 50 50 60 50 3 70 20 70 60 4 40 10 60 30 5 10 70 15 70 0 "
    "1 55 45 1 "
    "3 40 60 1 0 60 40 2 -45.5 80 30 3 180 "
    "4 10 60 1 15 60 2 25 60 3 35 60 1 "
    "2 45 65 75 65 ";

class ToolTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/vantorel_tool_test_XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::create_directory(dir_ / "work");
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path work() const { return dir_ / "work"; }
    std::string file(const std::string& name, const std::string& text) const {
        write_file(work() / name, text);
        return (work() / name).string();
    }

    // Runs the tool in work() with stdout sent to `stdout_path` (default: a capture file).
    ToolRun run(const std::vector<std::string>& args, const std::string& stdout_path = "") const {
        const std::string out_path = stdout_path.empty() ? (dir_ / "stdout").string() : stdout_path;
        const std::string err_path = (dir_ / "stderr").string();
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addchdir_np(&actions, work().c_str());
        posix_spawn_file_actions_addopen(&actions, 1, out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_addopen(&actions, 2, err_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        std::vector<std::string> all{VANTOREL_TOOL_PATH};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        ToolRun result;
        pid_t pid = 0;
        if (posix_spawn(&pid, VANTOREL_TOOL_PATH, &actions, nullptr, argv.data(), environ) == 0) {
            int wstatus = 0;
            waitpid(pid, &wstatus, 0);
            result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
        }
        posix_spawn_file_actions_destroy(&actions);
        if (stdout_path.empty()) result.out = slurp(out_path);
        result.err = slurp(err_path);
        return result;
    }

    fs::path dir_;
};

// Failures: the given status, nothing on stdout, one line on stderr.
#define EXPECT_FAILS_WITH(run_result, expected_status)                    \
    do {                                                                  \
        const ToolRun& r_ = (run_result);                                 \
        EXPECT_EQ(r_.status, expected_status) << r_.err;                  \
        EXPECT_TRUE(r_.one_error_line()) << "stderr: [" << r_.err << "]"; \
        EXPECT_EQ(r_.out, "");                                            \
    } while (0)

TEST_F(ToolTest, WrongCommandLinesAreUsageErrors) {
    const std::string map = file("m.txt", small_map);
    const std::vector<std::vector<std::string>> lines = {
        {},
        {"frobnicate"},
        {"map"},
        {"map", "fold", map},
        {"map", "text"},
        {"map", "text", "9"},
        {"map", "text", "one"},
        {"map", "info"},
        {"map", "info", map, "extra"},
        {"map", "cells", map},
        {"map", "cells", map, "5"},
        {"map", "cells", map, "5", "6", "7"},
        {"map", "cells", map, "a", "6"},
        {"map", "cells", map, "1.5", "6"},
        {"map", "render", map},
        {"map", "render", map, "out.bmp"},
        {"map", "render", map, "out.png", "0"},
        {"map", "render", map, "out.png", "2.5"},
        {"settings", "a", "b"},
        {"play"},
        {"play", "1", "r.txt", "extra"},
        {"play", "1", "r.txt", "--threads", "-1"},
        {"play", "1", "r.txt", "--threads", "many"},
        {"play", "1", "r.txt", "--speed"},
    };
    for (const auto& args : lines) {
        SCOPED_TRACE(::testing::PrintToString(args));
        EXPECT_FAILS_WITH(run(args), 2);
    }
}

TEST_F(ToolTest, HelpGoesToStandardOutput) {
    const ToolRun r = run({"--help"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("settings"), std::string::npos);
    EXPECT_NE(r.out.find("play"), std::string::npos);
}

TEST_F(ToolTest, UnusableFilesAreRefusedWithOneSentence) {
    fs::create_directory(work() / "folder");
    const std::string with_nul = file("nul.txt", std::string("100 80 0 0 0 0 0 0\0 0 0 0 ", 27));
    const std::string huge = (work() / "huge.txt").string();
    write_file(huge, "");
    fs::resize_file(huge, 17u << 20);  // sparse, beyond every cap
    const std::string newline_name = "no\nsuch";
    for (const std::string& bad : {std::string("missing.txt"), std::string("folder"), with_nul, huge, newline_name,
                                   std::string("/dev/null"), std::string()}) {
        SCOPED_TRACE(bad);
        EXPECT_FAILS_WITH(run({"settings", bad}), 1);
        EXPECT_FAILS_WITH(run({"bindings", bad}), 1);
        EXPECT_FAILS_WITH(run({"map", "info", bad}), 1);
        EXPECT_FAILS_WITH(run({"map", "cells", bad, "1", "1"}), 1);
        EXPECT_FAILS_WITH(run({"map", "render", bad, "out.png"}), 1);
    }
    EXPECT_FALSE(fs::exists(work() / "out.png"));
    if (geteuid() != 0) {  // root reads any file
        const std::string locked = file("locked.ini", "threads 2\n");
        fs::permissions(locked, fs::perms::none);
        EXPECT_FAILS_WITH(run({"settings", locked}), 1);
    }
}

TEST_F(ToolTest, DefaultFilesComeFromTheWorkingDirectory) {
    EXPECT_FAILS_WITH(run({"settings"}), 1);  // no config.ini yet: said, not silently defaulted
    EXPECT_FAILS_WITH(run({"bindings"}), 1);
    file("config.ini", "threads 3\n");
    file("controls.cfg", "k32");
    EXPECT_EQ(run({"settings"}).status, 0);
    EXPECT_EQ(run({"bindings"}).out_lines().at(0), "jump k 32");
}

TEST_F(ToolTest, SettingsPrintsAllKeysInOrderAsRead) {
    const ToolRun r = run({"settings", file("s.ini", "threads 3\nUSE_SHADER 0\nscreen_scroll_distance 0\n")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = r.out_lines();
    ASSERT_EQ(lines.size(), setting_keys.size());
    const Settings defaults;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string_view key = setting_keys[i].name;
        int32_t expected = defaults.*setting_keys[i].field;
        if (key == "threads") expected = 3;
        if (key == "use_shader") expected = 0;
        if (key == "screen_scroll_distance") expected = 0;  // before the start-up correction
        EXPECT_EQ(lines[i], std::string(key) + " " + std::to_string(expected));
    }
}

TEST_F(ToolTest, BindingsPrintsSixActions) {
    const ToolRun r = run({"bindings", file("c.cfg", "k119 k115\nk97 k100\nm2 k101")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "jump k 119\nduck k 115\nleft k 97\nright k 100\nshoot m 2\nshield k 101\n");

    // A stray byte as a kind is shown escaped, keeping the output readable.
    const ToolRun odd = run({"bindings", file("odd.cfg",
                                              "\xff"
                                              "5")});
    ASSERT_EQ(odd.status, 0) << odd.err;
    EXPECT_EQ(odd.out_lines().at(0), "jump \\xff 5");
}

// A map number stands for the built-in text: printed exactly, and read as
// that text would be from a file. Their figures are held by the built-in maps' test.
TEST_F(ToolTest, MapNumbersReadTheBuiltInTexts) {
    for (int n = 1; n <= builtin_map_count; ++n) {
        SCOPED_TRACE(n);
        const char* stored = builtin_map_text(n);
        ASSERT_NE(stored, nullptr);
        const std::string number = std::to_string(n);
        const ToolRun r = run({"map", "text", number});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, stored);
        const std::string path = file("map" + number + ".txt", stored);
        const ToolRun info = run({"map", "info", number});
        ASSERT_EQ(info.status, 0) << info.err;
        EXPECT_EQ(info.out, run({"map", "info", path}).out);
        const std::vector<std::string> cells = {"1000", "630", "1000", "634", "2", "632", "40", "40"};
        std::vector<std::string> by_number = {"map", "cells", number}, by_file = {"map", "cells", path};
        by_number.insert(by_number.end(), cells.begin(), cells.end());
        by_file.insert(by_file.end(), cells.begin(), cells.end());
        const ToolRun from_number = run(by_number);
        ASSERT_EQ(from_number.status, 0) << from_number.err;
        EXPECT_EQ(from_number.out, run(by_file).out);
    }
}

TEST_F(ToolTest, MapInfoCountsEveryKind) {
    const ToolRun r = run({"map", "info", file("m.txt", small_map)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "loaded true\nsize 100 80\nstart 20 40\nexit 85 60\n"
              "segments 7\nswitches 1\nenemies 3\npickups 4\ncheckpoints 2\n"
              "length " +
                  std::to_string(small_map.size()) +
                  "\n"
                  "segments.white 2\nsegments.cyan 1\nsegments.red 1\nsegments.green 1\nsegments.blue 1\n"
                  "segments.erase 1\nswitches.red 1\n"
                  "enemies.basic 1\nenemies.smart 1\nenemies.turret 1\n"
                  "pickups.medkit 2\npickups.life 1\npickups.power 1\n");
}

// A start or exit outside the map leaves a map that cannot be played or won;
// it still loads, and map info says so in a warning line after the counts.
TEST_F(ToolTest, MapInfoWarnsOfAStartOrExitOutsideTheMap) {
    struct Case {
        const char* positions;  // start x y, exit x y, in a 100 x 80 map
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"0 0 99 79 ", {}},  // the corners are inside
        {"100 40 85 60 ", {"warning The start (100, 40) lies outside the 100 x 80 map, so it cannot be played."}},
        {"20 40 85 -1 ", {"warning The exit (85, -1) lies outside the 100 x 80 map, so it may never be won."}},
        {"-5 80 30000 30000 ",
         {"warning The start (-5, 80) lies outside the 100 x 80 map, so it cannot be played.",
          "warning The exit (30000, 30000) lies outside the 100 x 80 map, so it may never be won."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.positions);
        const ToolRun r = run({"map", "info", file("w.txt", std::string("100 80 ") + c.positions + "0 0 0 0 0 ")});
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<std::string> warnings;
        for (const std::string& line : r.out_lines())
            if (line.rfind("warning ", 0) == 0) warnings.push_back(line);
        EXPECT_EQ(warnings, c.warnings) << r.out;
        EXPECT_EQ(r.out.find("loaded true\n"), 0u);
    }
}

TEST_F(ToolTest, MapThatDoesNotLoadSaysWhy) {
    // No white space after the last number; a count the text cannot hold; an empty file.
    for (const std::string& text :
         {std::string("100 80 0 0 0 0 0 0 0 0 0"), std::string("100 80 0 0 0 0 9 "), std::string("")}) {
        SCOPED_TRACE(text);
        const std::string path = file("bad.txt", text);
        EXPECT_FAILS_WITH(run({"map", "info", path}), 1);
        EXPECT_FAILS_WITH(run({"map", "cells", path, "0", "0"}), 1);
    }
}

TEST_F(ToolTest, MapCellsPrintCodesThatReadBackExactly) {
    const std::vector<std::string> args = {"map",
                                           "cells",
                                           file("m.txt", small_map),
                                           "50",
                                           "70",  // floor
                                           "12",
                                           "70",  // floor erased by the last segment
                                           "30",
                                           "30",  // cyan mirror
                                           "55",
                                           "50",  // red gate
                                           "70",
                                           "40",  // green gate
                                           "50",
                                           "20",  // blue mirror
                                           "-1",
                                           "5",
                                           "100",
                                           "0",
                                           "0",
                                           "80",
                                           "99999999999999999999999",
                                           "0"};
    const ToolRun r = run(args);
    ASSERT_EQ(r.status, 0) << r.err;
    const auto lines = r.out_lines();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "-1500");
    EXPECT_EQ(lines[1], "-3000");
    EXPECT_EQ(lines[3], "-1000");
    EXPECT_EQ(lines[4], "-2000");
    for (size_t i = 6; i < 10; ++i) EXPECT_EQ(lines[i], "outside");

    // Mirror codes hold angles; the printed text must parse back to the very same float.
    ASSERT_TRUE(load_map(small_map.c_str()));
    const auto cell = [](int x, int y) {
        return world.wall_grid[static_cast<size_t>(y) * 100 + static_cast<size_t>(x)];
    };
    EXPECT_EQ(std::strtof(lines[2].c_str(), nullptr), cell(30, 30));
    EXPECT_EQ(std::strtof(lines[5].c_str(), nullptr), cell(50, 20));
    EXPECT_GT(cell(50, 20), 1000.0f);
    world.release_grid();
}

// Width and height from a PNG file's header chunk.
std::pair<uint32_t, uint32_t> png_size(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    const auto be32 = [&](size_t at) {
        uint32_t v = 0;
        for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<unsigned char>(bytes[at + i]);
        return v;
    };
    return {be32(16), be32(20)};
}

TEST_F(ToolTest, RenderWritesPicturesOfTheScaledSize) {
    const std::string map = file("m.txt", small_map);
    ASSERT_EQ(run({"map", "render", map, "full.png"}).status, 0);
    EXPECT_EQ(png_size(slurp(work() / "full.png")), (std::pair<uint32_t, uint32_t>{100, 80}));
    ASSERT_EQ(run({"map", "render", map, "third.PNG", "3"}).status, 0);
    EXPECT_EQ(png_size(slurp(work() / "third.PNG")), (std::pair<uint32_t, uint32_t>{34, 27}));

    EXPECT_FAILS_WITH(run({"map", "render", map, "no/such/folder/x.png"}), 1);
    fs::create_directory(work() / "taken.png");
    EXPECT_FAILS_WITH(run({"map", "render", map, "taken.png"}), 1);

    // 20000 px wide is refused at full size and fine at half size.
    const std::string wide = file("wide.txt", "20000 10 5 5 100 5 0 0 0 0 0 ");
    EXPECT_FAILS_WITH(run({"map", "render", wide, "wide.png"}), 1);
    EXPECT_FALSE(fs::exists(work() / "wide.png"));
    ASSERT_EQ(run({"map", "render", wide, "wide.png", "2"}).status, 0);
    EXPECT_EQ(png_size(slurp(work() / "wide.png")), (std::pair<uint32_t, uint32_t>{10000, 5}));
}

TEST_F(ToolTest, OutputThatCannotBeWrittenIsAFailure) {
    const ToolRun r = run({"settings", file("s.ini", "threads 2\n")}, "/dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.one_error_line()) << r.err;
}

TEST_F(ToolTest, GarbageNeverCrashesTheTool) {
    std::mt19937 random(12345);
    for (int round = 0; round < 6; ++round) {
        std::string bytes(static_cast<size_t>(1 + round * 700), ' ');
        for (char& c : bytes) c = static_cast<char>(1 + random() % 255);  // no NUL bytes
        const std::string path = file("garbage" + std::to_string(round), bytes);
        for (const auto& args : std::vector<std::vector<std::string>>{
                 {"settings", path}, {"bindings", path}, {"map", "info", path}, {"map", "render", path, "g.png"}}) {
            const ToolRun r = run(args);
            EXPECT_TRUE(r.status == 0 || (r.status == 1 && r.one_error_line()))
                << ::testing::PrintToString(args) << " status " << r.status;
        }
    }
}

// One reader, one verdict: the custom-map screen refuses exactly the files
// `map info` refuses, with the same sentence, and plays what it accepts.
TEST_F(ToolTest, TheCustomMapScreenRefusesWhatMapInfoRefuses) {
    const std::string valid = "100 80 20 40 85 60 0 0 0 0 0 ";
    fs::create_directory(work() / "folder");
    fs::create_symlink("/proc/self/mem", work() / "failing");
    const std::vector<std::string> maps = {
        file("valid.txt", valid),
        file("padded.txt", valid + std::string((16u << 20) - valid.size(), ' ')),  // exactly 16 MiB
        file("over.txt", valid + std::string(16u << 20, ' ')),                     // once played by the game
        file("nul.txt", valid + std::string(1, '\0')),                             // so was this
        file("broken.txt", "100 80 20 40 85 60 3 "),
        (work() / "folder").string(),
        (work() / "failing").string(),
        (work() / "missing.txt").string(),
    };
    for (const std::string& path : maps) {
        SCOPED_TRACE(path);
        const ToolRun tool = run({"map", "info", path});
        std::string why;
        const auto text = read_custom_map(path, why);
        const bool played = text && load_map(text->c_str(), why);
        EXPECT_EQ(tool.status == 0, played) << tool.err;
        if (!played) {
            EXPECT_EQ(tool.err, why + "\n");
        }
    }
    world.release_grid();
}

}  // namespace
