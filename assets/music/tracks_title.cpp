// The two title tracks: no drums to speak of, long pads, bells and echoes.
#include "tracks.hpp"

namespace music {

namespace {

bool within(int bar, int first, int last) { return bar >= first && bar <= last; }

// D major, one chord a bar; the A7sus4 at the end leans back into the first bar.
const std::vector<Chord>& lantern_chords() {
    static const std::vector<Chord> chords = {
        chord(50, shape::maj9), chord(47, shape::min9), chord(43, shape::maj9),  chord(40, shape::min9),
        chord(50, shape::maj7), chord(43, shape::maj9), chord(40, shape::min11), chord(45, shape::dom7sus4)};
    return chords;
}

Patch lantern_pad() {
    Patch p;
    p.wave = Wave::saw;
    p.unison = 3;
    p.detune = 14.0f;
    p.width = 0.7f;
    p.amp = {1.4f, 1.0f, 0.85f, 2.4f};
    p.cutoff_hz = 800.0f;
    p.cutoff_env_hz = 700.0f;
    p.filter_env = {2.0f, 2.0f, 0.5f, 2.0f};
    p.gain = 0.05f;
    p.send = {0.0f, 0.55f};
    return p;
}

Patch soft_bass() {
    Patch p;
    p.wave = Wave::sine;
    p.second_wave = Wave::triangle;
    p.second_level = 0.15f;
    p.second_interval = 12.0f;
    p.amp = {0.25f, 1.0f, 0.8f, 1.2f};
    p.gain = 0.28f;
    return p;
}

Patch bell() {
    Patch p;
    p.fm_ratio = 3.5f;
    p.fm_index = 2.5f;
    p.fm_decay = 0.35f;
    p.amp = {0.003f, 1.4f, 0.0f, 1.2f};
    p.gain = 0.15f;
    p.pan = 0.25f;
    p.send = {0.35f, 0.45f};
    return p;
}

Patch flute() {
    Patch p;
    p.wave = Wave::sine;
    p.second_wave = Wave::triangle;
    p.second_level = 0.25f;
    p.second_interval = 12.0f;
    p.amp = {0.12f, 0.4f, 0.8f, 0.7f};
    p.vibrato_cents = 12.0f;
    p.vibrato_hz = 4.5f;
    p.gain = 0.11f;
    p.pan = -0.15f;
    p.send = {0.25f, 0.5f};
    return p;
}

// Two-bar melody rhythms in beats: a long-short-long figure and an answer.
const std::vector<Step> lantern_call = {{0, 1.5}, {1.5, 0.5}, {2, 2}, {4, 1}, {5, 1}, {6, 2}};
const std::vector<Step> lantern_answer = {{0, 1}, {1, 1}, {2, 1.5}, {3.5, 0.5}, {4, 4}};

}  // namespace

// 72 bpm, 24 bars: pads over a soft bass, a bell arpeggio through the middle
// twenty bars and a flute line over bars 8-19.
void compose_lantern_drift(Mix& mix, const Grid& grid, Rng& rng) {
    const auto& chords = lantern_chords();
    auto chord_of = [&](int bar) { return chords[static_cast<std::size_t>(bar) % chords.size()]; };
    const Patch pad = lantern_pad(), bass = soft_bass(), bells = bell(), lead = flute();

    for (int bar = 0; bar < grid.bars; ++bar) {
        const Chord c = chord_of(bar);
        // Each chord holds on while the next one swells in, so bar lines never dip.
        for (int n : close_voicing(c, 54))
            play(mix, pad, {grid.at(bar, 0), grid.bar() + 1.0, static_cast<double>(n), 0.9f});
        play(mix, bass, {grid.at(bar, 0), grid.bar() * 0.9, static_cast<double>(close_voicing({c[0]}, 33)[0]), 0.9f});
        if (within(bar, 2, 21)) {
            const std::vector<int> notes = arpeggio_notes(c, 62, 6);
            static const int order[8] = {0, 1, 2, 3, 4, 3, 2, 1};
            for (int step = 0; step < 8; ++step) {
                if (step > 0 && rng.chance(0.18)) continue;  // gaps let the echoes through
                const float velocity = step == 0 ? 1.0f : 0.6f + 0.2f * static_cast<float>(rng.unit());
                play(mix, bells,
                     {grid.at(bar, step * 0.5), grid.beat() * 0.5,
                      static_cast<double>(notes[static_cast<std::size_t>(order[step])]), velocity});
            }
        }
    }

    const std::vector<int> pool = scale_notes(62, scale::major_pentatonic, 62, 81);
    std::vector<std::vector<int>> phrases;
    for (int k = 0; k < 4; ++k) {
        const int first = 8 + 2 * k;
        auto chord_at = [&](double beat) { return chord_of(first + static_cast<int>(beat / 4.0)); };
        phrases.push_back(compose_line(rng, k % 2 == 0 ? lantern_call : lantern_answer, chord_at, pool, 74, 64, 81));
    }
    // Call, answer, call again, a new answer; then the first pair once more.
    static const int order[6] = {0, 1, 0, 3, 2, 1};
    for (int k = 0; k < 6; ++k) {
        const int phrase = order[k];
        perform(mix, lead, grid, grid.at(8 + 2 * k, 0), phrase % 2 == 0 ? lantern_call : lantern_answer,
                phrases[static_cast<std::size_t>(phrase)], 0.9f, rng);
    }
}

namespace {

// F lydian colours, one chord a bar in pairs on one root; Csus4 lifts back to the start.
const std::vector<Chord>& horizon_chords() {
    static const std::vector<Chord> chords = {chord(53, shape::maj9), chord(53, {0, 4, 6, 11}), chord(45, shape::min7),
                                              chord(45, shape::min9), chord(50, shape::min9),   chord(50, shape::min7),
                                              chord(46, shape::maj7), chord(48, shape::sus4)};
    return chords;
}

Patch glass_pad() {
    Patch p;
    p.wave = Wave::triangle;
    p.second_wave = Wave::saw;
    p.second_level = 0.3f;
    p.unison = 2;
    p.detune = 8.0f;
    p.width = 0.8f;
    p.amp = {0.9f, 1.0f, 0.9f, 1.8f};
    p.cutoff_hz = 1800.0f;
    p.gain = 0.065f;
    p.send = {0.0f, 0.55f};
    return p;
}

Patch soft_pluck() {
    Patch p;
    p.wave = Wave::square;
    p.amp = {0.002f, 0.35f, 0.0f, 0.3f};
    p.cutoff_hz = 500.0f;
    p.cutoff_env_hz = 2200.0f;
    p.filter_env = {0.002f, 0.18f, 0.0f, 0.2f};
    p.gain = 0.07f;
    p.pan = -0.3f;
    p.send = {0.4f, 0.3f};
    return p;
}

Patch glass_lead() {
    Patch p;
    p.fm_ratio = 2.0f;
    p.fm_index = 1.2f;
    p.fm_decay = 1.0f;
    p.vibrato_cents = 8.0f;
    p.amp = {0.06f, 0.8f, 0.6f, 1.0f};
    p.gain = 0.1f;
    p.pan = 0.2f;
    p.send = {0.3f, 0.5f};
    return p;
}

const std::vector<Step> horizon_rhythm = {{0, 2}, {2, 1}, {3, 1}, {4, 3}, {7, 1}};

}  // namespace

// 84 bpm, 32 bars: a glassy pad and a soft plucked arpeggio throughout, a lead
// in bars 4-11 and 20-27, brushed percussion over bars 12-27.
void compose_glass_horizon(Mix& mix, const Grid& grid, Rng& rng) {
    const auto& chords = horizon_chords();
    auto chord_of = [&](int bar) { return chords[static_cast<std::size_t>(bar) % chords.size()]; };
    const Patch pad = glass_pad(), pluck = soft_pluck(), lead = glass_lead();
    Patch bass = soft_bass();
    bass.amp = {0.05f, 0.6f, 0.7f, 0.4f};

    for (int bar = 0; bar < grid.bars; ++bar) {
        const Chord c = chord_of(bar);
        for (int n : close_voicing(c, 57))
            play(mix, pad, {grid.at(bar, 0), grid.bar() + 0.6, static_cast<double>(n), 0.9f});
        const double root = close_voicing({c[0]}, 36)[0];
        play(mix, bass, {grid.at(bar, 0), grid.beat() * 2.3, root, 1.0f});
        play(mix, bass, {grid.at(bar, 2.5), grid.beat() * 1.3, root + (bar % 2 == 0 ? 12 : 7), 0.7f});
        const std::vector<int> notes = arpeggio_notes(c, 65, 5);
        static const int order[8] = {0, 2, 4, 1, 3, 2, 4, 1};
        for (int step = 0; step < 8; ++step)
            play(mix, pluck,
                 {grid.at(bar, step * 0.5), grid.beat() * 0.4,
                  static_cast<double>(notes[static_cast<std::size_t>(order[step])]), step % 2 == 0 ? 0.9f : 0.65f});
        if (within(bar, 12, 27)) {
            kick(mix, grid.at(bar, 0), 0.45f);
            kick(mix, grid.at(bar, 2.5), 0.3f);
            for (int step = 0; step < 8; ++step) shaker(mix, grid.at(bar, step * 0.5), step % 2 == 1 ? 0.55f : 0.3f);
            hat(mix, grid.at(bar, 3), 0.35f, bar % 4 == 3);
        }
    }

    const std::vector<int> pool = scale_notes(53, scale::lydian, 65, 84);
    for (int section : {4, 20}) {
        // Each section states a two-bar idea, repeats it and answers it twice.
        std::vector<std::vector<int>> lines;
        for (int k = 0; k < 2; ++k) {
            const int first = section + 2 * k;
            auto chord_at = [&](double beat) { return chord_of(first + static_cast<int>(beat / 4.0)); };
            lines.push_back(compose_line(rng, horizon_rhythm, chord_at, pool, 72, 65, 84));
        }
        for (int k = 0; k < 4; ++k)
            perform(mix, lead, grid, grid.at(section + 2 * k, 0), horizon_rhythm,
                    lines[static_cast<std::size_t>(k % 2 == 0 ? 0 : 1)], 0.9f, rng);
    }
}

}  // namespace music
