// Safe reading of the files vantorel-tool is given, and the errors it reports.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// A failure to report as one sentence on standard error, exit status 1.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A command line that does not fit a subcommand, exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The largest built-in map text is a few KB; 16 MiB leaves room for any hand-made map.
inline constexpr uint64_t max_map_file_bytes = 16u << 20;
// A replay line is a few bytes per run of updates.
inline constexpr uint64_t max_replay_file_bytes = 16u << 20;
// config.ini and controls.cfg hold a few dozen short lines.
inline constexpr uint64_t max_config_file_bytes = 1u << 20;

// `path` quoted for an error message, with control characters shown as '?'
// so that a message always stays on one line.
std::string quoted_path(const std::string& path);

// The whole contents of the regular file at `path`. Throws ToolError when it
// is missing, not a regular file, larger than `max_bytes`, unreadable or holds
// a NUL byte; `what` names the kind of file for the message ("map text").
std::string read_text_file(const std::string& path, uint64_t max_bytes, const char* what);

// The map text a MAP argument names: "1" to "5" are the built-in maps, anything
// else is the path of a map text file. Throws ToolError for a map not made yet
// or a file read_text_file refuses.
std::string map_text_for_argument(const std::string& map);

// Loads the map a MAP argument names into `world`; throws ToolError with the
// loader's reason when it does not load. Returns the text's length in characters.
size_t load_map_argument(const std::string& map);
