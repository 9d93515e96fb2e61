// The pause menu over a darkened copy of the last frame: return, restart, leave.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "app/menu_layout.hpp"

// Runs until the player chooses; pause_return also for Escape and for a window
// found closed, pause_closed when the player closes the window here.
PauseChoice run_pause_menu(sf::RenderWindow& window, const sf::Texture& background);
