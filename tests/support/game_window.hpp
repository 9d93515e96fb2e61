// The real program in a window, for end-to-end scenarios: started in a fresh
// copy of the game folder, driven with xdotool like a player, its window read
// back through Xlib. Pictures go to window-pictures/<scenario>/ in the build
// folder, with the program's own messages in program.log beside them.
//
// Every check that waits for the program retries until a deadline instead of
// sleeping a fixed time: the program reads input once per frame and draws when
// it can, and a loaded machine must only make the test slower, never fail it.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <sys/types.h>

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include "support/x_display.hpp"

// A rectangle of window px: top left corner and size.
struct Box {
    int x, y, width, height;
};

// Which pixels of a box count: lit (the channels sum above 60), or clearly
// of one colour (that channel more than 50 above each of the other two).
enum class Tint { lit, red, green, blue };

// How many pixels of `box` in `picture` are of `tint`; pixels outside the picture do not count.
int count_in(const sf::Image& picture, Box box, Tint tint = Tint::lit);

// Waits up to `seconds` for `holds` to come true, trying every 100 ms.
bool wait_until(const std::function<bool()>& holds, double seconds);

class GameWindow {
public:
    // A fresh copy of the game folder and an empty picture folder, both named after `scenario`.
    explicit GameWindow(const std::string& scenario);
    // Kills a program that is still running.
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    // ---- The game folder, before or between runs.
    const std::filesystem::path& folder() const { return folder_; }
    // Sets `key` to `value` in the folder's config.ini, replacing its line.
    void set_config(const std::string& key, int value);
    // Writes (or, with read_file, reads) a file of the game folder; "" when it cannot be read.
    void write_file(const std::string& relative, const std::string& text) const;
    std::string read_file(const std::string& relative) const;

    // ---- The program.
    // Starts the program in the folder with a silent sound device and waits for its
    // window, on screen at the top left; false, with a test failure, when none comes.
    bool start();
    Window window() const { return window_; }
    sf::Vector2u window_size() { return x_.size_of(window_); }
    // Asks the window to close, as a desktop's close button would.
    void request_close() { x_.request_close(window_); }
    // Another window takes the keyboard; focus_back gives it back to the game.
    void focus_elsewhere() { x_.focus_other_window(); }
    void focus_back() { x_.give_focus(window_); }
    // The exit status once the program has ended, waiting up to `seconds`;
    // -1 when it is still running (it is then killed) or was ended by a signal.
    int exit_status(double seconds = 10);

    // ---- Input like a player's; each step leaves the program a few frames to see it.
    void move(int x, int y);                   // the pointer to window px
    void click(int x, int y, int button = 1);  // move there, press and release
    void click_here(int button = 1);           // press and release where the pointer is
    void button_down(int button = 1);          // 1 left, 2 middle, 3 right
    void button_up(int button = 1);
    void key(const std::string& name);  // xdotool's key names: "Escape", "F12", "d"
    void key_down(const std::string& name);
    void key_up(const std::string& name);

    // ---- What the window shows.
    // A picture of the window now, kept as <name>.png; black once the window is gone.
    sf::Image picture(const std::string& name);
    // Retakes picture `name` until `holds` is true of it, for up to `seconds`.
    // On failure the message has `what` and the last picture's path.
    ::testing::AssertionResult wait_for(const std::string& name, const std::string& what,
                                        const std::function<bool(const sf::Image&)>& holds, double seconds = 10);
    // Retakes picture `name` until pixel (x, y) is `colour`.
    ::testing::AssertionResult wait_for_pixel(const std::string& name, int x, int y, sf::Color colour,
                                              double seconds = 10);
    // Retakes picture `name` until at least `at_least` pixels of `box` are of `tint`.
    ::testing::AssertionResult wait_for_count(const std::string& name, Box box, Tint tint, int at_least,
                                              double seconds = 10);

private:
    void xdotool(const std::string& arguments);

    XDisplay x_;
    std::filesystem::path folder_;    // the game folder the program runs in
    std::filesystem::path pictures_;  // window-pictures/<scenario>/
    pid_t pid_ = -1;
    Window window_ = 0;
    sf::Vector2u window_size_{800, 600};  // px, as the window opened
};

// Tests that run the program: each gets a GameWindow named after the test.
class WindowTest : public ::testing::Test {
protected:
    WindowTest() : game(::testing::UnitTest::GetInstance()->current_test_info()->name()) {}
    GameWindow game;
};

// A colour for messages: "(r, g, b)".
std::string describe(sf::Color colour);
