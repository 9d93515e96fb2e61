#include "world/map_loader.hpp"

#include <cstdlib>
#include <sstream>
#include <string_view>

#include "app/settings.hpp"
#include "world/grid.hpp"
#include "world/huge_pages.hpp"
#include "world/map_text.hpp"
#include "world/world_state.hpp"

namespace {

// Reads the numbers of a map text in order; every number must be followed by
// white space, so the end of the text inside a number is a failure too.
class MapReader {
public:
    explicit MapReader(const char* text) : length_(std::string_view(text).size()), in_(text) {}

    int32_t next_int() {
        int32_t v = 0;
        in_ >> v;
        return v;
    }
    // The next white-space separated word, for numbers the loader parses itself.
    std::string next_word() {
        std::string w;
        in_ >> w;
        return w;
    }
    bool good() const { return in_.good(); }

    // Why reading stopped, for a text that is no longer good, naming where.
    std::string broken_at(const std::string& where) const {
        if (!in_.fail())
            return "The map text ends right after a number in " + where + "; a map must end with white space.";
        return "The map text breaks off or holds something that is not a number in " + where + ".";
    }

    // Whether `count` elements of `numbers` numbers each can still follow:
    // each number takes at least one digit and one white-space character.
    bool room_for(int32_t count, int numbers) {
        if (count < 0 || !in_.good()) return false;
        const auto pos = in_.tellg();
        if (pos < 0) return false;
        const size_t left = length_ - static_cast<size_t>(pos);
        return static_cast<uint64_t>(count) * 2u * static_cast<uint64_t>(numbers) <= left;
    }

private:
    size_t length_;
    std::istringstream in_;
};

// The wall code a segment of `type` writes, θ being its direction.
float segment_code(int32_t type, float theta) {
    switch (type) {
        case segment_wall: return code_wall;
        case segment_mirror: return theta;
        case segment_red_gate: return code_red_gate;
        case segment_green_gate: return code_green_gate;
        case segment_blue_mirror: return theta + code_blue_mirror_base;
        default: return code_empty;  // erases walls drawn earlier
    }
}

// A word of the map text for a message: at most 24 characters, each control
// or non-ASCII byte shown as '?', so the message stays one short line.
std::string shown(std::string_view word) {
    constexpr size_t most = 24;
    std::string text;
    for (char c : word.substr(0, most)) text += (c > ' ' && c < 127) ? c : '?';
    if (word.size() > most) text += "...";
    return text;
}

bool within_overhang(int32_t v, int32_t size) {
    return v >= -max_segment_overhang && int64_t{v} <= int64_t{size} + max_segment_overhang;
}

// The rules a map's records must keep, shared by the loader and check_map_source
// so both refuse the same maps in the same words. Each returns why, or "".

std::string size_refusal(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return "The map's width and height must be above 0.";
    if (int64_t{width} * height > max_grid_cells)
        return "The map is larger than " + std::to_string(max_grid_cells) + " cells.";
    return {};
}

// Segment `index` (from 0) of a map that size; `length` gathers the walks so far.
std::string segment_refusal(int32_t index, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t width,
                            int32_t height, int64_t& length) {
    if (!within_overhang(x1, width) || !within_overhang(x2, width) || !within_overhang(y1, height) ||
        !within_overhang(y2, height))
        return "Segment " + std::to_string(index + 1) + " reaches more than " + std::to_string(max_segment_overhang) +
               " px beyond the map.";
    length += std::llabs(int64_t{x2} - x1) + std::llabs(int64_t{y2} - y1) + 1;
    if (length > max_total_segment_length)
        return "The segments up to segment " + std::to_string(index + 1) + " are longer than " +
               std::to_string(max_total_segment_length) + " px in all, more than a map may draw.";
    return {};
}

std::string unwalkable(int32_t index) {
    return "Segment " + std::to_string(index + 1) + " cannot be walked to its end point.";
}

std::string heading_refusal(std::string_view heading, size_t index) {
    return "The heading \"" + shown(heading) + "\" of enemy " + std::to_string(index + 1) +
           " is not a number of degrees that fits a float.";
}

void reset_player_and_exit() {
    Player& p = world.player;
    p.x = p.y = 0;
    p.fx = p.fy = 0;
    p.respawn_x = p.respawn_y = 0;
    p.jump_timer = 0;
    p.vx = p.vy = 0;
    p.shot_cooldown = 0;
    p.health = settings.health_override;
    p.lives = settings.lives_override;
    p.hit_flash = false;
    p.powered = false;
    p.airborne = true;
    p.ducking = true;
    world.exit_x = world.exit_y = 0;
    world.exit_spin = 0;
}

void empty_lists() {
    world.segments.clear();
    world.switches.clear();
    world.enemies.clear();
    world.pickups.clear();
    world.checkpoints.clear();
    world.lasers.clear();
    world.explosions.clear();
}

bool fail(std::string& why, std::string reason) {
    world.release_grid();
    why = std::move(reason);
    return false;
}

// One of the map's lists: its name in messages, the numbers per element, the most it may hold.
struct ListShape {
    const char* one;   // "enemy"
    const char* many;  // "enemies"
    int numbers;       // per element
    int32_t most;
};

constexpr ListShape segment_list{"segment", "segments", 5, max_segments};
constexpr ListShape switch_list{"switch", "switches", 3, max_switches};
constexpr ListShape enemy_list{"enemy", "enemies", 4, max_enemies};
constexpr ListShape pickup_list{"pickup", "pickups", 3, max_pickups};
constexpr ListShape checkpoint_list{"checkpoint", "checkpoints", 2, max_checkpoints};

// Why a list of `count` elements is too long for a map, or "".
std::string count_refusal(const ListShape& list, size_t count) {
    if (count <= static_cast<size_t>(list.most)) return {};
    return "The map holds " + std::to_string(count) + " " + list.many + "; a map may hold at most " +
           std::to_string(list.most) + ".";
}

// Reads the count of a list.
bool read_count(MapReader& in, const ListShape& list, int32_t& count, std::string& why) {
    count = in.next_int();
    if (!in.good()) return fail(why, in.broken_at(std::string("the ") + list.one + " count"));
    if (count > 0)
        if (std::string refused = count_refusal(list, static_cast<size_t>(count)); !refused.empty())
            return fail(why, std::move(refused));
    if (!in.room_for(count, list.numbers))
        return fail(
            why, std::string("The ") + list.one + " count is negative or larger than the rest of the text can hold.");
    return true;
}

// Reads and draws the segments; false with `why` set when one is refused.
bool read_segments(MapReader& in, std::string& why) {
    int32_t count = 0;
    if (!read_count(in, segment_list, count, why)) return false;
    world.segments.resize(static_cast<size_t>(count));
    int64_t length = 0;  // px of walk so far, checked before each segment is drawn
    for (int32_t i = 0; i < count; ++i) {
        Segment& s = world.segments[static_cast<size_t>(i)];
        s.x1 = in.next_int();
        s.y1 = in.next_int();
        s.x2 = in.next_int();
        s.y2 = in.next_int();
        s.type = in.next_int();
        if (!in.good()) return fail(why, in.broken_at("segment " + std::to_string(i + 1)));
        std::string refused = segment_refusal(i, s.x1, s.y1, s.x2, s.y2, world.map_width, world.map_height, length);
        if (!refused.empty()) return fail(why, std::move(refused));
        const float code = segment_code(s.type, aim_angle(s.x1, s.y1, s.x2, s.y2));
        const bool finished = stamp_segment(
            s.x1, s.y1, s.x2, s.y2, [code](int32_t col, int32_t row) { write_cell(cell_index(col, row), code); });
        if (!finished) return fail(why, unwalkable(i));
    }
    return true;
}

bool read_switches(MapReader& in, std::string& why) {
    int32_t count = 0;
    world.red_on = world.green_on = world.blue_on = true;
    world.red_timer = world.green_timer = world.blue_timer = 0;
    if (!read_count(in, switch_list, count, why)) return false;
    world.switches.resize(static_cast<size_t>(count));
    for (Switch& s : world.switches) {
        s.x = in.next_int();
        s.y = in.next_int();
        s.colour = in.next_int();
    }
    return true;
}

bool read_enemies(MapReader& in, std::string& why) {
    int32_t count = 0;
    if (!read_count(in, enemy_list, count, why)) return false;
    Enemy fresh;
    fresh.health = settings.enemy_health_override;
    world.enemies.assign(static_cast<size_t>(count), fresh);
    for (size_t i = 0; i < world.enemies.size(); ++i) {
        Enemy& e = world.enemies[i];
        e.x = in.next_int();
        e.y = in.next_int();
        e.kind = in.next_int();
        const std::string heading = in.next_word();
        if (!in.good()) return fail(why, in.broken_at("enemy " + std::to_string(i + 1)));
        if (!parse_heading(heading, e.angle)) return fail(why, heading_refusal(heading, i));
        e.fx = static_cast<float>(e.x);
        e.fy = static_cast<float>(e.y);
    }
    return true;
}

bool read_pickups(MapReader& in, std::string& why) {
    int32_t count = 0;
    if (!read_count(in, pickup_list, count, why)) return false;
    world.pickups.resize(static_cast<size_t>(count));
    for (Pickup& p : world.pickups) {
        p.x = in.next_int();
        p.y = in.next_int();
        p.kind = in.next_int();
    }
    return true;
}

bool read_checkpoints(MapReader& in, std::string& why) {
    int32_t count = 0;
    if (!read_count(in, checkpoint_list, count, why)) return false;
    world.checkpoints.resize(static_cast<size_t>(count));
    for (Checkpoint& c : world.checkpoints) {
        c.x = in.next_int();
        c.y = in.next_int();
    }
    world.last_checkpoint = world.checkpoints.size();
    return true;
}

}  // namespace

