// The map editor's tools and commands, their keys and words, and where its
// toolbar, status line and dialogs lie in a W x H layout (px).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include <SFML/System/Vector2.hpp>
#include <SFML/Window/Keyboard.hpp>

#include "app/menu_layout.hpp"
#include "world/map_document.hpp"

enum class EditorTool : uint8_t {
    wall,
    mirror,
    red_gate,
    green_gate,
    blue_mirror,
    red_switch,
    green_switch,
    blue_switch,
    basic_enemy,
    smart_enemy,
    turret,
    medkit,
    extra_life,
    power_up,
    checkpoint,
    start,
    exit,
    select,
};
inline constexpr size_t editor_tool_count = 18;

// What the buttons after the tools do.
enum class EditorCommand : uint8_t { grid, undo, redo, save, test_play };
inline constexpr size_t editor_command_count = 5;

struct ToolInfo {
    sf::Keyboard::Key key;
    const char* key_label;  // as the toolbar shows it
    const char* name;
    const char* how;  // one line: what a click or a drag does
};
const ToolInfo& tool_info(EditorTool tool);
// The tool a key chooses (main row or keypad digits, letters), if any.
std::optional<EditorTool> tool_for_key(sf::Keyboard::Key key);
struct CommandInfo {
    const char* label;  // on the button
    const char* how;    // with its key
};
const CommandInfo& command_info(EditorCommand command);

// What a tool makes: the segment type, switch colour, enemy kind or pickup kind.
enum class ToolMakes : uint8_t { segment, switch_, enemy, pickup, checkpoint, start, exit, select };
ToolMakes tool_makes(EditorTool tool);
int32_t tool_value(EditorTool tool);

inline constexpr int editor_toolbar_height = 36;
inline constexpr int editor_status_height = 40;
inline constexpr int editor_button_size = 32;
// The map frame's resize handle: a square this many px across, centred on the bottom-right corner.
inline constexpr int editor_handle_size = 10;

struct EditorLayout {
    sf::Vector2i size;
    Rect toolbar;
    Rect status;
    int pitch = 34;  // px from one button to the next
    // Button i: the tools in order, then the commands.
    Rect button(size_t i) const;
    // The button under (x, y): its index, or nothing.
    std::optional<size_t> button_at(int x, int y) const;
    // The map shows through everywhere but the toolbar and the status line.
    bool over_map(int x, int y) const;
    // The dialogs: the name prompt and the question before leaving with unsaved changes.
    Rect dialog() const;
    Rect dialog_button(int i) const;  // 0 .. 2, left to right along the dialog's bottom
};
EditorLayout editor_layout(sf::Vector2i size);
