// What each menu screen does with the player's events and pointer, without a
// window: the choices, hovers, pages and bindings that the screens on the
// window side draw and act on. Pointer positions are window px.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>

#include "app/bindings.hpp"
#include "app/menu_input.hpp"
#include "app/menu_layout.hpp"

// The title's logo panel and its slowly cycling colour: components stay within
// 100 .. 240 (a shown frame may have up to 5 beyond, as the clamp follows it).
struct LogoColour {
    std::array<int, 3> value = {100, 100, 100};  // red, green, blue
    std::array<int, 3> step = {1, 1, 1};         // 1 .. 5 each, drawn from rand()
    int direction = 1;

    void new_steps();
    // After a frame has shown the panel: turn round at either end of the range, clamp, and step on.
    void next_frame();
};

// Per visit of the title menu. A left click chooses the entry that was under
// the pointer in the frame last drawn.
class TitleMenu {
public:
    explicit TitleMenu(int width) : width_(width) {}
    void handle(const sf::Event& event);
    void update(sf::Vector2i pointer) { under_ = title_choice(pointer.x, pointer.y, width_); }
    bool cursor_hot(sf::Vector2i p) const { return title_cursor_pulses(p.x, width_, under_); }
    bool done() const { return done_; }
    int under() const { return under_; }    // a TitleChoice
    int choice() const { return chosen_; }  // title_none for a miss or a close

private:
    int width_;
    int under_ = title_none;
    int chosen_ = title_none;
    bool done_ = false;
};

// Which of a map's replays to watch.
enum class WatchWhich { best, newest };
struct WatchRequest {
    size_t index = 0;  // the map's place in the list
    WatchWhich which = WatchWhich::best;
    bool operator==(const WatchRequest&) const = default;
};

// V watches the best replay of the map under the pointer (or of the one it was
// over last), L the newest; a click on the watch buttons does the same.
class ReplayKeys {
public:
    // The map under the pointer in the frame last drawn, or -1; the last one stays chosen.
    void hover(int index) {
        under_ = index;
        if (index >= 0) chosen_ = index;
    }
    void handle(const sf::Event& event, sf::Vector2i pointer, const WatchButtons& buttons);
    // The map the watch buttons act on: the one under the pointer, else the one last under it; -1 none yet.
    int chosen() const { return under_ >= 0 ? under_ : chosen_; }
    // What a key or click asked to watch, handed out once.
    std::optional<WatchRequest> take();

private:
    int under_ = -1;
    int chosen_ = -1;
    std::optional<WatchRequest> asked_;
};

// Per visit of map selection: one numbered button per map, unlocked up to the progress.
class MapSelectMenu {
public:
    MapSelectMenu(size_t map_count, int32_t progress, int width, int height = 600)
        : count_(map_count),
          progress_(progress),
          width_(width),
          watch_buttons_(map_select_watch_buttons(width, height)) {}
    // Escape or a click on go-back leaves; a click on an unlocked button asks to
    // play its map; V, L and the watch buttons ask to watch one of its replays.
    void handle(const sf::Event& event, sf::Vector2i pointer);
    void update(sf::Vector2i pointer) {
        hovered_ = buttons(pointer).hovered;
        replays_.hover(hovered_);
    }
    MapButtons buttons(sf::Vector2i pointer) const {
        return layout_map_buttons(count_, progress_, width_, pointer.x, pointer.y);
    }
    // The list index of the map a click asked to play, handed out once.
    std::optional<int> take_play();
    std::optional<WatchRequest> take_watch() { return replays_.take(); }
    // The map the watch buttons and the best-time line are about; -1 before any was under the pointer.
    int chosen() const { return replays_.chosen(); }
    const WatchButtons& watch_buttons() const { return watch_buttons_; }
    // A game started here has ended: the raised progress to save when the newest map was won.
    std::optional<int32_t> game_ended(int index, bool won);
    bool cursor_hot(sf::Vector2i p) const {
        return hovered_ != -1 || over_go_back(p.x, p.y) ||
               (chosen() >= 0 && (watch_buttons_.best.contains(p.x, p.y) || watch_buttons_.newest.contains(p.x, p.y)));
    }
    bool done() const { return done_; }
    void close() { done_ = true; }
    int32_t progress() const { return progress_; }

private:
    size_t count_;
    int32_t progress_;  // kept raised for this visit even if saving it fails
    int width_;
    int hovered_ = -1;  // the unlocked button under the pointer in the frame last drawn
    WatchButtons watch_buttons_;
    ReplayKeys replays_;
    std::optional<int> play_;
    bool done_ = false;
};

