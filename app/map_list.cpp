#include "app/map_list.hpp"

std::vector<std::string> split_map_list(std::string_view text) {
    std::vector<std::string> names;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        if (end == std::string_view::npos || end - start > max_map_list_line) return names;
        names.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}
