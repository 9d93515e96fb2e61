// The three animations that end a life or a game, drawn straight to the window
// over the frozen scene (everything of the frame but the player).
#pragma once

#include "client/game_session.hpp"

// The player shrinks into the exit while the music rises in pitch.
void play_exit_animation(GameSession& s);
// The player flattens onto its middle line; the respawn follows.
void play_death_animation(GameSession& s);
// The scene turns red and narrows to a line while the music slows and fades.
void play_game_over(GameSession& s);
