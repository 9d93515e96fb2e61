#include "combat/enemy_shots.hpp"

#include <algorithm>

#include "combat/combat_state.hpp"
#include "combat/enemies.hpp"
#include "combat/lasers.hpp"

void PendingShots::sort() {
    std::stable_sort(batches.begin(), batches.end(),
                     [](const ShotBatch& a, const ShotBatch& b) { return a.first < b.first; });
}

void ShotBatch::fire(int32_t enemy, int32_t x, int32_t y, float angle) {
    shots.push_back({enemy, x, y, angle});
    spawn_beam_into(particles, x, y, angle);
}

void hand_over_shots(ShotBatch&& batch) {
    if (batch.shots.empty()) return;
    const std::lock_guard lock(combat.pending_shots.mutex);
    combat.pending_shots.batches.push_back(std::move(batch));
}

void discard_enemy_shots() {
    const std::lock_guard lock(combat.pending_shots.mutex);
    combat.pending_shots.batches.clear();
}

void flush_enemy_shots() {
    PendingShots& pending = combat.pending_shots;
    const std::lock_guard lock(pending.mutex);
    pending.sort();
    {
        const std::lock_guard lasers_lock(laser_mutex);
        for (const ShotBatch& b : pending.batches)
            world.lasers.insert(world.lasers.end(), b.particles.begin(), b.particles.end());
    }
    pending.batches.clear();
}
