// The map loader on arbitrary text. A load either succeeds with a grid of
// exactly the map's size whose kinds agree with its codes, or fails with a
// reason and no grid; it never takes long (libFuzzer's -timeout catches that).
// The records reader takes every text the loader takes, to the same records.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>

#include "check.hpp"
#include "world/grid.hpp"
#include "world/map_loader.hpp"
#include "world/map_text.hpp"
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

// Whether the reader's records are the loaded world's lists, headings as the float the loader keeps.
bool same_records(const MapSource& m) {
    const auto same_size = [](const auto& a, const auto& b) { return a.size() == b.size(); };
    bool same = m.width == world.map_width && m.height == world.map_height && m.start_x == world.player.x &&
                m.start_y == world.player.y && m.exit_x == world.exit_x && m.exit_y == world.exit_y &&
                same_size(m.segments, world.segments) && same_size(m.switches, world.switches) &&
                same_size(m.enemies, world.enemies) && same_size(m.pickups, world.pickups) &&
                same_size(m.checkpoints, world.checkpoints);
    for (size_t i = 0; same && i < m.segments.size(); ++i) {
        const MapSegment& a = m.segments[i];
        const Segment& b = world.segments[i];
        same = a.x1 == b.x1 && a.y1 == b.y1 && a.x2 == b.x2 && a.y2 == b.y2 && a.type == b.type;
    }
    for (size_t i = 0; same && i < m.switches.size(); ++i)
        same = m.switches[i].x == world.switches[i].x && m.switches[i].y == world.switches[i].y &&
               m.switches[i].colour == world.switches[i].colour;
    for (size_t i = 0; same && i < m.enemies.size(); ++i) {
        const MapEnemy& a = m.enemies[i];
        const Enemy& b = world.enemies[i];
        same = a.x == b.x && a.y == b.y && a.kind == b.kind &&
               std::bit_cast<uint32_t>(static_cast<float>(a.heading)) == std::bit_cast<uint32_t>(b.angle);
    }
    for (size_t i = 0; same && i < m.pickups.size(); ++i)
        same = m.pickups[i].x == world.pickups[i].x && m.pickups[i].y == world.pickups[i].y &&
               m.pickups[i].kind == world.pickups[i].kind;
    for (size_t i = 0; same && i < m.checkpoints.size(); ++i)
        same = m.checkpoints[i].x == world.checkpoints[i].x && m.checkpoints[i].y == world.checkpoints[i].y;
    return same;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);  // ends at its first NUL, as the game's would
    std::string why;
    const bool loaded = load_map(text.c_str(), why);
    MapSource records;
    std::string reader_why;
    const bool read = read_map_source(text, records, reader_why);
    require(read || !loaded, "the records reader takes a text the loader takes: " + reader_why);
    require(read == reader_why.empty(), "the records reader says why exactly when it refuses");
    if (loaded) {
        require(same_records(records), "the records reader reads what the loader loads");
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
