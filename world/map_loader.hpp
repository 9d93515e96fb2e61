// Turns a map text into the world state: lists, player, exit and the wall grid.
#pragma once

#include <cstdint>
#include <string>

// Bounds a map text must keep to load. The largest built-in map has about
// 12.3 million cells; the cap leaves four times that (200 MB of wall codes).
inline constexpr int64_t max_grid_cells = 50'000'000;
// Segment end points may poke this far (px) beyond the map's edges; the cells
// outside are dropped. Farther points are refused so a load always ends quickly.
inline constexpr int32_t max_segment_overhang = 4096;
// The segments' lengths, |dx| + |dy| + 1 px each, may add up to this much.
// Drawing costs about 20 ns per px of length, so a load stays well under a
// second however the text was made; map 1 needs about 12,000 and a map of
// 100 segments across an 8000 px level well under a million.
inline constexpr int64_t max_total_segment_length = 25'000'000;

// Loads a map text into `world`. True when the whole text was read; on false
// no grid stays allocated and `why` (if given) says what was wrong.
bool load_map(const char* text);
bool load_map(const char* text, std::string& why);
