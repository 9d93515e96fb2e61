#include "menus/controls_menu.hpp"

#include <algorithm>
#include <thread>

#include "app/image_paths.hpp"

void ControlsScreen::load() {
    frame_.load(image_paths::assign_frame, size_.x / 2 - 256, size_.y / 2 - 128);
    for (size_t a = 0; a < captions_.size(); ++a) captions_[a] = load_menu_image(image_paths::action_prompts[a]);
}

void ControlsScreen::handle(const sf::Event& event, sf::Vector2i) {
    const int before = pass_.prompting();
    pass_.handle(event);
    if (pass_.prompting() != before) std::this_thread::yield();
    if (!pass_.complete()) return;
    const std::string why = save_bindings(bindings, unread_);
    // They hold for this run all the same.
    if (!why.empty()) notice_ = "Bindings not saved: " + why;
}

void ControlsScreen::draw(sf::RenderTarget& target, sf::Vector2i) {
    frame_.draw(target);
    sf::Sprite caption(captions_[static_cast<size_t>(std::min(pass_.prompting(), action_count - 1))]);
    caption.setPosition(static_cast<float>(size_.x / 2 - 128), static_cast<float>(size_.y / 2 - 64));
    target.draw(caption);
}

std::string run_controls_menu(sf::RenderWindow& window, const std::string& unread) {
    ControlsScreen screen(layout_size(), unread);
    run_screen(window, screen);
    return screen.notice();
}
