// The map editor's core: built-in maps saved from the editor load to what the
// built-in texts load to, the history restores every state exactly, snapping
// and the 45-degree rule, file names, and the editor's verdict on a map being
// the loader's own.
#include "world/map_document.hpp"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/map_editor.hpp"
#include "game/map_picture.hpp"
#include "game/update.hpp"
#include "support/map_text.hpp"
#include "world/map_file.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed at the end of the test.
struct ScratchFolder {
    fs::path path;
    explicit ScratchFolder(const std::string& name)
        : path(fs::temp_directory_path() / ("vantorel-" + name + "-" + std::to_string(::getpid()))) {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~ScratchFolder() { fs::remove_all(path); }
};

std::string file_text(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// What a loaded map holds apart from its grid, in a form tests can compare.
struct LoadedObjects {
    int32_t width, height, start_x, start_y, exit_x, exit_y;
    std::vector<std::vector<float>> segments, switches, enemies, pickups, checkpoints;
    size_t last_checkpoint;
    bool operator==(const LoadedObjects&) const = default;
};

LoadedObjects loaded_objects() {
    LoadedObjects o{world.map_width,
                    world.map_height,
                    world.player.x,
                    world.player.y,
                    world.exit_x,
                    world.exit_y,
                    {},
                    {},
                    {},
                    {},
                    {},
                    world.last_checkpoint};
    for (const Segment& s : world.segments)
        o.segments.push_back({float(s.x1), float(s.y1), float(s.x2), float(s.y2), float(s.type)});
    for (const Switch& s : world.switches) o.switches.push_back({float(s.x), float(s.y), float(s.colour)});
    for (const Enemy& e : world.enemies)
        o.enemies.push_back({float(e.x), float(e.y), float(e.kind), e.angle, e.fx, e.fy, float(e.health)});
    for (const Pickup& p : world.pickups) o.pickups.push_back({float(p.x), float(p.y), float(p.kind)});
    for (const Checkpoint& c : world.checkpoints) o.checkpoints.push_back({float(c.x), float(c.y)});
    return o;
}

TEST(MapDocument, BuiltInMapsSavedFromTheEditorLoadToTheSameGridAndObjects) {
    start_fresh();
    ScratchFolder folder("editor-builtins");
    for (int n = 1; n <= builtin_map_count; ++n) {
        SCOPED_TRACE("map " + std::to_string(n));
        const std::optional<EditorOpening> opening = open_builtin_copy(n);
        ASSERT_TRUE(opening);
        EXPECT_TRUE(opening->name.empty()) << "a copy is a new map, named on its first save";
        const fs::path path = map_file_path(folder.path, "copy-" + std::to_string(n));
        std::string why;
        ASSERT_TRUE(save_map_file(opening->map, path, why)) << why;

        ASSERT_TRUE(load_map(builtin_map_text(n), why)) << why;
        const std::vector<float> builtin_grid = world.wall_grid;
        const LoadedObjects builtin = loaded_objects();

        // The editor shows the map as the game will start it.
        show_map_picture(opening->map);
        EXPECT_FALSE(world.has_grid());
        EXPECT_EQ(loaded_objects(), builtin);

        const std::string saved = file_text(path);
        ASSERT_TRUE(load_map(saved.c_str(), why)) << why;
        EXPECT_TRUE(world.wall_grid == builtin_grid);
        EXPECT_EQ(loaded_objects(), builtin);
        // One record per line: a line for the size, the start, the exit and each count, one per element.
        const MapSource& m = opening->map;
        const size_t records =
            8 + m.segments.size() + m.switches.size() + m.enemies.size() + m.pickups.size() + m.checkpoints.size();
        EXPECT_EQ(static_cast<size_t>(std::count(saved.begin(), saved.end(), '\n')), records);
        world.release_grid();
    }
}

TEST(MapDocument, EditsUndoneToTheStartAndRedoneToTheEnd) {
    const MapSource start = new_map_source();
    MapDocument doc(start);
    std::vector<MapSource> states = {start};
    auto edit = [&](auto change) {
        doc.edit(change);
        states.push_back(doc.map());
    };
    edit([](MapSource& m) { m.segments.push_back({40, 500, 760, 500, 1}); });
    edit([](MapSource& m) { m.enemies.push_back({300, 400, 3, 180.0}); });
    edit([](MapSource& m) { m.switches.push_back({200, 450, 2}); });
    edit([](MapSource& m) { move_items(m, {{ItemKind::segment, 0}, {ItemKind::start, 0}}, 8, -16); });
    edit([](MapSource& m) { remove_items(m, {{ItemKind::enemy, 0}, {ItemKind::exit, 0}}); });
    // A drag: rewritten many times, one step in the end.
    doc.begin_step();
    for (int w = 1610; w <= 1700; w += 10) {
        doc.live() = doc.base();
        doc.live().width = w;
    }
    doc.end_step();
    states.push_back(doc.map());
    // A drag put back, and one that changed nothing, leave no step.
    doc.begin_step();
    doc.live().height = 10;
    doc.cancel_step();
    doc.begin_step();
    doc.end_step();
    doc.edit([](MapSource&) {});
    ASSERT_EQ(doc.undo_steps(), states.size() - 1);
    EXPECT_EQ(doc.map().exit_x, 1500) << "every map keeps its exit";

    for (size_t i = states.size() - 1; i-- > 0;) {
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(doc.map(), states[i]) << "after undoing to state " << i;
    }
    EXPECT_FALSE(doc.undo());
    EXPECT_EQ(doc.map(), start);
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(doc.map(), states[i]);
    }
    EXPECT_FALSE(doc.redo());

    // A new edit after an undo drops what could have been redone.
    ASSERT_TRUE(doc.undo());
    edit([](MapSource& m) { m.checkpoints.push_back({5, 5}); });
    EXPECT_EQ(doc.redo_steps(), 0u);
    EXPECT_FALSE(doc.redo());
}

TEST(MapDocument, SnappingAndTheFortyFiveDegreeRule) {
    struct Snap {
        double v;
        int32_t grid;
    };
    for (const Snap& c : std::vector<Snap>{{0, 0},
                                           {3.9, 0},
                                           {4, 8},
                                           {11.9, 8},
                                           {12, 16},
                                           {-3.9, 0},
                                           {-4, -8},
                                           {-12.5, -16},
                                           {1e12, 2147483647},
                                           {-1e12, -2147483647 - 1}})
        EXPECT_EQ(snap_to_grid(c.v), c.grid) << c.v;

    struct Rule {
        MapPoint from, to;
        bool grid;
        MapPoint kept;
    };
    const std::vector<Rule> rules = {
        {{100, 100}, {300, 120}, false, {300, 100}},  // nearly level: level
        {{100, 100}, {-50, 90}, false, {-50, 100}},   // leftwards
        {{100, 100}, {110, 300}, false, {100, 300}},  // nearly upright: upright
        {{100, 100}, {95, -40}, false, {100, -40}},   // upwards
        {{100, 100}, {200, 180}, false, {190, 190}},  // down-right: the mean of 100 and 80
        {{100, 100}, {0, 190}, false, {5, 195}},      // down-left
        {{100, 100}, {180, 0}, false, {190, 10}},     // up-right
        {{100, 100}, {10, 30}, false, {20, 20}},      // up-left
        {{100, 100}, {101, 100}, false, {101, 100}},  // a pixel: still level
        {{100, 100}, {100, 100}, false, {100, 100}},  // no line yet
        {{96, 96}, {200, 184}, true, {192, 192}},     // on the grid the diagonal stays on it: 96 px
        {{96, 96}, {200, 176}, true, {192, 192}},     // a mean of 92 rounds to 96
        {{96, 96}, {328, 120}, true, {328, 96}},
    };
    for (const Rule& r : rules) {
        EXPECT_EQ(snap_45(r.from, r.to, r.grid), r.kept) << r.to.x << "," << r.to.y;
        const MapPoint kept = snap_45(r.from, r.to, r.grid);
        const int64_t dx = int64_t{kept.x} - r.from.x, dy = int64_t{kept.y} - r.from.y;
        EXPECT_TRUE(dx == 0 || dy == 0 || std::llabs(dx) == std::llabs(dy)) << "a multiple of 45 degrees";
    }
    for (const auto& [heading, kept] :
         std::vector<std::pair<double, double>>{{0, 0}, {22.4, 0}, {22.6, 45}, {-100, -90}, {179, 180}, {-170, -180}})
        EXPECT_EQ(snap_heading_45(heading), kept) << heading;
}

TEST(MapDocument, NamesNameOnePlainFileInsideTheFolder) {
    const std::string longest(max_map_name_length, 'a');
    struct Case {
        std::string name;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"e2e-made", true},
        {"Level_2", true},
        {longest, true},
        {"", false},
        {"/", false},
        {"..", false},
        {"../x", false},
        {"a/b", false},
        {".hidden", false},
        {"a b", false},
        {"map.txt", false},
        {longest + "a", false},
        {"caf\xc3\xa9", false},
        {"a\\b", false},
        {std::string("a\0b", 3), false},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_EQ(valid_map_name(c.name, why), c.valid) << c.name;
        EXPECT_EQ(why.empty(), c.valid) << c.name;
    }
    EXPECT_EQ(map_file_path("Maps", "e2e-made"), fs::path("Maps/e2e-made.txt"));
    EXPECT_EQ(map_name_of("Maps/e2e-made.txt"), "e2e-made");
    EXPECT_EQ(map_name_of("Maps/first steps.txt"), std::nullopt);
    EXPECT_EQ(map_name_of("Maps/level"), std::nullopt);
    EXPECT_EQ(map_name_of("Maps/.txt"), std::nullopt);
}

