#include "client/pause_menu.hpp"

#include <SFML/System/Sleep.hpp>

#include "app/image_paths.hpp"

void PauseScreen::load() {
    const int left = size_.x / 2 - 128;
    title_.load(image_paths::paused, left, pause_button_top(pause_none, size_.y));
    return_.load(image_paths::pause_return, left, pause_button_top(pause_return, size_.y));
    restart_.load(image_paths::pause_restart, left, pause_button_top(pause_restart, size_.y));
    exit_.load(image_paths::pause_exit, left, pause_button_top(pause_leave, size_.y));
}

void PauseScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    menu_.handle(event, pointer);
    if (menu_.done() && !is_escape_press(event)) sf::sleep(sf::Time::Zero);  // a button gives up the processor once
}

void PauseScreen::draw(sf::RenderTarget& target, sf::Vector2i pointer) {
    const auto left = static_cast<float>(size_.x / 2 - 128);
    target.draw(sf::Sprite(background_));
    target.draw(box(0, 0, static_cast<float>(size_.x), static_cast<float>(size_.y), sf::Color(0, 0, 0, 200)));
    title_.draw(target);
    target.draw(box(left, static_cast<float>(size_.y / 2 - 64), 256, 192, sf::Color::Red));
    const PauseChoice hovered = menu_.under(pointer);
    if (hovered != pause_none)
        target.draw(box(left, static_cast<float>(pause_button_top(hovered, size_.y)), 256, 64, sf::Color::Cyan));
    for (const MenuPicture* p : {&return_, &restart_, &exit_}) p->draw(target);
}

PauseChoice run_pause_menu(sf::RenderWindow& window, const sf::Texture& background) {
    PauseScreen screen(background, layout_size());
    run_screen(window, screen);
    return screen.choice();
}
