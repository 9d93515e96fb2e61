#include "menus/title_menu.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>

#include "app/cursor_pulse.hpp"
#include "app/menu_layout.hpp"
#include "app/settings.hpp"
#include "client/menu_kit.hpp"
#include "client/shader_pass.hpp"
#include "menus/menu_screen.hpp"

namespace {

const char* const menu_folder = "Graphics/Game/Menus/";
const char* const credit_line = "created by brindlecap";
constexpr int credit_letter_step = 16;  // px per letter, a space included

// The logo panel's slowly cycling colour: components stay within 100 .. 240
// (a drawn frame may show up to 5 beyond, as the clamp follows the drawing).
struct LogoColour {
    std::array<int, 3> value = {100, 100, 100};  // red, green, blue
    std::array<int, 3> step = {1, 1, 1};         // 1 .. 5 each
    int direction = 1;

    void new_steps() {
        for (int& s : step) s = std::rand() % 5 + 1;
    }
    // After the panel is drawn: turn round at either end of the range, then clamp.
    void bookkeep() {
        if (std::any_of(value.begin(), value.end(), [](int c) { return c > 240; })) {
            new_steps();
            direction = -1;
        }
        if (std::any_of(value.begin(), value.end(), [](int c) { return c < 100; })) {
            new_steps();
            direction = 1;
        }
        for (int& c : value) c = std::clamp(c, 100, 240);
    }
    void advance() {
        for (size_t i = 0; i < value.size(); ++i) value[i] += direction * step[i];
    }
};

sf::RectangleShape filled_rect(int x, int y, int w, int h, sf::Color colour) {
    sf::RectangleShape rect(sf::Vector2f(static_cast<float>(w), static_cast<float>(h)));
    rect.setPosition(static_cast<float>(x), static_cast<float>(y));
    rect.setFillColor(colour);
    return rect;
}

// The credit line along the top, one letter image per letter, loaded for this
// frame only and without smoothing.
void draw_credit_line(sf::RenderWindow& window) {
    for (size_t i = 0; credit_line[i] != '\0'; ++i) {
        if (credit_line[i] == ' ') continue;
        sf::Texture letter;
        letter.loadFromFile(std::string(menu_folder) + credit_line[i] + ".png");
        sf::Sprite sprite(letter);
        sprite.setPosition(static_cast<float>(credit_letter_step * static_cast<int>(i)), 0.0f);
        window.draw(sprite);
    }
}

}  // namespace

int run_title_menu(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist) {
    menu_frame_limit(window, true);
    LogoColour logo;
    logo.new_steps();

    const int W = menu_width(window);
    const int H = menu_height(window);
    const int left = W / 2 - 256;
    struct Placed {
        const char* file;
        int x, y;
    };
    // Drawn before the shader pass: the logo halves and the five entries.
    const std::array<Placed, 7> shaded = {{{"vantorel1.png", left, 10},
                                           {"vantorel2.png", left, 138},
                                           {"playgame.png", left, 280},
                                           {"custommap.png", left, 340},
                                           {"controls.png", left, 400},
                                           {"story.png", left, 460},
                                           {"quitgame.png", left, 520}}};
    // Drawn after it, untouched by the shader: the maker's logos and the version.
    const std::array<Placed, 3> plain = {
        {{"brindlecap.png", 0, H - 128}, {"abrindlecapgame.png", 0, H - 64}, {"version.png", W - 64, H - 32}}};
    std::array<sf::Texture, 7> shaded_images;
    std::array<sf::Texture, 3> plain_images;
    std::array<sf::Sprite, 7> shaded_sprites;
    std::array<sf::Sprite, 3> plain_sprites;
    for (size_t i = 0; i < shaded.size(); ++i) {
        shaded_images[i] = load_menu_image(std::string(menu_folder) + shaded[i].file);
        shaded_sprites[i].setTexture(shaded_images[i], true);
        shaded_sprites[i].setPosition(static_cast<float>(shaded[i].x), static_cast<float>(shaded[i].y));
    }
    for (size_t i = 0; i < plain.size(); ++i) {
        plain_images[i] = load_menu_image(std::string(menu_folder) + plain[i].file);
        plain_sprites[i].setTexture(plain_images[i], true);
        plain_sprites[i].setPosition(static_cast<float>(plain[i].x), static_cast<float>(plain[i].y));
    }

    CursorPulse pulse;
    int choice = title_none;
    while (window.isOpen()) {
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                window.close();
                return title_none;
            }
            if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
                menu_frame_limit(window, false);
                return choice;
            }
        }
        music_upkeep(title_music, title_playlist);

        const sf::Vector2i at = pointer_in(window);
        choice = title_choice(at.x, at.y, W);

        window.clear(sf::Color::Black);
        window.draw(filled_rect(left, title_entries_top, 512, 300, sf::Color(255, 0, 0, 255)));
        if (choice != title_none)
            window.draw(filled_rect(left, title_entries_top + title_entry_pitch * choice, 512, 64,
                                    sf::Color(0, 255, 255, 255)));
        // Low bytes, as the panel may be drawn up to 5 outside 100 .. 240.
        const auto byte = [](int c) { return static_cast<sf::Uint8>(c & 0xff); };
        window.draw(filled_rect(left, 10, 512, 256,
                                sf::Color(byte(logo.value[0]), byte(logo.value[1]), byte(logo.value[2]), 255)));
        logo.bookkeep();
        for (const auto& sprite : shaded_sprites) window.draw(sprite);
        post_process_window(window);
        for (const auto& sprite : plain_sprites) window.draw(sprite);
        draw_cursor(window, pulse, title_cursor_pulses(at.x, W, choice));
        if (settings.show_ze_creator != 0) draw_credit_line(window);
        window.display();
        logo.advance();
    }
    return title_none;
}
