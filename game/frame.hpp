// The simulation part of one frame: the frame-rate gate, the frame's updates,
// the per-frame animation counters, and the win and death tests.
//
// A caller starts a game with start_game, then calls simulate_frame once per
// frame with the frame's duration and a source of per-update inputs, until it
// returns won or game_over. The window side may instead call the steps one by
// one around its drawing (gather_frame_time, run_frame_updates, ...).
#pragma once

#include <cstdint>
#include <functional>

#include "game/game_state.hpp"

enum class FrameOutcome { playing, won, game_over };

// Fills the next update's input; false when there is none (a replay has ended).
using InputSource = std::function<bool(UpdateInput&)>;

struct FrameResult {
    FrameOutcome outcome = FrameOutcome::playing;
    int32_t updates_run = 0;
    bool input_ended = false;  // the source ran dry during this frame
};

// Adds the frame's duration (ms) to the alternate timer's sum and tells whether
// this frame may run updates.
bool gather_frame_time(uint32_t frame_ms);
// Called after each update (a replay's trace, say).
using UpdateWatcher = std::function<void()>;

// Runs game_speed_multiplier updates when the gate holds, each with the next
// input of `source`; stops early when the source runs dry.
FrameResult run_frame_updates(bool gate_holds, const InputSource& source, const UpdateWatcher& watch = {});
// The arm animation, the exit's spin and the explosions advance on gated frames.
void advance_frame_counters(bool gate_holds);
// The win test, then the death test (which may respawn the player).
FrameOutcome end_of_frame_tests();
// Starts the alternate timer's sum afresh once a gated frame has used it.
void spend_frame_time();

// One whole frame of the simulation, in the order above.
FrameResult simulate_frame(uint32_t frame_ms, const InputSource& source, const UpdateWatcher& watch = {});
