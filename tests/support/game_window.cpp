#include "support/game_window.hpp"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Pauses after input, ms: long enough for a few frames at 60 per second, so a
// screen that reads held keys or buttons once per frame sees them.
constexpr int after_move_ms = 150;
constexpr int after_press_ms = 300;

bool counts(sf::Color c, Tint tint) {
    const int r = c.r, g = c.g, b = c.b;
    switch (tint) {
        case Tint::red: return r > g + 50 && r > b + 50;
        case Tint::green: return g > r + 50 && g > b + 50;
        case Tint::blue: return b > r + 50 && b > g + 50;
        case Tint::lit: break;
    }
    return r + g + b > 60;
}

const char* tint_name(Tint tint) {
    switch (tint) {
        case Tint::red: return "red";
        case Tint::green: return "green";
        case Tint::blue: return "blue";
        case Tint::lit: break;
    }
    return "lit";
}

}  // namespace

std::string describe(sf::Color colour) {
    std::ostringstream text;
    text << '(' << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ')';
    return text.str();
}

int count_in(const sf::Image& picture, Box box, Tint tint) {
    const int width = static_cast<int>(picture.getSize().x), height = static_cast<int>(picture.getSize().y);
    int found = 0;
    for (int y = std::max(box.y, 0); y < std::min(box.y + box.height, height); ++y)
        for (int x = std::max(box.x, 0); x < std::min(box.x + box.width, width); ++x)
            found += counts(picture.getPixel(unsigned(x), unsigned(y)), tint);
    return found;
}

bool wait_until(const std::function<bool()>& holds, double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (!holds()) {
        if (Clock::now() >= until) return false;
        pause_ms(100);
    }
    return true;
}

GameWindow::GameWindow(const std::string& scenario)
    : folder_(fs::path(VANTOREL_WINDOW_GAMES_DIR) / scenario), pictures_(fs::path(VANTOREL_PICTURE_DIR) / scenario) {
    fs::remove_all(folder_);
    fs::create_directories(folder_.parent_path());
    fs::copy(VANTOREL_GAME_DIR, folder_, fs::copy_options::recursive);
    fs::remove_all(pictures_);
    fs::create_directories(pictures_);
}

GameWindow::~GameWindow() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

void GameWindow::set_config(const std::string& key, int value) {
    std::ifstream in(folder_ / "config.ini");
    std::ostringstream out;
    bool replaced = false;
    for (std::string line; std::getline(in, line);) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == key) {
            line = key + " " + std::to_string(value);
            replaced = true;
        }
        out << line << '\n';
    }
    if (!replaced) out << key << ' ' << value << '\n';
    in.close();
    write_file("config.ini", out.str());
}

void GameWindow::write_file(const std::string& relative, const std::string& text) const {
    fs::create_directories((folder_ / relative).parent_path());
    std::ofstream(folder_ / relative, std::ios::binary) << text;
}

