#include "support/x_display.hpp"

#include <chrono>
#include <thread>

#include <X11/Xutil.h>

namespace {

// A window that vanishes between two requests is an ordinary event in these
// tests, not a reason for Xlib's default handler to end the test program.
int ignore_x_error(Display*, XErrorEvent*) { return 0; }

}  // namespace

bool XDisplay::connect(double seconds) {
    XSetErrorHandler(ignore_x_error);
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!display_) {
        display_ = XOpenDisplay(nullptr);
        if (display_ || std::chrono::steady_clock::now() >= until) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return display_ != nullptr;
}

XDisplay::~XDisplay() {
    if (display_ && other_) XDestroyWindow(display_, other_);
    if (display_) XCloseDisplay(display_);
}

void XDisplay::focus_other_window() {
    if (!other_) {
        const int screen = DefaultScreen(display_);
        other_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 900, 700, 200, 100, 0,
                                     BlackPixel(display_, screen), WhitePixel(display_, screen));
        XMapRaised(display_, other_);
        XSync(display_, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // mapped before it takes the focus
    }
    give_focus(other_);
}

void XDisplay::give_focus(Window window) {
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
}

Window XDisplay::search(Window under, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(display_, under, &name) && name) {
        const bool match = title == name;
        XFree(name);
        XWindowAttributes attributes;
        if (match && XGetWindowAttributes(display_, under, &attributes) && attributes.map_state == IsViewable)
            return under;
    }
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, under, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = search(children[i], title);
    if (children) XFree(children);
    return found;
}

Window XDisplay::find_window(const std::string& title, double seconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        if (const Window w = search(DefaultRootWindow(display_), title)) return w;
        if (std::chrono::steady_clock::now() >= until) return 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

sf::Vector2u XDisplay::size_of(Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display_, window, &attributes)) return {0, 0};
    return {static_cast<unsigned>(attributes.width), static_cast<unsigned>(attributes.height)};
}

bool XDisplay::bring_to_front(Window window) {
    XMoveWindow(display_, window, 0, 0);
    XRaiseWindow(display_, window);
    XSetInputFocus(display_, window, RevertToParent, CurrentTime);
    XSync(display_, False);
    int x = -1, y = -1;
    Window child = 0;
    return XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child) && x == 0 &&
           y == 0;
}

sf::Image XDisplay::picture_of(Window window) {
    const sf::Vector2u size = size_of(window);
    sf::Image picture;
    picture.create(size.x, size.y, sf::Color::Black);
    if (size.x == 0 || size.y == 0) return picture;
    XImage* shot = XGetImage(display_, window, 0, 0, size.x, size.y, AllPlanes, ZPixmap);
    if (!shot) return picture;
    for (unsigned y = 0; y < size.y; ++y)
        for (unsigned x = 0; x < size.x; ++x) {
            const unsigned long p = XGetPixel(shot, static_cast<int>(x), static_cast<int>(y));
            const auto channel = [p](int shift) { return static_cast<sf::Uint8>((p >> shift) & 0xff); };
            picture.setPixel(x, y, sf::Color(channel(16), channel(8), channel(0)));
        }
    XDestroyImage(shot);
    return picture;
}

void XDisplay::request_close(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
}
