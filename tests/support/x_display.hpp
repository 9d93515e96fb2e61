// A few Xlib calls the end-to-end test needs: find a window by title, its size,
// a picture of it, and the close request a desktop's close button sends.
#pragma once

#include <string>

#include <SFML/Graphics/Image.hpp>
#include <X11/Xlib.h>

class XDisplay {
public:
    XDisplay();  // the display named by $DISPLAY
    ~XDisplay();
    XDisplay(const XDisplay&) = delete;
    XDisplay& operator=(const XDisplay&) = delete;

    bool open() const { return display_ != nullptr; }
    // The first mapped window titled exactly `title`, waiting up to `seconds`; 0 when none.
    Window find_window(const std::string& title, double seconds);
    // Width and height of a window, px.
    sf::Vector2u size_of(Window window);
    // What the window shows now.
    sf::Image picture_of(Window window);
    // Asks the window to close, as its close button would (WM_DELETE_WINDOW).
    void request_close(Window window);

private:
    Window search(Window under, const std::string& title);
    Display* display_ = nullptr;
};
