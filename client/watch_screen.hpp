// Watching a recorded replay in the window, through the game screen's session,
// view and frame driver: the recorded pointer is the cursor, and the player's
// keys only steer the playback (Space, Right, 1 to 4, Escape).
#pragma once

#include <filesystem>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/menu_kit.hpp"

// Plays the replay file in the window until the player leaves it, on the map
// and with the simulation settings its header names; a replay recorded at
// another window size is simulated at that size and shown whole, scaled to fit.
// Returns the line the menu shows afterwards: how it ended and whether that
// is the recorded outcome, or why the replay cannot be watched.
StatusLine watch_replay(sf::RenderWindow& window, sf::Music& title_music, const std::filesystem::path& replay);
