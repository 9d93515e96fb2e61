// The story page: one picture with the game's story and a go-back button.
#pragma once

#include <SFML/Graphics/RenderWindow.hpp>

#include "app/menu_logic.hpp"
#include "client/menu_kit.hpp"
#include "client/screen.hpp"

class StoryScreen : public Screen {
public:
    explicit StoryScreen(sf::Vector2i layout) : size_(layout) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.shader_pass = false;  // the story is shown as drawn
        t.on_leave = FrameLimit::none;
        return t;
    }
    void load() override;
    void handle(const sf::Event& event, sf::Vector2i) override { page_.handle(event); }
    void update(const FrameInput& input) override { page_.update(input); }
    void draw(sf::RenderTarget& target, sf::Vector2i pointer) override;
    bool cursor_hot(sf::Vector2i p) const override { return over_go_back(p.x, p.y); }
    bool done() const override { return page_.done(); }

private:
    sf::Vector2i size_;
    StoryPage page_;
    MenuPicture story_, go_back_;
};

// Runs until Escape, the go-back button held down, or a close request.
void run_story_page(sf::RenderWindow& window);
