// The key and mouse-button numbering that controls.cfg stores, and its
// translation to and from SFML's enums. The numbering is the file's own and
// must not change with the windowing library: saved bindings depend on it.
#pragma once

#include <cstdint>
#include <optional>

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

// Codes of the keys the game and menus test themselves. Letters are their
// lower-case ASCII codes (97..122), main-keyboard digits 48..57, and the
// other keys run from 256 (Escape) to 320 (Pause).
namespace key_code {
inline constexpr uint32_t none = 0;  // a key the numbering has no code for
inline constexpr uint32_t letter_a = 97;
inline constexpr uint32_t letter_z = 122;
inline constexpr uint32_t digit_0 = 48;
inline constexpr uint32_t digit_9 = 57;
inline constexpr uint32_t escape = 256;
inline constexpr uint32_t f9 = 313;   // skips the game music track
inline constexpr uint32_t f12 = 316;  // saves a screenshot
}  // namespace key_code

// Mouse buttons as the file numbers them.
namespace mouse_code {
inline constexpr uint32_t left = 0;
inline constexpr uint32_t right = 1;
inline constexpr uint32_t middle = 2;
inline constexpr uint32_t extra_1 = 3;
inline constexpr uint32_t extra_2 = 4;
inline constexpr uint32_t count = 5;  // first number no button has
}  // namespace mouse_code

// The file code of an SFML key; key_code::none for Unknown or out-of-range values.
uint32_t file_code_from_key(sf::Keyboard::Key key);
// The SFML key of a file code; sf::Keyboard::Unknown for codes no key has.
sf::Keyboard::Key key_from_file_code(uint32_t code);
// The file number of an SFML mouse button; mouse_code::count for ButtonCount or worse.
uint32_t file_code_from_mouse_button(sf::Mouse::Button button);
// The SFML mouse button of a file number; nothing for numbers 5 and up.
std::optional<sf::Mouse::Button> mouse_button_from_file_code(uint32_t code);
