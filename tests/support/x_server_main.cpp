// The main of every test program that needs a window: one X server of its own
// for the whole run, started before the first test and stopped after the last.
#include <cstdio>

#include <gtest/gtest.h>

#include "support/x_server.hpp"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (!XServer::installed()) {
        std::fprintf(stderr, "Xvfb is not installed (scripts/install-deps.sh installs it): no window tests run.\n");
        return no_x_server_status;
    }
    // Larger than any window the tests open, so every window fits on screen whole.
    ::testing::AddGlobalTestEnvironment(new XServerEnvironment("1280x1024x24"));
    return RUN_ALL_TESTS();
}