bool load_map(const char* text, std::string& why) {
    if (text == nullptr || text[0] == '\0') {
        why = "The map text is empty.";
        return false;
    }
    empty_lists();
    world.release_grid();
    MapReader in(text);

    const int32_t width = in.next_int();
    const int32_t height = in.next_int();
    if (!in.good()) return fail(why, in.broken_at("the width and height"));
    if (std::string refused = size_refusal(width, height); !refused.empty()) return fail(why, std::move(refused));
    world.map_width = width;
    world.map_height = height;

    reset_player_and_exit();
    Player& p = world.player;
    p.x = in.next_int();
    p.y = in.next_int();
    world.exit_x = in.next_int();
    world.exit_y = in.next_int();
    p.fx = static_cast<float>(p.x);
    p.fy = static_cast<float>(p.y);
    p.respawn_x = p.x;
    p.respawn_y = p.y;
    if (!in.good()) return fail(why, in.broken_at("the start and exit positions"));

    const size_t cells = static_cast<size_t>(width) * static_cast<size_t>(height);
    // Up to 250 MB for both tables: asked for on huge pages before they are first filled.
    world.wall_grid.reserve(cells);
    world.cell_kinds.reserve(cells);
    prefer_huge_pages(world.wall_grid.data(), cells * sizeof(float));
    prefer_huge_pages(world.cell_kinds.data(), cells * sizeof(CellKind));
    world.wall_grid.assign(cells, code_empty);
    world.cell_kinds.assign(cells, CellKind::empty);

    if (!read_segments(in, why) || !read_switches(in, why) || !read_enemies(in, why) || !read_pickups(in, why) ||
        !read_checkpoints(in, why))
        return false;
    if (!in.good()) return fail(why, in.broken_at("the last lists"));
    // The laser step reads the kind table all over; the move is paid here, while loading.
    back_with_huge_pages(world.cell_kinds.data(), world.cell_kinds.size());
    why.clear();
    return true;
}

