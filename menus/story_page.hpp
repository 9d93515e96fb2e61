// The story page: one picture with the game's story and a go-back button.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

// Runs until Escape, the go-back button held down, or a close request.
void run_story_page(sf::RenderWindow& window);
