// vantorel-tool: inspects the game's files and maps without starting the game.
// Results go to standard output one item per line; a failure is one sentence
// on standard error with exit status 1, a wrong command line status 2.

#include <cctype>
#include <charconv>
#include <cstdint>
#include <functional>
#include <iostream>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <CLI/CLI.hpp>

#include "tools/config_report.hpp"
#include "tools/map_render.hpp"
#include "tools/map_report.hpp"
#include "tools/play.hpp"
#include "tools/tool_input.hpp"
#include "world/maps.hpp"

namespace {

constexpr int status_failed = 1;
constexpr int status_usage = 2;

// The subcommand chosen on the command line; returns the exit status.
using Command = std::function<int()>;

const char* const map_help = "1 to 5 for a built-in map, or the path of a map text file (./1 for a file named 1)";

// Whole decimal integer, or a usage error naming the argument. Numbers beyond
// 64 bits are still positions, just far outside any map.
int64_t parse_coordinate(const std::string& text) {
    int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || stop != end || (error != std::errc() && error != std::errc::result_out_of_range))
        throw UsageError("Cell coordinate " + quoted_path(text) + " is not a whole number.");
    if (error == std::errc::result_out_of_range) return text[0] == '-' ? INT64_MIN : INT64_MAX;
    return value;
}

// X Y pairs from the command line; an odd count is a usage error.
std::vector<std::pair<int64_t, int64_t>> coordinate_pairs(const std::vector<std::string>& words) {
    if (words.size() % 2 != 0) throw UsageError("Cell coordinates come in X Y pairs, but an odd number was given.");
    std::vector<std::pair<int64_t, int64_t>> cells;
    for (size_t i = 0; i < words.size(); i += 2)
        cells.emplace_back(parse_coordinate(words[i]), parse_coordinate(words[i + 1]));
    return cells;
}

// Whether a picture name ends in .png, in any letter case (the encoder picks the format by it).
bool ends_with_png(const std::string& path) {
    if (path.size() < 4) return false;
    std::string tail = path.substr(path.size() - 4);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".png";
}

// Everything the command line can give; CLI11 fills it while parsing.
struct Arguments {
    std::string settings_file = "config.ini";
    std::string bindings_file = "controls.cfg";
    int map_number = 0;
    std::string map;
    std::vector<std::string> coordinates;
    std::string picture;
    int scale = 1;
    std::vector<std::string> routes;  // replay files drawn over a rendered map
    PlayOptions play;
    std::vector<std::string> play_files;  // [MAP] REPLAY
};

// SCALE: a whole factor of 1 or more.
const CLI::Validator whole_factor(
    [](std::string& text) {
        int value = 0;
        const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (error != std::errc() || stop != text.data() + text.size() || value < 1)
            return std::string("must be a whole number of 1 or more");
        return std::string();
    },
    "INT>=1");

// Each add_*_command registers one subcommand; its callback, run when the
// subcommand is parsed, sets `command` to the work to do afterwards.

void add_settings_command(CLI::App& app, Arguments& args, Command& command) {
    CLI::App* sub = app.add_subcommand("settings", "Print the 37 settings of a settings file as the game reads them");
    sub->add_option("FILE", args.settings_file, "settings file")->capture_default_str();
    sub->callback([&] {
        command = [&] {
            print_settings(args.settings_file, std::cout);
            return 0;
        };
    });
}

void add_bindings_command(CLI::App& app, Arguments& args, Command& command) {
    CLI::App* sub = app.add_subcommand("bindings", "Print the six action bindings of a bindings file");
    sub->add_option("FILE", args.bindings_file, "bindings file")->capture_default_str();
    sub->callback([&] {
        command = [&] {
            print_bindings(args.bindings_file, std::cout);
            return 0;
        };
    });
}

void add_map_text_command(CLI::App& map, Arguments& args, Command& command) {
    CLI::App* sub =
        map.add_subcommand("text", "Print a built-in map's text as the game loads it: one line, no line break added");
    sub->add_option("N", args.map_number, "built-in map number")->required()->check(CLI::Range(1, builtin_map_count));
    sub->callback([&] {
        command = [&] {
            const char* text = builtin_map_text(args.map_number);
            if (text == nullptr)
                throw ToolError("Built-in map " + std::to_string(args.map_number) + " is not made yet.");
            std::cout << text;
            return 0;
        };
    });
}

void add_map_info_command(CLI::App& map, Arguments& args, Command& command) {
    CLI::App* sub = map.add_subcommand("info", "Load a map and print its size, positions and object counts");
    sub->add_option("MAP", args.map, map_help)->required();
    sub->callback([&] {
        command = [&] {
            const size_t length = load_map_argument(args.map);
            print_map_info(length, std::cout);
            return 0;
        };
    });
}

void add_map_cells_command(CLI::App& map, Arguments& args, Command& command) {
    CLI::App* sub = map.add_subcommand("cells", "Load a map and print the wall code of each cell X Y (pixels)");
    sub->add_option("MAP", args.map, map_help)->required();
    sub->add_option("XY", args.coordinates, "column and row pairs")->required();
    sub->callback([&] {
        command = [&] {
            const auto cells = coordinate_pairs(args.coordinates);
            load_map_argument(args.map);
            print_cells(cells, std::cout);
            return 0;
        };
    });
}

