// The player's own maps: text files kept in the game folder's Maps/ folder.
// They are always playable and never touch the saved progress.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/file_reading.hpp"

inline constexpr const char* custom_maps_folder = "Maps";

// The map files in `folder` (regular files, or links to them, not starting
// with a dot), sorted by file name; empty when the folder is missing.
std::vector<std::filesystem::path> list_custom_maps(const std::filesystem::path& folder = custom_maps_folder);

// A map file's whole text, or nothing with `why` saying in one sentence why not
// (naming the file): read as `vantorel-tool map info` reads it, so the two
// refuse the same files with the same words.
std::optional<std::string> read_custom_map(const std::filesystem::path& path, std::string& why);
