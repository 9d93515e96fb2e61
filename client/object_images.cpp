#include "client/object_images.hpp"

#include <string>

#include "app/image_paths.hpp"
#include "client/file_loading.hpp"

namespace {

template <size_t N>
void load_group(std::array<sf::Texture, N>& group, const std::array<const char*, N>& paths) {
    for (size_t i = 0; i < N; ++i) load_texture(group[i], paths[i]);
}

// A sprite showing `first`, placed by its origin, drawn later with its blend mode by the caller.
void set_up(sf::Sprite& sprite, const sf::Texture& first, float ox, float oy) {
    sprite.setTexture(first, true);
    sprite.setOrigin(ox, oy);
}

template <size_t N>
void smooth_group(std::array<sf::Texture, N>& group, bool on) {
    for (sf::Texture& t : group) t.setSmooth(on);
}

}  // namespace

void load_object_images() {
    load_group(images.switches, image_paths::switches);
    set_up(images.switch_sprite, images.switches[3], 16, 16);
    load_group(images.enemies, image_paths::enemies);
    set_up(images.enemy_sprite, images.enemies[0], 16, 16);
    load_group(images.pickups, image_paths::pickups);
    set_up(images.pickup_sprite, images.pickups[0], 16, 16);
    load_group(images.checkpoints, {image_paths::checkpoint, image_paths::checkpoint_hit});
    set_up(images.checkpoint_sprite, images.checkpoints[0], 16, 32);
    load_group(images.deaths, image_paths::deaths);
    set_up(images.death_sprite, images.deaths[0], 16, 16);
    load_group(images.arm, image_paths::arms);
    load_group(images.powered_arm, image_paths::powered_arms);
    load_group(images.body, image_paths::bodies);
    load_group(images.ducking, image_paths::duckings);
    set_up(images.body_sprite, images.body[0], 16, 32);
    set_up(images.arm_sprite, images.arm[0], 32, 4);
    load_texture(images.exit, image_paths::exit);
    set_up(images.exit_sprite, images.exit, 32, 32);
}

void apply_smoothing(bool on) {
    smooth_group(images.deaths, on);
    smooth_group(images.enemies, on);
    smooth_group(images.checkpoints, on);
    smooth_group(images.switches, on);
    smooth_group(images.pickups, on);
    smooth_group(images.body, on);
    smooth_group(images.ducking, on);
    smooth_group(images.arm, on);
    smooth_group(images.powered_arm, on);
    images.exit.setSmooth(on);
}

void load_cursor_image(bool smooth) {
    load_texture(cursor_texture, image_paths::cursor);
    cursor_texture.setSmooth(smooth);
    cursor_sprite.setTexture(cursor_texture, true);
    cursor_sprite.setOrigin(8, 8);
}
