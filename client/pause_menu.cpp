#include "client/pause_menu.hpp"

#include <array>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include "app/image_paths.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"
#include "client/shader_pass.hpp"

namespace {

// The title and the three buttons, in the order of their rows.
struct PausePictures {
    std::array<sf::Texture, 4> images = {
        load_menu_image(image_paths::paused), load_menu_image(image_paths::pause_return),
        load_menu_image(image_paths::pause_restart), load_menu_image(image_paths::pause_exit)};
};

// The choice this frame's events make, or pause_none to stay.
PauseChoice handle_pause_events(sf::RenderWindow& window) {
    const sf::Vector2u size = window.getSize();
    for (sf::Event event; window.pollEvent(event);) {
        if (event.type == sf::Event::Closed) {
            window.close();
            return pause_closed;
        }
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::Escape) return pause_return;
        if (event.type != sf::Event::MouseButtonPressed || event.mouseButton.button != sf::Mouse::Left) continue;
        const sf::Vector2i at = sf::Mouse::getPosition(window);
        const PauseChoice chosen =
            pause_button_at(at.x, at.y, static_cast<int32_t>(size.x), static_cast<int32_t>(size.y));
        if (chosen != pause_none) {
            sf::sleep(sf::Time::Zero);
            return chosen;
        }
    }
    return pause_none;
}

sf::RectangleShape box(float left, float top, float width, float height, sf::Color fill) {
    sf::RectangleShape r({width, height});
    r.setPosition(left, top);
    r.setFillColor(fill);
    return r;
}

void draw_pause_menu(sf::RenderWindow& window, const sf::Texture& background, const PausePictures& pictures,
                     CursorPulse& pulse) {
    const auto w = static_cast<int32_t>(window.getSize().x), h = static_cast<int32_t>(window.getSize().y);
    const float left = static_cast<float>(w / 2 - 128);
    const sf::Vector2i at = sf::Mouse::getPosition(window);
    window.clear(sf::Color::Black);
    window.draw(sf::Sprite(background));
    window.draw(box(0, 0, static_cast<float>(w), static_cast<float>(h), sf::Color(0, 0, 0, 200)));
    window.draw(box(left, static_cast<float>(h / 2 - 64), 256, 192, sf::Color::Red));
    const PauseChoice hovered = pause_button_at(at.x, at.y, w, h);
    if (hovered != pause_none)
        window.draw(box(left, static_cast<float>(pause_button_top(hovered, h)), 256, 64, sf::Color::Cyan));
    const std::array<PauseChoice, 4> rows = {pause_none, pause_return, pause_restart, pause_leave};
    for (size_t i = 0; i < rows.size(); ++i) {
        sf::Sprite picture(pictures.images[i]);
        picture.setPosition(left, static_cast<float>(pause_button_top(rows[i], h)));
        window.draw(picture);
    }
    draw_cursor(window, pulse, over_pause_buttons(at.x, at.y, w, h));
    post_process_window(window);
    window.display();
}

}  // namespace

PauseChoice run_pause_menu(sf::RenderWindow& window, const sf::Texture& background) {
    menu_frame_limit(window, true);
    const PausePictures pictures;
    CursorPulse pulse;
    PauseChoice chosen = pause_none;
    while (chosen == pause_none) {
        if (!window.isOpen()) {
            chosen = pause_return;
            break;
        }
        chosen = handle_pause_events(window);
        if (chosen == pause_none) draw_pause_menu(window, background, pictures, pulse);
    }
    cursor_sprite.setScale(1, 1);
    if (chosen != pause_closed) menu_frame_limit(window, false);
    return chosen;
}
