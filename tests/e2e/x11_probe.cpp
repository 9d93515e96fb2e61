// What the end-to-end runs need from X beyond xdotool: the close request a
// desktop's close button sends, a picture of a window, and reading pictures.
//   x11_probe close WINDOW            ask the window to close (WM_DELETE_WINDOW)
//   x11_probe shot WINDOW OUT.png     save what the window shows
//   x11_probe pixel PNG X Y           print the pixel's "R G B"
//   x11_probe lit PNG X Y W H         print how many pixels of the area are not black
//   x11_probe tinted PNG X Y W H C    ... whose channel C (r, g or b) outshines the other two
#include <cstdio>
#include <cstdlib>
#include <string>

#include <SFML/Graphics/Image.hpp>

#include "support/x_display.hpp"

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: x11_probe close WINDOW | shot WINDOW OUT.png | pixel PNG X Y | lit PNG X Y W H"
                 " | tinted PNG X Y W H r|g|b\n");
    return 2;
}

unsigned number(const char* text) { return static_cast<unsigned>(std::stoul(text)); }

Window window_id(const char* text) { return static_cast<Window>(std::strtoul(text, nullptr, 0)); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    const std::string command = argv[1];
    if (command == "pixel" || command == "lit" || command == "tinted") {
        sf::Image picture;
        if (!picture.loadFromFile(argv[2])) return 1;
        if (command == "pixel" && argc == 5) {
            const sf::Color c = picture.getPixel(number(argv[3]), number(argv[4]));
            std::printf("%d %d %d\n", c.r, c.g, c.b);
            return 0;
        }
        if ((command == "lit" && argc == 7) || (command == "tinted" && argc == 8)) {
            const char channel = command == "tinted" ? argv[7][0] : '\0';
            const unsigned x0 = number(argv[3]), y0 = number(argv[4]);
            const unsigned w = number(argv[5]), h = number(argv[6]);
            long lit = 0;
            for (unsigned y = y0; y < y0 + h && y < picture.getSize().y; ++y)
                for (unsigned x = x0; x < x0 + w && x < picture.getSize().x; ++x) {
                    const sf::Color c = picture.getPixel(x, y);
                    const int r = c.r, g = c.g, b = c.b;
                    const bool counts = channel == 'r'   ? r > g + 50 && r > b + 50
                                        : channel == 'g' ? g > r + 50 && g > b + 50
                                        : channel == 'b' ? b > r + 50 && b > g + 50
                                                         : r + g + b > 60;
                    if (counts) ++lit;
                }
            std::printf("%ld\n", lit);
            return 0;
        }
        return usage();
    }
    XDisplay x;
    if (!x.open()) {
        std::fprintf(stderr, "x11_probe: no display\n");
        return 1;
    }
    if (command == "close" && argc == 3) {
        x.request_close(window_id(argv[2]));
        return 0;
    }
    if (command == "shot" && argc == 4) return x.picture_of(window_id(argv[2])).saveToFile(argv[3]) ? 0 : 1;
    return usage();
}
