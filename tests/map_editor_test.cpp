// The map editor's answer to built window events, without a window: a level
// made, saved and won as a player would, every tool from its key and its
// button, the view's scroll and zoom, the select tool, and saving and leaving.
#include "game/map_editor.hpp"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/frame.hpp"
#include "game/update.hpp"
#include "support/built_events.hpp"

namespace {

namespace fs = std::filesystem;

const sf::Vector2i layout(800, 600);

struct ScratchFolder {
    fs::path path;
    explicit ScratchFolder(const std::string& name)
        : path(fs::temp_directory_path() / ("vantorel-" + name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path);
    }
    ~ScratchFolder() { fs::remove_all(path); }
};

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The pointer's path of one press, drag and release, in a few moves as a window reports them.
void drag(MapEditor& editor, sf::Vector2i from, sf::Vector2i to, sf::Mouse::Button which = sf::Mouse::Left) {
    editor.handle(button(sf::Event::MouseButtonPressed, which), from);
    for (int i = 1; i <= 4; ++i) editor.handle(moved(), from + (to - from) * i / 4);
    editor.handle(button(sf::Event::MouseButtonReleased, which), to);
}
void click(MapEditor& editor, sf::Vector2i at) { drag(editor, at, at); }
void type(MapEditor& editor, const std::string& words) {
    for (char c : words) {
        // A window sends the key and then the character; letters that choose tools must only type here.
        if (c >= 'a' && c <= 'z') editor.handle(key(static_cast<sf::Keyboard::Key>(sf::Keyboard::A + (c - 'a'))), {});
        editor.handle(typed(c), {});
    }
}
sf::Vector2i centre(const Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

TEST(MapEditor, ALevelMadeWithTheIssuesStepsIsSavedReadablyAndWonByWalkingRight) {
    ScratchFolder folder("editor-route");
    MapEditor editor({new_map_source(), "", ""}, layout, folder.path);
    editor.handle(key(sf::Keyboard::Num1), {400, 300});
    drag(editor, {40, 500}, {760, 500});
    editor.handle(key(sf::Keyboard::S), {});
    click(editor, {100, 460});
    editor.handle(key(sf::Keyboard::X), {});
    click(editor, {700, 460});
    EXPECT_TRUE(editor.verdict().empty()) << editor.verdict();
    EXPECT_TRUE(editor.unsaved());

    editor.handle(key(sf::Keyboard::S, true), {});
    ASSERT_TRUE(editor.prompt());
    type(editor, "e2e-made");
    editor.handle(key(sf::Keyboard::Return), {});
    ASSERT_FALSE(editor.prompt());
    EXPECT_EQ(editor.name(), "e2e-made");
    EXPECT_FALSE(editor.unsaved());
    EXPECT_EQ(editor.tool(), EditorTool::exit) << "typing a name chose no tool";
    EXPECT_EQ(editor.message().words, "Saved " + (folder.path / "e2e-made.txt").string() + ".");
    // The window's pixel (x, y) was the map's point (x, y); one record per line.
    const std::string text = file_text(folder.path / "e2e-made.txt");
    EXPECT_EQ(text, "1600 800\n100 460\n700 460\n1\n40 500 760 500 1\n0\n0\n0\n0\n");

    // Held to the right, the player lands on the wall and walks into the exit.
    Settings one_worker;
    one_worker.threads = 1;
    start_fresh(one_worker);
    std::string why;
    const std::optional<LoadedGame> loaded = start_game(text.c_str(), why);
    ASSERT_TRUE(loaded) << why;
    FrameView headless;
    const InputSource walk_right = [](UpdateInput& in) {
        in = UpdateInput{};
        in.held[action_right] = true;
        return true;
    };
    FrameOutcome outcome = FrameOutcome::playing;
    for (int frame = 0; frame < 60 * 20 && outcome == FrameOutcome::playing; ++frame)
        outcome = run_frame(16, walk_right, headless).outcome;
    EXPECT_EQ(outcome, FrameOutcome::won);

    editor.handle(key(sf::Keyboard::Escape), {});
    EXPECT_EQ(editor.take_request(), EditorRequest::leave) << "saved: nothing to ask";
}

TEST(MapEditor, EveryToolFromItsKeyAndItsButtonMakesWhatItSays) {
    for (size_t i = 0; i < editor_tool_count; ++i) {
        const auto tool = static_cast<EditorTool>(i);
        for (const bool by_button : {false, true}) {
            SCOPED_TRACE(std::string(tool_info(tool).name) + (by_button ? " by button" : " by key"));
            MapEditor editor({new_map_source(), "", ""}, layout, "unused");
            if (by_button)
                click(editor, centre(editor.layout().button(i)));
            else
                editor.handle(key(tool_info(tool).key), {});
            ASSERT_EQ(editor.tool(), tool);
            drag(editor, {300, 300}, {400, 300});  // a click for the tools that place
            const MapSource& m = editor.map();
            const int32_t v = tool_value(tool);
            switch (tool_makes(tool)) {
                case ToolMakes::segment: EXPECT_EQ(m.segments.back(), (MapSegment{300, 300, 400, 300, v})); break;
                case ToolMakes::switch_: EXPECT_EQ(m.switches.back(), (MapSwitch{300, 300, v})); break;
                case ToolMakes::enemy: EXPECT_EQ(m.enemies.back(), (MapEnemy{300, 300, v, 0.0})); break;
                case ToolMakes::pickup: EXPECT_EQ(m.pickups.back(), (MapPickup{300, 300, v})); break;
                case ToolMakes::checkpoint: EXPECT_EQ(m.checkpoints.back(), (MapCheckpoint{300, 300})); break;
                case ToolMakes::start: EXPECT_EQ((MapPoint{m.start_x, m.start_y}), (MapPoint{400, 300})); break;
                case ToolMakes::exit: EXPECT_EQ((MapPoint{m.exit_x, m.exit_y}), (MapPoint{400, 300})); break;
                case ToolMakes::select: break;
            }
            EXPECT_EQ(editor.document().undo_steps(), tool == EditorTool::select ? 0u : 1u) << "one edit, one step";
        }
    }
    // Shift keeps a wall to 45 degrees and an enemy's heading to a multiple of 45; the grid snaps to 8 px.
    MapEditor editor({new_map_source(), "", ""}, layout, "unused");
    editor.handle(key(sf::Keyboard::LShift), {});
    drag(editor, {300, 300}, {400, 330});
    EXPECT_EQ(editor.map().segments.back(), (MapSegment{300, 300, 400, 300, 1}));
    editor.handle(key(sf::Keyboard::T), {});
    drag(editor, {300, 300}, {350, 340});
    EXPECT_EQ(editor.map().enemies.back().heading, 45.0);
    editor.handle(key_release(sf::Keyboard::LShift), {});
    drag(editor, {300, 300}, {300, 250});
    EXPECT_EQ(editor.map().enemies.back().heading, -90.0);
    drag(editor, {300, 300}, {350, 340});
    EXPECT_EQ(editor.map().enemies.back().heading, 38.66);
    editor.handle(key(sf::Keyboard::G), {});
    editor.handle(key(sf::Keyboard::Num2), {});
    drag(editor, {303, 297}, {452, 301});
    EXPECT_EQ(editor.map().segments.back(), (MapSegment{304, 296, 456, 304, 2}));
    editor.handle(key(sf::Keyboard::Num1), {});
    drag(editor, {300, 300}, {301, 302});  // snapped to one point: no wall
    EXPECT_EQ(editor.map().segments.size(), 2u);
    // Escape during a drag abandons it, and the editor stays.
    editor.handle(button(sf::Event::MouseButtonPressed, sf::Mouse::Left), {100, 100});
    editor.handle(moved(), {200, 100});
    editor.handle(key(sf::Keyboard::Escape), {200, 100});
    editor.handle(button(sf::Event::MouseButtonReleased, sf::Mouse::Left), {200, 100});
    EXPECT_EQ(editor.map().segments.size(), 2u);
    EXPECT_EQ(editor.take_request(), EditorRequest::none);
}

TEST(MapEditor, TheViewScrollsAndZoomsAboutThePointerWithinItsBounds) {
    MapEditor editor({new_map_source(), "", ""}, layout, "unused");
    const sf::Vector2i at(200, 150);
    const sf::Vector2<double> under = editor.view().to_world(at);
    for (int i = 0; i < 5; ++i) editor.handle(wheel(1), at);
    EXPECT_EQ(editor.view().zoom(), 2.0);
    EXPECT_NEAR(editor.view().to_world(at).x, under.x, 1e-9);
    EXPECT_NEAR(editor.view().to_world(at).y, under.y, 1e-9);
    for (int i = 0; i < 10; ++i) editor.handle(wheel(-1), {640, 480});
    EXPECT_EQ(editor.view().zoom(), 0.25);
    // At a quarter size a click lands four world px per layout px from the fixed point.
    const sf::Vector2<double> w = editor.view().to_world({640, 480});
    editor.handle(key(sf::Keyboard::K), {});
    click(editor, {650, 490});
    EXPECT_EQ(editor.map().checkpoints.back(),
              (MapCheckpoint{int32_t(std::floor(w.x + 40)), int32_t(std::floor(w.y + 40))}));

    editor.handle(key(sf::Keyboard::Home), {});
    EXPECT_EQ(editor.view().zoom(), 1.0);
    drag(editor, {400, 300}, {300, 250}, sf::Mouse::Middle);
    EXPECT_EQ(editor.view().left, 100);
    EXPECT_EQ(editor.view().top, 50);
    EXPECT_EQ(editor.map().checkpoints.size(), 1u) << "a middle drag places nothing";

    editor.handle(key(sf::Keyboard::Right), {});
    EXPECT_EQ(editor.view().left, 132) << "a tap scrolls at once";
    editor.update({{400, 300}, false, 100});
    EXPECT_EQ(editor.view().left, 192) << "held: 600 px a second";
    editor.update({{400, 300}, false, 1000});
    EXPECT_EQ(editor.view().left, 252) << "a stalled frame scrolls as one of 100 ms";
    editor.handle(event_of(sf::Event::LostFocus), {});
    editor.update({{400, 300}, false, 100});
    EXPECT_EQ(editor.view().left, 252) << "keys let go in another window are let go here";
    editor.handle(key(sf::Keyboard::Up), {});
    editor.handle(key_release(sf::Keyboard::Up), {});
    editor.update({{400, 300}, false, 100});
    EXPECT_EQ(editor.view().top, 18);
}

TEST(MapEditor, SelectTakesTheNearestItemMovesItBoxesAndDeletes) {
    MapSource map = new_map_source();
    map.segments = {{100, 400, 500, 400, 1}, {600, 100, 600, 500, 2}};
    map.enemies = {{300, 300, 3, 90.0, -1}};
    map.pickups = {{320, 310, 1}};
    MapEditor editor({map, "kept", ""}, layout, "unused");
    editor.handle(key(sf::Keyboard::V), {});

    click(editor, {304, 296});
    ASSERT_EQ(editor.selection(), (std::vector<MapItem>{{ItemKind::enemy, 0}})) << "the nearest centre";
    drag(editor, {300, 300}, {341, 319});
    EXPECT_EQ((MapPoint{editor.map().enemies[0].x, editor.map().enemies[0].y}), (MapPoint{341, 319}));
    EXPECT_EQ(editor.map().enemies[0].heading, 90.0) << "a move keeps the heading";
    editor.handle(key(sf::Keyboard::G), {});
    drag(editor, {341, 319}, {360, 340});
    EXPECT_EQ((MapPoint{editor.map().enemies[0].x, editor.map().enemies[0].y}), (MapPoint{360, 344}))
        << "the item taken lands on the grid";
    editor.handle(key(sf::Keyboard::G), {});
    // Scrolling during a drag keeps the item under the pointer.
    editor.handle(button(sf::Event::MouseButtonPressed, sf::Mouse::Left), {360, 344});
    editor.handle(key(sf::Keyboard::Right), {360, 344});
    editor.handle(key_release(sf::Keyboard::Right), {360, 344});
    editor.handle(button(sf::Event::MouseButtonReleased, sf::Mouse::Left), {360, 344});
    EXPECT_EQ((MapPoint{editor.map().enemies[0].x, editor.map().enemies[0].y}), (MapPoint{392, 344}));
    editor.handle(key(sf::Keyboard::Home), {});
    editor.handle(key(sf::Keyboard::Z, true), {});

    drag(editor, {499, 402}, {520, 430});  // an end point takes that end only
    EXPECT_EQ(editor.map().segments[0], (MapSegment{100, 400, 520, 430, 1}));
    drag(editor, {300, 410}, {300, 440});  // the line's middle takes all of it
    EXPECT_EQ(editor.map().segments[0], (MapSegment{100, 430, 520, 460, 1}));

    drag(editor, {560, 50}, {700, 550});  // a box on empty ground takes what lies wholly inside it
    EXPECT_EQ(editor.selection(), (std::vector<MapItem>{{ItemKind::segment, 1}}));
    editor.handle(key(sf::Keyboard::LShift), {});
    click(editor, {100, 300});  // Shift adds the start
    editor.handle(key_release(sf::Keyboard::LShift), {});
    ASSERT_EQ(editor.selection().size(), 2u);
    editor.handle(key(sf::Keyboard::Delete), {});
    EXPECT_EQ(editor.map().segments.size(), 1u);
    EXPECT_EQ(editor.map().start_x, 100) << "the start stays";

    // The frame's handle at the map's bottom-right corner resizes it, not smaller than 64 px.
    editor.handle(key(sf::Keyboard::Home), {});
    for (int i = 0; i < 2; ++i) editor.handle(wheel(-1), {0, 0});  // a half: the corner at (800, 400)
    drag(editor, {797, 398}, {700, 500});
    EXPECT_EQ((MapPoint{editor.map().width, editor.map().height}), (MapPoint{1400, 1000}));
    EXPECT_EQ(editor.warning(), "The exit (1500, 300) lies outside the 1400 x 1000 map, so it may never be won.");
    drag(editor, {700, 500}, {-50, -50});
    EXPECT_EQ((MapPoint{editor.map().width, editor.map().height}), (MapPoint{min_map_side, min_map_side}));
    EXPECT_TRUE(editor.verdict().empty()) << "it still loads";
    EXPECT_EQ(editor.warning(), "The start (100, 300) lies outside the 64 x 64 map, so it cannot be played.");

    const size_t steps = editor.document().undo_steps();
    EXPECT_EQ(steps, 7u);
    for (size_t i = 0; i < steps; ++i) editor.handle(key(sf::Keyboard::Z, true), {});
    EXPECT_EQ(editor.map(), map);
    EXPECT_FALSE(editor.unsaved());
    for (size_t i = 0; i < steps; ++i) editor.handle(key(sf::Keyboard::Y, true), {});
    EXPECT_EQ(editor.map().width, min_map_side);
    editor.handle(key(sf::Keyboard::Y, true), {});
    EXPECT_EQ(editor.message().words, "Nothing to redo.");
}

TEST(MapEditor, SavingAsksForAGoodNameAndLeavingNeverLosesChangesUnasked) {
    ScratchFolder folder("editor-saving");
    // A map the loader refuses asks for no name: its reason is shown.
    MapSource refused = new_map_source();
    refused.segments.push_back({0, 0, 9000, 0, 1});
    MapEditor stuck({refused, "", ""}, layout, folder.path);
    stuck.handle(key(sf::Keyboard::S, true), {});
    EXPECT_FALSE(stuck.prompt());
    EXPECT_EQ(stuck.message().words, "Not saved: Segment 1 reaches more than 4096 px beyond the map.");
    EXPECT_FALSE(stuck.message().good);
    EXPECT_EQ(stuck.verdict(), "Segment 1 reaches more than 4096 px beyond the map.");

    MapEditor editor({new_map_source(), "", ""}, layout, folder.path);
    click(editor, {100, 500});
    click(editor, {100, 500});  // clicks of the wall tool draw nothing
    EXPECT_FALSE(editor.unsaved());
    drag(editor, {100, 500}, {700, 500});
    editor.handle(key(sf::Keyboard::S, true), {});
    ASSERT_TRUE(editor.prompt());
    type(editor, "ab/");
    EXPECT_EQ(editor.prompt()->text(), "ab");
    EXPECT_EQ(editor.prompt()->hint(), "A map name has only letters, digits, - and _.");
    editor.handle(key(sf::Keyboard::BackSpace), {});
    editor.handle(key(sf::Keyboard::BackSpace), {});
    editor.handle(key(sf::Keyboard::Return), {});
    EXPECT_EQ(editor.prompt()->hint(), "A map needs a name.");
    editor.handle(key(sf::Keyboard::Escape), {});
    EXPECT_FALSE(editor.prompt());
    EXPECT_EQ(editor.take_request(), EditorRequest::none) << "Escape in the prompt only closes it";
    EXPECT_FALSE(fs::exists(folder.path));

    // Escape with changes asks; N stays, Y leaves without saving.
    editor.handle(key(sf::Keyboard::Escape), {});
    EXPECT_TRUE(editor.asking_to_leave());
    editor.handle(key(sf::Keyboard::N), {});
    EXPECT_FALSE(editor.asking_to_leave());
    EXPECT_EQ(editor.tool(), EditorTool::wall);
    EXPECT_EQ(editor.take_request(), EditorRequest::none);

    // A name taken by another map is replaced only on a second Return.
    fs::create_directories(folder.path);
    { std::ofstream(folder.path / "taken.txt") << "another map\n"; }
    editor.handle(key(sf::Keyboard::F5), {});
    EXPECT_EQ(editor.take_request(), EditorRequest::test_play);
    editor.handle(key(sf::Keyboard::Escape), {});
    editor.handle(key(sf::Keyboard::S), {});  // save and leave: the S typed with it is no part of the name
    editor.handle(typed('s'), {});
    ASSERT_TRUE(editor.prompt());
    EXPECT_EQ(editor.prompt()->text(), "");
    editor.handle(key(sf::Keyboard::Escape), {});
    EXPECT_FALSE(editor.prompt());
    EXPECT_EQ(editor.take_request(), EditorRequest::none) << "the prompt cancelled, so is the leaving";
    editor.handle(key(sf::Keyboard::Escape), {});
    click(editor, centre(editor.layout().dialog_button(0)));  // Save and leave
    ASSERT_TRUE(editor.prompt());
    type(editor, "taken");
    editor.handle(key(sf::Keyboard::Return), {});
    ASSERT_TRUE(editor.prompt());
    EXPECT_TRUE(editor.prompt()->replacing());
    EXPECT_EQ(file_text(folder.path / "taken.txt"), "another map\n");
    editor.handle(key(sf::Keyboard::BackSpace), {});
    EXPECT_FALSE(editor.prompt()->replacing()) << "another name asks again";
    type(editor, "n");
    editor.handle(key(sf::Keyboard::Return), {});
    click(editor, centre(editor.layout().dialog_button(0)));  // Replace
    EXPECT_FALSE(editor.prompt());
    EXPECT_NE(file_text(folder.path / "taken.txt"), "another map\n");
    EXPECT_EQ(editor.take_request(), EditorRequest::leave) << "saved, then left";

    // A file opened under its own name saves back to it without asking.
    std::string why;
    const auto opened = open_map_file(folder.path / "taken.txt", why);
    ASSERT_TRUE(opened) << why;
    EXPECT_EQ(opened->name, "taken");
    MapEditor again(*opened, layout, folder.path);
    again.handle(key(sf::Keyboard::K), {});
    click(again, {50, 50});
    again.handle(key(sf::Keyboard::S, true), {});
    EXPECT_FALSE(again.prompt());
    EXPECT_FALSE(again.unsaved());
    again.handle(key(sf::Keyboard::Escape), {});
    EXPECT_EQ(again.take_request(), EditorRequest::leave);

    // A broken file opens as far as it reads, saying where it broke.
    { std::ofstream(folder.path / "broken.txt") << "900 400 60 300 800 300 1 3 332 896 332 x 0 0 0 0 0 "; }
    const auto broken = open_map_file(folder.path / "broken.txt", why);
    ASSERT_TRUE(broken) << why;
    EXPECT_EQ(broken->map.width, 900);
    EXPECT_EQ(broken->notice,
              "broken.txt is opened as far as it reads: "
              "The map text breaks off or holds something that is not a number in segment 1.");
    EXPECT_FALSE(open_map_file(folder.path / "missing.txt", why));
    EXPECT_NE(why.find("missing.txt"), std::string::npos) << why;
}

}  // namespace
