#include "instruments.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

namespace music {

namespace {

struct UnisonVoice {
    Oscillator main, second;
    double ratio;  // detune as a frequency ratio
    PanGains pan;
};

// Unison voices with fixed, different start phases so chords do not phase-lock.
std::vector<UnisonVoice> unison_voices(const Patch& patch, double pitch) {
    const int count = std::max(1, patch.unison);
    std::vector<UnisonVoice> voices;
    Rng phases(static_cast<std::uint32_t>(pitch * 977.0) + 17u);
    for (int k = 0; k < count; ++k) {
        const double spread = count == 1 ? 0.0 : static_cast<double>(k) / (count - 1) * 2.0 - 1.0;
        const double cents = spread * patch.detune * 0.5;
        const float pan = std::clamp(patch.pan + static_cast<float>(spread) * patch.width, -1.0f, 1.0f);
        voices.push_back(
            {Oscillator(phases.unit()), Oscillator(phases.unit()), std::exp2(cents / 1200.0), pan_gains(pan)});
    }
    return voices;
}

// A seed for the noise of one drum hit, so every hit is the same on every run.
Rng hit_noise(double at, std::uint32_t salt) {
    return Rng(static_cast<std::uint32_t>(at * 44100.0) * 2654435761u + salt);
}

// Renders `seconds` of a mono drum voice given by `sample(t)` at `pan`.
template <typename Sample>
void render_hit(Mix& mix, double at, double seconds, float pan, Send send, Sample sample) {
    const std::int64_t start = mix.frame_at(at);
    const auto frames = static_cast<std::int64_t>(seconds * mix.sample_rate);
    const PanGains gains = pan_gains(pan);
    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / mix.sample_rate;
        // A 1 ms fade-in keeps every hit's first sample at zero.
        const float fade = static_cast<float>(std::min(1.0, t / 0.001));
        const float s = sample(t) * fade;
        mix.add(start + i, s * gains.left, s * gains.right, send, false);
    }
}

}  // namespace

void play(Mix& mix, const Patch& patch, const Note& note) {
    const double rate = mix.sample_rate;
    const std::int64_t start = mix.frame_at(note.start);
    const double seconds = note.length + std::max(0.005f, patch.amp.release);
    const auto frames = static_cast<std::int64_t>(seconds * rate) + 1;
    std::vector<UnisonVoice> voices = unison_voices(patch, note.pitch);
    Oscillator vibrato;
    Oscillator modulator(0.25);
    Svf filter_l, filter_r;
    const double base_hz = note_hz(note.pitch);
    const double tracked = std::pow(base_hz / 261.63, static_cast<double>(patch.key_track));
    const float level = patch.gain * note.velocity / std::sqrt(static_cast<float>(voices.size()));
    const bool filtered = patch.cutoff_hz < 18000.0f || patch.cutoff_env_hz > 0.0f;

    for (std::int64_t i = 0; i < frames; ++i) {
        const double t = static_cast<double>(i) / rate;
        const float amp = envelope(patch.amp, t, note.length);
        double hz = base_hz;
        if (patch.vibrato_cents > 0.0f) {
            const double fade_in = std::clamp((t - patch.vibrato_delay) / 0.4, 0.0, 1.0);
            hz *= std::exp2(patch.vibrato_cents * fade_in * vibrato.step(Wave::sine, patch.vibrato_hz, rate) / 1200.0);
        }
        float l = 0.0f, r = 0.0f;
        if (patch.fm_ratio > 0.0f) {
            // Two-operator FM: the modulation fades, leaving a purer tone (bells, glass).
            const double depth = patch.fm_index * std::exp(-t / patch.fm_decay);
            const double mod = depth * modulator.step(Wave::sine, hz * patch.fm_ratio, rate);
            for (UnisonVoice& v : voices) {
                const float s = v.main.step(Wave::sine, hz * v.ratio * std::exp2(mod / 12.0), rate);
                l += s * v.pan.left;
                r += s * v.pan.right;
            }
        } else {
            const double second_ratio = std::exp2(patch.second_interval / 12.0);
            for (UnisonVoice& v : voices) {
                float s = v.main.step(patch.wave, hz * v.ratio, rate);
                if (patch.second_level > 0.0f)
                    s += patch.second_level * v.second.step(patch.second_wave, hz * v.ratio * second_ratio, rate);
                l += s * v.pan.left;
                r += s * v.pan.right;
            }
        }
        if (filtered) {
            const double cutoff =
                (patch.cutoff_hz * tracked + patch.cutoff_env_hz * envelope(patch.filter_env, t, note.length)) *
                note.cutoff_scale;
            l = filter_l.step(l, cutoff, patch.resonance, rate).low;
            r = filter_r.step(r, cutoff, patch.resonance, rate).low;
        }
        const float g = amp * level;
        mix.add(start + i, l * g, r * g, patch.send, patch.pump);
    }
}

