// Shots fired by enemy workers, held back until the enemy phase ends so that
// world.lasers grows in enemy order however the enemies were split over workers.
#pragma once

#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "world/world_state.hpp"

// One beam an enemy fired: its origin (world px) and direction (radians).
struct EnemyShot {
    int32_t enemy = 0;  // index into world.enemies at the time of firing
    int32_t x = 0, y = 0;
    float angle = 0;
};

// The shots of one worker's range, in the order its enemies fired them.
// A worker owns its batch outright; it is handed over only when the worker ends.
struct ShotBatch {
    int32_t first = 0;  // the range's first enemy index, the merge key
    std::vector<EnemyShot> shots;
    std::vector<Laser> particles;  // the beams laid out, shot after shot

    // Lays out a beam into this batch and records who fired it.
    void fire(int32_t enemy, int32_t x, int32_t y, float angle);
};

// Batches handed over by the enemy workers of the running phase. Workers of
// one phase cover disjoint index ranges, so sorting by `first` puts every
// shot in enemy order.
struct PendingShots {
    std::mutex mutex;
    std::vector<ShotBatch> batches;  // guarded by mutex

    PendingShots() = default;
    // Copies and moves take the batches and never the mutex: they happen
    // between updates (a fresh game's queue, a test's saved state), when no
    // worker runs.
    PendingShots(const PendingShots& other) : batches(other.batches) {}
    PendingShots(PendingShots&& other) noexcept : batches(std::move(other.batches)) {}
    PendingShots& operator=(const PendingShots& other) {
        batches = other.batches;
        return *this;
    }
    PendingShots& operator=(PendingShots&& other) noexcept {
        batches = std::move(other.batches);
        return *this;
    }
    // Puts the batches in enemy order; the caller holds the mutex.
    void sort();
};

// Hands a finished worker's batch over for the merge (any thread; empty batches are dropped).
void hand_over_shots(ShotBatch&& batch);
// Drops every shot handed over and not yet flushed (a new map, an abandoned update).
void discard_enemy_shots();
