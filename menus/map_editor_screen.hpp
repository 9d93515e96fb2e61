// The map editor in the window: the map drawn by the game's own drawing, the
// toolbar over its top and the status line over its bottom, the name prompt
// and the question before leaving. MapEditor decides; this screen draws and
// does what it asks: test plays through the game screen, and leaving.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "client/music.hpp"
#include "client/screen.hpp"
#include "client/wall_geometry.hpp"
#include "game/map_editor.hpp"

// Plays the map as it stands under a name (for its screenshots); how it ended, for the status line.
using TestPlay = std::function<EditorMessage(const MapSource& map, const std::string& name)>;

class MapEditorScreen : public Screen {
public:
    MapEditorScreen(EditorOpening opening, sf::Vector2i layout, std::filesystem::path folder, TestPlay play)
        : size_(layout), editor_(std::move(opening), layout, std::move(folder)), play_(std::move(play)) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.title_music = true;
        t.cursor_shaded = false;  // the pointer stays sharp over the toolbar and the map
        t.shader_pass = false;    // draw() gives the map's picture already through the shader
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i pointer) override;
    void closed() override { left_ = true; }
    void update(const FrameInput& input) override;
    // The map, as the game draws it: through the shader when the effect is on.
    // The shaded picture is kept until the map, the view or the grid changes,
    // so a still frame costs no shader pass.
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    // What the editor adds: marks on the map, the toolbar, the status line, dialogs.
    void draw_unshaded(sf::RenderTarget& target) override;
    bool cursor_hot(sf::Vector2i p) const override;
    bool done() const override { return left_; }

    const MapEditor& editor() const { return editor_; }

private:
    // Acts on what the editor asked for in the last event or frame.
    void act();

    sf::Vector2i size_;
    MapEditor editor_;
    TestPlay play_;
    sf::Font font_;
    uint64_t picture_revision_ = UINT64_MAX;  // the revision the world's picture shows
    WallGeometry walls_;                      // built from the world's picture at that revision
    // What the kept picture of the map shows; a change of any of it draws it again.
    struct PictureLook {
        uint64_t revision;
        double left, top;
        int zoom_step;
        bool grid;
        bool operator==(const PictureLook&) const = default;
    };
    sf::RenderTexture drawn_;  // the map as drawn, before the shader
    sf::RenderTexture shaded_;
    std::optional<PictureLook> picture_look_;
    // The toolbar, drawn again only when what it shows changes: about seventy
    // shapes, texts and pictures become one picture a frame.
    struct ToolbarLook {
        EditorTool tool;
        bool grid;
        std::optional<size_t> hovered;
        bool operator==(const ToolbarLook&) const = default;
    };
    sf::RenderTexture toolbar_;
    std::optional<ToolbarLook> toolbar_look_;
    bool left_ = false;
};

// How a visit of the editor ended.
struct EditorVisit {
    std::string name;    // the map's file (NAME of Maps/NAME.txt), saved or opened; empty when it has none
    bool saved = false;  // saved at least once
};

// Runs the editor until the player leaves it or the window closes.
EditorVisit run_map_editor(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist,
                           EditorOpening opening);
