#include "app/key_codes.hpp"

#include <array>

namespace {

using Key = sf::Keyboard::Key;

// The keys numbered from key_code::escape (256) on, in code order: entry i has code 256 + i.
constexpr std::array<Key, 65> keys_from_256 = {
    Key::Escape,  Key::LControl, Key::LShift,    Key::LAlt,      Key::LSystem,  Key::RControl,  Key::RShift,
    Key::RAlt,    Key::RSystem,  Key::Menu,      Key::LBracket,  Key::RBracket, Key::Semicolon, Key::Comma,
    Key::Period,  Key::Quote,    Key::Slash,     Key::Backslash, Key::Tilde,    Key::Equal,     Key::Hyphen,
    Key::Space,   Key::Enter,    Key::Backspace, Key::Tab,       Key::PageUp,   Key::PageDown,  Key::End,
    Key::Home,    Key::Insert,   Key::Delete,    Key::Add,       Key::Subtract, Key::Multiply,  Key::Divide,
    Key::Left,    Key::Right,    Key::Up,        Key::Down,      Key::Numpad0,  Key::Numpad1,   Key::Numpad2,
    Key::Numpad3, Key::Numpad4,  Key::Numpad5,   Key::Numpad6,   Key::Numpad7,  Key::Numpad8,   Key::Numpad9,
    Key::F1,      Key::F2,       Key::F3,        Key::F4,        Key::F5,       Key::F6,        Key::F7,
    Key::F8,      Key::F9,       Key::F10,       Key::F11,       Key::F12,      Key::F13,       Key::F14,
    Key::F15,     Key::Pause,
};

constexpr std::array<sf::Mouse::Button, mouse_code::count> mouse_buttons = {
    sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle, sf::Mouse::XButton1, sf::Mouse::XButton2};

// Whether key lies in the contiguous SFML run first..last.
constexpr bool in_run(Key key, Key first, Key last) { return first <= key && key <= last; }

}  // namespace

// Letters and digits follow SFML's contiguous runs; the rest come from the table.
uint32_t file_code_from_key(Key key) {
    if (in_run(key, Key::A, Key::Z)) return key_code::letter_a + static_cast<uint32_t>(key - Key::A);
    if (in_run(key, Key::Num0, Key::Num9)) return key_code::digit_0 + static_cast<uint32_t>(key - Key::Num0);
    for (uint32_t i = 0; i < keys_from_256.size(); ++i)
        if (keys_from_256[i] == key) return key_code::escape + i;
    return key_code::none;
}

// Any 32-bit code is safe here: a file may hold numbers no key has.
Key key_from_file_code(uint32_t code) {
    if (key_code::letter_a <= code && code <= key_code::letter_z)
        return static_cast<Key>(Key::A + static_cast<int>(code - key_code::letter_a));
    if (key_code::digit_0 <= code && code <= key_code::digit_9)
        return static_cast<Key>(Key::Num0 + static_cast<int>(code - key_code::digit_0));
    if (code >= key_code::escape && code - key_code::escape < keys_from_256.size())
        return keys_from_256[code - key_code::escape];
    return Key::Unknown;
}

// Buttons are looked up rather than cast so an out-of-range value cannot pass through.
uint32_t file_code_from_mouse_button(sf::Mouse::Button button) {
    for (uint32_t i = 0; i < mouse_buttons.size(); ++i)
        if (mouse_buttons[i] == button) return i;
    return mouse_code::count;
}

// Only 0..4 name buttons; anything else is a number no button has.
std::optional<sf::Mouse::Button> mouse_button_from_file_code(uint32_t code) {
    if (code >= mouse_buttons.size()) return std::nullopt;
    return mouse_buttons[code];
}
