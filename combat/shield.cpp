#include "combat/shield.hpp"

void shield_update() {}
