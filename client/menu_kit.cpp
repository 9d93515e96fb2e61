#include "client/menu_kit.hpp"

#include <thread>

#include "app/settings.hpp"
#include "app/utf8_text.hpp"
#include "client/file_loading.hpp"
#include "client/frame_canvas.hpp"
#include "client/screen.hpp"

sf::Texture load_menu_image(const std::string& path) {
    sf::Texture image;
    load_texture(image, path);
    image.setSmooth(settings.smooth_sprites != 0);
    return image;
}

void MenuPicture::load(const std::string& path, int x, int y) {
    image = load_menu_image(path);
    sprite.setTexture(image, true);
    sprite.setPosition(static_cast<float>(x), static_cast<float>(y));
}

sf::Text fitted_text(const sf::Font& font, const std::string& words, unsigned size, float width) {
    sf::String shown = utf8_text(words);  // one glyph per character, not per byte
    for (sf::Uint32& c : shown)
        if (c == '\n' || c == '\r' || c == '\t') c = ' ';
    sf::Text text(shown, font, size);
    if (text.getLocalBounds().width <= width) return text;
    while (!shown.isEmpty()) {
        shown.erase(shown.getSize() - 1);
        text.setString(shown + "...");
        if (text.getLocalBounds().width <= width) break;
    }
    return text;
}

void draw_text(sf::RenderTarget& target, sf::Text text, float x, float y, sf::Color colour) {
    text.setPosition(x, y);
    text.setFillColor(colour);
    target.draw(text);
}

void draw_text_centred(sf::RenderTarget& target, sf::Text text, float x, float y, sf::Color colour) {
    draw_text(target, text, x - text.getLocalBounds().width / 2.0f, y, colour);
}

void draw_status_line(sf::RenderTarget& target, const sf::Font& font, const StatusLine& line, sf::Vector2i layout) {
    if (line.words.empty()) return;
    const sf::Color refusal(255, 140, 120, 255), success(140, 255, 140, 255);
    const float W = static_cast<float>(layout.x), H = static_cast<float>(layout.y);
    draw_text(target, fitted_text(font, line.words, 16, W - 16), 8.0f, H - 28, line.good ? success : refusal);
}

sf::Vector2i layout_size() {
    return {static_cast<int>(frame_canvas.layout().x), static_cast<int>(frame_canvas.layout().y)};
}

GameResult play_from_menu(sf::RenderWindow& window, sf::Music& title_music, const std::string& map_name,
                          const std::string* map_text) {
    set_frame_limit(window, FrameLimit::none);
    title_music.stop();
    const bool confine = settings.fullscreen == 0 && settings.confine_cursor != 0;
    // SFML grabs the pointer into the window's inner rectangle, a little
    // inside the outer frame the original confinement used.
    if (confine) window.setMouseCursorGrabbed(true);
    std::this_thread::yield();
    GameResult result = run_game(window, map_name, map_text);
    std::this_thread::yield();
    if (window.isOpen()) {
        if (confine) window.setMouseCursorGrabbed(false);
        set_frame_limit(window, FrameLimit::menus);
    }
    return result;
}
