#include "game/map_editor.hpp"

#include <algorithm>
#include <cmath>
#include <system_error>

#include "app/custom_maps.hpp"
#include "world/map_file.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"

namespace {

constexpr double degrees_per_radian = 180.0 / 3.141592653589793;
constexpr double scroll_speed = 600.0;          // layout px a second while an arrow key is held
constexpr double scroll_tap = 32.0;             // layout px one press scrolls at once
constexpr uint32_t longest_scroll_frame = 100;  // ms; a stalled frame does not jump the view
constexpr double pick_reach = 6.0;              // layout px around an item a click still takes it
constexpr int heading_drag = 4;                 // layout px a drag must go before it sets a heading

int32_t held(double v) { return static_cast<int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)); }

sf::Event key_press(sf::Keyboard::Key code) {
    sf::Event e;
    e.type = sf::Event::KeyPressed;
    e.key = {code, false, false, false, false};
    return e;
}

}  // namespace

MapSource new_map_source() {
    MapSource map;
    map.width = 1600;
    map.height = 800;
    map.start_x = 100;
    map.start_y = 300;
    map.exit_x = 1500;
    map.exit_y = 300;
    return map;
}

std::optional<EditorOpening> open_map_file(const std::filesystem::path& path, std::string& why) {
    const std::optional<std::string> text = read_custom_map(path, why);
    if (!text) return std::nullopt;
    EditorOpening opening;
    opening.name = map_name_of(path).value_or("");
    std::string broken;
    if (!read_map_source(*text, opening.map, broken))
        opening.notice = path.filename().string() + " is opened as far as it reads: " + broken;
    why.clear();
    return opening;
}

std::optional<EditorOpening> open_builtin_copy(int n) {
    const char* text = builtin_map_text(n);
    EditorOpening opening;
    std::string why;
    if (text == nullptr || !read_map_source(text, opening.map, why)) return std::nullopt;
    return opening;
}

MapEditor::MapEditor(EditorOpening opening, sf::Vector2i layout, std::filesystem::path folder)
    : layout_(editor_layout(layout)),
      folder_(std::move(folder)),
      doc_(opening.map),
      saved_(std::move(opening.map)),
      name_(std::move(opening.name)) {
    if (!opening.notice.empty()) say(std::move(opening.notice), false);
    settle();
}

void MapEditor::handle(const sf::Event& event, sf::Vector2i pointer) {
    pointer_ = pointer;
    const bool pressed = event.type == sf::Event::KeyPressed;
    if (pressed || event.type == sf::Event::KeyReleased) {
        const sf::Keyboard::Key code = event.key.code;
        if (code == sf::Keyboard::LShift || code == sf::Keyboard::RShift) shift_ = pressed;
        const sf::Keyboard::Key arrows[4] = {sf::Keyboard::Left, sf::Keyboard::Right, sf::Keyboard::Up,
                                             sf::Keyboard::Down};
        for (int i = 0; i < 4; ++i)
            if (code == arrows[i]) arrows_[i] = pressed;
    }
    if (event.type == sf::Event::LostFocus) {
        // Releases made in another window never arrive: nothing stays held.
        shift_ = panning_ = false;
        std::fill(std::begin(arrows_), std::end(arrows_), false);
        cancel_drag();
    }

    if (prompt_) {
        prompt_event(event);
    } else if (asking_to_leave_) {
        leave_event(event);
    } else {
        switch (event.type) {
            case sf::Event::KeyPressed: key(event.key); break;
            case sf::Event::MouseButtonPressed:
                if (event.mouseButton.button == sf::Mouse::Left) press(pointer);
                if (event.mouseButton.button == sf::Mouse::Middle) {
                    panning_ = true;
                    pan_from_ = pointer;
                }
                break;
            case sf::Event::MouseMoved:
                if (panning_) {
                    view_.drag_by(pointer.x - pan_from_.x, pointer.y - pan_from_.y);
                    pan_from_ = pointer;
                }
                follow(pointer);
                break;
            case sf::Event::MouseButtonReleased:
                if (event.mouseButton.button == sf::Mouse::Left) release();
                if (event.mouseButton.button == sf::Mouse::Middle) panning_ = false;
                break;
            case sf::Event::MouseWheelScrolled:
                if (event.mouseWheelScroll.wheel == sf::Mouse::VerticalWheel && event.mouseWheelScroll.delta != 0) {
                    view_.zoom_about(pointer, event.mouseWheelScroll.delta > 0 ? 1 : -1);
                    follow(pointer);
                }
                break;
            default: break;
        }
    }
    settle();
}

