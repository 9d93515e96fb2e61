#include "menus/map_select.hpp"

#include "app/image_paths.hpp"
#include "app/map_list.hpp"
#include "app/progress.hpp"
#include "client/watch_screen.hpp"
#include "game/race_clock.hpp"
#include "menus/replay_buttons.hpp"
#include "world/maps.hpp"

namespace {

sf::Color outline_colour(ButtonLook look) {
    switch (look) {
        case ButtonLook::unlocked: return sf::Color(255, 255, 255, 255);
        case ButtonLook::hovered: return sf::Color(0, 255, 0, 255);
        case ButtonLook::locked: break;
    }
    return sf::Color(50, 50, 50, 255);
}

// The built-in map a list entry names, 1 to 5; 0 for any other name.
int builtin_number(const std::string& name) {
    return name.size() == 1 && name[0] >= '1' && name[0] <= '0' + builtin_map_count ? name[0] - '0' : 0;
}

}  // namespace

MapSelectScreen::MapSelectScreen(std::vector<std::string> maps, SavedProgress found, sf::Vector2i layout,
                                 std::function<GameResult(const std::string&)> play,
                                 std::function<StatusLine(const std::filesystem::path&)> watch)
    : maps_(std::move(maps)),
      size_(layout),
      menu_(maps_.size(), found.progress, layout.x, layout.y),
      play_(std::move(play)),
      watch_(std::move(watch)),
      found_(std::move(found)) {
    if (!found_.unreadable.empty()) notice_ = "Wins will not be saved: " + found_.unreadable;
}

void MapSelectScreen::load() {
    font_.load(menu_font_path);  // without it the screen works on, its lines and buttons unlabelled
    heading_.load(image_paths::select_map, size_.x / 2 - 256, 0);
    go_back_.load(image_paths::go_back, 0, 0);
    for (int d = 0; d < 10; ++d) digits_[static_cast<size_t>(d)] = load_menu_image(image_paths::digit(d));
    find_replays();
}

void MapSelectScreen::find_replays() {
    const std::vector<ReplayEntry> entries = list_replays();
    runs_.assign(maps_.size(), MapRuns{});
    for (size_t i = 0; i < maps_.size(); ++i)
        if (const int n = builtin_number(maps_[i]); n != 0 && builtin_map_text(n) != nullptr)
            runs_[i] = runs_of_map(entries, builtin_map_identity(n));
}

void MapSelectScreen::handle(const sf::Event& event, sf::Vector2i pointer) {
    menu_.handle(event, pointer);
    if (const auto index = menu_.take_play()) {
        const GameResult result = play_(maps_[static_cast<size_t>(*index)]);
        status_ = game_ending_line(map_words(static_cast<size_t>(*index)), result);
        // The next map stays unlocked for this visit either way.
        if (const auto raised = menu_.game_ended(*index, result.won())) {
            const std::string why = save_progress(*raised, found_);
            if (!why.empty()) status_ = {"Progress not saved: " + why, false};
        }
        find_replays();
    }
    if (const auto asked = menu_.take_watch(); asked && asked->index < runs_.size()) {
        find_replays();  // the folder as it is now: a file may have been added or removed meanwhile
        if (const auto replay = requested_replay(runs_[asked->index], asked->which, map_words(asked->index), status_))
            status_ = watch_(*replay);
        find_replays();
    }
}

void MapSelectScreen::draw(sf::RenderTarget& target, sf::Vector2i pointer) {
    sf::Sprite digit;  // one sprite for every digit, its image switched per glyph
    for (const MapButton& button : menu_.buttons(pointer).buttons) {
        for (const DigitPlace& place : label_digits(button.label, button.x)) {
            digit.setTexture(digits_[static_cast<size_t>(place.digit)], true);
            digit.setPosition(static_cast<float>(place.x), static_cast<float>(button.y));
            target.draw(digit);
        }
        target.draw(box(static_cast<float>(button.x), static_cast<float>(button.y), map_button_width, map_button_height,
                        sf::Color(0, 0, 0, 100), outline_colour(button.look), 1.0f));
    }
    heading_.draw(target);
    go_back_.draw(target);

    // The best time of the map under the pointer (or the one last under it), and its replays to watch.
    const int chosen = menu_.chosen();
    const MapRuns* runs = chosen >= 0 ? &runs_[static_cast<size_t>(chosen)] : nullptr;
    std::string best = "Point at a map to see its best time; V watches its best run, L its newest.";
    if (runs != nullptr)
        best = map_words(static_cast<size_t>(chosen)) +
               (runs->best ? ": best " + race_time(runs->best->updates) : ": not won yet, no best time");
    draw_text_centred(target, fitted_text(font_, best, 20, static_cast<float>(size_.x - 16)),
                      static_cast<float>(size_.x / 2), static_cast<float>(map_select_best_line_y(size_.y)),
                      sf::Color::White);
    draw_watch_buttons(target, font_, menu_.watch_buttons(), runs, pointer);
    // The last game's or replay's line; with none, why wins are not saved.
    draw_status_line(target, font_, status_.words.empty() ? StatusLine{notice_, false} : status_, size_);
}

void run_map_select(sf::RenderWindow& window, const std::string& map_list_text, sf::Music& title_music,
                    Playlist& title_playlist) {
    MapSelectScreen screen(
        split_map_list(map_list_text), load_progress(), layout_size(),
        [&](const std::string& map) { return play_from_menu(window, title_music, map); },
        [&](const std::filesystem::path& replay) { return watch_replay(window, title_music, replay); });
    TitleMusic music{title_music, title_playlist};
    run_screen(window, screen, &music);
}
