// Map 1 played from start to exit by a recorded route: the proof that the
// first level can be completed with default settings, and a regression test
// for every movement and combat rule the route leans on.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "tools/play.hpp"

namespace {

std::string play_map1_route(int threads, bool trace = false) {
    PlayOptions o;
    o.map = "1";
    o.replay = VANTOREL_SOURCE_DIR "/tests/routes/map1.replay";
    o.threads = threads;
    o.trace = trace;
    std::ostringstream out, err;
    EXPECT_EQ(run_play(o, out, err), 0) << err.str();
    return out.str();
}

TEST(MapOneRoute, WinsWithDefaultSettings) {
    const std::string out = play_map1_route(1);
    EXPECT_EQ(out.rfind("result won\n", 0), 0u) << out;
    // The switch was shot (red open) and the smart enemy killed on the way.
    EXPECT_NE(out.find("\nswitches 0 1 1\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nenemies 2\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nlives 2\n"), std::string::npos) << out;
}

TEST(MapOneRoute, EveryUpdateIsTheSameWhateverTheWorkerCount) {
    const std::string one = play_map1_route(1, true);
    EXPECT_EQ(play_map1_route(2, true), one);
    EXPECT_EQ(play_map1_route(8, true), one);
}

}  // namespace
