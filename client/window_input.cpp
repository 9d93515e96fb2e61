#include "client/window_input.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "app/bindings.hpp"
#include "app/key_codes.hpp"
#include "client/frame_canvas.hpp"

bool binding_held(int action) {
    if (action < 0 || action >= action_count) return false;
    const size_t i = static_cast<size_t>(action);
    if (bindings.kind[i] == 'k') {
        const sf::Keyboard::Key key = key_from_file_code(bindings.code[i]);
        return key != sf::Keyboard::Unknown && sf::Keyboard::isKeyPressed(key);
    }
    if (bindings.kind[i] == 'm') {
        const auto button = mouse_button_from_file_code(bindings.code[i]);
        return button && sf::Mouse::isButtonPressed(*button);
    }
    return false;  // any other kind never triggers
}

void read_window_input(const sf::RenderWindow& window, bool f9_pressed, UpdateInput& input) {
    // The held states are the whole desktop's: without the focus no action is held.
    const bool focused = window.hasFocus();
    for (int a = 0; a < action_count; ++a) input.held[static_cast<size_t>(a)] = focused && binding_held(a);
    const sf::Vector2i at = pointer_in_layout(window);
    input.mouse_x = at.x;
    input.mouse_y = at.y;
    input.f9_pressed = f9_pressed;
}