void add_map_render_command(CLI::App& map, Arguments& args, Command& command) {
    CLI::App* sub = map.add_subcommand("render", "Load a map and draw it into a PNG picture");
    sub->add_option("MAP", args.map, map_help)->required();
    sub->add_option("OUT", args.picture, "picture to write, ending in .png")->required();
    sub->add_option("SCALE", args.scale, "draw at 1/SCALE of the map's size")
        ->check(whole_factor)
        ->capture_default_str();
    sub->add_option("--route", args.routes, "replay file whose path is drawn over the map (may be repeated)")
        ->expected(1)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    sub->callback([&] {
        command = [&] {
            if (!ends_with_png(args.picture)) throw UsageError("The picture's file name must end in .png.");
            std::vector<RoutePath> routes;
            for (const std::string& replay : args.routes) routes.push_back(trace_route(args.map, replay));
            load_map_argument(args.map);
            render_map(args.picture, args.scale, routes);
            return 0;
        };
    });
}

void add_play_command(CLI::App& app, Arguments& args, Command& command) {
    CLI::App* sub = app.add_subcommand(
        "play", "Play a replay without a window and print the outcome: on MAP, or on the map its header names");
    sub->add_option("[MAP] REPLAY", args.play_files,
                    "a recorded replay alone, or MAP (1 to 5, or a map text file) and a replay file")
        ->required()
        ->expected(1, 2);
    sub->add_option("--config", args.play.config, "with MAP: settings file (default: the built-in settings)");
    sub->add_option("--map", args.play.map_file, "without MAP: the custom map file the replay's header names");
    sub->add_option("--threads", args.play.threads, "worker threads (default: the settings' value)")
        ->check(CLI::Range(0, 1024));
    sub->add_flag("--check", args.play.check,
                  "exit with status 1 and the first differing line when the outcome differs from the recorded one");
    CLI::Option* trace = sub->add_flag("--trace", args.play.trace, "print one line per update");
    sub->add_option("--near", args.play.near, "with --trace: also list the enemies within this many px of the player")
        ->check(CLI::Range(0, 100000))
        ->needs(trace);
    sub->callback([&] {
        args.play.map = args.play_files.size() == 2 ? args.play_files[0] : std::string();
        args.play.replay = args.play_files.back();
        command = [&] { return run_play(args.play, std::cout, std::cerr); };
    });
}

// The first word the parse left unused, looking into the chosen subcommands too.
std::string first_leftover(const CLI::App& app) {
    if (!app.remaining().empty()) return app.remaining().front();
    for (const CLI::App* sub : app.get_subcommands()) {
        std::string word = first_leftover(*sub);
        if (!word.empty()) return word;
    }
    return {};
}

// A parse error as one line: CLI11's message made into a sentence with a pointer to the help.
int report_usage(const CLI::App& app, const CLI::Error& e) {
    std::string message = e.what();
    const std::string leftover = first_leftover(app);
    if (dynamic_cast<const CLI::RequiredError*>(&e) != nullptr && !leftover.empty())
        message = quoted_path(leftover) + " is not a subcommand";
    // Arguments may hold line breaks; the message must stay on one line.
    for (char& c : message)
        if (static_cast<unsigned char>(c) < 32) c = ' ';
    std::cerr << message << " (see vantorel-tool --help).\n";
    return status_usage;
}

// Runs the chosen command, turning its failures into one line on stderr and the exit status.
int run_command(const Command& command) {
    try {
        return command();
    } catch (const UsageError& e) {
        std::cerr << e.what() << '\n';
        return status_usage;
    } catch (const ToolError& e) {
        std::cerr << e.what() << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << "There is not enough memory to do this.\n";
    } catch (const std::exception& e) {
        std::cerr << "Unexpected failure: " << e.what() << '\n';
    }
    return status_failed;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Inspects Vantorel's settings, bindings and maps without starting the game.", "vantorel-tool"};
    app.require_subcommand(1);
    app.footer("Map files may hold at most " + std::to_string(max_map_file_bytes >> 20) +
               " MiB, settings and bindings files " + std::to_string(max_config_file_bytes >> 20) +
               " MiB; files with NUL bytes are refused.");
    Arguments args;
    Command command;
    add_settings_command(app, args, command);
    add_bindings_command(app, args, command);
    CLI::App* map = app.add_subcommand("map", "Print, inspect or draw a map");
    map->require_subcommand(1);
    add_map_text_command(*map, args, command);
    add_map_info_command(*map, args, command);
    add_map_cells_command(*map, args, command);
    add_map_render_command(*map, args, command);
    add_play_command(app, args, command);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (e.get_exit_code() == 0) return app.exit(e);  // --help
        return report_usage(app, e);
    }
    int status = command ? run_command(command) : status_usage;
    // Output that could not be written must not pass for success (a full disk, a closed pipe).
    std::cout.flush();
    if (!std::cout && status == 0) {
        std::cerr << "The results could not be written to standard output.\n";
        status = status_failed;
    }
    return status;
}
