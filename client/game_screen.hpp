// One play of a map in the window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <SFML/Graphics/RenderWindow.hpp>

// How one play of a map ended.
enum class GameEnd {
    won,        // the exit was reached
    game_over,  // the last life was lost
    left,       // the player left through the pause menu
    closed,     // the window was closed during the game
    failed,     // the map could not be played, or the game had to stop: see GameResult::error
};

struct GameResult {
    GameEnd end = GameEnd::failed;
    std::string error;                  // why the game failed, one sentence; empty otherwise
    std::vector<std::string> warnings;  // what made the map unplayable though it loaded (map_warnings)
    int64_t updates = 0;                // update steps played: a win's time
    bool new_best = false;              // the map's fastest win so far
    std::string replay_error;           // why its replay was not kept, one sentence; empty when it was
    bool won() const { return end == GameEnd::won; }
};

// Plays the built-in map the name selects ("1" to "5"), or, when map_text is
// given, that text under that name (a custom map's path, which names its
// screenshots). A map that does not load is never played: failed at once, with its reason.
// The game is recorded and written into Replays/ when it ends, however it
// ends; the map's best run, when it has one, is raced as a ghost.
GameResult run_game(sf::RenderWindow& window, const std::string& map_name, const std::string* map_text = nullptr);
