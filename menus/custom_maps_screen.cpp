#include "menus/custom_maps_screen.hpp"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include "app/cursor_pulse.hpp"
#include "app/custom_maps.hpp"
#include "app/image_paths.hpp"
#include "app/menu_layout.hpp"
#include "client/game_screen.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"
#include "client/shader_pass.hpp"
#include "menus/menu_screen.hpp"

namespace {

const char* const font_path = "Fonts/DejaVuSans.ttf";
const sf::Color unlocked_outline(255, 255, 255, 255);
const sf::Color hovered_outline(0, 255, 0, 255);
const sf::Color refusal_colour(255, 140, 120, 255);
const sf::Color success_colour(140, 255, 140, 255);

// A text cut to fit `width` px, with "..." where it was cut: one line, always.
sf::Text fitted_text(const sf::Font& font, std::string words, unsigned size, float width) {
    for (char& c : words)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    sf::Text text(words, font, size);
    if (text.getLocalBounds().width <= width) return text;
    while (!words.empty()) {
        words.pop_back();
        text.setString(words + "...");
        if (text.getLocalBounds().width <= width) break;
    }
    return text;
}

void draw_text(sf::RenderWindow& window, sf::Text text, float x, float y, sf::Color colour) {
    text.setPosition(x, y);
    text.setFillColor(colour);
    window.draw(text);
}

void draw_button(sf::RenderWindow& window, const Rect& r, sf::Color outline) {
    sf::RectangleShape rect(sf::Vector2f(static_cast<float>(r.w), static_cast<float>(r.h)));
    rect.setPosition(static_cast<float>(r.x), static_cast<float>(r.y));
    rect.setFillColor(sf::Color(0, 0, 0, 100));
    rect.setOutlineThickness(1.0f);
    rect.setOutlineColor(outline);
    window.draw(rect);
}

}  // namespace

