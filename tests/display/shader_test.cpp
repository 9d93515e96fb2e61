// Checks the post-processing shader in the game folder on a real OpenGL 2.0
// context: it compiles, takes the two uniforms the game sets, and treats a
// frame well (black stays black, lines stay bright and glow, panels stay crisp).
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include <SFML/Graphics.hpp>
#include <SFML/OpenGL.hpp>
#include <gtest/gtest.h>

namespace {

const std::string shader_path = std::string(VANTOREL_GAME_DIR) + "/Shader/shade.sfx";
constexpr unsigned width = 800, height = 600;
constexpr float texel = 1.0f / 1024.0f;  // what the game passes for an 800x600 window

sf::ContextSettings gl2_settings() {
    sf::ContextSettings settings;
    settings.majorVersion = 2;
    settings.minorVersion = 0;
    return settings;
}

// Location of a uniform in a linked program; -1 when it is missing or unused.
GLint uniform_location(const sf::Shader& shader, const char* name) {
    using GetUniformLocation = GLint (*)(GLuint, const char*);
    auto get = reinterpret_cast<GetUniformLocation>(sf::Context::getFunction("glGetUniformLocation"));
    if (get == nullptr) return -2;
    return get(shader.getNativeHandle(), name);
}

struct Frame {
    sf::Image image;
    // Brightest channel of the pixel at window position (x, y), 0 .. 255.
    int at(unsigned x, unsigned y) const {
        const sf::Color c = image.getPixel(x, y);
        return std::max({c.r, c.g, c.b});
    }
};

// Draws `scene` into a window-sized image, then passes it through the shader
// the way the game presents a frame.
template <typename Draw>
Frame through_shader(sf::Shader& shader, Draw scene) {
    sf::RenderTexture drawn, shown;
    EXPECT_TRUE(drawn.create(width, height, gl2_settings()));
    EXPECT_TRUE(shown.create(width, height, gl2_settings()));
    drawn.clear(sf::Color::Black);
    scene(drawn);
    drawn.display();
    shader.setUniform("screen", drawn.getTexture());
    shader.setUniform("distance", texel);
    shown.clear(sf::Color::Black);
    shown.draw(sf::Sprite(drawn.getTexture()), &shader);
    shown.display();
    return {shown.getTexture().copyToImage()};
}

}  // namespace

TEST(Shader, SourceTargetsOpenGl2) {
    std::ifstream file(shader_path);
    ASSERT_TRUE(file) << shader_path;
    std::stringstream text;
    text << file.rdbuf();
    const std::string source = text.str();
    const std::size_t version = source.find("#version");
    if (version != std::string::npos) {
        EXPECT_LE(std::stoi(source.substr(version + 8)), 120);
    }
    EXPECT_NE(source.find("uniform sampler2D screen;"), std::string::npos);
    EXPECT_NE(source.find("uniform float distance;"), std::string::npos);
}

TEST(Shader, CompilesWithBothUniformsActive) {
    sf::Context context(gl2_settings(), width, height);
    ASSERT_TRUE(sf::Shader::isAvailable());
    sf::Shader shader;
    ASSERT_TRUE(shader.loadFromFile(shader_path, sf::Shader::Fragment));
    EXPECT_GE(uniform_location(shader, "screen"), 0);
    EXPECT_GE(uniform_location(shader, "distance"), 0);
}

TEST(Shader, KeepsBlackBlackAndLinesBright) {
    sf::Context context(gl2_settings(), width, height);
    ASSERT_TRUE(sf::Shader::isAvailable());
    sf::Shader shader;
    ASSERT_TRUE(shader.loadFromFile(shader_path, sf::Shader::Fragment));
    // A white laser-thin line across the middle and a HUD-grey panel in a corner.
    const Frame frame = through_shader(shader, [](sf::RenderTarget& target) {
        sf::RectangleShape line({400.0f, 2.0f});
        line.setPosition(200.0f, 300.0f);
        line.setFillColor(sf::Color::White);
        target.draw(line);
        sf::RectangleShape panel({190.0f, 30.0f});
        panel.setFillColor(sf::Color(50, 50, 50));
        target.draw(panel);
    });

    // Set VANTOREL_SHADER_TEST_IMAGE to a .png path to look at the processed frame.
    if (const char* keep = std::getenv("VANTOREL_SHADER_TEST_IMAGE")) frame.image.saveToFile(keep);
    for (unsigned x : {200u, 400u, 599u}) {
        EXPECT_GE(frame.at(x, 300), 200) << "line at x " << x;
        EXPECT_GE(frame.at(x, 301), 200) << "line at x " << x;
    }
    // Glow: just off the line is lit, yet dimmer than the line.
    EXPECT_GT(frame.at(400, 303), 8);
    EXPECT_LT(frame.at(400, 303), frame.at(400, 300));
    // Black background, near the line's end, the middle and the corners.
    for (auto [x, y] : {std::pair{400u, 280u}, {620u, 300u}, {400u, 100u}, {5u, 595u}, {795u, 595u}, {795u, 5u}})
        EXPECT_LE(frame.at(x, y), 6) << "background at " << x << ", " << y;
    // The panel keeps its grey (scanlines and the corner shading darken it by at
    // most a fifth) and does not bleed.
    EXPECT_LE(frame.at(100, 15), 50);
    EXPECT_GE(frame.at(100, 15), 40);
    EXPECT_LE(frame.at(100, 33), 2);
    EXPECT_LE(frame.at(193, 15), 2);
}
