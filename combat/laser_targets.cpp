#include "combat/laser_targets.hpp"

#include <algorithm>
#include <cmath>

#include "combat/laser_rules.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int32_t enemy_reach = 12;   // px either side of an enemy's centre
constexpr int32_t switch_reach = 13;  // px either side of a switch's centre

// Bucket span [lo, hi] covered by centre +- reach along an axis of `cells` px; false if none.
bool bucket_span(int64_t centre, int32_t reach, int32_t cells, int64_t& lo, int64_t& hi) {
    const int64_t first = std::max<int64_t>(centre - reach, 0);
    const int64_t last = std::min<int64_t>(centre + reach, int64_t{cells} - 1);
    if (first > last) return false;
    lo = first >> LaserTargets::bucket_shift;
    hi = last >> LaserTargets::bucket_shift;
    return true;
}

bool in_box(int32_t ix, int32_t iy, const LaserTarget& t, int32_t reach) {
    return std::llabs(int64_t{ix} - t.x) <= reach && std::llabs(int64_t{iy} - t.y) <= reach;
}

}  // namespace

void LaserTargets::index_boxes(const std::vector<LaserTarget>& targets, int32_t reach, size_t columns, size_t rows,
                               std::vector<uint32_t>& begin, std::vector<LaserTarget>& flat) {
    begin.assign(columns * rows + 1, 0);
    const auto each_bucket = [&](const LaserTarget& t, auto&& visit) {
        int64_t bx0, bx1, by0, by1;
        if (!bucket_span(t.x, reach, world.map_width, bx0, bx1)) return;
        if (!bucket_span(t.y, reach, world.map_height, by0, by1)) return;
        for (int64_t by = by0; by <= by1; ++by)
            for (int64_t bx = bx0; bx <= bx1; ++bx) visit(static_cast<size_t>(by) * columns + static_cast<size_t>(bx));
    };
    for (const LaserTarget& t : targets) each_bucket(t, [&](size_t b) { ++begin[b + 1]; });
    for (size_t b = 0; b < columns * rows; ++b) begin[b + 1] += begin[b];
    flat.resize(begin.back());
    std::vector<uint32_t> fill(begin.begin(), begin.end() - 1);
    // Targets go in in order, so each bucket lists them lowest index first.
    for (const LaserTarget& t : targets) each_bucket(t, [&](size_t b) { flat[fill[b]++] = t; });
}

void LaserTargets::build() {
    const int32_t w = std::max(world.map_width, 0), h = std::max(world.map_height, 0);
    columns_ = static_cast<size_t>((int64_t{w} + 31) >> bucket_shift);
    rows_ = static_cast<size_t>((int64_t{h} + 31) >> bucket_shift);
    const size_t buckets = columns_ * rows_;

    scratch_.clear();
    for (size_t i = 0; i < world.enemies.size(); ++i) {
        const Enemy& e = world.enemies[i];
        if (e.kind != enemy_turret) scratch_.push_back({e.x, e.y, static_cast<int32_t>(i)});
    }
    index_boxes(scratch_, enemy_reach, columns_, rows_, enemy_begin_, enemy_list_);
    scratch_.clear();
    for (const Switch& s : world.switches) scratch_.push_back({s.x, s.y, colour_bit(s.colour)});
    index_boxes(scratch_, switch_reach, columns_, rows_, switch_begin_, switch_list_);

    flags_.assign(buckets, 0);
    for (size_t b = 0; b < buckets; ++b) {
        if (enemy_begin_[b + 1] > enemy_begin_[b]) flags_[b] |= has_enemies;
        if (switch_begin_[b + 1] > switch_begin_[b]) flags_[b] |= has_switches;
    }
    // Buckets any point of which lies within the pull radius (plus a pixel of slack).
    const double reach = exit_pull_radius + 2.0;
    for (size_t by = 0; by < rows_; ++by) {
        for (size_t bx = 0; bx < columns_; ++bx) {
            const double x0 = static_cast<double>(bx << bucket_shift), y0 = static_cast<double>(by << bucket_shift);
            const double nx = std::clamp(static_cast<double>(world.exit_x), x0, x0 + 32.0);
            const double ny = std::clamp(static_cast<double>(world.exit_y), y0, y0 + 32.0);
            const double dx = nx - world.exit_x, dy = ny - world.exit_y;
            if (dx * dx + dy * dy <= reach * reach) flags_[by * columns_ + bx] |= near_exit;
        }
    }
}

int32_t LaserTargets::enemy_at(int32_t ix, int32_t iy) const {
    const size_t b = bucket(ix, iy);
    for (uint32_t i = enemy_begin_[b]; i < enemy_begin_[b + 1]; ++i)
        if (in_box(ix, iy, enemy_list_[i], enemy_reach)) return enemy_list_[i].index;
    return -1;
}

bool LaserTargets::switches_at(int32_t ix, int32_t iy, uint8_t& colours) const {
    const size_t b = bucket(ix, iy);
    bool any = false;
    for (uint32_t i = switch_begin_[b]; i < switch_begin_[b + 1]; ++i) {
        if (in_box(ix, iy, switch_list_[i], switch_reach)) {
            any = true;
            colours = static_cast<uint8_t>(colours | switch_list_[i].index);
        }
    }
    return any;
}
