// The built-in maps, stored as map texts.
#pragma once

#include <string_view>

inline constexpr int builtin_map_count = 5;

// Map n's text (1 to 5), or nullptr when n names no built-in map or the map is not made yet.
const char* builtin_map_text(int n);

// The text a game's map name selects by its first character ("1" to "5"), or nullptr.
const char* map_text_for_name(std::string_view name);
