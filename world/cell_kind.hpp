// What a wall-grid cell is, by the band its truncated code falls in.
#pragma once

#include <cstdint>

enum class CellKind : uint8_t {
    empty,          // n < -2500
    green_gate,     // -2500 <= n < -1800; closed to lasers while green_on
    wall,           // -1800 <= n < -1300
    red_gate,       // -1300 <= n < -800; closed while red_on
    inert,          // -800 <= n <= -100; never written
    mirror,         // -99 <= n <= 800; theta = v
    blue_mirror,    // 801 <= n <= 1800; theta = v - 1000; present while blue_on
    shield_mirror,  // n > 1800; theta = v - 2000
};
