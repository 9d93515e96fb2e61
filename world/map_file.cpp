#include "world/map_file.hpp"

#include <system_error>

#include "app/atomic_file.hpp"
#include "world/map_loader.hpp"

namespace {

bool name_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

}  // namespace

bool valid_map_name(std::string_view name, std::string& why) {
    if (name.empty()) {
        why = "A map needs a name.";
        return false;
    }
    if (name.size() > max_map_name_length) {
        why = "A map name has at most " + std::to_string(max_map_name_length) + " characters.";
        return false;
    }
    for (char c : name)
        if (!name_character(c)) {
            why = "A map name has only letters, digits, - and _.";
            return false;
        }
    why.clear();
    return true;
}

std::filesystem::path map_file_path(const std::filesystem::path& folder, std::string_view name) {
    return folder / (std::string(name) + ".txt");
}

std::optional<std::string> map_name_of(const std::filesystem::path& file) {
    if (file.extension() != ".txt") return std::nullopt;
    std::string name = file.stem().string(), why;
    if (!valid_map_name(name, why)) return std::nullopt;
    return name;
}

bool save_map_file(const MapSource& map, const std::filesystem::path& path, std::string& why) {
    if (!check_map_source(map, why)) return false;
    std::error_code error;
    if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), error);
    if (error) {
        why = "The folder " + path.parent_path().string() + " cannot be made: " + error.message() + ".";
        return false;
    }
    if (!write_file_atomically(path, write_map_text(map, MapTextForm::readable))) {
        why = path.string() + " cannot be written (a full disk, or no permission).";
        return false;
    }
    why.clear();
    return true;
}
