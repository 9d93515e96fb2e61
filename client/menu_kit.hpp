// What the menu screens share, the pause menu included: their pictures, boxes
// and lines of text, the keys and clicks they answer, the window's layout size,
// and starting a game from a menu.
#pragma once

#include <cstdint>
#include <string>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Window/Event.hpp>

#include "app/menu_input.hpp"
#include "app/menu_layout.hpp"
#include "client/game_screen.hpp"
#include "client/shapes.hpp"

// A menu picture with smoothing per smooth_sprites; a file that does not load
// leaves it empty (invisible) and the screen works on.
sf::Texture load_menu_image(const std::string& path);

// A menu picture placed at its top-left corner, px.
struct MenuPicture {
    sf::Texture image;
    sf::Sprite sprite;
    void load(const std::string& path, int x, int y);
    void draw(sf::RenderTarget& target) const { target.draw(sprite); }
};

// The font the menus write with; without it the screens work on, unlabelled.
inline constexpr const char* menu_font_path = "Fonts/DejaVuSans.ttf";
// UTF-8 `words` cut to fit `width` px, with "..." where it was cut: one line, always.
sf::Text fitted_text(const sf::Font& font, const std::string& words, unsigned size, float width);
// Draws `text` with its top-left at (x, y) in `colour`.
void draw_text(sf::RenderTarget& target, sf::Text text, float x, float y, sf::Color colour);
// Draws `text` centred on x, its top at y.
void draw_text_centred(sf::RenderTarget& target, sf::Text text, float x, float y, sf::Color colour);

// The last refusal or result, shown on a menu's bottom line.
struct StatusLine {
    std::string words;
    bool good = false;  // a success in green, else a refusal in red
};
// Draws the line at the bottom of a W x H layout; nothing when it is empty.
void draw_status_line(sf::RenderTarget& target, const sf::Font& font, const StatusLine& line, sf::Vector2i layout);

// W and H every screen lays out for: the configured resolution, or the
// 800 x 600 the game falls back to when that is unusable, whatever size the window has.
sf::Vector2i layout_size();

// Plays one map from a menu and returns how it ended: lifts the menus' frame
// limit, title music stopped and the pointer confined to the window (windowed,
// confine_cursor on) while it runs, the frame limit back afterwards. map_text:
// a custom map's text, or nullptr for the built-in map the name selects.
GameResult play_from_menu(sf::RenderWindow& window, sf::Music& title_music, const std::string& map_name,
                          const std::string* map_text = nullptr);
