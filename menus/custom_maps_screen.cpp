#include "menus/custom_maps_screen.hpp"

#include <algorithm>

#include "app/custom_maps.hpp"
#include "app/image_paths.hpp"

namespace {

const sf::Color unlocked_outline(255, 255, 255, 255);
const sf::Color hovered_outline(0, 255, 0, 255);
const sf::Color refusal_colour(255, 140, 120, 255);
const sf::Color success_colour(140, 255, 140, 255);
const sf::Color button_fill(0, 0, 0, 100);

}  // namespace

void CustomMapsScreen::load() {
    go_back_.load(image_paths::go_back, 0, 0);
    font_.load(menu_font_path);  // without it the buttons still work, unlabelled
}

void CustomMapsScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    list_.handle(event, pointer);
    if (const auto index = list_.take_play()) status_ = play_(maps_[*index]);
}

void CustomMapsScreen::draw(sf::RenderTarget& target, sf::Vector2i at) {
    const float W = static_cast<float>(size_.x), H = static_cast<float>(size_.y);
    const int under = list_.under(at);
    const CustomMapLayout& layout = list_.layout();
    draw_text_centred(target, sf::Text("Custom Maps", font_, 36), static_cast<float>(size_.x / 2), 8.0f,
                      sf::Color::White);
    if (maps_.empty()) {
        draw_text_centred(target, fitted_text(font_, "No maps yet: the Maps folder is missing or empty.", 20, W - 16),
                          static_cast<float>(size_.x / 2), static_cast<float>(size_.y / 2 - 40), sf::Color::White);
        draw_text_centred(target, fitted_text(font_, "Put map text files into Maps/ in the game folder.", 16, W - 16),
                          static_cast<float>(size_.x / 2), static_cast<float>(size_.y / 2), sf::Color(180, 180, 180));
    }
    for (int slot = 0; slot < layout.rows_per_page; ++slot) {
        const size_t index = static_cast<size_t>(list_.page()) * static_cast<size_t>(layout.rows_per_page) + slot;
        if (index >= maps_.size()) break;
        const Rect r = layout.row(slot);
        target.draw(box(r, button_fill, static_cast<int>(index) == under ? hovered_outline : unlocked_outline, 1.0f));
        draw_text(target, fitted_text(font_, maps_[index].filename().string(), 20, static_cast<float>(r.w - 20)),
                  static_cast<float>(r.x + 10), static_cast<float>(r.y + 3), sf::Color::White);
    }
    if (layout.pages > 1) {
        for (const Rect* r : {&layout.previous, &layout.next})
            target.draw(box(*r, button_fill, r->contains(at.x, at.y) ? hovered_outline : unlocked_outline, 1.0f));
        draw_text(target, sf::Text("<", font_, 24), static_cast<float>(layout.previous.x + 38),
                  static_cast<float>(layout.previous.y), sf::Color::White);
        draw_text(target, sf::Text(">", font_, 24), static_cast<float>(layout.next.x + 38),
                  static_cast<float>(layout.next.y), sf::Color::White);
        const sf::Text where("Page " + std::to_string(list_.page() + 1) + " of " + std::to_string(layout.pages), font_,
                             18);
        draw_text_centred(target, where, static_cast<float>(size_.x / 2), static_cast<float>(layout.previous.y + 5),
                          sf::Color::White);
    }
    if (!status_.words.empty())
        draw_text(target, fitted_text(font_, status_.words, 16, W - 16), 8.0f, H - 28,
                  status_.good ? success_colour : refusal_colour);
    go_back_.draw(target);
}

StatusLine play_custom_map(sf::RenderWindow& window, sf::Music& title_music, const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    std::string why;
    const auto text = read_custom_map(path, why);
    if (!text) return {why, false};  // the reason names the file
    // The path is the map's name, so screenshots are named after the file.
    const GameResult result = play_from_menu(window, title_music, path.string(), &*text);
    if (result.won()) return {name + ": completed.", true};
    if (!result.error.empty()) return {name + ": " + result.error, false};
    // A map maker hears why the map could not be played or won.
    std::string warned;
    for (const std::string& warning : result.warnings) warned += " " + warning;
    if (!warned.empty()) return {name + ":" + warned, false};
    return {};
}

void run_custom_maps(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist) {
    CustomMapsScreen screen(list_custom_maps(), layout_size(), [&](const std::filesystem::path& path) {
        return play_custom_map(window, title_music, path);
    });
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
}
