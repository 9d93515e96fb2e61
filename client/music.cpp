#include "client/music.hpp"

#include <cstdlib>
#include <filesystem>

#include "app/settings.hpp"

Playlist list_music(bool for_game) {
    const std::string folder = for_game ? "Music/Game/" : "Music/Title/";
    Playlist list;
    std::error_code error;
    // directory_iterator never yields "." and "..", which the list must leave out.
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        list.push_back(folder + it->path().filename().string());
    return list;
}

void music_upkeep(sf::Music& music, Playlist& playlist) {
    if (playlist.empty() || music.getStatus() != sf::SoundSource::Stopped) return;
    const size_t i = static_cast<size_t>(std::rand()) % playlist.size();
    // The stream reads its file while it plays, so it cannot go through the
    // bounded reader; a FIFO or a device among the tracks would block the window.
    std::error_code error;
    // A file may open and still not play: a WAV whose header says 0 channels
    // (or 3, or 5) leaves the stream without a sound format, stopped for good.
    if (std::filesystem::is_regular_file(playlist[i], error) && music.openFromFile(playlist[i]) &&
        music.getChannelCount() > 0) {
        music.setLoop(settings.loop_music != 0);
        music.play();
    } else {
        playlist.erase(playlist.begin() + static_cast<std::ptrdiff_t>(i));
        music.stop();
    }
}
