#include "world/map_document.hpp"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace {

constexpr double degrees_per_octant = 45.0;
constexpr double pi = 3.141592653589793;

int32_t held(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t held(double v) {
    return static_cast<int32_t>(std::clamp(v, static_cast<double>(std::numeric_limits<int32_t>::min()),
                                           static_cast<double>(std::numeric_limits<int32_t>::max())));
}

// The picture of an item as the game draws it, relative to its position, px.
MapBox extent_of(ItemKind kind) {
    switch (kind) {
        case ItemKind::checkpoint: return {-16, -32, 16, 0};  // the flag stands on its point
        case ItemKind::exit: return {-32, -32, 32, 32};
        case ItemKind::start: return {-16, -32, 16, 32};  // the standing body
        default: return {-16, -16, 16, 16};
    }
}

// How far (x, y) lies from the picture of an item at p, and from its centre.
std::pair<double, double> distance_to_picture(ItemKind kind, MapPoint p, double x, double y) {
    const MapBox e = extent_of(kind);
    const double left = p.x + e.left, right = p.x + e.right, top = p.y + e.top, bottom = p.y + e.bottom;
    const double ox = std::max({left - x, 0.0, x - right}), oy = std::max({top - y, 0.0, y - bottom});
    return {std::hypot(ox, oy), std::hypot(x - (left + right) / 2, y - (top + bottom) / 2)};
}

double distance_to_line(const MapSegment& s, double x, double y) {
    const double dx = static_cast<double>(s.x2) - s.x1, dy = static_cast<double>(s.y2) - s.y1;
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((x - s.x1) * dx + (y - s.y1) * dy) / length2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (s.x1 + t * dx), y - (s.y1 + t * dy));
}

bool inside(MapPoint p, MapPoint a, MapPoint b) {
    return p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && p.y >= std::min(a.y, b.y) &&
           p.y <= std::max(a.y, b.y);
}

void move_point(int32_t& x, int32_t& y, int32_t dx, int32_t dy) {
    x = held(int64_t{x} + dx);
    y = held(int64_t{y} + dy);
}

