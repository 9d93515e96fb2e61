// The laser step read straight off its rules: every sub-step classifies its
// wall code and scans all enemies and switches, and every hit, flip and spark
// happens on the spot. Slow; kept as the measure the fast laser step is
// tested and benchmarked against.
#pragma once

#include "combat/combat_state.hpp"

// Steps and plots particles [first, last) in index order. Shared updates are
// taken under one lock, so ranges may run on several threads at once (the
// outcome then follows the order the threads reach the lock).
void run_ray_shooter_reference(RayShooter* range);
