#include "client/game_screen.hpp"

#include <chrono>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

#include <SFML/System/Sleep.hpp>

#include "app/bindings.hpp"
#include "app/key_codes.hpp"
#include "app/settings.hpp"
#include "app/sha256.hpp"
#include "client/frame_canvas.hpp"
#include "client/game_session.hpp"
#include "client/game_view.hpp"
#include "client/menu_kit.hpp"
#include "client/pause_menu.hpp"
#include "client/screen.hpp"
#include "client/screenshot.hpp"
#include "client/window_input.hpp"
#include "game/frame.hpp"
#include "game/replay_library.hpp"
#include "game/replay_recorder.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"

namespace {

// Pointer confinement to the window in a windowed game, as the player's settings ask.
void confine_pointer(GameSession& s, bool on) {
    if (settings.fullscreen == 0 && settings.confine_cursor != 0) s.window.setMouseCursorGrabbed(on);
}

// Escape, or the window losing the focus: the game freezes under the pause menu.
PauseChoice pause_game(GameSession& s) {
    const sf::Texture last_frame(frame_canvas.shown());
    confine_pointer(s, false);
    const bool had_music = !s.playlist.empty();
    if (had_music && s.music.getStatus() == sf::SoundSource::Playing) s.music.pause();
    const PauseChoice chosen = run_pause_menu(s.window, last_frame);
    if (chosen == pause_leave || chosen == pause_closed) return chosen;
    if (had_music && s.music.getStatus() == sf::SoundSource::Paused) s.music.play();
    confine_pointer(s, true);
    return chosen;
}

// Whether a key is one of the six actions' bindings (then it plays, and does nothing else).
bool bound_to_action(sf::Keyboard::Key key) {
    for (int a = 0; a < action_count; ++a)
        if (bindings.kind[static_cast<size_t>(a)] == 'k' &&
            key_from_file_code(bindings.code[static_cast<size_t>(a)]) == key)
            return true;
    return false;
}

// The frames of one game, until it is won, lost, left or closed, each update's input recorded as it is played.
class GameScreen : public Screen {
public:
    GameScreen(GameSession& session, ReplayRecorder& recorder, const GhostTrack* best)
        : s_(session), view_(session), recorder_(recorder), clock_(best) {
        if (best != nullptr) view_.race(best, &clock_);
    }

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
            // Costs a life at the start of the next update that runs.
            if (chosen == pause_restart) recorder_.restart();
        }
        if (is_key_press(event, key_code::f12)) take_screenshot(frame_canvas.shown(), s_.map_name);
        if (event.type == sf::Event::KeyPressed && event.key.code == sf::Keyboard::G &&
            !bound_to_action(event.key.code))
            view_.show_ghost(!view_.ghost_shown());
    }
    void closed() override { end_ = GameEnd::closed; }
    void update(const FrameInput& input) override {
        // One F9 press skips one track: the first update after it sees it, no other. Exactly what each
        // update is handed is what the replay keeps.
        const InputSource source = [this](UpdateInput& in) {
            read_window_input(s_.window, std::exchange(f9_pending_, false), in);
            recorder_.hand_out(in);
            return true;
        };
        const UpdateWatcher watch = [this] {
            recorder_.pose();
            clock_.after_update();
        };
        outcome_ = run_frame(input.frame_ms, source, view_, watch).outcome;
        if (outcome_ == FrameOutcome::won) end_ = GameEnd::won;
        if (outcome_ == FrameOutcome::game_over) end_ = GameEnd::game_over;
    }
    void draw(sf::RenderTarget&, sf::Vector2i) override {}  // the frame driver drew the scene
    sf::RenderTexture* scene() override { return &s_.scene; }
    bool done() const override { return end_.has_value(); }
    GameEnd end() const { return end_.value_or(GameEnd::closed); }
    FrameOutcome outcome() const { return outcome_; }

private:
    GameSession& s_;
    WindowView view_;
    ReplayRecorder& recorder_;
    RaceClock clock_;
    bool f9_pending_ = false;  // an F9 press no update has seen yet
    FrameOutcome outcome_ = FrameOutcome::playing;
    std::optional<GameEnd> end_;
};

// Which map a game plays, as its replay names it.
MapIdentity identity_of(const std::string& map_name, const std::string* map_text, const char* text) {
    if (map_text != nullptr) return custom_map_identity(std::filesystem::path(map_name), *map_text);
    return {map_name.substr(0, 1), sha256_hex(text)};
}

}  // namespace

GameResult run_game(sf::RenderWindow& window, const std::string& map_name, const std::string* map_text) {
    GameResult result;
    const char* text = map_text ? map_text->c_str() : map_text_for_name(map_name);
    if (text == nullptr) {
        result.error = "there is no map named \"" + map_name + "\"";
        return result;
    }
    ReplayHeader header;
    const MapIdentity map = identity_of(map_name, map_text, text);
    header.map = map.name;
    header.map_sha256 = map.sha256;
    header.settings = settings;  // as the game read and corrected them at start-up
    const auto best = runs_of_map(list_replays(), map).best;
    const std::optional<GhostTrack> ghost = best ? read_ghost(best->path) : std::nullopt;
    ReplayRecorder recorder;
    std::string replay;
    bool started = false;
    try {
        // A map the loader accepts may still need more memory than there is (its grid alone up to 200 MB).
        const std::optional<LoadedGame> loaded = start_game(text, result.error);
        if (!loaded) return result;
        started = true;
        result.warnings = map_warnings();
        GameSession session(window, map_name);
        GameScreen screen(session, recorder, ghost ? &*ghost : nullptr);
        run_screen(window, screen);
        result.end = screen.end();
        result.updates = game.updates;
        header.recorded = recorded_time_text(std::chrono::system_clock::now());
        if (!recorder.overflowed()) replay = recorder.replay_text(header, current_outcome(screen.outcome()));
    } catch (const std::bad_alloc&) {
        // The loaded game, or a start cut short, has freed the grid and the laser buffer on its way out.
        result.end = GameEnd::failed;
        result.error =
            started ? "the game ran out of memory and had to stop" : "there is not enough memory to play this map";
        return result;
    }
    if (recorder.overflowed()) {
        result.replay_error = "The game ran longer than a replay may hold, so it was not kept.";
        return result;
    }
    const SavedReplay saved = save_replay(
        replays_folder, header, replay, [&recorder] { return recorder.ghost(); }, result.won(), result.updates,
        std::chrono::system_clock::now());
    result.new_best = saved.new_best;
    result.replay_error = saved.error;
    return result;
}
