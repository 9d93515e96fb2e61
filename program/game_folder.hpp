// Where the game can run: in its game folder (the one holding Graphics/), with
// a display to open its window on. Checked before anything is loaded, so a
// start from the wrong place or without a display is one line, not a crash.
// Both run before main, while the C++ streams may not be set up yet: they write through stdio.
#pragma once

// Makes the game folder the working directory: the working directory itself
// when it holds Graphics/, else the folder game/ beside the program when that
// does (said on standard output). False, with one line on standard error
// saying where to start the game from, when neither does.
bool enter_game_folder();

// Whether the X display can be opened; false, with one line on standard error, when not.
bool display_reachable();