// Per opening of the pause menu, laid out for a W x H window.
class PauseMenu {
public:
    explicit PauseMenu(sf::Vector2i size) : size_(size) {}
    // Escape returns to the game; a left click on a button chooses it.
    void handle(const sf::Event& event, sf::Vector2i pointer);
    void close() { chosen_ = pause_closed; }
    PauseChoice under(sf::Vector2i p) const { return pause_button_at(p.x, p.y, size_.x, size_.y); }
    bool cursor_hot(sf::Vector2i p) const { return over_pause_buttons(p.x, p.y, size_.x, size_.y); }
    bool done() const { return chosen_ != pause_none; }
    // What the player chose; pause_return also when the window was found closed.
    PauseChoice choice() const { return chosen_ == pause_none ? pause_return : chosen_; }

private:
    sf::Vector2i size_;
    PauseChoice chosen_ = pause_none;
};

// Per visit of the story page. Escape leaves; so does the left button held
// over go-back, however the press began.
class StoryPage {
public:
    void handle(const sf::Event& event) { done_ = done_ || is_escape_press(event); }
    void update(const FrameInput& input);
    void close() { done_ = true; }
    bool done() const { return done_; }

private:
    bool done_ = false;
};

// Per visit of the controls menu: one pass that binds jump, duck, left, right,
// shoot and shield in turn into `target`. Escape abandons the pass, keeping
// what it bound so far in `target` only.
class ControlsPass {
public:
    explicit ControlsPass(ControlBindings& target) : target_(target) {}
    // A key or a mouse button binds the action asked for; releases, motion and the rest pass by.
    void handle(const sf::Event& event);
    void close() { ended_ = true; }
    int prompting() const { return action_; }  // an Action; action_count once all six are bound
    bool complete() const { return action_ == action_count; }
    bool done() const { return ended_ || complete(); }

private:
    ControlBindings& target_;
    int action_ = 0;
    bool ended_ = false;
};

// A map the custom-map screen asks the editor to open.
struct EditTarget {
    enum Kind { new_map, file, builtin } kind = new_map;
    size_t index = 0;  // file: the list index; builtin: the built-in map's number, 1 to 5
    bool operator==(const EditTarget&) const = default;
};

// Per visit of the custom-map screen: a paged list of `count` map buttons.
class CustomMapList {
public:
    CustomMapList(size_t count, sf::Vector2i size) : count_(count), layout_(custom_map_layout(count, size.x, size.y)) {}
    // Escape or go-back leaves; PageDown / Right / the wheel down and PageUp /
    // Left / the wheel up turn pages; a click on a row asks to play its map;
    // V, L and the watch buttons ask to watch one of its replays. N or its
    // button asks for a new map in the editor, E or a row's Edit control for
    // the map under the pointer; O or its button asks which built-in map to
    // copy, answered by a digit 1 to 5 or its button (Escape or Cancel asks no
    // more), and until then nothing else counts.
    void handle(const sf::Event& event, sf::Vector2i pointer);
    // The row under the pointer in the frame last drawn, for the watch keys.
    void update(sf::Vector2i pointer) { replays_.hover(under(pointer)); }
    // The list index of the map a click asked to play, handed out once.
    std::optional<size_t> take_play();
    std::optional<WatchRequest> take_watch() { return replays_.take(); }
    int chosen() const { return replays_.chosen(); }
    // The map asked for in the editor, handed out once.
    std::optional<EditTarget> take_edit() { return std::exchange(edit_, std::nullopt); }
    bool choosing_builtin() const { return choosing_builtin_; }
    // Shows the page that holds list index `index`.
    void show(size_t index);
    int under(sf::Vector2i p) const { return custom_map_under(layout_, count_, page_, p.x, p.y); }
    bool cursor_hot(sf::Vector2i p) const;
    const CustomMapLayout& layout() const { return layout_; }
    int page() const { return page_; }
    bool done() const { return done_; }
    void close() { done_ = true; }

private:
    void turn_page(int by);

    size_t count_;
    CustomMapLayout layout_;
    int page_ = 0;
    ReplayKeys replays_;
    std::optional<size_t> play_;
    std::optional<EditTarget> edit_;
    bool choosing_builtin_ = false;
    bool done_ = false;
};
