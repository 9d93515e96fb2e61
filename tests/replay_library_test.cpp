// Replays/ in the game folder: names that sort by time, the newest kept and
// every best, the map's best and newest runs, hostile files, failed writes,
// and finding the map a replay was recorded on.
#include "game/replay_library.hpp"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/sha256.hpp"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::system_clock;

class ReplayFolder : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("vantorel_replays_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void write(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    fs::path dir_;
};

ReplayHeader header_for(const std::string& map, const std::string& sha) {
    return {map, sha, "2026-12-08 17:45:03", Settings{}};
}

// A whole replay file of `updates` updates on `map`, won or not.
std::string replay_text(const ReplayHeader& header, int64_t updates, bool won) {
    ReplayOutcome o;
    o.result = won ? FrameOutcome::won : FrameOutcome::playing;
    o.updates = updates;
    return replay_header_text(header) + std::to_string(updates) + " r 400 300\n" + replay_footer_text(outcome_lines(o));
}

const std::string sha_a(64, 'a'), sha_b(64, 'b');

TEST_F(ReplayFolder, SavesNamedByTimeKeepsTheNewestAndEveryBestAndFindsBestAndNewest) {
    const Clock::time_point start = Clock::now();
    // Map 1's games in order, (updates, won); the wins at 500 and 450 were each the best when played.
    const std::vector<std::pair<int64_t, bool>> games = {{500, true}, {300, false}, {600, true}, {450, true},
                                                         {700, true}, {200, false}, {480, true}, {100, false}};
    std::vector<fs::path> written;
    for (size_t i = 0; i < games.size(); ++i) {
        const auto [updates, won] = games[i];
        const ReplayHeader h = header_for("1", sha_a);
        const SavedReplay saved = save_replay(
            dir_, h, replay_text(h, updates, won), [] { return std::string("ghost"); }, won, updates,
            start + std::chrono::seconds(i));
        ASSERT_TRUE(saved.error.empty()) << saved.error;
        EXPECT_EQ(saved.new_best, i == 0 || i == 3) << i;
        EXPECT_EQ(fs::exists(ghost_path_for(saved.path)), saved.new_best) << i;
        written.push_back(saved.path);
    }
    EXPECT_TRUE(std::is_sorted(written.begin(), written.end())) << "names sort by time";
    EXPECT_TRUE(written[0].filename().string().ends_with("_map-1.replay")) << written[0];
    // Another map, and map 1 on another text, are counted apart.
    const ReplayHeader custom = header_for("my map.txt", sha_b);
    const fs::path other =
        save_replay(
            dir_, custom, replay_text(custom, 50, true), [] { return std::string(); }, true, 50, start)
            .path;
    EXPECT_TRUE(other.filename().string().ends_with("_my_map.txt.replay")) << other;

    MapRuns runs = runs_of_map(list_replays(dir_), {"1", sha_a});
    ASSERT_TRUE(runs.best && runs.newest);
    EXPECT_EQ(runs.best->path, written[3]);
    EXPECT_EQ(runs.best->updates, 450);
    EXPECT_EQ(runs.newest->path, written.back());
    EXPECT_FALSE(runs_of_map(list_replays(dir_), {"1", sha_b}).newest);

    // Keep three: the newest three, and the two runs that were bests when played.
    prune_replays(dir_, "1", 3);
    for (size_t i = 0; i < written.size(); ++i) EXPECT_EQ(fs::exists(written[i]), i == 0 || i == 3 || i >= 5) << i;
    EXPECT_TRUE(fs::exists(ghost_path_for(written[3])));
    EXPECT_TRUE(fs::exists(other));
    runs = runs_of_map(list_replays(dir_), {"1", sha_a});
    EXPECT_EQ(runs.best->path, written[3]);
}

