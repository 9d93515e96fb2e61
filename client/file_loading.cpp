#include "client/file_loading.hpp"

#include <iostream>
#include <optional>

#include "app/file_reading.hpp"

namespace {

// The file's bytes, or nothing with the reason on standard error.
std::optional<std::string> read_or_say(const std::string& path, const FileKind& kind) {
    std::string why;
    auto bytes = read_file(path, kind, why);
    if (!bytes) std::cerr << "Vantorel: " << why << '\n';
    return bytes;
}

}  // namespace

bool load_texture(sf::Texture& texture, const std::string& path) {
    const auto bytes = read_or_say(path, picture_file);
    return bytes && texture.loadFromMemory(bytes->data(), bytes->size());
}

bool load_image(sf::Image& image, const std::string& path) {
    const auto bytes = read_or_say(path, picture_file);
    return bytes && image.loadFromMemory(bytes->data(), bytes->size());
}

bool load_shader(sf::Shader& shader, const std::string& path, sf::Shader::Type type) {
    const auto source = read_or_say(path, shader_file);
    return source && shader.loadFromMemory(*source, type);
}

bool LoadedFont::load(const std::string& path) {
    auto bytes = read_or_say(path, font_file);
    if (!bytes) return false;
    font_ = sf::Font();  // lets go of the old bytes before they are replaced
    bytes_ = std::move(*bytes);
    return font_.loadFromMemory(bytes_.data(), bytes_.size());
}
