#include "program/screen_loop.hpp"

#include "app/settings.hpp"
#include "client/game_screen.hpp"
#include "client/menu_kit.hpp"
#include "client/object_images.hpp"

namespace {

// Stands in for the title menu and map selection until they exist: plays map 1
// the way map selection starts a game (title music stopped, no window limit
// under the alternate timer, the pointer confined in a window).
void play_first_map_until_menus_exist(ProgramShell& shell) {
    shell.title_music.stop();
    const bool confine = settings.fullscreen == 0 && settings.confine_cursor != 0;
    menu_frame_limit(shell.window, false);
    if (confine) shell.window.setMouseCursorGrabbed(true);
    run_game(shell.window, "1");
    if (confine && shell.window.isOpen()) shell.window.setMouseCursorGrabbed(false);
    if (shell.window.isOpen()) menu_frame_limit(shell.window, true);
}

}  // namespace

void run_screen_loop(ProgramShell& shell) {
    while (shell.window.isOpen()) {
        play_first_map_until_menus_exist(shell);
        cursor_sprite.setScale(1, 1);
        music_upkeep(shell.title_music, shell.title_playlist);
    }
}
