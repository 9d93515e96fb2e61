// The map loader on arbitrary text. A load either succeeds with a grid of
// exactly the map's size whose kinds agree with its codes, or fails with a
// reason and no grid; it never takes long (libFuzzer's -timeout catches that).
#include <cstddef>
#include <cstdint>
#include <string>

#include "check.hpp"
#include "combat/geometry.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

namespace {

// Every kind is checked on small grids; on large ones a stride of cells, so
// that one input stays fast.
void require_consistent_grid() {
    const size_t cells = static_cast<size_t>(world.map_width) * static_cast<size_t>(world.map_height);
    require(world.map_width > 0 && world.map_height > 0, "a loaded map has a positive size");
    require(world.wall_grid.size() == cells, "the grid holds width x height codes");
    require(world.cell_kinds.size() == cells, "the kind map holds width x height kinds");
    const size_t stride = cells <= 1'000'000 ? 1 : cells / 1'000'000 + 1;
    for (size_t i = 0; i < cells; i += stride)
        require(world.cell_kinds[i] == cell_kind_of(world.wall_grid[i]), "each cell's kind matches its code");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // ends at its first NUL, as the game's would
    std::string why;
    const bool loaded = load_map(text.c_str(), why);
    if (loaded) {
        require(why.empty(), "a successful load gives no reason");
        require_consistent_grid();
        require(world.last_checkpoint == world.checkpoints.size(), "no checkpoint is touched after a load");
        require(world.lasers.empty() && world.explosions.empty(), "a load starts without lasers or explosions");
        for (const Enemy& e : world.enemies) require(std::isfinite(e.angle), "enemy headings are finite");
    } else {
        require(!why.empty() && why.find('\n') == std::string::npos, "a refusal says why in one line");
        require(!world.has_grid() && world.cell_kinds.empty(), "a failed load leaves no grid");
    }
    world.release_grid();
    return 0;
}
