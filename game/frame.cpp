#include "game/frame.hpp"

#include <cmath>
#include <limits>

#include "app/settings.hpp"
#include "combat/enemies.hpp"
#include "combat/geometry.hpp"
#include "game/health.hpp"
#include "game/objectives.hpp"
#include "game/update.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int32_t arm_cycle = 30;        // arm_step runs 0..29: six images, five frames each
constexpr float exit_spin_step = 30.0f;  // degrees per gated frame
constexpr int32_t exit_margin = 32;      // px beyond the screen where the exit still spins

// Whether the alternate timer paces the game: it needs a frame rate of at least 1.
bool alternate_timer_paces() { return settings.use_alternate_timer != 0 && settings.max_framerate >= 1; }

// Strictly more than one frame's share (1000 / max_framerate ms, in floating point) has gathered.
bool frame_time_spent() { return static_cast<double>(game.frame_time_sum) > 1000.0 / settings.max_framerate; }

// Adds the frame's duration to the alternate timer's sum; true when this frame may run updates.
bool gather_frame_time(uint32_t frame_ms) {
    const uint32_t room = std::numeric_limits<uint32_t>::max() - game.frame_time_sum;
    game.frame_time_sum += frame_ms < room ? frame_ms : room;  // the sum saturates, never wraps to 0
    return !alternate_timer_paces() || frame_time_spent();
}

// game_speed_multiplier updates when the gate holds; stops early when the source runs dry.
FrameResult run_frame_updates(bool gate_holds, const InputSource& source, FrameView& view, const UpdateWatcher& watch) {
    FrameResult result;
    if (!gate_holds) return result;
    for (int32_t i = 0; i < settings.game_speed_multiplier; ++i) {
        UpdateInput input;
        if (!source || !source(input)) {
            result.input_ended = true;
            break;
        }
        view.music(input.f9_pressed);
        update_step(input);
        result.updates_run += 1;
        if (watch) watch();
    }
    return result;
}

// A hit flash shows on one drawn frame: the enemies this frame's scene drew
// have shown theirs. Enemies beyond the drawn margin keep theirs until a
// frame draws them.
void spend_drawn_enemy_flashes() {
    for (Enemy& e : world.enemies)
        if (on_screen(e.x, e.y, enemy_draw_margin)) e.hit_flash = false;
}

// Every drawn frame spends the enemies' shown flashes; the arm animation, the
// exit's spin and the explosions advance on gated frames only.
void advance_frame_counters(bool gate_holds) {
    spend_drawn_enemy_flashes();
    if (!gate_holds) return;
    // Kept within one turn: the drawing only needs the angle, and a float that
    // grew for hours would lose its 30-degree steps.
    if (on_screen(world.exit_x, world.exit_y, exit_margin))
        world.exit_spin = std::fmod(world.exit_spin + exit_spin_step, 360.0f);
    advance_explosions();
    game.arm_step += 1;
    if (game.arm_step >= arm_cycle) game.arm_step = 0;
}

// The win test, then the death test with its sequence; finishes the frame when play goes on.
FrameOutcome end_of_frame(FrameView& view) {
    // Reaching the exit wins even when the same frame took the last health.
    if (exit_reached()) {
        view.exit_sequence();
        return FrameOutcome::won;
    }
    bool player_drawn = true;
    if (world.player.health <= 0) {
        if (take_life() == LifeOutcome::game_over) {
            view.game_over_sequence();
            return FrameOutcome::game_over;
        }
        view.death_sequence();
        respawn_player();
        player_drawn = false;
    }
    view.finish_frame(player_drawn);
    // Shown with the player; a player who has just respawned unseen keeps it for the next frame.
    if (player_drawn) world.player.hit_flash = false;
    return FrameOutcome::playing;
}

// Starts the alternate timer's sum afresh once a gated frame has used it; the
// remainder is dropped, not carried into the next frame.
void spend_frame_time() {
    if (alternate_timer_paces() && frame_time_spent()) game.frame_time_sum = 0;
}

}  // namespace

FrameResult run_frame(uint32_t frame_ms, const InputSource& source, FrameView& view, const UpdateWatcher& watch) {
    const bool gate = gather_frame_time(frame_ms);
    FrameResult result = run_frame_updates(gate, source, view, watch);
    view.draw_scene(gate);
    advance_frame_counters(gate);
    result.outcome = end_of_frame(view);
    spend_frame_time();
    return result;
}
