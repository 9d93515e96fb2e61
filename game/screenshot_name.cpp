#include "game/screenshot_name.hpp"

#include <algorithm>

#include "app/utf8_text.hpp"

namespace {

constexpr int max_shots_per_second = 999;  // a bound on the search, far beyond a finger on F12
// The most bytes a file name may have on the usual file systems; a longer one
// cannot be saved at all.
constexpr size_t max_file_name_bytes = 255;

std::string with_semicolons(std::string path) {
    std::replace(path.begin(), path.end(), ':', ';');
    return path;
}

}  // namespace

std::string screenshot_base_name(std::string_view map_name) {
    const size_t slash = map_name.find_last_of("/\\");
    std::string_view base = slash == std::string_view::npos ? map_name : map_name.substr(slash + 1);
    return std::string(base.substr(0, base.find('.')));
}

std::string screenshot_time_text(std::time_t when) {
    std::tm local{};
    localtime_r(&when, &local);
    char text[64] = {};
    // ctime's fixed form, spelled out so the C locale's names are used.
    std::strftime(text, sizeof text, "%a %b %e %H:%M:%S %Y", &local);
    return text;
}

std::string screenshot_path(std::string_view map_name, std::string_view time_text,
                            const std::function<bool(const std::string&)>& taken) {
    // The map's part gives way so that the name fits with the time, " 999" and ".png" after it.
    std::string base = screenshot_base_name(map_name);
    const size_t rest = 1 + time_text.size() + 1 + std::to_string(max_shots_per_second).size() + 4;
    base.resize(utf8_prefix_length(base, max_file_name_bytes > rest ? max_file_name_bytes - rest : 0));
    const std::string stem = "Screenshots/" + base + " " + std::string(time_text);
    std::string path = with_semicolons(stem + ".png");
    for (int n = 2; n <= max_shots_per_second && taken && taken(path); ++n)
        path = with_semicolons(stem + " " + std::to_string(n) + ".png");
    return path;
}
