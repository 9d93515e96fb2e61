#include "menus/map_select.hpp"

#include "app/image_paths.hpp"
#include "app/map_list.hpp"
#include "app/progress.hpp"

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

void MapSelectScreen::load() {
    heading_.load(image_paths::select_map, size_.x / 2 - 256, 0);
    go_back_.load(image_paths::go_back, 0, 0);
    for (int d = 0; d < 10; ++d) digits_[static_cast<size_t>(d)] = load_menu_image(image_paths::digit(d));
}

void MapSelectScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    menu_.handle(event, pointer);
    const auto index = menu_.take_play();
    if (!index) return;
    const bool won = play_(maps_[static_cast<size_t>(*index)]).won();
    if (const auto raised = menu_.game_ended(*index, won)) write_progress(*raised);
}

void MapSelectScreen::draw(sf::RenderTarget& target, sf::Vector2i pointer) {
    sf::Sprite digit;  // one sprite for every digit, its image switched per glyph
    for (const MapButton& button : menu_.buttons(pointer).buttons) {
        for (const DigitPlace& place : label_digits(button.label, button.x)) {
            digit.setTexture(digits_[static_cast<size_t>(place.digit)], true);
            digit.setPosition(static_cast<float>(place.x), static_cast<float>(button.y));
            target.draw(digit);
        }
        target.draw(box(static_cast<float>(button.x), static_cast<float>(button.y), map_button_width, map_button_height,
                        sf::Color(0, 0, 0, 100), outline_colour(button.look), 1.0f));
    }
    heading_.draw(target);
    go_back_.draw(target);
}

void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist) {
    MapSelectScreen screen(split_map_list(map_list_text), read_progress(), layout_size(),
                           [&](const std::string& map) { return play_from_menu(window, title_music, map); });
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
}
