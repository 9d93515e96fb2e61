#include "game/replay_library.hpp"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <map>
#include <system_error>

#include "app/atomic_file.hpp"
#include "app/file_reading.hpp"
#include "app/sha256.hpp"
#include "world/maps.hpp"

namespace fs = std::filesystem;

namespace {

// A header is about 1 KB and a footer about 250 bytes; these leave room and read no input line.
constexpr size_t head_bytes = 8192;
constexpr size_t tail_bytes = 2048;
constexpr size_t longest_name_part = 64;  // bytes of a map's name in a file name

// Up to `count` bytes of the file from `offset`.
std::string read_part(std::ifstream& in, uint64_t offset, size_t count) {
    std::string bytes(count, '\0');
    in.clear();
    in.seekg(static_cast<std::streamoff>(offset));
    in.read(bytes.data(), static_cast<std::streamsize>(count));
    bytes.resize(static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return bytes;
}

// The entry of one file: its header from the start, its outcome from the end.
ReplayEntry read_entry(const fs::path& path, uint64_t size) {
    ReplayEntry entry;
    entry.path = path;
    if (size > max_replay_file_bytes) {
        entry.problem = "The file is larger than 16 MiB, the most a replay may hold.";
        return entry;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        entry.problem = "The file cannot be opened.";
        return entry;
    }
    const std::string head = read_part(in, 0, head_bytes);
    const uint64_t tail_start = size > tail_bytes ? size - tail_bytes : 0;
    const std::string tail = read_part(in, tail_start, tail_bytes);
    if (head.find('\0') != std::string::npos || tail.find('\0') != std::string::npos) {
        entry.problem = "The file holds NUL bytes, so it is not a replay.";
        return entry;
    }
    entry.header_read = parse_replay_header(head, entry.header, entry.problem);
    if (!entry.header_read) return entry;
    // The tail starts mid-line unless it is the whole file; the footer's lines are whole either way.
    std::vector<std::string> footer;
    if (!parse_replay_footer(tail, footer, entry.problem)) return entry;
    entry.won = footer[0] == "result won";
    entry.updates = std::stoll(footer[1].substr(footer[1].find(' ') + 1));
    return entry;
}

std::string local_time_text(std::chrono::system_clock::time_point when, const char* format) {
    const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// A map's name as part of a file name: map-N for a built-in map, else the name with
// anything but letters, digits, dot, dash and underscore as "_".
std::string name_part(std::string_view map) {
    if (map.size() == 1 && map[0] >= '1' && map[0] <= '0' + builtin_map_count) return "map-" + std::string(map);
    std::string part;
    for (char c : map.substr(0, longest_name_part)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
                           c == '-' || c == '_';
        part += plain ? c : '_';
    }
    return part;
}

bool remove_file(const fs::path& path) {
    std::error_code error;
    return fs::remove(path, error);
}

}  // namespace

MapIdentity builtin_map_identity(int n) {
    const char* text = builtin_map_text(n);
    return {std::to_string(n), text ? sha256_hex(text) : std::string()};
}

MapIdentity custom_map_identity(const fs::path& file, std::string_view text) {
    return {file.filename().string(), sha256_hex(text)};
}

std::vector<ReplayEntry> list_replays(const fs::path& folder) {
    std::vector<ReplayEntry> entries;
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error) return entries;
    for (const auto& file : it) {
        const std::string name = file.path().filename().string();
        std::error_code kind_error;
        if (name.empty() || name[0] == '.' || !name.ends_with(replay_extension) || !file.is_regular_file(kind_error))
            continue;
        const uint64_t size = file.file_size(kind_error);
        if (kind_error) continue;
        entries.push_back(read_entry(file.path(), size));
    }
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.path.filename().string() < b.path.filename().string(); });
    return entries;
}

MapRuns runs_of_map(const std::vector<ReplayEntry>& entries, const MapIdentity& map) {
    MapRuns runs;
    for (const ReplayEntry& e : entries) {
        if (!e.problem.empty() || e.header.map != map.name || e.header.map_sha256 != map.sha256) continue;
        runs.newest = e;
        if (e.won && (!runs.best || e.updates < runs.best->updates)) runs.best = e;
    }
    return runs;
}

std::string replay_file_name(std::string_view map, std::chrono::system_clock::time_point when) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when.time_since_epoch()).count() % 1000;
    char millis[8];
    std::snprintf(millis, sizeof millis, ".%03d", static_cast<int>(ms < 0 ? ms + 1000 : ms));
    return local_time_text(when, "%Y-%m-%d_%H-%M-%S") + millis + '_' + name_part(map) + replay_extension;
}

