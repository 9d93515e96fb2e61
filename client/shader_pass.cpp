#include "client/shader_pass.hpp"

#include <algorithm>

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>

#include "app/settings.hpp"
#include "client/file_loading.hpp"

namespace {

void set_parameters(const sf::Texture& frame) {
    post_shader.setUniform("screen", frame);
    post_shader.setUniform("distance", shader_texel);
}

}  // namespace

float texel_for(int32_t width, int32_t height) {
    uint32_t m = static_cast<uint32_t>(std::max({width, height, 1}));
    m -= 1;
    for (uint32_t shift : {1u, 2u, 4u, 8u, 16u}) m |= m >> shift;
    m += 1;
    return 1.0f / static_cast<float>(m);
}

void load_post_shader(int32_t width, int32_t height) {
    if (!shader_effect_on()) return;
    load_shader(post_shader, "Shader/shade.sfx", sf::Shader::Fragment);
    shader_texel = texel_for(width, height);
}

bool shader_effect_on() { return settings.use_shader != 0 && sf::Shader::isAvailable(); }

void draw_through_shader(sf::RenderTarget& target, const sf::Texture& frame) {
    const sf::Sprite picture(frame);
    if (!shader_effect_on()) {
        target.draw(picture);
        return;
    }
    set_parameters(frame);
    target.draw(picture, &post_shader);
}
