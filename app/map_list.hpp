// The list of map names map selection shows, from the text its caller hands in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Longest line a map list takes, in characters; a longer line ends the list.
inline constexpr size_t max_map_list_line = 1023;

// One name per line-feed-ended line, in order. A last line without its line
// feed is not taken, a line longer than max_map_list_line ends the list, and
// an empty line gives an empty name.
std::vector<std::string> split_map_list(std::string_view text);
