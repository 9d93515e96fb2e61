#include "client/game_screen.hpp"

#include <new>
#include <optional>

#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>

#include "app/key_codes.hpp"
#include "app/settings.hpp"
#include "client/end_sequences.hpp"
#include "client/game_session.hpp"
#include "client/object_images.hpp"
#include "client/pause_menu.hpp"
#include "client/scene_drawing.hpp"
#include "client/screenshot.hpp"
#include "client/shader_pass.hpp"
#include "client/window_input.hpp"
#include "game/frame.hpp"
#include "game/health.hpp"
#include "game/update.hpp"
#include "world/maps.hpp"

namespace {

std::string game_error;

// The window's side of every frame the frame driver runs.
class WindowView : public FrameView {
public:
    explicit WindowView(GameSession& session) : s(session) {}

    void music(bool f9_pressed) override {
        if (f9_pressed) s.music.stop();  // the next upkeep picks another track
        music_upkeep(s.music, s.playlist);
    }
    void draw_scene(bool) override { ::draw_scene(s.scene, s.laser_image); }
    void exit_sequence() override { play_exit_animation(s); }
    void death_sequence() override { play_death_animation(s); }
    void game_over_sequence() override { play_game_over(s); }
    void finish_frame(bool player_drawn) override {
        const sf::Vector2i pointer = s.pointer();
        if (player_drawn) draw_player(s.scene, pointer);
        cursor_sprite.setPosition(static_cast<float>(pointer.x), static_cast<float>(pointer.y));
        s.scene.draw(cursor_sprite);
        present_offscreen(s.window, s.scene);
        s.window.display();
        s.displayed();
    }

private:
    GameSession& s;
};

// Pointer confinement to the window in a windowed game, as the player's settings ask.
void confine_pointer(GameSession& s, bool on) {
    if (settings.fullscreen == 0 && settings.confine_cursor != 0) s.window.setMouseCursorGrabbed(on);
}

// Escape: the game freezes under the pause menu. Restart costs a life through
// this frame's death test; leave and close end the game.
PauseChoice pause_game(GameSession& s) {
    sf::Texture last_frame;
    last_frame.create(s.window.getSize().x, s.window.getSize().y);
    last_frame.update(s.window);
    confine_pointer(s, false);
    const bool had_music = !s.playlist.empty();
    if (had_music && s.music.getStatus() == sf::SoundSource::Playing) s.music.pause();
    const PauseChoice chosen = run_pause_menu(s.window, last_frame);
    if (chosen == pause_leave || chosen == pause_closed) return chosen;
    if (chosen == pause_restart) forfeit_life();
    if (had_music && s.music.getStatus() == sf::SoundSource::Paused) s.music.play();
    confine_pointer(s, true);
    s.since_display.restart();  // the time in the menu does not reach the game
    return chosen;
}

// Handles every pending event; a choice that ends the game when there is one.
std::optional<PauseChoice> handle_events(GameSession& s) {
    for (sf::Event event; s.window.pollEvent(event);) {
        const bool key = event.type == sf::Event::KeyPressed;
        s.last_event_was_f9 = key && event.key.code == key_from_file_code(key_code::f9);
        if (event.type == sf::Event::Closed) return pause_closed;
        if (key && event.key.code == key_from_file_code(key_code::escape)) {
            const PauseChoice chosen = pause_game(s);
            if (chosen == pause_leave || chosen == pause_closed) return chosen;
        }
        if (key && event.key.code == key_from_file_code(key_code::f12)) take_screenshot(s.window, s.map_name);
    }
    return std::nullopt;
}

// The frames of one game until it is won, lost, left or closed.
bool play_frames(GameSession& s) {
    WindowView view(s);
    const InputSource input = [&s](UpdateInput& in) {
        read_window_input(s.window, s.last_event_was_f9, in);
        return true;
    };
    while (true) {
        if (!s.window.isOpen()) return false;
        if (const auto ended = handle_events(s)) {
            if (*ended == pause_closed) s.window.close();
            sf::sleep(sf::Time::Zero);
            return false;
        }
        const FrameOutcome outcome = run_frame(s.frame_ms, input, view).outcome;
        if (outcome == FrameOutcome::won) return true;
        if (outcome == FrameOutcome::game_over) return false;
    }
}

}  // namespace

const std::string& last_game_error() { return game_error; }

bool run_game(sf::RenderWindow& window, const std::string& map_name, const std::string* map_text) {
    game_error.clear();
    const char* text = map_text ? map_text->c_str() : map_text_for_name(map_name);
    if (text == nullptr) {
        game_error = "there is no map named \"" + map_name + "\"";
        return false;
    }
    const std::optional<LoadedGame> loaded = start_game(text, game_error);
    if (!loaded) return false;
    try {
        GameSession session(window, map_name);
        sf::sleep(sf::milliseconds(1));
        return play_frames(session);
    } catch (const std::bad_alloc&) {
        // The game frees the grid and the laser buffer when this returns.
        game_error = "the game ran out of memory and had to stop";
        return false;
    }
}
