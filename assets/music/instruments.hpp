// The instruments: one configurable subtractive/FM voice and a drum kit made
// from noise and pitched sines.
#pragma once

#include "mix.hpp"
#include "synth.hpp"

namespace music {

// A synth sound. Unison voices are spread in pitch by `detune` and across the
// stereo field by `width`; the filter follows its own envelope.
struct Patch {
    Wave wave = Wave::saw;
    Wave second_wave = Wave::sine;
    float second_level = 0.0f;     // 0 .. 1, mixed with the main oscillator
    float second_interval = 0.0f;  // semitones above the main oscillator (-12 = sub)
    int unison = 1;
    float detune = 0.0f;  // cents between the outermost unison voices
    float width = 0.0f;   // 0 mono .. 1 voices panned fully apart
    Adsr amp;
    float cutoff_hz = 18000.0f;
    float cutoff_env_hz = 0.0f;  // added at the filter envelope's peak
    Adsr filter_env;
    float resonance = 0.0f;  // 0 .. 0.97
    float key_track = 0.0f;  // 0 .. 1: how far the cutoff follows the pitch
    float fm_ratio = 0.0f;   // > 0 turns the voice into a two-operator FM sine
    float fm_index = 0.0f;   // modulation depth at the note's start
    float fm_decay = 0.5f;   // seconds for the depth to fall by about two thirds
    float vibrato_cents = 0.0f;
    float vibrato_hz = 5.0f;
    float vibrato_delay = 0.3f;  // seconds before the vibrato fades in
    float gain = 0.2f;
    float pan = 0.0f;
    Send send;
    bool pump = false;  // routed to the bus that ducks on every beat
};

// Start and length in seconds, pitch as a MIDI note, velocity 0 .. 1.
struct Note {
    double start = 0.0;
    double length = 0.25;
    double pitch = 60.0;
    float velocity = 1.0f;
    float cutoff_scale = 1.0f;  // per-note brightness, e.g. for filter sweeps
};

// Renders one note of `patch` into the mix (tails wrap round the loop).
void play(Mix& mix, const Patch& patch, const Note& note);

// Drums. `at` in seconds, `level` 0 .. 1.
void kick(Mix& mix, double at, float level, float tune_hz = 50.0f);
void snare(Mix& mix, double at, float level);
void clap(Mix& mix, double at, float level);
void hat(Mix& mix, double at, float level, bool open = false);
void shaker(Mix& mix, double at, float level);
void tom(Mix& mix, double at, float level, float pitch_hz);

}  // namespace music
