#include "mix.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "synth.hpp"

namespace music {

std::int64_t Mix::frame_at(double seconds) const {
    return static_cast<std::int64_t>(std::llround(seconds * sample_rate));
}

PanGains pan_gains(float pan) {
    const double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * pi / 4.0;
    return {static_cast<float>(std::cos(angle)), static_cast<float>(std::sin(angle))};
}

namespace {

// A circular delay line of a fixed length in samples.
class DelayLine {
public:
    explicit DelayLine(std::size_t length) : buffer_(std::max<std::size_t>(length, 1), 0.0f) {}
    float read() const { return buffer_[pos_]; }
    void write_and_advance(float value) {
        buffer_[pos_] = value;
        if (++pos_ == buffer_.size()) pos_ = 0;
    }

private:
    std::vector<float> buffer_;
    std::size_t pos_ = 0;
};

// Feedback comb with a damped loop: the body of the room.
class Comb {
public:
    Comb(std::size_t length, double damping_hz, double rate) : line_(length) { damp_.set(damping_hz, rate); }
    float step(float in, float feedback) {
        const float out = line_.read();
        line_.write_and_advance(in + damp_.low(out) * feedback);
        return out;
    }

private:
    DelayLine line_;
    OnePole damp_;
};

// Schroeder all-pass: thickens the echo density without colouring it.
class AllPass {
public:
    explicit AllPass(std::size_t length) : line_(length) {}
    float step(float in) {
        const float delayed = line_.read();
        const float fed = in + delayed * 0.5f;
        line_.write_and_advance(fed);
        return delayed - fed * 0.5f;
    }

private:
    DelayLine line_;
};

// One channel of the room: parallel combs into a chain of all-passes.
class RoomChannel {
public:
    RoomChannel(double offset_ms, const Effects& fx, double rate) : feedback_(fx.reverb_size) {
        static constexpr std::array<double, 8> comb_ms{25.3, 26.9, 28.9, 30.7, 32.2, 33.8, 35.3, 36.7};
        static constexpr std::array<double, 4> allpass_ms{12.6, 10.0, 7.7, 5.1};
        const double scale = 1.0 + fx.reverb_size;  // bigger rooms get longer loops
        for (double ms : comb_ms)
            combs_.emplace_back(samples(ms * scale + offset_ms, rate), fx.reverb_damping_hz, rate);
        for (double ms : allpass_ms) passes_.emplace_back(samples(ms + offset_ms * 0.5, rate));
    }
    float step(float in) {
        float sum = 0.0f;
        for (Comb& comb : combs_) sum += comb.step(in, feedback_);
        sum *= 1.0f / static_cast<float>(combs_.size());
        for (AllPass& pass : passes_) sum = pass.step(sum);
        return sum;
    }

private:
    static std::size_t samples(double ms, double rate) { return static_cast<std::size_t>(ms * rate / 1000.0); }
    float feedback_;
    std::vector<Comb> combs_;
    std::vector<AllPass> passes_;
};

// Ping-pong echo: the send enters on the left, each repeat crosses sides.
void run_delay(const StereoLoop& send, StereoLoop& out, const Effects& fx, double rate) {
    const auto length = static_cast<std::size_t>(std::llround(fx.delay_seconds * rate));
    DelayLine left(length), right(length);
    OnePole tone_l, tone_r;
    tone_l.set(fx.delay_tone_hz, rate);
    tone_r.set(fx.delay_tone_hz, rate);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < send.frames(); ++i) {
            const float yl = left.read();
            const float yr = right.read();
            const float mono = 0.5f * (send.left[i] + send.right[i]);
            left.write_and_advance(mono + tone_r.low(yr) * fx.delay_feedback);
            right.write_and_advance(tone_l.low(yl) * fx.delay_feedback);
            if (pass == 1) {
                out.left[i] = yl;
                out.right[i] = yr;
            }
        }
    }
}

void run_reverb(const StereoLoop& send, StereoLoop& out, const Effects& fx, double rate) {
    RoomChannel room_l(0.0, fx, rate), room_r(0.83, fx, rate);
    DelayLine predelay(static_cast<std::size_t>(fx.reverb_predelay * rate));
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < send.frames(); ++i) {
            const float in = predelay.read();
            predelay.write_and_advance(0.5f * (send.left[i] + send.right[i]));
            const float l = room_l.step(in);
            const float r = room_r.step(in);
            if (pass == 1) {
                out.left[i] = l * fx.reverb_level;
                out.right[i] = r * fx.reverb_level;
            }
        }
    }
}

// Gain of the pumped bus at `t` seconds: a 6 ms dip on each beat, then a smooth recovery.
float pump_gain(double t, const Effects& fx) {
    if (fx.pump_depth <= 0.0f) return 1.0f;
    const double x = std::fmod(t, fx.pump_period);
    constexpr double dip = 0.006;
    const double duck = x < dip ? x / dip : std::exp(-(x - dip) / (fx.pump_period * 0.22));
    return static_cast<float>(1.0 - fx.pump_depth * duck);
}

// Removes any DC offset; runs twice round the loop like the other effects.
void block_dc(std::vector<float>& interleaved) {
    constexpr float r = 0.9995f;  // about 3.5 Hz at 44.1 kHz
    for (int channel = 0; channel < 2; ++channel) {
        float last_in = 0.0f, last_out = 0.0f;
        for (int pass = 0; pass < 2; ++pass) {
            for (std::size_t i = static_cast<std::size_t>(channel); i < interleaved.size(); i += 2) {
                const float out = interleaved[i] - last_in + r * last_out;
                last_in = interleaved[i];
                last_out = out;
                if (pass == 1) interleaved[i] = out;
            }
        }
    }
}

}  // namespace

std::vector<float> master(Mix& mix, const Effects& fx) {
    const std::size_t frames = mix.dry.frames();
    StereoLoop echo(frames), room(frames);
    run_delay(mix.delay_send, echo, fx, mix.sample_rate);
    // Echoes also reach the room, so repeats sit in the same space as the notes.
    for (std::size_t i = 0; i < frames; ++i) {
        mix.reverb_send.left[i] += 0.4f * echo.left[i];
        mix.reverb_send.right[i] += 0.4f * echo.right[i];
    }
    run_reverb(mix.reverb_send, room, fx, mix.sample_rate);

    std::vector<float> out(frames * 2);
    for (std::size_t i = 0; i < frames; ++i) {
        const float pump = pump_gain(static_cast<double>(i) / mix.sample_rate, fx);
        out[2 * i] = mix.dry.left[i] + pump * mix.pumped.left[i] + echo.left[i] + room.left[i];
        out[2 * i + 1] = mix.dry.right[i] + pump * mix.pumped.right[i] + echo.right[i] + room.right[i];
    }
    block_dc(out);
    // Gentle saturation rounds off the drum peaks so the body of the track sits louder.
    normalise(out, 1.0f);
    constexpr float drive = 1.6f;
    const float scale = 1.0f / std::tanh(drive);
    for (float& s : out) s = std::tanh(s * drive) * scale;
    return out;
}

void normalise(std::vector<float>& samples, float peak) {
    float largest = 0.0f;
    for (float s : samples) largest = std::max(largest, std::abs(s));
    if (largest <= 0.0f) return;
    const float gain = peak / largest;
    for (float& s : samples) s *= gain;
}

}  // namespace music
