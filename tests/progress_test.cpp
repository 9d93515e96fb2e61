#include "app/progress.hpp"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/atomic_file.hpp"
#include "app/bindings.hpp"
#include "app/custom_maps.hpp"

namespace fs = std::filesystem;

namespace {

fs::path scratch_dir(const std::string& name) {
    auto dir = fs::temp_directory_path() / ("vantorel_" + name + "_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    return dir;
}

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

size_t files_in(const fs::path& dir) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(dir), fs::directory_iterator()));
}

// While alive, no file this process writes may grow beyond `bytes`: a write
// past it fails as on a full disk (the signal it would raise is ignored).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit saved_{};
    void (*old_handler_)(int) = nullptr;
};

}  // namespace

TEST(Progress, ReadsTheFirstIntegerOfTheSaveText) {
    struct Case {
        const char* text;
        int32_t progress;
    };
    const Case cases[] = {
        {"", 0},
        {"  2", 2},
        {"2abc", 2},
        {"-1", -1},
        {"5", 5},
        {"garbage", 0},
        {"\n\t+3\n", 3},
        {"- 3", 0},
        {"abc2", 0},
        {"007", 7},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483648},
    };
    for (const auto& c : cases) EXPECT_EQ(parse_progress(c.text), c.progress) << '"' << c.text << '"';
}

TEST(Progress, OnlyAFirstWinOfTheNewestMapRaisesIt) {
    EXPECT_EQ(raised_progress(0, 0, true), 1);
    EXPECT_EQ(raised_progress(2, 2, true), 3);
    EXPECT_EQ(raised_progress(4, 4, true), 5);              // map 5 won: written as 5
    EXPECT_EQ(raised_progress(2, 1, true), std::nullopt);   // an older map again
    EXPECT_EQ(raised_progress(2, 2, false), std::nullopt);  // lost or left
    EXPECT_EQ(raised_progress(5, 4, true), std::nullopt);
    EXPECT_EQ(raised_progress(2147483647, 2147483647, true), std::nullopt);
}

TEST(Progress, SavesCreateTheFolderAndReadBack) {
    const auto dir = scratch_dir("progress");
    const auto save = dir / "Saves" / "demo.sav";
    EXPECT_EQ(read_progress(save), 0);     // no file yet
    ASSERT_TRUE(write_progress(1, save));  // the Saves folder did not exist
    EXPECT_EQ(contents(save), "1");
    ASSERT_TRUE(write_progress(12, save));
    EXPECT_EQ(contents(save), "12");
    EXPECT_EQ(read_progress(save), 12);
    EXPECT_EQ(files_in(save.parent_path()), 1u);  // no temporary file left behind
    // A Saves that is a file, not a folder, cannot be written into.
    std::ofstream(dir / "Blocked") << "x";
    EXPECT_FALSE(write_progress(3, dir / "Blocked" / "demo.sav"));
    fs::remove_all(dir);
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFileWhole) {
    const auto dir = scratch_dir("atomic");
    const auto save = dir / "demo.sav";
    const auto cfg = dir / "controls.cfg";
    ASSERT_TRUE(write_progress(3, save));
    ControlBindings b;
    ASSERT_TRUE(write_bindings_file(cfg.c_str(), b));
    b.kind[action_shield] = 'k';
    b.code[action_shield] = 101;
    {
        // A disk that fills after 4 bytes: neither the 8-digit progress nor the
        // 19-character bindings fit, and both old files must survive.
        FileSizeLimit full_disk(4);
        EXPECT_FALSE(write_progress(12345678, save));
        EXPECT_FALSE(write_bindings_file(cfg.c_str(), b));
    }
    EXPECT_EQ(contents(save), "3");
    EXPECT_EQ(contents(cfg), "k119k115k97k100m0m1");
    EXPECT_EQ(files_in(dir), 2u);
    // The same writer, with room again, replaces both in the described form.
    ASSERT_TRUE(write_bindings_file(cfg.c_str(), b));
    EXPECT_EQ(contents(cfg), "k119k115k97k100m0k101");
    // Anything but a regular file is never replaced.
    fs::create_directories(dir / "folder");
    EXPECT_FALSE(write_file_atomically(dir / "folder", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    fs::remove_all(dir);
}

TEST(CustomMaps, ListsMapFilesByNameAndReadsThem) {
    const auto dir = scratch_dir("maps");
    EXPECT_TRUE(list_custom_maps(dir / "Maps").empty());  // no folder at all
    const auto maps = dir / "Maps";
    fs::create_directories(maps / "sub.txt");
    for (const char* name : {"b.txt", "a.txt", "C.txt", ".hidden", "10.txt", "2.txt"})
        std::ofstream(maps / name) << "1 ";
    std::string names;
    for (const auto& path : list_custom_maps(maps)) names += path.filename().string() + " ";
    EXPECT_EQ(names, "10.txt 2.txt C.txt a.txt b.txt ");
    std::string why;
    EXPECT_EQ(read_custom_map(maps / "a.txt", why), "1 ");
    EXPECT_EQ(read_custom_map(maps / "missing.txt", why), std::nullopt);
    EXPECT_FALSE(why.empty());
    fs::remove_all(dir);
}
