#include "menus/custom_maps_screen.hpp"

#include <algorithm>

#include "app/custom_maps.hpp"
#include "app/image_paths.hpp"
#include "client/watch_screen.hpp"
#include "game/race_clock.hpp"
#include "menus/replay_buttons.hpp"
#include "world/map_file.hpp"

namespace {

const sf::Color unlocked_outline(255, 255, 255, 255);
const sf::Color hovered_outline(0, 255, 0, 255);
const sf::Color chosen_outline(255, 255, 120, 255);  // the row the watch buttons act on
const sf::Color best_colour(255, 230, 140, 255);
const sf::Color button_fill(0, 0, 0, 100);
constexpr float best_column = 90.0f;  // px at a row's right end for its best time

}  // namespace

void CustomMapsScreen::load() {
    go_back_.load(image_paths::go_back, 0, 0);
    font_.load(menu_font_path);  // without it the buttons still work, unlabelled
    find_replays();
}

void CustomMapsScreen::find_replays() {
    const std::vector<ReplayEntry> entries = list_replays();
    runs_.assign(maps_.size(), MapRuns{});
    if (entries.empty()) return;
    for (size_t i = 0; i < maps_.size(); ++i) {
        std::string why;
        if (const auto text = read_custom_map(maps_[i], why))
            runs_[i] = runs_of_map(entries, custom_map_identity(maps_[i], *text));
    }
}

void CustomMapsScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    list_.handle(event, pointer);
    if (const auto index = list_.take_play()) {
        status_ = play_(maps_[*index]);
        find_replays();
    }
    if (const auto asked = list_.take_watch(); asked && asked->index < runs_.size()) {
        find_replays();  // the folder as it is now: a file may have been added or removed meanwhile
        const std::string name = maps_[asked->index].filename().string();
        if (const auto replay = requested_replay(runs_[asked->index], asked->which, name, status_))
            status_ = watch_(*replay);
        find_replays();
    }
    if (const auto target = list_.take_edit(); target && edit_) edit(*target);
}

void CustomMapsScreen::edit(const EditTarget& target) {
    std::optional<EditorOpening> opening;
    std::string why = "there is no such built-in map";
    if (target.kind == EditTarget::new_map) opening = EditorOpening{new_map_source(), {}, {}};
    if (target.kind == EditTarget::file) opening = open_map_file(maps_[target.index], why);
    if (target.kind == EditTarget::builtin) opening = open_builtin_copy(static_cast<int>(target.index));
    if (!opening) {
        status_ = {(target.kind == EditTarget::file ? maps_[target.index].filename().string() : "Map") + ": " + why,
                   false};
        return;
    }
    const EditorVisit visit = edit_(std::move(*opening));
    maps_ = list_custom_maps();
    list_ = CustomMapList(maps_.size(), size_);
    find_replays();
    status_ = {};
    if (visit.name.empty()) return;
    const std::filesystem::path kept = map_file_path(custom_maps_folder, visit.name);
    const auto at = std::find(maps_.begin(), maps_.end(), kept);
    if (at != maps_.end()) list_.show(static_cast<size_t>(at - maps_.begin()));
    if (visit.saved) status_ = {kept.filename().string() + ": saved by the editor.", true};
}

