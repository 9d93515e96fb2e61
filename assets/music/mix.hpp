// The mixing desk of one track: buses that wrap around the loop, the delay and
// reverb returns, side-chain pumping and the master stage.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace music {

// Stereo samples of exactly one loop. Writing past the end wraps to the start,
// so note and echo tails that run over the loop point sound at its beginning.
class StereoLoop {
public:
    explicit StereoLoop(std::size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {}
    std::size_t frames() const { return left.size(); }
    void add(std::int64_t frame, float l, float r) {
        const auto n = static_cast<std::int64_t>(left.size());
        std::int64_t i = frame % n;
        if (i < 0) i += n;
        left[static_cast<std::size_t>(i)] += l;
        right[static_cast<std::size_t>(i)] += r;
    }

    std::vector<float> left, right;
};

// How much of a voice also feeds the echo and the room (0 .. 1 each).
struct Send {
    float delay = 0.0f;
    float reverb = 0.0f;
};

// Per-track settings of the shared effects.
struct Effects {
    double delay_seconds = 0.375;
    float delay_feedback = 0.35f;   // 0 .. 0.9, per repeat
    float delay_tone_hz = 3500.0f;  // each repeat is darker than the last
    float reverb_size = 0.8f;       // comb feedback 0 .. 0.95: longer tails
    float reverb_damping_hz = 5000.0f;
    float reverb_level = 0.35f;
    double reverb_predelay = 0.02;  // seconds
    float pump_depth = 0.0f;        // 0 .. 1 gain dip of the pumped bus on every beat
    double pump_period = 0.5;       // seconds, one beat
};

struct Mix {
    Mix(std::size_t frames, double rate)
        : sample_rate(rate), dry(frames), pumped(frames), delay_send(frames), reverb_send(frames) {}

    // Adds one stereo sample at `frame` to the dry or pumped bus and to the sends.
    void add(std::int64_t frame, float l, float r, Send send, bool pump) {
        (pump ? pumped : dry).add(frame, l, r);
        if (send.delay > 0.0f) delay_send.add(frame, l * send.delay, r * send.delay);
        if (send.reverb > 0.0f) reverb_send.add(frame, l * send.reverb, r * send.reverb);
    }
    std::int64_t frame_at(double seconds) const;

    double sample_rate;
    StereoLoop dry, pumped, delay_send, reverb_send;
};

// Left and right gains of an equal-power pan, -1 (left) .. 1 (right).
struct PanGains {
    float left, right;
};
PanGains pan_gains(float pan);

// Runs the effects and sums the buses into one interleaved stereo loop. The
// echo and the room run twice round the loop and only the second pass is kept,
// so their tails at the start are the tails of the loop's own end.
std::vector<float> master(Mix& mix, const Effects& fx);

// Scales interleaved samples so the largest magnitude is `peak` (linear, > 0).
void normalise(std::vector<float>& samples, float peak);

}  // namespace music
