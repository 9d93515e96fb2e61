#include "client/watch_screen.hpp"

#include <algorithm>
#include <cmath>
#include <new>
#include <optional>

#include <SFML/Graphics/Texture.hpp>

#include "app/custom_maps.hpp"
#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/game_session.hpp"
#include "client/game_view.hpp"
#include "client/screen.hpp"
#include "client/shader_pass.hpp"
#include "game/frame.hpp"
#include "game/race_clock.hpp"
#include "game/replay_library.hpp"
#include "game/replay_watch.hpp"
#include "game/update.hpp"
#include "world/world_state.hpp"

namespace {

const sf::Color agree_colour(120, 255, 120);
const sf::Color differ_colour(255, 90, 80);

// The player's own settings, given back when the watching ends however it ends.
class SettingsKept {
public:
    SettingsKept() : own_(settings) {}
    ~SettingsKept() { settings = own_; }
    SettingsKept(const SettingsKept&) = delete;
    SettingsKept& operator=(const SettingsKept&) = delete;
    const Settings& own() const { return own_; }

private:
    Settings own_;
};

// The frame canvas at a replay's screen size while it is watched, so the whole
// recorded view is drawn as it was and scaled to fit the window; the layout
// (and the shader's texel) come back afterwards.
class ReplayCanvas {
public:
    ReplayCanvas(unsigned width, unsigned height) : layout_(frame_canvas.layout()), texel_(shader_texel) {
        if (sf::Vector2u(width, height) == layout_) return;
        const unsigned largest = sf::Texture::getMaximumSize();
        resized_ = true;
        ready_ = width <= largest && height <= largest && frame_canvas.create({width, height});
        if (ready_ && texel_ > 0.0f)
            shader_texel = texel_for(static_cast<int32_t>(width), static_cast<int32_t>(height));
    }
    ~ReplayCanvas() {
        if (!resized_) return;
        frame_canvas.create(layout_);
        shader_texel = texel_;
    }
    ReplayCanvas(const ReplayCanvas&) = delete;
    ReplayCanvas& operator=(const ReplayCanvas&) = delete;
    bool ready() const { return ready_; }

private:
    sf::Vector2u layout_;
    float texel_;
    bool resized_ = false;
    bool ready_ = true;
};

// One watched replay, frame by frame as the frame driver played it when it was recorded.
class WatchScreen : public Screen {
public:
    WatchScreen(GameSession& session, const ReplayFile& file, std::string name)
        : s_(session), view_(session), file_(file), cursor_(file.replay), name_(std::move(name)) {
        s_.watching = true;
    }

    ScreenTraits traits() const override {
        ScreenTraits t;
        t.on_entry = FrameLimit::keep;  // the menus' pace: one frame of the replay per shown frame at x1
        return t;
    }
    void handle(const sf::Event& event, sf::Vector2i) override { controls_.handle(event); }
    void update(const FrameInput& input) override {
        const InputSource source = [this](UpdateInput& in) { return cursor_.next(in); };
        int frames = controls_.frames_now();
        if (frames == 0) redraw();
        // As a replay is played without a window: frames while it lasts, until it is won or lost.
        for (; frames > 0 && !controls_.finished(); --frames) {
            if (cursor_.done()) {
                finish(FrameOutcome::playing);
                redraw();
                break;
            }
            const FrameOutcome outcome = run_frame(input.frame_ms, source, view_).outcome;
            if (outcome != FrameOutcome::playing || cursor_.done()) finish(outcome);
        }
    }
    void draw(sf::RenderTarget&, sf::Vector2i) override {}  // the frame driver drew the scene
    void draw_unshaded(sf::RenderTarget& target) override;
    sf::Vector2i cursor_at(sf::Vector2i) const override { return s_.pointer(); }
    sf::RenderTexture* scene() override { return &s_.scene; }
    bool done() const override { return controls_.left(); }
    StatusLine verdict() const;

private:
    // A frame with no update: the scene as it stands, the player where it is unless the game has ended.
    void redraw() {
        view_.draw_scene(false);
        view_.finish_frame(ended_ == FrameOutcome::playing);
    }
    void finish(FrameOutcome outcome) {
        controls_.finish();
        ended_ = outcome;
        played_ = outcome_lines(current_outcome(outcome));
        difference_ = file_.footer.empty() ? std::string() : first_outcome_difference(played_, file_.footer);
    }
    // Letters of `px` window pixels, whatever the scale the canvas is shown at.
    unsigned letter_size(unsigned px) const;
    std::string ending_words() const;

