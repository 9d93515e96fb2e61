#include "combat/lasers.hpp"

void spawn_beam(int32_t, int32_t, float) {}
void spawn_beam_into(std::vector<Laser>&, int32_t, int32_t, float) {}
void player_shot() {}
void clear_laser_pixels(RayShooter*) {}
void run_ray_shooter(RayShooter*) {}
void spark_step() {}
