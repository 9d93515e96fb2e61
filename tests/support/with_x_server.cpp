// Runs a program under an X server of its own and passes on its exit status:
//   with_x_server PROGRAM [ARGUMENTS...]
// For test programs that touch the display before main, where a test
// environment would start its server too late.
#include <cstdio>
#include <signal.h>
#include <string>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/x_server.hpp"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: with_x_server PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    if (!XServer::installed()) {
        std::fprintf(stderr, "Xvfb is not installed (scripts/install-deps.sh installs it): %s not run.\n", argv[1]);
        return no_x_server_status;
    }
    XServer server;
    std::string why;
    // Larger than any window the tests open, so every window fits on screen whole.
    if (!server.start("1280x1024x24", why)) {
        std::fprintf(stderr, "with_x_server: no X server: %s\n", why.c_str());
        return 1;
    }
    setenv("DISPLAY", server.display().c_str(), 1);

    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // ended along with this launcher
        if (getppid() != parent) _exit(126);
        execvp(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) status = 1 << 8;
    server.stop();
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return WEXITSTATUS(status);
}
