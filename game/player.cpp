#include "game/player.hpp"

#include "app/settings.hpp"
#include "combat/geometry.hpp"
#include "game/input.hpp"
#include "game/objectives.hpp"
#include "world/world_state.hpp"

namespace {

// Body geometry, px from (x, y), the middle of the standing body; y grows downward.
constexpr int32_t half_width = 12;     // probes span x - 12 .. x + 12
constexpr int32_t side_reach = 15;     // side probe column beside the centre
constexpr int32_t side_rows = 28;      // side probe rows reach y - 28 (standing) .. y + 28
constexpr int32_t head_row = 30;       // head probe row y - 30 (ducking: y)
constexpr int32_t floor_row = 32;      // the feet stand on row y + 32
constexpr int32_t step_up_row = 31;    // feet inside a wall: lift the body
constexpr int32_t stand_up_rows = 32;  // rows y - 31 .. y must be free to stand up

// Speeds, px per update; positive vy is up.
constexpr float walk_speed = 3.0f;
constexpr float ducked_walk_speed = 2.0f;
constexpr float gravity = 0.5f;
constexpr float jump_push = 1.0f;
constexpr float max_vertical_speed = 3.0f;
constexpr float fly_speed = 3.0f;
constexpr float step_up_speed = 1.0f;

constexpr int32_t walk_cycle = 80;  // walk_step runs 0..79

bool flying() { return settings.i_can_fly != 0; }

// Whether any cell of row `row` over columns centre - 12 .. centre + 12 blocks.
bool row_blocked(int64_t centre, int64_t row) {
    for (int64_t col = centre - half_width; col <= centre + half_width; ++col)
        if (body_blocked_at(col, row)) return true;
    return false;
}

// Whether any cell of column `col` over rows first .. last blocks.
bool column_blocked(int64_t col, int64_t first, int64_t last) {
    for (int64_t row = first; row <= last; ++row)
        if (body_blocked_at(col, row)) return true;
    return false;
}

// Whether the ducked body has room to stand: rows y - 31 .. y free over all 25 columns.
bool room_to_stand() {
    const Player& p = world.player;
    for (int64_t col = int64_t{p.x} - half_width; col <= int64_t{p.x} + half_width; ++col)
        if (column_blocked(col, int64_t{p.y} - (stand_up_rows - 1), p.y)) return false;
    return true;
}

void duck_input() {
    Player& p = world.player;
    if (action_held(action_duck)) {
        p.ducking = true;
        if (flying()) p.vy = -fly_speed;
        game.duck_offset = duck_offset_ducked;
        return;
    }
    if (flying()) p.vy = 0;
    if (p.ducking && room_to_stand()) {
        p.ducking = false;
        game.duck_offset = 0;
    }
}

// A held jump starts a jump from the ground; in flight it does nothing unless flying.
void jump_input() {
    Player& p = world.player;
    if (!action_held(action_jump)) return;
    if (flying()) {
        p.airborne = true;
        p.jump_timer = 1;
    } else if (!p.airborne) {
        p.airborne = true;
        p.jump_timer = settings.jump_override;
    }
}

// Right wins when both directions are held; walk_step counts the other way.
void walk_input() {
    Player& p = world.player;
    const bool slowed = p.ducking && settings.disable_duck_lag == 0;
    const float speed = slowed ? ducked_walk_speed : walk_speed;
    if (action_held(action_right)) {
        p.vx = speed;
        game.walk_step -= 1;
    } else if (action_held(action_left)) {
        p.vx = -speed;
        game.walk_step += 1;
    } else {
        game.walk_step = 0;
        return;
    }
    if (game.walk_step >= walk_cycle) game.walk_step = 0;
    if (game.walk_step < 0) game.walk_step = walk_cycle - 1;
}

void apply_gravity() {
    Player& p = world.player;
    if (!flying()) p.vy -= gravity;
    if (p.vy < -max_vertical_speed) p.vy = -max_vertical_speed;
}

// One column just beyond the leading side; a blocking cell cancels the walk.
void side_probe() {
    Player& p = world.player;
    if (p.vx == 0) return;
    const int64_t col = p.vx > 0 ? int64_t{to_int(p.fx)} + side_reach : to_int(static_cast<double>(p.fx) - side_reach);
    const int64_t row = to_int(p.fy);
    const int64_t top = p.ducking ? row : row - side_rows;
    if (column_blocked(col, top, row + side_rows)) p.vx = 0;
}

// Jump push, head bump, landing and step-up; returns when the vertical speed is settled.
void vertical_probes() {
    Player& p = world.player;
    const int64_t col = to_int(p.fx), row = to_int(p.fy);
    if (p.airborne && p.jump_timer >= 1) {
        p.vy += jump_push;
        if (p.vy >= max_vertical_speed || flying()) p.vy = max_vertical_speed;
        if (row_blocked(col, p.ducking ? row : row - head_row)) {
            p.vy = 0;
            p.jump_timer = 0;
            return;
        }
    }
    if (p.vy < 0) {
        p.airborne = true;
        if (!row_blocked(col, row + floor_row)) return;
        p.vy = 0;
        p.airborne = false;
    } else if (p.airborne) {
        return;
    }
    if (row_blocked(col, row + step_up_row)) p.vy = step_up_speed;
}

void apply_speeds() {
    Player& p = world.player;
    p.fx += p.vx;
    p.fy -= p.vy;
    p.x = to_int(p.fx);
    p.y = to_int(p.fy);
    if (p.jump_timer > 0) p.jump_timer -= 1;
    p.vx = 0;
}

}  // namespace

bool body_blocked_at(int64_t col, int64_t row) {
    if (col < 0 || row < 0 || col >= world.map_width || row >= world.map_height) return true;
    const size_t index = static_cast<size_t>(row) * static_cast<size_t>(world.map_width) + static_cast<size_t>(col);
    if (index >= world.cell_kinds.size()) return true;  // no grid loaded
    return blocks_body(world.cell_kinds[index]);
}

void player_input_step() {
    duck_input();
    jump_input();
    walk_input();
}

void player_move_step() {
    apply_gravity();
    side_probe();
    vertical_probes();
    apply_speeds();
    touch_pickups();
    touch_checkpoints();
}
