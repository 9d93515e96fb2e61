#include "menus/controls_menu.hpp"

#include <array>
#include <string>
#include <thread>

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include "app/bindings.hpp"
#include "app/image_paths.hpp"
#include "app/key_codes.hpp"
#include "client/menu_kit.hpp"
#include "client/shader_pass.hpp"
#include "menus/menu_screen.hpp"

namespace {

enum class Answer { bound, abandoned, closed };

// Waits, without redrawing, for the key or mouse button that binds `action`;
// releases, motion and the rest pass by.
Answer take_binding(sf::RenderWindow& window, int action) {
    sf::Event event;
    while (window.waitEvent(event)) {
        if (event.type == sf::Event::Closed) {
            window.close();
            return Answer::closed;
        }
        if (event.type == sf::Event::KeyPressed) {
            const uint32_t code = file_code_from_key(event.key.code);
            if (code == key_code::escape) return Answer::abandoned;
            bindings.kind[action] = 'k';
            bindings.code[action] = code;
            return Answer::bound;
        }
        if (event.type == sf::Event::MouseButtonPressed) {
            bindings.kind[action] = 'm';
            bindings.code[action] = file_code_from_mouse_button(event.mouseButton.button);
            return Answer::bound;
        }
    }
    return Answer::closed;  // the window is gone
}

}  // namespace

void run_controls_menu(sf::RenderWindow& window) {
    const sf::Texture frame_image = load_menu_image(image_paths::assign_frame);
    std::array<sf::Texture, action_count> caption_images;
    for (int a = 0; a < action_count; ++a)
        caption_images[a] = load_menu_image(image_paths::action_prompts[static_cast<size_t>(a)]);
    const int W = menu_width(window);
    const int H = menu_height(window);
    sf::Sprite frame(frame_image);
    frame.setPosition(static_cast<float>(W / 2 - 256), static_cast<float>(H / 2 - 128));
    sf::Sprite caption;
    caption.setPosition(static_cast<float>(W / 2 - 128), static_cast<float>(H / 2 - 64));

    for (int action = 0; action < action_count; ++action) {
        window.clear(sf::Color::Black);
        window.draw(frame);
        caption.setTexture(caption_images[action], true);
        window.draw(caption);
        post_process_window(window);
        window.display();
        std::this_thread::yield();
        // Escape keeps the bindings already taken for this run only; a close
        // request writes nothing either, so the file never holds half a pass.
        if (take_binding(window, action) != Answer::bound) return;
    }
    std::this_thread::yield();
    write_bindings_file("controls.cfg", bindings);
}
