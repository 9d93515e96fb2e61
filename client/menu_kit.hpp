// Conventions every menu screen shares, the pause menu included: loading its
// pictures, the drawn pulsing cursor and the frame limit under the alternate timer.
#pragma once

#include <string>

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "app/cursor_pulse.hpp"

// A menu picture with smoothing per smooth_sprites; a file that does not load
// leaves it empty (invisible) and the screen works on.
sf::Texture load_menu_image(const std::string& path);
// Draws cursor_sprite at the pointer, pulsing while over_hot_area, plain otherwise.
void draw_cursor(sf::RenderWindow& window, CursorPulse& pulse, bool over_hot_area);
// Only under the alternate timer: the menus run at max_framerate (on) and the
// game paces itself without a window limit (off). Otherwise nothing changes.
void menu_frame_limit(sf::RenderWindow& window, bool on);
