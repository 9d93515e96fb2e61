// Recording a game as it is played: each update's input exactly as the frame
// driver hands it to the update step, merged into runs, and where the player
// stood after it, for a ghost. Both grow in blocks, so no update ever pays
// for moving what was recorded before it.
#pragma once

#include <cstdint>
#include <deque>
#include <string>

#include "game/ghost.hpp"
#include "game/replay.hpp"
#include "game/replay_file.hpp"

// Per game: made when the map has loaded, written out when the game ends.
class ReplayRecorder {
public:
    // The pause menu's restart was chosen: the next update handed out takes it.
    // Under the alternate timer a frame may run no update at all, and the
    // restart then waits for the next one that does, so that a replay, which
    // runs an update in every frame, meets it at the same update.
    void restart() { restart_pending_ = true; }
    // The input of the update about to run, with a pending restart added, recorded as the update gets it.
    void hand_out(UpdateInput& in);
    // After that update: where the player stands now.
    void pose();

    int64_t updates() const { return updates_; }
    // The game has run longer than a replay may hold; nothing more is recorded.
    bool overflowed() const { return overflowed_; }

    // The whole replay file: header, the runs, the outcome and "# end".
    std::string replay_text(const ReplayHeader& header, const ReplayOutcome& outcome) const;
    // The ghost file of the poses recorded.
    std::string ghost() const { return ghost_text(poses_); }

private:
    void record(const UpdateInput& in);

    std::deque<ReplayRun> runs_;
    std::deque<GhostPose> poses_;
    int64_t updates_ = 0;
    int32_t pointer_x_ = 0;  // the last input's, which the pose's facing is judged by
    bool overflowed_ = false;
    bool restart_pending_ = false;
};
