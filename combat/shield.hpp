// The powered player's shield: a short mirror stamped into the wall grid.
#pragma once

#include "combat/combat_records.hpp"

// Raises the shield when its binding is held, and lowers it when its time is up.
void shield_update(const ArmInput& arm);