TEST_F(ReplayFolder, HostileFilesAreListedWithTheirReasonNeverWatchedAndNeverRemoved) {
    const ReplayHeader h = header_for("1", sha_a);
    const std::string good = replay_text(h, 100, true);
    struct Case {
        std::string name, text, reason;
    };
    const std::vector<Case> cases = {
        {"a-malformed.replay", "hello\n", "not a recorded replay"},
        {"b-truncated.replay", good.substr(0, good.size() - 30), "cut short"},
        {"c-nul.replay", std::string("# vantorel replay 1\n\0\n", 22), "NUL"},
        {"d-wrong-map.replay", "# vantorel replay 1\n# map ../../etc/passwd\n", "plain file name"},
        {"e-newer.replay", "# vantorel replay 2\n", "another format"},
        {"f-bad-footer.replay", good.substr(0, good.find("# updates")) + "# updates many\n# end\n", "footer"},
        {"g-bad-body.replay", replay_header_text(h) + "1 r 1.5 0\n" + good.substr(good.find("# result")), "line 29"},
        {"h-huge.replay", "", "larger than 16 MiB"},
    };
    for (const Case& c : cases) write(dir_ / c.name, c.text);
    fs::resize_file(dir_ / "h-huge.replay", 17u << 20);
    fs::create_directory(dir_ / "folder.replay");
    write(dir_ / "notes.txt", good);
    write(dir_ / ".hidden.replay", good);
    write(dir_ / "z-good.replay", good);

    const std::vector<ReplayEntry> entries = list_replays(dir_);
    ASSERT_EQ(entries.size(), cases.size() + 1);  // the folder, the note and the hidden file are skipped
    for (size_t i = 0; i < cases.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        const ReplayEntry& e = entries[i];
        EXPECT_EQ(e.path.filename(), cases[i].name);
        // The body is not read when listing; watching it reads it whole and refuses it.
        std::string why;
        const bool body_only = cases[i].name == "g-bad-body.replay";
        EXPECT_EQ(e.problem.empty(), body_only) << e.problem;
        EXPECT_FALSE(load_replay(e.path, why));
        EXPECT_NE((body_only ? why : e.problem).find(cases[i].reason), std::string::npos) << e.problem << why;
        EXPECT_EQ(std::count(why.begin(), why.end(), '\n'), 0);
    }
    EXPECT_TRUE(entries.back().problem.empty());
    std::string why;
    EXPECT_TRUE(load_replay(entries.back().path, why)) << why;

    // Keeping none of map 1's: the good file goes (the one before it, whose body alone is
    // bad, was the first win and stays a best); what cannot be read as a replay is never removed.
    prune_replays(dir_, "1", 0);
    for (const Case& c : cases) EXPECT_TRUE(fs::exists(dir_ / c.name)) << c.name;
    EXPECT_FALSE(fs::exists(dir_ / "z-good.replay"));
}

TEST_F(ReplayFolder, AFailedWriteIsReportedAndLeavesNothingBehind) {
    write(dir_ / "not-a-folder", "");
    const ReplayHeader h = header_for("1", sha_a);
    const SavedReplay saved = save_replay(
        dir_ / "not-a-folder" / "Replays", h, replay_text(h, 10, true), [] { return std::string(); }, true, 10,
        Clock::now());
    EXPECT_TRUE(saved.path.empty());
    EXPECT_FALSE(saved.new_best);
    EXPECT_NE(saved.error.find("could not be written"), std::string::npos) << saved.error;
}

TEST_F(ReplayFolder, AReplaysMapIsFoundByItsTextAndAChangedMapIsRefused) {
    const std::string map = "900 400 60 300 800 300 1 3 332 896 332 1 0 0 0 0 ";
    ReplayHeader h = header_for("mine.txt", sha256_hex(map));
    fs::create_directories(dir_ / "edited");
    fs::create_directories(dir_ / "kept");
    write(dir_ / "edited" / "mine.txt", map + "1 450 300 ");
    write(dir_ / "kept" / "mine.txt", map);
    std::string why;
    EXPECT_FALSE(map_for_replay(h, {dir_ / "edited"}, why));
    EXPECT_NE(why.find("The map mine.txt has changed since the replay was recorded"), std::string::npos) << why;
    EXPECT_EQ(map_for_replay(h, {dir_ / "edited", dir_ / "kept"}, why), map);
    EXPECT_FALSE(map_for_replay(h, {dir_}, why));
    EXPECT_NE(why.find("was not found"), std::string::npos) << why;

    h = header_for("1", sha_a);  // map 1, recorded on a text it no longer has
    EXPECT_FALSE(map_for_replay(h, {}, why));
    EXPECT_NE(why.find("Map 1 has changed"), std::string::npos) << why;
    h.map_sha256 = builtin_map_identity(1).sha256;
    EXPECT_TRUE(map_for_replay(h, {}, why)) << why;
    EXPECT_EQ(sha256_hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
}

}  // namespace
