// The replay text format and its cursor.
#include "game/replay.hpp"

#include "support/sim_maps.hpp"

namespace {

TEST(ReplayFormat, ReadsRunsCommentsAndBlankLines) {
    Replay r;
    std::string why;
    ASSERT_TRUE(
        parse_replay("# walk, then jump at a world point\n"
                     "\n"
                     "30 r 400 300\r\n"
                     "   # indented comment\n"
                     "2 jls @-12 +40\n"
                     "1\t-\t0\t0\n"
                     "5 fdh 1 2",
                     r, why))
        << why;
    ASSERT_EQ(r.runs.size(), 4u);
    EXPECT_EQ(r.total_updates, 38);
    EXPECT_EQ(r.runs[0].count, 30);
    EXPECT_TRUE(r.runs[0].held[action_right]);
    EXPECT_FALSE(r.runs[0].world_point);
    EXPECT_EQ(r.runs[0].x, 400);
    EXPECT_EQ(r.runs[0].y, 300);
    EXPECT_TRUE(r.runs[1].held[action_jump] && r.runs[1].held[action_left] && r.runs[1].held[action_shoot]);
    EXPECT_FALSE(r.runs[1].held[action_right]);
    EXPECT_TRUE(r.runs[1].world_point);
    EXPECT_EQ(r.runs[1].x, -12);
    EXPECT_EQ(r.runs[1].y, 40);
    EXPECT_EQ(r.runs[2].held, (std::array<bool, action_count>{}));
    EXPECT_TRUE(r.runs[3].f9_pressed && r.runs[3].held[action_duck] && r.runs[3].held[action_shield]);
    EXPECT_TRUE(parse_replay("", r, why));
    EXPECT_TRUE(r.runs.empty());
}

TEST(ReplayFormat, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        const char* line;
    };
    for (Case c : {Case{"1 r 0 0\n0 r 0 0\n", "line 2:"},
                   {"x r 0 0", "line 1:"},
                   {"1 r 0", "line 1:"},
                   {"1 r 0 0 9", "line 1:"},
                   {"\n\n1 q 0 0", "line 3:"},
                   {"1 r 0.5 0", "line 1:"},
                   {"1 r 0 2147483648", "line 1:"},
                   {"1 r @ 0", "line 1:"},
                   {"1000001 r 0 0", "line 1:"},
                   {"-4 r 0 0", "line 1:"},
                   {"1 - - 0", "line 1:"},
                   {"1 rr 0 0\n#\n2 R 0 0", "line 3:"}}) {
        Replay r;
        std::string why;
        EXPECT_FALSE(parse_replay(c.text, r, why)) << c.text;
        EXPECT_NE(why.find(c.line), std::string::npos) << c.text << " -> " << why;
    }
}

TEST(ReplayFormat, AWholeReplayIsBounded) {
    std::string text;
    for (int i = 0; i < 10; ++i) text += "1000000 r 0 0\n";
    Replay r;
    std::string why;
    EXPECT_TRUE(parse_replay(text, r, why)) << why;
    text += "1 r 0 0\n";
    EXPECT_FALSE(parse_replay(text, r, why));
    EXPECT_NE(why.find("line 11:"), std::string::npos) << why;
}

TEST(ReplayCursor, HandsOutEachRunForItsCountWithWorldPointsThroughTheCamera) {
    MapText m = open_room();
    m.width = 3000;
    m.start_x = 1500;
    start_map(m);
    Replay r;
    std::string why;
    ASSERT_TRUE(parse_replay("2 r @1000 50\n1 fj 7 8\n", r, why)) << why;
    ReplayCursor cursor(r);
    UpdateInput in;
    ASSERT_TRUE(cursor.next(in));
    EXPECT_TRUE(in.held[action_right]);
    EXPECT_EQ(in.mouse_x, 1000 + world.camera_x);
    EXPECT_EQ(in.mouse_y, 50 + world.camera_y);
    world.camera_x = -777;
    ASSERT_TRUE(cursor.next(in));
    EXPECT_EQ(in.mouse_x, 1000 - 777);
    ASSERT_TRUE(cursor.next(in));
    EXPECT_TRUE(in.f9_pressed && in.held[action_jump]);
    EXPECT_FALSE(in.held[action_right]);
    EXPECT_EQ(in.mouse_x, 7);
    EXPECT_TRUE(cursor.done());
    EXPECT_FALSE(cursor.next(in));
}

}  // namespace