template <class List>
void erase_at(List& list, size_t index) {
    if (index < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

// Calls `visit` with every item placed at a point: switches, enemies,
// pickups, checkpoints, then the start and the exit.
template <typename Visit>
void for_each_placed_item(const MapSource& map, Visit visit) {
    const std::pair<ItemKind, size_t> lists[] = {{ItemKind::switch_, map.switches.size()},
                                                 {ItemKind::enemy, map.enemies.size()},
                                                 {ItemKind::pickup, map.pickups.size()},
                                                 {ItemKind::checkpoint, map.checkpoints.size()},
                                                 {ItemKind::start, 1},
                                                 {ItemKind::exit, 1}};
    for (const auto& [kind, count] : lists)
        for (size_t i = 0; i < count; ++i) visit(MapItem{kind, i});
}

}  // namespace

int32_t snap_to_grid(double v) { return held(std::round(v / map_grid_step) * map_grid_step); }

MapPoint snap_45(MapPoint from, MapPoint to, bool grid) {
    const double dx = static_cast<double>(to.x) - from.x, dy = static_cast<double>(to.y) - from.y;
    if (dx == 0 && dy == 0) return to;
    const auto octant = static_cast<int>(std::lround(std::atan2(dy, dx) / (pi / 4))) & 7;
    switch (octant) {
        case 0:
        case 4: return {to.x, from.y};
        case 2:
        case 6: return {from.x, to.y};
        default: break;
    }
    double d = (std::abs(dx) + std::abs(dy)) / 2;
    d = grid ? std::round(d / map_grid_step) * map_grid_step : std::round(d);
    const double sx = (octant == 1 || octant == 7) ? 1 : -1, sy = octant <= 3 ? 1 : -1;
    return {held(from.x + sx * d), held(from.y + sy * d)};
}

double snap_heading_45(double degrees) { return std::round(degrees / degrees_per_octant) * degrees_per_octant; }

MapPoint item_position(const MapSource& map, MapItem item) {
    const size_t i = item.index;
    switch (item.kind) {
        case ItemKind::segment: return {map.segments[i].x1, map.segments[i].y1};
        case ItemKind::switch_: return {map.switches[i].x, map.switches[i].y};
        case ItemKind::enemy: return {map.enemies[i].x, map.enemies[i].y};
        case ItemKind::pickup: return {map.pickups[i].x, map.pickups[i].y};
        case ItemKind::checkpoint: return {map.checkpoints[i].x, map.checkpoints[i].y};
        case ItemKind::start: return {map.start_x, map.start_y};
        case ItemKind::exit: return {map.exit_x, map.exit_y};
    }
    return {};
}

MapBox item_box(const MapSource& map, MapItem item) {
    if (item.kind == ItemKind::segment) {
        const MapSegment& s = map.segments[item.index];
        return {static_cast<double>(std::min(s.x1, s.x2)), static_cast<double>(std::min(s.y1, s.y2)),
                static_cast<double>(std::max(s.x1, s.x2)), static_cast<double>(std::max(s.y1, s.y2))};
    }
    const MapPoint p = item_position(map, item);
    const MapBox e = extent_of(item.kind);
    return {p.x + e.left, p.y + e.top, p.x + e.right, p.y + e.bottom};
}

std::optional<MapPick> pick_item(const MapSource& map, double x, double y, double reach) {
    std::optional<MapPick> best;
    std::pair<double, double> best_score{reach, 0};  // distance to the picture or line, then to the centre
    bool first = true;
    auto consider = [&](MapPick pick, std::pair<double, double> score) {
        if (score.first > reach) return;
        if (!first && score >= best_score) return;
        best = pick;
        best_score = score;
        first = false;
    };
    for (size_t i = 0; i < map.segments.size(); ++i) {
        const MapSegment& s = map.segments[i];
        const double line = distance_to_line(s, x, y);
        const double to_first = std::hypot(x - s.x1, y - s.y1), to_second = std::hypot(x - s.x2, y - s.y2);
        MapPick pick{{ItemKind::segment, i}, MapPick::whole};
        if (std::min(to_first, to_second) <= reach)
            pick.part = to_first <= to_second ? MapPick::first_end : MapPick::second_end;
        consider(pick, {line, line});
    }
    for_each_placed_item(map, [&](MapItem item) {
        consider({item, MapPick::whole}, distance_to_picture(item.kind, item_position(map, item), x, y));
    });
    return best;
}

std::vector<MapItem> items_in_box(const MapSource& map, MapPoint a, MapPoint b) {
    std::vector<MapItem> found;
    for (size_t i = 0; i < map.segments.size(); ++i) {
        const MapSegment& s = map.segments[i];
        if (inside({s.x1, s.y1}, a, b) && inside({s.x2, s.y2}, a, b)) found.push_back({ItemKind::segment, i});
    }
    for_each_placed_item(map, [&](MapItem item) {
        if (inside(item_position(map, item), a, b)) found.push_back(item);
    });
    return found;
}

void move_items(MapSource& map, const std::vector<MapItem>& items, int32_t dx, int32_t dy) {
    for (const MapItem& item : items) {
        const size_t i = item.index;
        switch (item.kind) {
            case ItemKind::segment:
                if (i < map.segments.size()) {
                    MapSegment& s = map.segments[i];
                    move_point(s.x1, s.y1, dx, dy);
                    move_point(s.x2, s.y2, dx, dy);
                }
                break;
            case ItemKind::switch_:
                if (i < map.switches.size()) move_point(map.switches[i].x, map.switches[i].y, dx, dy);
                break;
            case ItemKind::enemy:
                if (i < map.enemies.size()) move_point(map.enemies[i].x, map.enemies[i].y, dx, dy);
                break;
            case ItemKind::pickup:
                if (i < map.pickups.size()) move_point(map.pickups[i].x, map.pickups[i].y, dx, dy);
                break;
            case ItemKind::checkpoint:
                if (i < map.checkpoints.size()) move_point(map.checkpoints[i].x, map.checkpoints[i].y, dx, dy);
                break;
            case ItemKind::start: move_point(map.start_x, map.start_y, dx, dy); break;
            case ItemKind::exit: move_point(map.exit_x, map.exit_y, dx, dy); break;
        }
    }
}

void remove_items(MapSource& map, std::vector<MapItem> items) {
    // From the back, so the indices still to go stay valid.
    std::sort(items.begin(), items.end(), std::greater<>());
    items.erase(std::unique(items.begin(), items.end()), items.end());
    for (const MapItem& item : items) {
        switch (item.kind) {
            case ItemKind::segment: erase_at(map.segments, item.index); break;
            case ItemKind::switch_: erase_at(map.switches, item.index); break;
            case ItemKind::enemy: erase_at(map.enemies, item.index); break;
            case ItemKind::pickup: erase_at(map.pickups, item.index); break;
            case ItemKind::checkpoint: erase_at(map.checkpoints, item.index); break;
            case ItemKind::start:
            case ItemKind::exit: break;
        }
    }
}

void MapDocument::begin_step() {
    if (!base_) base_ = map_;
}

void MapDocument::end_step() {
    if (!base_) return;
    if (!(*base_ == map_)) {
        undo_.push_back(std::move(*base_));
        redo_.clear();
    }
    base_.reset();
}

void MapDocument::cancel_step() {
    if (!base_) return;
    map_ = std::move(*base_);
    base_.reset();
}

bool MapDocument::undo() {
    if (base_ || undo_.empty()) return false;
    redo_.push_back(std::exchange(map_, std::move(undo_.back())));
    undo_.pop_back();
    return true;
}

bool MapDocument::redo() {
    if (base_ || redo_.empty()) return false;
    undo_.push_back(std::exchange(map_, std::move(redo_.back())));
    redo_.pop_back();
    return true;
}
