#include "tools/play.hpp"

#include <algorithm>
#include <ostream>
#include <sstream>
#include <thread>

#include "app/settings.hpp"
#include "game/frame.hpp"
#include "game/replay.hpp"
#include "game/update.hpp"
#include "tools/tool_input.hpp"
#include "world/world_state.hpp"

namespace {

constexpr uint32_t frame_ms = 16;  // nominal; the alternate timer is off while playing

// The settings a play runs with: defaults or the --config file, --threads, the
// start-up corrections, and no alternate timer (every frame runs its updates).
Settings play_settings(const PlayOptions& options) {
    Settings s;
    if (!options.config.empty()) {
        std::istringstream in(read_text_file(options.config, max_config_file_bytes, "settings"));
        read_settings_from(in, s);
    }
    if (options.threads != 0) s.threads = options.threads;
    correct_settings(s, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    s.use_alternate_timer = 0;
    return s;
}

const char* result_name(FrameOutcome outcome) {
    switch (outcome) {
        case FrameOutcome::won: return "won";
        case FrameOutcome::game_over: return "game_over";
        default: return "unfinished";
    }
}

void print_trace_line(std::ostream& out) {
    const Player& p = world.player;
    out << "update " << game.updates << " player " << p.x << ' ' << p.y << " speed " << p.vx << ' ' << p.vy
        << " airborne " << p.airborne << " ducking " << p.ducking << " health " << p.health << '\n';
}

void print_summary(std::ostream& out, FrameOutcome outcome) {
    const Player& p = world.player;
    const int64_t checkpoint =
        world.last_checkpoint < world.checkpoints.size() ? static_cast<int64_t>(world.last_checkpoint) : -1;
    out << "result " << result_name(outcome) << '\n'
        << "updates " << game.updates << '\n'
        << "player " << p.x << ' ' << p.y << '\n'
        << "health " << p.health << '\n'
        << "lives " << p.lives << '\n'
        << "powered " << p.powered << '\n'
        << "enemies " << world.enemies.size() << '\n'
        << "pickups " << world.pickups.size() << '\n'
        << "lasers " << world.lasers.size() << '\n'
        << "explosions " << world.explosions.size() << '\n'
        << "switches " << world.red_on << ' ' << world.green_on << ' ' << world.blue_on << '\n'
        << "checkpoint " << checkpoint << '\n'
        << "respawn " << p.respawn_x << ' ' << p.respawn_y << '\n'
        << "camera " << world.camera_x << ' ' << world.camera_y << '\n';
}

// Frames until the replay runs out or the game is won or lost.
FrameOutcome play_replay(const Replay& replay, bool trace, std::ostream& out) {
    ReplayCursor cursor(replay);
    const InputSource source = [&cursor](UpdateInput& input) { return cursor.next(input); };
    UpdateWatcher watch;
    if (trace) watch = [&out] { print_trace_line(out); };
    FrameView headless;
    FrameOutcome outcome = FrameOutcome::playing;
    while (outcome == FrameOutcome::playing && !cursor.done())
        outcome = run_frame(frame_ms, source, headless, watch).outcome;
    return outcome;
}

}  // namespace

int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err) {
    Settings chosen;
    std::string map_text, why;
    Replay replay;
    try {
        chosen = play_settings(options);
        map_text = map_text_for_argument(options.map);
        if (!parse_replay(read_text_file(options.replay, max_replay_file_bytes, "replay"), replay, why))
            throw ToolError(why);
    } catch (const ToolError& e) {
        err << e.what() << '\n';
        return 1;
    }
    settings = chosen;
    if (!start_game(map_text.c_str(), why)) {
        err << "The map " << options.map << " cannot be played: " << why << '\n';
        return 1;
    }
    const FrameOutcome outcome = play_replay(replay, options.trace, out);
    print_summary(out, outcome);
    world.release_grid();
    return 0;
}