void MapEditor::update(const FrameInput& input) {
    pointer_ = input.pointer;
    if (prompt_ || asking_to_leave_) return;
    const double step = scroll_speed * std::min(input.frame_ms, longest_scroll_frame) / 1000.0;
    const double dx = (arrows_[0] ? step : 0) - (arrows_[1] ? step : 0);
    const double dy = (arrows_[2] ? step : 0) - (arrows_[3] ? step : 0);
    if (dx == 0 && dy == 0) return;
    view_.drag_by(dx, dy);
    follow(pointer_);
    settle();
}

void MapEditor::key(const sf::Event::KeyEvent& k) {
    if (k.control) {
        if (k.code == sf::Keyboard::S) save();
        if (k.code == sf::Keyboard::Z) k.shift ? redo() : undo();
        if (k.code == sf::Keyboard::Y) redo();
        return;
    }
    switch (k.code) {
        case sf::Keyboard::Escape:
            if (drag_.kind != DragKind::none)
                cancel_drag();
            else
                leave();
            return;
        case sf::Keyboard::F5: command(EditorCommand::test_play); return;
        case sf::Keyboard::G: command(EditorCommand::grid); return;
        case sf::Keyboard::Delete:
        case sf::Keyboard::BackSpace: delete_selection(); return;
        case sf::Keyboard::Home: view_ = EditorView{}; break;
        case sf::Keyboard::Left: view_.drag_by(scroll_tap, 0); break;
        case sf::Keyboard::Right: view_.drag_by(-scroll_tap, 0); break;
        case sf::Keyboard::Up: view_.drag_by(0, scroll_tap); break;
        case sf::Keyboard::Down: view_.drag_by(0, -scroll_tap); break;
        default:
            if (const auto tool = tool_for_key(k.code); tool && drag_.kind == DragKind::none) tool_ = *tool;
            return;
    }
    follow(pointer_);  // the view moved under a drag: what it holds stays under the pointer
}

void MapEditor::command(EditorCommand c) {
    switch (c) {
        case EditorCommand::grid: grid_ = !grid_; break;
        case EditorCommand::undo: undo(); break;
        case EditorCommand::redo: redo(); break;
        case EditorCommand::save: save(); break;
        case EditorCommand::test_play:
            cancel_drag();
            request_ = EditorRequest::test_play;
            break;
    }
}

