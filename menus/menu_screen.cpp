#include "menus/menu_screen.hpp"

#include <thread>

#include <SFML/Window/Mouse.hpp>

#include "app/key_codes.hpp"
#include "app/settings.hpp"
#include "client/game_screen.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"

sf::Vector2i pointer_in(const sf::RenderWindow& window) { return sf::Mouse::getPosition(window); }

int menu_width(const sf::RenderWindow& window) { return static_cast<int>(window.getSize().x); }
int menu_height(const sf::RenderWindow& window) { return static_cast<int>(window.getSize().y); }

bool is_escape_press(const sf::Event& event) {
    return event.type == sf::Event::KeyPressed && file_code_from_key(event.key.code) == key_code::escape;
}

bool play_from_menu(sf::RenderWindow& window, sf::Music& title_music, const std::string& map_name,
                    const std::string* map_text) {
    menu_frame_limit(window, false);
    cursor_sprite.setScale(1.0f, 1.0f);
    title_music.stop();
    const bool confine = settings.fullscreen == 0 && settings.confine_cursor != 0;
    // SFML grabs the pointer into the window's inner rectangle, a little
    // inside the outer frame the original confinement used.
    if (confine) window.setMouseCursorGrabbed(true);
    std::this_thread::yield();
    const bool won = run_game(window, map_name, map_text);
    std::this_thread::yield();
    if (window.isOpen()) {
        if (confine) window.setMouseCursorGrabbed(false);
        menu_frame_limit(window, true);
    }
    return won;
}
