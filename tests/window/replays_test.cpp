// Replays in the real program: a game won in the window is recorded and
// checks without a window, its best time shows, watching it ends as it was
// recorded, the best run is raced as a ghost, and a game restarted and left
// through the pause menu checks too, its one F9 press kept as one; with its
// recorded outcome altered, watching it ends in red. Map selection shows the
// best time of a built-in map whose replay was recorded without a window at
// another screen size, and watches it whole, scaled to fit. A replay that
// cannot be written is said so on the bottom line.
//
// Window positions are px of the 800 x 600 window, with the shader off.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/replay_library.hpp"
#include "game/replay_recorder.hpp"
#include "game/update.hpp"
#include "window/scenarios.hpp"
#include "world/maps.hpp"

namespace {

// The custom-map screen's first row, and where the map's best time is written:
// at its right end, left of the row's 64 px Edit control.
constexpr int first_row_x = 300, first_row_y = 80;
constexpr Box best_time_in_row{490, 66, 92, 28};
// The top edge of the Watch best button on map selection and on the custom-map screen:
// white when the map the buttons act on has a best run, grey when it has none.
constexpr int watch_best_x = 300, map_select_watch_best_y = 523, custom_maps_watch_best_y = 531;
const sf::Color lit_button(255, 255, 255), dim_button(90, 90, 90);
// The watch screen's end panel, green when the game ended as recorded, red when not.
constexpr Box end_panel{80, 230, 640, 140};
// Map 1's replay is recorded at 1024 x 576: watched in the 800 x 600 window it is
// scaled by 25/32 to 800 x 450, between black bands 75 px high; its health bar
// lies at (4, 79) and its end panel's middle at y 300.
constexpr int recorded_width = 1024, recorded_height = 576;
constexpr Box band_above{0, 0, 800, 74}, scaled_health_bar{4, 79, 78, 15}, scaled_end_panel{80, 240, 640, 120};

// Whether the watch screen shows a replay recorded at 1024 x 576: its health bar, scaled, and nothing above it.
bool scaled_game_shows(const sf::Image& shot) {
    return count_in(shot, scaled_health_bar, Tint::green) > 300 && count_in(shot, band_above) == 0;
}

// The replays in the game folder, oldest first.
std::vector<fs::path> replays_in(const fs::path& folder, const char* extension = replay_extension) {
    std::vector<fs::path> found;
    if (fs::is_directory(folder / replays_folder))
        for (const auto& entry : fs::directory_iterator(folder / replays_folder))
            if (entry.path().extension() == extension) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found;
}

struct ToolRun {
    int status = -1;
    std::string out;
};

// vantorel-tool play REPLAY --check, run in the game folder as a player would.
ToolRun check_replay(const fs::path& folder, const fs::path& replay) {
    const std::string command = "cd '" + folder.string() + "' && '" VANTOREL_TOOL_PATH "' play 'Replays/" +
                                replay.filename().string() + "' --check 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    std::array<char, 4096> chunk;
    while (fgets(chunk.data(), static_cast<int>(chunk.size()), pipe) != nullptr) run.out += chunk.data();
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

// Updates a replay file gives an F9 press.
int64_t f9_presses_in(const fs::path& replay) {
    std::string why;
    const std::optional<ReplayFile> file = load_replay(replay, why);
    EXPECT_TRUE(file) << why;
    int64_t presses = 0;
    if (file)
        for (const ReplayRun& run : file->replay.runs) presses += run.f9_pressed ? run.count : 0;
    return presses;
}

// Map 1's route recorded without a window as the game records a game, at
// 1024 x 576, into the folder's Replays/.
void record_route_of_map_1(const fs::path& folder) {
    std::ifstream in(VANTOREL_SOURCE_DIR "/tests/routes/map1.replay", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Replay route;
    std::string why;
    ASSERT_TRUE(parse_replay(text.str(), route, why)) << why;
    settings = Settings{};
    settings.threads = 1;
    settings.resolution_width = recorded_width;
    settings.resolution_height = recorded_height;
    const std::optional<LoadedGame> loaded = start_game(builtin_map_text(1), why);
    ASSERT_TRUE(loaded) << why;
    ReplayCursor cursor(route);
    ReplayRecorder recorder;
    const InputSource source = [&](UpdateInput& input) {
        if (!cursor.next(input)) return false;
        recorder.hand_out(input);
        return true;
    };
    FrameView no_window;
    FrameOutcome result = FrameOutcome::playing;
    while (result == FrameOutcome::playing && !cursor.done())
        result = run_frame(16, source, no_window, [&recorder] { recorder.pose(); }).outcome;
    ASSERT_EQ(result, FrameOutcome::won);
    const auto now = std::chrono::system_clock::now();
    const ReplayHeader header{"1", builtin_map_identity(1).sha256, recorded_time_text(now), settings};
    const SavedReplay saved = save_replay(
        folder / replays_folder, header, recorder.replay_text(header, current_outcome(result)),
        [&recorder] { return recorder.ghost(); }, true, recorder.updates(), now);
    ASSERT_TRUE(saved.error.empty()) << saved.error;
}

}  // namespace

TEST_F(WindowTest, AWonGameIsRecordedChecksShowsItsBestIsWatchedAndRacedAndALeftGameChecksToo) {
    ASSERT_NO_FATAL_FAILURE(record_route_of_map_1(game.folder()));
    ASSERT_TRUE(start_plain(game));

    // Map selection: map 1's best time, from the replay recorded without a window, and its Watch best lit.
    choose(game, play_game);
    EXPECT_TRUE(game.wait_for_pixel("map-select-no-map-yet", watch_best_x, map_select_watch_best_y, dim_button));
    game.move(60, 80);
    EXPECT_TRUE(game.wait_for_pixel("map-select-best-time", watch_best_x, map_select_watch_best_y, lit_button));

    // V watches it at the size it was recorded at, whole, and it ends won as recorded.
    game.key("v");
    EXPECT_TRUE(game.wait_for("watch-other-size", "the watched game, scaled", scaled_game_shows));
    game.key("4");  // x8
    EXPECT_TRUE(game.wait_for_count("watch-other-size-end", scaled_end_panel, Tint::green, 600, 30));
    EXPECT_EQ(count_in(game.picture("watch-other-size-end"), scaled_end_panel, Tint::red), 0);
    game.key("Escape");
    EXPECT_TRUE(game.wait_for_count("map-select-after-watch", message_line, Tint::green, 50)) << "as recorded";
    game.key("Escape");

    // The example custom map, won by holding the walk key.
    choose(game, custom_maps);
    EXPECT_TRUE(game.wait_for_count("custom-maps-no-best", {144, 64, 512, 32}, Tint::lit, 100));
    EXPECT_EQ(count_in(game.picture("custom-maps-no-best"), best_time_in_row), 0) << "no best time yet";
    EXPECT_EQ(game.picture("custom-maps-no-best").getPixel(watch_best_x, custom_maps_watch_best_y), dim_button);
    game.click(first_row_x, first_row_y);
    ASSERT_TRUE(game.wait_for("custom-map-playing", "the game", game_shows));
    game.key_down("d");
    EXPECT_TRUE(game.wait_for_count("custom-map-won", message_line, Tint::green, 50, 40)) << "completed, a new best";
    game.key_up("d");

    // Its replay, with a ghost beside it as the map's first win, checks without a window.
    const std::vector<fs::path> won = replays_in(game.folder());
    ASSERT_EQ(won.size(), 2u) << "map 1's and the game just won";
    const fs::path won_replay = won.back();
    EXPECT_TRUE(won_replay.filename().string().ends_with("_first-steps.txt.replay")) << won_replay;
    EXPECT_TRUE(fs::exists(ghost_path_for(won_replay)));
    const ToolRun checked = check_replay(game.folder(), won_replay);
    EXPECT_EQ(checked.status, 0) << checked.out;
    EXPECT_EQ(checked.out.rfind("result won\n", 0), 0u) << checked.out;

    // The list shows the best time; V watches it, and it ends won as recorded (the same updates, the same state).
    game.move(first_row_x, first_row_y);
    EXPECT_TRUE(game.wait_for_count("custom-maps-best", best_time_in_row, Tint::lit, 30)) << "the best time";
    EXPECT_TRUE(game.wait_for_pixel("custom-maps-best", watch_best_x, custom_maps_watch_best_y, lit_button));
    game.key("v");
    EXPECT_TRUE(game.wait_for("watch-playing", "the watched game", game_shows));
    game.key("3");  // x4
    EXPECT_TRUE(game.wait_for_count("watch-end", end_panel, Tint::green, 600, 60)) << "the green end panel";
    EXPECT_EQ(count_in(game.picture("watch-end"), end_panel, Tint::red), 0) << "a red panel: not as recorded";
    game.key("Escape");
    EXPECT_TRUE(game.wait_for_count("custom-maps-after-watch", message_line, Tint::green, 50)) << "as recorded";

    // Played again, the best run's ghost races along; restarted and left through the pause menu.
    game.click(first_row_x, first_row_y);
    ASSERT_TRUE(game.wait_for("custom-map-again", "the game", game_shows));
    game.key_down("d");
    EXPECT_TRUE(game.wait_for_count("race-clock", {300, 0, 200, 30}, Tint::lit, 100)) << "the race clock";
    game.key("F9");  // one press: one update skips the track
    sleep_ms(1500);
    game.picture("ghost");  // the best run stood still at first: its ghost is left behind
    game.key_up("d");
    game.key("Escape");
    game.click(400, 330);  // restart: a life lost, back to the checkpoint
    EXPECT_TRUE(game.wait_for("after-restart", "the game", game_shows));
    game.key("Escape");
    game.click(400, 396);  // leave the map
    EXPECT_TRUE(game.wait_for_count("custom-maps-after-leaving", best_time_in_row, Tint::lit, 30));
    const std::vector<fs::path> all = replays_in(game.folder());
    ASSERT_EQ(all.size(), 3u);
    const ToolRun left = check_replay(game.folder(), all.back());
    EXPECT_EQ(left.status, 0) << left.out;
    EXPECT_EQ(left.out.rfind("result unfinished\n", 0), 0u) << left.out;
    EXPECT_NE(left.out.find("lives 1\n"), std::string::npos) << "the restart cost a life: " << left.out;
    EXPECT_EQ(f9_presses_in(all.back()), 1);
    EXPECT_EQ(replays_in(game.folder(), ghost_extension).size(), 2u) << "a ghost beside each best only";

    // The newest replay's recorded outcome altered: L watches it, and its end says in red that it differs.
    std::string altered = game.read_file("Replays/" + all.back().filename().string());
    const std::string recorded_lives = "\n# lives 1\n";
    const size_t lives = altered.find(recorded_lives);
    ASSERT_NE(lives, std::string::npos);
    altered.replace(lives, recorded_lives.size(), "\n# lives 2\n");
    game.write_file("Replays/" + all.back().filename().string(), altered);
    game.key("l");
    EXPECT_TRUE(game.wait_for("watch-newest", "the watched game", game_shows));
    game.key("4");  // x8
    EXPECT_TRUE(game.wait_for_count("watch-not-as-recorded", end_panel, Tint::red, 600, 30)) << "the red end panel";
    game.key("Escape");
    EXPECT_TRUE(game.wait_for_count("custom-maps-after-differing-watch", message_line, Tint::red, 50));

    game.key("Escape");
    quit_from_title(game);
}

TEST_F(WindowTest, AReplayThatCannotBeWrittenIsSaidSoAndTheGameEndsAsUsual) {
    game.write_file(replays_folder, "");  // a file where the folder should be
    ASSERT_TRUE(start_plain(game));
    choose(game, custom_maps);
    EXPECT_TRUE(game.wait_for_count("custom-maps", {144, 64, 512, 32}, Tint::lit, 100));
    game.click(first_row_x, first_row_y);
    ASSERT_TRUE(game.wait_for("custom-map-playing", "the game", game_shows));
    game.key("Escape");
    game.click(400, 396);  // leave the map
    EXPECT_TRUE(game.wait_for_count("replay-not-written", message_line, Tint::red, 50)) << "the failure said";
    EXPECT_TRUE(fs::is_regular_file(game.folder() / replays_folder)) << "nothing else was touched";
    game.key("Escape");
    quit_from_title(game);
}
