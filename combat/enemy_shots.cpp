#include "combat/enemy_shots.hpp"

#include <algorithm>
#include <mutex>

#include "combat/enemies.hpp"
#include "combat/lasers.hpp"

namespace {

// Batches handed over by the enemy workers of the running phase. Workers of
// one phase cover disjoint index ranges, so sorting by `first` puts every
// shot in enemy order.
std::mutex batches_mutex;
std::vector<ShotBatch> batches;

// The handed-over batches in enemy order; the caller holds batches_mutex.
void sort_batches() {
    std::stable_sort(batches.begin(), batches.end(),
                     [](const ShotBatch& a, const ShotBatch& b) { return a.first < b.first; });
}

}  // namespace

void ShotBatch::fire(int32_t enemy, int32_t x, int32_t y, float angle) {
    shots.push_back({enemy, x, y, angle});
    spawn_beam_into(particles, x, y, angle);
}

void hand_over_shots(ShotBatch&& batch) {
    if (batch.shots.empty()) return;
    const std::lock_guard lock(batches_mutex);
    batches.push_back(std::move(batch));
}

std::vector<EnemyShot> pending_enemy_shots() {
    const std::lock_guard lock(batches_mutex);
    sort_batches();
    std::vector<EnemyShot> all;
    for (const ShotBatch& b : batches) all.insert(all.end(), b.shots.begin(), b.shots.end());
    return all;
}

void discard_enemy_shots() {
    const std::lock_guard lock(batches_mutex);
    batches.clear();
}

void flush_enemy_shots() {
    const std::lock_guard lock(batches_mutex);
    sort_batches();
    {
        const std::lock_guard lasers_lock(laser_mutex);
        for (const ShotBatch& b : batches)
            world.lasers.insert(world.lasers.end(), b.particles.begin(), b.particles.end());
    }
    batches.clear();
}
