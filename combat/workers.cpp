#include "combat/workers.hpp"

void run_worker_phases() {}