void kick(Mix& mix, double at, float level, float tune_hz) {
    Oscillator body;
    const double rate = mix.sample_rate;
    // A sine that sweeps down from about three times its resting pitch: the thump.
    render_hit(mix, at, 0.45, 0.0f, {0.0f, 0.03f}, [&](double t) {
        const double hz = tune_hz * (1.0 + 2.2 * std::exp(-t / 0.03));
        const double amp = std::exp(-t / 0.16) * std::min(1.0, (0.45 - t) / 0.05);
        return static_cast<float>(0.9 * level * amp) * body.step(Wave::sine, hz, rate);
    });
}

void snare(Mix& mix, double at, float level) {
    Rng rng = hit_noise(at, 11u);
    Oscillator tone;
    Svf band;
    const double rate = mix.sample_rate;
    render_hit(mix, at, 0.3, 0.05f, {0.0f, 0.18f}, [&](double t) {
        const float rattle = band.step(rng.noise(), 3800.0, 0.3f, rate).band;
        const double noise_amp = std::exp(-t / 0.07);
        const double tone_amp = std::exp(-t / 0.04);
        const double tail = std::min(1.0, (0.3 - t) / 0.04);
        const float s = static_cast<float>(noise_amp) * rattle * 1.3f +
                        static_cast<float>(tone_amp) * 0.5f * tone.step(Wave::sine, 185.0, rate);
        return s * level * 0.55f * static_cast<float>(tail);
    });
}

void clap(Mix& mix, double at, float level) {
    Rng rng = hit_noise(at, 23u);
    Svf band;
    const double rate = mix.sample_rate;
    // Three quick bursts then a short tail, like hands not quite together.
    render_hit(mix, at, 0.25, -0.05f, {0.0f, 0.25f}, [&](double t) {
        const double burst = std::fmod(t, 0.011);
        const double amp = t < 0.033 ? std::exp(-burst / 0.003) : std::exp(-(t - 0.033) / 0.05);
        const double tail = std::min(1.0, (0.25 - t) / 0.03);
        return band.step(rng.noise(), 1400.0, 0.45f, rate).band * static_cast<float>(amp * tail) * level * 0.9f;
    });
}

void hat(Mix& mix, double at, float level, bool open) {
    Rng rng = hit_noise(at, open ? 37u : 41u);
    Svf high;
    const double rate = mix.sample_rate;
    const double decay = open ? 0.12 : 0.025;
    const double seconds = open ? 0.4 : 0.1;
    render_hit(mix, at, seconds, 0.3f, {0.0f, 0.08f}, [&](double t) {
        const double tail = std::min(1.0, (seconds - t) / 0.02);
        return high.step(rng.noise(), 8000.0, 0.2f, rate).high * static_cast<float>(std::exp(-t / decay) * tail) *
               level * 0.22f;
    });
}

void shaker(Mix& mix, double at, float level) {
    Rng rng = hit_noise(at, 53u);
    Svf band;
    const double rate = mix.sample_rate;
    // Swells in and out over 80 ms, a softer cousin of the closed hat.
    render_hit(mix, at, 0.08, -0.35f, {0.0f, 0.2f}, [&](double t) {
        const double amp = std::sin(pi * t / 0.08);
        return band.step(rng.noise(), 6500.0, 0.1f, rate).band * static_cast<float>(amp * amp) * level * 0.3f;
    });
}

void tom(Mix& mix, double at, float level, float pitch_hz) {
    Oscillator body;
    const double rate = mix.sample_rate;
    render_hit(mix, at, 0.5, -0.2f, {0.0f, 0.2f}, [&](double t) {
        const double hz = pitch_hz * (1.0 + 0.6 * std::exp(-t / 0.05));
        const double amp = std::exp(-t / 0.14) * std::min(1.0, (0.5 - t) / 0.05);
        return static_cast<float>(0.6 * level * amp) * body.step(Wave::sine, hz, rate);
    });
}

}  // namespace music
