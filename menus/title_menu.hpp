// The first screen and the hub every other screen returns to.
#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/music.hpp"

// Runs until a left click or a close request; returns the entry under the
// pointer in the last drawn frame (a TitleChoice, title_none for a miss or a close).
int run_title_menu(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist);
