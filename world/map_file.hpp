// The files the map editor writes: Maps/NAME.txt, named by the player, in
// the one-record-per-line form, only when the loader would take them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "world/map_text.hpp"

// Characters a map name may have, so that it names one plain file inside Maps/.
inline constexpr size_t max_map_name_length = 64;

// Whether `name` may name a map: 1 to 64 letters (a to z, either case),
// digits, '-' and '_', which leaves no way out of the folder ("/", "..") and
// no hidden file. On false `why` says so in one sentence.
bool valid_map_name(std::string_view name, std::string& why);

// The file a map named `name` is saved in: folder/NAME.txt.
std::filesystem::path map_file_path(const std::filesystem::path& folder, std::string_view name);

// The name a file saves back under: its stem, when the file is a NAME.txt
// with a valid name; otherwise nothing, and the editor asks for one.
std::optional<std::string> map_name_of(const std::filesystem::path& file);

// Writes `map` to `path` in the readable form, replacing it atomically and
// making its folder when missing. A map the loader would refuse is not
// written: false, with the loader's reason in `why`; a failed write leaves
// the old file whole and says why too.
bool save_map_file(const MapSource& map, const std::filesystem::path& path, std::string& why);
