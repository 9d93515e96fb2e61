#include "app/custom_maps.hpp"

#include <algorithm>
#include <system_error>

std::vector<std::filesystem::path> list_custom_maps(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> maps;
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) return maps;
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        std::error_code kind_error;
        if (name.empty() || name[0] == '.' || !entry.is_regular_file(kind_error)) continue;
        maps.push_back(entry.path());
    }
    std::sort(maps.begin(), maps.end(),
              [](const auto& a, const auto& b) { return a.filename().string() < b.filename().string(); });
    return maps;
}

std::optional<std::string> read_custom_map(const std::filesystem::path& path, std::string& why) {
    return read_file(path.string(), map_text_file, why);
}
