// Sound sources of the music generator: a seeded noise source, band-limited
// oscillators, envelopes and filters. Everything is deterministic.
#pragma once

#include <cstdint>

namespace music {

constexpr double pi = 3.141592653589793;
constexpr double two_pi = 2.0 * pi;

// Xorshift generator; the same seed always composes and renders the same track.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed != 0 ? seed : 0x9e3779b9u) {}
    std::uint32_t next();
    // Uniform in [-1, 1].
    float noise();
    // Uniform in [0, 1).
    double unit();
    // Uniform in 0 .. n - 1 (n > 0).
    int below(int n);
    bool chance(double probability) { return unit() < probability; }

private:
    std::uint32_t state_;
};

// Frequency in Hz of a MIDI note number (69 = A4 = 440 Hz); fractions detune.
double note_hz(double note);

// Decibels to a linear gain factor.
float db_gain(float db);

enum class Wave { sine, triangle, saw, square };

// One oscillator; saw and square are polyBLEP-corrected so high notes do not alias.
class Oscillator {
public:
    explicit Oscillator(double start_phase = 0.0) : phase_(start_phase) {}
    // Next sample in [-1, 1] at `hz`.
    float step(Wave wave, double hz, double sample_rate);

private:
    double phase_;  // 0 .. 1 of a cycle
};

// Attack, decay and release in seconds; sustain level 0 .. 1.
struct Adsr {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 1.0f;
    float release = 0.05f;
};

// Level 0 .. 1 at `t` seconds into a note held for `gate` seconds. The
// release curve lands on exactly 0 at gate + release, so no note ends in a click.
float envelope(const Adsr& env, double t, double gate);

// Zero-delay-feedback state-variable filter; the cutoff may move every sample.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    // `resonance` 0 .. 0.97; the cutoff is clamped below Nyquist.
    Out step(float in, double cutoff_hz, float resonance, double sample_rate);

private:
    float ic1_ = 0.0f, ic2_ = 0.0f;
    double cached_cutoff_ = -1.0, g_ = 0.0;
};

// One-pole low-pass, used for damping inside feedback loops.
class OnePole {
public:
    void set(double cutoff_hz, double sample_rate);
    float low(float in) {
        state_ += coeff_ * (in - state_);
        return state_;
    }

private:
    float coeff_ = 1.0f, state_ = 0.0f;
};

}  // namespace music
