#include "menus/story_page.hpp"

#include <string>

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Mouse.hpp>

#include "app/cursor_pulse.hpp"
#include "app/image_paths.hpp"
#include "app/menu_layout.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"
#include "menus/menu_screen.hpp"

void run_story_page(sf::RenderWindow& window) {
    menu_frame_limit(window, true);
    const sf::Texture story_image = load_menu_image(image_paths::story_page);
    const sf::Texture go_back_image = load_menu_image(image_paths::go_back);
    sf::Sprite story(story_image);
    story.setPosition(static_cast<float>(menu_width(window) / 2 - 256),
                      static_cast<float>(menu_height(window) / 2 - 256));
    const sf::Sprite go_back(go_back_image);
    CursorPulse pulse;

    bool leave = false;
    while (window.isOpen() && !leave) {
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window.close();
                return;  // no leaving steps: the program is ending
            }
            if (is_escape_press(event)) {
                leave = true;
                break;
            }
        }
        const sf::Vector2i at = pointer_in(window);
        // The button held, not a click: a press dragged onto the button also leaves.
        if (leave || (sf::Mouse::isButtonPressed(sf::Mouse::Left) && over_go_back(at.x, at.y))) break;

        window.clear(sf::Color::Black);
        window.draw(story);
        window.draw(go_back);
        draw_cursor(window, pulse, over_go_back(at.x, at.y));
        window.display();
    }
    if (!window.isOpen()) return;
    cursor_sprite.setScale(1.0f, 1.0f);
    menu_frame_limit(window, false);
}
