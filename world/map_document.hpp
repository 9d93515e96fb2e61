// A map being edited: its records, the edits made to it and the history that
// undoes and redoes them, and the geometry an editor needs to point at it:
// snapping to the grid, the 45-degree rule, the item nearest a point and the
// items inside a box. Positions are world px.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

#include "world/map_text.hpp"

// The grid the editor snaps to, px.
inline constexpr int32_t map_grid_step = 8;
// The smallest width or height the map's frame can be dragged to, px.
inline constexpr int32_t min_map_side = 64;

enum class ItemKind : uint8_t { segment, switch_, enemy, pickup, checkpoint, start, exit };

// One item of a map: an element of one of its lists, or the start or the exit (index 0).
struct MapItem {
    ItemKind kind = ItemKind::segment;
    size_t index = 0;
    auto operator<=>(const MapItem&) const = default;
};

struct MapPoint {
    int32_t x = 0, y = 0;
    bool operator==(const MapPoint&) const = default;
};

// What a press takes hold of: an item, and for a segment which part of it.
struct MapPick {
    MapItem item;
    enum Part : uint8_t { whole, first_end, second_end } part = whole;
};

// ---- Snapping ----
// v rounded to the nearest multiple of the grid (halves away from zero).
int32_t snap_to_grid(double v);
// `to` moved so that the line from `from` runs at a multiple of 45 degrees,
// as near the pointer as that allows: an axis keeps the pointer's coordinate
// along it, a diagonal takes the mean of the two distances. On the grid the
// result stays on the grid when `from` is on it.
MapPoint snap_45(MapPoint from, MapPoint to, bool grid);
// A heading in degrees, rounded to the nearest multiple of 45.
double snap_heading_45(double degrees);

// ---- Pointing at items ----
// Where an item stands: an object's or the start's or exit's position, a segment's first end.
MapPoint item_position(const MapSource& map, MapItem item);
// The box an item's picture covers as the game draws it (a segment: the box of its ends), world px.
struct MapBox {
    double left = 0, top = 0, right = 0, bottom = 0;
};
MapBox item_box(const MapSource& map, MapItem item);
// The item nearest (x, y), if one lies close enough: a segment within
// `reach` px of its line (an end within `reach` takes that end rather than the
// whole), an object, the start or the exit within `reach` of its picture.
// Where pictures overlap, the one whose centre is nearest wins.
std::optional<MapPick> pick_item(const MapSource& map, double x, double y, double reach);
// Every item inside the box spanned by the two corners: objects by their
// position, segments with both ends inside.
std::vector<MapItem> items_in_box(const MapSource& map, MapPoint a, MapPoint b);

// ---- Edits, as plain changes of the records ----
// Moves the items by (dx, dy) px, positions held within the int32 range.
void move_items(MapSource& map, const std::vector<MapItem>& items, int32_t dx, int32_t dy);
// Removes the items; the start and the exit stay, as every map has them.
void remove_items(MapSource& map, std::vector<MapItem> items);

// A map and the history of its edits, for one visit of the editor. Every edit
// is a step: a snapshot of the records before it, so undo and redo restore
// exactly what was shown, however many steps there are.
class MapDocument {
public:
    explicit MapDocument(MapSource map) : map_(std::move(map)) {}

    const MapSource& map() const { return map_; }

    // An edit made at once: begins a step, applies `change`, ends the step.
    template <class Change>
    void edit(Change&& change) {
        begin_step();
        change(map_);
        end_step();
    }

    // An edit made over time (a drag): begin_step() keeps the records as they
    // are; while it runs, live() is rewritten from base(); end_step() keeps
    // the step only when the records changed, cancel_step() puts them back.
    void begin_step();
    bool in_step() const { return base_.has_value(); }
    const MapSource& base() const { return *base_; }
    MapSource& live() { return map_; }
    void end_step();
    void cancel_step();

    // False when there is nothing to undo or redo (or a step is running).
    bool undo();
    bool redo();
    size_t undo_steps() const { return undo_.size(); }
    size_t redo_steps() const { return redo_.size(); }

private:
    MapSource map_;
    std::optional<MapSource> base_;  // the records before the running step
    std::vector<MapSource> undo_;    // oldest first
    std::vector<MapSource> redo_;    // the step undone last at the back
};
