#include "support/x_server.hpp"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <X11/Xlib.h>

namespace {

using Clock = std::chrono::steady_clock;

// Milliseconds left until `until`, never negative.
int ms_left(Clock::time_point until) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

std::string contents_of(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

bool XServer::installed() {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "/usr/bin:/bin");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && access((folder + "/Xvfb").c_str(), X_OK) == 0) return true;
    return false;
}

bool XServer::start(const std::string& screen, std::string& why) {
    stop();
    const auto until = Clock::now() + std::chrono::seconds(30);
    char log_name[] = "/tmp/vantorel-xvfb-XXXXXX";
    const int log_fd = mkstemp(log_name);
    if (log_fd < 0) {
        why = std::string("cannot create Xvfb's log file: ") + std::strerror(errno);
        return false;
    }
    log_ = log_name;
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) {
        why = std::string("cannot create a pipe: ") + std::strerror(errno);
        close(log_fd);
        return false;
    }

    // Everything the child needs is prepared before fork: after it, only system calls.
    const pid_t parent = getpid();
    const int child_end = 3;  // the descriptor Xvfb writes its display number to
    const std::string child_end_text = std::to_string(child_end);
    // -noreset: by default the server resets when its last client leaves and refuses
    // connections meanwhile, which is every time one program ends and the next starts.
    const char* args[] = {
        "Xvfb",     "-displayfd", child_end_text.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
        "-noreset", nullptr};
    pid_ = fork();
    if (pid_ == 0) {
        // A test program that dies without stopping the server takes it along.
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        if (getppid() != parent) _exit(126);
        const int null_in = open("/dev/null", O_RDONLY);
        if (null_in >= 0) dup2(null_in, 0);
        dup2(log_fd, 1);
        dup2(log_fd, 2);
        // dup2 clears close-on-exec, except onto the same descriptor.
        if (ready[1] == child_end ? fcntl(child_end, F_SETFD, 0) != 0 : dup2(ready[1], child_end) != child_end)
            _exit(126);
        setpgid(0, 0);  // keyboard interrupts meant for the test do not reach the server first
        execvp("Xvfb", const_cast<char* const*>(args));
        _exit(127);
    }
    close(ready[1]);
    close(log_fd);
    if (pid_ < 0) {
        why = std::string("cannot fork: ") + std::strerror(errno);
        close(ready[0]);
        return false;
    }

    // Xvfb writes "N\n" once it listens, and closes the pipe if it gives up.
    std::string number;
    while (number.find('\n') == std::string::npos) {
        pollfd wait{ready[0], POLLIN, 0};
        const int polled = poll(&wait, 1, ms_left(until));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) break;
        char bytes[16];
        const ssize_t got = read(ready[0], bytes, sizeof bytes);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        number.append(bytes, static_cast<size_t>(got));
    }
    close(ready[0]);
    const size_t digits = number.find_first_not_of("0123456789");
    if (digits == 0 || digits == std::string::npos || number[digits] != '\n') {
        why = "Xvfb gave no display number within 30 s. Its messages:\n" + contents_of(log_);
        stop();
        return false;
    }
    display_ = ":" + number.substr(0, digits);

    // Listening is not yet answering on every machine: connect until a client gets through.
    while (true) {
        if (Display* d = XOpenDisplay(display_.c_str())) {
            XCloseDisplay(d);
            return true;
        }
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            why = "Xvfb on " + display_ + " ended before answering. Its messages:\n" + contents_of(log_);
            stop();
            return false;
        }
        if (ms_left(until) == 0) {
            why = "Xvfb on " + display_ + " did not answer within 30 s. Its messages:\n" + contents_of(log_);
            stop();
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

void XServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        // A server ends within a moment of SIGTERM; SIGKILL only if it hangs, since
        // that leaves its lock file behind.
        const auto until = Clock::now() + std::chrono::seconds(10);
        int status = 0;
        bool ended = false;
        while (!(ended = waitpid(pid_, &status, WNOHANG) != 0) && ms_left(until) > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!ended) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }
    if (!log_.empty()) unlink(log_.c_str());
    log_.clear();
    display_.clear();
}

void XServerEnvironment::SetUp() {
    std::string why;
    if (!server_.start(screen_, why)) FAIL() << "no X server for the window tests: " << why;
    setenv("DISPLAY", server_.display().c_str(), 1);
}
