// Small pieces the menu screens share beyond client/menu_kit.hpp: the pointer,
// the window's size as the settings give it, Escape, and starting a game from
// a menu with everything a menu does around it.
#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/Event.hpp>

// The pointer in window pixels, as the hot areas are tested.
sf::Vector2i pointer_in(const sf::RenderWindow& window);
// W and H of the menu layouts: the window's size, which is the configured
// resolution unless that was unusable and the window fell back to 800 x 600.
int menu_width(const sf::RenderWindow& window);
int menu_height(const sf::RenderWindow& window);
// A key press of Escape (which the game's own key numbering gives code 256).
bool is_escape_press(const sf::Event& event);

// Plays one map from a menu and returns run_game's result (true for a win):
// lifts the menus' frame limit, plain cursor, title music stopped and the
// pointer confined to the window (windowed, confine_cursor on) while it runs,
// and the frame limit back afterwards. map_text: a custom map's text, or
// nullptr for the built-in map the name selects.
bool play_from_menu(sf::RenderWindow& window, sf::Music& title_music, const std::string& map_name,
                    const std::string* map_text = nullptr);
