#include "game/replay_recorder.hpp"

#include <utility>

namespace {

bool same_input(const ReplayRun& a, const ReplayRun& b) {
    return a.held == b.held && a.f9_pressed == b.f9_pressed && a.restart == b.restart && a.x == b.x && a.y == b.y;
}

}  // namespace

void ReplayRecorder::hand_out(UpdateInput& in) {
    in.restart = std::exchange(restart_pending_, false);
    record(in);
}

void ReplayRecorder::record(const UpdateInput& in) {
    pointer_x_ = in.mouse_x;
    if (updates_ >= max_replay_updates) {
        overflowed_ = true;
        return;
    }
    updates_ += 1;
    const ReplayRun run = run_of(in);
    if (!runs_.empty() && same_input(runs_.back(), run) && runs_.back().count < max_run_updates)
        runs_.back().count += 1;
    else
        runs_.push_back(run);
}

void ReplayRecorder::pose() {
    if (!overflowed_) poses_.push_back(current_pose(pointer_x_));
}

std::string ReplayRecorder::replay_text(const ReplayHeader& header, const ReplayOutcome& outcome) const {
    std::string text = replay_header_text(header);
    text.reserve(text.size() + runs_.size() * 16 + 512);
    for (const ReplayRun& run : runs_) {
        text += replay_line(run);
        text += '\n';
    }
    return text + replay_footer_text(outcome_lines(outcome));
}
