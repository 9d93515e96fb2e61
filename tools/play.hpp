// `vantorel-tool play`: plays a replay on a map without a window.
#pragma once

#include <iosfwd>
#include <string>

#include "tools/map_render.hpp"

struct PlayOptions {
    std::string map;       // "1".."5" or a map text file; empty: the one the replay's header names
    std::string replay;    // replay file
    std::string config;    // settings file; empty: built-in defaults (or the header's settings)
    std::string map_file;  // --map: the custom map a header names, given by its path
    int threads = 0;       // workers; 0: the settings' value (the header's)
    bool trace = false;    // one line per update
    int near = 0;          // with trace: also the enemies within this many px of the player
    bool check = false;    // the outcome must equal the replay's recorded one
};

// Plays the replay and prints the outcome to `out`; errors go to `err` as one
// sentence. Returns the exit status: 0 when it ran, whatever the result; 1
// when it could not run, or with `check` when the outcome differs from the record.
int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err);

// Plays the replay file on `map` ("1".."5" or a map text file) with the default
// settings and records the player's way. Throws ToolError when either file
// cannot be read or the map cannot be played.
RoutePath trace_route(const std::string& map, const std::string& replay);
