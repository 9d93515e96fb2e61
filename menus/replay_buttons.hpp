// What map selection and the custom-map screen share for a map's replays:
// the two watch buttons and finding the replay a key or click asked for.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include "app/menu_layout.hpp"
#include "app/menu_logic.hpp"
#include "client/menu_kit.hpp"
#include "game/replay_library.hpp"

// "Watch best (V)" and "Watch newest (L)": white when the chosen map has such
// a replay (green under the pointer), grey when it has none or none is chosen.
void draw_watch_buttons(sf::RenderTarget& target, const sf::Font& font, const WatchButtons& buttons,
                        const MapRuns* runs, sf::Vector2i pointer);

// The replay file a request asks for; nothing, with the line saying so, when
// the map (named by `map_words`, "Map 2") has none.
std::optional<std::filesystem::path> requested_replay(const MapRuns& runs, WatchWhich which,
                                                      const std::string& map_words, StatusLine& status);

// A game's ending for a menu's bottom line: the time of a win and whether it
// is the map's best, or why its replay was not kept; empty when there is nothing to say.
StatusLine game_ending_line(const std::string& map_words, const GameResult& result);
