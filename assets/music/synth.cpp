#include "synth.hpp"

#include <algorithm>
#include <cmath>

namespace music {

std::uint32_t Rng::next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
}

float Rng::noise() { return static_cast<float>(next() >> 8) * (2.0f / 16777216.0f) - 1.0f; }

double Rng::unit() { return static_cast<double>(next() >> 8) / 16777216.0; }

int Rng::below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

double note_hz(double note) { return 440.0 * std::exp2((note - 69.0) / 12.0); }

float db_gain(float db) { return std::pow(10.0f, db / 20.0f); }

namespace {

// Correction that rounds off the step of a saw or square at phase 0; dt = cycles per sample.
double poly_blep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

float Oscillator::step(Wave wave, double hz, double sample_rate) {
    const double dt = std::min(hz / sample_rate, 0.5);
    const double t = phase_;
    double value = 0.0;
    switch (wave) {
        case Wave::sine: value = std::sin(two_pi * t); break;
        case Wave::triangle: value = 4.0 * std::abs(t - 0.5) - 1.0; break;
        case Wave::saw: value = 2.0 * t - 1.0 - poly_blep(t, dt); break;
        case Wave::square: {
            const double half = t + 0.5 < 1.0 ? t + 0.5 : t - 0.5;
            value = (t < 0.5 ? 1.0 : -1.0) + poly_blep(t, dt) - poly_blep(half, dt);
            break;
        }
    }
    phase_ += dt;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return static_cast<float>(value);
}

float envelope(const Adsr& env, double t, double gate) {
    const double attack = std::max(0.002, static_cast<double>(env.attack));
    const double decay = std::max(0.001, static_cast<double>(env.decay));
    // Attack rises linearly, decay falls exponentially towards the sustain level.
    auto held = [&](double x) {
        if (x < attack) return x / attack;
        return env.sustain + (1.0 - env.sustain) * std::exp(-(x - attack) / (decay / 4.0));
    };
    if (t < 0.0) return 0.0f;
    if (t < gate) return static_cast<float>(held(t));
    const double release = std::max(0.005, static_cast<double>(env.release));
    const double u = (t - gate) / release;
    if (u >= 1.0) return 0.0f;
    // Squared fall: fast at first like an exponential, yet exactly zero at the end.
    return static_cast<float>(held(gate) * (1.0 - u) * (1.0 - u));
}

Svf::Out Svf::step(float in, double cutoff_hz, float resonance, double sample_rate) {
    const double cutoff = std::clamp(cutoff_hz, 10.0, sample_rate * 0.45);
    // tan() is the costly part; recompute only when the cutoff moves noticeably.
    if (std::abs(cutoff - cached_cutoff_) > cached_cutoff_ * 0.002) {
        cached_cutoff_ = cutoff;
        g_ = std::tan(pi * cutoff / sample_rate);
    }
    const float g = static_cast<float>(g_);
    const float k = 2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.97f);
    const float a1 = 1.0f / (1.0f + g * (g + k));
    const float a2 = g * a1;
    const float a3 = g * a2;
    const float v3 = in - ic2_;
    const float v1 = a1 * ic1_ + a2 * v3;
    const float v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    return {v2, v1, in - k * v1 - v2};
}

void OnePole::set(double cutoff_hz, double sample_rate) {
    coeff_ = static_cast<float>(1.0 - std::exp(-two_pi * cutoff_hz / sample_rate));
}

}  // namespace music
