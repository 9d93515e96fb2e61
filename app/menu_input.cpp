#include "app/menu_input.hpp"

#include <utility>

#include "app/key_codes.hpp"

bool is_key_press(const sf::Event& event, uint32_t file_code) {
    return event.type == sf::Event::KeyPressed && file_code_from_key(event.key.code) == file_code;
}

bool is_escape_press(const sf::Event& event) { return is_key_press(event, key_code::escape); }

bool is_left_click(const sf::Event& event) {
    return event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left;
}

bool KeyRepeatFilter::passes(const sf::Event& event, bool still_down) {
    // The toolkit reports a press and then the character it types, one after the other.
    if (std::exchange(text_pending_, false) && event.type == sf::Event::TextEntered) return false;
    const bool key_event = event.type == sf::Event::KeyPressed || event.type == sf::Event::KeyReleased;
    if (!key_event || event.key.code < 0 || event.key.code >= sf::Keyboard::KeyCount) return true;
    bool& pending = repeat_pending_[static_cast<size_t>(event.key.code)];
    if (event.type == sf::Event::KeyReleased) {
        pending = still_down;
        return !still_down;
    }
    const bool repeat = std::exchange(pending, false);
    text_pending_ = repeat;
    return !repeat;
}
