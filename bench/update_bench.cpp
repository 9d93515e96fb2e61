// Time of the laser phase (and of all worker phases) on map 4, the largest
// built-in map (7983 x 1539 px, 176 enemies placed for play, 10 switches),
// and on a synthetic scene of the same size (random floors, pillars, mirrors
// and gates, 180 enemies, 10 switches) that also times the straightforward
// reading. Particles are spread over either in shots. The time to load map 4
// is timed as well.
//
// Each laser benchmark reports ms per update (manual time, the scene restored
// outside it) and ns per particle sub-step. Arguments: map (4, or 0 for the
// synthetic scene), reading (0 fast, 1 straightforward), workers, particles.
#include <chrono>
#include <initializer_list>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "combat/lasers.hpp"
#include "combat/workers.hpp"
#include "game/game_state.hpp"
#include "game/update.hpp"
#include "support/laser_reference.hpp"
#include "world/huge_pages.hpp"
#include "world/map_loader.hpp"
#include "world/map_text.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int map_width = 7983, map_height = 1539;  // the synthetic scene's, map 4's size

// The synthetic map text: a walled box with floors, pillars, mirror runs, gates of
// every colour, 180 enemies (60 of each kind) and 10 switches.
std::string bench_map_text() {
    std::mt19937 rng(7);
    auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    MapSource map{
        .width = map_width, .height = map_height, .start_x = 1110, .start_y = 167, .exit_x = 7687, .exit_y = 935};
    auto seg = [&](int x1, int y1, int x2, int y2, int type) { map.segments.push_back({x1, y1, x2, y2, type}); };
    const int w = map_width - 64, h = map_height - 64;
    seg(3, 3, w, 3, 1);
    seg(3, h, w, h, 1);
    seg(3, 3, 3, h, 1);
    seg(w, 3, w, h, 1);
    for (int floor = 1; floor <= 3; ++floor)  // floors with gaps
        for (int x = 100; x < w - 400; x += 900) seg(x, floor * h / 4, x + 600, floor * h / 4, 1);
    for (int x = 400; x < w; x += 800) seg(x, pick(50, 400), x, pick(900, 1400), 1);  // pillars
    for (int i = 0; i < 30; ++i) {                                                    // mirrors at all angles
        const int x = pick(100, w - 200), y = pick(100, h - 200);
        seg(x, y, x + pick(-150, 150), y + pick(-150, 150), 2);
    }
    for (int i = 0; i < 10; ++i) {  // gates and blue mirrors
        const int x = pick(200, w - 200), y = pick(100, h - 300);
        seg(x, y, x, y + 200, 3 + i % 3);
    }
    // A braced list takes its picks left to right, so x is drawn before y.
    for (int i = 0; i < 10; ++i) map.switches.push_back({pick(100, w - 100), pick(100, h - 100), 1 + i % 3});
    for (int i = 0; i < 180; ++i)
        map.enemies.push_back({pick(100, w - 100), pick(100, h - 100), 1 + i % 3, static_cast<double>(pick(0, 359))});
    return write_map_text(map, MapTextForm::compact);
}

bool kinds_on_huge_pages = false;  // whether the system granted them for this scene

struct Scene {
    std::vector<Laser> lasers;
    std::vector<Enemy> enemies;
};

// The text of the scene a benchmark's map argument names: 0 synthetic, else that built-in map.
std::string scene_text(int64_t map) {
    if (map == 0) return bench_map_text();
    const char* text = builtin_map_text(static_cast<int>(map));
    if (text == nullptr) std::abort();
    return text;
}

// Loads the scene and lays `particles` particles in shots across it.
Scene build_scene(int64_t map, int particles) {
    Settings s;
    s.global_enemies = 3;  // every enemy active, on screen or not
    start_fresh(s);
    if (!load_map(scene_text(map).c_str())) std::abort();
    world.camera_x = 400 - world.player.x;
    world.camera_y = 300 - world.player.y;
    std::mt19937 rng(11);
    std::uniform_real_distribution<float> angle(0.0f, 6.2831853f);
    while (static_cast<int>(world.lasers.size()) < particles) {
        spawn_beam(std::uniform_int_distribution<int>(50, world.map_width - 120)(rng),
                   std::uniform_int_distribution<int>(50, world.map_height - 120)(rng), angle(rng));
    }
    world.lasers.resize(static_cast<size_t>(particles));
    // The loader has moved the table already; asking again only reports whether it was granted.
    kinds_on_huge_pages = back_with_huge_pages(world.cell_kinds.data(), world.cell_kinds.size());
    // Ages spread over a lifetime, as in play.
    for (size_t i = 0; i < world.lasers.size(); ++i) world.lasers[i].life = 200 + static_cast<int32_t>(i % 800);
    return {world.lasers, world.enemies};
}

int32_t flip_timers = 30;

void restore(const Scene& s) {
    world.lasers = s.lasers;
    world.enemies = s.enemies;
    world.explosions.clear();
    world.sparks.clear();
    world.red_on = world.green_on = world.blue_on = true;
    // Mid lock-out, as most updates find them; a flip is timed on its own.
    world.red_timer = world.green_timer = world.blue_timer = flip_timers;
}

