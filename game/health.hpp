// Health limits, and what losing a life does to the game.
#pragma once

enum class LifeOutcome { respawned, game_over };

// Holds player.health within 0 .. health_override.
void health_bounds();
// Raises a negative player.health to 0 (after the worker phases' damage).
void clamp_negative_health();
// Takes a life. With none to spare the game is over; otherwise the player
// reappears ducked at the respawn point with full health and the camera centred.
// The window side plays its death or game-over animation before calling this
// (player.lives == 0 tells it which one is due).
LifeOutcome lose_life();
