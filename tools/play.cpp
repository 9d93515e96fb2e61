#include "tools/play.hpp"

#include <ostream>

int run_play(const PlayOptions&, std::ostream&, std::ostream& err) {
    err << "Playing replays is not available yet.\n";
    return 1;
}
