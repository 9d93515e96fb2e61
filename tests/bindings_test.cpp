#include "app/bindings.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

namespace {

ControlBindings read_text(const std::string& text) {
    ControlBindings b;
    std::istringstream in(text);
    read_bindings_from(in, b);
    return b;
}

// Compares through the packed form, which names every kind and code.
void expect_reads(const std::string& text, const std::string& packed) {
    EXPECT_EQ(format_bindings(read_text(text)), packed) << "from \"" << text << '"';
}

std::filesystem::path scratch_dir() {
    auto dir = std::filesystem::temp_directory_path() / ("vantorel_bindings_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    return dir;
}

const std::string defaults = "k119k115k97k100m0m1";

}  // namespace

TEST(BindingsFormat, PackedAndHandWrittenFormsReadAlike) {
    EXPECT_EQ(format_bindings(ControlBindings{}), defaults);
    expect_reads(defaults, defaults);
    expect_reads("k 119\nk 115\r\nk\t97\n k 100\nm 0\nm 1\n", defaults);
    expect_reads("k32", "k32k115k97k100m0m1");
}

TEST(BindingsFormat, UnusualValuesSurviveARoundTrip) {
    ControlBindings b;
    b.kind = {'x', '?', 'k', 'm', '-', 'k'};
    b.code = {0, 5, 4294967295u, 4, 12, 320};
    expect_reads(format_bindings(b), "x0?5k4294967295m4-12k320");
}

TEST(BindingsRead, ShortFilesKeepTheRestAtDefaults) {
    expect_reads("", defaults);
    expect_reads("k1k2", "k1k2k97k100m0m1");
    // A kind without its code is not a binding: that action keeps its default too.
    expect_reads("k1k2m", "k1k2k97k100m0m1");
    expect_reads("k1k2m \n", "k1k2k97k100m0m1");
}

TEST(BindingsRead, MalformedCodeBindsKindToZeroAndStops) {
    expect_reads("k1kxm0m0m0m0", "k1k0k97k100m0m1");
    // Negative and over-long numbers are no codes either, rather than wrapping round.
    expect_reads("k1k-5k3", "k1k0k97k100m0m1");
    expect_reads("k4294967296k3", "k0k115k97k100m0m1");
    expect_reads("k4294967295k3", "k4294967295k3k97k100m0m1");
}

TEST(BindingsFile, WriteThenReadGivesTheSameBindings) {
    const auto path = scratch_dir() / "controls.cfg";
    std::ofstream(path) << "a much longer file than the bindings will need " << std::string(100, 'z');
    ControlBindings b;
    b.kind[action_shield] = 'k';
    b.code[action_shield] = 101;  // E
    ASSERT_TRUE(write_bindings_file(path.c_str(), b));
    std::ifstream file(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(file), {}), "k119k115k97k100m0k101");
    ControlBindings back;
    ASSERT_TRUE(read_bindings_file(path.c_str(), back));
    EXPECT_EQ(back.kind, b.kind);
    EXPECT_EQ(back.code, b.code);
    std::filesystem::remove_all(path.parent_path());
}

TEST(BindingsFile, FailuresAreReportedAndLeaveMemoryAlone) {
    ControlBindings b;
    b.code[action_jump] = 7;
    EXPECT_FALSE(write_bindings_file("/nonexistent/dir/controls.cfg", b));
    EXPECT_FALSE(read_bindings_file("/nonexistent/dir/controls.cfg", b));
    EXPECT_EQ(format_bindings(b), "k7k115k97k100m0m1");
    if (std::filesystem::exists("/dev/full")) {
        EXPECT_FALSE(write_bindings_file("/dev/full", b));  // a device is never replaced
    }
}

TEST(BindingsFile, ReadsControlsCfgFromWorkingDirectory) {
    const auto dir = scratch_dir();
    std::ofstream(dir / "controls.cfg") << "k32";
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    read_bindings();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
    EXPECT_EQ(format_bindings(bindings), "k32k115k97k100m0m1");
    bindings = ControlBindings{};
}
