#include "combat/workers.hpp"

#include <algorithm>
#include <exception>
#include <thread>

#include "combat/combat_state.hpp"
#include "combat/enemies.hpp"
#include "combat/enemy_shots.hpp"
#include "combat/lasers.hpp"
#include "world/world_state.hpp"

std::vector<IndexRange> split_ranges(int32_t count, int32_t workers) {
    count = std::max(count, 0);
    workers = std::max(workers, 1);
    if (count <= workers) return {{0, count}};
    const int32_t chunk = count / workers;
    std::vector<IndexRange> ranges(static_cast<size_t>(workers));
    for (int32_t i = 0; i < workers; ++i) ranges[static_cast<size_t>(i)] = {i * chunk, (i + 1) * chunk};
    ranges.back().last = count;
    return ranges;
}

namespace {

void fill_record(RayShooter& r, const IndexRange& range) {
    r.first = range.first;
    r.last = range.last;
    r.pixels = combat.laser_pixels.data();
}
void fill_record(EnemyMover& r, const IndexRange& range) {
    r.first = range.first;
    r.last = range.last;
}

// Items of a count that may exceed what a range record holds.
int32_t clamp_count(size_t n) { return static_cast<int32_t>(std::min<size_t>(n, INT32_MAX)); }

void remove_spent_lasers() {
    std::erase_if(world.lasers, [](const Laser& p) { return p.spent; });
}

}  // namespace

template <class Record>
void run_worker_phase(void (*body)(Record*), int32_t count, std::vector<Record>& records,
                      const std::function<void()>& meanwhile) {
    const std::vector<IndexRange> ranges = split_ranges(count, combat.worker_count);
    if (records.size() < ranges.size()) records.resize(ranges.size());
    for (size_t i = 0; i < ranges.size(); ++i) fill_record(records[i], ranges[i]);
    // A worker's failure (memory running out, mostly) is kept for the main
    // thread: thrown in a thread it would end the program.
    std::vector<std::exception_ptr> failures(ranges.size() + 1);  // the last slot: `meanwhile`
    const auto guarded = [&](size_t i) {
        try {
            body(&records[i]);
        } catch (...) {
            failures[i] = std::current_exception();
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(ranges.size());
    size_t started = 0;
    try {
        for (; started < ranges.size(); ++started) workers.emplace_back(guarded, started);
    } catch (...) {
        // No thread to be had: the ranges left run here, in order, after the others.
    }
    try {
        if (meanwhile) meanwhile();
    } catch (...) {
        failures.back() = std::current_exception();
    }
    for (std::thread& w : workers) w.join();
    for (size_t i = started; i < ranges.size(); ++i) guarded(i);
    for (const std::exception_ptr& f : failures)
        if (f) std::rethrow_exception(f);
}

template void run_worker_phase<RayShooter>(void (*)(RayShooter*), int32_t, std::vector<RayShooter>&,
                                           const std::function<void()>&);
template void run_worker_phase<EnemyMover>(void (*)(EnemyMover*), int32_t, std::vector<EnemyMover>&,
                                           const std::function<void()>&);

void run_laser_phases() {
    const size_t pixels =
        static_cast<size_t>(std::max(world.screen_width, 0)) * static_cast<size_t>(std::max(world.screen_height, 0));
    run_worker_phase(clear_laser_pixels, clamp_count(std::min(pixels, combat.laser_pixels.size())),
                     combat.ray_shooters);

    // Enough record slots for every worker before the phase reads their addresses.
    combat.ray_shooters.resize(std::max<size_t>(
        combat.ray_shooters.size(), split_ranges(clamp_count(world.lasers.size()), combat.worker_count).size()));
    combat.laser_phase.begin(static_cast<int32_t>(combat.ray_shooters.size()), combat.laser_pixels.data());
    run_worker_phase(run_ray_shooter, clamp_count(world.lasers.size()), combat.ray_shooters);
    combat.laser_phase.finish();
}

void run_worker_phases() {
    try {
        run_laser_phases();
        remove_spent_lasers();
        remove_dead_enemies();
        run_worker_phase(run_enemy_mover, clamp_count(world.enemies.size()), combat.enemy_movers, spark_step);
        flush_enemy_shots();
    } catch (...) {
        // The update is abandoned half done; nothing of it may leak into the next game.
        combat.laser_phase.abandon();
        discard_enemy_shots();
        throw;
    }
}
