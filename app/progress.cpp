#include "app/progress.hpp"

#include <algorithm>
#include <limits>
#include <string>
#include <system_error>

#include "app/atomic_file.hpp"
#include "app/file_reading.hpp"

int32_t parse_progress(std::string_view text) {
    size_t at = 0;
    auto is_space = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; };
    while (at < text.size() && is_space(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    if (at >= text.size() || text[at] < '0' || text[at] > '9') return 0;
    // Accumulated in 64 bits and clamped, as a stream saturates an over-long number.
    int64_t value = 0;
    constexpr int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at)
        value = std::min(limit, value * 10 + (text[at] - '0'));
    if (negative) return static_cast<int32_t>(std::max(-value, int64_t{std::numeric_limits<int32_t>::min()}));
    return static_cast<int32_t>(std::min(value, int64_t{std::numeric_limits<int32_t>::max()}));
}

SavedProgress load_progress(const std::filesystem::path& path) {
    SavedProgress found;
    std::string why;
    ReadFailure failure = ReadFailure::none;
    if (const auto text = read_file(path.string(), save_file, why, &failure))
        found.progress = parse_progress(*text);
    else if (failure == ReadFailure::refused)
        found.unreadable = why;
    return found;
}

int32_t read_progress(const std::filesystem::path& path) { return load_progress(path).progress; }

std::optional<int32_t> raised_progress(int32_t progress, int32_t index, bool won) {
    if (!won || index != progress || progress == std::numeric_limits<int32_t>::max()) return std::nullopt;
    return progress + 1;
}

bool write_progress(int32_t progress, const std::filesystem::path& path, std::string* why) {
    if (path.has_parent_path()) {
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) {
            if (why)
                *why = quoted_path(path.parent_path().string()) + " cannot be made a folder: " + error.message() + ".";
            return false;
        }
    }
    return write_file_atomically(path, std::to_string(progress), why);
}

std::string save_progress(int32_t progress, const SavedProgress& found, const std::filesystem::path& path) {
    if (!found.unreadable.empty()) return found.unreadable;
    std::string why;
    return write_progress(progress, path, &why) ? std::string() : why;
}
