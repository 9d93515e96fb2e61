#include "app/progress.hpp"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
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

// Runs `check` with the rights of an ordinary player: in a child process as
// nobody when the tests run as root, who may read and write anything. Returns
// what `check` found wrong; empty when all held.
std::string as_a_player(const std::function<std::string()>& check) {
    if (geteuid() != 0) return check();
    int out[2];
    if (pipe(out) != 0) return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(out[0]);
        std::string found = setgid(65534) == 0 && setuid(65534) == 0 ? check() : "could not become nobody";
        if (found.empty()) found = "ok";
        const ssize_t wrote = write(out[1], found.data(), found.size());
        _exit(wrote == static_cast<ssize_t>(found.size()) ? 0 : 1);
    }
    close(out[1]);
    std::string found;
    char chunk[256];
    for (ssize_t got; (got = read(out[0], chunk, sizeof chunk)) > 0;) found.append(chunk, static_cast<size_t>(got));
    close(out[0]);
    waitpid(child, nullptr, 0);
    return found == "ok" ? std::string() : found.empty() ? "the check did not finish" : found;
}

// Appends `what` to `wrong` when `held` is false.
void check(std::string& wrong, bool held, const std::string& what) {
    if (!held) wrong += what + "; ";
}

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

// A save or bindings file that could not be read is never overwritten, nor
// one that may not be written; each refusal says why, for the screen's bottom
// line. Once a win wrote "1" over an unreadable save, and a read-only
// controls.cfg was replaced by the rename.
TEST(Progress, FilesThatCannotBeReadOrWrittenAreNeverReplacedAndSayWhy) {
    const auto dir = scratch_dir("refusals");
    fs::permissions(dir, fs::perms::all);  // nobody may look inside (not write: each case sets its own)

    // A save too large to be one (1 MiB at most) or a folder: unreadable, so kept.
    fs::create_directories(dir / "large");
    std::ofstream(dir / "large" / "demo.sav") << "3";
    fs::resize_file(dir / "large" / "demo.sav", (1u << 20) + 1);
    fs::create_directories(dir / "folder" / "demo.sav");
    for (const auto& [save, reason] : {std::pair{dir / "large" / "demo.sav", std::string("larger than 1 MiB")},
                                       std::pair{dir / "folder" / "demo.sav", std::string("is a directory")}}) {
        SCOPED_TRACE(save.string());
        const SavedProgress found = load_progress(save);
        EXPECT_EQ(found.progress, 0);
        EXPECT_NE(found.unreadable.find(reason), std::string::npos) << found.unreadable;
        EXPECT_EQ(save_progress(1, found, save), found.unreadable);
    }
    EXPECT_EQ(fs::file_size(dir / "large" / "demo.sav"), (1u << 20) + 1);
    EXPECT_TRUE(fs::is_directory(dir / "folder" / "demo.sav"));

    // Saves/ is a file: nothing to read, and nothing can be written, which is said.
    std::ofstream(dir / "Blocked") << "x";
    const SavedProgress none = load_progress(dir / "Blocked" / "demo.sav");
    EXPECT_EQ(none.unreadable, "");
    EXPECT_NE(save_progress(1, none, dir / "Blocked" / "demo.sav"), "");
    EXPECT_EQ(contents(dir / "Blocked"), "x");

    // A read-only controls.cfg (mode 444) is read but never replaced, even by root.
    const auto cfg = dir / "controls.cfg";
    std::ofstream(cfg) << "k32";
    fs::permissions(cfg, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ControlBindings b;
    EXPECT_TRUE(read_bindings_file(cfg.c_str(), b));
    EXPECT_NE(save_bindings(ControlBindings{}, "", cfg.c_str()).find("is read-only"), std::string::npos);
    EXPECT_EQ(contents(cfg), "k32");

    // What only an ordinary player meets: a save it may not read, a Saves/ it may not write into.
    fs::create_directories(dir / "locked");
    std::ofstream(dir / "locked" / "demo.sav") << "3";
    fs::permissions(dir / "locked" / "demo.sav", fs::perms::none);
    fs::create_directories(dir / "readonly" / "Saves");
    fs::permissions(dir / "readonly" / "Saves",
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    fs::create_directories(dir / "player");
    std::ofstream(dir / "player" / "controls.cfg") << "k32";
    fs::permissions(dir / "player" / "controls.cfg", fs::perms::none);
    fs::permissions(dir / "player", fs::perms::all);
    EXPECT_EQ(as_a_player([&] {
                  std::string wrong;
                  const SavedProgress locked = load_progress(dir / "locked" / "demo.sav");
                  check(wrong, locked.unreadable.find("Permission denied") != std::string::npos,
                        "a save it may not read is unreadable: [" + locked.unreadable + "]");
                  check(wrong, save_progress(1, locked, dir / "locked" / "demo.sav") == locked.unreadable,
                        "and is not written");
                  const std::string no_room = save_progress(1, {}, dir / "readonly" / "Saves" / "demo.sav");
                  check(wrong, no_room.find("No file can be made in") != std::string::npos,
                        "a read-only Saves/ says so: [" + no_room + "]");
                  fs::current_path(dir / "player");
                  const std::string unread = read_bindings();
                  check(wrong, unread.find("Permission denied") != std::string::npos,
                        "controls.cfg it may not read is unread: [" + unread + "]");
                  check(wrong, save_bindings(ControlBindings{}, unread) == unread, "and is not written");
                  return wrong;
              }),
              "");
    fs::permissions(dir / "locked" / "demo.sav", fs::perms::owner_all);
    EXPECT_EQ(contents(dir / "locked" / "demo.sav"), "3");
    fs::permissions(dir / "player" / "controls.cfg", fs::perms::owner_all);
    EXPECT_EQ(contents(dir / "player" / "controls.cfg"), "k32");
    EXPECT_FALSE(fs::exists(dir / "readonly" / "Saves" / "demo.sav"));
    fs::permissions(dir / "readonly" / "Saves", fs::perms::owner_all);
    fs::remove_all(dir);
}

// A write killed between making its temporary file and the rename leaves
// .NAME.XXXXXX beside the file: the next write removes it, and nothing else.
TEST(AtomicWrite, TheNextWriteRemovesWhatAKilledOneLeft) {
    const auto dir = scratch_dir("leftovers");
    std::ofstream(dir / ".demo.sav.a1B2c3") << "4";
    std::ofstream(dir / ".demo.sav.notes") << "kept";
    std::ofstream(dir / ".controls.cfg.Zz9yX8") << "k1";
    ASSERT_TRUE(write_progress(2, dir / "demo.sav"));
    EXPECT_EQ(contents(dir / "demo.sav"), "2");
    EXPECT_FALSE(fs::exists(dir / ".demo.sav.a1B2c3"));
    EXPECT_TRUE(fs::exists(dir / ".demo.sav.notes"));
    EXPECT_TRUE(fs::exists(dir / ".controls.cfg.Zz9yX8"));  // another file's, left for its own next write
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
