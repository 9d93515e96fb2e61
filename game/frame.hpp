// The one frame driver: the window and replays both run every frame of a game
// through run_frame, so the replay tests prove the code the game runs.
//
// A frame, in order: the frame-rate gate, the frame's updates (each after the
// view's music upkeep), the view draws the scene, the per-frame counters
// advance (and the hit flashes the scene showed are spent), the win test, the
// death test (with the view's sequence between losing the life and
// respawning), and the view finishes the frame (the player's flash is then spent).
#pragma once

#include <cstdint>
#include <functional>

#include "game/game_state.hpp"

enum class FrameOutcome { playing, won, game_over };

// The frame draws enemies up to this far beyond the screen's edges, px (their
// images reach 16 px from the centre); an enemy's hit flash shows on such a frame.
inline constexpr int32_t enemy_draw_margin = 16;

// What only a window does around the simulation; every hook is optional, so a
// replay or a test passes a FrameView as it is.
class FrameView {
public:
    virtual ~FrameView() = default;
    // Music upkeep, the first step of every update; f9_pressed: the frame's
    // last event was an F9 press, which skips the track.
    virtual void music(bool /*f9_pressed*/) {}
    // Draws everything but the player after the frame's updates, before the
    // animation counters advance (explosions and the exit show their current
    // step) and before the drawn enemies' hit flashes are spent. Reads the world only.
    virtual void draw_scene(bool /*gate_holds*/) {}
    // The exit was reached: the exit animation, before run_frame reports the win.
    virtual void exit_sequence() {}
    // A life was lost with lives to spare; the player still stands where it died
    // and reappears at the respawn point when this returns.
    virtual void death_sequence() {}
    // The last life was lost; the game ends when this returns.
    virtual void game_over_sequence() {}
    // The frame goes on to its end: the player and its hit flash (unless it has
    // just respawned, player_drawn false), the cursor and presenting. Reads the
    // world only; the player's flash is spent after this.
    virtual void finish_frame(bool /*player_drawn*/) {}
};

// Fills the next update's input; false when there is none (a replay has ended).
using InputSource = std::function<bool(UpdateInput&)>;
// Called after each update (a replay's trace, say).
using UpdateWatcher = std::function<void()>;

struct FrameResult {
    FrameOutcome outcome = FrameOutcome::playing;
    int32_t updates_run = 0;
    bool input_ended = false;  // the source ran dry during this frame
};

// Runs one whole frame of frame_ms milliseconds (the window's last frame time):
// game_speed_multiplier updates with inputs from `source` when the gate holds,
// then the view's drawing and sequences around the win and death tests.
FrameResult run_frame(uint32_t frame_ms, const InputSource& source, FrameView& view, const UpdateWatcher& watch = {});
