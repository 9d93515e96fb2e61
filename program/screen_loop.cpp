#include "program/screen_loop.hpp"

#include <thread>

#include "app/menu_layout.hpp"
#include "menus/controls_menu.hpp"
#include "menus/custom_maps_screen.hpp"
#include "menus/map_select.hpp"
#include "menus/story_page.hpp"
#include "menus/title_menu.hpp"

namespace {

// The built-in maps, one name per line, as map selection offers them.
const char* const builtin_map_list = "1\n2\n3\n4\n5\n";

}  // namespace

void run_screen_loop(ProgramShell& shell) {
    std::string notice;  // what the last screen could not do, shown on the title's bottom line once
    while (shell.window.isOpen()) {
        const int choice = run_title_menu(shell.window, shell.title_music, shell.title_playlist, notice);
        notice.clear();
        music_upkeep(shell.title_music, shell.title_playlist);
        switch (choice) {
            case title_play_game:
                std::this_thread::yield();
                run_map_select(shell.window, builtin_map_list, shell.title_music, shell.title_playlist);
                break;
            case title_custom_map: run_custom_maps(shell.window, shell.title_music, shell.title_playlist); break;
            case title_controls: notice = run_controls_menu(shell.window, shell.bindings_unread); break;
            case title_story: run_story_page(shell.window); break;
            case title_quit: shell.window.close(); break;
            default: break;  // a click on no entry: the title again
        }
    }
}
