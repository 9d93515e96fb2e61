#include "world/maps.hpp"

namespace {

// Map 1, the first level: walk, jump the low mirror, turret, green wall, red gates and the exit.
constexpr const char* map1 =
    "2713 697 61 598 2331 598 1 3 632 1817 632 1 0 1 1180 397 1 3 536 596 3 180 1084 463 2 96.3402 1847 559 1 90 0 0 ";

}  // namespace

const char* builtin_map_text(int n) {
    switch (n) {
        case 1: return map1;
        default: return nullptr;
    }
}

const char* map_text_for_name(std::string_view name) {
    if (name.empty() || name[0] < '1' || name[0] > '5') return nullptr;
    return builtin_map_text(name[0] - '0');
}
