// The worker phases of one update: clearing, lasers, removals, enemies with sparks.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "combat/combat_records.hpp"

struct IndexRange {
    int32_t first = 0;
    int32_t last = 0;  // exclusive
};

// How `count` items are shared by `workers` workers: one range [0, count)
// when count <= workers (also for 0), otherwise equal chunks with the
// remainder on the last. `workers` below 1 counts as 1.
std::vector<IndexRange> split_ranges(int32_t count, int32_t workers);

// Runs `body` over each range of split_ranges(count, worker_count) on its
// own thread, filling `records` (resized as needed); `meanwhile` runs on the
// calling thread while they work. Returns when every worker has finished;
// then rethrows the first failure of a worker (in range order) or of `meanwhile`.
template <class Record>
void run_worker_phase(void (*body)(Record*), int32_t count, std::vector<Record>& records,
                      const std::function<void()>& meanwhile = {});

// The clearing and laser phases of one update (the part the lasers own).
void run_laser_phases();
// Runs the worker phases of one update on combat.worker_count workers. Throws
// std::bad_alloc, whichever thread ran out of memory; the update is then lost.
void run_worker_phases();
