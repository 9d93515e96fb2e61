// Health limits, and what losing a life does to the game.
#pragma once

enum class LifeOutcome { respawned, game_over };

// Holds player.health within 0 .. health_override.
void health_bounds();
// Raises a negative player.health to 0 (after the worker phases' damage).
void clamp_negative_health();
// Takes a life and ends a jump. With none to spare the game is over;
// otherwise the caller plays its death sequence and then calls respawn_player.
LifeOutcome take_life();
// The pause menu's restart: costs a life through this frame's death test
// (health -1), which respawns the player at the last checkpoint or, with no
// life to spare, ends the game.
void forfeit_life();
// The player reappears ducked at the respawn point with full health and the camera centred.
void respawn_player();
