// The narrow input interface of a game in the window: the bound keys and
// mouse buttons as held states, and the pointer.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

#include "game/game_state.hpp"

// Whether the key or mouse button bound to action i is held now.
bool binding_held(int action);
// Fills one update's input from the held bindings (none while the window lacks
// the focus) and the pointer in layout px.
void read_window_input(const sf::RenderWindow& window, bool f9_pressed, UpdateInput& input);
