// Composes the game's music and writes it as looping OGG Vorbis files into
// Music/Title/ and Music/Game/ of the game folder given as the only argument.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>
#include <SFML/Audio/SoundFileFactory.hpp>
#include <SFML/Audio/SoundFileWriter.hpp>

#include "tracks.hpp"

namespace fs = std::filesystem;
using music::Track;

namespace {

constexpr unsigned sample_rate = 44100;
// Tracks aim a little under this ceiling: Vorbis can overshoot the source peak.
constexpr float ceiling_db = -1.0f;

std::vector<sf::Int16> to_pcm(const std::vector<float>& samples, float gain) {
    std::vector<sf::Int16> pcm(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const float s = std::clamp(samples[i] * gain, -1.0f, 1.0f);
        pcm[i] = static_cast<sf::Int16>(std::lround(s * 32767.0f));
    }
    return pcm;
}

bool write_ogg(const fs::path& path, const std::vector<sf::Int16>& pcm) {
    sf::OutputSoundFile file;
    if (!file.openFromFile(path.string(), sample_rate, 2)) return false;
    file.write(pcm.data(), pcm.size());
    return true;
}

// Largest decoded sample magnitude, 0 .. 1; negative when the file cannot be read.
float decoded_peak(const fs::path& path) {
    sf::InputSoundFile file;
    if (!file.openFromFile(path.string())) return -1.0f;
    std::vector<sf::Int16> block(65536);
    int largest = 0;
    while (const sf::Uint64 count = file.read(block.data(), block.size()))
        for (sf::Uint64 i = 0; i < count; ++i) largest = std::max(largest, std::abs(static_cast<int>(block[i])));
    return static_cast<float>(largest) / 32768.0f;
}

// Renders, encodes and checks one track; false on any failure.
bool make_track(const Track& track, const fs::path& game_dir) {
    const auto started = std::chrono::steady_clock::now();
    const auto frames = static_cast<std::size_t>(std::llround(track.grid.length() * sample_rate));
    music::Mix mix(frames, sample_rate);
    music::Rng rng(track.seed);
    track.compose(mix, track.grid, rng);
    music::Effects fx = track.fx;
    fx.pump_period = track.grid.beat();
    std::vector<float> samples = music::master(mix, fx);
    music::normalise(samples, music::db_gain(std::min(track.peak_db, ceiling_db - 0.5f)));

    const fs::path path = game_dir / "Music" / track.folder / track.file;
    float gain = 1.0f;
    float peak = 0.0f;
    // Re-encode a little quieter in the rare case the encoder overshoots the ceiling.
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (!write_ogg(path, to_pcm(samples, gain))) return false;
        peak = decoded_peak(path);
        if (peak < 0.0f) return false;
        if (peak <= music::db_gain(ceiling_db)) break;
        gain *= music::db_gain(ceiling_db - 0.3f) / peak;
    }
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%s/%s: %.1f s, peak %.2f dBFS, made in %.1f s\n", track.folder.c_str(), track.file.c_str(),
                track.grid.length(), 20.0 * std::log10(std::max(peak, 1e-6f)), took);
    return peak <= music::db_gain(ceiling_db);
}

// Empties our two music folders of earlier OGG files, so renamed tracks do not linger.
void prepare_folders(const fs::path& game_dir) {
    for (const char* folder : {"Title", "Game"}) {
        const fs::path dir = game_dir / "Music" / folder;
        fs::create_directories(dir);
        for (const auto& entry : fs::directory_iterator(dir))
            if (entry.path().extension() == ".ogg") fs::remove(entry.path());
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s GAME_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path game_dir = argv[1];
    prepare_folders(game_dir);
    // The audio library registers its file formats lazily and not thread-safely; do it here once.
    std::unique_ptr<sf::SoundFileWriter>(sf::SoundFileFactory::createWriterFromFilename("warm_up.ogg"));

    const auto& tracks = music::soundtrack();
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    auto worker = [&] {
        for (std::size_t i = next++; i < tracks.size(); i = next++)
            if (!make_track(tracks[i], game_dir)) {
                std::fprintf(stderr, "could not write %s\n", tracks[i].file.c_str());
                failed = true;
            }
    };
    const unsigned count = std::clamp(std::thread::hardware_concurrency(), 1u, 2u);
    std::vector<std::thread> workers;
    for (unsigned k = 0; k < count; ++k) workers.emplace_back(worker);
    for (std::thread& t : workers) t.join();
    return failed ? 1 : 0;
}
