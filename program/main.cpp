// Vantorel: start-up, then the screens until the window is closed.
#include "client/object_images.hpp"
#include "program/screen_loop.hpp"
#include "program/start_up.hpp"

int main() {
    load_object_images();  // program-wide images come first, before the settings
    ProgramShell shell;
    start_up(shell);
    run_screen_loop(shell);
    shell.window.setMouseCursorVisible(true);
    return 0;
}
