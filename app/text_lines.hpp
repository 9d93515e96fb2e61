// Reading a text a line at a time, for the game's line-based files.
#pragma once

#include <string_view>

// Takes the first line off `text`, without its line break (LF or CR LF).
inline std::string_view take_line(std::string_view& text) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    return line;
}
