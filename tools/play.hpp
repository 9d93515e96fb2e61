// `vantorel-tool play`: plays a replay on a map without a window.
#pragma once

#include <iosfwd>
#include <string>

struct PlayOptions {
    std::string map;     // "1".."5" or a map text file
    std::string replay;  // replay file
    std::string config;  // settings file; empty: built-in defaults
    int threads = 0;     // workers; 0: the settings' value
    bool trace = false;  // one line per update
    int near = 0;        // with trace: also the enemies within this many px of the player
};

// Plays the replay and prints the outcome to `out`; errors go to `err` as one
// sentence. Returns the exit status (0 when it ran, whatever the result).
int run_play(const PlayOptions& options, std::ostream& out, std::ostream& err);
