#include "client/game_screen.hpp"

#include <new>
#include <optional>
#include <utility>

#include <SFML/System/Sleep.hpp>

#include "app/key_codes.hpp"
#include "app/settings.hpp"
#include "client/end_sequences.hpp"
#include "client/frame_canvas.hpp"
#include "client/game_session.hpp"
#include "client/menu_kit.hpp"
#include "client/pause_menu.hpp"
#include "client/scene_drawing.hpp"
#include "client/screen.hpp"
#include "client/screenshot.hpp"
#include "client/window_input.hpp"
#include "game/frame.hpp"
#include "game/health.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"

namespace {

// The window's side of every frame the frame driver runs.
class WindowView : public FrameView {
public:
    explicit WindowView(GameSession& session) : s(session) {}

    void music(bool f9_pressed) override {
        if (f9_pressed) s.music.stop();  // the next upkeep picks another track
        music_upkeep(s.music, s.playlist);
    }
    void draw_scene(bool) override { ::draw_scene(s.scene, s.laser_image, s.walls); }
    void exit_sequence() override { play_exit_animation(s); }
    void death_sequence() override { play_death_animation(s); }
    void game_over_sequence() override { play_game_over(s); }
    // The player goes into the scene here; the screen loop adds the cursor and presents it.
    void finish_frame(bool player_drawn) override {
        if (player_drawn) draw_player(s.scene, s.pointer());
    }

private:
    GameSession& s;
};

// Pointer confinement to the window in a windowed game, as the player's settings ask.
void confine_pointer(GameSession& s, bool on) {
    if (settings.fullscreen == 0 && settings.confine_cursor != 0) s.window.setMouseCursorGrabbed(on);
}

// Escape, or the window losing the focus: the game freezes under the pause menu. Restart costs a life through
// this frame's death test; leave and close end the game.
PauseChoice pause_game(GameSession& s) {
    const sf::Texture last_frame(frame_canvas.shown());
    confine_pointer(s, false);
    const bool had_music = !s.playlist.empty();
    if (had_music && s.music.getStatus() == sf::SoundSource::Playing) s.music.pause();
    const PauseChoice chosen = run_pause_menu(s.window, last_frame);
    if (chosen == pause_leave || chosen == pause_closed) return chosen;
    if (chosen == pause_restart) forfeit_life();
    if (had_music && s.music.getStatus() == sf::SoundSource::Paused) s.music.play();
    confine_pointer(s, true);
    return chosen;
}

// The frames of one game, until it is won, lost, left or closed.
class GameScreen : public Screen {
public:
    explicit GameScreen(GameSession& session) : s_(session), view_(session) {}

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.on_entry = FrameLimit::keep;  // the menu that starts a game lifts its limit
        return t;
    }
    void load() override { sf::sleep(sf::milliseconds(1)); }
    void handle(const sf::Event& event, sf::Vector2i) override {
        if (is_key_press(event, key_code::f9)) f9_pending_ = true;
        // The game never runs unseen: another window taking the focus pauses it, as Escape does.
        if (is_escape_press(event) || event.type == sf::Event::LostFocus) {
            const PauseChoice chosen = pause_game(s_);
            if (chosen == pause_leave) end_ = GameEnd::left;
            if (chosen == pause_closed) end_ = GameEnd::closed;
            if (end_) return;
        }
        if (is_key_press(event, key_code::f12)) take_screenshot(frame_canvas.shown(), s_.map_name);
    }
    void closed() override { end_ = GameEnd::closed; }
    void update(const FrameInput& input) override {
        // One F9 press skips one track: the first update after it sees it, no other.
        const InputSource source = [this](UpdateInput& in) {
            read_window_input(s_.window, std::exchange(f9_pending_, false), in);
            return true;
        };
        const FrameOutcome outcome = run_frame(input.frame_ms, source, view_).outcome;
        if (outcome == FrameOutcome::won) end_ = GameEnd::won;
        if (outcome == FrameOutcome::game_over) end_ = GameEnd::game_over;
    }
    void draw(sf::RenderTarget&, sf::Vector2i) override {}  // the frame driver drew the scene
    sf::RenderTexture* scene() override { return &s_.scene; }
    bool done() const override { return end_.has_value(); }
    GameEnd end() const { return end_.value_or(GameEnd::closed); }

private:
    GameSession& s_;
    WindowView view_;
    bool f9_pending_ = false;  // an F9 press no update has seen yet
    std::optional<GameEnd> end_;
};

}  // namespace

GameResult run_game(sf::RenderWindow& window, const std::string& map_name, const std::string* map_text) {
    GameResult result;
    const char* text = map_text ? map_text->c_str() : map_text_for_name(map_name);
    if (text == nullptr) {
        result.error = "there is no map named \"" + map_name + "\"";
        return result;
    }
    bool started = false;
    try {
        // A map the loader accepts may still need more memory than there is (its grid alone up to 200 MB).
        const std::optional<LoadedGame> loaded = start_game(text, result.error);
        if (!loaded) return result;
        started = true;
        result.warnings = map_warnings();
        GameSession session(window, map_name);
        GameScreen screen(session);
        run_screen(window, screen);
        result.end = screen.end();
    } catch (const std::bad_alloc&) {
        // The loaded game, or a start cut short, has freed the grid and the laser buffer on its way out.
        result.end = GameEnd::failed;
        result.error =
            started ? "the game ran out of memory and had to stop" : "there is not enough memory to play this map";
    }
    return result;
}
