#include "game/update.hpp"

#include <algorithm>

#include "app/settings.hpp"
#include "combat/combat_state.hpp"
#include "combat/lasers.hpp"
#include "combat/shield.hpp"
#include "combat/workers.hpp"
#include "game/camera.hpp"
#include "game/health.hpp"
#include "game/input.hpp"
#include "game/objectives.hpp"
#include "game/player.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

bool usable_screen(int32_t w, int32_t h) {
    return w >= 1 && h >= 1 && w <= max_screen_side && h <= max_screen_side && int64_t{w} * h <= max_screen_pixels;
}

namespace {

// Program-wide: numbers the games start_game has set up (and the clean slates
// of start_fresh), so that only the owner of the latest frees its buffers.
uint64_t games_started = 0;

// Frees the wall grid and the laser buffer (a game's end, a map that did not load).
void free_game_buffers() {
    world.release_grid();
    std::vector<uint32_t>().swap(combat.laser_pixels);
}

void size_screen() {
    const bool usable = usable_screen(settings.resolution_width, settings.resolution_height);
    world.screen_width = usable ? settings.resolution_width : fallback_screen_width;
    world.screen_height = usable ? settings.resolution_height : fallback_screen_height;
    combat.laser_pixels.assign(static_cast<size_t>(world.screen_width) * static_cast<size_t>(world.screen_height),
                               opaque_black);
}

void size_workers() {
    combat.worker_count = std::clamp(settings.threads, 1, max_workers);
    combat.ray_shooters.assign(static_cast<size_t>(combat.worker_count), RayShooter{});
    combat.enemy_movers.assign(static_cast<size_t>(combat.worker_count), EnemyMover{});
}

void fresh_game_state() {
    game = GameState{};
    // All of it: a shield left standing, or its timer, must not carry into the
    // next game, nor shots queued by an update that never finished.
    combat = CombatState{};
    combat.random.state = game_random_seed;
    size_screen();
    size_workers();
    // Sparks outlive a map load; a new game starts without the last one's.
    world.sparks.clear();
}

// Shot cooldown and the switch lock-outs run down by one per update.
void count_downs() {
    for (int32_t* timer : {&world.player.shot_cooldown, &world.red_timer, &world.green_timer, &world.blue_timer})
        if (*timer > 0) *timer -= 1;
}

// Flying has no jump arc: each update's push is all there is.
void flight_ends_jump() {
    if (settings.i_can_fly != 0) world.player.jump_timer = 0;
}

}  // namespace

LoadedGame::LoadedGame(LoadedGame&& other) noexcept : number_(other.number_) { other.number_ = 0; }

LoadedGame& LoadedGame::operator=(LoadedGame&& other) noexcept {
    if (this != &other) {
        release();
        number_ = other.number_;
        other.number_ = 0;
    }
    return *this;
}

LoadedGame::~LoadedGame() { release(); }

void LoadedGame::release() {
    if (number_ != 0 && number_ == games_started) free_game_buffers();
    number_ = 0;
}

void start_fresh(const Settings& s) {
    ++games_started;  // a game set up before this is no longer in the world
    settings = s;
    world = World{};
    game = GameState{};
    combat = CombatState{};
    combat.laser_pixels.assign(static_cast<size_t>(world.screen_width) * static_cast<size_t>(world.screen_height),
                               opaque_black);
}

std::optional<LoadedGame> start_game(const char* map_text, std::string& why) {
    // Owned from the first allocation on: a load refused, or cut short by memory running out, frees what it took.
    LoadedGame owner(++games_started);
    fresh_game_state();
    if (!load_map(map_text, why)) return std::nullopt;
    centre_camera();
    if (settings.maximum_armor != 0) world.player.powered = true;
    world.player.shot_cooldown = settings.laser_cooldown_rate;
    return owner;
}

void update_step(const UpdateInput& input) {
    game.input = input;
    // First, so the update and the frame's death test run as if the menu had set it just before.
    if (input.restart) forfeit_life();
    camera_step();
    count_downs();
    player_input_step();
    player_move_step();
    flight_ends_jump();
    remove_taken_pickups();
    health_bounds();
    const ArmInput arm = arm_input();
    player_shot(arm);
    shield_update(arm);
    run_worker_phases();
    clamp_negative_health();
    game.updates += 1;
}
