// Checks the generated soundtrack in the game folder: it decodes, has the
// right length and headroom, is never silent, and every track loops cleanly.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <SFML/Audio/InputSoundFile.hpp>
#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

struct Decoded {
    unsigned channels = 0;
    unsigned rate = 0;
    std::vector<sf::Int16> samples;  // interleaved
    double seconds() const { return static_cast<double>(samples.size()) / channels / rate; }
    std::size_t frames() const { return samples.size() / channels; }
    int at(std::size_t frame, unsigned channel) const { return samples[frame * channels + channel]; }
};

Decoded decode(const fs::path& path) {
    Decoded out;
    sf::InputSoundFile file;
    if (!file.openFromFile(path.string())) return out;
    out.channels = file.getChannelCount();
    out.rate = file.getSampleRate();
    out.samples.resize(static_cast<std::size_t>(file.getSampleCount()));
    out.samples.resize(static_cast<std::size_t>(file.read(out.samples.data(), out.samples.size())));
    return out;
}

std::vector<fs::path> tracks_in(const std::string& folder) {
    std::vector<fs::path> tracks;
    const fs::path dir = fs::path(VANTOREL_GAME_DIR) / "Music" / folder;
    if (fs::is_directory(dir))
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".ogg") tracks.push_back(entry.path());
    std::sort(tracks.begin(), tracks.end());
    return tracks;
}

std::vector<fs::path> all_tracks() {
    std::vector<fs::path> tracks = tracks_in("Title");
    for (const fs::path& p : tracks_in("Game")) tracks.push_back(p);
    return tracks;
}

// RMS of one channel over frames [first, first + count), in dBFS.
double rms_db(const Decoded& d, std::size_t first, std::size_t count, unsigned channel) {
    double sum = 0.0;
    for (std::size_t i = first; i < first + count; ++i) sum += std::pow(d.at(i, channel) / 32768.0, 2);
    return 10.0 * std::log10(std::max(sum / static_cast<double>(count), 1e-12));
}

}  // namespace

TEST(Music, TitleHasTwoTracksAndGameAtLeastThree) {
    EXPECT_EQ(tracks_in("Title").size(), 2u);
    EXPECT_GE(tracks_in("Game").size(), 3u);
}

TEST(Music, EveryTrackDecodesWithLengthAndHeadroom) {
    const int ceiling = static_cast<int>(32768.0 * std::pow(10.0, -1.0 / 20.0));  // -1 dBFS
    for (const fs::path& path : all_tracks()) {
        SCOPED_TRACE(path.string());
        const Decoded d = decode(path);
        ASSERT_GT(d.channels, 0u) << "does not decode";
        EXPECT_GE(d.seconds(), 60.0);
        EXPECT_LE(d.seconds(), 120.0);
        int peak = 0;
        for (sf::Int16 s : d.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_LE(peak, ceiling);
    }
}

// Music throughout: no five-second stretch of any channel falls below -45 dBFS,
// which also catches a track that is silent or drops out part-way.
TEST(Music, NoTrackIsSilentAnywhere) {
    for (const fs::path& path : all_tracks()) {
        SCOPED_TRACE(path.string());
        const Decoded d = decode(path);
        ASSERT_GT(d.channels, 0u);
        const std::size_t window = 5 * d.rate;
        for (std::size_t first = 0; first + window <= d.frames(); first += window)
            for (unsigned c = 0; c < d.channels; ++c)
                EXPECT_GT(rms_db(d, first, window, c), -45.0) << "at " << first / d.rate << " s";
    }
}

// Looped playback goes from the last sample straight to the first. The step
// across that seam must look like the steps around it (no click), and the
// level over the last two seconds must match the first two (no fade at either end).
TEST(Music, EveryTrackLoopsWithoutAClick) {
    for (const fs::path& path : all_tracks()) {
        SCOPED_TRACE(path.string());
        const Decoded d = decode(path);
        ASSERT_GT(d.frames(), 2u * d.rate);
        const std::size_t n = d.frames();
        for (unsigned c = 0; c < d.channels; ++c) {
            int neighbours = 0;
            for (std::size_t i = 0; i + 1 < 32; ++i) {
                neighbours = std::max(neighbours, std::abs(d.at(i + 1, c) - d.at(i, c)));
                neighbours = std::max(neighbours, std::abs(d.at(n - 1 - i, c) - d.at(n - 2 - i, c)));
            }
            const int seam = std::abs(d.at(0, c) - d.at(n - 1, c));
            EXPECT_LE(seam, std::max(neighbours * 3 / 2, 328)) << "channel " << c << " neighbours " << neighbours;
            const std::size_t two_seconds = 2 * d.rate;
            EXPECT_NEAR(rms_db(d, n - two_seconds, two_seconds, c), rms_db(d, 0, two_seconds, c), 6.0)
                << "channel " << c;
        }
    }
}
