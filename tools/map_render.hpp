// `vantorel-tool map render`: a picture of the loaded map for map makers.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// The picture may be at most this many pixels on a side, and this many in all
// (400 MB of RGBA); a larger map needs a larger scale.
inline constexpr int64_t max_picture_side = 16384;
inline constexpr int64_t max_picture_pixels = 100'000'000;

// A player's way through a map: where it stood after each update (world px),
// and where each life was lost.
struct RoutePath {
    std::vector<std::pair<int32_t, int32_t>> points;
    std::vector<std::pair<int32_t, int32_t>> deaths;
};

// Draws the map in `world` at 1/scale of its size (scale >= 1) and writes it to
// `out_path` as PNG, releasing the wall grid once drawn. Routes are drawn over
// the map, the first one on top. Throws ToolError when the picture would be too
// large or cannot be written.
void render_map(const std::string& out_path, int32_t scale, const std::vector<RoutePath>& routes = {});