std::string GameWindow::read_file(const std::string& relative) const {
    std::ifstream in(folder_ / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool GameWindow::start() {
    if (!x_.connect(10)) {
        ADD_FAILURE() << "cannot open the X display '" << (std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "") << "'";
        return false;
    }
    // The window of a program that just ended can outlive it by a moment; it must not be taken for ours.
    if (!wait_until([&] { return x_.find_window("Vantorel", 0) == 0; }, 10)) {
        ADD_FAILURE() << "an earlier Vantorel window is still open";
        return false;
    }

    // Everything the child needs is prepared before fork: after it, only system calls.
    const std::string program = VANTOREL_PROGRAM, log = (pictures_ / "program.log").string(), folder = folder_.string();
    std::vector<std::string> environment{"ALSOFT_DRIVERS=null"};  // a silent sound device: no errors without one
    for (char** e = environ; *e; ++e)
        if (std::string(*e).rfind("ALSOFT_DRIVERS=", 0) != 0) environment.emplace_back(*e);
    std::vector<char*> envp;
    for (std::string& e : environment) envp.push_back(e.data());
    envp.push_back(nullptr);
    char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
    const pid_t parent = getpid();

    pid_ = fork();
    if (pid_ == 0) {
        prctl(PR_SET_PDEATHSIG, SIGKILL);  // a test that dies takes the program along
        if (getppid() != parent) _exit(126);
        const int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (out >= 0) dup2(out, 1), dup2(out, 2);
        if (chdir(folder.c_str()) != 0) _exit(126);
        execve(program.c_str(), argv, envp.data());
        _exit(127);
    }
    if (pid_ < 0) {
        ADD_FAILURE() << "cannot start " << program;
        return false;
    }
    window_ = x_.find_window("Vantorel", 30);
    if (window_ == 0) {
        ADD_FAILURE() << "no window titled Vantorel appeared; see " << log;
        return false;
    }
    if (!wait_until([&] { return x_.bring_to_front(window_); }, 10)) {
        ADD_FAILURE() << "the window does not stay at the screen's top left";
        return false;
    }
    window_size_ = x_.size_of(window_);
    return true;
}

int GameWindow::exit_status(double seconds) {
    if (pid_ <= 0) return -1;
    int status = 0;
    if (!wait_until([&] { return waitpid(pid_, &status, WNOHANG) == pid_; }, seconds)) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
        return -1;
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void GameWindow::xdotool(const std::string& arguments) {
    const int status = std::system(("xdotool " + arguments).c_str());
    EXPECT_EQ(status, 0) << "xdotool " << arguments;
}

void GameWindow::move(int x, int y) {
    xdotool("mousemove --window " + std::to_string(window_) + ' ' + std::to_string(x) + ' ' + std::to_string(y));
    pause_ms(after_move_ms);
}

void GameWindow::click(int x, int y, int button) {
    move(x, y);
    click_here(button);
}

void GameWindow::click_here(int button) {
    xdotool("click " + std::to_string(button));
    pause_ms(after_press_ms);
}

void GameWindow::button_down(int button) {
    xdotool("mousedown " + std::to_string(button));
    pause_ms(after_press_ms);
}

void GameWindow::button_up(int button) {
    xdotool("mouseup " + std::to_string(button));
    pause_ms(after_press_ms);
}

void GameWindow::key(const std::string& name) {
    xdotool("key " + name);
    pause_ms(after_press_ms);
}

void GameWindow::key_down(const std::string& name) {
    xdotool("keydown " + name);
    pause_ms(after_move_ms);
}

void GameWindow::key_up(const std::string& name) {
    xdotool("keyup " + name);
    pause_ms(after_move_ms);
}

sf::Image GameWindow::picture(const std::string& name) {
    sf::Image shot = x_.picture_of(window_);
    // A window that is gone (the program ended or crashed) reads as black, at the size it had.
    if (shot.getSize().x == 0 || shot.getSize().y == 0) shot.create(window_size_.x, window_size_.y, sf::Color::Black);
    shot.saveToFile((pictures_ / (name + ".png")).string());
    return shot;
}

::testing::AssertionResult GameWindow::wait_for(const std::string& name, const std::string& what,
                                                const std::function<bool(const sf::Image&)>& holds, double seconds) {
    const auto until = Clock::now() + std::chrono::duration<double>(seconds);
    while (true) {
        if (holds(picture(name))) return ::testing::AssertionSuccess();
        if (Clock::now() >= until)
            return ::testing::AssertionFailure() << name << ": " << what << " not seen within " << seconds
                                                 << " s; last picture " << (pictures_ / (name + ".png")).string();
        pause_ms(200);
    }
}

::testing::AssertionResult GameWindow::wait_for_pixel(const std::string& name, int x, int y, sf::Color colour,
                                                      double seconds) {
    sf::Color seen;
    auto result = wait_for(
        name, "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") of colour " + describe(colour),
        [&](const sf::Image& shot) {
            if (unsigned(x) >= shot.getSize().x || unsigned(y) >= shot.getSize().y) return false;
            seen = shot.getPixel(unsigned(x), unsigned(y));
            return seen == colour;
        },
        seconds);
    if (!result) result << " (it is " << describe(seen) << ")";
    return result;
}

::testing::AssertionResult GameWindow::wait_for_count(const std::string& name, Box box, Tint tint, int at_least,
                                                      double seconds) {
    int seen = 0;
    auto result = wait_for(
        name,
        std::to_string(at_least) + ' ' + tint_name(tint) + " pixels in " + std::to_string(box.width) + " x " +
            std::to_string(box.height) + " at (" + std::to_string(box.x) + ", " + std::to_string(box.y) + ")",
        [&](const sf::Image& shot) { return (seen = count_in(shot, box, tint)) >= at_least; }, seconds);
    if (!result) result << " (only " << seen << ")";
    return result;
}
