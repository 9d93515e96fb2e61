// Screenshot file names: "Screenshots/<map> <local time>.png", with every ':'
// made ';' so the name is valid everywhere, and " 2", " 3", ... before ".png"
// for later shots in the same second so none overwrites another.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// The map name after its last '/' or '\', up to the first '.' after that.
std::string screenshot_base_name(std::string_view map_name);
// The local time as ctime() writes it, without the line feed:
// "Mon Dec  7 03:11:09 2026" (day padded with a blank).
std::string screenshot_time_text(std::time_t when);
// The first name of "Screenshots/<base> <time>[ n].png" that `taken` says is
// free: the plain name, then " 2", " 3", ... (after 999 the last one is reused).
// A base too long for a 255-byte file name is cut short, never mid-character.
std::string screenshot_path(std::string_view map_name, std::string_view time_text,
                            const std::function<bool(const std::string&)>& taken);
