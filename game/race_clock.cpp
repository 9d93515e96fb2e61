#include "game/race_clock.hpp"

#include <cstdio>

#include "game/game_state.hpp"
#include "world/world_state.hpp"

namespace {

// Minutes, seconds and hundredths of a non-negative update count; minutes only when asked or needed.
std::string clock_text(int64_t updates, bool always_minutes) {
    const int64_t hundredths =
        updates / updates_per_second * 100 + updates % updates_per_second * 100 / updates_per_second;
    const long long minutes = hundredths / 6000, seconds = hundredths / 100 % 60, rest = hundredths % 100;
    char text[64];
    if (always_minutes || minutes > 0)
        std::snprintf(text, sizeof text, "%lld:%02lld.%02lld", minutes, seconds, rest);
    else
        std::snprintf(text, sizeof text, "%lld.%02lld", seconds, rest);
    return text;
}

}  // namespace

std::string race_time(int64_t updates) { return clock_text(updates < 0 ? 0 : updates, true); }

std::string race_difference(int64_t updates) {
    // The magnitude of the most negative count does not fit; no game lasts that long.
    const int64_t size = updates < 0 ? (updates == INT64_MIN ? INT64_MAX : -updates) : updates;
    return (updates < 0 ? "-" : "+") + clock_text(size, false);
}

void RaceClock::after_update() {
    const size_t touched = world.last_checkpoint;
    if (touched >= world.checkpoints.size()) return;
    last_ = static_cast<int32_t>(touched);
    first_touches_.try_emplace(last_, game.updates);
}

std::optional<int64_t> RaceClock::difference() const {
    if (best_ == nullptr || last_ < 0) return std::nullopt;
    const int64_t best = best_->first_touch(last_);
    if (best < 0) return std::nullopt;
    return first_touches_.at(last_) - best;
}
