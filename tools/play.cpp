#include "tools/play.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
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

// The settings a play runs with: defaults or the --config file, --threads, the
// start-up corrections, and no alternate timer (every frame runs its updates).
Settings play_settings(const PlayOptions& options) {
    Settings s;
    if (!options.config.empty()) {
        std::istringstream in(read_text_file(options.config, settings_file));
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

void print_trace_line(std::ostream& out, int near) {
    const Player& p = world.player;
    out << "update " << game.updates << " player " << p.x << ' ' << p.y << " speed " << p.vx << ' ' << p.vy
        << " airborne " << p.airborne << " ducking " << p.ducking << " health " << p.health << '\n';
    // The enemies around the player, by their place in the map's list, to see what a route meets.
    for (size_t i = 0; near > 0 && i < world.enemies.size(); ++i) {
        const Enemy& e = world.enemies[i];
        // Differences of two int32 positions, taken in 64 bits so none can overflow.
        if (std::llabs(int64_t{e.x} - p.x) > near || std::llabs(int64_t{e.y} - p.y) > near) continue;
        out << "  enemy " << i << " kind " << e.kind << " at " << e.x << ' ' << e.y << " heading " << e.angle
            << " health " << e.health << '\n';
    }
}

void print_summary(std::ostream& out, const ReplayOutcome& o) {
    out << "result " << result_name(o.result) << '\n'
        << "updates " << o.updates << '\n'
        << "player " << o.player_x << ' ' << o.player_y << '\n'
        << "health " << o.health << '\n'
        << "lives " << o.lives << '\n'
        << "powered " << o.powered << '\n'
        << "enemies " << o.enemies << '\n'
        << "pickups " << o.pickups << '\n'
        << "lasers " << o.lasers << '\n'
        << "explosions " << o.explosions << '\n'
        << "switches " << o.red_on << ' ' << o.green_on << ' ' << o.blue_on << '\n'
        << "checkpoint " << o.checkpoint << '\n'
        << "respawn " << o.respawn_x << ' ' << o.respawn_y << '\n'
        << "camera " << o.camera_x << ' ' << o.camera_y << '\n';
}

}  // namespace

int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err) {
    Settings chosen;
    std::string map_text, why;
    Replay replay;
    try {
        chosen = play_settings(options);
        map_text = map_text_for_argument(options.map);
        if (!parse_replay(read_text_file(options.replay, replay_file), replay, why)) throw ToolError(why);
    } catch (const ToolError& e) {
        err << e.what() << '\n';
        return 1;
    }
    settings = chosen;
    const std::optional<LoadedGame> loaded = start_game(map_text.c_str(), why);
    if (!loaded) {
        err << "The map " << options.map << " cannot be played: " << why << '\n';
        return 1;
    }
    UpdateWatcher watch;
    if (options.trace) watch = [&out, near = options.near] { print_trace_line(out, near); };
    print_summary(out, play_replay(replay, watch));
    return 0;
}
