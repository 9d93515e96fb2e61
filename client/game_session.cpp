#include "client/game_session.hpp"

#include "app/settings.hpp"
#include "client/frame_canvas.hpp"
#include "world/world_state.hpp"

GameSession::GameSession(sf::RenderWindow& w, std::string name) : window(w), map_name(std::move(name)) {
    const auto width = static_cast<unsigned>(world.screen_width), height = static_cast<unsigned>(world.screen_height);
    scene.create(width, height);
    scene.clear(sf::Color::Black);
    laser_image.create(width, height);
    walls.build();
    if (settings.disable_music == 0) playlist = list_music(true);
    music.stop();
}

GameSession::~GameSession() { music.stop(); }

sf::Vector2i GameSession::pointer() const { return pointer_in_layout(window); }
