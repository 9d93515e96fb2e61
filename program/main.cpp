// Vantorel: start-up, then the screens until the window is closed.
#include <cstdlib>

#include "client/object_images.hpp"
#include "program/game_folder.hpp"
#include "program/screen_loop.hpp"
#include "program/start_up.hpp"

namespace {

// The program-wide images are textures, made before main runs, and SFML ends
// the program when it makes one without a display. So the game folder and the
// display are checked first of all, by this object, which is made before them.
struct StartingPlace {
    StartingPlace() {
        if (!enter_game_folder() || !display_reachable()) std::exit(1);
    }
};
const StartingPlace starting_place __attribute__((init_priority(101)));

}  // namespace

int main() {
    load_object_images();  // program-wide images come first, before the settings
    ProgramShell shell;
    start_up(shell);
    run_screen_loop(shell);
    shell.window.setMouseCursorVisible(true);
    return 0;
}
