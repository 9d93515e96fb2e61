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

MapSelectScreen::MapSelectScreen(std::vector<std::string> maps, SavedProgress found, sf::Vector2i layout,
                                 std::function<GameResult(const std::string&)> play)
    : maps_(std::move(maps)),
      size_(layout),
      menu_(maps_.size(), found.progress, layout.x),
      play_(std::move(play)),
      found_(std::move(found)) {
    if (!found_.unreadable.empty()) notice_ = "Wins will not be saved: " + found_.unreadable;
}

void MapSelectScreen::load() {
    font_.load(menu_font_path);  // without it the screen works on, its bottom line unseen
    heading_.load(image_paths::select_map, size_.x / 2 - 256, 0);
    go_back_.load(image_paths::go_back, 0, 0);
    for (int d = 0; d < 10; ++d) digits_[static_cast<size_t>(d)] = load_menu_image(image_paths::digit(d));
}

void MapSelectScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    menu_.handle(event, pointer);
    const auto index = menu_.take_play();
    if (!index) return;
    const bool won = play_(maps_[static_cast<size_t>(*index)]).won();
    const auto raised = menu_.game_ended(*index, won);
    if (!raised) return;
    // The next map stays unlocked for this visit either way.
    const std::string why = save_progress(*raised, found_);
    if (!why.empty()) notice_ = "Progress not saved: " + why;
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
    if (!notice_.empty())
        draw_text(target, fitted_text(font_, notice_, 16, static_cast<float>(size_.x - 16)), 8.0f,
                  static_cast<float>(size_.y - 28), sf::Color(255, 140, 120));
}

void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist) {
    MapSelectScreen screen(split_map_list(map_list_text), load_progress(), layout_size(),
                           [&](const std::string& map) { return play_from_menu(window, title_music, map); });
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
}
