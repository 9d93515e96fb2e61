// Writing music down: the beat grid, chords, scales and the phrase helpers the
// tracks are composed with.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "instruments.hpp"

namespace music {

// Bars of four beats at a fixed tempo; times in seconds from the loop start.
struct Grid {
    double bpm = 120.0;
    int bars = 32;
    double beat() const { return 60.0 / bpm; }
    double bar() const { return 4.0 * beat(); }
    double at(int bar_index, double beat_in_bar) const { return bar_index * bar() + beat_in_bar * beat(); }
    double length() const { return bars * bar(); }
};

// MIDI notes, lowest first; the first is the root.
using Chord = std::vector<int>;

// Intervals in semitones above a root.
namespace shape {
inline const std::vector<int> major = {0, 4, 7};
inline const std::vector<int> minor = {0, 3, 7};
inline const std::vector<int> maj7 = {0, 4, 7, 11};
inline const std::vector<int> min7 = {0, 3, 7, 10};
inline const std::vector<int> dom7 = {0, 4, 7, 10};
inline const std::vector<int> maj9 = {0, 4, 7, 11, 14};
inline const std::vector<int> min9 = {0, 3, 7, 10, 14};
inline const std::vector<int> min11 = {0, 3, 7, 10, 14, 17};
inline const std::vector<int> sus2 = {0, 2, 7};
inline const std::vector<int> sus4 = {0, 5, 7};
inline const std::vector<int> add9 = {0, 4, 7, 14};
inline const std::vector<int> dom7sus4 = {0, 5, 7, 10};
}  // namespace shape

namespace scale {
inline const std::vector<int> major = {0, 2, 4, 5, 7, 9, 11};
inline const std::vector<int> minor = {0, 2, 3, 5, 7, 8, 10};
inline const std::vector<int> dorian = {0, 2, 3, 5, 7, 9, 10};
inline const std::vector<int> lydian = {0, 2, 4, 6, 7, 9, 11};
inline const std::vector<int> major_pentatonic = {0, 2, 4, 7, 9};
inline const std::vector<int> minor_pentatonic = {0, 3, 5, 7, 10};
}  // namespace scale

Chord chord(int root, const std::vector<int>& intervals);

// Every note of a scale on `tonic` between `low` and `high` inclusive.
std::vector<int> scale_notes(int tonic, const std::vector<int>& steps, int low, int high);

// The chord's tones moved by octaves into low .. low + 11, sorted: a close voicing.
Chord close_voicing(const Chord& c, int low);

// The member of `notes` nearest to `pitch` (ties go down).
int nearest(const std::vector<int>& notes, int pitch);

// Chord tones cycled upwards from `low` for as many entries as `length`.
std::vector<int> arpeggio_notes(const Chord& c, int low, int length);

// One note of a phrase: start in beats from the phrase start, length in beats.
struct Step {
    double beat;
    double length;
};

// A melody over a rhythm: notes on strong beats land on chord tones, the
// others walk by scale steps, always within low .. high. `chord_at` gives the
// chord sounding at a beat offset. Deterministic for a given `rng` state.
template <typename ChordAt>
std::vector<int> compose_line(Rng& rng, const std::vector<Step>& rhythm, ChordAt chord_at,
                              const std::vector<int>& scale_pool, int start_pitch, int low, int high);

// Plays `pitches` to `rhythm` from `start` seconds with `patch`.
void perform(Mix& mix, const Patch& patch, const Grid& grid, double start, const std::vector<Step>& rhythm,
             const std::vector<int>& pitches, float velocity, Rng& rng);

template <typename ChordAt>
std::vector<int> compose_line(Rng& rng, const std::vector<Step>& rhythm, ChordAt chord_at,
                              const std::vector<int>& scale_pool, int start_pitch, int low, int high) {
    std::vector<int> line;
    int pitch = start_pitch;
    int direction = 1;
    for (const Step& step : rhythm) {
        const bool strong = std::fmod(step.beat, 1.0) == 0.0 || step.length >= 1.0;
        if (rng.chance(0.25)) direction = -direction;
        if (pitch >= high - 2) direction = -1;
        if (pitch <= low + 2) direction = 1;
        if (strong) {
            std::vector<int> tones;
            for (int t : chord_at(step.beat))
                for (int octave = -24; octave <= 24; octave += 12)
                    if (t + octave >= low && t + octave <= high) tones.push_back(t + octave);
            pitch = nearest(tones, pitch + direction * (1 + rng.below(3)));
        } else {
            const int moves = 1 + (rng.chance(0.3) ? 1 : 0);
            int index = 0;
            const int here = nearest(scale_pool, pitch);
            for (std::size_t i = 0; i < scale_pool.size(); ++i)
                if (scale_pool[i] == here) index = static_cast<int>(i);
            index = std::clamp(index + direction * moves, 0, static_cast<int>(scale_pool.size()) - 1);
            pitch = scale_pool[static_cast<std::size_t>(index)];
        }
        line.push_back(pitch);
    }
    return line;
}

}  // namespace music
