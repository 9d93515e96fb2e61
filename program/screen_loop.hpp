// The screens, one after another, until the window is closed.
#pragma once

#include "program/start_up.hpp"

// Runs screens while the window is open.
void run_screen_loop(ProgramShell& shell);
