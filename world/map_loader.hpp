// Turns a map text into the world state: lists, player, exit and the wall grid.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct MapSource;

// Bounds a map text must keep to load. The largest built-in map has about
// 12.3 million cells; the cap leaves four times that (200 MB of wall codes).
inline constexpr int64_t max_grid_cells = 50'000'000;
// Segment end points may poke this far (px) beyond the map's edges; the cells
// outside are dropped. Farther points are refused so a load always ends quickly.
inline constexpr int32_t max_segment_overhang = 4096;
// The segments' lengths, |dx| + |dy| + 1 px each, may add up to this much.
// Drawing costs 20 to 60 ns per px of length (more when the segments are
// scattered over a large grid), so together with filling the largest grid a
// load stays under a second however the text was made; map 1 needs about
// 12,000 and a map of 100 segments across an 8000 px level well under a million.
inline constexpr int64_t max_total_segment_length = 10'000'000;
// The most of each list a map may hold: far above the built-in maps (at most
// 100 segments, 9 switches, 176 enemies, 7 pickups and 6 checkpoints), and low
// enough that a map at every bound reaches its first frame within a second or
// so and an update with all its enemies on screen takes a few ms.
inline constexpr int32_t max_segments = 10'000;
inline constexpr int32_t max_switches = 1'000;
inline constexpr int32_t max_enemies = 2'000;
inline constexpr int32_t max_pickups = 2'000;
inline constexpr int32_t max_checkpoints = 1'000;

// Loads a map text into `world`. True when the whole text was read; on false
// no grid stays allocated and `why` (if given) says what was wrong.
bool load_map(const char* text);
bool load_map(const char* text, std::string& why);

// What the map just loaded lets through that makes it unplayable, one
// sentence each, for map makers: a start outside the map (the player begins
// outside every wall and falls for ever) or an exit outside it (out of reach).
// Such a map still loads and plays.
std::vector<std::string> map_warnings();
// The same warnings for a map's records before they are loaded.
std::vector<std::string> map_source_warnings(const MapSource& map);

// Whether load_map would load the text write_map_text makes of `map`, and if
// not, why in the loader's own words; touches no world and builds no grid.
bool check_map_source(const MapSource& map, std::string& why);
