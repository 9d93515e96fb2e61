// A map text's records as plain values, and the one writer of map texts: the
// built-in maps' one-line form and the one-record-per-line form a map maker
// reads and diffs.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct MapSegment {
    int32_t x1, y1, x2, y2;  // end points, px
    int32_t type;            // a SegmentType; any other value erases
    bool operator==(const MapSegment&) const = default;
};

struct MapSwitch {
    int32_t x, y;    // centre, px
    int32_t colour;  // a SwitchColour
    bool operator==(const MapSwitch&) const = default;
};

struct MapEnemy {
    int32_t x, y;    // px
    int32_t kind;    // an EnemyKind
    double heading;  // degrees, never wrapped; the game keeps it as a float
    // Digits written after the decimal point (0 to 20), so a text keeps its own
    // spelling ("180.00000"); -1 writes the shortest form that reads back exactly.
    int32_t heading_decimals = -1;
    bool operator==(const MapEnemy&) const = default;
};

struct MapPickup {
    int32_t x, y;  // px
    int32_t kind;  // a PickupKind; another value is taken with no effect
    bool operator==(const MapPickup&) const = default;
};

struct MapCheckpoint {
    int32_t x, y;  // px
    bool operator==(const MapCheckpoint&) const = default;
};

// Everything a map text holds, in its order. A plain value, made fresh by
// whoever reads or builds a text; it draws no grid and touches no world.
struct MapSource {
    int32_t width = 0, height = 0;     // px
    int32_t start_x = 0, start_y = 0;  // the middle of the standing body
    int32_t exit_x = 0, exit_y = 0;    // exit centre
    std::vector<MapSegment> segments = {};
    std::vector<MapSwitch> switches = {};
    std::vector<MapEnemy> enemies = {};
    std::vector<MapPickup> pickups = {};
    std::vector<MapCheckpoint> checkpoints = {};
    bool operator==(const MapSource&) const = default;
};

enum class MapTextForm {
    compact,   // one line, numbers apart by single spaces, one space at the end: the built-in maps' form
    readable,  // one record per line, each list's count on its own line, a line break at the end
};

// The map's text in `form`; the loader reads either form to the same map.
std::string write_map_text(const MapSource& map, MapTextForm form);

// The word write_map_text spells an enemy's heading with.
std::string heading_word(const MapEnemy& enemy);

// Reads the records of a map text into `out` without drawing a grid. True when
// every number is where the format puts it and the text ends with white space
// after the last one; on false `why` says in one line what is wrong and `out`
// holds what was read so far. The text ends at its first NUL, as the game's
// would. Sizes, positions and segment lengths are the loader's to judge. Each
// heading narrowed to a float is the loader's; one spelt in plain decimals
// keeps its spelling, so a built-in map reads and writes back byte for byte.
bool read_map_source(std::string_view text, MapSource& out, std::string& why);

// A heading word as map texts spell it: a decimal number with an optional sign,
// fraction and exponent that is finite as a float (one too small for a float
// reads as 0 or a tiny float). The whole word must be the number, so "0x10",
// "nan" and "inf" are refused.
bool parse_heading(std::string_view word, float& out);
