// Pickups, checkpoints and the exit: the things the player reaches by touch.
#pragma once

// Collects every pickup within reach of the player, in map order.
void touch_pickups();
// Moves the respawn point to the last checkpoint in map order that the player stands on.
void touch_checkpoints();
// Drops the pickups taken this update, keeping the order of the rest.
void remove_taken_pickups();
// Whether the player is inside the exit's 63 x 63 px square.
bool exit_reached();
