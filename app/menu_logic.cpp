#include "app/menu_logic.hpp"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "app/key_codes.hpp"
#include "app/progress.hpp"

void LogoColour::new_steps() {
    for (int& s : step) s = std::rand() % 5 + 1;
}

void LogoColour::next_frame() {
    if (std::any_of(value.begin(), value.end(), [](int c) { return c > 240; })) {
        new_steps();
        direction = -1;
    }
    if (std::any_of(value.begin(), value.end(), [](int c) { return c < 100; })) {
        new_steps();
        direction = 1;
    }
    for (int& c : value) c = std::clamp(c, 100, 240);
    for (size_t i = 0; i < value.size(); ++i) value[i] += direction * step[i];
}

void TitleMenu::handle(const sf::Event& event) {
    if (!is_left_click(event)) return;
    chosen_ = under_;
    done_ = true;
}

void ReplayKeys::handle(const sf::Event& event, sf::Vector2i p, const WatchButtons& buttons) {
    const int map = chosen();
    if (map < 0) return;
    const bool key = event.type == sf::Event::KeyPressed;
    if ((key && event.key.code == sf::Keyboard::V) || (is_left_click(event) && buttons.best.contains(p.x, p.y)))
        asked_ = WatchRequest{static_cast<size_t>(map), WatchWhich::best};
    if ((key && event.key.code == sf::Keyboard::L) || (is_left_click(event) && buttons.newest.contains(p.x, p.y)))
        asked_ = WatchRequest{static_cast<size_t>(map), WatchWhich::newest};
}

std::optional<WatchRequest> ReplayKeys::take() { return std::exchange(asked_, std::nullopt); }

void MapSelectMenu::handle(const sf::Event& event, sf::Vector2i pointer) {
    replays_.handle(event, pointer, watch_buttons_);
    if (is_escape_press(event)) done_ = true;
    if (!is_left_click(event)) return;
    if (over_go_back(pointer.x, pointer.y))
        done_ = true;
    else if (hovered_ != -1)
        play_ = hovered_;
}

std::optional<int> MapSelectMenu::take_play() { return std::exchange(play_, std::nullopt); }

std::optional<int32_t> MapSelectMenu::game_ended(int index, bool won) {
    const auto raised = raised_progress(progress_, index, won);
    if (raised) progress_ = *raised;
    return raised;
}

void PauseMenu::handle(const sf::Event& event, sf::Vector2i pointer) {
    if (is_escape_press(event))
        chosen_ = pause_return;
    else if (is_left_click(event))
        chosen_ = under(pointer);
}

void StoryPage::update(const FrameInput& input) {
    if (input.left_held && over_go_back(input.pointer.x, input.pointer.y)) done_ = true;
}

void ControlsPass::handle(const sf::Event& event) {
    if (done()) return;
    const auto a = static_cast<size_t>(action_);
    if (event.type == sf::Event::KeyPressed) {
        const uint32_t code = file_code_from_key(event.key.code);
        if (code == key_code::escape) {
            ended_ = true;
            return;
        }
        target_.kind[a] = 'k';
        target_.code[a] = code;
    } else if (event.type == sf::Event::MouseButtonPressed) {
        target_.kind[a] = 'm';
        target_.code[a] = file_code_from_mouse_button(event.mouseButton.button);
    } else {
        return;
    }
    action_ += 1;
}

void CustomMapList::turn_page(int by) { page_ = std::clamp(page_ + by, 0, layout_.pages - 1); }

void CustomMapList::handle(const sf::Event& event, sf::Vector2i at) {
    const bool key = event.type == sf::Event::KeyPressed;
    const sf::Keyboard::Key code = key ? event.key.code : sf::Keyboard::Unknown;
    if (choosing_builtin_) {
        // Only the choice of a built-in map, or giving it up, counts until one is made.
        int digit = -1;
        if (key && code >= sf::Keyboard::Num1 && code <= sf::Keyboard::Num5) digit = code - sf::Keyboard::Num0;
        if (key && code >= sf::Keyboard::Numpad1 && code <= sf::Keyboard::Numpad5) digit = code - sf::Keyboard::Numpad0;
        if (is_left_click(event))
            for (int d = 0; d <= 5; ++d)
                if (layout_.builtin_digit(d).contains(at.x, at.y)) digit = d;
        if (digit > 0) edit_ = EditTarget{EditTarget::builtin, static_cast<size_t>(digit)};
        if (digit >= 0 || is_escape_press(event)) choosing_builtin_ = false;
        return;
    }
    replays_.handle(event, at, layout_.watch);
    const int row = under(at);
    if (is_escape_press(event)) {
        done_ = true;
    } else if (key && code == sf::Keyboard::N) {
        edit_ = EditTarget{EditTarget::new_map, 0};
    } else if (key && code == sf::Keyboard::E) {
        if (row >= 0) edit_ = EditTarget{EditTarget::file, static_cast<size_t>(row)};
    } else if (key && code == sf::Keyboard::O) {
        choosing_builtin_ = true;
    } else if (key && (code == sf::Keyboard::PageDown || code == sf::Keyboard::Right)) {
        turn_page(1);
    } else if (key && (code == sf::Keyboard::PageUp || code == sf::Keyboard::Left)) {
        turn_page(-1);
    } else if (event.type == sf::Event::MouseWheelScrolled) {
        turn_page(event.mouseWheelScroll.delta < 0 ? 1 : -1);
    } else if (is_left_click(event)) {
        const bool paged = layout_.pages > 1;
        if (over_go_back(at.x, at.y))
            done_ = true;
        else if (layout_.new_map.contains(at.x, at.y))
            edit_ = EditTarget{EditTarget::new_map, 0};
        else if (layout_.copy_builtin.contains(at.x, at.y))
            choosing_builtin_ = true;
        else if (paged && layout_.previous.contains(at.x, at.y))
            turn_page(-1);
        else if (paged && layout_.next.contains(at.x, at.y))
            turn_page(1);
        else if (row >= 0 && layout_.edit(row % layout_.rows_per_page).contains(at.x, at.y))
            edit_ = EditTarget{EditTarget::file, static_cast<size_t>(row)};
        else if (row >= 0)
            play_ = static_cast<size_t>(row);
    }
}

void CustomMapList::show(size_t index) {
    if (index < count_) page_ = static_cast<int>(index / static_cast<size_t>(layout_.rows_per_page));
}

std::optional<size_t> CustomMapList::take_play() { return std::exchange(play_, std::nullopt); }

bool CustomMapList::cursor_hot(sf::Vector2i p) const {
    constexpr int digits[] = {0, 1, 2, 3, 4, 5};
    const bool on_pages = layout_.pages > 1 && (layout_.previous.contains(p.x, p.y) || layout_.next.contains(p.x, p.y));
    const bool on_watch =
        chosen() >= 0 && (layout_.watch.best.contains(p.x, p.y) || layout_.watch.newest.contains(p.x, p.y));
    const bool on_editing = choosing_builtin_
                                ? std::any_of(std::begin(digits), std::end(digits),
                                              [&](int d) { return layout_.builtin_digit(d).contains(p.x, p.y); })
                                : layout_.new_map.contains(p.x, p.y) || layout_.copy_builtin.contains(p.x, p.y);
    return under(p) >= 0 || over_go_back(p.x, p.y) || on_pages || on_watch || on_editing;
}
