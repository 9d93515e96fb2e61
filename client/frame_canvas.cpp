#include "client/frame_canvas.hpp"

#include <algorithm>
#include <cmath>

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Mouse.hpp>

#include "client/shader_pass.hpp"

namespace {

// Program-wide: the time since the window last showed a frame, whichever screen showed it,
// so the time spent in a menu or a sequence never reaches the game's updates.
sf::Clock since_shown;

}  // namespace

bool FrameCanvas::create(sf::Vector2u layout) {
    layout_ = layout;
    for (sf::RenderTexture& p : pictures_) {
        if (!p.create(layout.x, layout.y)) return false;
        p.clear(sf::Color::Black);
    }
    drawing_ = shown_ = 0;
    return true;
}

int FrameCanvas::spare() const {
    for (int i = 0; i < static_cast<int>(pictures_.size()); ++i)
        if (i != drawing_ && i != shown_) return i;
    return drawing_;
}

void FrameCanvas::clear() {
    drawing_ = spare();
    target().clear(sf::Color::Black);
}

void FrameCanvas::take_scene(const sf::Texture& scene) {
    clear();
    draw_through_shader(target(), scene);
}

void FrameCanvas::shader_pass() {
    if (!shader_effect_on()) return;
    sf::RenderTexture& drawn = pictures_[drawing_];
    drawn.display();
    drawing_ = spare();
    target().clear(sf::Color::Black);
    draw_through_shader(target(), drawn.getTexture());
}

const sf::Texture& FrameCanvas::drawn() {
    pictures_[drawing_].display();
    return pictures_[drawing_].getTexture();
}

float FrameCanvas::scale_for(sf::Vector2u window) const {
    if (layout_.x == 0 || layout_.y == 0) return 1.0f;
    return std::min(static_cast<float>(window.x) / static_cast<float>(layout_.x),
                    static_cast<float>(window.y) / static_cast<float>(layout_.y));
}

sf::Vector2f FrameCanvas::origin_for(sf::Vector2u window) const {
    const float scale = scale_for(window);
    // Whole pixels, so a picture shown at scale 1 lands exactly on the window's pixels.
    const auto margin = [scale](unsigned window_side, unsigned layout_side) {
        return static_cast<float>(
            static_cast<int>((static_cast<float>(window_side) - static_cast<float>(layout_side) * scale) / 2));
    };
    return {margin(window.x, layout_.x), margin(window.y, layout_.y)};
}

uint32_t FrameCanvas::present(sf::RenderWindow& window) {
    sf::RenderTexture& frame = pictures_[drawing_];
    frame.display();
    shown_ = drawing_;
    const sf::Vector2u size = window.getSize();
    const float scale = scale_for(size);
    window.setView(sf::View(sf::FloatRect(0, 0, static_cast<float>(size.x), static_cast<float>(size.y))));
    window.clear(sf::Color::Black);
    frame.setSmooth(scale != 1.0f);
    sf::Sprite picture(frame.getTexture());
    picture.setScale(scale, scale);
    picture.setPosition(origin_for(size));
    window.draw(picture);
    window.display();
    return static_cast<uint32_t>(since_shown.restart().asMilliseconds());
}

sf::Vector2i FrameCanvas::to_layout(const sf::RenderWindow& window, sf::Vector2i p) const {
    const sf::Vector2u size = window.getSize();
    const float scale = scale_for(size);
    const sf::Vector2f origin = origin_for(size);
    if (scale == 1.0f) return {p.x - static_cast<int>(origin.x), p.y - static_cast<int>(origin.y)};
    const auto floor_div = [scale](float v) { return static_cast<int>(std::floor(v / scale)); };
    return {floor_div(static_cast<float>(p.x) - origin.x), floor_div(static_cast<float>(p.y) - origin.y)};
}

sf::Vector2i pointer_in_layout(const sf::RenderWindow& window) {
    return frame_canvas.to_layout(window, sf::Mouse::getPosition(window));
}
