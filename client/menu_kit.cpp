#include "client/menu_kit.hpp"

#include <SFML/Window/Mouse.hpp>

#include "app/settings.hpp"
#include "client/object_images.hpp"

sf::Texture load_menu_image(const std::string& path) {
    sf::Texture image;
    image.loadFromFile(path);
    image.setSmooth(settings.smooth_sprites != 0);
    return image;
}

void draw_cursor(sf::RenderWindow& window, CursorPulse& pulse, bool over_hot_area) {
    const float scale = pulse.next(over_hot_area);
    cursor_sprite.setScale(scale, scale);
    const sf::Vector2i at = sf::Mouse::getPosition(window);
    cursor_sprite.setPosition(static_cast<float>(at.x), static_cast<float>(at.y));
    window.draw(cursor_sprite);
}

void menu_frame_limit(sf::RenderWindow& window, bool on) {
    if (settings.use_alternate_timer == 0) return;
    window.setFramerateLimit(on && settings.max_framerate > 0 ? static_cast<unsigned>(settings.max_framerate) : 0);
}