    GameSession& s_;
    WindowView view_;
    const ReplayFile& file_;
    ReplayCursor cursor_;
    std::string name_;
    WatchControls controls_;
    FrameOutcome ended_ = FrameOutcome::playing;
    std::vector<std::string> played_;  // the outcome once it has ended
    std::string difference_;           // from the recorded outcome; empty when it agrees
};

unsigned WatchScreen::letter_size(unsigned px) const {
    const sf::Vector2u window = s_.window.getSize(), layout = frame_canvas.layout();
    if (layout.x == 0 || layout.y == 0 || window.x == 0 || window.y == 0) return px;
    const float scale = std::min(static_cast<float>(window.x) / static_cast<float>(layout.x),
                                 static_cast<float>(window.y) / static_cast<float>(layout.y));
    return static_cast<unsigned>(std::clamp(std::lround(static_cast<float>(px) / scale), 6L, 400L));
}

std::string WatchScreen::ending_words() const {
    const std::string time = race_time(game.updates);
    switch (ended_) {
        case FrameOutcome::won: return "Won in " + time;
        case FrameOutcome::game_over: return "Game over at " + time;
        default: return "Ended at " + time;
    }
}

void WatchScreen::draw_unshaded(sf::RenderTarget& target) {
    const sf::Vector2u size = frame_canvas.layout();
    const float W = static_cast<float>(size.x), H = static_cast<float>(size.y);
    const unsigned letters = letter_size(16);
    const float line = static_cast<float>(letters) * 1.6f;
    target.draw(box(0, H - line, W, line, sf::Color(0, 0, 0, 170)));
    std::string words = race_time(game.updates) + " / " + race_time(file_.replay.total_updates) + "   x" +
                        std::to_string(controls_.speed());
    if (controls_.paused()) words += "   paused";
    words += controls_.finished() ? "   -   Escape: back" : "   -   Space pause, Right step, 1-4 speed, Escape back";
    draw_text(target, fitted_text(s_.font, words, letters, W - line), line / 3, H - line + line / 8, sf::Color::White);
    if (!controls_.finished()) return;
    // The outcome in a panel at the centre: green when it is the recorded one, red when not.
    const bool agrees = difference_.empty();
    const unsigned big = letter_size(24);
    const float panel_h = static_cast<float>(big + letters) * 2.2f;
    const float top = H / 2 - panel_h / 2;
    target.draw(box(W * 0.1f, top, W * 0.8f, panel_h, sf::Color(0, 0, 0, 200), agrees ? agree_colour : differ_colour,
                    std::max(2.0f, static_cast<float>(letters) / 6)));
    std::string first = ending_words();
    if (file_.footer.empty())
        first += ".";
    else
        first += agrees ? ", as recorded." : ": not as recorded.";
    draw_text_centred(target, fitted_text(s_.font, first, big, W * 0.76f), W / 2, top + panel_h * 0.15f,
                      agrees ? agree_colour : differ_colour);
    const std::string second = agrees ? name_ : difference_;
    draw_text_centred(target, fitted_text(s_.font, second, letters, W * 0.76f), W / 2, top + panel_h * 0.6f,
                      agrees ? sf::Color::White : differ_colour);
}

StatusLine WatchScreen::verdict() const {
    if (!controls_.finished())
        return {name_ + ": left at " + race_time(game.updates) + " of " + race_time(file_.replay.total_updates) + ".",
                true};
    // The difference first: a long file name may be cut at the line's end.
    if (!difference_.empty()) return {difference_ + " (" + name_ + ")", false};
    return {name_ + ": " + ending_words() + (file_.footer.empty() ? "." : ", as recorded."), true};
}

}  // namespace

StatusLine watch_replay(sf::RenderWindow& window, sf::Music& title_music, const std::filesystem::path& replay) {
    const std::string name = replay.filename().string();
    std::string why;
    const std::optional<ReplayFile> file = load_replay(replay, why);
    if (!file) return {name + ": " + why, false};
    if (!file->header) return {name + ": the replay does not name its map.", false};
    const std::optional<std::string> map_text = map_for_replay(*file->header, {custom_maps_folder}, why);
    if (!map_text) return {name + ": " + why, false};
    SettingsKept kept;
    settings = replay_play_settings(kept.own(), file->header->settings);
    const std::optional<LoadedGame> loaded = start_game(map_text->c_str(), why);
    if (!loaded) return {name + ": the map cannot be played: " + why, false};
    const auto width = static_cast<unsigned>(world.screen_width), height = static_cast<unsigned>(world.screen_height);
    ReplayCanvas canvas(width, height);
    if (!canvas.ready())
        return {name + ": it was recorded at " + std::to_string(width) + " x " + std::to_string(height) +
                    ", larger than this graphics card can show.",
                false};
    title_music.stop();
    try {
        GameSession session(window, file->header->map);
        WatchScreen screen(session, *file, name);
        run_screen(window, screen);
        return screen.verdict();
    } catch (const std::bad_alloc&) {
        return {name + ": the replay ran out of memory and had to stop.", false};
    }
}
