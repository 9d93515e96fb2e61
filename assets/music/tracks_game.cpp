// The three game tracks: four-to-the-floor, breakbeat and half-time grooves.
#include "tracks.hpp"

namespace music {

namespace {

bool within(int bar, int first, int last) { return bar >= first && bar <= last; }

double lowest(const Chord& c, int low) { return close_voicing({c[0]}, low)[0]; }

Patch saw_bass() {
    Patch p;
    p.wave = Wave::saw;
    p.second_wave = Wave::square;
    p.second_level = 0.5f;
    p.second_interval = -12.0f;
    p.amp = {0.003f, 0.2f, 0.7f, 0.04f};
    p.cutoff_hz = 300.0f;
    p.cutoff_env_hz = 1400.0f;
    p.filter_env = {0.002f, 0.12f, 0.0f, 0.05f};
    p.resonance = 0.4f;
    p.gain = 0.16f;
    return p;
}

Patch square_arp() {
    Patch p;
    p.wave = Wave::square;
    p.amp = {0.002f, 0.15f, 0.3f, 0.08f};
    p.cutoff_hz = 900.0f;
    p.cutoff_env_hz = 3000.0f;
    p.filter_env = {0.001f, 0.09f, 0.0f, 0.1f};
    p.resonance = 0.3f;
    p.gain = 0.055f;
    p.pan = 0.3f;
    p.send = {0.3f, 0.15f};
    return p;
}

Patch wide_pad() {
    Patch p;
    p.wave = Wave::saw;
    p.unison = 5;
    p.detune = 20.0f;
    p.width = 0.9f;
    p.amp = {0.05f, 0.5f, 0.8f, 0.3f};
    p.cutoff_hz = 2200.0f;
    p.gain = 0.045f;
    p.send = {0.0f, 0.35f};
    p.pump = true;
    return p;
}

Patch saw_lead() {
    Patch p;
    p.wave = Wave::saw;
    p.second_wave = Wave::square;
    p.second_level = 0.25f;
    p.second_interval = 12.0f;
    p.unison = 2;
    p.detune = 10.0f;
    p.width = 0.3f;
    p.amp = {0.01f, 0.2f, 0.8f, 0.15f};
    p.cutoff_hz = 2500.0f;
    p.cutoff_env_hz = 2000.0f;
    p.filter_env = {0.01f, 0.3f, 0.4f, 0.2f};
    p.vibrato_cents = 15.0f;
    p.vibrato_hz = 5.5f;
    p.vibrato_delay = 0.25f;
    p.gain = 0.09f;
    p.send = {0.25f, 0.25f};
    return p;
}

// A note of a hand-written line: start and length in beats from its bar, MIDI pitch.
struct Written {
    double beat, length;
    int pitch;
};

void perform_written(Mix& mix, const Patch& patch, const Grid& grid, int bar, const std::vector<Written>& line,
                     float velocity, int transpose = 0) {
    for (const Written& w : line)
        play(mix, patch,
             {grid.at(bar, w.beat), w.length * grid.beat() * 0.95, static_cast<double>(w.pitch + transpose), velocity});
}

// A snare roll that swells over the last two beats of a bar into the next downbeat.
void snare_roll(Mix& mix, const Grid& grid, int bar) {
    for (int k = 0; k < 8; ++k) snare(mix, grid.at(bar, 2.0 + k * 0.25), 0.3f + 0.08f * static_cast<float>(k));
}

}  // namespace

// 128 bpm, 48 bars in E minor: kick on every beat, octave bass, sixteenth
// arpeggios and a saw lead with a four-bar hook.
void compose_circuit_run(Mix& mix, const Grid& grid, Rng& rng) {
    static const std::vector<Chord> verse = {chord(52, shape::minor), chord(48, shape::major), chord(43, shape::major),
                                             chord(50, shape::major)};
    static const std::vector<Chord> bridge = {chord(45, shape::minor), chord(48, shape::major), chord(52, shape::minor),
                                              chord(47, shape::dom7)};
    auto chord_of = [&](int bar) {
        const auto& progression = within(bar, 32, 39) ? bridge : verse;
        return progression[static_cast<std::size_t>(bar) % progression.size()];
    };
    static const std::vector<Written> hook = {
        {0, 0.75, 71}, {0.75, 0.75, 74}, {1.5, 0.5, 76}, {2, 1, 74},      {3, 0.5, 71},     {3.5, 0.5, 69},
        {4, 1.5, 67},  {5.5, 0.5, 64},   {6, 2, 67},     {8, 0.75, 71},   {8.75, 0.75, 74}, {9.5, 0.5, 79},
        {10, 1, 78},   {11, 1, 74},      {12, 1.5, 76},  {13.5, 0.5, 74}, {14, 2, 78}};
    const Patch bass = saw_bass(), arp = square_arp(), pad = wide_pad(), lead = saw_lead();

    for (int bar = 0; bar < grid.bars; ++bar) {
        const Chord c = chord_of(bar);
        const bool breakdown = within(bar, 16, 19);
        // Drums.
        for (int beat = 0; beat < 4; ++beat) {
            if (!breakdown) kick(mix, grid.at(bar, beat), 1.0f);
            if (beat % 2 == 1 && !breakdown) clap(mix, grid.at(bar, beat), 0.8f);
            hat(mix, grid.at(bar, beat + 0.5), breakdown ? 0.4f : 0.75f);
            if (!breakdown) {
                hat(mix, grid.at(bar, beat + 0.25), 0.25f);
                hat(mix, grid.at(bar, beat + 0.75), 0.3f);
            }
        }
        if (bar % 2 == 1 && !breakdown) hat(mix, grid.at(bar, 3.5), 0.5f, true);
        if (bar == 23 || bar == 47) snare_roll(mix, grid, bar);
        // Bass: root on the beat, octave on the off-beat, a fifth to turn the bar.
        const double root = lowest(c, 33);
        static const int bass_steps[8] = {0, 12, 0, 12, 0, 12, 7, 12};
        for (int step = 0; step < 8; ++step) {
            if (breakdown && step % 2 == 1) continue;
            play(mix, bass,
                 {grid.at(bar, step * 0.5), grid.beat() * 0.42, root + bass_steps[step], step % 2 == 0 ? 1.0f : 0.8f});
        }
        // Arpeggio: the filter opens through each eight-bar section.
        const std::vector<int> notes = arpeggio_notes(c, 64, 8);
        static const int order[16] = {0, 1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1, 2, 3};
        const float brightness = 0.5f + 0.1f * static_cast<float>(bar % 8);
        for (int step = 0; step < 16; ++step)
            play(mix, arp,
                 {grid.at(bar, step * 0.25), grid.beat() * 0.2,
                  static_cast<double>(notes[static_cast<std::size_t>(order[step])]), step % 4 == 0 ? 1.0f : 0.7f,
                  brightness});
        if (bar >= 8)
            for (int n : close_voicing(c, 59))
                play(mix, pad, {grid.at(bar, 0), grid.bar() * 0.98, static_cast<double>(n), 0.9f});
    }

    // Lead: the hook twice, a variation, the bridge line, then the hook to close.
    for (int bar : {8, 12, 40, 44}) perform_written(mix, lead, grid, bar, hook, 0.9f);
    const std::vector<int> pool = scale_notes(52, scale::minor, 62, 83);
    const std::vector<Step> rhythm = {{0, 0.75}, {0.75, 0.75}, {1.5, 1}, {2.5, 0.5}, {3, 1},
                                      {4, 0.5},  {4.5, 0.5},   {5, 1},   {6, 2}};
    for (int first : {24, 28, 32, 34, 36, 38}) {
        auto chord_at = [&](double beat) { return chord_of(first + static_cast<int>(beat / 4.0)); };
        const std::vector<int> line = compose_line(rng, rhythm, chord_at, pool, 76, 64, 83);
        perform(mix, lead, grid, grid.at(first, 0), rhythm, line, 0.85f, rng);
        if (first < 32) perform(mix, lead, grid, grid.at(first + 2, 0), rhythm, line, 0.8f, rng);
    }
}

namespace {

Patch acid_bass() {
    Patch p;
    p.wave = Wave::saw;
    p.amp = {0.002f, 0.1f, 0.8f, 0.03f};
    p.cutoff_hz = 250.0f;
    p.cutoff_env_hz = 2200.0f;
    p.filter_env = {0.001f, 0.15f, 0.0f, 0.05f};
    p.resonance = 0.82f;
    p.gain = 0.15f;
    return p;
}

Patch stab() {
    Patch p;
    p.wave = Wave::saw;
    p.unison = 3;
    p.detune = 12.0f;
    p.width = 0.6f;
    p.amp = {0.002f, 0.15f, 0.0f, 0.1f};
    p.cutoff_hz = 1200.0f;
    p.cutoff_env_hz = 2500.0f;
    p.filter_env = {0.001f, 0.12f, 0.0f, 0.1f};
    p.gain = 0.05f;
    p.send = {0.35f, 0.3f};
    return p;
}

// One bar of sixteenths: which steps play, an octave jump, and accents.
struct AcidStep {
    bool on;
    int interval;
    bool accent;
};

std::vector<AcidStep> acid_pattern(Rng& rng) {
    std::vector<AcidStep> steps(16);
    for (int i = 0; i < 16; ++i) {
        static const int intervals[6] = {0, 0, 0, 12, 7, 10};
        steps[static_cast<std::size_t>(i)] = {i == 0 || rng.chance(0.7), intervals[rng.below(6)],
                                              i % 4 == 0 || rng.chance(0.2)};
    }
    return steps;
}

}  // namespace

// 146 bpm, 48 bars in C minor: broken beats, a resonant sixteenth bass that
// sweeps open and shut, off-beat stabs and a square lead.
void compose_mirror_maze(Mix& mix, const Grid& grid, Rng& rng) {
    static const std::vector<Chord> first = {chord(48, shape::minor), chord(44, shape::major), chord(51, shape::major),
                                             chord(46, shape::major)};
    static const std::vector<Chord> second = {chord(41, shape::minor), chord(44, shape::major), chord(46, shape::major),
                                              chord(43, shape::major)};
    auto chord_of = [&](int bar) {
        const auto& progression = (bar / 8) % 2 == 0 ? first : second;
        return progression[static_cast<std::size_t>(bar) % progression.size()];
    };
    const std::vector<AcidStep> pattern_a = acid_pattern(rng), pattern_b = acid_pattern(rng);
    const Patch bass = acid_bass(), stabs = stab(), pad = wide_pad();
    Patch arp = square_arp();
    arp.pan = -0.35f;
    Patch lead = saw_lead();
    lead.wave = Wave::square;
    lead.second_level = 0.0f;
    lead.vibrato_cents = 20.0f;
    lead.vibrato_hz = 6.0f;

    for (int bar = 0; bar < grid.bars; ++bar) {
        const Chord c = chord_of(bar);
        const bool sparse = within(bar, 0, 3) || within(bar, 24, 27);
        // Broken beat: kick on 1, the and of 2 and just before 4; snares on 2 and 4.
        for (double beat : {0.0, 1.5, 2.75}) kick(mix, grid.at(bar, beat), beat == 0.0 ? 1.0f : 0.8f, 55.0f);
        if (!sparse) {
            snare(mix, grid.at(bar, 1), 0.9f);
            snare(mix, grid.at(bar, 3), 0.9f);
            snare(mix, grid.at(bar, 3.75), 0.25f);
        }
        for (int step = 0; step < 16; ++step) hat(mix, grid.at(bar, step * 0.25), step % 2 == 1 ? 0.6f : 0.3f);
        if (bar % 8 == 7) snare_roll(mix, grid, bar);
        // The bass filter sweeps over sixteen bars, three full cycles per loop.
        const double sweep = 0.5 + 0.5 * std::sin(two_pi * bar / 16.0);
        const auto& pattern = bar % 2 == 0 ? pattern_a : pattern_b;
        const double root = lowest(c, 36);
        for (int step = 0; step < 16; ++step) {
            const AcidStep& s = pattern[static_cast<std::size_t>(step)];
            if (!s.on) continue;
            const float brightness = static_cast<float>(0.5 + 1.1 * sweep) * (s.accent ? 1.4f : 1.0f);
            play(
                mix, bass,
                {grid.at(bar, step * 0.25), grid.beat() * 0.22, root + s.interval, s.accent ? 1.0f : 0.7f, brightness});
        }
        if (!sparse)
            for (double beat : {0.75, 2.5})
                for (int n : close_voicing(c, 60))
                    play(mix, stabs, {grid.at(bar, beat), grid.beat() * 0.3, static_cast<double>(n), 0.9f});
        if (within(bar, 8, 23) || within(bar, 40, 47))
            for (int n : close_voicing(c, 55))
                play(mix, pad, {grid.at(bar, 0), grid.bar() * 0.98, static_cast<double>(n), 0.8f});
        if (within(bar, 16, 31) || within(bar, 40, 47)) {
            const std::vector<int> notes = arpeggio_notes(c, 67, 6);
            for (int step = 0; step < 16; ++step)
                play(mix, arp,
                     {grid.at(bar, step * 0.25), grid.beat() * 0.18,
                      static_cast<double>(notes[static_cast<std::size_t>((step * 5) % 6)]), 0.8f});
        }
    }

    // Lead over bars 28-39: a two-bar idea, its repeat, an answer, the idea again.
    const std::vector<int> pool = scale_notes(48, scale::minor, 63, 82);
    const std::vector<Step> rhythm = {{0, 0.5},     {0.75, 0.75}, {1.5, 0.5}, {2, 1.5}, {4, 0.75},
                                      {4.75, 0.75}, {5.5, 0.5},   {6, 1},     {7, 1}};
    std::vector<std::vector<int>> lines;
    for (int k = 0; k < 2; ++k) {
        const int start = 28 + 2 * k;
        auto chord_at = [&](double beat) { return chord_of(start + static_cast<int>(beat / 4.0)); };
        lines.push_back(compose_line(rng, rhythm, chord_at, pool, 72, 63, 82));
    }
    static const int order[6] = {0, 0, 1, 0, 1, 1};
    for (int k = 0; k < 6; ++k)
        perform(mix, lead, grid, grid.at(28 + 2 * k, 0), rhythm, lines[static_cast<std::size_t>(order[k])], 0.85f, rng);
}

namespace {

Patch funk_bass() {
    Patch p;
    p.wave = Wave::square;
    p.second_wave = Wave::sine;
    p.second_level = 0.6f;
    p.second_interval = -12.0f;
    p.amp = {0.003f, 0.15f, 0.6f, 0.05f};
    p.cutoff_hz = 600.0f;
    p.cutoff_env_hz = 1800.0f;
    p.filter_env = {0.002f, 0.1f, 0.0f, 0.05f};
    p.resonance = 0.25f;
    p.gain = 0.15f;
    return p;
}

Patch brass() {
    Patch p;
    p.wave = Wave::saw;
    p.unison = 4;
    p.detune = 12.0f;
    p.width = 0.7f;
    p.amp = {0.02f, 0.25f, 0.5f, 0.15f};
    p.cutoff_hz = 900.0f;
    p.cutoff_env_hz = 2000.0f;
    p.filter_env = {0.03f, 0.25f, 0.3f, 0.2f};
    p.gain = 0.05f;
    p.send = {0.1f, 0.3f};
    return p;
}

Patch electric_piano() {
    Patch p;
    p.fm_ratio = 1.0f;
    p.fm_index = 1.5f;
    p.fm_decay = 0.3f;
    p.amp = {0.003f, 1.5f, 0.2f, 0.4f};
    p.gain = 0.06f;
    p.pan = -0.2f;
    p.send = {0.2f, 0.35f};
    return p;
}

}  // namespace

// 100 bpm, 40 bars in D dorian: a half-time groove with swung hats, a funk
// bass, brass stabs, an electric-piano break and a pentatonic lead.
void compose_switchback(Mix& mix, const Grid& grid, Rng& rng) {
    static const std::vector<Chord> chords = {
        chord(50, shape::min7), chord(43, {0, 4, 7, 10, 14}), chord(50, shape::min7), chord(43, {0, 4, 7, 10, 14}),
        chord(46, shape::maj7), chord(48, shape::major),      chord(50, shape::min7), chord(45, shape::dom7sus4)};
    auto chord_of = [&](int bar) { return chords[static_cast<std::size_t>(bar) % chords.size()]; };
    // Bass figure in beats and semitones above the root.
    static const std::vector<Written> bass_figure = {{0, 0.5, 0},      {0.75, 0.25, 12}, {1.5, 0.25, 0}, {2, 0.5, 10},
                                                     {2.75, 0.25, 12}, {3, 0.5, 7},      {3.5, 0.25, 5}};
    const Patch bass = funk_bass(), horns = brass(), keys = electric_piano();
    Patch lead = saw_lead();
    lead.wave = Wave::triangle;
    lead.second_wave = Wave::saw;
    lead.second_level = 0.35f;
    lead.second_interval = 0.0f;
    lead.pan = 0.15f;

    for (int bar = 0; bar < grid.bars; ++bar) {
        const Chord c = chord_of(bar);
        const bool breakdown = within(bar, 16, 23);
        if (!breakdown || bar >= 20) {
            for (double beat : {0.0, 0.75, 2.5}) kick(mix, grid.at(bar, beat), beat == 0.0 ? 1.0f : 0.75f, 48.0f);
            snare(mix, grid.at(bar, 2), 1.0f);
            if (bar % 2 == 1) snare(mix, grid.at(bar, 3.75), 0.3f);
        }
        // Swung sixteenths: every second one comes late.
        for (int step = 0; step < 16; ++step) {
            const double swing = step % 2 == 1 ? 0.06 : 0.0;
            hat(mix, grid.at(bar, step * 0.25 + swing), step % 4 == 2 ? 0.6f : (step % 2 == 0 ? 0.4f : 0.22f),
                step == 14 && bar % 4 == 3);
        }
        for (int step = 0; step < 8; ++step) shaker(mix, grid.at(bar, step * 0.5), 0.35f);
        if (bar == 39) {
            tom(mix, grid.at(bar, 3.0), 0.8f, 140.0f);
            tom(mix, grid.at(bar, 3.5), 0.8f, 100.0f);
        }
        const int root = static_cast<int>(lowest(c, 33));
        for (const Written& w : bass_figure) {
            // Now and then a ghost note is dropped so the figure does not feel looped.
            if (w.beat > 0.0 && rng.chance(0.12)) continue;
            play(mix, bass,
                 {grid.at(bar, w.beat), w.length * grid.beat() * 0.9, static_cast<double>(root + w.pitch),
                  w.beat == 0.0 ? 1.0f : 0.8f});
        }
        if (breakdown) {
            for (double beat : {0.0, 1.5, 2.5})
                for (int n : close_voicing(c, 57))
                    play(mix, keys, {grid.at(bar, beat), grid.beat() * 0.9, static_cast<double>(n), 0.85f});
        } else if (bar >= 4) {
            for (double beat : {1.5, 3.5})
                for (int n : close_voicing(c, 62))
                    play(mix, horns, {grid.at(bar, beat), grid.beat() * 0.35, static_cast<double>(n), 0.9f});
        }
    }

    const std::vector<int> pool = scale_notes(50, scale::minor_pentatonic, 62, 86);
    const std::vector<Step> rhythm = {{0, 0.5}, {0.5, 0.5}, {1, 0.75},  {1.75, 1.25}, {3.5, 0.5},
                                      {4, 1},   {5, 0.5},   {5.5, 0.5}, {6, 2}};
    for (int section : {8, 24, 32}) {
        std::vector<std::vector<int>> lines;
        for (int k = 0; k < 2; ++k) {
            const int first = section + 2 * k;
            auto chord_at = [&](double beat) { return chord_of(first + static_cast<int>(beat / 4.0)); };
            lines.push_back(compose_line(rng, rhythm, chord_at, pool, 74, 62, 86));
        }
        for (int k = 0; k < 4; ++k)
            perform(mix, lead, grid, grid.at(section + 2 * k, 0), rhythm,
                    lines[static_cast<std::size_t>(k == 2 ? 0 : k % 2)], 0.9f, rng);
    }
}

}  // namespace music