TEST(MapDocument, TheEditorsVerdictIsTheLoadersAndARefusedMapIsNotWritten) {
    start_fresh();
    auto with = [](auto change) {
        MapSource m = new_map_source();
        m.segments.push_back({40, 500, 760, 500, 1});
        change(m);
        return m;
    };
    const std::vector<MapSource> maps = {
        with([](MapSource&) {}),
        with([](MapSource& m) { m.width = 0; }),
        with([](MapSource& m) { m.height = -5; }),
        with([](MapSource& m) { m.width = m.height = 8000; }),  // 64 million cells
        with([](MapSource& m) {
            m.segments.push_back({0, 0, 1600 + max_segment_overhang + 1, 0, 1});
        }),
        with([](MapSource& m) {
            m.segments.push_back({-max_segment_overhang, 0, 1600 + max_segment_overhang, 0, 7});
        }),
        with([](MapSource& m) {  // beyond 2^24 a float walk cannot move one pixel
            m.width = 17'000'000;
            m.height = 1;
            m.segments.push_back({16'777'216, 0, 16'777'226, 0, 1});
        }),
        with([](MapSource& m) {
            m.enemies.push_back({10, 10, 1, 1e39});
        }),
        with([](MapSource& m) {
            m.enemies.push_back({10, 10, 1, std::nan("")});
        }),
        with([](MapSource& m) {
            m.enemies.push_back({10, 10, 1, 3.4e38, -1});
        }),
        // One more than a list may hold, for each list; at the bound it loads.
        with([](MapSource& m) {
            m.segments.assign(max_segments + 1, {10, 10, 11, 10, 1});
        }),
        with([](MapSource& m) {
            m.switches.assign(max_switches + 1, {10, 10, 1});
        }),
        with([](MapSource& m) {
            m.enemies.assign(max_enemies + 1, {10, 10, 1, 0.0});
        }),
        with([](MapSource& m) {
            m.enemies.assign(max_enemies, {10, 10, 1, 0.0});
        }),
        with([](MapSource& m) {
            m.pickups.assign(max_pickups + 1, {10, 10, 1});
        }),
        with([](MapSource& m) {
            m.checkpoints.assign(max_checkpoints + 1, {10, 10});
        }),
        with([](MapSource& m) {  // two faults: the one the loader meets first is named
            m.pickups.assign(max_pickups + 1, {10, 10, 1});
            m.enemies.push_back({10, 10, 1, 1e39});
        }),
    };
    ScratchFolder folder("editor-verdict");
    const fs::path path = folder.path / "kept.txt";
    { std::ofstream(path) << "old"; }
    size_t refused = 0;
    for (size_t i = 0; i < maps.size(); ++i) {
        std::string checked, loaded;
        const bool loads = load_map(write_map_text(maps[i], MapTextForm::readable).c_str(), loaded);
        EXPECT_EQ(check_map_source(maps[i], checked), loads) << "map " << i << ": " << loaded;
        EXPECT_EQ(checked, loaded) << "map " << i;
        world.release_grid();
        std::string why;
        EXPECT_EQ(save_map_file(maps[i], path, why), loads) << "map " << i;
        EXPECT_EQ(why, loaded);
        if (!loads) {
            refused += 1;
            EXPECT_EQ(file_text(path), "old") << "a refused map leaves the file as it was";
        } else {
            std::ofstream(path) << "old";
        }
    }
    EXPECT_EQ(refused, 13u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1)
        << "no temporary file is left behind";
}

}  // namespace