std::string recorded_time_text(std::chrono::system_clock::time_point when) {
    return local_time_text(when, "%Y-%m-%d %H:%M:%S");
}

fs::path ghost_path_for(const fs::path& replay) {
    fs::path ghost = replay;
    return ghost.replace_extension(ghost_extension);
}

std::optional<ReplayFile> load_replay(const fs::path& path, std::string& why) {
    const std::optional<std::string> text = read_file(path.string(), replay_file, why);
    if (!text) return std::nullopt;
    ReplayFile file;
    if (!parse_replay_file(*text, file, why)) return std::nullopt;
    return file;
}

bool map_text_matches(const ReplayHeader& header, std::string_view text, std::string& why) {
    const std::string sha = sha256_hex(text);
    if (sha == header.map_sha256) return true;
    const std::string which = header.map.size() == 1 && header.map[0] >= '1' && header.map[0] <= '0' + builtin_map_count
                                  ? "Map " + header.map
                                  : "The map " + header.map;
    why = which + " has changed since the replay was recorded: its text's SHA-256 is " + sha + ", the replay's " +
          header.map_sha256 + ".";
    return false;
}

std::optional<std::string> map_for_replay(const ReplayHeader& header, const std::vector<fs::path>& folders,
                                          std::string& why) {
    const std::string& name = header.map;
    if (name.size() == 1 && name[0] >= '1' && name[0] <= '0' + builtin_map_count) {
        const char* text = builtin_map_text(name[0] - '0');
        if (text == nullptr) {
            why = "Built-in map " + name + " is not made yet.";
            return std::nullopt;
        }
        if (!map_text_matches(header, text, why)) return std::nullopt;
        return std::string(text);
    }
    why = "The map " + name + " was not found beside the replay or in Maps/.";
    std::string mismatch;
    for (const fs::path& folder : folders) {
        std::string unread;
        const std::optional<std::string> text = read_file((folder / name).string(), map_text_file, unread);
        if (!text) continue;
        if (map_text_matches(header, *text, mismatch)) return text;
        why = mismatch;  // a file of that name, but another text: the reason to give if no other matches
    }
    return std::nullopt;
}

std::optional<GhostTrack> read_ghost(const fs::path& replay) {
    std::string why;
    const std::optional<std::string> text = read_file(ghost_path_for(replay).string(), ghost_file, why);
    GhostTrack track;
    if (!text || !parse_ghost(*text, track, why)) return std::nullopt;
    return track;
}

SavedReplay save_replay(const fs::path& folder, const ReplayHeader& header, const std::string& replay_text,
                        const std::function<std::string()>& ghost_text, bool won, int64_t updates,
                        std::chrono::system_clock::time_point when) {
    SavedReplay saved;
    std::error_code error;
    fs::create_directories(folder, error);
    const auto best = runs_of_map(list_replays(folder), {header.map, header.map_sha256}).best;
    // A name not taken yet: the next millisecond when two games end within one.
    fs::path path = folder / replay_file_name(header.map, when);
    for (int i = 1; fs::exists(path, error) && i < 1000; ++i)
        path = folder / replay_file_name(header.map, when + std::chrono::milliseconds(i));
    if (!write_file_atomically(path, replay_text)) {
        saved.error = "The replay could not be written into " + folder.string() +
                      "/ (is the disk full or the folder read-only?).";
        return saved;
    }
    saved.path = path;
    saved.new_best = won && (!best || updates < best->updates);
    if (saved.new_best && !write_file_atomically(ghost_path_for(path), ghost_text()))
        saved.error = "The replay was written, but not its ghost (is the disk full?).";
    prune_replays(folder, header.map);
    return saved;
}

void prune_replays(const fs::path& folder, const std::string& map, size_t keep) {
    std::vector<ReplayEntry> mine;
    for (ReplayEntry& e : list_replays(folder))
        if (e.problem.empty() && e.header.map == map) mine.push_back(std::move(e));
    if (mine.size() <= keep) return;
    // Oldest first: a win faster than every earlier win on the same map text was a best when it was played.
    std::map<std::string, int64_t> fastest;  // map text's checksum -> fastest win so far
    std::vector<bool> kept(mine.size(), false);
    for (size_t i = 0; i < mine.size(); ++i) {
        const ReplayEntry& e = mine[i];
        if (!e.won) continue;
        const auto found = fastest.find(e.header.map_sha256);
        if (found == fastest.end() || e.updates < found->second) {
            fastest[e.header.map_sha256] = e.updates;
            kept[i] = true;
        }
    }
    for (size_t i = 0; i + keep < mine.size(); ++i) {
        if (kept[i]) continue;
        remove_file(mine[i].path);
        remove_file(ghost_path_for(mine[i].path));
    }
}
