#include "game/ghost.hpp"

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/text_lines.hpp"
#include "game/replay.hpp"
#include "world/world_state.hpp"

GhostPose current_pose(int32_t pointer_x) {
    const Player& p = world.player;
    GhostPose pose;
    pose.x = p.x;
    pose.y = p.y;
    pose.ducking = p.ducking;
    // As the drawing decides it: the body faces the pointer, both in window px.
    pose.facing_left = int64_t{pointer_x} < int64_t{p.x} + world.camera_x;
    pose.checkpoint =
        world.last_checkpoint < world.checkpoints.size() ? static_cast<int32_t>(world.last_checkpoint) : -1;
    return pose;
}

void GhostTrack::add(int64_t count, const GhostPose& pose) {
    if (pose.checkpoint >= 0) first_touches_.try_emplace(pose.checkpoint, size_ + 1);
    size_ += count;
    runs_.push_back({size_, pose});
}

const GhostPose* GhostTrack::after(int64_t updates) const {
    if (updates < 1 || updates > size_) return nullptr;
    const auto run =
        std::lower_bound(runs_.begin(), runs_.end(), updates, [](const Run& r, int64_t u) { return r.end < u; });
    return &run->pose;
}

int64_t GhostTrack::first_touch(int32_t checkpoint) const {
    const auto found = first_touches_.find(checkpoint);
    return found == first_touches_.end() ? -1 : found->second;
}

namespace {

std::string pose_line(int64_t count, const GhostPose& p) {
    std::string look;
    if (p.ducking) look += 'd';
    if (p.facing_left) look += 'l';
    if (look.empty()) look = "-";
    return std::to_string(count) + ' ' + std::to_string(p.x) + ' ' + std::to_string(p.y) + ' ' + look + ' ' +
           std::to_string(p.checkpoint) + '\n';
}

template <typename T>
bool read_number(std::string_view& line, T lowest, T highest, T& out) {
    while (line.starts_with(' ')) line.remove_prefix(1);
    const size_t end = std::min(line.find(' '), line.size());
    int64_t value = 0;
    const auto [stop, ec] = std::from_chars(line.data(), line.data() + end, value);
    if (end == 0 || ec != std::errc{} || stop != line.data() + end || value < lowest || value > highest) return false;
    out = static_cast<T>(value);
    line.remove_prefix(end);
    return true;
}

bool read_look(std::string_view& line, GhostPose& pose) {
    while (line.starts_with(' ')) line.remove_prefix(1);
    const size_t end = std::min(line.find(' '), line.size());
    const std::string_view word = line.substr(0, end);
    line.remove_prefix(end);
    if (word == "-") return true;
    for (char c : word) {
        if (c == 'd')
            pose.ducking = true;
        else if (c == 'l')
            pose.facing_left = true;
        else
            return false;
    }
    return !word.empty();
}

// One "COUNT X Y POSE CHECKPOINT" line; false when it is not one.
bool read_pose_line(std::string_view line, int64_t& count, GhostPose& pose) {
    constexpr int32_t lowest = std::numeric_limits<int32_t>::min(), highest = std::numeric_limits<int32_t>::max();
    pose = GhostPose{};
    if (!read_number<int64_t>(line, 1, max_run_updates, count) || !read_number(line, lowest, highest, pose.x) ||
        !read_number(line, lowest, highest, pose.y) || !read_look(line, pose) ||
        !read_number(line, -1, highest, pose.checkpoint))
        return false;
    while (line.starts_with(' ')) line.remove_prefix(1);
    return line.empty();
}

}  // namespace

std::string ghost_text(const std::deque<GhostPose>& poses) {
    std::string text = std::string(ghost_header_line) + '\n';
    for (size_t i = 0; i < poses.size();) {
        size_t same = 1;
        while (i + same < poses.size() && poses[i + same] == poses[i] && same < static_cast<size_t>(max_run_updates))
            ++same;
        text += pose_line(static_cast<int64_t>(same), poses[i]);
        i += same;
    }
    return text + "# end\n";
}

bool parse_ghost(std::string_view text, GhostTrack& out, std::string& why) {
    out = GhostTrack{};
    GhostTrack track;
    int line_number = 0;
    bool ended = false;
    while (!text.empty()) {
        const std::string_view line = take_line(text);
        ++line_number;
        if (line_number == 1 && line != ghost_header_line) {
            why = "The file is not a ghost: it does not start with \"" + std::string(ghost_header_line) + "\".";
            return false;
        }
        if (line_number == 1) continue;
        if (ended || line == "# end") {
            ended = !ended && line == "# end";
            if (ended) continue;
            why = "Ghost line " + std::to_string(line_number) + ": nothing may follow \"# end\".";
            return false;
        }
        int64_t count = 0;
        GhostPose pose;
        if (!read_pose_line(line, count, pose)) {
            why = "Ghost line " + std::to_string(line_number) + ": expected COUNT X Y POSE CHECKPOINT.";
            return false;
        }
        if (track.size() + count > max_replay_updates) {
            why = "The ghost runs past " + std::to_string(max_replay_updates) + " updates.";
            return false;
        }
        track.add(count, pose);
    }
    if (!ended) {
        why = "The ghost is cut short: it does not end with \"# end\".";
        return false;
    }
    out = std::move(track);
    why.clear();
    return true;
}
