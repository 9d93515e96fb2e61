#include "menus/story_page.hpp"

#include "app/image_paths.hpp"

void StoryScreen::load() {
    story_.load(image_paths::story_page, size_.x / 2 - 256, size_.y / 2 - 256);
    go_back_.load(image_paths::go_back, 0, 0);
}

void StoryScreen::draw(sf::RenderTarget& target, sf::Vector2i) {
    story_.draw(target);
    go_back_.draw(target);
}

void run_story_page(sf::RenderWindow& window) {
    StoryScreen screen(layout_size());
    run_screen(window, screen);
}
