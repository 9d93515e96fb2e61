// Timing a run: a game's time in updates shown as minutes, seconds and
// hundredths, and the race against the map's best run at its checkpoints.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

#include "game/ghost.hpp"

inline constexpr int64_t updates_per_second = 60;

// "m:ss.hh" at 60 updates per second, hundredths cut, not rounded: 2519 updates is "0:41.98".
std::string race_time(int64_t updates);
// A lead or lag in updates as "+s.hh" / "-s.hh" ("+m:ss.hh" from a minute on); "+" when behind.
std::string race_difference(int64_t updates);

// Per game: the race against a best run. Watches the checkpoints the player
// touches; reads the world, never writes it.
class RaceClock {
public:
    explicit RaceClock(const GhostTrack* best) : best_(best) {}
    // After each update: notes the update at which a checkpoint first became the one touched last.
    void after_update();
    // How far behind (positive) or ahead (negative) of the best run the player
    // reached the checkpoint touched last, in updates; none before the first
    // checkpoint, without a best run, or at one the best run never touched.
    std::optional<int64_t> difference() const;

private:
    const GhostTrack* best_;
    std::unordered_map<int32_t, int64_t> first_touches_;  // checkpoint index -> update
    int32_t last_ = -1;                                   // the checkpoint touched last
};
