#include "combat/enemies.hpp"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "app/settings.hpp"
#include "combat/enemy_shots.hpp"
#include "combat/geometry.hpp"
#include "combat/player_body.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int32_t screen_margin = 16;    // px an enemy may stand off screen and still act
constexpr float probe_ahead = 12;        // px from a basic enemy's centre to its probe line
constexpr int32_t probe_half_width = 5;  // probe cells either side of the heading
constexpr int32_t contact_damage = 3;    // health per update of touching
constexpr float sight_start = 16;        // px from a smart enemy's centre to its first sight point
constexpr float muzzle = 18;             // px from a smart enemy's centre to its shot's origin
constexpr int32_t last_explosion_frame = 24;

float radians_of(float degrees) { return static_cast<float>(static_cast<double>(degrees) * pi / 180.0); }
float degrees_of(double radians) { return static_cast<float>(radians * 180.0 / pi); }

// How far the top of the player's body reaches above player.y for sight and
// contact (px): a ducking player has nothing above its centre line.
int32_t body_top() { return world.player.ducking ? 0 : sight_top_standing; }

// Euclidean distance from an enemy to the exit, px.
float distance_to_exit(const Enemy& e) {
    const long double dx = static_cast<long double>(e.x) - world.exit_x;
    const long double dy = static_cast<long double>(e.y) - world.exit_y;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

// The lowest `global_enemies` at which this kind acts while off screen;
// unknown kinds count as turrets.
int32_t global_threshold(int32_t kind) {
    if (kind == enemy_basic) return 1;
    if (kind == enemy_smart) return 2;
    return 3;
}

bool is_active(const Enemy& e) {
    return settings.global_enemies >= global_threshold(e.kind) || on_screen(e.x, e.y, screen_margin);
}

// Headings stay as the map gave them, but beyond 2^24 degrees a float cannot
// take a turn of a few degrees, nor even a half turn once far larger: such an
// enemy could neither sweep nor turn back at the map's edge, and drove off the
// map. There the heading is brought within one turn of the same direction.
void keep_turnable(Enemy& e) {
    constexpr float largest_turnable = 16'777'216.0f;
    if (std::fabs(e.angle) < largest_turnable) return;
    const double turn = std::fmod(static_cast<double>(e.angle) * pi / 180.0, 2 * pi);
    e.angle = degrees_of(turn < 0 ? turn + 2 * pi : turn);
}

void sync_position(Enemy& e) {
    e.x = to_int(e.fx);
    e.y = to_int(e.fy);
}

// Moves an enemy to (fx, fy) px, except off the grid: the map's edge holds an
// enemy on it as a wall would (its probe turns it back next update). Without
// this, an enemy standing at the edge that turned back at an angle stepped off
// the map. One the map placed off the grid moves as before.
void move_within_grid(Enemy& e, double fx, double fy) {
    const float nx = static_cast<float>(fx), ny = static_cast<float>(fy);
    if (in_grid(e.x, e.y) && !in_grid(to_int(nx), to_int(ny))) return;
    e.fx = nx;
    e.fy = ny;
    sync_position(e);
}

// Scans the probe line 12 px ahead, across the heading, and turns on what it
// meets: back from walls, closed red gates and the map edge; mirrors reflect.
// Every reflection is taken from the heading at the start of the scan.
void probe_and_turn(Enemy& e) {
    const float k = radians_of(e.angle);
    const int32_t cx = to_int(e.fx + probe_ahead * std::cos(k));
    const int32_t cy = to_int(e.fy + probe_ahead * std::sin(k));
    const double qx = std::cos(static_cast<double>(k) + pi / 2);
    const double qy = std::sin(static_cast<double>(k) + pi / 2);
    for (int32_t i = -probe_half_width; i <= probe_half_width; ++i) {
        const int32_t col = to_int(cx + i * qx), row = to_int(cy + i * qy);
        if (!in_grid(col, row)) {
            e.angle += 180.0f;
            return;
        }
        const size_t at = cell_index(col, row);
        const CellKind kind = world.cell_kinds[at];
        if (reflects_laser(kind)) {
            const float theta = classify_cell(world.wall_grid[at]).theta;
            e.angle = degrees_of(2.0 * static_cast<double>(theta) - static_cast<double>(k));
            // A shield stroke lets the scan go on, so a wall behind it can still turn the enemy back.
            if (kind != CellKind::shield_mirror) return;
        } else if (blocks_body(kind)) {
            e.angle += 180.0f;
            return;
        }
    }
}

// Hurts the player while the enemy's body overlaps it. Several workers may
// touch the player in one phase: the subtraction is atomic so none is lost.
void touch_player(const Enemy& e) {
    const Player& p = world.player;
    const int64_t dx = int64_t{e.x} - p.x;
    const int64_t top = int64_t{p.y} - body_top() - contact_reach_above, bottom = int64_t{p.y} + contact_bottom;
    if (dx < -contact_half_width || dx > contact_half_width || e.y < top || e.y > bottom) return;
    std::atomic_ref<int32_t>(world.player.health).fetch_sub(contact_damage, std::memory_order_relaxed);
    std::atomic_ref<bool>(world.player.hit_flash).store(true, std::memory_order_relaxed);
}

// The exit pulls a basic enemy within 100 px, harder the closer it is, and
// swallows it within 20 px: health 0, removed without an explosion.
void pull_to_exit(Enemy& e) {
    const float d = distance_to_exit(e);
    if (d >= 100.0f) return;
    const double b = aim_angle(world.exit_x, world.exit_y, e.x, e.y);
    const double s = d < 30.0f ? 3.1 : d < 60.0f ? 2.9 : d < 90.0f ? 2.7 : 2.5;
    move_within_grid(e, e.fx + s * std::cos(b), e.fy + s * std::sin(b));
    if (d < 20.0f) e.health = 0;
}

void drive(Enemy& e) {
    const double k2 = static_cast<double>(e.angle) * pi / 180.0;
    move_within_grid(e, e.fx + std::cos(k2) * settings.enemy_movement_speed,
                     e.fy + std::sin(k2) * settings.enemy_movement_speed);
}

void update_basic(Enemy& e) {
    keep_turnable(e);
    probe_and_turn(e);
    touch_player(e);
    pull_to_exit(e);
    drive(e);
}

// Whether the grid point lies in the band in which a sight line sees the player.
bool sees_player_at(int32_t ix, int32_t iy) {
    const Player& p = world.player;
    const int64_t dx = int64_t{ix} - p.x;
    return dx >= -sight_half_width && dx <= sight_half_width && iy > int64_t{p.y} - body_top() &&
           iy <= int64_t{p.y} + sight_bottom;
}

// Traces the sight line from 16 px ahead along heading k (radians) as a laser
// would travel, mirrors included, over at most laser_life_override points.
bool sight_reaches_player(const Enemy& e, float k) {
    int32_t left = settings.laser_life_override;
    if (left <= 0) return false;
    float x = static_cast<float>(e.x) + sight_start * std::cos(k);
    float y = static_cast<float>(e.y) + sight_start * std::sin(k);
    float b = k;
    int32_t ix = to_int(x), iy = to_int(y);
    if (!in_grid(ix, iy)) return false;
    for (;;) {
        if (sees_player_at(ix, iy)) return true;
        const size_t at = cell_index(ix, iy);
        const CellKind kind = world.cell_kinds[at];
        if (blocks_laser(kind)) return false;
        if (reflects_laser(kind)) b = reflect_angle(b, classify_cell(world.wall_grid[at]).theta);
        if (--left <= 0) return false;
        x += std::cos(b);
        y += std::sin(b);
        ix = to_int(x);
        iy = to_int(y);
        if (!in_grid(ix, iy)) return false;
    }
}

// Stands still and sweeps its sight line; fires along its own heading (not at
// the player) when the line meets the player, then rests while cooling.
void update_smart(Enemy& e, int32_t index, ShotBatch& shots) {
    if (e.cooldown > 0) return;
    keep_turnable(e);
    const float k = radians_of(e.angle);
    if (sight_reaches_player(e, k)) {
        const float mx = static_cast<float>(e.x) + muzzle * std::cos(k);
        const float my = static_cast<float>(e.y) + muzzle * std::sin(k);
        shots.fire(index, to_int(mx), to_int(my), k);
        e.angle -= 1.0f;  // net turn on a shot is one degree short of the sweep
        e.cooldown = settings.smart_laser_cooldown_rate;
    }
    e.angle += static_cast<float>(settings.enemy_rotation_speed);
}

// Fires from its centre along its fixed heading whenever it has cooled down.
void update_turret(Enemy& e, int32_t index, ShotBatch& shots) {
    if (e.cooldown > 0) return;
    shots.fire(index, e.x, e.y, radians_of(e.angle));
    e.cooldown = settings.turret_laser_cooldown_rate;
}

void update_enemy(Enemy& e, int32_t index, ShotBatch& shots) {
    if (e.cooldown > 0) --e.cooldown;
    if (!is_active(e)) return;
    if (e.kind == enemy_basic)
        update_basic(e);
    else if (e.kind == enemy_smart)
        update_smart(e, index, shots);
    else
        update_turret(e, index, shots);
}

}  // namespace

void run_enemy_mover(EnemyMover* range) {
    // A range record left over from a longer list must not reach past the end.
    const int32_t count = static_cast<int32_t>(std::min<size_t>(world.enemies.size(), INT32_MAX));
    const int32_t first = std::max(range->first, 0), last = std::min(range->last, count);
    ShotBatch shots;
    shots.first = first;
    for (int32_t i = first; i < last; ++i) update_enemy(world.enemies[static_cast<size_t>(i)], i, shots);
    hand_over_shots(std::move(shots));
}

void remove_dead_enemies() {
    std::erase_if(world.enemies, [](const Enemy& e) { return e.health <= 0; });
}

void advance_explosions() {
    for (Explosion& x : world.explosions) ++x.frame;
    world.explosions.remove_if([](const Explosion& x) { return x.frame > last_explosion_frame; });
}
