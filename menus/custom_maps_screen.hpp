// The custom-map screen: the player's own maps from the game folder's Maps/,
// one button each, played through the game screen. Always unlocked; the saved
// progress is never read or written here.
#pragma once

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/music.hpp"

// Runs until go-back, Escape or a close request, playing any number of maps.
void run_custom_maps(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist);
