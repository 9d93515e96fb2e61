#include "game/replay_file.hpp"

#include <algorithm>
#include <charconv>
#include <limits>

#include "app/text_lines.hpp"
const std::array<std::string_view, 24> replay_setting_names = {
    "resolution_width",
    "resolution_height",
    "threads",
    "power_overwhelming",
    "health_override",
    "lives_override",
    "enemy_health_override",
    "laser_speed",
    "jump_override",
    "laser_life_override",
    "global_enemies",
    "global_lasers",
    "maximum_armor",
    "pacifist",
    "i_can_fly",
    "screen_scroll_distance",
    "enemy_movement_speed",
    "enemy_rotation_speed",
    "game_speed_multiplier",
    "laser_cooldown_rate",
    "turret_laser_cooldown_rate",
    "smart_laser_cooldown_rate",
    "shield_cooldown_rate",
    "disable_duck_lag",
};

namespace {

constexpr std::string_view header_prefix = "# vantorel replay ";
constexpr size_t max_header_value = 255;  // bytes of a map name or a date
constexpr size_t sha256_digits = 64;

int32_t Settings::*setting_field(std::string_view name) {
    for (const SettingKey& key : setting_keys)
        if (key.name == name) return key.field;
    return nullptr;
}

bool is_replay_setting(std::string_view name) {
    return std::find(replay_setting_names.begin(), replay_setting_names.end(), name) != replay_setting_names.end();
}

// The text's lines, without their line breaks (LF or CR LF); no empty last line for a final break.
std::vector<std::string_view> split_lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) lines.push_back(take_line(text));
    return lines;
}

bool printable(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) >= 32 && c != 127; });
}

bool whole_number(std::string_view word, int64_t lowest, int64_t highest, int64_t& out) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), out);
    return !word.empty() && ec == std::errc{} && end == word.data() + word.size() && out >= lowest && out <= highest;
}

bool lower_hex(std::string_view s) {
    return s.size() == sha256_digits &&
           std::all_of(s.begin(), s.end(), [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); });
}

// One "# key value" line of the header into `out`; `seen` counts each key. An empty string when well formed.
std::string read_header_line(std::string_view line, ReplayHeader& out, std::vector<std::string_view>& seen) {
    if (!line.starts_with("# ")) return "a header line must start with \"# \"";
    line.remove_prefix(2);
    const size_t space = line.find(' ');
    const std::string_view key = line.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view{} : line.substr(space + 1);
    if (key == "setting") {
        const size_t gap = value.find(' ');
        const std::string_view name = value.substr(0, gap);
        int64_t number = 0;
        if (!is_replay_setting(name)) return "\"" + std::string(name.substr(0, 40)) + "\" is not a recorded setting";
        if (std::find(seen.begin(), seen.end(), name) != seen.end())
            return "the setting " + std::string(name) + " is given twice";
        if (gap == std::string_view::npos || !whole_number(value.substr(gap + 1), std::numeric_limits<int32_t>::min(),
                                                           std::numeric_limits<int32_t>::max(), number))
            return "the setting " + std::string(name) + " needs a whole number of 32 bits";
        out.settings.*setting_field(name) = static_cast<int32_t>(number);
        seen.push_back(name);
        return {};
    }
    if (key != "map" && key != "map_sha256" && key != "recorded")
        return "\"" + std::string(key.substr(0, 40)) + "\" is not a header field";
    if (std::find(seen.begin(), seen.end(), key) != seen.end())
        return "the field " + std::string(key) + " is given twice";
    seen.push_back(key);
    if (value.size() > max_header_value || !printable(value)) return "the field " + std::string(key) + " is too long";
    if (key == "map" && !plain_map_file_name(value)) return "the map must be 1 to 5 or a plain file name";
    if (key == "map_sha256" && !lower_hex(value)) return "map_sha256 must be 64 lowercase hexadecimal digits";
    (key == "map" ? out.map : key == "map_sha256" ? out.map_sha256 : out.recorded) = std::string(value);
    return {};
}

// The footer's keys in order, with how many numbers each holds (result holds a word).
struct FooterLine {
    std::string key;
    size_t words;
};

std::vector<FooterLine> footer_shape() {
    std::vector<FooterLine> shape;
    for (const std::string& line : outcome_lines(ReplayOutcome{})) {
        const size_t space = line.find(' ');
        shape.push_back(
            {line.substr(0, space),
             static_cast<size_t>(std::count(line.begin() + static_cast<std::ptrdiff_t>(space), line.end(), ' '))});
    }
    return shape;
}

std::vector<std::string_view> words_of(std::string_view s) {
    std::vector<std::string_view> words;
    while (!s.empty()) {
        const size_t space = s.find(' ');
        words.push_back(s.substr(0, space));
        s.remove_prefix(space == std::string_view::npos ? s.size() : space + 1);
    }
    return words;
}

