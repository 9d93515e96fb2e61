// Safe reading of the files vantorel-tool is given, and the errors it reports.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "app/file_reading.hpp"

// A failure to report as one sentence on standard error, exit status 1.
struct ToolError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A command line that does not fit a subcommand, exit status 2.
struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The whole contents of the regular file at `path`, read as the game reads
// its files. Throws ToolError with the reader's sentence when it refuses it.
std::string read_text_file(const std::string& path, const FileKind& kind);

// The map text a MAP argument names: "1" to "5" are the built-in maps, anything
// else is the path of a map text file. Throws ToolError for a map not made yet
// or a file read_text_file refuses.
std::string map_text_for_argument(const std::string& map);

// Loads the map a MAP argument names into `world`; throws ToolError with the
// loader's reason when it does not load. Returns the text's length in characters.
size_t load_map_argument(const std::string& map);
