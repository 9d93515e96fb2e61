// What a wall-grid cell is, by the band its truncated code falls in, and the
// one table of what each kind does to lasers and to bodies.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "world/map_vocabulary.hpp"

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
inline constexpr int cell_kind_count = 8;

// What a cell does to a laser particle passing through it.
enum class CellAction : uint8_t { pass, spend, reflect };

// One kind's effect while its colour is on (or always, for kinds without a
// colour); a kind whose colour is off lets lasers and bodies through.
struct CellEffect {
    CellAction laser;
    bool blocks_body;     // the player's body, a basic enemy's probe
    SwitchColour colour;  // no_colour: never changes
};

// Indexed by CellKind. Mirrors stop bodies; a green gate stops only lasers.
inline constexpr std::array<CellEffect, cell_kind_count> cell_effects = {{
    {CellAction::pass, false, no_colour},      // empty
    {CellAction::spend, false, switch_green},  // green_gate
    {CellAction::spend, true, no_colour},      // wall
    {CellAction::spend, true, switch_red},     // red_gate
    {CellAction::pass, false, no_colour},      // inert
    {CellAction::reflect, true, no_colour},    // mirror
    {CellAction::reflect, true, switch_blue},  // blue_mirror
    {CellAction::reflect, true, no_colour},    // shield_mirror
}};

inline constexpr const CellEffect& effect_of(CellKind k) { return cell_effects[static_cast<size_t>(k)]; }
