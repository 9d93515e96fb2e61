// The pause menu over a darkened copy of the last frame: return, restart, leave.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "app/menu_logic.hpp"
#include "client/menu_kit.hpp"
#include "client/screen.hpp"

class PauseScreen : public Screen {
public:
    PauseScreen(const sf::Texture& background, sf::Vector2i layout)
        : background_(background), size_(layout), menu_(layout) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.on_leave = FrameLimit::none;  // back to the game, which paces itself
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i pointer) override;
    void closed() override { menu_.close(); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    bool cursor_hot(sf::Vector2i p) const override { return menu_.cursor_hot(p); }
    bool done() const override { return menu_.done(); }
    PauseChoice choice() const { return menu_.choice(); }

private:
    const sf::Texture& background_;
    sf::Vector2i size_;
    PauseMenu menu_;
    MenuPicture title_, return_, restart_, exit_;
};

// Runs until the player chooses; pause_return also for Escape and for a window
// found closed, pause_closed when the player closes the window here.
PauseChoice run_pause_menu(sf::RenderWindow& window, const sf::Texture& background);
