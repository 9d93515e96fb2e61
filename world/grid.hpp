// The wall grid's rules shared by the loader and everything that moves: the
// float-to-integer conversions, what kind a cell's code is, where a cell lies
// in the grid, how a cell is written, and how a segment is stamped into it.
#pragma once

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "world/cell_kind.hpp"
#include "world/world_state.hpp"

inline constexpr double pi = 3.141592653589793;

// Float to integer, truncating toward zero; values beyond int range saturate
// (NaN gives INT_MIN) so that no conversion is undefined.
inline int32_t to_int(double v) {
    if (v > -2147483649.0 && v < 2147483648.0) return static_cast<int32_t>(v);
    return v > 0 ? INT32_MAX : INT32_MIN;
}

// A 64-bit sum held to the int32 range: positions, lives and health near the
// limits saturate instead of wrapping.
inline int32_t saturated(int64_t v) { return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

// Direction (radians, in (-pi/2, 3pi/2)) in which a point moving from (ox, oy) reaches (tx, ty).
float aim_angle(int32_t tx, int32_t ty, int32_t ox, int32_t oy);

struct CellClass {
    CellKind kind;
    float theta;  // mirror direction in radians, for the three mirror kinds; else 0
};

// Kind of a cell value, without the mirror angle.
inline CellKind cell_kind_of(float v) {
    const int32_t n = to_int(v);
    if (n < -2500) return CellKind::empty;
    if (n < -1800) return CellKind::green_gate;
    if (n < -1300) return CellKind::wall;
    if (n < -800) return CellKind::red_gate;
    if (n <= -100) return CellKind::inert;
    if (n <= 800) return CellKind::mirror;
    if (n <= 1800) return CellKind::blue_mirror;
    return CellKind::shield_mirror;
}

// Kind of a cell value and, for mirrors, the mirror's direction (taken from v, not its truncation).
inline CellClass classify_cell(float v) {
    const CellKind k = cell_kind_of(v);
    switch (k) {
        case CellKind::mirror: return {k, v};
        case CellKind::blue_mirror: return {k, v - 1000.0f};
        case CellKind::shield_mirror: return {k, v - 2000.0f};
        default: return {k, 0.0f};
    }
}

inline bool in_grid(int32_t x, int32_t y) { return x >= 0 && y >= 0 && x < world.map_width && y < world.map_height; }

inline size_t cell_index(int32_t x, int32_t y) {
    return static_cast<size_t>(y) * static_cast<size_t>(world.map_width) + static_cast<size_t>(x);
}

// Writes a wall code and keeps the kind map in step with it.
inline void write_cell(size_t index, float v) {
    world.wall_grid[index] = v;
    world.cell_kinds[index] = cell_kind_of(v);
}

// The most walk steps a stroke from (x1, y1) to (x2, y2) may take before it
// counts as stuck: a float walker far from the origin can stop moving on its
// minor axis, and the walk would then never end.
inline int64_t stroke_step_budget(int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
    const int64_t dx = std::llabs(int64_t{x2} - x1), dy = std::llabs(int64_t{y2} - y1);
    return 2 * (dx + dy) + 16;
}

// Walks the integer segment from (x1, y1) towards (x2, y2) and calls
// rule(column, row) for each in-grid cell of a 7-sample stroke (about 3 px wide)
// across it; (x2, y2) itself is not stamped. Returns false if the walk got
// stuck (see stroke_step_budget) and was abandoned.
template <class Rule>
bool stamp_segment(int32_t x1, int32_t y1, int32_t x2, int32_t y2, Rule&& rule) {
    const float a = aim_angle(x1, y1, x2, y2);  // from P2 towards P1; the walker steps against it
    const double across = static_cast<double>(a) + pi / 2;
    const double ux = std::cos(across), uy = std::sin(across);
    const double step_x = std::cos(static_cast<double>(a)), step_y = std::sin(static_cast<double>(a));
    float fx = static_cast<float>(x1), fy = static_cast<float>(y1);
    int64_t budget = stroke_step_budget(x1, y1, x2, y2);
    for (;;) {
        const int32_t ix = to_int(fx), iy = to_int(fy);
        if (ix == x2 && iy == y2) return true;
        if (--budget < 0) return false;
        for (int i = -3; i <= 3; ++i) {
            const int32_t col = to_int(static_cast<double>(fx) + ux * i * 0.5);
            const int32_t row = to_int(static_cast<double>(fy) + uy * i * 0.5);
            if (in_grid(col, row)) rule(col, row);
        }
        if (ix != x2) fx = static_cast<float>(static_cast<double>(fx) - step_x);
        if (iy != y2) fy = static_cast<float>(static_cast<double>(fy) - step_y);
    }
}
