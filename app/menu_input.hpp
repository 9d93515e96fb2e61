// What a screen learns from the window: its events, and once a frame the
// pointer and the left button's held state. Built events stand in for the
// window in tests.
#pragma once

#include <array>
#include <cstdint>

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

// Per frame: read by the screen loop before the frame's update.
struct FrameInput {
    sf::Vector2i pointer;    // layout px: the window's own unless it was scaled to fit
    bool left_held = false;  // the left mouse button is held down now
    uint32_t frame_ms = 0;   // time between the last two presented frames, ms
};

// A key press of the key the game's key numbering gives `file_code` (key_code::escape, say).
bool is_key_press(const sf::Event& event, uint32_t file_code);
bool is_escape_press(const sf::Event& event);
// A press of the left mouse button.
bool is_left_click(const sf::Event& event);

// Program-wide: tells a held key's repeats from presses. The window asks for no
// key repeat, but under X the toolkit recognises a repeat only when the server's
// fake release and the press that follows it arrive in one read; when they are
// read apart, a held key acts again about twice a second. A release while the
// keyboard still reports the key down is such a fake: it and the press after it
// are dropped, with the typed character that press brings.
class KeyRepeatFilter {
public:
    // Whether `event` reaches the screen; `still_down` is the keyboard's state of
    // a released key, read when the release is taken.
    bool passes(const sf::Event& event, bool still_down);

private:
    std::array<bool, sf::Keyboard::KeyCount> repeat_pending_{};  // a fake release was dropped for this key
    bool text_pending_ = false;  // a repeat's press was just dropped; its character comes next
};
