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

TEST(MusicUpkeep, TracksThatCannotPlayAreDroppedOnTheirFirstTry) {
    const fs::path dir = fs::temp_directory_path() / ("vantorel_music_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir / "folder");
    ASSERT_EQ(mkfifo((dir / "fifo").c_str(), 0644), 0);  // opening it would wait for a writer
    std::ofstream(dir / "notes.txt") << "not a sound";
    Playlist playlist;
    for (const char* name : {"folder", "fifo", "notes.txt"}) playlist.push_back((dir / name).string());

    alarm(60);  // a wait on the FIFO ends the test rather than hanging the suite
    sf::Music music;
    const size_t tracks = playlist.size();
    for (size_t call = 0; call < tracks; ++call) music_upkeep(music, playlist);
    alarm(0);
    EXPECT_TRUE(playlist.empty()) << playlist.size() << " left, e.g. " << playlist.front();
    EXPECT_EQ(music.getStatus(), sf::SoundSource::Stopped);
    fs::remove_all(dir);
}
