#include "tools/map_report.hpp"

#include <array>
#include <cstdio>
#include <ostream>
#include <string_view>

#include "world/grid.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

namespace {

// Counts per kind number: names[i] counts kind i + 1, the last name counts every other kind.
template <size_t N>
struct KindTally {
    std::string_view group;
    std::array<std::string_view, N> names;
    std::array<size_t, N> counts{};

    void add(int32_t kind) {
        const bool named = kind >= 1 && kind < static_cast<int32_t>(N);
        ++counts[named ? static_cast<size_t>(kind - 1) : N - 1];
    }
    void print(std::ostream& out) const {
        for (size_t i = 0; i < N; ++i)
            if (counts[i] > 0) out << group << '.' << names[i] << ' ' << counts[i] << '\n';
    }
};

}  // namespace

void print_map_info(size_t text_length, std::ostream& out) {
    out << "loaded true\n";
    out << "size " << world.map_width << ' ' << world.map_height << '\n';
    out << "start " << world.player.x << ' ' << world.player.y << '\n';
    out << "exit " << world.exit_x << ' ' << world.exit_y << '\n';
    out << "segments " << world.segments.size() << '\n';
    out << "switches " << world.switches.size() << '\n';
    out << "enemies " << world.enemies.size() << '\n';
    out << "pickups " << world.pickups.size() << '\n';
    out << "checkpoints " << world.checkpoints.size() << '\n';
    out << "length " << text_length << '\n';

    // Segment types outside 1..5 erase the walls under them.
    KindTally<6> segments{"segments", {"white", "cyan", "red", "green", "blue", "erase"}};
    KindTally<4> switches{"switches", {"red", "green", "blue", "other"}};
    KindTally<4> enemies{"enemies", {"basic", "smart", "turret", "other"}};
    KindTally<4> pickups{"pickups", {"medkit", "life", "power", "other"}};
    for (const Segment& s : world.segments) segments.add(s.type);
    for (const Switch& s : world.switches) switches.add(s.colour);
    for (const Enemy& e : world.enemies) enemies.add(e.kind);
    for (const Pickup& p : world.pickups) pickups.add(p.kind);
    segments.print(out);
    switches.print(out);
    enemies.print(out);
    pickups.print(out);
    for (const std::string& warning : map_warnings()) out << "warning " << warning << '\n';
}

void print_cells(const std::vector<std::pair<int64_t, int64_t>>& cells, std::ostream& out) {
    for (const auto& [x, y] : cells) {
        if (x < 0 || y < 0 || x >= world.map_width || y >= world.map_height) {
            out << "outside\n";
            continue;
        }
        char code[32];
        const float value = world.wall_grid[cell_index(static_cast<int32_t>(x), static_cast<int32_t>(y))];
        std::snprintf(code, sizeof code, "%.9g", static_cast<double>(value));
        out << code << '\n';
    }
}
