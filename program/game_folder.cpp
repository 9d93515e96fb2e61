#include "program/game_folder.hpp"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <X11/Xlib.h>

namespace fs = std::filesystem;

namespace {

// Every game folder holds the pictures; nothing else the game needs is so certain to be there.
bool is_game_folder(const fs::path& folder) {
    std::error_code error;
    return fs::is_directory(folder / "Graphics", error);
}

// The folder the build puts beside the program, found through the program's own path.
fs::path folder_beside_program() {
    std::error_code error;
    const fs::path program = fs::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return program.parent_path() / "game";
}

}  // namespace

bool enter_game_folder() {
    if (is_game_folder(".")) return true;
    const fs::path beside = folder_beside_program();
    std::error_code error;
    if (!beside.empty() && is_game_folder(beside)) {
        fs::current_path(beside, error);
        if (!error) {
            std::printf("Vantorel: playing from the game folder %s\n", beside.c_str());
            std::fflush(stdout);
            return true;
        }
    }
    std::fputs(
        "Vantorel: this folder holds no Graphics/; start the game from its game folder "
        "(after a build: cd build/game && ../vantorel).\n",
        stderr);
    return false;
}

bool display_reachable() {
    // Asked of Xlib directly: SFML aborts the program when it cannot open the display.
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fputs("Vantorel: no display to open the window on (is DISPLAY set, and is its X server running?).\n",
                   stderr);
        return false;
    }
    XCloseDisplay(display);
    return true;
}
