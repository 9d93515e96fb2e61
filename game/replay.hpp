// Replays: a text of input runs that stands in for the keyboard and mouse.
//
//   COUNT ACTIONS X Y     hold ACTIONS for COUNT updates, pointer at window (X, Y)
//   COUNT ACTIONS @X Y    the same, pointer on world point (X, Y)
//
// ACTIONS is a string of j d l r s h (jump, duck, left, right, shoot, shield),
// f (an F9 press) and c (the pause menu's restart, which costs a life at the
// start of the update), or "-" for none. "#" lines and blank lines are skipped.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/frame.hpp"
#include "game/game_state.hpp"

// A run may last at most a million updates (over four hours at 60 per second),
// a whole replay ten million, so a small file cannot ask for endless play.
inline constexpr int64_t max_run_updates = 1'000'000;
inline constexpr int64_t max_replay_updates = 10'000'000;

struct ReplayRun {
    int64_t count = 0;  // updates, 1 .. max_run_updates
    std::array<bool, action_count> held{};
    bool f9_pressed = false;
    bool restart = false;      // each update of the run forfeits a life first
    bool world_point = false;  // x, y are world px, seen through each update's camera
    int32_t x = 0, y = 0;
};

struct Replay {
    std::vector<ReplayRun> runs;
    int64_t total_updates = 0;
};

// Reads a replay text. False with `why` naming the line when it is malformed.
bool parse_replay(std::string_view text, Replay& out, std::string& why);

// One run as a replay line, without its line break: "30 rs 412 300".
std::string replay_line(const ReplayRun& run);
// The run that stands for one update with this input, pointer in window px.
ReplayRun run_of(const UpdateInput& input);

// Hands out a replay's inputs one update at a time.
class ReplayCursor {
public:
    explicit ReplayCursor(const Replay& replay) : replay_(replay) {}
    // The next update's input, a world point placed with the camera as it
    // stands now (before the update moves it); false when the replay is over.
    bool next(UpdateInput& input);
    bool done() const;

private:
    const Replay& replay_;
    size_t run_ = 0;
    int64_t used_ = 0;  // updates taken from the current run
};

// Where a replayed game ended: what a route test or `vantorel-tool play` checks.
struct ReplayOutcome {
    FrameOutcome result = FrameOutcome::playing;  // playing: the replay ran out first
    int64_t updates = 0;
    int32_t player_x = 0, player_y = 0;
    int32_t health = 0, lives = 0;
    bool powered = false;
    size_t enemies = 0, pickups = 0, lasers = 0, explosions = 0;
    bool red_on = true, green_on = true, blue_on = true;
    int64_t checkpoint = -1;  // index of the checkpoint touched last; -1 none
    int32_t respawn_x = 0, respawn_y = 0;
    int32_t camera_x = 0, camera_y = 0;
};

// The game as it stands now, with the frame driver's last result.
ReplayOutcome current_outcome(FrameOutcome result);
// The outcome as `vantorel-tool play` prints it and a recorded replay's footer
// keeps it: "result won", "updates 2519", "player 7602 1207", ... one fact a line.
std::vector<std::string> outcome_lines(const ReplayOutcome& outcome);

// Plays the replay on the game start_game set up, frame by frame through the
// frame driver with no window, until it is won, lost or out of input.
ReplayOutcome play_replay(const Replay& replay, const UpdateWatcher& watch = {});