void CustomMapsScreen::draw(sf::RenderTarget& target, sf::Vector2i at) {
    const float W = static_cast<float>(size_.x);
    const int under = list_.under(at), chosen = list_.chosen();
    const CustomMapLayout& layout = list_.layout();
    draw_text_centred(target, sf::Text("Custom Maps", font_, 36), static_cast<float>(size_.x / 2), 8.0f,
                      sf::Color::White);
    if (maps_.empty()) {
        draw_text_centred(target, fitted_text(font_, "No maps yet: the Maps folder is missing or empty.", 20, W - 16),
                          static_cast<float>(size_.x / 2), static_cast<float>(size_.y / 2 - 40), sf::Color::White);
        draw_text_centred(
            target, fitted_text(font_, "Press N to make one in the editor, or put map texts into Maps/.", 16, W - 16),
            static_cast<float>(size_.x / 2), static_cast<float>(size_.y / 2), sf::Color(180, 180, 180));
    }
    for (int slot = 0; slot < layout.rows_per_page; ++slot) {
        const size_t index = static_cast<size_t>(list_.page()) * static_cast<size_t>(layout.rows_per_page) + slot;
        if (index >= maps_.size()) break;
        const Rect r = layout.row(slot);
        const int i = static_cast<int>(index);
        const sf::Color outline = i == under ? hovered_outline : i == chosen ? chosen_outline : unlocked_outline;
        target.draw(box(r, button_fill, outline, 1.0f));
        const float name_width = static_cast<float>(r.w - 20 - custom_edit_width) - best_column;
        draw_text(target, fitted_text(font_, maps_[index].filename().string(), 20, name_width),
                  static_cast<float>(r.x + 10), static_cast<float>(r.y + 3), sf::Color::White);
        if (const auto& best = runs_[index].best) {
            const sf::Text time = fitted_text(font_, race_time(best->updates), 18, best_column);
            draw_text(target, time,
                      static_cast<float>(r.x + r.w - 10 - custom_edit_width) - time.getLocalBounds().width,
                      static_cast<float>(r.y + 5), best_colour);
        }
        const Rect e = layout.edit(slot);
        target.draw(box(e, button_fill, e.contains(at.x, at.y) ? hovered_outline : unlocked_outline, 1.0f));
        draw_text_centred(target, sf::Text("Edit E", font_, 14), static_cast<float>(e.x) + static_cast<float>(e.w) / 2,
                          static_cast<float>(e.y + 7), sf::Color::White);
    }
    if (layout.pages > 1) {
        for (const Rect* r : {&layout.previous, &layout.next})
            target.draw(box(*r, button_fill, r->contains(at.x, at.y) ? hovered_outline : unlocked_outline, 1.0f));
        draw_text(target, sf::Text("<", font_, 24), static_cast<float>(layout.previous.x + 38),
                  static_cast<float>(layout.previous.y), sf::Color::White);
        draw_text(target, sf::Text(">", font_, 24), static_cast<float>(layout.next.x + 38),
                  static_cast<float>(layout.next.y), sf::Color::White);
        const sf::Text where("Page " + std::to_string(list_.page() + 1) + " of " + std::to_string(layout.pages), font_,
                             16);
        draw_text(target, where, static_cast<float>(layout.left + custom_row_width) - where.getLocalBounds().width,
                  static_cast<float>(custom_rows_top - 24), sf::Color::White);
    }
    if (!maps_.empty())
        draw_watch_buttons(target, font_, layout.watch, chosen >= 0 ? &runs_[static_cast<size_t>(chosen)] : nullptr,
                           at);
    draw_editor_controls(target, at);
    if (list_.choosing_builtin())
        draw_text(target, fitted_text(font_, "Copy which built-in map? Press 1 to 5, or Escape for none.", 16, W - 16),
                  8.0f, static_cast<float>(size_.y - 28), sf::Color::White);
    else
        draw_status_line(target, font_, status_, size_);
    go_back_.draw(target);
}

void CustomMapsScreen::draw_editor_controls(sf::RenderTarget& target, sf::Vector2i at) {
    const CustomMapLayout& layout = list_.layout();
    auto button = [&](const Rect& r, const std::string& words) {
        target.draw(box(r, button_fill, r.contains(at.x, at.y) ? hovered_outline : unlocked_outline, 1.0f));
        draw_text_centred(target, fitted_text(font_, words, 14, static_cast<float>(r.w - 6)),
                          static_cast<float>(r.x) + static_cast<float>(r.w) / 2, static_cast<float>(r.y + 6),
                          sf::Color::White);
    };
    if (!list_.choosing_builtin()) {
        button(layout.new_map, "New map N");
        button(layout.copy_builtin, "Copy built-in O");
        return;
    }
    for (int d = 1; d <= 5; ++d) button(layout.builtin_digit(d), std::to_string(d));
    button(layout.builtin_digit(0), "Cancel");
}

StatusLine play_custom_map(sf::RenderWindow& window, sf::Music& title_music, const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    std::string why;
    const auto text = read_custom_map(path, why);
    if (!text) return {why, false};  // the reason names the file
    // The path is the map's name, so screenshots are named after the file.
    const GameResult result = play_from_menu(window, title_music, path.string(), &*text);
    if (!result.won() && result.error.empty()) {
        // A map maker hears why the map could not be played or won.
        std::string warned;
        for (const std::string& warning : result.warnings) warned += " " + warning;
        if (!warned.empty()) return {name + ":" + warned, false};
    }
    return game_ending_line(name, result);
}

void run_custom_maps(sf::RenderWindow& window, sf::Music& title_music, Playlist& title_playlist) {
    CustomMapsScreen screen(
        list_custom_maps(), layout_size(),
        [&](const std::filesystem::path& path) { return play_custom_map(window, title_music, path); },
        [&](const std::filesystem::path& replay) { return watch_replay(window, title_music, replay); },
        [&](EditorOpening opening) { return run_map_editor(window, title_music, title_playlist, std::move(opening)); });
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
}
