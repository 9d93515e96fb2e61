#include "client/object_images.hpp"

#include <string>

namespace {

const std::string objects = "Graphics/Game/Objects/";
const std::string character = "Graphics/Game/MainCharacter/";

template <size_t N>
void load_group(std::array<sf::Texture, N>& group, const std::string& folder,
                const std::array<const char*, N>& names) {
    for (size_t i = 0; i < N; ++i) group[i].loadFromFile(folder + names[i] + ".png");
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
    load_group(images.switches, objects, {"redOff", "greenOff", "blueOff", "redOn", "greenOn", "blueOn"});
    set_up(images.switch_sprite, images.switches[3], 16, 16);
    load_group(images.enemies, objects, {"basicenemy", "smartenemy", "turretenemy"});
    set_up(images.enemy_sprite, images.enemies[0], 16, 16);
    load_group(images.pickups, objects, {"medkit", "extralife", "powerup"});
    set_up(images.pickup_sprite, images.pickups[0], 16, 16);
    load_group(images.checkpoints, objects, {"checkpoint", "checkpointhit"});
    set_up(images.checkpoint_sprite, images.checkpoints[0], 16, 32);
    load_group(images.deaths, objects, {"death1", "death2", "death3", "death4", "death5"});
    set_up(images.death_sprite, images.deaths[0], 16, 16);
    load_group(images.arm, character, {"arm", "arm2", "arm3", "arm4", "arm5", "arm6"});
    load_group(images.powered_arm, character,
               {"armpowered", "armpowered2", "armpowered3", "armpowered4", "armpowered5", "armpowered6"});
    load_group(images.body, character, {"standstill", "move1", "move2", "move3", "move4"});
    load_group(images.ducking, character, {"ducking", "ducking1", "ducking2", "ducking3", "ducking4"});
    set_up(images.body_sprite, images.body[0], 16, 32);
    set_up(images.arm_sprite, images.arm[0], 32, 4);
    images.exit.loadFromFile(objects + "exit.png");
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
    cursor_texture.loadFromFile(objects + "cursor.png");
    cursor_texture.setSmooth(smooth);
    cursor_sprite.setTexture(cursor_texture, true);
    cursor_sprite.setOrigin(8, 8);
}
