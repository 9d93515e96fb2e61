// The camera: window position = world position + (camera_x, camera_y).
#pragma once

// Creeps the camera 3 px per axis towards keeping the player inside the
// central dead zone, then clamps it so no more than the map is shown.
void camera_step();
// Puts the player at the middle of the screen, unclamped (game start, respawn).
void centre_camera();
