#include "client/window_setup.hpp"

#include "app/settings.hpp"
#include "client/file_loading.hpp"
#include "game/update.hpp"

namespace {

constexpr unsigned icon_side = 16;  // px; the window reads exactly 16 x 16 RGBA pixels

}  // namespace

sf::Vector2u window_size_for_settings() {
    if (usable_screen(settings.resolution_width, settings.resolution_height))
        return {static_cast<unsigned>(settings.resolution_width), static_cast<unsigned>(settings.resolution_height)};
    return {static_cast<unsigned>(fallback_screen_width), static_cast<unsigned>(fallback_screen_height)};
}

bool set_window_icon(sf::Window& window, sf::Image& icon, const std::string& path) {
    if (!load_image(icon, path) || icon.getSize() != sf::Vector2u(icon_side, icon_side)) return false;
    window.setIcon(icon_side, icon_side, icon.getPixelsPtr());
    return true;
}
