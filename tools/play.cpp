#include "tools/play.hpp"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <thread>

#include "app/settings.hpp"
#include "game/frame.hpp"
#include "game/replay.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

// Map and replay files above this are refused unread; the built-in maps are a
// few dozen kilobytes and a replay line is a few bytes per run.
constexpr std::uintmax_t max_input_file_bytes = 16u << 20;
constexpr uint32_t frame_ms = 16;  // nominal; the alternate timer is off while playing

// Reads a whole text file; false with one sentence in `why` when it is
// missing, unreadable, huge or not text.
bool read_text_file(const std::string& path, const char* what, std::string& text, std::string& why) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        why = std::string("The ") + what + " file " + path + " does not exist or is not a regular file.";
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > max_input_file_bytes) {
        why = std::string("The ") + what + " file " + path + " is larger than " +
              std::to_string(max_input_file_bytes >> 20) + " MB.";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        why = std::string("The ") + what + " file " + path + " cannot be read.";
        return false;
    }
    if (text.find('\0') != std::string::npos) {
        why = std::string("The ") + what + " file " + path + " holds NUL bytes, so it is not a text file.";
        return false;
    }
    return true;
}

// "1" to "5" name the built-in maps; anything else is a map text file.
bool map_text_for(const std::string& map, std::string& text, std::string& why) {
    if (map.size() == 1 && map[0] >= '1' && map[0] <= '5') {
        const char* builtin = builtin_map_text(map[0] - '0');
        if (builtin == nullptr) {
            why = "Built-in map " + map + " is not made yet.";
            return false;
        }
        text = builtin;
        return true;
    }
    return read_text_file(map, "map", text, why);
}

// The settings a play runs with: defaults or the --config file, --threads, the
// start-up corrections, and no alternate timer (every frame runs its updates).
bool play_settings(const PlayOptions& options, Settings& s, std::string& why) {
    s = Settings{};
    if (!options.config.empty() && !read_settings_file(options.config.c_str(), s)) {
        why = "The settings file " + options.config + " cannot be read.";
        return false;
    }
    if (options.threads != 0) s.threads = options.threads;
    correct_settings(s, static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
    s.use_alternate_timer = 0;
    return true;
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
    FrameOutcome outcome = FrameOutcome::playing;
    while (outcome == FrameOutcome::playing && !cursor.done())
        outcome = simulate_frame(frame_ms, source, watch).outcome;
    return outcome;
}

}  // namespace

int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err) {
    Settings chosen;
    std::string map_text, replay_text, why;
    Replay replay;
    if (!play_settings(options, chosen, why) || !map_text_for(options.map, map_text, why) ||
        !read_text_file(options.replay, "replay", replay_text, why) || !parse_replay(replay_text, replay, why)) {
        err << why << '\n';
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
