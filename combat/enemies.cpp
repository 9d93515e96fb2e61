#include "combat/enemies.hpp"

void run_enemy_mover(EnemyMover*) {}
void flush_enemy_shots() {}
void remove_dead_enemies() {}
void advance_explosions() {}
