#include "client/screenshot.hpp"

#include <ctime>
#include <filesystem>

#include <SFML/Graphics/Image.hpp>

#include "game/screenshot_name.hpp"

void take_screenshot(const sf::Texture& shown, const std::string& map_name) {
    const std::string path =
        screenshot_path(map_name, screenshot_time_text(std::time(nullptr)), [](const std::string& p) {
            std::error_code error;
            return std::filesystem::exists(p, error);
        });
    shown.copyToImage().saveToFile(path);
}
