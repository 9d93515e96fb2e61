#include "client/screen.hpp"

#include <SFML/Window/Keyboard.hpp>
#include <SFML/Window/Mouse.hpp>

#include "app/cursor_pulse.hpp"
#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/object_images.hpp"

namespace {

KeyRepeatFilter key_repeats;  // program-wide: a key held from one screen into the next still acts once

void draw_cursor(sf::RenderTarget& target, sf::Vector2i pointer, float scale) {
    cursor_sprite.setScale(scale, scale);
    cursor_sprite.setPosition(static_cast<float>(pointer.x), static_cast<float>(pointer.y));
    target.draw(cursor_sprite);
}

// Draws one frame of the screen onto the frame canvas, through the shader where it asks for it, and shows it.
uint32_t draw_frame(sf::RenderWindow& window, Screen& screen, const ScreenTraits& traits, sf::Vector2i pointer,
                    CursorPulse& pulse) {
    const float cursor_scale = pulse.next(screen.cursor_hot(pointer));
    const bool cursor_drawn = !traits.system_pointer;
    const sf::Vector2i cursor = screen.cursor_at(pointer);
    if (sf::RenderTexture* scene = screen.scene()) {
        screen.draw(*scene, pointer);
        if (cursor_drawn) draw_cursor(*scene, cursor, cursor_scale);
        scene->display();
        frame_canvas.take_scene(scene->getTexture());
        screen.draw_unshaded(frame_canvas.target());
        return frame_canvas.present(window);
    }
    frame_canvas.clear();
    screen.draw(frame_canvas.target(), pointer);
    if (cursor_drawn && traits.cursor_shaded) draw_cursor(frame_canvas.target(), cursor, cursor_scale);
    if (traits.shader_pass) frame_canvas.shader_pass();
    screen.draw_unshaded(frame_canvas.target());
    if (cursor_drawn && !traits.cursor_shaded) draw_cursor(frame_canvas.target(), cursor, cursor_scale);
    screen.draw_over_cursor(frame_canvas.target());
    return frame_canvas.present(window);
}

// Hands the screen the pending events its pace allows; false when a close request ended it.
bool take_events(sf::RenderWindow& window, Screen& screen, EventPace pace) {
    sf::Event event;
    const auto take = [&] {
        if (event.type == sf::Event::Closed) {
            window.close();
            screen.closed();
            return false;
        }
        const bool still_down = event.type == sf::Event::KeyReleased && sf::Keyboard::isKeyPressed(event.key.code);
        if (!key_repeats.passes(event, still_down)) return true;
        screen.handle(event, pointer_in_layout(window));
        return true;
    };
    switch (pace) {
        case EventPace::one_per_frame: return !window.pollEvent(event) || take();
        case EventPace::wait_for_each: return !window.waitEvent(event) || take();
        case EventPace::all_pending:
            while (!screen.done() && window.pollEvent(event))
                if (!take()) return false;
            return true;
    }
    return true;
}

}  // namespace

void set_frame_limit(sf::RenderWindow& window, FrameLimit limit) {
    if (limit == FrameLimit::keep || settings.use_alternate_timer == 0) return;
    const bool menus = limit == FrameLimit::menus && settings.max_framerate > 0;
    window.setFramerateLimit(menus ? static_cast<unsigned>(settings.max_framerate) : 0);
}

void run_screen(sf::RenderWindow& window, Screen& screen, TitleMusic* title_music) {
    const ScreenTraits traits = screen.traits();
    set_frame_limit(window, traits.on_entry);
    if (traits.system_pointer) window.setMouseCursorVisible(true);
    screen.load();
    CursorPulse pulse;
    uint32_t frame_ms = 0;
    while (window.isOpen() && !screen.done()) {
        if (traits.events == EventPace::wait_for_each) frame_ms = draw_frame(window, screen, traits, {}, pulse);
        if (!take_events(window, screen, traits.events) || screen.done()) break;
        if (traits.title_music && title_music) music_upkeep(title_music->music, title_music->playlist);
        const sf::Vector2i pointer = pointer_in_layout(window);
        // Held buttons count only while the window has the focus: the button state is the whole desktop's.
        const bool left_held = window.hasFocus() && sf::Mouse::isButtonPressed(sf::Mouse::Left);
        screen.update({pointer, left_held, frame_ms});
        if (screen.done() || traits.events == EventPace::wait_for_each) continue;
        frame_ms = draw_frame(window, screen, traits, pointer, pulse);
        screen.shown();
    }
    cursor_sprite.setScale(1.0f, 1.0f);
    if (!window.isOpen()) return;
    set_frame_limit(window, traits.on_leave);
    if (traits.system_pointer) window.setMouseCursorVisible(false);
}
