// What the map editor does with the player's events, without a window: the
// tool in hand, presses, drags and releases on the map, the toolbar, the
// view's scrolling and zoom, saving through the name prompt, and the question
// before leaving with unsaved changes. The editor screen draws what this holds
// and does what it asks (test play, leave). Pointer positions are layout px.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <SFML/Window/Event.hpp>

#include "app/menu_input.hpp"
#include "game/editor_tools.hpp"
#include "game/editor_view.hpp"
#include "game/name_prompt.hpp"
#include "world/map_document.hpp"

// A new map: 1600 x 800 px, empty but for the start and the exit.
MapSource new_map_source();

// How the editor opens.
struct EditorOpening {
    MapSource map;
    std::string name;    // the file it saves to (folder/NAME.txt); empty: ask on the first save
    std::string notice;  // shown first, e.g. why the loader refuses the file as it was read
};

// The editor on a map file: as much of its text as can be read, with the
// reason when it breaks off. Nothing when the file cannot be read at all (`why` says so).
std::optional<EditorOpening> open_map_file(const std::filesystem::path& path, std::string& why);
// A copy of built-in map n (1 to 5) as a new map, saved under a name of its own; nothing for another n.
std::optional<EditorOpening> open_builtin_copy(int n);

// What the editor asks of its screen, handed out once.
enum class EditorRequest { none, test_play, leave };

// A line for the status bar: the result of the last command.
struct EditorMessage {
    std::string words;
    bool good = true;
};

// The press-drag-release in progress.
enum class DragKind { none, segment, enemy, place, move, move_end, box, resize };

// Per editor visit.
class MapEditor {
public:
    MapEditor(EditorOpening opening, sf::Vector2i layout, std::filesystem::path folder);

    // One window event, with the pointer as it is now.
    void handle(const sf::Event& event, sf::Vector2i pointer);
    // Once a frame: the held arrow keys scroll (about 600 px a second).
    void update(const FrameInput& input);
    EditorRequest take_request() { return std::exchange(request_, EditorRequest::none); }
    // A test play has ended; `outcome` says how, for the status line.
    void played(EditorMessage outcome) { say(std::move(outcome.words), outcome.good); }

    // ---- What the screen draws ----
    const MapSource& map() const { return doc_.map(); }
    const MapDocument& document() const { return doc_; }
    // Changes whenever the map does, also during a drag: the screen redraws its picture then.
    uint64_t revision() const { return revision_; }
    const EditorLayout& layout() const { return layout_; }
    const EditorView& view() const { return view_; }
    EditorTool tool() const { return tool_; }
    bool grid() const { return grid_; }
    const std::vector<MapItem>& selection() const { return selection_; }
    const std::string& name() const { return name_; }
    // Whether the map was saved at least once in this visit.
    bool saved_once() const { return saved_once_; }
    // The loader's reason for refusing the map as it stands; empty when it loads.
    const std::string& verdict() const { return verdict_; }
    // When the map loads but its start or exit lies outside it, the loader's warning; else empty.
    const std::string& warning() const { return warning_; }
    // The result of the last command, until the map changes; empty words when there is none.
    EditorMessage message() const { return message_revision_ == revision_ ? message_ : EditorMessage{}; }
    bool unsaved() const { return !(doc_.map() == saved_); }
    const NamePrompt* prompt() const { return prompt_ ? &*prompt_ : nullptr; }
    bool asking_to_leave() const { return asking_to_leave_; }
    DragKind drag() const { return drag_.kind; }
    // What a segment or enemy drag would add if released now.
    std::optional<MapSegment> drawn_segment() const;
    std::optional<MapEnemy> placed_enemy() const;
    // The corners of a box selection being dragged.
    std::optional<std::pair<MapPoint, MapPoint>> selection_box() const;
    // Where a click would place something: the pointer's world position, snapped when the grid is on.
    MapPoint pointer_on_map() const { return snapped(pointer_); }
    sf::Vector2i pointer() const { return pointer_; }
    // The item a select click would take, for highlighting.
    std::optional<MapPick> under_pointer() const;

private:
    void key(const sf::Event::KeyEvent& key);
    void press(sf::Vector2i at);
    void follow(sf::Vector2i at);
    void release();
    void command(EditorCommand command);
    void prompt_event(const sf::Event& event);
    void leave_event(const sf::Event& event);
    void save();
    void save_as(const std::string& name);
    void leave();
    void cancel_drag();
    void undo();
    void redo();
    void delete_selection();
    // Every change of the map counts one revision.
    void changed() { revision_ += 1; }
    void say(std::string words, bool good) {
        message_ = {std::move(words), good};
        message_revision_ = revision_;
    }
    // After every event: the loader's verdict, once the map has settled.
    void settle();
    MapPoint snapped(sf::Vector2i at) const;
    MapPoint snapped(double x, double y) const;
    double reach() const;  // how near an item a click must be, world px

    EditorLayout layout_;
    std::filesystem::path folder_;
    MapDocument doc_;
    MapSource saved_;   // the map as last saved or opened: leaving without changes asks nothing
    std::string name_;  // the file's name; empty until the first save
    bool saved_once_ = false;
    EditorView view_;
    EditorTool tool_ = EditorTool::wall;
    bool grid_ = false;
    std::vector<MapItem> selection_;

    struct Drag {
        DragKind kind = DragKind::none;
        sf::Vector2<double>
            from;         // world px where it began, as it was: a scroll mid-drag keeps the item under the pointer
        MapPoint anchor;  // world px where it began, snapped
        MapPoint to;      // world px where the pointer is now, snapped (and kept to 45 degrees)
        sf::Vector2<double> at;      // world px where the pointer is now, as it is
        MapPick pick;                // the item taken (move, move_end)
        std::vector<MapItem> items;  // the items moved
    } drag_;
    bool panning_ = false;  // the middle button is dragging the view
    sf::Vector2i pan_from_;
    sf::Vector2i pointer_;
    bool shift_ = false;
    bool arrows_[4] = {};  // left, right, up, down held

    std::optional<NamePrompt> prompt_;
    // A key that opened the prompt also sends its character next: that one is not typed.
    bool skip_typed_ = false;
    bool asking_to_leave_ = false;
    bool leave_after_save_ = false;
    EditorRequest request_ = EditorRequest::none;
    EditorMessage message_;
    uint64_t message_revision_ = 0;
    std::string verdict_;
    std::string warning_;
    uint64_t revision_ = 0;
    uint64_t verdict_revision_ = UINT64_MAX;  // the revision the verdict was given on
};
