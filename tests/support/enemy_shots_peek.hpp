// A look at the enemy shots queued in the enemy phase, before they are merged
// into the lasers.
#pragma once

#include <vector>

#include "combat/combat_state.hpp"

// The shots handed over since the last flush, in enemy order.
inline std::vector<EnemyShot> pending_enemy_shots() {
    PendingShots& pending = combat.pending_shots;
    const std::lock_guard lock(pending.mutex);
    pending.sort();
    std::vector<EnemyShot> all;
    for (const ShotBatch& b : pending.batches) all.insert(all.end(), b.shots.begin(), b.shots.end());
    return all;
}
