#include "client/end_sequences.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>

#include "client/frame_canvas.hpp"
#include "client/object_images.hpp"
#include "client/scene_drawing.hpp"
#include "client/screen.hpp"
#include "client/shader_pass.hpp"

namespace {

// A finished frame, to be drawn as one picture about its centre.
struct FrozenFrame {
    sf::Texture image;
    sf::Sprite sprite;
    explicit FrozenFrame(const sf::Texture& frame) : image(frame) {
        image.setSmooth(false);
        sprite.setTexture(image, true);
        const sf::Vector2u size = image.getSize();
        const sf::Vector2f centre(static_cast<float>(size.x / 2), static_cast<float>(size.y / 2));
        sprite.setOrigin(centre);
        sprite.setPosition(centre);
    }
};

// Shows this frame's scene as drawn, without the shader.
void show_scene_plainly(GameSession& s) {
    s.scene.display();
    frame_canvas.clear();
    frame_canvas.target().draw(sf::Sprite(s.scene.getTexture()));
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
    s.scene.display();
    frame_canvas.take_scene(s.scene.getTexture());
    FrozenFrame frozen(frame_canvas.drawn());
    frame_canvas.clear();
    frame_canvas.target().draw(frozen.sprite);
    frame_canvas.present(s.window);
    pose_player(s.pointer());
    // The frame is never cleared: each smaller player is drawn over the larger ones before it.
    float size = 1.0f;
    for (int i = 0; i <= 100; ++i, size -= 0.01f) {
        if (music_playing(s)) s.music.setPitch(1.0f + (1.0f - size) / 1.5f);
        scale_player(size, size);
        draw_player_sprites(frame_canvas.target());
        frame_canvas.present(s.window);
    }
    scale_player(1, 1);
    sf::sleep(sf::Time::Zero);
    set_frame_limit(s.window, FrameLimit::none);
}

void play_death_animation(GameSession& s) {
    set_frame_limit(s.window, FrameLimit::menus);
    show_scene_plainly(s);
    FrozenFrame frozen(frame_canvas.drawn());
    pose_player(s.pointer());
    float height = 1.0f;
    for (int i = 0; i <= 100; ++i, height -= 0.01f) {
        frame_canvas.clear();
        frame_canvas.target().draw(frozen.sprite);
        scale_player(1, height);
        draw_player_sprites(frame_canvas.target());
        frame_canvas.shader_pass();
        frame_canvas.present(s.window);
    }
    scale_player(1, 1);
    set_frame_limit(s.window, FrameLimit::none);
}

void play_game_over(GameSession& s) {
    set_frame_limit(s.window, FrameLimit::menus);
    pose_player(s.pointer());
    show_scene_plainly(s);
    draw_player_sprites(frame_canvas.target());
    FrozenFrame frozen(frame_canvas.drawn());
    const sf::Color red(200, 0, 0);
    const auto tinted_frame = [&] {
        frame_canvas.clear();
        frame_canvas.target().clear(red);
        frame_canvas.target().draw(frozen.sprite, multiply_blend);
    };
    if (music_playing(s)) s.music.setPitch(0.5f);
    for (int i = 0; i < 120; ++i) {
        tinted_frame();
        frame_canvas.shader_pass();
        frame_canvas.present(s.window);
    }
    float width = 1.0f;
    for (int i = 0; i <= 200; ++i, width -= 0.005f) {
        frozen.sprite.setScale(width, 1.0f);
        tinted_frame();
        if (music_playing(s)) s.music.setVolume(100.0f * width);
        frame_canvas.shader_pass();
        frame_canvas.present(s.window);
    }
    set_frame_limit(s.window, FrameLimit::none);
}
