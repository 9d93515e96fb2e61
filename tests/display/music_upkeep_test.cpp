// The playlists' upkeep with tracks that cannot play: each is dropped on its
// first try, without waiting on it and without trying it again.
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <SFML/Audio/Music.hpp>
#include <gtest/gtest.h>

#include "client/music.hpp"

namespace fs = std::filesystem;

namespace {

// `value` as `bytes` little-endian bytes, as a WAV header stores its numbers.
std::string little(uint32_t value, int bytes = 4) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
    return out;
}

}  // namespace

TEST(MusicUpkeep, TracksThatCannotPlayAreDroppedOnTheirFirstTry) {
    const fs::path dir = fs::temp_directory_path() / ("vantorel_music_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);  // opening it would wait for a writer
    std::ofstream(dir / "notes.txt") << "not a sound";
    // A WAV whose header says 0 channels opens, but the stream cannot play it;
    // it was once reopened in every frame, printing two lines each time.
    std::string wav = "RIFF" + little(36 + 8) + "WAVEfmt " + little(16) + little(1, 2) + little(0, 2) + little(44100) +
                      little(0) + little(0, 2) + little(16, 2) + "data" + little(8) + std::string(8, '\0');
    std::ofstream(dir / "silent.wav", std::ios::binary) << wav;
    Playlist playlist;
    for (const char* name : {"folder", "fifo", "notes.txt", "silent.wav"}) playlist.push_back((dir / name).string());

    alarm(60);  // a wait on the FIFO ends the test rather than hanging the suite
    sf::Music music;
    const size_t tracks = playlist.size();
    for (size_t call = 0; call < tracks; ++call) music_upkeep(music, playlist);
    alarm(0);
    EXPECT_TRUE(playlist.empty()) << playlist.size() << " left, e.g. " << playlist.front();
    EXPECT_EQ(music.getStatus(), sf::SoundSource::Stopped);
    fs::remove_all(dir);
}
