#include "game/editor_tools.hpp"

#include <algorithm>
#include <array>

#include "world/map_vocabulary.hpp"

namespace {

using Key = sf::Keyboard::Key;

const std::array<ToolInfo, editor_tool_count> tools = {{
    {Key::Num1, "1", "Wall", "press, drag and release draws a white wall; Shift keeps it to 45 degrees"},
    {Key::Num2, "2", "Mirror", "press, drag and release draws a cyan mirror; Shift keeps it to 45 degrees"},
    {Key::Num3, "3", "Red gate", "press, drag and release draws a red gate; Shift keeps it to 45 degrees"},
    {Key::Num4, "4", "Green gate", "press, drag and release draws a green gate; Shift keeps it to 45 degrees"},
    {Key::Num5, "5", "Blue mirror", "press, drag and release draws a blue mirror; Shift keeps it to 45 degrees"},
    {Key::Num7, "7", "Red switch", "a click places a red switch"},
    {Key::Num8, "8", "Green switch", "a click places a green switch"},
    {Key::Num9, "9", "Blue switch", "a click places a blue switch"},
    {Key::B, "B", "Basic enemy", "a click places one; drag from it to set its heading"},
    {Key::M, "M", "Smart enemy", "a click places one; drag from it to set its heading"},
    {Key::T, "T", "Turret", "a click places one; drag from it to set its heading"},
    {Key::H, "H", "Medkit", "a click places a medkit"},
    {Key::U, "U", "Extra life", "a click places an extra life"},
    {Key::P, "P", "Power-up", "a click places a power-up"},
    {Key::K, "K", "Checkpoint", "a click places a checkpoint"},
    {Key::S, "S", "Start", "a click moves the player's start"},
    {Key::X, "X", "Exit", "a click moves the exit"},
    {Key::V, "V", "Select", "click or box-drag selects, drag moves, Delete removes; Shift+click adds"},
}};

const std::array<CommandInfo, editor_command_count> commands = {{
    {"Grid", "G: show the grid and snap to 8 px"},
    {"Undo", "Ctrl+Z: undo the last edit"},
    {"Redo", "Ctrl+Y: redo what was undone"},
    {"Save", "Ctrl+S: save as Maps/NAME.txt"},
    {"Play", "F5: play the map as it stands, then come back here"},
}};

}  // namespace

const ToolInfo& tool_info(EditorTool tool) { return tools[static_cast<size_t>(tool)]; }

std::optional<EditorTool> tool_for_key(sf::Keyboard::Key key) {
    // The keypad's digits choose as the main row's do.
    if (key >= Key::Numpad0 && key <= Key::Numpad9) key = static_cast<Key>(Key::Num0 + (key - Key::Numpad0));
    for (size_t i = 0; i < tools.size(); ++i)
        if (tools[i].key == key) return static_cast<EditorTool>(i);
    return std::nullopt;
}

const CommandInfo& command_info(EditorCommand command) { return commands[static_cast<size_t>(command)]; }

ToolMakes tool_makes(EditorTool tool) {
    switch (tool) {
        case EditorTool::wall:
        case EditorTool::mirror:
        case EditorTool::red_gate:
        case EditorTool::green_gate:
        case EditorTool::blue_mirror: return ToolMakes::segment;
        case EditorTool::red_switch:
        case EditorTool::green_switch:
        case EditorTool::blue_switch: return ToolMakes::switch_;
        case EditorTool::basic_enemy:
        case EditorTool::smart_enemy:
        case EditorTool::turret: return ToolMakes::enemy;
        case EditorTool::medkit:
        case EditorTool::extra_life:
        case EditorTool::power_up: return ToolMakes::pickup;
        case EditorTool::checkpoint: return ToolMakes::checkpoint;
        case EditorTool::start: return ToolMakes::start;
        case EditorTool::exit: return ToolMakes::exit;
        case EditorTool::select: break;
    }
    return ToolMakes::select;
}

int32_t tool_value(EditorTool tool) {
    switch (tool) {
        case EditorTool::wall: return segment_wall;
        case EditorTool::mirror: return segment_mirror;
        case EditorTool::red_gate: return segment_red_gate;
        case EditorTool::green_gate: return segment_green_gate;
        case EditorTool::blue_mirror: return segment_blue_mirror;
        case EditorTool::red_switch: return switch_red;
        case EditorTool::green_switch: return switch_green;
        case EditorTool::blue_switch: return switch_blue;
        case EditorTool::basic_enemy: return enemy_basic;
        case EditorTool::smart_enemy: return enemy_smart;
        case EditorTool::turret: return enemy_turret;
        case EditorTool::medkit: return pickup_medkit;
        case EditorTool::extra_life: return pickup_extra_life;
        case EditorTool::power_up: return pickup_power_up;
        default: return 0;
    }
}

Rect EditorLayout::button(size_t i) const {
    return {2 + static_cast<int>(i) * pitch, 2, std::min(editor_button_size, pitch - 2), editor_button_size};
}

std::optional<size_t> EditorLayout::button_at(int x, int y) const {
    for (size_t i = 0; i < editor_tool_count + editor_command_count; ++i)
        if (button(i).contains(x, y)) return i;
    return std::nullopt;
}

bool EditorLayout::over_map(int x, int y) const { return !toolbar.contains(x, y) && !status.contains(x, y); }

Rect EditorLayout::dialog() const {
    const int w = std::min(520, size.x - 16), h = 132;
    return {size.x / 2 - w / 2, size.y / 2 - h / 2, w, h};
}

Rect EditorLayout::dialog_button(int i) const {
    const Rect d = dialog();
    const int w = (d.w - 40) / 3;
    return {d.x + 10 + i * (w + 10), d.y + d.h - 42, w, 32};
}

EditorLayout editor_layout(sf::Vector2i size) {
    EditorLayout layout;
    layout.size = size;
    layout.toolbar = {0, 0, size.x, editor_toolbar_height};
    layout.status = {0, size.y - editor_status_height, size.x, editor_status_height};
    const int buttons = static_cast<int>(editor_tool_count + editor_command_count);
    layout.pitch = std::clamp((size.x - 4) / buttons, 8, editor_button_size + 2);
    return layout;
}
