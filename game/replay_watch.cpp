#include "game/replay_watch.hpp"

#include "app/menu_input.hpp"

void WatchControls::handle(const sf::Event& event) {
    if (is_escape_press(event)) left_ = true;
    if (finished_) {
        const bool leave_key = event.type == sf::Event::KeyPressed &&
                               (event.key.code == sf::Keyboard::Return || event.key.code == sf::Keyboard::Space);
        left_ = left_ || leave_key || is_left_click(event);
        return;
    }
    if (event.type != sf::Event::KeyPressed) return;
    switch (event.key.code) {
        case sf::Keyboard::Space:
            paused_ = !paused_;
            steps_ = 0;
            break;
        case sf::Keyboard::Right:
            if (paused_) steps_ += 1;
            break;
        case sf::Keyboard::Num1:
        case sf::Keyboard::Numpad1: speed_ = 1; break;
        case sf::Keyboard::Num2:
        case sf::Keyboard::Numpad2: speed_ = 2; break;
        case sf::Keyboard::Num3:
        case sf::Keyboard::Numpad3: speed_ = 4; break;
        case sf::Keyboard::Num4:
        case sf::Keyboard::Numpad4: speed_ = 8; break;
        default: break;
    }
}

int WatchControls::frames_now() {
    if (finished_) return 0;
    if (!paused_) return speed_;
    const int steps = steps_;
    steps_ = 0;
    return steps;
}
