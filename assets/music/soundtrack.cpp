// Tempos, lengths, seeds and rooms of every track.
#include "tracks.hpp"

namespace music {

namespace {

Effects hall(double delay_seconds) {
    Effects fx;
    fx.delay_seconds = delay_seconds;
    fx.delay_feedback = 0.45f;
    fx.delay_tone_hz = 3000.0f;
    fx.reverb_size = 0.88f;
    fx.reverb_damping_hz = 4500.0f;
    fx.reverb_level = 0.5f;
    fx.reverb_predelay = 0.04;
    return fx;
}

Effects club(double delay_seconds, float pump_depth) {
    Effects fx;
    fx.delay_seconds = delay_seconds;
    fx.delay_feedback = 0.3f;
    fx.delay_tone_hz = 4000.0f;
    fx.reverb_size = 0.75f;
    fx.reverb_damping_hz = 6000.0f;
    fx.reverb_level = 0.3f;
    fx.reverb_predelay = 0.015;
    fx.pump_depth = pump_depth;
    return fx;
}

// Dotted-eighth echo, the length of three sixteenths at `bpm`.
double dotted_eighth(double bpm) { return 0.75 * 60.0 / bpm; }

}  // namespace

const std::vector<Track>& soundtrack() {
    // Lengths: 24 bars at 72 bpm = 80 s, 32 at 84 = 91 s, 48 at 128 = 90 s,
    // 48 at 146 = 79 s, 40 at 100 = 96 s.
    static const std::vector<Track> tracks = {
        {"Title", "lantern_drift.ogg", {72.0, 24}, 0x1a7e2u, hall(dotted_eighth(72.0)), -8.5f, compose_lantern_drift},
        {"Title", "glass_horizon.ogg", {84.0, 32}, 0x60a55u, hall(60.0 / 84.0), -6.0f, compose_glass_horizon},
        {"Game",
         "circuit_run.ogg",
         {128.0, 48},
         0xc12c7u,
         club(dotted_eighth(128.0), 0.5f),
         -1.6f,
         compose_circuit_run},
        {"Game",
         "mirror_maze.ogg",
         {146.0, 48},
         0x3177au,
         club(dotted_eighth(146.0), 0.35f),
         -1.6f,
         compose_mirror_maze},
        {"Game", "switchback.ogg", {100.0, 40}, 0x5b1cbu, club(0.5 * 60.0 / 100.0, 0.25f), -1.6f, compose_switchback},
    };
    return tracks;
}

}  // namespace music
