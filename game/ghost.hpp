// The ghost of a map's best run: where its player stood after each update,
// kept in a file beside the best replay so that racing it needs no second
// simulation. Only drawn; it never touches the game.
//
//   # vantorel ghost 1
//   COUNT X Y POSE CHECKPOINT   COUNT updates in a row at world px (X, Y); POSE is
//   ...                         "-", or d (ducking) and / or l (facing left); CHECKPOINT
//   # end                       is the index touched last, -1 for none
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/file_reading.hpp"

inline constexpr std::string_view ghost_header_line = "# vantorel ghost 1";
// A ghost line is about 20 bytes, one per update while the player moves: hours of play.
inline constexpr uint64_t max_ghost_file_bytes = 16u << 20;
inline constexpr FileKind ghost_file{"ghost", max_ghost_file_bytes, true};

// Where the player stands after one update.
struct GhostPose {
    int32_t x = 0, y = 0;  // player.x, player.y, world px
    bool ducking = false;
    bool facing_left = false;  // the body is drawn mirrored: the pointer is left of the player
    int32_t checkpoint = -1;   // index of the checkpoint touched last, -1 none
    bool operator==(const GhostPose&) const = default;
};

// The pose of the game as it stands now; `pointer_x` is the update's pointer, window px.
GhostPose current_pose(int32_t pointer_x);

// Per game with a best run: the best run's poses, read once before play starts.
// Kept as runs of equal poses, so a file of a few lines cannot ask for
// millions of poses in memory.
class GhostTrack {
public:
    // Appends `count` updates (1 or more) in the same pose.
    void add(int64_t count, const GhostPose& pose);
    // The pose after `updates` updates (1 .. size()); nullptr outside the track.
    const GhostPose* after(int64_t updates) const;
    int64_t size() const { return size_; }
    // The update at which checkpoint i first became the one touched last; -1 when the run never touched it.
    int64_t first_touch(int32_t checkpoint) const;

private:
    struct Run {
        int64_t end = 0;  // updates up to and including this run
        GhostPose pose;
    };
    std::vector<Run> runs_;
    int64_t size_ = 0;
    std::unordered_map<int32_t, int64_t> first_touches_;  // checkpoint index -> update
};

// A track in the ghost file format, runs of equal poses merged.
std::string ghost_text(const std::deque<GhostPose>& poses);
// Reads a ghost file. False with `why` in one sentence when it is malformed
// or holds more than a replay may (max_replay_updates).
bool parse_ghost(std::string_view text, GhostTrack& out, std::string& why);
