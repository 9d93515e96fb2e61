// Starting a game and its fixed update step, shared by the window, replays and tests.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "app/settings.hpp"
#include "game/game_state.hpp"

// Workers per phase never exceed this, whatever `threads` says: more would
// only cost thread start-ups, and the results do not depend on the count.
inline constexpr int32_t max_workers = 64;
// A resolution outside 1 .. 16384 px on a side, or above 40 million pixels
// (more than an 8K screen), gets an 800 x 600 laser buffer and camera instead.
inline constexpr int32_t max_screen_side = 16384;
inline constexpr int64_t max_screen_pixels = 40'000'000;
inline constexpr int32_t fallback_screen_width = 800;
inline constexpr int32_t fallback_screen_height = 600;
// Whether a resolution is one the game plays at (the window opens at the fallback otherwise).
bool usable_screen(int32_t w, int32_t h);
// The spark colours and directions of every game come from this seed, so a
// game replays the same.
inline constexpr uint32_t game_random_seed = 1;

// Puts the settings (to `s`), the world, the game and combat back to their
// first values: no map, an 800 x 600 laser buffer of opaque black and one
// worker. The clean slate every test, benchmark and fuzz input starts from.
void start_fresh(const Settings& s = Settings{});

// What one game holds beyond the world's lists: the wall grid and the laser buffer, freed when it goes.
// Only the owner of the latest game frees anything: an owner left over from
// a game that a later start_game (or start_fresh) replaced frees nothing.
class LoadedGame {
public:
    LoadedGame(LoadedGame&& other) noexcept;
    LoadedGame& operator=(LoadedGame&& other) noexcept;
    ~LoadedGame();
    LoadedGame(const LoadedGame&) = delete;
    LoadedGame& operator=(const LoadedGame&) = delete;

private:
    friend std::optional<LoadedGame> start_game(const char* map_text, std::string& why);
    explicit LoadedGame(uint64_t number) : number_(number) {}
    void release();

    uint64_t number_ = 0;  // which start_game this game came from; 0 once moved from
};

// Sets up a game of the given map text, everything but the window: fresh
// per-game state, the map, the camera, the power-up cheat and the shot
// cooldown. Nothing, with `why` saying what is wrong, when the map does not
// load; such a map is never played and keeps no grid or laser buffer.
[[nodiscard]] std::optional<LoadedGame> start_game(const char* map_text, std::string& why);

// One fixed simulation step with the given input; a restart in it forfeits a
// life before anything else. Throws std::bad_alloc when memory runs out, in a
// worker as well as here: the step is then half done, and the caller leaves
// the map (the window with a message, the tool with its one-sentence error)
// instead of playing on.
void update_step(const UpdateInput& input);