void MapEditor::press(sf::Vector2i at) {
    if (drag_.kind != DragKind::none) return;
    if (const auto button = layout_.button_at(at.x, at.y)) {
        if (*button < editor_tool_count)
            tool_ = static_cast<EditorTool>(*button);
        else
            command(static_cast<EditorCommand>(*button - editor_tool_count));
        return;
    }
    if (!layout_.over_map(at.x, at.y)) return;
    const MapSource& map = doc_.map();
    const MapPoint p = snapped(at);
    drag_ = Drag{DragKind::none, view_.to_world(at), p, p, view_.to_world(at), {}, {}};

    const double corner_x = (map.width - view_.left) * view_.zoom(), corner_y = (map.height - view_.top) * view_.zoom();
    if (std::abs(at.x - corner_x) <= editor_handle_size && std::abs(at.y - corner_y) <= editor_handle_size) {
        drag_.kind = DragKind::resize;
        doc_.begin_step();
        return;
    }
    const int32_t value = tool_value(tool_);
    switch (tool_makes(tool_)) {
        case ToolMakes::segment: drag_.kind = DragKind::segment; return;
        case ToolMakes::enemy: drag_.kind = DragKind::enemy; return;
        case ToolMakes::switch_: doc_.edit([&](MapSource& m) { m.switches.push_back({p.x, p.y, value}); }); break;
        case ToolMakes::pickup: doc_.edit([&](MapSource& m) { m.pickups.push_back({p.x, p.y, value}); }); break;
        case ToolMakes::checkpoint: doc_.edit([&](MapSource& m) { m.checkpoints.push_back({p.x, p.y}); }); break;
        case ToolMakes::start:
        case ToolMakes::exit:
            // The start or exit follows the pointer until the button is let go.
            drag_.kind = DragKind::place;
            doc_.begin_step();
            follow(at);
            return;
        case ToolMakes::select: {
            const sf::Vector2<double> w = view_.to_world(at);
            const std::optional<MapPick> pick = pick_item(map, w.x, w.y, reach());
            if (!pick) {
                if (!shift_) selection_.clear();
                drag_.kind = DragKind::box;
                return;
            }
            const auto found = std::find(selection_.begin(), selection_.end(), pick->item);
            if (shift_) {
                if (found == selection_.end())
                    selection_.push_back(pick->item);
                else
                    selection_.erase(found);
                return;
            }
            drag_.pick = *pick;
            if (pick->part != MapPick::whole) {
                selection_ = {pick->item};
                drag_.kind = DragKind::move_end;
            } else {
                if (found == selection_.end()) selection_ = {pick->item};
                drag_.kind = DragKind::move;
                drag_.items = selection_;
            }
            doc_.begin_step();
            return;
        }
    }
    changed();
}

void MapEditor::follow(sf::Vector2i at) {
    if (drag_.kind == DragKind::none) return;
    drag_.at = view_.to_world(at);
    drag_.to = snapped(at);
    const MapSource& base = doc_.in_step() ? doc_.base() : doc_.map();
    switch (drag_.kind) {
        case DragKind::segment:
            if (shift_) drag_.to = snap_45(drag_.anchor, drag_.to, grid_);
            return;
        case DragKind::place: {
            MapSource& live = doc_.live();
            live = base;
            (tool_ == EditorTool::start ? live.start_x : live.exit_x) = drag_.to.x;
            (tool_ == EditorTool::start ? live.start_y : live.exit_y) = drag_.to.y;
            break;
        }
        case DragKind::move: {
            // The item taken lands on the pointer's move, on the grid when it is on; the rest keep their places to it.
            const MapPoint ref = item_position(base, drag_.pick.item);
            const double x = ref.x + drag_.at.x - drag_.from.x, y = ref.y + drag_.at.y - drag_.from.y;
            const MapPoint target =
                grid_ ? MapPoint{snap_to_grid(x), snap_to_grid(y)} : MapPoint{held(std::round(x)), held(std::round(y))};
            MapSource& live = doc_.live();
            live = base;
            move_items(live, drag_.items, held(static_cast<double>(target.x) - ref.x),
                       held(static_cast<double>(target.y) - ref.y));
            break;
        }
        case DragKind::move_end: {
            MapSource& live = doc_.live();
            live = base;
            MapSegment& s = live.segments[drag_.pick.item.index];
            const bool first = drag_.pick.part == MapPick::first_end;
            MapPoint end = drag_.to;
            if (shift_) end = snap_45(first ? MapPoint{s.x2, s.y2} : MapPoint{s.x1, s.y1}, end, grid_);
            (first ? s.x1 : s.x2) = end.x;
            (first ? s.y1 : s.y2) = end.y;
            break;
        }
        case DragKind::resize: {
            MapSource& live = doc_.live();
            live = base;
            live.width = std::max(min_map_side, drag_.to.x);
            live.height = std::max(min_map_side, drag_.to.y);
            break;
        }
        default: return;
    }
    changed();
}

