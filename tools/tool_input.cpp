#include "tools/tool_input.hpp"

#include <utility>

#include "world/map_loader.hpp"
#include "world/maps.hpp"

std::string read_text_file(const std::string& path, const FileKind& kind) {
    std::string why;
    auto text = read_file(path, kind, why);
    if (!text) throw ToolError(why);
    return std::move(*text);
}

std::string map_text_for_argument(const std::string& map) {
    if (map.size() == 1 && map[0] >= '1' && map[0] <= '0' + builtin_map_count) {
        const char* text = builtin_map_text(map[0] - '0');
        if (text == nullptr) throw ToolError("Built-in map " + map + " is not made yet.");
        return text;
    }
    return read_text_file(map, map_text_file);
}

size_t load_map_argument(const std::string& map) {
    const std::string text = map_text_for_argument(map);
    std::string why;
    if (!load_map(text.c_str(), why)) throw ToolError(why.empty() ? "The map did not load." : why);
    return text.size();
}
