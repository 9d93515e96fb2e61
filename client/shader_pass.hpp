// The optional full-screen post-processing shader ("Shader/shade.sfx"), which
// gets the frame as "screen" and the size of one texel as "distance".
#pragma once

#include <cstdint>

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Texture.hpp>

// Program-wide, loaded once at start-up.
inline sf::Shader post_shader;
// 1 / the smallest power of two at least as large as the layout's longer side;
// 0 while the shader is not loaded.
inline float shader_texel = 0.0f;

// 1 / (the smallest power of two >= max(width, height)): 800 x 600 gives 1/1024.
float texel_for(int32_t width, int32_t height);
// Loads post_shader when use_shader is on and shaders are supported, and sets
// shader_texel for a width x height layout. A missing or broken file is
// reported by the library and leaves frames unprocessed.
void load_post_shader(int32_t width, int32_t height);
// Whether frames go through the shader: use_shader is on and shaders are supported.
bool shader_effect_on();
// Draws `frame` at (0, 0) onto target: through the shader when the effect is on, else as it is.
void draw_through_shader(sf::RenderTarget& target, const sf::Texture& frame);
