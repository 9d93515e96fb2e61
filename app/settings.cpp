#include "app/settings.hpp"

#include <algorithm>
#include <istream>
#include <optional>
#include <sstream>
#include <string>

#include "app/file_reading.hpp"

const std::array<SettingKey, 37> setting_keys = {{
    {"resolution_width", &Settings::resolution_width},
    {"resolution_height", &Settings::resolution_height},
    {"fullscreen", &Settings::fullscreen},
    {"threads", &Settings::threads},
    {"max_framerate", &Settings::max_framerate},
    {"color_depth", &Settings::color_depth},
    {"stencil_level", &Settings::stencil_level},
    {"antialiasing_level", &Settings::antialiasing_level},
    {"power_overwhelming", &Settings::power_overwhelming},
    {"health_override", &Settings::health_override},
    {"lives_override", &Settings::lives_override},
    {"enemy_health_override", &Settings::enemy_health_override},
    {"laser_speed", &Settings::laser_speed},
    {"jump_override", &Settings::jump_override},
    {"loop_music", &Settings::loop_music},
    {"laser_life_override", &Settings::laser_life_override},
    {"disable_music", &Settings::disable_music},
    {"show_ze_creator", &Settings::show_ze_creator},
    {"confine_cursor", &Settings::confine_cursor},
    {"global_enemies", &Settings::global_enemies},
    {"global_lasers", &Settings::global_lasers},
    {"use_vsync", &Settings::use_vsync},
    {"maximum_armor", &Settings::maximum_armor},
    {"smooth_sprites", &Settings::smooth_sprites},
    {"pacifist", &Settings::pacifist},
    {"i_can_fly", &Settings::i_can_fly},
    {"use_alternate_timer", &Settings::use_alternate_timer},
    {"screen_scroll_distance", &Settings::screen_scroll_distance},
    {"enemy_movement_speed", &Settings::enemy_movement_speed},
    {"enemy_rotation_speed", &Settings::enemy_rotation_speed},
    {"game_speed_multiplier", &Settings::game_speed_multiplier},
    {"laser_cooldown_rate", &Settings::laser_cooldown_rate},
    {"turret_laser_cooldown_rate", &Settings::turret_laser_cooldown_rate},
    {"smart_laser_cooldown_rate", &Settings::smart_laser_cooldown_rate},
    {"shield_cooldown_rate", &Settings::shield_cooldown_rate},
    {"use_shader", &Settings::use_shader},
    {"disable_duck_lag", &Settings::disable_duck_lag},
}};

namespace {

// A key token that reaches this many characters without a space ends the reading.
constexpr std::size_t max_token_length = 255;

// Reads the characters up to the next space and consumes that space. False
// when the file is exhausted or the token runs to max_token_length without one.
bool read_key_token(std::istream& in, std::string& token) {
    token.clear();
    using traits = std::istream::traits_type;
    for (auto c = in.get(); !traits::eq_int_type(c, traits::eof()); c = in.get()) {
        if (traits::to_char_type(c) == ' ') return true;
        if (token.size() == max_token_length) return false;
        token.push_back(traits::to_char_type(c));
    }
    return !token.empty();
}

// Reads the entry's number into value. The one variable is shared by all
// entries, so a file ending where a number belongs leaves the previous
// entry's number in place (and nothing at all before the first number).
// A word gives 0 and a number beyond 32 bits the nearest limit; both leave
// the stream failed, which ends the reading after this entry.
void read_value(std::istream& in, std::optional<int32_t>& value) {
    in >> std::ws;
    if (!in.good()) return;
    int32_t number = 0;
    in >> number;
    value = number;
}

// Lower-cases A-Z only, so keys do not depend on the locale.
void lower_ascii(std::string& text) {
    for (char& c : text)
        if ('A' <= c && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

// The line break after a value stays unread and opens the next token, so the
// key is whatever follows the token's first line feed. Text left behind the
// previous value (a CR, a fraction) sits before that line feed and drops out.
std::string_view key_of(std::string_view token) {
    const auto line_feed = token.find('\n');
    return line_feed == std::string_view::npos ? token : token.substr(line_feed + 1);
}

// Stores value under the key that matches exactly; other keys are ignored.
void apply_entry(std::string_view key, int32_t value, Settings& out) {
    const auto match =
        std::find_if(setting_keys.begin(), setting_keys.end(), [&](const SettingKey& k) { return k.name == key; });
    if (match != setting_keys.end()) out.*(match->field) = value;
}

}  // namespace

void read_settings() { read_settings_file("config.ini", settings); }

// Entries are "key value" pairs read from the character stream, not by line;
// the first malformed value ends the reading with the entries before it kept.
void read_settings_from(std::istream& in, Settings& out) {
    std::string token;
    std::optional<int32_t> value;
    while (in.good()) {
        if (!read_key_token(in, token)) return;
        read_value(in, value);
        lower_ascii(token);
        if (value) apply_entry(key_of(token), *value, out);
    }
}

bool read_settings_file(const char* path, Settings& out, std::string* why) {
    std::string reason;
    const auto text = read_file(path, settings_file, reason);
    if (why) *why = reason;
    if (!text) return false;
    std::istringstream in(*text);
    read_settings_from(in, out);
    return true;
}

// A machine that cannot report its processors (count 0) still gets one worker.
void correct_settings(Settings& s, int processor_count) {
    if (s.threads < 1) s.threads = std::max(processor_count, 1);
    if (s.screen_scroll_distance < 1) s.screen_scroll_distance = 1;
    if (s.game_speed_multiplier < 1) s.game_speed_multiplier = 1;
}
