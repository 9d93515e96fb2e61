// An X server (Xvfb) of the test program's own. Xvfb picks a free display
// number itself and tells us through a pipe once it listens, so two runs at
// once never fight over a number, and one still shutting down is never reused.
#pragma once

#include <string>
#include <sys/types.h>
#include <utility>

#include <gtest/gtest.h>

class XServer {
public:
    XServer() = default;
    ~XServer() { stop(); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Whether an Xvfb program can be found on PATH.
    static bool installed();
    // Starts Xvfb with one screen of `screen` ("WIDTHxHEIGHTxDEPTH") and waits, up to
    // 30 s, until a client can connect. On failure `why` says what went wrong.
    bool start(const std::string& screen, std::string& why);
    // Asks the server to end (SIGTERM) and waits until it has, so it leaves no lock behind.
    void stop();
    // ":N", or empty before start.
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
    std::string log_;  // Xvfb's own messages, shown when it fails to start
};

// One X server for the whole test program, named in $DISPLAY for the tests and
// for every program they start. A server that cannot start fails every test.
class XServerEnvironment : public ::testing::Environment {
public:
    explicit XServerEnvironment(std::string screen) : screen_(std::move(screen)) {}
    void SetUp() override;
    void TearDown() override { server_.stop(); }

private:
    std::string screen_;
    XServer server_;
};

// The exit status test programs give when no Xvfb is installed; ctest reports them as skipped.
inline constexpr int no_x_server_status = 77;
