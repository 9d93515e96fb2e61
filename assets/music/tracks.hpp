// The game's soundtrack: every track, where it goes and how it is composed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "score.hpp"

namespace music {

struct Track {
    std::string folder;  // "Title" or "Game", under Music/
    std::string file;    // file name inside that folder
    Grid grid;           // tempo and length; the loop is exactly `grid.bars` bars
    std::uint32_t seed;  // drives every random choice of the composition
    Effects fx;
    float peak_db;  // peak of the finished track in dBFS; the calm title tracks sit lower
    void (*compose)(Mix& mix, const Grid& grid, Rng& rng);
};

// Title music: slow, calm and spacious.
void compose_lantern_drift(Mix& mix, const Grid& grid, Rng& rng);
void compose_glass_horizon(Mix& mix, const Grid& grid, Rng& rng);

// Game music: driving, each at its own tempo.
void compose_circuit_run(Mix& mix, const Grid& grid, Rng& rng);
void compose_mirror_maze(Mix& mix, const Grid& grid, Rng& rng);
void compose_switchback(Mix& mix, const Grid& grid, Rng& rng);

const std::vector<Track>& soundtrack();

}  // namespace music
