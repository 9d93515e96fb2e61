// Map selection: one numbered button per map, unlocked in order by the
// progress kept in Saves/demo.sav.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "app/progress.hpp"
#include "client/file_loading.hpp"
#include "client/menu_kit.hpp"
#include "client/music.hpp"
#include "client/screen.hpp"

class MapSelectScreen : public Screen {
public:
    // found: the save file as read on entry. play: plays one map by name and says how the game ended.
    MapSelectScreen(std::vector<std::string> maps, SavedProgress found, sf::Vector2i layout,
                    std::function<GameResult(const std::string&)> play);

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
    std::vector<std::string> maps_;
    sf::Vector2i size_;
    MapSelectMenu menu_;
    std::function<GameResult(const std::string&)> play_;
    SavedProgress found_;
    std::string notice_;  // why progress is not or was not saved, on the bottom line; empty when it is
    MenuPicture heading_, go_back_;
    std::array<sf::Texture, 10> digits_;
    LoadedFont font_;
};

// Runs until go-back, Escape or a close request, playing any number of games.
// map_list_text: one map name per line-feed-ended line.
void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist);
