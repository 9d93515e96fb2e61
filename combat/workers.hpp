// The worker phases of one update: clearing, lasers, removals, enemies with sparks.
#pragma once

// Runs the worker phases of one update on game.worker_count workers.
void run_worker_phases();
