#include "menus/map_select.hpp"

#include <array>
#include <string>
#include <vector>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include "app/cursor_pulse.hpp"
#include "app/image_paths.hpp"
#include "app/map_list.hpp"
#include "app/menu_layout.hpp"
#include "app/progress.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"
#include "client/shader_pass.hpp"
#include "menus/menu_screen.hpp"

namespace {

sf::Color outline_colour(ButtonLook look) {
    switch (look) {
        case ButtonLook::unlocked: return sf::Color(255, 255, 255, 255);
        case ButtonLook::hovered: return sf::Color(0, 255, 0, 255);
        case ButtonLook::locked: break;
    }
    return sf::Color(50, 50, 50, 255);
}

}  // namespace

void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist) {
    const std::vector<std::string> map_list = split_map_list(map_list_text);
    const sf::Texture heading_image = load_menu_image(image_paths::select_map);
    const sf::Texture go_back_image = load_menu_image(image_paths::go_back);
    std::array<sf::Texture, 10> digit_images;
    for (int d = 0; d < 10; ++d) digit_images[d] = load_menu_image(image_paths::digit(d));
    const int W = menu_width(window);
    sf::Sprite heading(heading_image);
    heading.setPosition(static_cast<float>(W / 2 - 256), 0.0f);
    const sf::Sprite go_back(go_back_image);
    sf::Sprite digit;  // one sprite for every digit, its image switched per glyph

    int32_t progress = read_progress();
    menu_frame_limit(window, true);
    int hovered = -1;
    CursorPulse pulse;

    while (window.isOpen()) {
        // One event per frame: a burst of clicks is handled over several
        // frames, each against the buttons as the frame before drew them.
        sf::Event event;
        if (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window.close();
                break;
            }
            if (is_escape_press(event)) break;
            if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
                const sf::Vector2i at = pointer_in(window);
                if (over_go_back(at.x, at.y)) break;
                if (hovered != -1) {
                    const bool won = play_from_menu(window, title_music, map_list[static_cast<size_t>(hovered)]);
                    if (const auto raised = raised_progress(progress, hovered, won)) {
                        // Kept raised for this visit even if the write fails.
                        progress = *raised;
                        write_progress(progress);
                    }
                }
            }
        }
        music_upkeep(title_music, title_playlist);

        window.clear(sf::Color::Black);
        const sf::Vector2i at = pointer_in(window);
        const MapButtons buttons = layout_map_buttons(map_list.size(), progress, W, at.x, at.y);
        hovered = buttons.hovered;
        for (const MapButton& button : buttons.buttons) {
            for (const DigitPlace& place : label_digits(button.label, button.x)) {
                digit.setTexture(digit_images[static_cast<size_t>(place.digit)], true);
                digit.setPosition(static_cast<float>(place.x), static_cast<float>(button.y));
                window.draw(digit);
            }
            sf::RectangleShape rect(sf::Vector2f(map_button_width, map_button_height));
            rect.setPosition(static_cast<float>(button.x), static_cast<float>(button.y));
            rect.setFillColor(sf::Color(0, 0, 0, 100));
            rect.setOutlineThickness(1.0f);
            rect.setOutlineColor(outline_colour(button.look));
            window.draw(rect);
        }
        window.draw(heading);
        window.draw(go_back);
        draw_cursor(window, pulse, hovered != -1 || over_go_back(at.x, at.y));
        post_process_window(window);
        window.display();
    }
    cursor_sprite.setScale(1.0f, 1.0f);
}
