// Map selection: one numbered button per map, unlocked in order by the
// progress kept in Saves/demo.sav.
#pragma once

#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/music.hpp"

// Runs until go-back, Escape or a close request, playing any number of games.
// map_list_text: one map name per line-feed-ended line.
void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist);
