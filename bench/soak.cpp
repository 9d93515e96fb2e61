// Soak: plays every built-in map for a long run of pseudo-random input with
// lives that never run out, and reports updates per second and resident
// memory when the map has loaded, after a warm-up (the first tenth of the
// run, when the lists have reached their working size) and at the end.
// Fails (status 1) when memory grew after the warm-up by more than a few MiB,
// so a leak or an ever-growing list of a few bytes per update shows.
//
//   vantorel_soak [UPDATES_PER_MAP] [THREADS]     (defaults 1000000 and 2)
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/settings.hpp"
#include "game/frame.hpp"
#include "game/update.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

constexpr double allowed_growth_mib = 8.0;  // after the warm-up: allocator slack, not a leak

double resident_mib() {
    std::ifstream statm("/proc/self/statm");
    long pages_total = 0, pages_resident = 0;
    statm >> pages_total >> pages_resident;
    return static_cast<double>(pages_resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// A player mashing keys: runs of 1 to 64 updates holding a random mix of
// actions (walking and shooting most often), the pointer somewhere on screen.
class RandomPlayer {
public:
    bool next(UpdateInput& input) {
        if (left_ == 0) new_run();
        --left_;
        input = current_;
        return true;
    }

private:
    uint32_t draw() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    void new_run() {
        left_ = 1 + static_cast<int32_t>(draw() % 64);
        current_ = UpdateInput{};
        const uint32_t percent[action_count] = {15, 10, 35, 45, 50, 10};  // jump, duck, left, right, shoot, shield
        for (int a = 0; a < action_count; ++a) current_.held[a] = draw() % 100 < percent[a];
        current_.f9_pressed = draw() % 100 == 0;
        current_.mouse_x = static_cast<int32_t>(draw() % 800);
        current_.mouse_y = static_cast<int32_t>(draw() % 600);
    }
    uint32_t state_ = 12345;
    int32_t left_ = 0;
    UpdateInput current_;
};

struct MapSoak {
    double seconds = 0, loaded_mib = 0, warm_mib = 0, end_mib = 0;
    int64_t wins = 0;
};

MapSoak soak_map(const char* text, int64_t updates, int32_t threads) {
    Settings s;
    s.threads = threads;
    s.lives_override = 2'000'000'000;  // never runs out within a run
    correct_settings(s, threads);
    start_fresh(s);
    std::string why;
    MapSoak out;
    std::optional<LoadedGame> loaded = start_game(text, why);
    if (!loaded) {
        std::fprintf(stderr, "the map does not load: %s\n", why.c_str());
        std::exit(1);
    }
    out.loaded_mib = resident_mib();
    RandomPlayer player;
    const InputSource source = [&player](UpdateInput& input) { return player.next(input); };
    const int64_t warm_up = updates / 10;
    FrameView headless;
    const auto start = std::chrono::steady_clock::now();
    for (int64_t done = 0; done < updates;) {
        const FrameResult r = run_frame(16, source, headless);
        const int64_t before = done;
        done += r.updates_run;
        if (before < warm_up && done >= warm_up) out.warm_mib = resident_mib();
        if (r.outcome == FrameOutcome::game_over) {
            std::fprintf(stderr, "the lives ran out after %lld updates\n", static_cast<long long>(done));
            std::exit(1);
        }
        if (r.outcome == FrameOutcome::won) {  // the exit was reached: play the map again
            ++out.wins;
            loaded = start_game(text, why);
        }
    }
    out.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    out.end_mib = resident_mib();
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const int64_t updates = argc > 1 ? std::atoll(argv[1]) : 1'000'000;
    const int32_t threads = argc > 2 ? std::atoi(argv[2]) : 2;
    if (updates < 10 || threads < 1) {
        std::fprintf(stderr, "usage: vantorel_soak [UPDATES_PER_MAP >= 10] [THREADS >= 1]\n");
        return 2;
    }
    std::printf("%-4s %10s %9s %10s %12s %12s %10s %5s\n", "map", "updates", "seconds", "updates/s", "loaded MiB",
                "warmed MiB", "end MiB", "wins");
    bool grew = false;
    for (int n = 1; n <= builtin_map_count; ++n) {
        const char* text = builtin_map_text(n);
        if (!text) continue;
        const MapSoak s = soak_map(text, updates, threads);
        std::printf("%-4d %10lld %9.1f %10.0f %12.1f %12.1f %10.1f %5lld\n", n, static_cast<long long>(updates),
                    s.seconds, static_cast<double>(updates) / s.seconds, s.loaded_mib, s.warm_mib, s.end_mib,
                    static_cast<long long>(s.wins));
        std::fflush(stdout);
        if (s.end_mib > s.warm_mib + allowed_growth_mib) {
            std::fprintf(stderr, "map %d: resident memory grew by %.1f MiB after the warm-up\n", n,
                         s.end_mib - s.warm_mib);
            grew = true;
        }
    }
    return grew ? 1 : 0;
}
