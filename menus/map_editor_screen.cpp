#include "menus/map_editor_screen.hpp"

#include <SFML/Graphics/Sprite.hpp>

#include "app/custom_maps.hpp"
#include "app/key_codes.hpp"
#include "client/frame_canvas.hpp"
#include "client/menu_kit.hpp"
#include "client/screenshot.hpp"
#include "client/shader_pass.hpp"
#include "game/map_picture.hpp"
#include "menus/editor_drawing.hpp"
#include "world/map_file.hpp"

namespace {

EditorMessage outcome_line(const GameResult& result) {
    switch (result.end) {
        case GameEnd::won: return {"Test play: the exit was reached.", true};
        case GameEnd::game_over: return {"Test play: the last life was lost.", true};
        case GameEnd::left: return {"Test play: left through the pause menu.", true};
        case GameEnd::closed: return {};
        case GameEnd::failed: break;
    }
    return {"Test play: " + result.error, false};
}

}  // namespace

void MapEditorScreen::load() {
    font_.loadFromFile(menu_font_path);  // without it the editor works on, its lines unwritten
    toolbar_.create(static_cast<unsigned>(size_.x), static_cast<unsigned>(editor_toolbar_height));
    drawn_.create(static_cast<unsigned>(size_.x), static_cast<unsigned>(size_.y));
    shaded_.create(static_cast<unsigned>(size_.x), static_cast<unsigned>(size_.y));
}

void MapEditorScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    if (is_key_press(event, key_code::f12)) {
        const std::string& name = editor_.name();
        take_screenshot(frame_canvas.shown(), name.empty() ? "editor" : "editor " + name);
        return;
    }
    editor_.handle(event, pointer);
    act();
}

void MapEditorScreen::update(const FrameInput& input) {
    editor_.update(input);
    act();
}

void MapEditorScreen::act() {
    switch (editor_.take_request()) {
        case EditorRequest::none: break;
        case EditorRequest::leave: left_ = true; break;
        case EditorRequest::test_play:
            editor_.played(play_(editor_.map(), editor_.name()));
            // The game has had the world: show the map again.
            picture_revision_ = UINT64_MAX;
            picture_look_.reset();
            break;
    }
}

void MapEditorScreen::draw(sf::RenderTarget& target, sf::Vector2i) {
    const EditorView& v = editor_.view();
    const PictureLook look{editor_.revision(), v.left, v.top, v.zoom_step, editor_.grid()};
    if (look != picture_look_) {
        if (picture_revision_ != editor_.revision()) {
            show_map_picture(editor_.map());
            walls_.build();
            picture_revision_ = editor_.revision();
        }
        drawn_.clear(sf::Color::Black);
        draw_map_picture(drawn_, editor_, walls_);
        drawn_.display();
        shaded_.clear(sf::Color::Black);
        draw_through_shader(shaded_, drawn_.getTexture());
        shaded_.display();
        picture_look_ = look;
    }
    target.draw(sf::Sprite(shaded_.getTexture()));
}

void MapEditorScreen::draw_unshaded(sf::RenderTarget& target) {
    draw_editor_marks(target, editor_);
    const sf::Vector2i pointer = editor_.pointer();
    const ToolbarLook look{editor_.tool(), editor_.grid(), editor_.layout().button_at(pointer.x, pointer.y)};
    if (look != toolbar_look_) {
        toolbar_.clear(sf::Color::Transparent);
        draw_toolbar(toolbar_, editor_, font_);
        toolbar_.display();
        toolbar_look_ = look;
    }
    target.draw(sf::Sprite(toolbar_.getTexture()));
    draw_status(target, editor_, font_);
    draw_dialog(target, editor_, font_);
}

bool MapEditorScreen::cursor_hot(sf::Vector2i p) const {
    const EditorLayout& layout = editor_.layout();
    if (editor_.prompt() || editor_.asking_to_leave()) {
        for (int i = 0; i < 3; ++i)
            if (layout.dialog_button(i).contains(p.x, p.y)) return true;
        return false;
    }
    return layout.button_at(p.x, p.y).has_value();
}

EditorVisit run_map_editor(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist,
                           EditorOpening opening) {
    const TestPlay play = [&](const MapSource& map, const std::string& name) {
        const std::string text = write_map_text(map, MapTextForm::compact);
        // Named as the saved file would be, so screenshots of a test play say which map it was.
        const std::string shown = name.empty() ? "new map" : map_file_path(custom_maps_folder, name).string();
        return outcome_line(play_from_menu(window, title_music, shown, &text));
    };
    MapEditorScreen screen(std::move(opening), layout_size(), custom_maps_folder, play);
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
    return {screen.editor().name(), screen.editor().saved_once()};
}
