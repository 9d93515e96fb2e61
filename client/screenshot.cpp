#include "client/screenshot.hpp"

#include <ctime>
#include <filesystem>

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "game/screenshot_name.hpp"

void take_screenshot(sf::RenderWindow& window, const std::string& map_name) {
    sf::Texture copy;
    if (!copy.create(window.getSize().x, window.getSize().y)) return;
    copy.update(window);
    const std::string path =
        screenshot_path(map_name, screenshot_time_text(std::time(nullptr)), [](const std::string& p) {
            std::error_code error;
            return std::filesystem::exists(p, error);
        });
    copy.copyToImage().saveToFile(path);
}