bool load_map(const char* text) {
    std::string why;
    return load_map(text, why);
}

namespace {

// The warnings for a start and an exit at those points of a map that size.
std::vector<std::string> placement_warnings(int32_t width, int32_t height, int32_t start_x, int32_t start_y,
                                            int32_t exit_x, int32_t exit_y) {
    const auto inside = [&](int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < width && y < height; };
    const auto where = [&](const char* what, int32_t x, int32_t y) {
        return std::string("The ") + what + " (" + std::to_string(x) + ", " + std::to_string(y) +
               ") lies outside the " + std::to_string(width) + " x " + std::to_string(height) + " map";
    };
    std::vector<std::string> warnings;
    if (!inside(start_x, start_y)) warnings.push_back(where("start", start_x, start_y) + ", so it cannot be played.");
    if (!inside(exit_x, exit_y)) warnings.push_back(where("exit", exit_x, exit_y) + ", so it may never be won.");
    return warnings;
}

}  // namespace

std::vector<std::string> map_warnings() {
    const Player& p = world.player;
    return placement_warnings(world.map_width, world.map_height, p.respawn_x, p.respawn_y, world.exit_x, world.exit_y);
}

std::vector<std::string> map_source_warnings(const MapSource& map) {
    return placement_warnings(map.width, map.height, map.start_x, map.start_y, map.exit_x, map.exit_y);
}

bool check_map_source(const MapSource& map, std::string& why) {
    why = size_refusal(map.width, map.height);
    if (why.empty()) why = count_refusal(segment_list, map.segments.size());
    int64_t length = 0;
    for (size_t i = 0; i < map.segments.size() && why.empty(); ++i) {
        const MapSegment& s = map.segments[i];
        const auto index = static_cast<int32_t>(i);
        why = segment_refusal(index, s.x1, s.y1, s.x2, s.y2, map.width, map.height, length);
        if (why.empty() && !stamp_segment(s.x1, s.y1, s.x2, s.y2, [](int32_t, int32_t) {})) why = unwalkable(index);
    }
    if (why.empty()) why = count_refusal(switch_list, map.switches.size());
    if (why.empty()) why = count_refusal(enemy_list, map.enemies.size());
    for (size_t i = 0; i < map.enemies.size() && why.empty(); ++i) {
        const std::string heading = heading_word(map.enemies[i]);
        float angle = 0;
        if (!parse_heading(heading, angle)) why = heading_refusal(heading, i);
    }
    if (why.empty()) why = count_refusal(pickup_list, map.pickups.size());
    if (why.empty()) why = count_refusal(checkpoint_list, map.checkpoints.size());
    return why.empty();
}
