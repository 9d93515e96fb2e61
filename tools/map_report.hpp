// `vantorel-tool map info` and `map cells`: what the loader made of a map.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <utility>
#include <vector>

// Prints the loaded map's header, object counts, `length` (characters of its
// text), one line per segment, switch, enemy and pickup kind present, and a
// "warning" line for each thing that makes it unplayable (map_warnings).
void print_map_info(size_t text_length, std::ostream& out);

// Prints each cell's wall code ("%.9g", which reads back as the same float) or
// "outside" for a position beyond the grid; columns and rows are pixels.
void print_cells(const std::vector<std::pair<int64_t, int64_t>>& cells, std::ostream& out);
