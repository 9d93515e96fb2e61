#include "game/replay.hpp"

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/text_lines.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

namespace {

constexpr std::string_view action_letters = "jdlrsh";  // in Action order
constexpr char f9_letter = 'f';
constexpr char restart_letter = 'c';

std::vector<std::string_view> split_words(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

// A whole decimal number, optionally signed, nothing else.
bool parse_number(std::string_view word, int64_t& out) {
    if (!word.empty() && word[0] == '+') word.remove_prefix(1);
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out);
    return !word.empty() && ec == std::errc{} && end == word.data() + word.size();
}

bool parse_coordinate(std::string_view word, int32_t& out) {
    int64_t v = 0;
    if (!parse_number(word, v) || v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
        return false;
    out = static_cast<int32_t>(v);
    return true;
}

bool parse_actions(std::string_view word, ReplayRun& run) {
    if (word == "-") return true;
    for (char c : word) {
        const size_t a = action_letters.find(c);
        if (a != std::string_view::npos)
            run.held[a] = true;
        else if (c == f9_letter)
            run.f9_pressed = true;
        else if (c == restart_letter)
            run.restart = true;
        else
            return false;
    }
    return true;
}

// One input line into `run`; an empty string when it is well formed, else why not.
std::string parse_line(std::string_view line, ReplayRun& run) {
    const auto words = split_words(line);
    if (words.size() != 4) return "expected COUNT ACTIONS X Y, found " + std::to_string(words.size()) + " words";
    if (!parse_number(words[0], run.count) || run.count < 1 || run.count > max_run_updates)
        return "COUNT must be a whole number from 1 to " + std::to_string(max_run_updates);
    if (!parse_actions(words[1], run)) return "ACTIONS must be \"-\" or letters from j d l r s h f c";
    std::string_view x = words[2];
    run.world_point = x.starts_with('@');
    if (run.world_point) x.remove_prefix(1);
    if (!parse_coordinate(x, run.x) || !parse_coordinate(words[3], run.y))
        return "X and Y must be whole numbers of pixels (X may start with @ for a world point)";
    return {};
}

bool skipped(std::string_view line) {
    const size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

}  // namespace

bool parse_replay(std::string_view text, Replay& out, std::string& why) {
    out = Replay{};
    int line_number = 0;
    while (!text.empty()) {
        const std::string_view line = take_line(text);
        ++line_number;
        if (skipped(line)) continue;
        ReplayRun run;
        const std::string problem = parse_line(line, run);
        if (!problem.empty()) {
            why = "Replay line " + std::to_string(line_number) + ": " + problem + ".";
            return false;
        }
        out.total_updates += run.count;
        if (out.total_updates > max_replay_updates) {
            why = "Replay line " + std::to_string(line_number) + ": the replay runs past " +
                  std::to_string(max_replay_updates) + " updates.";
            return false;
        }
        out.runs.push_back(run);
    }
    why.clear();
    return true;
}

std::string replay_line(const ReplayRun& run) {
    std::string actions;
    for (size_t a = 0; a < run.held.size(); ++a)
        if (run.held[a]) actions += action_letters[a];
    if (run.f9_pressed) actions += f9_letter;
    if (run.restart) actions += restart_letter;
    if (actions.empty()) actions = "-";
    return std::to_string(run.count) + ' ' + actions + ' ' + (run.world_point ? "@" : "") + std::to_string(run.x) +
           ' ' + std::to_string(run.y);
}

ReplayRun run_of(const UpdateInput& input) {
    ReplayRun run;
    run.count = 1;
    run.held = input.held;
    run.f9_pressed = input.f9_pressed;
    run.restart = input.restart;
    run.x = input.mouse_x;
    run.y = input.mouse_y;
    return run;
}

bool ReplayCursor::next(UpdateInput& input) {
    if (done()) return false;
    const ReplayRun& run = replay_.runs[run_];
    input = UpdateInput{};
    input.held = run.held;
    input.f9_pressed = run.f9_pressed;
    input.restart = run.restart;
    input.mouse_x = run.world_point ? saturated(int64_t{run.x} + world.camera_x) : run.x;
    input.mouse_y = run.world_point ? saturated(int64_t{run.y} + world.camera_y) : run.y;
    if (++used_ >= run.count) {
        ++run_;
        used_ = 0;
    }
    return true;
}

bool ReplayCursor::done() const { return run_ >= replay_.runs.size(); }

namespace {

constexpr uint32_t nominal_frame_ms = 16;  // replays run with the alternate timer off: every frame updates

const char* result_name(FrameOutcome outcome) {
    switch (outcome) {
        case FrameOutcome::won: return "won";
        case FrameOutcome::game_over: return "game_over";
        default: return "unfinished";
    }
}

}  // namespace

ReplayOutcome current_outcome(FrameOutcome result) {
    const Player& p = world.player;
    ReplayOutcome o;
    o.result = result;
    o.updates = game.updates;
    o.player_x = p.x;
    o.player_y = p.y;
    o.health = p.health;
    o.lives = p.lives;
    o.powered = p.powered;
    o.enemies = world.enemies.size();
    o.pickups = world.pickups.size();
    o.lasers = world.lasers.size();
    o.explosions = world.explosions.size();
    o.red_on = world.red_on;
    o.green_on = world.green_on;
    o.blue_on = world.blue_on;
    o.checkpoint = world.last_checkpoint < world.checkpoints.size() ? static_cast<int64_t>(world.last_checkpoint) : -1;
    o.respawn_x = p.respawn_x;
    o.respawn_y = p.respawn_y;
    o.camera_x = world.camera_x;
    o.camera_y = world.camera_y;
    return o;
}

std::vector<std::string> outcome_lines(const ReplayOutcome& o) {
    const auto flag = [](bool on) { return on ? std::string("1") : std::string("0"); };
    const auto pair = [](int64_t a, int64_t b) { return std::to_string(a) + ' ' + std::to_string(b); };
    return {std::string("result ") + result_name(o.result),
            "updates " + std::to_string(o.updates),
            "player " + pair(o.player_x, o.player_y),
            "health " + std::to_string(o.health),
            "lives " + std::to_string(o.lives),
            "powered " + flag(o.powered),
            "enemies " + std::to_string(o.enemies),
            "pickups " + std::to_string(o.pickups),
            "lasers " + std::to_string(o.lasers),
            "explosions " + std::to_string(o.explosions),
            "switches " + flag(o.red_on) + ' ' + flag(o.green_on) + ' ' + flag(o.blue_on),
            "checkpoint " + std::to_string(o.checkpoint),
            "respawn " + pair(o.respawn_x, o.respawn_y),
            "camera " + pair(o.camera_x, o.camera_y)};
}

ReplayOutcome play_replay(const Replay& replay, const UpdateWatcher& watch) {
    ReplayCursor cursor(replay);
    const InputSource source = [&cursor](UpdateInput& input) { return cursor.next(input); };
    FrameView headless;
    FrameOutcome result = FrameOutcome::playing;
    while (result == FrameOutcome::playing && !cursor.done())
        result = run_frame(nominal_frame_ms, source, headless, watch).outcome;
    return current_outcome(result);
}
