#include "combat/enemies.hpp"

void run_enemy_mover(EnemyMover*) {}
void remove_dead_enemies() {}
void advance_explosions() {}
