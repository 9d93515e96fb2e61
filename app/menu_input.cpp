#include "app/menu_input.hpp"

#include "app/key_codes.hpp"

bool is_key_press(const sf::Event& event, uint32_t file_code) {
    return event.type == sf::Event::KeyPressed && file_code_from_key(event.key.code) == file_code;
}

bool is_escape_press(const sf::Event& event) { return is_key_press(event, key_code::escape); }

bool is_left_click(const sf::Event& event) {
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left;
}
