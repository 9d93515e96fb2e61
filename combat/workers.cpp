#include "combat/workers.hpp"

#include <algorithm>
#include <system_error>
#include <thread>

#include "combat/enemies.hpp"
#include "combat/laser_phase.hpp"
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
    std::vector<std::thread> workers;
    workers.reserve(ranges.size());
    size_t started = 0;
    try {
        for (; started < ranges.size(); ++started) workers.emplace_back(body, &records[started]);
    } catch (const std::system_error&) {
        // No thread to be had: the ranges left run here, in order, after the others.
    }
    if (meanwhile) meanwhile();
    for (std::thread& w : workers) w.join();
    for (size_t i = started; i < ranges.size(); ++i) body(&records[i]);
}

template void run_worker_phase<RayShooter>(void (*)(RayShooter*), int32_t, std::vector<RayShooter>&,
                                           const std::function<void()>&);
template void run_worker_phase<EnemyMover>(void (*)(EnemyMover*), int32_t, std::vector<EnemyMover>&,
                                           const std::function<void()>&);

void run_laser_phases() {
    const size_t pixels = static_cast<size_t>(std::max(world.screen_width, 0)) * static_cast<size_t>(std::max(world.screen_height, 0));
    run_worker_phase(clear_laser_pixels, clamp_count(std::min(pixels, combat.laser_pixels.size())), combat.ray_shooters);

    // Enough record slots for every worker before the phase reads their addresses.
    combat.ray_shooters.resize(std::max<size_t>(combat.ray_shooters.size(), split_ranges(clamp_count(world.lasers.size()), combat.worker_count).size()));
    laser_phase.begin(static_cast<int32_t>(combat.ray_shooters.size()), combat.laser_pixels.data());
    run_worker_phase(run_ray_shooter, clamp_count(world.lasers.size()), combat.ray_shooters);
    laser_phase.finish();
}

void run_worker_phases() {
    run_laser_phases();
    remove_spent_lasers();
    remove_dead_enemies();
    run_worker_phase(run_enemy_mover, clamp_count(world.enemies.size()), combat.enemy_movers, spark_step);
    flush_enemy_shots();
}
