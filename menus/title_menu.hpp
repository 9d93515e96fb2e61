// The first screen and the hub every other screen returns to.
#pragma once

#include <array>
#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "client/file_loading.hpp"
#include "client/menu_kit.hpp"
#include "client/music.hpp"
#include "client/screen.hpp"

class TitleScreen : public Screen {
public:
    // notice: a line on what the last screen could not do, shown at the bottom; may be empty.
    TitleScreen(sf::Vector2i layout, std::string notice);

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.cursor_shaded = false;  // the maker's logos, the version and the cursor are drawn after the shader
        t.title_music = true;
        t.on_leave = FrameLimit::none;
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i) override { menu_.handle(event); }
    void update(const FrameInput& input) override { menu_.update(input.pointer); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    void draw_unshaded(sf::RenderTarget& target) override;
    void draw_over_cursor(sf::RenderTarget& target) override;
    void shown() override { logo_.next_frame(); }
    bool cursor_hot(sf::Vector2i p) const override { return menu_.cursor_hot(p); }
    bool done() const override { return menu_.done(); }
    int choice() const { return menu_.choice(); }

private:
    sf::Vector2i size_;
    TitleMenu menu_;
    LogoColour logo_;
    std::array<MenuPicture, 7> shaded_;  // the logo's halves and the five entries
    std::array<MenuPicture, 3> plain_;   // the maker's logo and caption, the version
    std::string notice_;
    LoadedFont font_;  // only for the notice
};

// Runs until a left click or a close request; returns the entry under the
// pointer in the last drawn frame (a TitleChoice, title_none for a miss or a
// close). `notice` is shown on the bottom line when not empty.
int run_title_menu(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist,
                   const std::string& notice = {});