int64_t sub_steps_made(const Scene& before) {
    int64_t n = 0;
    for (size_t i = 0; i < before.lasers.size(); ++i) n += before.lasers[i].life - world.lasers[i].life;
    return n;
}

// The clearing and laser phases, through the fast reading or the straightforward one.
void laser_phases(bool straightforward) {
    if (!straightforward) {
        run_laser_phases();
        return;
    }
    const int32_t pixels = world.screen_width * world.screen_height;
    run_worker_phase(clear_laser_pixels, pixels, combat.ray_shooters);
    run_worker_phase(run_ray_shooter_reference, static_cast<int32_t>(world.lasers.size()), combat.ray_shooters);
}

void report(benchmark::State& state, double seconds, int64_t sub_steps) {
    const double per_update = seconds / static_cast<double>(state.iterations());
    state.counters["ms_per_update"] = per_update * 1e3;
    state.counters["ns_per_substep"] = sub_steps > 0 ? per_update * 1e9 / static_cast<double>(sub_steps) : 0;
    state.counters["substeps"] = static_cast<double>(sub_steps);
    state.counters["huge_pages"] = kinds_on_huge_pages ? 1 : 0;
}

// Times the laser phases of one update per iteration, from the scene restored
// outside the timing, and reports the figures.
void time_laser_phases(benchmark::State& state, const Scene& scene, bool straightforward) {
    int64_t sub_steps = 0;
    double seconds = 0;
    for (auto _ : state) {
        restore(scene);
        const auto start = std::chrono::steady_clock::now();
        laser_phases(straightforward);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
        state.SetIterationTime(took.count());
        sub_steps = sub_steps_made(scene);
    }
    report(state, seconds, sub_steps);
}

void BM_LaserPhase(benchmark::State& state) {
    flip_timers = 30;
    const bool straightforward = state.range(1) != 0;
    const Scene scene = build_scene(state.range(0), static_cast<int>(state.range(3)));
    combat.worker_count = static_cast<int32_t>(state.range(2));
    time_laser_phases(state, scene, straightforward);
}

// The fast laser phase in an update where switches flip (timers run out):
// particles whose path read a flipped colour are stepped again, and the
// pixels are replotted.
void BM_LaserPhaseWithFlips(benchmark::State& state) {
    flip_timers = 0;
    const Scene scene = build_scene(state.range(0), static_cast<int>(state.range(3)));
    combat.worker_count = static_cast<int32_t>(state.range(2));
    time_laser_phases(state, scene, false);
    state.counters["resteps"] = static_cast<double>(combat.laser_phase.last_restep_count());
    flip_timers = 30;
}

// All worker phases of an update: clearing, lasers, removals, enemies with sparks.
void BM_WorkerPhases(benchmark::State& state) {
    const Scene scene = build_scene(state.range(0), static_cast<int>(state.range(3)));
    combat.worker_count = static_cast<int32_t>(state.range(2));
    double seconds = 0;
    for (auto _ : state) {
        restore(scene);
        const auto start = std::chrono::steady_clock::now();
        run_worker_phases();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        seconds += took.count();
        state.SetIterationTime(took.count());
    }
    report(state, seconds, 0);
}

// Loading map 4 from its text: parsing, drawing the segments into the wall
// grid and kind table, and moving the kind table onto huge pages.
void BM_LoadMap4(benchmark::State& state) {
    settings = Settings{};
    const char* text = builtin_map_text(4);
    for (auto _ : state) {
        if (!load_map(text)) std::abort();
        benchmark::ClobberMemory();
    }
    state.counters["huge_pages"] = back_with_huge_pages(world.cell_kinds.data(), world.cell_kinds.size()) ? 1 : 0;
}

// Map 4 with the fast reading; the synthetic scene with both readings.
void laser_arguments(benchmark::internal::Benchmark* b) {
    b->ArgNames({"map", "straightforward", "workers", "particles"});
    for (int particles : {50'000, 200'000})
        for (int workers : {1, 2}) {
            b->Args({4, 0, workers, particles});
            b->Args({0, 0, workers, particles});
            b->Args({0, 1, workers, particles});
        }
}

// Both scenes, fast reading, at the given particle counts.
void scene_arguments(benchmark::internal::Benchmark* b, std::initializer_list<int> particle_counts) {
    b->ArgNames({"map", "straightforward", "workers", "particles"});
    for (int map : {4, 0})
        for (int particles : particle_counts)
            for (int workers : {1, 2}) b->Args({map, 0, workers, particles});
}

}  // namespace

BENCHMARK(BM_LaserPhase)->Apply(laser_arguments)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_LaserPhaseWithFlips)
    ->Apply([](benchmark::internal::Benchmark* b) { scene_arguments(b, {200'000}); })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_WorkerPhases)
    ->Apply([](benchmark::internal::Benchmark* b) {
        scene_arguments(b, {50'000, 200'000});
    })
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);
BENCHMARK(BM_LoadMap4)->Unit(benchmark::kMillisecond)->MinTime(1.0);
