// Map selection: one numbered button per map, unlocked in order by the
// progress kept in Saves/demo.sav, with the best time of the map under the
// pointer and its replays to watch.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "app/progress.hpp"
#include "client/file_loading.hpp"
#include "client/menu_kit.hpp"
#include "client/music.hpp"
#include "client/screen.hpp"
#include "game/replay_library.hpp"

class MapSelectScreen : public Screen {
public:
    // found: the save file as read on entry. play: plays one map by name and says how
    // the game ended; watch: plays a replay file and returns the line to show afterwards.
    MapSelectScreen(std::vector<std::string> maps, SavedProgress found, sf::Vector2i layout,
                    std::function<GameResult(const std::string&)> play,
                    std::function<StatusLine(const std::filesystem::path&)> watch);

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.events = EventPace::one_per_frame;  // each click against the buttons as the frame before drew them
        t.title_music = true;
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i pointer) override;
    void update(const FrameInput& input) override { menu_.update(input.pointer); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    bool cursor_hot(sf::Vector2i p) const override { return menu_.cursor_hot(p); }
    bool done() const override { return menu_.done(); }

private:
    // Each map's best and newest replay, read again after every game and watched replay.
    void find_replays();
    std::string map_words(size_t index) const { return "Map " + maps_[index]; }

    std::vector<std::string> maps_;
    sf::Vector2i size_;
    MapSelectMenu menu_;
    std::function<GameResult(const std::string&)> play_;
    std::function<StatusLine(const std::filesystem::path&)> watch_;
    SavedProgress found_;
    std::string notice_;         // why progress is not saved, on the bottom line when status_ is empty
    std::vector<MapRuns> runs_;  // by list index
    StatusLine status_;          // how the last game or watched replay went, or why progress was not saved
    MenuPicture heading_, go_back_;
    std::array<sf::Texture, 10> digits_;
    LoadedFont font_;
};

// Runs until go-back, Escape or a close request, playing any number of games.
// map_list_text: one map name per line-feed-ended line.
void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist);
