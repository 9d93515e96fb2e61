#include "tools/play.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

#include "app/settings.hpp"
#include "game/frame.hpp"
#include "game/replay.hpp"
#include "game/replay_file.hpp"
#include "game/replay_library.hpp"
#include "game/update.hpp"
#include "tools/tool_input.hpp"
#include "world/world_state.hpp"

namespace {

namespace fs = std::filesystem;

int processor_count() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// The settings a play runs with: defaults or the --config file, --threads, the
// start-up corrections, and no alternate timer (every frame runs its updates).
Settings play_settings(const PlayOptions& options) {
    Settings s;
    if (!options.config.empty()) {
        std::istringstream in(read_text_file(options.config, settings_file));
        read_settings_from(in, s);
    }
    if (options.threads != 0) s.threads = options.threads;
    correct_settings(s, processor_count());
    s.use_alternate_timer = 0;
    return s;
}

// A recorded replay's own settings: the header's, its threads unless --threads says otherwise.
Settings recorded_settings(const PlayOptions& options, const ReplayHeader& header) {
    Settings own;
    own.threads = options.threads != 0 ? options.threads : header.settings.threads;
    Settings s = replay_play_settings(own, header.settings);
    correct_settings(s, processor_count());
    return s;
}

// Where a custom map a header names is looked for: beside the replay, in the
// Maps/ folder of the game folder the replay sits in, and in ./Maps/.
std::vector<fs::path> map_folders(const std::string& replay) {
    const fs::path beside = fs::path(replay).parent_path();
    const fs::path here = beside.empty() ? fs::path(".") : beside;
    return {here, here / ".." / "Maps", fs::path("Maps")};
}

// The map text the replay plays on, by the MAP argument, --map or its header.
std::string chosen_map_text(const PlayOptions& options, const ReplayFile& file) {
    if (!options.map.empty()) return map_text_for_argument(options.map);
    if (!file.header)
        throw ToolError("The replay does not name its map; give one: vantorel-tool play MAP " +
                        quoted_path(options.replay) + ".");
    std::string why;
    if (!options.map_file.empty()) {
        std::string text = read_text_file(options.map_file, map_text_file);
        if (!map_text_matches(*file.header, text, why)) throw ToolError(why);
        return text;
    }
    const auto text = map_for_replay(*file.header, map_folders(options.replay), why);
    if (!text) throw ToolError(why);
    return *text;
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

}  // namespace

int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err) {
    Settings chosen;
    std::string map_text, why;
    ReplayFile file;
    try {
        if (!options.map.empty() && !options.map_file.empty())
            throw ToolError("--map names the map of a replay given alone; a MAP argument was given as well.");
        if (options.map.empty() && !options.config.empty())
            throw ToolError("--config goes with a MAP argument; a replay given alone plays with its own settings.");
        if (!parse_replay_file(read_text_file(options.replay, replay_file), file, why)) throw ToolError(why);
        if (options.check && file.footer.empty())
            throw ToolError(quoted_path(options.replay) + " holds no recorded outcome to check against.");
        map_text = chosen_map_text(options, file);
        chosen = options.map.empty() ? recorded_settings(options, *file.header) : play_settings(options);
    } catch (const ToolError& e) {
        err << e.what() << '\n';
        return 1;
    }
    settings = chosen;
    const std::optional<LoadedGame> loaded = start_game(map_text.c_str(), why);
    if (!loaded) {
        err << "The map " << (options.map.empty() ? file.header->map : options.map) << " cannot be played: " << why
            << '\n';
        return 1;
    }
    UpdateWatcher watch;
    if (options.trace) watch = [&out, near = options.near] { print_trace_line(out, near); };
    const std::vector<std::string> outcome = outcome_lines(play_replay(file.replay, watch));
    for (const std::string& line : outcome) out << line << '\n';
    if (!options.check) return 0;
    const std::string difference = first_outcome_difference(outcome, file.footer);
    if (difference.empty()) return 0;
    err << difference << '\n';
    return 1;
}

RoutePath trace_route(const std::string& map, const std::string& replay_path) {
    const std::string map_text = map_text_for_argument(map);
    Replay replay;
    std::string why;
    if (!parse_replay(read_text_file(replay_path, replay_file), replay, why)) throw ToolError(why);
    settings = play_settings(PlayOptions{});
    const std::optional<LoadedGame> loaded = start_game(map_text.c_str(), why);
    if (!loaded) throw ToolError("The map " + map + " cannot be played: " + why);
    RoutePath path;
    int32_t lives = world.player.lives;
    play_replay(replay, [&] {
        const Player& p = world.player;
        // A respawn shows as fewer lives after the update that follows the death.
        if (p.lives < lives && !path.points.empty()) path.deaths.push_back(path.points.back());
        lives = p.lives;
        path.points.emplace_back(p.x, p.y);
    });
    return path;
}
