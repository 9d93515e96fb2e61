// Checks of the music generator's building blocks: the properties that keep
// the tracks free of clicks, in tune and seamless round the loop.
#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "assets/music/mix.hpp"
#include "assets/music/score.hpp"

using namespace music;

namespace {

constexpr double rate = 44100.0;

}  // namespace

// A note must rise from silence and fall back to exactly zero, and never jump
// by more than a tiny step, whatever its shape and however short it is held.
TEST(MusicSynth, EnvelopesStartAndEndSilentWithoutJumps) {
    const Adsr pluck{0.002f, 0.15f, 0.0f, 0.08f};
    const Adsr pad{1.4f, 1.0f, 0.85f, 2.4f};
    const Adsr organ{0.01f, 0.1f, 1.0f, 0.005f};
    for (const Adsr& env : {pluck, pad, organ}) {
        for (double gate : {0.001, 0.05, 0.5, 3.0}) {
            SCOPED_TRACE(testing::Message() << "attack " << env.attack << " gate " << gate);
            EXPECT_EQ(envelope(env, 0.0, gate), 0.0f);
            const double end = gate + std::max(0.005f, env.release);
            EXPECT_LT(envelope(env, end, gate), 1e-6f);
            EXPECT_EQ(envelope(env, end + 1.0 / rate, gate), 0.0f);
            float last = 0.0f, largest_step = 0.0f, top = 0.0f;
            for (double t = 0.0; t < gate + env.release + 0.01; t += 1.0 / rate) {
                const float level = envelope(env, t, gate);
                largest_step = std::max(largest_step, std::abs(level - last));
                top = std::max(top, level);
                last = level;
            }
            EXPECT_LE(top, 1.0f);
            EXPECT_LT(largest_step, 0.015f);
        }
    }
}

// Every waveform stays in range and sounds at the pitch asked for.
TEST(MusicSynth, OscillatorsStayInRangeAtTheirPitch) {
    EXPECT_NEAR(note_hz(69.0), 440.0, 1e-9);
    EXPECT_NEAR(note_hz(57.0), 220.0, 1e-9);
    for (Wave wave : {Wave::sine, Wave::triangle, Wave::saw, Wave::square}) {
        SCOPED_TRACE(static_cast<int>(wave));
        Oscillator osc(0.1);
        float previous = osc.step(wave, 440.0, rate), largest = 0.0f;
        int rising = 0;
        for (int i = 1; i < static_cast<int>(rate); ++i) {
            const float s = osc.step(wave, 440.0, rate);
            largest = std::max(largest, std::abs(s));
            if (previous < 0.0f && s >= 0.0f) ++rising;
            previous = s;
        }
        EXPECT_LE(largest, 1.05f);
        EXPECT_GT(largest, 0.9f);
        EXPECT_NEAR(rising, 440, 2);
    }
}

// The low-pass keeps what lies below its cutoff and removes what lies well above.
TEST(MusicSynth, LowPassFilterPassesLowsAndCutsHighs) {
    auto amplitude_after = [](double hz) {
        Svf filter;
        Oscillator tone;
        float largest = 0.0f;
        for (int i = 0; i < static_cast<int>(rate); ++i) {
            const float out = filter.step(tone.step(Wave::sine, hz, rate), 500.0, 0.0f, rate).low;
            if (i > static_cast<int>(rate) / 2) largest = std::max(largest, std::abs(out));
        }
        return largest;
    };
    EXPECT_GT(amplitude_after(100.0), 0.9f);
    EXPECT_LT(amplitude_after(8000.0), 0.01f);
}

// Anything written past either end of the loop lands at the other end.
TEST(MusicMix, LoopBusWrapsBothWays) {
    StereoLoop loop(1000);
    loop.add(1005, 1.0f, 2.0f);
    loop.add(-1, 3.0f, 4.0f);
    EXPECT_EQ(loop.left[5], 1.0f);
    EXPECT_EQ(loop.right[5], 2.0f);
    EXPECT_EQ(loop.left[999], 3.0f);
    EXPECT_EQ(loop.right[999], 4.0f);
}

// A hit just before the loop point echoes and rings on at the loop's start,
// and the mastered loop joins end to start as smoothly as anywhere inside it.
TEST(MusicMix, EchoAndRoomTailsWrapRoundTheLoop) {
    const std::size_t frames = static_cast<std::size_t>(rate);  // one-second loop
    Mix mix(frames, rate);
    const Patch pluck = [] {
        Patch p;
        p.amp = {0.002f, 0.05f, 0.0f, 0.05f};
        p.send = {0.8f, 0.8f};
        return p;
    }();
    play(mix, pluck, {0.9, 0.05, 60.0, 1.0f});
    Effects fx;
    fx.delay_seconds = 0.25;
    std::vector<float> out = master(mix, fx);
    ASSERT_EQ(out.size(), frames * 2);

    float start_level = 0.0f, largest_step = 0.0f;
    for (std::size_t i = 0; i < frames * 3 / 10; ++i) start_level = std::max(start_level, std::abs(out[2 * i]));
    for (std::size_t i = 2; i < out.size(); ++i) largest_step = std::max(largest_step, std::abs(out[i] - out[i - 2]));
    EXPECT_GT(start_level, 0.05f) << "tails of the hit should sound at the start";
    for (std::size_t channel = 0; channel < 2; ++channel)
        EXPECT_LE(std::abs(out[channel] - out[out.size() - 2 + channel]), largest_step);
}

// Melodies keep to their range, put chord tones on the beat and come out the
// same for the same seed.
TEST(MusicScore, ComposedLinesStayInRangeAndRepeatPerSeed) {
    const Chord a_minor = chord(57, shape::minor);
    const std::vector<int> pool = scale_notes(57, scale::minor, 60, 79);
    const std::vector<Step> rhythm = {{0, 1},       {1, 0.5}, {1.5, 0.5}, {2, 1},    {3, 0.25},
                                      {3.25, 0.75}, {4, 2},   {6, 0.5},   {6.5, 1.5}};
    auto chord_at = [&](double) { return a_minor; };
    for (std::uint32_t seed : {1u, 99u, 0xc12c7u}) {
        Rng first(seed), second(seed);
        const std::vector<int> line = compose_line(first, rhythm, chord_at, pool, 72, 60, 79);
        EXPECT_EQ(line, compose_line(second, rhythm, chord_at, pool, 72, 60, 79));
        ASSERT_EQ(line.size(), rhythm.size());
        for (std::size_t i = 0; i < line.size(); ++i) {
            EXPECT_GE(line[i], 60);
            EXPECT_LE(line[i], 79);
            if (std::fmod(rhythm[i].beat, 1.0) == 0.0) {
                EXPECT_TRUE(line[i] % 12 == 9 || line[i] % 12 == 0 || line[i] % 12 == 4) << line[i];
            }
        }
    }
    const std::vector<int> arpeggio = arpeggio_notes(chord(52, shape::min7), 64, 8);
    EXPECT_TRUE(std::is_sorted(arpeggio.begin(), arpeggio.end()));
    EXPECT_EQ(arpeggio.front(), 64);
    EXPECT_EQ(arpeggio[4], 76);
}
