// Recorded replays: a replay text between a header and a footer of "#" lines,
// so that the file alone says which map and settings to play it on and how the
// game ended. Readers of plain replays skip those lines as comments.
//
//   # vantorel replay 1
//   # map 1                          1 to 5, or a custom map's file name
//   # map_sha256 3a7bd3e2...         the map text's SHA-256, 64 hex digits
//   # recorded 2026-12-08 17:45:03   local date and time the game ended
//   # setting laser_speed 6          every setting that changes the simulation
//   ...
//   90 r 412 300                     the inputs, one run of updates a line
//   ...
//   # result won                     the outcome in vantorel-tool play's words
//   ...
//   # end
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/file_reading.hpp"  // max_replay_file_bytes
#include "app/settings.hpp"
#include "game/replay.hpp"

inline constexpr std::string_view replay_header_line = "# vantorel replay 1";
inline constexpr std::string_view replay_end_line = "# end";

// The settings a recorded game keeps: all that change what the simulation
// does, and threads, which changes nothing but is kept as the game read it.
extern const std::array<std::string_view, 24> replay_setting_names;

// What a recorded replay's header says.
struct ReplayHeader {
    std::string map;         // "1" to "5", or a custom map's file name
    std::string map_sha256;  // of the map text played, 64 lowercase hex digits
    std::string recorded;    // "YYYY-MM-DD HH:MM:SS", local time
    Settings settings;       // replay_setting_names as recorded, the rest at their defaults
};

// A whole replay file: a recorded one, or a plain replay text (a route) with neither header nor footer.
struct ReplayFile {
    std::optional<ReplayHeader> header;
    Replay replay;
    std::vector<std::string> footer;  // the outcome lines, without "# "; empty for a plain replay
};

// Reads a replay file. One that starts with the header line must have every
// header field once and end with a whole footer and "# end"; anything else
// is a plain replay. False with `why` in one sentence when it is malformed.
bool parse_replay_file(std::string_view text, ReplayFile& out, std::string& why);

// Only the header, from the first bytes of a file (listing many replays reads
// no further). False with `why` when `head` does not start with a whole header.
bool parse_replay_header(std::string_view head, ReplayHeader& out, std::string& why);
// Only the outcome lines of the footer, from the last bytes of a file. False
// with `why` when `tail` does not end with a whole footer.
bool parse_replay_footer(std::string_view tail, std::vector<std::string>& out, std::string& why);

// The header and footer as written into a file, each line ending in a line break.
std::string replay_header_text(const ReplayHeader& header);
std::string replay_footer_text(const std::vector<std::string>& outcome);

// Where an outcome and a recorded one first part, as one sentence naming the
// two lines; empty when they agree line for line.
std::string first_outcome_difference(const std::vector<std::string>& played, const std::vector<std::string>& recorded);

// The settings a replay plays with: the player's own, with the recorded
// simulation settings over them (threads stays the player's: the outcome does
// not depend on it) and the alternate timer off, so that every frame updates.
Settings replay_play_settings(Settings own, const Settings& recorded);

// Whether a custom map's file name can stand in a header and be looked up
// again: one plain file name, no folders, no control characters.
bool plain_map_file_name(std::string_view name);
