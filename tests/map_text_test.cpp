// Map texts read into records and written back: the built-in maps keep their
// exact bytes through the build and through a read and write, and the reader
// takes and refuses what the loader does.
#include "world/map_text.hpp"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "app/sha256.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace {

using namespace std::string_literals;

TEST(Sha256, KnownVectors) {
    struct Vector {
        std::string_view bytes, digest;
    };
    for (const Vector& v : std::array<Vector, 3>{{
             {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
             {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
             {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
         }})
        EXPECT_EQ(sha256_hex(v.bytes), v.digest) << '"' << v.bytes << '"';
}

// The texts the game has always loaded: a change to any byte of a map shows here.
TEST(BuiltinMaps, TextsKeepTheirChecksums) {
    constexpr std::array<std::string_view, builtin_map_count> checksums = {
        "ae7cdaff48093f434c9a70d492457b2feea20b0c92f09d2569f3efd821de0c12",
        "563706ef302c0df4057a134496ff3467514698855fcb62b7349b98a1c129307c",
        "7af1ac24f1c565d206a886267e153941118e63243f0c9288e100e96516710e4a",
        "08c8946e7874699879dafe184cf4ab27cb78da9e9afd85f3de03471e49ad3771",
        "ea8f7dcffeb6e6c5466fa89ce0e71158309f2f2930e9bcac05052f4412a06f7c",
    };
    for (int n = 1; n <= builtin_map_count; ++n) {
        const char* text = builtin_map_text(n);
        ASSERT_NE(text, nullptr) << "map " << n;
        EXPECT_EQ(sha256_hex(text), checksums[static_cast<size_t>(n - 1)]) << "map " << n;
    }
}

// The loaded world's size, positions and lists, written as a map text: two
// loads that give the same text hold the same map (headings to the float's last bit).
std::string loaded_map() {
    MapSource m{world.map_width, world.map_height, world.player.x, world.player.y, world.exit_x, world.exit_y};
    for (const Segment& s : world.segments) m.segments.push_back({s.x1, s.y1, s.x2, s.y2, s.type});
    for (const Switch& s : world.switches) m.switches.push_back({s.x, s.y, s.colour});
    for (const Enemy& e : world.enemies) m.enemies.push_back({e.x, e.y, e.kind, e.angle});
    for (const Pickup& p : world.pickups) m.pickups.push_back({p.x, p.y, p.kind});
    for (const Checkpoint& c : world.checkpoints) m.checkpoints.push_back({c.x, c.y});
    return write_map_text(m, MapTextForm::readable);
}

TEST(BuiltinMaps, ReadAndWrittenBackGiveTheSameTextAndMap) {
    for (int n = 1; n <= builtin_map_count; ++n) {
        SCOPED_TRACE("map " + std::to_string(n));
        const std::string text = builtin_map_text(n);
        MapSource source;
        std::string why;
        ASSERT_TRUE(read_map_source(text, source, why)) << why;
        EXPECT_EQ(write_map_text(source, MapTextForm::compact), text);

        start_fresh();
        ASSERT_TRUE(load_map(text.c_str()));
        const std::string lists = loaded_map();
        const std::vector<float> grid = world.wall_grid;

        const std::string readable = write_map_text(source, MapTextForm::readable);
        EXPECT_EQ(std::count(readable.begin(), readable.end(), '\n'),
                  8 + source.segments.size() + source.switches.size() + source.enemies.size() + source.pickups.size() +
                      source.checkpoints.size());
        ASSERT_TRUE(load_map(readable.c_str(), why)) << why;
        EXPECT_EQ(loaded_map(), lists);
        EXPECT_TRUE(world.wall_grid == grid);
        world.release_grid();
    }
}

// A heading is written with its decimals, or in the shortest form that reads
// back exactly when it has none or they cannot hold it.
TEST(MapTextWriter, HeadingsKeepTheirDecimalsOrTheShortestForm) {
    struct Case {
        double heading;
        int32_t decimals;
        std::string_view written;
    };
    for (const Case& c : std::array<Case, 7>{{
             {96.3402, 4, "96.3402"},
             {180, 5, "180.00000"},
             {-0.0, 0, "-0"},
             {static_cast<double>(0.1f), -1, "0.10000000149011612"},
             {90, 21, "90"},
             {1e300, 20, "1e+300"},  // 301 digits before the point would not fit
             {-42.0318, -1, "-42.0318"},
         }}) {
        const MapSource m{.width = 10, .height = 10, .enemies = {{1, 2, 3, c.heading, c.decimals}}};
        EXPECT_EQ(write_map_text(m, MapTextForm::compact),
                  "10 10 0 0 0 0 0 0 1 1 2 3 " + std::string(c.written) + " 0 0 ");
        EXPECT_EQ(write_map_text(m, MapTextForm::readable),
                  "10 10\n0 0\n0 0\n0\n0\n1\n1 2 3 " + std::string(c.written) + "\n0\n0\n");
    }
}

// Texts against what the reader and the loader make of them. The reader checks
// the numbers only; size, reach and length are the loader's.
TEST(MapTextReader, TakesAndRefusesWhatTheLoaderDoes) {
    struct Case {
        std::string text;
        bool reads, loads;
    };
    const std::string lists = " 1 5 5 90 90 7 1 20 20 1 1 30 30 3 45.5 1 40 40 2 1 60 60 ";
    const std::vector<Case> cases = {
        {"100 80 0 0 0 0 0 0 0 0 0 ", true, true},  // the shortest map
        {"100\t80\n0  0\r\n0 0" + lists, true, true},
        {"100 80 0 0 0 0 1 5 5 90 90 1 0 0 0 0\n trailing words are ignored", true, true},
        {"0 80 0 0 0 0 0 0 0 0 0 ", true, false},                 // no cells
        {"100 80 0 0 0 0 1 5 5 9000 5 1 0 0 0 0 ", true, false},  // reaches far past the map
        {"100 80 0 0 0 0 0 0 0 0 0", false, false},               // no white space at the end
        {"100 80 0 0 0 0 0 0 0 0 0\0 "s, false, false},           // the text ends at its NUL
        {"", false, false},
        {"100 80 0 0 0 0 -1 0 0 0 0 ", false, false},
        {"100 80 0 0 0 0 9 0 0 0 0 ", false, false},  // more segments than the text holds
        {"100 80 0 0 0 0 1 5 5 x 5 1 0 0 0 0 ", false, false},
        {"100 80 0 0 4294967296 0 0 0 0 0 0 ", false, false},  // beyond 32 bits
        {"100 80 0 0 0 0 0 0 1 1 1 1 ", false, false},         // no heading, and the lists after it missing
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        start_fresh();
        MapSource source;
        std::string why;
        EXPECT_EQ(read_map_source(c.text, source, why), c.reads) << why;
        EXPECT_EQ(why.empty(), c.reads);
        EXPECT_EQ(load_map(c.text.c_str()), c.loads);
        if (!c.loads) continue;
        const std::string lists_loaded = loaded_map();
        for (MapTextForm form : {MapTextForm::compact, MapTextForm::readable}) {
            ASSERT_TRUE(load_map(write_map_text(source, form).c_str(), why)) << why;
            EXPECT_EQ(loaded_map(), lists_loaded);
        }
        world.release_grid();
    }

    // Each spelling of a heading the loader takes writes back to the same float.
    for (const std::string heading : {"180", "180.00000", "-42.0318", "+5", "1e-50", "1e38", "33.3333333333333333",
                                      "-0", "0.1", "5.", ".5", "3.4028235e38"}) {
        SCOPED_TRACE(heading);
        const std::string text = "100 80 0 0 0 0 0 0 1 5 5 2 " + heading + " 0 0 ";
        MapSource source;
        std::string why;
        ASSERT_TRUE(read_map_source(text, source, why)) << why;
        start_fresh();
        ASSERT_TRUE(load_map(text.c_str()));
        const float angle = world.enemies.at(0).angle;
        for (MapTextForm form : {MapTextForm::compact, MapTextForm::readable}) {
            ASSERT_TRUE(load_map(write_map_text(source, form).c_str(), why)) << why;
            EXPECT_EQ(std::bit_cast<uint32_t>(world.enemies.at(0).angle), std::bit_cast<uint32_t>(angle));
        }
        world.release_grid();
    }
    for (const std::string heading : {"nan", "inf", "0x10", "1e39", "1e-400", "+-5", "5x"}) {
        MapSource source;
        std::string why;
        EXPECT_FALSE(read_map_source("100 80 0 0 0 0 0 0 1 5 5 2 " + heading + " 0 0 ", source, why)) << heading;
        EXPECT_FALSE(load_map(("100 80 0 0 0 0 0 0 1 5 5 2 " + heading + " 0 0 ").c_str())) << heading;
    }
}

}  // namespace
