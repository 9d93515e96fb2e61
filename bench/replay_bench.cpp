// What recording a game costs the update it runs in: the recorder's work per
// update (the input handed out and merged into runs, the player's pose for a
// ghost) over an hour of play, 216,000 updates, on map 1. Two kinds of input:
// map 1's route (the pointer rests on world points, so it moves in window px
// as the screen scrolls) and a pointer that moves every update, where no two
// updates merge. Reports the mean and the slowest updates (percentiles and the
// very slowest), in microseconds, clock reading included; the update step
// itself is not timed. Writing the file out,
// once the game has ended, is timed apart.
#include <algorithm>
#include <chrono>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "app/settings.hpp"
#include "game/replay.hpp"
#include "game/replay_recorder.hpp"
#include "game/update.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int64_t hour_of_updates = 60 * 60 * 60;

// Map 1's route as the window would hand it out: each update's input in window px, the route
// played for real so the camera (and so the pointer on its world points) moves as in a game.
std::vector<UpdateInput> route_inputs() {
    std::ifstream in(VANTOREL_SOURCE_DIR "/tests/routes/map1.replay", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Replay route;
    std::string why;
    parse_replay(text.str(), route, why);
    settings = Settings{};
    settings.threads = 1;
    const std::optional<LoadedGame> loaded = start_game(builtin_map_text(1), why);
    ReplayCursor cursor(route);
    std::vector<UpdateInput> inputs;
    UpdateInput input;
    while (cursor.next(input)) {
        inputs.push_back(input);
        update_step(input);
    }
    return inputs;
}

// Every update a new pointer position and a new mix of actions: one run per update.
std::vector<UpdateInput> restless_inputs() {
    std::vector<UpdateInput> inputs(4096);
    for (size_t i = 0; i < inputs.size(); ++i) {
        inputs[i].mouse_x = static_cast<int32_t>(i * 7 % 800);
        inputs[i].mouse_y = static_cast<int32_t>(i * 13 % 600);
        inputs[i].held[i % action_count] = true;
    }
    return inputs;
}

void record_hour(benchmark::State& state, const std::vector<UpdateInput>& inputs) {
    std::string why;
    settings = Settings{};
    // The pose reads the player and the camera of a loaded map.
    const std::optional<LoadedGame> loaded = start_game(builtin_map_text(1), why);
    std::vector<double> each_us(static_cast<size_t>(hour_of_updates));
    for (auto _ : state) {
        ReplayRecorder recorder;
        const auto started = std::chrono::steady_clock::now();
        auto before = started;
        for (int64_t u = 0; u < hour_of_updates; ++u) {
            UpdateInput in = inputs[static_cast<size_t>(u) % inputs.size()];
            recorder.hand_out(in);
            recorder.pose();
            const auto after = std::chrono::steady_clock::now();
            each_us[static_cast<size_t>(u)] = std::chrono::duration<double, std::micro>(after - before).count();
            before = after;
        }
        const double total_us = std::chrono::duration<double, std::micro>(before - started).count();
        state.SetIterationTime(total_us / 1e6);
        state.counters["us_per_update"] = total_us / static_cast<double>(hour_of_updates);
        benchmark::DoNotOptimize(recorder.updates());
    }
    // The slowest updates of the last hour: the 99.9th and 99.99th percentiles, and the very
    // slowest, which on a busy machine is the thread being descheduled, not the recorder.
    std::sort(each_us.begin(), each_us.end());
    const auto at = [&each_us](double share) {
        return each_us[static_cast<size_t>(share * static_cast<double>(each_us.size() - 1))];
    };
    state.counters["p99.9_us"] = at(0.999);
    state.counters["p99.99_us"] = at(0.9999);
    state.counters["slowest_us"] = each_us.back();
}

void BM_RecordHourOfRoute(benchmark::State& state) { record_hour(state, route_inputs()); }
BENCHMARK(BM_RecordHourOfRoute)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_RecordHourRestless(benchmark::State& state) { record_hour(state, restless_inputs()); }
BENCHMARK(BM_RecordHourRestless)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

// Once the game has ended: the replay and ghost texts of an hour in which no two updates merge.
void BM_ReplayTextOfRestlessHour(benchmark::State& state) {
    const std::vector<UpdateInput> inputs = restless_inputs();
    std::string why;
    settings = Settings{};
    const std::optional<LoadedGame> loaded = start_game(builtin_map_text(1), why);
    ReplayRecorder recorder;
    for (int64_t u = 0; u < hour_of_updates; ++u) {
        UpdateInput in = inputs[static_cast<size_t>(u) % inputs.size()];
        recorder.hand_out(in);
        recorder.pose();
    }
    const ReplayHeader header{"1", std::string(64, '0'), "2026-12-08 17:45:03", settings};
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = recorder.replay_text(header, current_outcome(FrameOutcome::playing));
        const std::string ghost = recorder.ghost();
        bytes = text.size() + ghost.size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_ReplayTextOfRestlessHour)->Unit(benchmark::kMillisecond);

}  // namespace
