#include "combat/shield.hpp"

#include <cmath>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/lasers.hpp"
#include "world/grid.hpp"
#include "world/world_state.hpp"

namespace {

constexpr float shield_half_length = 30.0f;  // px from the centre to either end
// Wall codes above this are shield mirror cells (the code is angle + 2000).
constexpr int32_t shield_code_floor = 1800;

// Computes the ends of a shield raised now: across the aim, 33 px out from the shoulder.
ShieldEnds shield_ends_for_aim(const ArmInput& arm) {
    const Player& p = world.player;
    // Single precision throughout, as for the shot: a shield aimed straight
    // along an axis then lands on whole pixels. It stands where a shot starts.
    const float a = arm.aim;
    const float xc = static_cast<float>(p.x) + muzzle_reach * std::cos(a);
    const float yc = static_cast<float>(p.y + arm.duck_offset) + muzzle_reach * std::sin(a);
    const float across = a + static_cast<float>(pi / 2);
    const float ux = std::cos(across), uy = std::sin(across);
    return {to_int(xc + shield_half_length * ux), to_int(yc + shield_half_length * uy),
            to_int(xc - shield_half_length * ux), to_int(yc - shield_half_length * uy)};
}

// Stamps the shield as a mirror along its own direction into empty cells only,
// so it never replaces a wall, gate or mirror of the map.
void stamp_shield(const ShieldEnds& s) {
    const float code = aim_angle(s.x1, s.y1, s.x2, s.y2) + code_shield_mirror_base;
    stamp_segment(s.x1, s.y1, s.x2, s.y2, [code](int32_t col, int32_t row) {
        const size_t at = cell_index(col, row);
        if (world.cell_kinds[at] == CellKind::empty) write_cell(at, code);
    });
}

// Clears every shield cell along the stroke; the map's own cells stay.
void erase_shield(const ShieldEnds& s) {
    stamp_segment(s.x1, s.y1, s.x2, s.y2, [](int32_t col, int32_t row) {
        const size_t at = cell_index(col, row);
        if (to_int(world.wall_grid[at]) > shield_code_floor) write_cell(at, code_empty);
    });
}

void raise_shield(const ArmInput& arm) {
    combat.shield_timer = settings.shield_cooldown_rate;
    combat.shield_ends = shield_ends_for_aim(arm);
    stamp_shield(combat.shield_ends);
    combat.shield_up = true;
}

// Runs the cycle's timer down; the shield stands for its first three quarters.
// A rate of 0 or less never counts, and below 4 the quarter is 0, so such a
// shield is never taken down.
void count_down_shield() {
    if (combat.shield_timer < 1) return;
    --combat.shield_timer;
    if (combat.shield_timer < settings.shield_cooldown_rate / 4 && combat.shield_up) {
        erase_shield(combat.shield_ends);
        combat.shield_up = false;
    }
}

}  // namespace

void shield_update(const ArmInput& arm) {
    if (!world.has_grid()) return;
    if (arm.shield_held && world.player.powered && combat.shield_timer <= 0) raise_shield(arm);
    count_down_shield();
}
