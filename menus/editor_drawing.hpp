// Drawing the map editor: the map picture (the game's own drawing under a
// zoomed view), the editor's marks over it, the toolbar, the status line and
// the dialogs. Reads the editor; changes nothing but the world's picture.
#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RenderTarget.hpp>

#include "client/wall_geometry.hpp"
#include "game/map_editor.hpp"

// The map as the game draws it, seen through the editor's view: the ground
// outside the map dimmed, the grid when it is on, the level, the map's
// border and the player standing at the start. The world must already show
// the editor's map (show_map_picture), and `walls` be built from it.
void draw_map_picture(sf::RenderTarget& target, const MapEditor& editor, WallGeometry& walls);
// Heading lines, the selection, the item under the pointer, what a drag
// would add, the frame's resize handle and where a click would place.
void draw_editor_marks(sf::RenderTarget& target, const MapEditor& editor);
void draw_toolbar(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font);
// Two lines: the tool, the pointer, the zoom and the counts; then the last
// command's result or the loader's verdict on the map as it stands.
void draw_status(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font);
// The name prompt or the question before leaving, when one is open.
void draw_dialog(sf::RenderTarget& target, const MapEditor& editor, const sf::Font& font);
