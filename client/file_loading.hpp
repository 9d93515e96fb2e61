// The game's pictures, shader and font, read through the bounded file reader
// and handed to SFML from memory, so a FIFO, a device or an oversized file in
// the game folder is refused with one line on standard error instead of
// blocking the window or exhausting memory.
#pragma once

#include <string>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>

// Each loads the file at `path` into its object; false, the object left as it
// was, when the file cannot be read or does not decode.
bool load_texture(sf::Texture& texture, const std::string& path);
bool load_image(sf::Image& image, const std::string& path);
bool load_shader(sf::Shader& shader, const std::string& path, sf::Shader::Type type);

// A font with the file's bytes, which it reads its glyphs from for as long as it lives.
class LoadedFont {
public:
    LoadedFont() = default;
    LoadedFont(const LoadedFont&) = delete;
    LoadedFont& operator=(const LoadedFont&) = delete;

    bool load(const std::string& path);
    // Without a loaded file: a font that draws nothing.
    const sf::Font& font() const { return font_; }
    operator const sf::Font&() const { return font_; }

private:
    std::string bytes_;  // must outlive every glyph the font makes
    sf::Font font_;
};
