#include "client/game_session.hpp"

#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "client/menu_kit.hpp"
#include "game/game_state.hpp"
#include "world/world_state.hpp"

GameSession::GameSession(sf::RenderWindow& w, std::string name) : window(w), map_name(std::move(name)) {
    const auto width = static_cast<unsigned>(world.screen_width), height = static_cast<unsigned>(world.screen_height);
    scene.create(width, height);
    scene.clear(sf::Color::Black);
    laser_image.create(width, height);
    walls.build();
    if (settings.disable_music == 0) playlist = list_music(true);
    music.stop();
    font.loadFromFile(menu_font_path);
}

GameSession::~GameSession() { music.stop(); }

sf::Vector2i GameSession::pointer() const {
    if (watching) return {game.input.mouse_x, game.input.mouse_y};
    return pointer_in_layout(window);
}
