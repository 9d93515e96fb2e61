// One screen of the program: the title, a menu, the pause menu or the game.
// A screen is a small object that takes one event, makes one frame's update
// and draws onto a target at a given pointer position; run_screen owns what
// every screen repeats around it (close requests, frame limit, music upkeep,
// the shader pass, presenting, the cursor's pulse and its reset).
#pragma once

#include <cstdint>

#include <SFML/Audio/Music.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Event.hpp>

#include "app/menu_input.hpp"
#include "client/music.hpp"

// How a screen takes its events each frame.
enum class EventPace {
    all_pending,    // every pending event, then the frame
    one_per_frame,  // at most one event per frame: a burst is handled over several frames
    wait_for_each,  // draws, then sleeps until the next event (a prompt that only waits)
};

// What run_screen sets the window's frame limit to; only the alternate timer
// ever changes it (the menus then run at max_framerate, the game unlimited).
enum class FrameLimit { keep, menus, none };

// What a screen asks of the shared loop.
struct ScreenTraits {
    EventPace events = EventPace::all_pending;
    bool shader_pass = true;      // the frame goes through the post-processing shader
    bool cursor_shaded = true;    // the cursor is drawn before the shader pass, not after it
    bool title_music = false;     // music upkeep on the title music, once per frame after the events
    bool system_pointer = false;  // the system pointer shows instead of the drawn cursor
    FrameLimit on_entry = FrameLimit::menus;
    FrameLimit on_leave = FrameLimit::keep;  // when the player leaves; a close request keeps the limit
};

class Screen {
public:
    virtual ~Screen() = default;
    virtual ScreenTraits traits() const = 0;
    // Loads the screen's pictures once the window exists, before its first frame.
    virtual void load() {}
    // One window event other than a close request, with the pointer as it is now (layout px).
    virtual void handle(const sf::Event& event, sf::Vector2i pointer) = 0;
    // A close request closed the window; the screen ends with its closed result.
    virtual void closed() {}
    // One frame's update, after the events and the music upkeep.
    virtual void update(const FrameInput& /*input*/) {}
    // The frame's picture, the part that passes through the shader.
    virtual void draw(sf::RenderTarget& target, sf::Vector2i pointer) = 0;
    // Drawn over the shader's output and under an unshaded cursor (over a finished scene too).
    virtual void draw_unshaded(sf::RenderTarget& /*target*/) {}
    // Drawn last, over the cursor.
    virtual void draw_over_cursor(sf::RenderTarget& /*target*/) {}
    // The frame has been shown: what steps once per shown frame steps here.
    virtual void shown() {}
    // Whether the cursor pulses at this pointer position.
    virtual bool cursor_hot(sf::Vector2i /*pointer*/) const { return false; }
    // Where the drawn cursor goes: the pointer, unless the screen shows another (a replay's).
    virtual sf::Vector2i cursor_at(sf::Vector2i pointer) const { return pointer; }
    // The off-screen scene the screen draws into, presented through the shader; nullptr for the window.
    virtual sf::RenderTexture* scene() { return nullptr; }
    // True once the screen has its result: run_screen returns at once.
    virtual bool done() const = 0;
};

// The title music stream and its playlist, for the screens that keep it playing.
struct TitleMusic {
    sf::Music& music;
    Playlist& playlist;
};

// Runs `screen` in the window until it is done or the window is closed. title_music:
// the stream the screen's music upkeep keeps playing (only screens whose traits ask for it).
void run_screen(sf::RenderWindow& window, Screen& screen, TitleMusic* title_music = nullptr);

// Only under the alternate timer: the menus run at max_framerate (FrameLimit::menus)
// and the game paces itself without a window limit (FrameLimit::none).
void set_frame_limit(sf::RenderWindow& window, FrameLimit limit);
