#include "program/start_up.hpp"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "app/bindings.hpp"
#include "app/image_paths.hpp"
#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/object_images.hpp"
#include "client/shader_pass.hpp"
#include "client/window_setup.hpp"

namespace {

int processor_count() { return static_cast<int>(std::max(1u, std::thread::hardware_concurrency())); }

// A count of buffer bits or samples; a negative setting asks for none.
unsigned context_bits(int32_t value) { return static_cast<unsigned>(std::max(0, value)); }

void open_window(sf::RenderWindow& window) {
    const sf::Vector2u size = window_size_for_settings();
    sf::ContextSettings context(context_bits(settings.color_depth), context_bits(settings.stencil_level),
                                context_bits(settings.antialiasing_level), 2, 0);
    const sf::Uint32 style = settings.fullscreen != 0 ? sf::Style::Fullscreen : sf::Style::Titlebar | sf::Style::Close;
    window.create(sf::VideoMode(size.x, size.y, 32), "Vantorel", style, context);
}

// vsync or a frame limit; neither under the alternate timer, which paces the game itself.
void set_frame_pacing(sf::RenderWindow& window) {
    if (settings.max_framerate < 1 || settings.use_alternate_timer != 0) return;
    if (settings.use_vsync != 0)
        window.setVerticalSyncEnabled(true);
    else
        window.setFramerateLimit(static_cast<unsigned>(settings.max_framerate));
}

void prepare_title_music(ProgramShell& shell) {
    if (settings.disable_music == 0) shell.title_playlist = list_music(false);
    shell.title_music.stop();
}

}  // namespace

void start_up(ProgramShell& shell) {
    read_settings();
    shell.bindings_unread = read_bindings();
    apply_smoothing(settings.smooth_sprites != 0);
    const sf::Vector2u size = window_size_for_settings();
    load_post_shader(static_cast<int32_t>(size.x), static_cast<int32_t>(size.y));
    correct_settings(settings, processor_count());
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    open_window(shell.window);
    // One press, one effect: a held Escape must not open and close the pause menu with every repeat.
    shell.window.setKeyRepeatEnabled(false);
    frame_canvas.create(window_size_for_settings());
    shell.window.setMouseCursorVisible(false);
    set_window_icon(shell.window, shell.icon, image_paths::window_icon);
    set_frame_pacing(shell.window);
    load_cursor_image(settings.smooth_sprites != 0);
    prepare_title_music(shell);
}
