// The camera's dead zone, its 3 px creep and the clamps at the map's edges.
#include "game/camera.hpp"

#include <climits>

#include "support/sim_maps.hpp"

namespace {

// A 4000 x 3000 map with the default 800 x 600 screen and scroll distance 4:
// the dead zone spans window columns 300..500 and rows 225..375.
void start_big_map(int scroll_distance = 4) {
    MapText m = open_room();
    m.width = 4000;
    m.height = 3000;
    m.start_x = 2000;
    m.start_y = 1500;
    Settings s;
    s.threads = 1;
    s.screen_scroll_distance = scroll_distance;
    start_map(m, s);
}

// Puts the player at window position (wx, wy) with the camera at (cx, cy).
void place(int cx, int cy, int wx, int wy) {
    world.camera_x = cx;
    world.camera_y = cy;
    world.player.x = wx - cx;
    world.player.y = wy - cy;
}

TEST(Camera, StartsCentredOnThePlayer) {
    start_big_map();
    EXPECT_EQ(world.camera_x, 400 - 2000);
    EXPECT_EQ(world.camera_y, 300 - 1500);
}

TEST(Camera, StandsStillInsideTheDeadZoneAndCreepsOutsideIt) {
    start_big_map();
    for (auto [wx, wy] : {std::pair{300, 225}, {500, 375}, {400, 300}}) {
        place(-1000, -1000, wx, wy);
        camera_step();
        EXPECT_EQ(world.camera_x, -1000) << wx;
        EXPECT_EQ(world.camera_y, -1000) << wy;
    }
    place(-1000, -1000, 501, 224);
    camera_step();
    EXPECT_EQ(world.camera_x, -1003);
    EXPECT_EQ(world.camera_y, -997);
    place(-1000, -1000, 299, 376);
    camera_step();
    EXPECT_EQ(world.camera_x, -997);
    EXPECT_EQ(world.camera_y, -1003);
}

TEST(Camera, ClampsToTheMapEdges) {
    start_big_map();
    place(-2, -1, 100, 100);  // near the top-left corner, would creep past 0
    camera_step();
    EXPECT_EQ(world.camera_x, 0);
    EXPECT_EQ(world.camera_y, 0);
    place(-3199, -2399, 700, 500);  // near the bottom-right corner, would creep past it
    camera_step();
    EXPECT_EQ(world.camera_x, 800 - 4000);
    EXPECT_EQ(world.camera_y, 600 - 3000);
}

TEST(Camera, MapSmallerThanTheScreenStaysAtTheOrigin) {
    MapText m = open_room();
    m.width = 500;
    m.height = 300;
    m.start_x = 450;
    m.start_y = 250;
    start_map(m);
    EXPECT_EQ(world.camera_x, 400 - 450);  // centred, unclamped, until the first update
    for (int i = 0; i < 20; ++i) {
        camera_step();
        EXPECT_EQ(world.camera_x, 0);
        EXPECT_EQ(world.camera_y, 0);
    }
}

TEST(Camera, ScrollDistanceOneMovesOnlyForAnOffScreenPlayer) {
    for (int distance : {1, 0, -3}) {  // values not yet corrected act as 1 instead of dividing by zero
        start_big_map(distance);
        place(-1000, -1000, 0, 600);
        camera_step();
        EXPECT_EQ(world.camera_x, -1000) << distance;
        EXPECT_EQ(world.camera_y, -1000) << distance;
        place(-1000, -1000, -1, 601);
        camera_step();
        EXPECT_EQ(world.camera_x, -997) << distance;
        EXPECT_EQ(world.camera_y, -1003) << distance;
    }
}

TEST(Camera, FollowsAWalkingPlayerAtItsOwnSpeed) {
    start_big_map();
    run_updates(400);  // fall to the bottom edge and settle the camera
    EXPECT_LE(world.player.x + world.camera_x, 500);
    run_updates(100, holding({action_right}));
    const int held_at = world.player.x + world.camera_x;
    EXPECT_GT(held_at, 500);  // just past the zone's edge, and kept there
    EXPECT_LE(held_at, 503);
    run_updates(100, holding({action_right}));
    EXPECT_EQ(world.player.x + world.camera_x, held_at);
}

TEST(Camera, FarOutStartPositionsDoNotOverflow) {
    start_big_map();
    world.player.x = INT_MIN;
    world.player.y = INT_MAX;
    centre_camera();
    EXPECT_EQ(world.camera_x, INT_MAX);
    EXPECT_EQ(world.camera_y, 300 - INT_MAX);
    camera_step();
    EXPECT_EQ(world.camera_x, 0);
    EXPECT_EQ(world.camera_y, 600 - 3000);
}

}  // namespace