// One outcome line against its expected key; an empty string when it fits.
std::string check_footer_line(std::string_view line, const FooterLine& want) {
    const auto words = words_of(line);
    if (words.empty() || words[0] != want.key || words.size() != want.words + 1)
        return "the outcome's line \"" + want.key + "\" is missing or malformed";
    int64_t number = 0;
    if (want.key == "result")
        return words[1] == "won" || words[1] == "game_over" || words[1] == "unfinished"
                   ? std::string{}
                   : "the result must be won, game_over or unfinished";
    for (size_t i = 1; i < words.size(); ++i)
        if (!whole_number(words[i], std::numeric_limits<int64_t>::min(), std::numeric_limits<int64_t>::max(), number))
            return "the outcome's line \"" + want.key + "\" must hold whole numbers";
    if (want.key == "updates" && !whole_number(words[1], 0, max_replay_updates, number))
        return "the outcome's updates must be a count of at most " + std::to_string(max_replay_updates);
    return {};
}

}  // namespace

bool plain_map_file_name(std::string_view name) {
    return !name.empty() && name.size() <= max_header_value && name[0] != '.' && printable(name) &&
           name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos;
}

bool parse_replay_header(std::string_view head, ReplayHeader& out, std::string& why) {
    out = ReplayHeader{};
    const auto lines = split_lines(head);
    if (lines.empty() || lines[0] != replay_header_line) {
        why = lines.empty() || !lines[0].starts_with(header_prefix)
                  ? "The file is not a recorded replay: it does not start with \"" + std::string(replay_header_line) +
                        "\"."
                  : "The replay was written in another format than this game reads (\"" +
                        std::string(lines[0].substr(0, 40)) + "\").";
        return false;
    }
    // Every field once: the header ends with its last field, or earlier at the first input line.
    constexpr size_t fields = 3 + replay_setting_names.size();
    std::vector<std::string_view> seen;
    for (size_t i = 1; i < lines.size() && lines[i].starts_with('#') && seen.size() < fields; ++i) {
        const std::string problem = read_header_line(lines[i], out, seen);
        if (!problem.empty()) {
            why = "Replay line " + std::to_string(i + 1) + ": " + problem + ".";
            return false;
        }
    }
    for (std::string_view field : {"map", "map_sha256", "recorded"})
        if (std::find(seen.begin(), seen.end(), field) == seen.end()) {
            why = "The replay's header names no " + std::string(field) + ".";
            return false;
        }
    for (std::string_view name : replay_setting_names)
        if (std::find(seen.begin(), seen.end(), name) == seen.end()) {
            why = "The replay's header does not give the setting " + std::string(name) + ".";
            return false;
        }
    why.clear();
    return true;
}

bool parse_replay_footer(std::string_view tail, std::vector<std::string>& out, std::string& why) {
    out.clear();
    const auto lines = split_lines(tail);
    const std::vector<FooterLine> shape = footer_shape();
    if (lines.empty() || lines.back() != replay_end_line || lines.size() < shape.size() + 1) {
        why = "The replay is cut short: it does not end with its outcome and \"" + std::string(replay_end_line) + "\".";
        return false;
    }
    const size_t first = lines.size() - 1 - shape.size();
    for (size_t i = 0; i < shape.size(); ++i) {
        std::string_view line = lines[first + i];
        const std::string problem =
            line.starts_with("# ") ? check_footer_line(line.substr(2), shape[i]) : "the outcome is incomplete";
        if (!problem.empty()) {
            why = "The replay's footer is malformed: " + problem + ".";
            out.clear();
            return false;
        }
        out.emplace_back(line.substr(2));
    }
    why.clear();
    return true;
}

bool parse_replay_file(std::string_view text, ReplayFile& out, std::string& why) {
    out = ReplayFile{};
    if (!text.starts_with(header_prefix)) {
        if (parse_replay(text, out.replay, why)) return true;
        out = ReplayFile{};  // nothing half read
        return false;
    }
    ReplayHeader header;
    if (!parse_replay_header(text, header, why) || !parse_replay_footer(text, out.footer, why) ||
        !parse_replay(text, out.replay, why)) {
        out = ReplayFile{};
        return false;
    }
    out.header = std::move(header);
    return true;
}

std::string replay_header_text(const ReplayHeader& header) {
    std::string text = std::string(replay_header_line) + '\n';
    text += "# map " + header.map + '\n';
    text += "# map_sha256 " + header.map_sha256 + '\n';
    text += "# recorded " + header.recorded + '\n';
    for (std::string_view name : replay_setting_names)
        text += "# setting " + std::string(name) + ' ' + std::to_string(header.settings.*setting_field(name)) + '\n';
    return text;
}

std::string replay_footer_text(const std::vector<std::string>& outcome) {
    std::string text;
    for (const std::string& line : outcome) text += "# " + line + '\n';
    return text + std::string(replay_end_line) + '\n';
}

std::string first_outcome_difference(const std::vector<std::string>& played, const std::vector<std::string>& recorded) {
    for (size_t i = 0; i < std::max(played.size(), recorded.size()); ++i) {
        const std::string p = i < played.size() ? played[i] : "nothing";
        const std::string r = i < recorded.size() ? recorded[i] : "nothing";
        if (p != r) return "Played \"" + p + "\" where the replay recorded \"" + r + "\".";
    }
    return {};
}

Settings replay_play_settings(Settings own, const Settings& recorded) {
    for (std::string_view name : replay_setting_names)
        if (name != "threads") own.*setting_field(name) = recorded.*setting_field(name);
    own.use_alternate_timer = 0;
    return own;
}
