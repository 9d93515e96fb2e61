// A few Xlib calls the window tests need beyond xdotool: find a window by
// title, bring it wholly on screen, take a picture of it, and send the close
// request a desktop's close button sends.
#pragma once

#include <string>

#include <SFML/Graphics/Image.hpp>
#include <X11/Xlib.h>

class XDisplay {
public:
    XDisplay() = default;
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    // Connects to the display named by $DISPLAY, trying for up to `seconds`; true once connected.
    bool connect(double seconds);
    // The first mapped window titled exactly `title`, waiting up to `seconds`; 0 when none.
    Window find_window(const std::string& title, double seconds);
    // Width and height of a window, px; 0 x 0 once it is gone.
    sf::Vector2u size_of(Window window);
    // Moves the window to the screen's top left corner, raises it and gives it the
    // keyboard; true once it stands there, so pictures of it are whole.
    bool bring_to_front(Window window);
    // What the window shows now; black where it cannot be read.
    sf::Image picture_of(Window window);
    // Asks the window to close, as its close button would (WM_DELETE_WINDOW).
    void request_close(Window window);
    // Opens a small window of another program, as it were, and gives it the keyboard.
    void focus_other_window();
    // Gives the keyboard to `window`.
    void give_focus(Window window);

private:
    Window search(Window under, const std::string& title);
    Display* display_ = nullptr;
    Window other_ = 0;  // the window focus_other_window made
};
