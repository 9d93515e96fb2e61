// The game folder's Replays/: every game played in the window is written there
// when it ends, named so that the files sort by time and name their map. The
// newest replays of each map are kept, and every run that was the map's
// fastest win when it was played, with the ghost of the best beside it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/ghost.hpp"
#include "game/replay_file.hpp"

inline constexpr const char* replays_folder = "Replays";
inline constexpr const char* replay_extension = ".replay";
inline constexpr const char* ghost_extension = ".ghost";
inline constexpr size_t kept_replays_per_map = 100;

// Which map a game was played on: the header's name and the text's SHA-256.
struct MapIdentity {
    std::string name;    // "1" to "5", or a custom map's file name
    std::string sha256;  // of the map text
};
MapIdentity builtin_map_identity(int n);
MapIdentity custom_map_identity(const std::filesystem::path& file, std::string_view text);

// One file of Replays/ as listing it finds it, from its first and last few KB.
struct ReplayEntry {
    std::filesystem::path path;
    ReplayHeader header;
    bool header_read = false;  // the header is whole: the entry belongs to header.map
    bool won = false;          // from the footer
    int64_t updates = 0;       // from the footer
    std::string problem;       // why it cannot be watched, one sentence; empty when it can
};

// Every "*.replay" file of the folder (regular, not hidden), oldest first by
// name; none when the folder is missing. A malformed, truncated or oversized
// file is listed with its problem; nothing is read beyond its ends.
std::vector<ReplayEntry> list_replays(const std::filesystem::path& folder = replays_folder);

// A map's fastest win (the older of equal times) and its newest replay, among
// the entries without problems recorded on exactly this map text.
struct MapRuns {
    std::optional<ReplayEntry> best;
    std::optional<ReplayEntry> newest;
};
MapRuns runs_of_map(const std::vector<ReplayEntry>& entries, const MapIdentity& map);

// "2026-12-08_17-45-03.417_map-1.replay": local time to the millisecond, then the map.
std::string replay_file_name(std::string_view map, std::chrono::system_clock::time_point when);
// "2026-12-08 17:45:03", local time, as a header's recorded field.
std::string recorded_time_text(std::chrono::system_clock::time_point when);
// The ghost file beside a replay file.
std::filesystem::path ghost_path_for(const std::filesystem::path& replay);

// A replay file read whole and parsed; nothing, with `why` in one sentence,
// when it is missing, not a regular file, too large, holds NUL bytes or is malformed.
std::optional<ReplayFile> load_replay(const std::filesystem::path& path, std::string& why);

// Whether `text` is the very map text a header names; `why` says how not.
bool map_text_matches(const ReplayHeader& header, std::string_view text, std::string& why);
// The text of the map a recorded replay names, checked against its SHA-256: a
// built-in map, or a custom map of that file name in the first of `folders`
// that holds one that matches. Nothing, with `why`, when none does.
std::optional<std::string> map_for_replay(const ReplayHeader& header, const std::vector<std::filesystem::path>& folders,
                                          std::string& why);

// The best run's ghost, when it has one that reads; nothing otherwise.
std::optional<GhostTrack> read_ghost(const std::filesystem::path& replay);

// What writing a finished game's replay came to.
struct SavedReplay {
    std::filesystem::path path;  // the replay written; empty when none was
    bool new_best = false;       // the map's fastest win so far: its ghost was written too
    std::string error;           // one sentence for the screen's bottom line; empty when all went well
};

// Writes a finished game into the folder (created when missing), atomically,
// with its ghost (made by `ghost_text` only then) when it is the map's new
// fastest win, then removes the map's
// replays beyond the newest kept_replays_per_map, keeping every run that was
// the fastest win when it was played.
SavedReplay save_replay(const std::filesystem::path& folder, const ReplayHeader& header, const std::string& replay_text,
                        const std::function<std::string()>& ghost_text, bool won, int64_t updates,
                        std::chrono::system_clock::time_point when);

// Removes `map`'s replays (and their ghosts) beyond the newest `keep`, but
// never a run that was its map text's fastest win when it was played, nor a
// file that cannot be read as a replay: the game removes only what it wrote.
void prune_replays(const std::filesystem::path& folder, const std::string& map, size_t keep = kept_replays_per_map);
