// Window events built by hand, for screens tested without a window.
#pragma once

#include <SFML/Window/Event.hpp>

inline sf::Event event_of(sf::Event::EventType type) {
    sf::Event e;
    e.type = type;
    return e;
}
inline sf::Event key(sf::Keyboard::Key code, bool control = false, bool shift = false) {
    sf::Event e = event_of(sf::Event::KeyPressed);
    e.key = {code, false, control, shift, false};
    return e;
}
inline sf::Event key_release(sf::Keyboard::Key code) {
    sf::Event e = key(code);
    e.type = sf::Event::KeyReleased;
    return e;
}
inline sf::Event button(sf::Event::EventType type, sf::Mouse::Button which) {
    sf::Event e = event_of(type);
    e.mouseButton = {which, 0, 0};
    return e;
}
inline sf::Event click(sf::Mouse::Button which = sf::Mouse::Left) {
    return button(sf::Event::MouseButtonPressed, which);
}
inline sf::Event moved() {
    sf::Event e = event_of(sf::Event::MouseMoved);
    e.mouseMove = {0, 0};
    return e;
}
inline sf::Event typed(char c) {
    sf::Event e = event_of(sf::Event::TextEntered);
    e.text = {static_cast<sf::Uint32>(c)};
    return e;
}
inline sf::Event wheel(float delta) {
    sf::Event e = event_of(sf::Event::MouseWheelScrolled);
    e.mouseWheelScroll = {sf::Mouse::VerticalWheel, delta, 0, 0};
    return e;
}
