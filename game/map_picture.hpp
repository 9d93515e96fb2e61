// The map being edited, put into the world only to be drawn: the game's own
// drawing then shows it exactly as a game of it would start, without a wall
// grid and without a game running.
#pragma once

#include <cstdint>

#include "world/map_text.hpp"

// Per edit: the world's lists, start and exit become the map's, placed as
// the loader places them (every switch on, no checkpoint touched, the player
// standing at the start); the grid is released and the game and combat
// states are fresh, so nothing of an earlier game shows.
void show_map_picture(const MapSource& map);

// Per drawn frame: the camera and screen size the drawing culls and places
// by, px. A view that shows world x from left onwards has camera_x = -left.
void frame_map_picture(int32_t camera_x, int32_t camera_y, int32_t width, int32_t height);
