// Music is whatever files the player puts into "Music/Title/" and "Music/Game/",
// played in random order, streamed from disk.
#pragma once

#include <string>
#include <vector>

#include <SFML/Audio/Music.hpp>

// File paths, each the folder prefix and one directory entry's name.
using Playlist = std::vector<std::string>;

// The entries of "Music/Game/" (for_game) or "Music/Title/", in directory
// order, without "." and ".."; no filter by type. A missing folder gives none.
Playlist list_music(bool for_game);
// When the playlist has entries and the stream is stopped: opens a random
// entry and plays it (looping per loop_music), or drops it from the list when
// it is not a regular file, cannot be opened or opens without a sound format
// the stream can play. A paused or playing stream is left alone.
void music_upkeep(sf::Music& music, Playlist& playlist);
