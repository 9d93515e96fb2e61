// The real program started where it cannot run: from a folder without the game,
// or without a display. Each is one line and exit status 1, never a black
// window, a flood of load errors or an abort. No X server is needed.
#include <filesystem>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/process_run.hpp"

namespace fs = std::filesystem;

namespace {

// One line, ending in a line feed.
bool one_line(const std::string& text) { return !text.empty() && text.find('\n') == text.size() - 1; }

}  // namespace

TEST(ProgramStart, WrongFolderOrNoDisplayIsOneLineAndStatusOne) {
#ifndef VANTOREL_PROGRAM_PATH
    GTEST_SKIP() << "the program is not built in this configuration";
#else
    const fs::path dir = fs::temp_directory_path() / ("vantorel_start_" + std::to_string(getpid()));
    fs::remove_all(dir);
    // A copy of the program in bin/, started from elsewhere/, which holds no game.
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "elsewhere");
    const fs::path program = dir / "bin" / "vantorel";
    fs::copy_file(VANTOREL_PROGRAM_PATH, program);
    const std::vector<std::string> no_display = {"HOME=" + dir.string(), "ALSOFT_DRIVERS=null"};
    std::vector<std::string> dead_display = no_display;
    dead_display.push_back("DISPLAY=:65000");  // no X server answers there

    const ProcessRun lost = run_process(program, {}, dir / "elsewhere", no_display, dir);
    EXPECT_EQ(lost.status, 1);
    EXPECT_EQ(lost.out, "");
    EXPECT_TRUE(one_line(lost.err)) << lost.err;
    EXPECT_NE(lost.err.find("game folder"), std::string::npos) << lost.err;

    // With a game folder beside the program it goes there, says so, and then needs a display.
    fs::create_directories(dir / "bin" / "game" / "Graphics");
    for (const auto& env : {no_display, dead_display}) {
        const ProcessRun found = run_process(program, {}, dir / "elsewhere", env, dir);
        EXPECT_EQ(found.status, 1) << found.err;
        EXPECT_TRUE(one_line(found.out)) << found.out;
        EXPECT_NE(found.out.find((dir / "bin" / "game").string()), std::string::npos) << found.out;
        EXPECT_TRUE(one_line(found.err)) << found.err;
        EXPECT_NE(found.err.find("display"), std::string::npos) << found.err;
    }

    // Started in the game folder itself: nothing said about folders.
    const ProcessRun home = run_process(program, {}, dir / "bin" / "game", no_display, dir);
    EXPECT_EQ(home.status, 1);
    EXPECT_EQ(home.out, "");
    EXPECT_TRUE(one_line(home.err)) << home.err;
    EXPECT_NE(home.err.find("display"), std::string::npos) << home.err;
    fs::remove_all(dir);
#endif
}
