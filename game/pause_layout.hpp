// Where the pause menu's buttons are and what a click there chooses. Window px,
// centred on (W / 2, H / 2) with integer halves; the buttons are 256 x 64 px.
#pragma once

#include <cstdint>

// What the pause menu hands back to the game.
enum PauseChoice : int {
    pause_none = -1,    // the pointer is over no button
    pause_return = 0,   // back to the game (also Escape)
    pause_restart = 1,  // lose a life and start again from the last checkpoint
    pause_leave = 2,    // leave the map
    pause_closed = 4,   // the window was closed
};

// The button under the pointer (mx, my), or pause_none. Rows cy and cy + 64,
// between two buttons, belong to none, so a click there does nothing.
PauseChoice pause_button_at(int32_t mx, int32_t my, int32_t width, int32_t height);
// The top edge of a button's picture and highlight, px.
int32_t pause_button_top(PauseChoice button, int32_t height);
// Whether the cursor pulses: anywhere over the three buttons, gaps included.
bool over_pause_buttons(int32_t mx, int32_t my, int32_t width, int32_t height);