void MapEditor::release() {
    switch (drag_.kind) {
        case DragKind::segment:
            if (drag_.to != drag_.anchor)
                if (const auto s = drawn_segment()) {
                    doc_.edit([&](MapSource& m) { m.segments.push_back(*s); });
                    changed();
                }
            break;
        case DragKind::enemy:
            if (const auto e = placed_enemy()) {
                doc_.edit([&](MapSource& m) { m.enemies.push_back(*e); });
                changed();
            }
            break;
        case DragKind::box: {
            std::vector<MapItem> boxed = items_in_box(
                doc_.map(), drag_.anchor, MapPoint{held(std::round(drag_.at.x)), held(std::round(drag_.at.y))});
            for (const MapItem& item : boxed)
                if (std::find(selection_.begin(), selection_.end(), item) == selection_.end())
                    selection_.push_back(item);
            break;
        }
        case DragKind::none: break;
        default: doc_.end_step(); break;
    }
    drag_ = Drag{};
}

void MapEditor::cancel_drag() {
    if (doc_.in_step()) {
        doc_.cancel_step();
        changed();
    }
    drag_ = Drag{};
}

std::optional<MapSegment> MapEditor::drawn_segment() const {
    if (drag_.kind != DragKind::segment) return std::nullopt;
    return MapSegment{drag_.anchor.x, drag_.anchor.y, drag_.to.x, drag_.to.y, tool_value(tool_)};
}

std::optional<MapEnemy> MapEditor::placed_enemy() const {
    if (drag_.kind != DragKind::enemy) return std::nullopt;
    const double dx = drag_.at.x - drag_.anchor.x, dy = drag_.at.y - drag_.anchor.y;
    double heading = 0;
    if (std::hypot(dx, dy) * view_.zoom() >= heading_drag) {
        heading = std::atan2(dy, dx) * degrees_per_radian;
        // Hundredths of a degree are finer than any aim needs; + 0.0 writes -0 as 0.
        heading = shift_ ? snap_heading_45(heading) : std::round(heading * 100) / 100;
        heading += 0.0;
    }
    return MapEnemy{drag_.anchor.x, drag_.anchor.y, tool_value(tool_), heading};
}

std::optional<std::pair<MapPoint, MapPoint>> MapEditor::selection_box() const {
    if (drag_.kind != DragKind::box) return std::nullopt;
    return std::pair{drag_.anchor, MapPoint{held(std::round(drag_.at.x)), held(std::round(drag_.at.y))}};
}

std::optional<MapPick> MapEditor::under_pointer() const {
    if (tool_ != EditorTool::select || !layout_.over_map(pointer_.x, pointer_.y)) return std::nullopt;
    const sf::Vector2<double> w = view_.to_world(pointer_);
    return pick_item(doc_.map(), w.x, w.y, reach());
}

void MapEditor::undo() {
    if (!doc_.undo()) {
        say(doc_.in_step() ? "Let go of the mouse button first." : "Nothing to undo.", false);
        return;
    }
    selection_.clear();
    changed();
    say("Undone; " + std::to_string(doc_.undo_steps()) + " more to undo.", true);
}

void MapEditor::redo() {
    if (!doc_.redo()) {
        say(doc_.in_step() ? "Let go of the mouse button first." : "Nothing to redo.", false);
        return;
    }
    selection_.clear();
    changed();
    say("Redone; " + std::to_string(doc_.redo_steps()) + " more to redo.", true);
}

void MapEditor::delete_selection() {
    if (drag_.kind != DragKind::none) return;
    const bool removable = std::any_of(selection_.begin(), selection_.end(), [](const MapItem& i) {
        return i.kind != ItemKind::start && i.kind != ItemKind::exit;
    });
    if (!removable) {
        if (!selection_.empty()) say("Every map keeps its start and exit: move them instead.", false);
        return;
    }
    doc_.edit([&](MapSource& m) { remove_items(m, selection_); });
    selection_.clear();
    changed();
}

