// Plays the real program under an X server the way a player would: start it in
// a fresh copy of the game folder, choose map 1 from the menus, walk, take
// screenshots, pause, leave the map through the pause menu, close the window,
// and require a clean exit. The
// pictures it takes are kept in the build folder for a person to look at.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <signal.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/settings.hpp"
#include "game/update.hpp"
#include "support/x_display.hpp"
#include "world/maps.hpp"
#include "world/world_state.hpp"

namespace fs = std::filesystem;

namespace {

const fs::path pictures = VANTOREL_PICTURE_DIR;

void pause_ms(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Runs an xdotool command line (the same $DISPLAY as this test).
void xdotool(const std::string& arguments) { ASSERT_EQ(std::system(("xdotool " + arguments).c_str()), 0) << arguments; }

// The program, started in `folder` with a silent sound device; killed if the test gives up on it.
class RunningGame {
public:
    explicit RunningGame(const fs::path& folder) {
        pid_ = fork();
        if (pid_ == 0) {
            if (chdir(folder.c_str()) != 0) _exit(127);
            setenv("ALSOFT_DRIVERS", "null", 1);
            execl(VANTOREL_PROGRAM, VANTOREL_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~RunningGame() {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status within `seconds`, or -1 when it has not ended (or ended by a signal).
    int exit_status(double seconds) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < until) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            pause_ms(50);
        }
        return -1;
    }

private:
    pid_t pid_ = -1;
};

fs::path fresh_game_folder() {
    const fs::path folder = pictures.parent_path() / "end-to-end-game";
    fs::remove_all(folder);
    fs::copy(VANTOREL_GAME_DIR, folder, fs::copy_options::recursive);
    return folder;
}

// Where map 1 shows the player once it has landed and stands still, window
// px, at the shipped settings: the simulation run headless for two seconds.
sf::Vector2i player_at_start() {
    settings = Settings{};
    std::string why;
    EXPECT_TRUE(start_game(map_text_for_name("1"), why)) << why;
    for (int i = 0; i < 120; ++i) update_step(UpdateInput{});
    const sf::Vector2i at(world.player.x + world.camera_x, world.player.y + world.camera_y);
    world.release_grid();
    return at;
}

// Lit pixels (any channel above 60) in the player-sized box around `at`.
int lit_around(const sf::Image& picture, sf::Vector2i at) {
    int lit = 0;
    for (int y = at.y - 32; y < at.y + 32; ++y)
        for (int x = at.x - 16; x < at.x + 16; ++x) {
            if (x < 0 || y < 0 || x >= int(picture.getSize().x) || y >= int(picture.getSize().y)) continue;
            const sf::Color c = picture.getPixel(unsigned(x), unsigned(y));
            lit += std::max({c.r, c.g, c.b}) > 60;
        }
    return lit;
}

std::vector<fs::path> screenshots_in(const fs::path& folder) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::directory_iterator(folder / "Screenshots")) found.push_back(entry.path());
    return found;
}

}  // namespace

TEST(EndToEnd, PlayPauseScreenshotLeaveAndClose) {
    XDisplay x;
    ASSERT_TRUE(x.open()) << "no X display; run under xvfb-run";
    fs::create_directories(pictures);
    const fs::path folder = fresh_game_folder();
    const sf::Vector2i start = player_at_start();
    RunningGame program(folder);

    const Window window = x.find_window("Vantorel", 15.0);
    ASSERT_NE(window, 0u) << "no window titled Vantorel";
    EXPECT_EQ(x.size_of(window), sf::Vector2u(800, 600));
    const std::string id = std::to_string(window);
    // The title menu's Play Game, then map 1 on map selection.
    pause_ms(1000);
    for (const char* at : {" 400 300", " 60 80"}) {
        xdotool("mousemove --window " + id + at);
        pause_ms(300);
        xdotool("click 1");
        pause_ms(800);
    }
    pause_ms(1500);  // the first frames are drawn and the player has landed
    xdotool("mousemove --window " + id + " 600 300");
    pause_ms(300);
    const sf::Image before = x.picture_of(window);
    before.saveToFile((pictures / "game-start.png").string());
    EXPECT_GT(lit_around(before, start), 40) << "the player is not drawn where map 1 starts";

    // Walk right for two seconds: the player leaves the spot it started on.
    xdotool("keydown d");
    pause_ms(2000);
    xdotool("keyup d");
    pause_ms(300);
    const sf::Image walked = x.picture_of(window);
    walked.saveToFile((pictures / "game.png").string());
    EXPECT_LT(lit_around(walked, start), lit_around(before, start) / 3) << "the player did not move";

    // Two screenshots in quick succession are two files of the window's size.
    xdotool("key F12");
    pause_ms(150);
    xdotool("key F12");
    pause_ms(800);
    const std::vector<fs::path> shots = screenshots_in(folder);
    ASSERT_EQ(shots.size(), 2u);
    const std::regex name(
        R"(1 [A-Z][a-z]{2} [A-Z][a-z]{2} [ 1-3][0-9] [0-2][0-9];[0-5][0-9];[0-6][0-9] [0-9]{4}( 2)?\.png)");
    for (const fs::path& shot : shots) {
        EXPECT_TRUE(std::regex_match(shot.filename().string(), name)) << shot.filename();
        sf::Image saved;
        ASSERT_TRUE(saved.loadFromFile(shot.string())) << shot;
        EXPECT_EQ(saved.getSize(), sf::Vector2u(800, 600));
    }

    // Pause, then leave the map through the menu's exit button (back to map selection).
    xdotool("key Escape");
    pause_ms(800);
    xdotool("mousemove --window " + id + " 400 300");  // over the return button's lower edge
    pause_ms(400);
    const sf::Image paused = x.picture_of(window);
    paused.saveToFile((pictures / "pause.png").string());
    const sf::Color menu_box = paused.getPixel(300, 340);  // the restart row, not hovered: red panel behind the picture
    EXPECT_GT(int(menu_box.r), int(menu_box.b)) << "no pause menu";
    xdotool("mousemove --window " + id + " 400 396");
    pause_ms(300);
    const sf::Image over_exit = x.picture_of(window);
    over_exit.saveToFile((pictures / "pause-over-exit.png").string());
    const sf::Color highlight = over_exit.getPixel(300, 420);  // the exit row, lit cyan under the pointer
    EXPECT_GT(int(highlight.b), int(highlight.r)) << "the exit button is not highlighted";
    xdotool("click 1");
    pause_ms(1500);
    x.picture_of(window).saveToFile((pictures / "after-leaving.png").string());

    // The close button ends the program cleanly and soon.
    x.request_close(window);
    EXPECT_EQ(program.exit_status(5.0), 0);
}
