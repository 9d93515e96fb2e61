// The custom-map screen: the player's own maps from the game folder's Maps/,
// one button each with the map's best time, played through the game screen.
// Always unlocked; the saved progress is never read or written here.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "client/file_loading.hpp"
#include "client/menu_kit.hpp"
#include "client/music.hpp"
#include "client/screen.hpp"
#include "game/replay_library.hpp"
#include "menus/map_editor_screen.hpp"

class CustomMapsScreen : public Screen {
public:
    // play: plays one map file and returns the line to show afterwards; watch:
    // plays a replay file and returns the line to show afterwards; edit: runs
    // the map editor, and the list is read again from Maps/ afterwards.
    CustomMapsScreen(std::vector<std::filesystem::path> maps, sf::Vector2i layout,
                     std::function<StatusLine(const std::filesystem::path&)> play,
                     std::function<StatusLine(const std::filesystem::path&)> watch,
                     std::function<EditorVisit(EditorOpening)> edit = {})
        : maps_(std::move(maps)),
          size_(layout),
          list_(maps_.size(), layout),
          play_(std::move(play)),
          watch_(std::move(watch)),
          edit_(std::move(edit)) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.title_music = true;
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i pointer) override;
    void update(const FrameInput& input) override { list_.update(input.pointer); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    bool cursor_hot(sf::Vector2i p) const override { return list_.cursor_hot(p); }
    bool done() const override { return list_.done(); }

private:
    // Each map's best and newest replay on its present text, read again after every game and watched replay.
    void find_replays();
    // Opens the editor on what the list asked for, then lists Maps/ again at the map's page.
    void edit(const EditTarget& target);
    // New map, Copy built-in, or while choosing, the digits and Cancel.
    void draw_editor_controls(sf::RenderTarget& target, sf::Vector2i pointer);

    std::vector<std::filesystem::path> maps_;
    sf::Vector2i size_;
    CustomMapList list_;
    std::function<StatusLine(const std::filesystem::path&)> play_;
    std::function<StatusLine(const std::filesystem::path&)> watch_;
    std::function<EditorVisit(EditorOpening)> edit_;
    std::vector<MapRuns> runs_;  // by list index
    StatusLine status_;
    LoadedFont font_;
    MenuPicture go_back_;
};

// Reads and plays one custom map file; the line the screen shows afterwards.
StatusLine play_custom_map(sf::RenderWindow& window, sf::Music& title_music, const std::filesystem::path& path);

// Runs until go-back, Escape or a close request, playing any number of maps.
void run_custom_maps(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist);
