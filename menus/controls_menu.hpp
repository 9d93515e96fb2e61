// The controls menu: one pass that rebinds jump, duck, left, right, shoot and
// shield in turn and then saves them to controls.cfg.
#pragma once

#include <array>
#include <string>

#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "client/menu_kit.hpp"
#include "client/screen.hpp"

class ControlsScreen : public Screen {
public:
    // unread: why controls.cfg could not be read at start-up (then it is never replaced), or empty.
    ControlsScreen(sf::Vector2i layout, std::string unread)
        : size_(layout), pass_(bindings), unread_(std::move(unread)) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.events = EventPace::wait_for_each;  // the prompt waits for a key or a button
        t.system_pointer = true;
        t.on_leave = FrameLimit::none;
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i pointer) override;
    void closed() override { pass_.close(); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    bool done() const override { return pass_.done(); }
    // Why a complete pass could not be saved, for the title's bottom line; empty when it was.
    const std::string& notice() const { return notice_; }

private:
    sf::Vector2i size_;
    ControlsPass pass_;
    std::string unread_;
    std::string notice_;
    MenuPicture frame_;
    std::array<sf::Texture, action_count> captions_;
};

// Runs until all six are bound (controls.cfg is written), Escape abandons the
// pass, or a close request closes the window; the last two write nothing, so
// the file never holds half a pass. Returns why the bound pass could not be
// saved (it still holds for this run), or nothing.
std::string run_controls_menu(sf::RenderWindow& window, const std::string& unread);