void MapEditor::save() {
    if (drag_.kind != DragKind::none) return;
    std::string why;
    if (!check_map_source(doc_.map(), why)) {
        leave_after_save_ = false;
        say("Not saved: " + why, false);
        return;
    }
    if (name_.empty()) {
        prompt_.emplace();
        return;
    }
    save_as(name_);
}

void MapEditor::save_as(const std::string& name) {
    const std::filesystem::path path = map_file_path(folder_, name);
    std::string why;
    if (!save_map_file(doc_.map(), path, why)) {
        leave_after_save_ = false;
        say("Not saved: " + why, false);
        return;
    }
    name_ = name;
    saved_ = doc_.map();
    saved_once_ = true;
    say("Saved " + path.string() + ".", true);
    if (leave_after_save_) request_ = EditorRequest::leave;
}

void MapEditor::prompt_event(const sf::Event& event) {
    if (std::exchange(skip_typed_, false) && event.type == sf::Event::TextEntered) return;
    sf::Event e = event;
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
        if (layout_.dialog_button(0).contains(pointer_.x, pointer_.y)) e = key_press(sf::Keyboard::Return);
        if (layout_.dialog_button(2).contains(pointer_.x, pointer_.y)) e = key_press(sf::Keyboard::Escape);
    }
    const bool enter = e.type == sf::Event::KeyPressed && e.key.code == sf::Keyboard::Return;
    if (enter && prompt_->replacing()) {
        const std::string name = prompt_->text();
        prompt_.reset();
        save_as(name);
        return;
    }
    switch (prompt_->handle(e)) {
        case NamePrompt::Answer::typing: return;
        case NamePrompt::Answer::cancelled:
            prompt_.reset();
            leave_after_save_ = false;
            return;
        case NamePrompt::Answer::confirmed: break;
    }
    const std::string name = prompt_->text();
    const std::filesystem::path path = map_file_path(folder_, name);
    std::error_code error;
    if (name != name_ && std::filesystem::exists(path, error)) {
        prompt_->ask_to_replace(path.string() + " exists: Return replaces it, or change the name.");
        return;
    }
    prompt_.reset();
    save_as(name);
}

void MapEditor::leave_event(const sf::Event& event) {
    int choice = -1;  // 0 save and leave, 1 leave without saving, 2 stay
    if (event.type == sf::Event::KeyPressed) {
        const sf::Keyboard::Key code = event.key.code;
        if (code == sf::Keyboard::S) choice = 0;
        if (code == sf::Keyboard::Y) choice = 1;
        if (code == sf::Keyboard::N || code == sf::Keyboard::Escape) choice = 2;
    } else if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
        for (int i = 0; i < 3; ++i)
            if (layout_.dialog_button(i).contains(pointer_.x, pointer_.y)) choice = i;
    }
    if (choice < 0) return;
    asking_to_leave_ = false;
    if (choice == 0) {
        leave_after_save_ = true;
        save();
        skip_typed_ = prompt_.has_value() && event.type == sf::Event::KeyPressed;
    }
    if (choice == 1) request_ = EditorRequest::leave;
}

void MapEditor::leave() {
    if (unsaved())
        asking_to_leave_ = true;
    else
        request_ = EditorRequest::leave;
}

void MapEditor::settle() {
    if (doc_.in_step() || verdict_revision_ == revision_) return;
    check_map_source(doc_.map(), verdict_);
    const std::vector<std::string> warnings = map_source_warnings(doc_.map());
    warning_ = verdict_.empty() && !warnings.empty() ? warnings.front() : std::string();
    verdict_revision_ = revision_;
}

MapPoint MapEditor::snapped(sf::Vector2i at) const {
    const sf::Vector2<double> w = view_.to_world(at);
    return snapped(w.x, w.y);
}

MapPoint MapEditor::snapped(double x, double y) const {
    if (grid_) return {snap_to_grid(x), snap_to_grid(y)};
    return {held(std::floor(x)), held(std::floor(y))};
}

double MapEditor::reach() const { return pick_reach / view_.zoom(); }
