// The controls menu: one pass that rebinds jump, duck, left, right, shoot and
// shield in turn and then saves them to controls.cfg.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

// Runs until all six are bound (the file is written), Escape abandons the
// pass, or a close request closes the window; the last two write nothing.
void run_controls_menu(sf::RenderWindow& window);
