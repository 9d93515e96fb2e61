// The replay parser on arbitrary text. A replay it accepts keeps to its
// bounds, and written out again in its own format it parses to the same runs.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.hpp"
#include "game/replay.hpp"

namespace {

// The runs in the replay format, one line each.
std::string printed(const Replay& replay) {
    constexpr std::string_view letters = "jdlrsh";  // in action order
    std::string text = "# printed again\n";
    for (const ReplayRun& run : replay.runs) {
        std::string actions;
        for (int a = 0; a < action_count; ++a)
            if (run.held[a]) actions += letters[a];
        if (run.f9_pressed) actions += 'f';
        if (actions.empty()) actions = "-";
        text += std::to_string(run.count) + ' ' + actions + ' ' + (run.world_point ? "@" : "") + std::to_string(run.x) +
                '\t' + std::to_string(run.y) + "\r\n";
    }
    return text;
}

bool same_runs(const Replay& a, const Replay& b) {
    if (a.runs.size() != b.runs.size() || a.total_updates != b.total_updates) return false;
    for (size_t i = 0; i < a.runs.size(); ++i) {
        const ReplayRun &r = a.runs[i], &s = b.runs[i];
        if (r.count != s.count || r.held != s.held || r.f9_pressed != s.f9_pressed || r.world_point != s.world_point ||
            r.x != s.x || r.y != s.y)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Replay replay;
    std::string why;
    if (!parse_replay(text, replay, why)) {
        require(why.starts_with("Replay line ") && why.find('\n') == std::string::npos,
                "a refusal names its line in one line");
        return 0;
    }
    require(why.empty(), "an accepted replay gives no reason");
    int64_t total = 0;
    for (const ReplayRun& run : replay.runs) {
        require(run.count >= 1 && run.count <= max_run_updates, "every run lasts 1 to max_run_updates updates");
        total += run.count;
    }
    require(total == replay.total_updates && total <= max_replay_updates, "the total is the runs' sum, within bounds");

    Replay again;
    require(parse_replay(printed(replay), again, why), "a printed replay parses: " + why);
    require(same_runs(replay, again), "a printed replay parses to the same runs");
    return 0;
}
