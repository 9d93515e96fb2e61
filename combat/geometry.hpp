// What a cell does to lasers and bodies under the switch states, mirror
// reflection, and whether a point shows on the game screen. The grid itself
// (conversions, cell kinds, stamping) is world/grid.hpp.
#pragma once

#include <cstdint>

#include "world/cell_kind.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

// Whether a switch colour is on under the given states; kinds without a colour always are.
inline bool colour_on(SwitchColour c, bool red_on, bool green_on, bool blue_on) {
    switch (c) {
        case switch_red: return red_on;
        case switch_green: return green_on;
        case switch_blue: return blue_on;
        default: return true;
    }
}
inline bool colour_on(SwitchColour c) { return colour_on(c, world.red_on, world.green_on, world.blue_on); }

// What the cell does to a laser now: a kind whose colour is off lets it pass.
inline CellAction laser_action(CellKind k) {
    const CellEffect& e = effect_of(k);
    return colour_on(e.colour) ? e.laser : CellAction::pass;
}

// Whether the cell stops (spends) a laser; mirrors reflect rather than stop.
inline bool blocks_laser(CellKind k) { return laser_action(k) == CellAction::spend; }

// Whether the cell reflects a laser (a blue mirror only while blue_on).
inline bool reflects_laser(CellKind k) { return laser_action(k) == CellAction::reflect; }

// Whether the cell stops the player's body or a basic enemy's probe.
inline bool blocks_body(CellKind k) {
    const CellEffect& e = effect_of(k);
    return e.blocks_body && colour_on(e.colour);
}

// A direction a leaving a mirror line of direction theta (radians).
inline float reflect_angle(float a, float theta) { return 2.0f * theta - a; }

// True when (x, y) shown through the camera lies on the game screen, widened by margin px (bounds inclusive).
bool on_screen(int32_t x, int32_t y, int32_t margin);
