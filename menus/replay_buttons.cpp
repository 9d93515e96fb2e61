#include "menus/replay_buttons.hpp"

#include "client/shapes.hpp"
#include "game/race_clock.hpp"

namespace {

void draw_watch_button(sf::RenderTarget& target, const sf::Font& font, const Rect& r, const std::string& words,
                       bool lit, sf::Vector2i p) {
    const sf::Color grey(90, 90, 90), outline = !lit                   ? grey
                                                : r.contains(p.x, p.y) ? sf::Color::Green
                                                                       : sf::Color::White;
    target.draw(box(r, sf::Color(0, 0, 0, 100), outline, 1.0f));
    draw_text_centred(target, fitted_text(font, words, 15, static_cast<float>(r.w - 8)),
                      static_cast<float>(r.x + r.w / 2), static_cast<float>(r.y + 6), lit ? sf::Color::White : grey);
}

}  // namespace

void draw_watch_buttons(sf::RenderTarget& target, const sf::Font& font, const WatchButtons& buttons,
                        const MapRuns* runs, sf::Vector2i pointer) {
    draw_watch_button(target, font, buttons.best, "Watch best (V)", runs && runs->best, pointer);
    draw_watch_button(target, font, buttons.newest, "Watch newest (L)", runs && runs->newest, pointer);
}

std::optional<std::filesystem::path> requested_replay(const MapRuns& runs, WatchWhich which,
                                                      const std::string& map_words, StatusLine& status) {
    const std::optional<ReplayEntry>& entry = which == WatchWhich::best ? runs.best : runs.newest;
    if (entry) return entry->path;
    status = {map_words + (which == WatchWhich::best ? " has not been won yet: no best run to watch."
                                                     : " has no replay yet: play it first."),
              false};
    return std::nullopt;
}

StatusLine game_ending_line(const std::string& map_words, const GameResult& result) {
    if (!result.error.empty()) return {map_words + ": " + result.error, false};
    if (!result.replay_error.empty()) return {result.replay_error, false};
    if (!result.won()) return {};
    return {map_words + " completed in " + race_time(result.updates) + (result.new_best ? ": a new best!" : "."), true};
}
