#include "menus/title_menu.hpp"

#include "app/image_paths.hpp"
#include "app/settings.hpp"
#include "client/file_loading.hpp"

namespace {

const char* const credit_line = "created by brindlecap";
constexpr int credit_letter_step = 16;  // px per letter, a space included

}  // namespace

TitleScreen::TitleScreen(sf::Vector2i layout, std::string notice)
    : size_(layout), menu_(layout.x), notice_(std::move(notice)) {
    logo_.new_steps();
}

void TitleScreen::load() {
    const int left = size_.x / 2 - 256;
    shaded_[0].load(image_paths::logo_top, left, 10);
    shaded_[1].load(image_paths::logo_bottom, left, 138);
    for (size_t i = 0; i < image_paths::title_entries.size(); ++i)
        shaded_[i + 2].load(image_paths::title_entries[i], left,
                            title_entries_top + title_entry_pitch * static_cast<int>(i));
    plain_[0].load(image_paths::maker_logo, 0, size_.y - 128);
    plain_[1].load(image_paths::maker_caption, 0, size_.y - 64);
    plain_[2].load(image_paths::version, size_.x - 64, size_.y - 32);
    if (!notice_.empty()) font_.load(menu_font_path);
}

// The red panel, the cyan highlight under the entry, the logo panel in its colour, then the pictures.
void TitleScreen::draw(sf::RenderTarget& target, sf::Vector2i) {
    const float left = static_cast<float>(size_.x / 2 - 256);
    target.draw(box(left, static_cast<float>(title_entries_top), 512, 300, sf::Color(255, 0, 0, 255)));
    if (menu_.under() != title_none)
        target.draw(box(left, static_cast<float>(title_entries_top + title_entry_pitch * menu_.under()), 512, 64,
                        sf::Color(0, 255, 255, 255)));
    // Low bytes, as the panel may be drawn up to 5 outside 100 .. 240.
    const auto byte = [](int c) { return static_cast<sf::Uint8>(c & 0xff); };
    target.draw(box(left, 10, 512, 256, sf::Color(byte(logo_.value[0]), byte(logo_.value[1]), byte(logo_.value[2]))));
    for (const MenuPicture& p : shaded_) p.draw(target);
}

void TitleScreen::draw_unshaded(sf::RenderTarget& target) {
    for (const MenuPicture& p : plain_) p.draw(target);
    // Between the maker's caption (128 px wide) and the version (64 px) on the bottom line.
    if (!notice_.empty())
        draw_text(target, fitted_text(font_, notice_, 14, static_cast<float>(size_.x - 136 - 72)), 136.0f,
                  static_cast<float>(size_.y - 22), sf::Color(255, 140, 120));
}

// The credit line along the top, one letter image per letter, loaded for this frame only.
void TitleScreen::draw_over_cursor(sf::RenderTarget& target) {
    if (settings.show_ze_creator == 0) return;
    for (size_t i = 0; credit_line[i] != '\0'; ++i) {
        if (credit_line[i] == ' ') continue;
        sf::Texture letter;
        load_texture(letter, image_paths::credit_letter(credit_line[i]));
        sf::Sprite sprite(letter);
        sprite.setPosition(static_cast<float>(credit_letter_step * static_cast<int>(i)), 0.0f);
        target.draw(sprite);
    }
}

int run_title_menu(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist,
                   const std::string& notice) {
    TitleScreen screen(layout_size(), notice);
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
    return screen.choice();
}
