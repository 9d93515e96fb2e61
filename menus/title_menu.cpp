#include "menus/title_menu.hpp"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Window/Event.hpp>

#include "app/cursor_pulse.hpp"
#include "app/image_paths.hpp"
#include "app/menu_layout.hpp"
#include "app/settings.hpp"
#include "client/menu_kit.hpp"
#include "client/shader_pass.hpp"
#include "menus/menu_screen.hpp"

namespace {

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
        letter.loadFromFile(image_paths::credit_letter(credit_line[i]));
        sf::Sprite sprite(letter);
        sprite.setPosition(static_cast<float>(credit_letter_step * static_cast<int>(i)), 0.0f);
        window.draw(sprite);
    }
}

// The title's images, placed: the logo halves and the five entries go through
// the shader pass; the maker's logos and the version are drawn after it.
struct TitleImages {
    struct Placed {
        sf::Texture image;
        sf::Sprite sprite;
    };
    std::array<Placed, 7> shaded;
    std::array<Placed, 3> plain;

    static void place(Placed& p, const char* path, int x, int y) {
        p.image = load_menu_image(path);
        p.sprite.setTexture(p.image, true);
        p.sprite.setPosition(static_cast<float>(x), static_cast<float>(y));
    }
    void load(int W, int H) {
        const int left = W / 2 - 256;
        place(shaded[0], image_paths::logo_top, left, 10);
        place(shaded[1], image_paths::logo_bottom, left, 138);
        for (size_t i = 0; i < image_paths::title_entries.size(); ++i)
            place(shaded[i + 2], image_paths::title_entries[i], left,
                  title_entries_top + title_entry_pitch * static_cast<int>(i));
        place(plain[0], image_paths::maker_logo, 0, H - 128);
        place(plain[1], image_paths::maker_caption, 0, H - 64);
        place(plain[2], image_paths::version, W - 64, H - 32);
    }
};

// The red panel, the cyan highlight under the chosen entry, and the logo panel in its cycling colour.
void draw_panels(sf::RenderWindow& window, int left, int choice, LogoColour& logo) {
    window.draw(filled_rect(left, title_entries_top, 512, 300, sf::Color(255, 0, 0, 255)));
    if (choice != title_none)
        window.draw(
            filled_rect(left, title_entries_top + title_entry_pitch * choice, 512, 64, sf::Color(0, 255, 255, 255)));
    // Low bytes, as the panel may be drawn up to 5 outside 100 .. 240.
    const auto byte = [](int c) { return static_cast<sf::Uint8>(c & 0xff); };
    window.draw(
        filled_rect(left, 10, 512, 256, sf::Color(byte(logo.value[0]), byte(logo.value[1]), byte(logo.value[2]), 255)));
    logo.bookkeep();
}

// A left click chooses what lies under the pointer; a close request closes the window.
enum class TitleEvent { none, clicked, closed };
TitleEvent poll_title_events(sf::RenderWindow& window) {
    for (sf::Event event; window.pollEvent(event);) {
        if (event.type == sf::Event::Closed) return TitleEvent::closed;
        if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left)
            return TitleEvent::clicked;
    }
    return TitleEvent::none;
}

}  // namespace

int run_title_menu(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist) {
    menu_frame_limit(window, true);
    LogoColour logo;
    logo.new_steps();
    const int W = menu_width(window);
    const int H = menu_height(window);
    TitleImages images;
    images.load(W, H);
    CursorPulse pulse;
    int choice = title_none;
    while (window.isOpen()) {
        switch (poll_title_events(window)) {
            case TitleEvent::closed: window.close(); return title_none;
            case TitleEvent::clicked: menu_frame_limit(window, false); return choice;
            case TitleEvent::none: break;
        }
        music_upkeep(title_music, title_playlist);

        const sf::Vector2i at = pointer_in(window);
        choice = title_choice(at.x, at.y, W);
        window.clear(sf::Color::Black);
        draw_panels(window, W / 2 - 256, choice, logo);
        for (const auto& p : images.shaded) window.draw(p.sprite);
        post_process_window(window);
        for (const auto& p : images.plain) window.draw(p.sprite);
        draw_cursor(window, pulse, title_cursor_pulses(at.x, W, choice));
        if (settings.show_ze_creator != 0) draw_credit_line(window);
        window.display();
        logo.advance();
    }
    return title_none;
}
