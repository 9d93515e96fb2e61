#include "world/maps.hpp"

// builtin_map_text is generated from world/maps/mapN.txt at build time.

const char* map_text_for_name(std::string_view name) {
    if (name.empty() || name[0] < '1' || name[0] > '5') return nullptr;
    return builtin_map_text(name[0] - '0');
}
