#include "client/end_sequences.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>

#include "client/object_images.hpp"
#include "client/scene_drawing.hpp"
#include "client/screen.hpp"
#include "client/shader_pass.hpp"

namespace {

// The window's current contents, to be drawn as one picture about its centre.
struct FrozenWindow {
    sf::Texture image;
    sf::Sprite sprite;
    explicit FrozenWindow(sf::RenderWindow& window) {
        const sf::Vector2u size = window.getSize();
        image.create(size.x, size.y);
        image.update(window);
        image.setSmooth(false);
        sprite.setTexture(image, true);
        const sf::Vector2f centre(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
        sprite.setOrigin(centre);
        sprite.setPosition(centre);
    }
};

// Puts this frame's scene on the window as drawn, without the shader.
void show_scene_plainly(GameSession& s) {
    s.scene.display();
    s.window.draw(sf::Sprite(s.scene.getTexture()));
}

// Scales the posed player, keeping the body's mirroring.
void scale_player(float sx, float sy) {
    const float facing = images.body_sprite.getScale().x < 0 ? -1.0f : 1.0f;
    images.body_sprite.setScale(facing * sx, sy);
    images.arm_sprite.setScale(sx, sy);
}

bool music_playing(const GameSession& s) { return s.music.getStatus() == sf::SoundSource::Playing; }

}  // namespace

void play_exit_animation(GameSession& s) {
    set_frame_limit(s.window, FrameLimit::menus);
    present_offscreen(s.window, s.scene);
    FrozenWindow frozen(s.window);
    for (int i = 0; i < 2; ++i) {  // both buffers hold the scene before the player shrinks over it
        s.window.clear(sf::Color::Black);
        s.window.draw(frozen.sprite);
        s.window.display();
    }
    pose_player(s.pointer());
    float size = 1.0f;
    for (int i = 0; i <= 100; ++i, size -= 0.01f) {
        if (music_playing(s)) s.music.setPitch(1.0f + (1.0f - size) / 1.5f);
        scale_player(size, size);
        draw_player_sprites(s.window);
        s.window.display();
    }
    scale_player(1, 1);
    sf::sleep(sf::Time::Zero);
    set_frame_limit(s.window, FrameLimit::none);
}

void play_death_animation(GameSession& s) {
    set_frame_limit(s.window, FrameLimit::menus);
    show_scene_plainly(s);
    FrozenWindow frozen(s.window);
    pose_player(s.pointer());
    float height = 1.0f;
    for (int i = 0; i <= 100; ++i, height -= 0.01f) {
        s.window.clear(sf::Color::Black);
        s.window.draw(frozen.sprite);
        scale_player(1, height);
        draw_player_sprites(s.window);
        post_process_window(s.window);
        s.window.display();
    }
    scale_player(1, 1);
    set_frame_limit(s.window, FrameLimit::none);
}

void play_game_over(GameSession& s) {
    set_frame_limit(s.window, FrameLimit::menus);
    pose_player(s.pointer());
    show_scene_plainly(s);
    draw_player_sprites(s.window);
    FrozenWindow frozen(s.window);
    const sf::Color red(200, 0, 0);
    if (music_playing(s)) s.music.setPitch(0.5f);
    for (int i = 0; i < 120; ++i) {
        s.window.clear(red);
        s.window.draw(frozen.sprite, multiply_blend);
        post_process_window(s.window);
        s.window.display();
    }
    float width = 1.0f;
    for (int i = 0; i <= 200; ++i, width -= 0.005f) {
        s.window.clear(red);
        frozen.sprite.setScale(width, 1.0f);
        s.window.draw(frozen.sprite, multiply_blend);
        if (music_playing(s)) s.music.setVolume(100.0f * width);
        post_process_window(s.window);
        s.window.display();
    }
    set_frame_limit(s.window, FrameLimit::none);
}
