#include "tools/tool_input.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

#include "world/map_loader.hpp"
#include "world/maps.hpp"

namespace {

// A byte count for messages: "16 MiB" when whole mebibytes.
std::string size_in_words(uint64_t bytes) {
    if (bytes % (1u << 20) == 0) return std::to_string(bytes >> 20) + " MiB";
    return std::to_string(bytes) + " bytes";
}

// Refuses anything that is not a regular file of at most max_bytes, before opening it.
void check_regular_file(const std::string& path, uint64_t max_bytes, const char* what) {
    const std::string shown = quoted_path(path);
    struct stat info {};
    if (path.empty()) throw ToolError("An empty file name was given.");
    if (::stat(path.c_str(), &info) != 0) {
        if (errno == ENOENT) throw ToolError(shown + " does not exist.");
        throw ToolError(shown + " cannot be examined: " + std::strerror(errno) + ".");
    }
    if (S_ISDIR(info.st_mode)) throw ToolError(shown + " is a directory, not a " + what + " file.");
    if (!S_ISREG(info.st_mode)) throw ToolError(shown + " is not a regular file.");
    if (static_cast<uint64_t>(info.st_size) > max_bytes)
        throw ToolError(shown + " is larger than " + size_in_words(max_bytes) + ", the most a " + what +
                        " file may hold.");
}

}  // namespace

std::string read_text_file(const std::string& path, uint64_t max_bytes, const char* what) {
    check_regular_file(path, max_bytes, what);
    const std::string shown = quoted_path(path);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ToolError(shown + " cannot be opened: " + std::strerror(errno) + ".");
    // Read in chunks up to one byte past the cap: the file may have grown since it was examined.
    std::string text;
    char chunk[1 << 16];
    while (text.size() <= max_bytes && in.read(chunk, sizeof chunk).gcount() > 0)
        text.append(chunk, static_cast<size_t>(in.gcount()));
    if (in.bad()) throw ToolError(shown + " could not be read to its end.");
    if (text.size() > max_bytes)
        throw ToolError(shown + " is larger than " + size_in_words(max_bytes) + ", the most a " + what +
                        " file may hold.");
    if (text.find('\0') != std::string::npos)
        throw ToolError(shown + " holds NUL bytes, so it is not a " + what + " file.");
    return text;
}

std::string map_text_for_argument(const std::string& map) {
    if (map.size() == 1 && map[0] >= '1' && map[0] <= '0' + builtin_map_count) {
        const char* text = builtin_map_text(map[0] - '0');
        if (text == nullptr) throw ToolError("Built-in map " + map + " is not made yet.");
        return text;
    }
    return read_text_file(map, max_map_file_bytes, "map text");
}

size_t load_map_argument(const std::string& map) {
    const std::string text = map_text_for_argument(map);
    std::string why;
    if (!load_map(text.c_str(), why)) throw ToolError(why.empty() ? "The map did not load." : why);
    return text.size();
}
