#include "world/world_state.hpp"

void World::release_grid() {
    std::vector<float>().swap(wall_grid);
    std::vector<CellKind>().swap(cell_kinds);
}