void run_custom_maps(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist) {
    const sf::Texture go_back_image = load_menu_image(image_paths::go_back);
    const sf::Sprite go_back(go_back_image);
    sf::Font font;
    font.loadFromFile(font_path);  // without it the buttons still work, unlabelled

    const std::vector<std::filesystem::path> maps = list_custom_maps();
    const int W = menu_width(window);
    const int H = menu_height(window);
    const CustomMapLayout layout = custom_map_layout(maps.size(), W, H);
    int page = 0;
    std::string message;  // the last refusal or result, shown on one line
    sf::Color message_colour = refusal_colour;
    menu_frame_limit(window, true);
    CursorPulse pulse;

    auto play = [&](size_t index) {
        const std::filesystem::path& path = maps[index];
        const std::string name = path.filename().string();
        std::string why;
        const auto text = read_custom_map(path, why);
        message_colour = refusal_colour;
        if (!text) {
            message = name + ": " + why;
            return;
        }
        // The path is the map's name, so screenshots are named after the file.
        const bool won = play_from_menu(window, title_music, path.string(), &*text);
        if (won) {
            message = name + ": completed.";
            message_colour = success_colour;
        } else if (!last_game_error().empty())
            message = name + ": " + last_game_error();
        else
            message.clear();
    };

    while (window.isOpen()) {
        bool leave = false;
        sf::Event event;
        while (!leave && window.pollEvent(event)) {
            const sf::Vector2i at = pointer_in(window);
            if (event.type == sf::Event::Closed) {
                window.close();
                leave = true;
            } else if (is_escape_press(event)) {
                leave = true;
            } else if (event.type == sf::Event::KeyPressed &&
                       (event.key.code == sf::Keyboard::PageDown || event.key.code == sf::Keyboard::Right)) {
                page = std::min(page + 1, layout.pages - 1);
            } else if (event.type == sf::Event::KeyPressed &&
                       (event.key.code == sf::Keyboard::PageUp || event.key.code == sf::Keyboard::Left)) {
                page = std::max(page - 1, 0);
            } else if (event.type == sf::Event::MouseWheelScrolled) {
                page = std::clamp(page + (event.mouseWheelScroll.delta < 0 ? 1 : -1), 0, layout.pages - 1);
            } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
                const int under = custom_map_under(layout, maps.size(), page, at.x, at.y);
                if (over_go_back(at.x, at.y)) {
                    leave = true;
                } else if (layout.pages > 1 && layout.previous.contains(at.x, at.y)) {
                    page = std::max(page - 1, 0);
                } else if (layout.pages > 1 && layout.next.contains(at.x, at.y)) {
                    page = std::min(page + 1, layout.pages - 1);
                } else if (under >= 0) {
                    play(static_cast<size_t>(under));
                }
            }
        }
        if (leave) break;
        music_upkeep(title_music, title_playlist);

        const sf::Vector2i at = pointer_in(window);
        const int under = custom_map_under(layout, maps.size(), page, at.x, at.y);
        bool hot = under >= 0 || over_go_back(at.x, at.y);
        window.clear(sf::Color::Black);
        const sf::Text heading("Custom Maps", font, 36);
        draw_text(window, heading, static_cast<float>(W / 2) - heading.getLocalBounds().width / 2.0f, 8.0f,
                  sf::Color::White);
        if (maps.empty()) {
            const sf::Text none =
                fitted_text(font, "No maps yet: the Maps folder is missing or empty.", 20, static_cast<float>(W - 16));
            draw_text(window, none, static_cast<float>(W / 2) - none.getLocalBounds().width / 2.0f,
                      static_cast<float>(H / 2 - 40), sf::Color::White);
            const sf::Text hint =
                fitted_text(font, "Put map text files into Maps/ in the game folder.", 16, static_cast<float>(W - 16));
            draw_text(window, hint, static_cast<float>(W / 2) - hint.getLocalBounds().width / 2.0f,
                      static_cast<float>(H / 2), sf::Color(180, 180, 180));
        }
        for (int slot = 0; slot < layout.rows_per_page; ++slot) {
            const size_t index = static_cast<size_t>(page) * static_cast<size_t>(layout.rows_per_page) + slot;
            if (index >= maps.size()) break;
            const Rect r = layout.row(slot);
            draw_button(window, r, static_cast<int>(index) == under ? hovered_outline : unlocked_outline);
            draw_text(window, fitted_text(font, maps[index].filename().string(), 20, static_cast<float>(r.w - 20)),
                      static_cast<float>(r.x + 10), static_cast<float>(r.y + 3), sf::Color::White);
        }
        if (layout.pages > 1) {
            const bool on_previous = layout.previous.contains(at.x, at.y);
            const bool on_next = layout.next.contains(at.x, at.y);
            hot = hot || on_previous || on_next;
            draw_button(window, layout.previous, on_previous ? hovered_outline : unlocked_outline);
            draw_button(window, layout.next, on_next ? hovered_outline : unlocked_outline);
            draw_text(window, sf::Text("<", font, 24), static_cast<float>(layout.previous.x + 38),
                      static_cast<float>(layout.previous.y), sf::Color::White);
            draw_text(window, sf::Text(">", font, 24), static_cast<float>(layout.next.x + 38),
                      static_cast<float>(layout.next.y), sf::Color::White);
            const sf::Text where("Page " + std::to_string(page + 1) + " of " + std::to_string(layout.pages), font, 18);
            draw_text(window, where, static_cast<float>(W / 2) - where.getLocalBounds().width / 2.0f,
                      static_cast<float>(layout.previous.y + 5), sf::Color::White);
        }
        if (!message.empty())
            draw_text(window, fitted_text(font, message, 16, static_cast<float>(W - 16)), 8.0f,
                      static_cast<float>(H - 28), message_colour);
        window.draw(go_back);
        draw_cursor(window, pulse, hot);
        post_process_window(window);
        window.display();
    }
    cursor_sprite.setScale(1.0f, 1.0f);
}
