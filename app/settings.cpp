// Stand-in for the settings reader, which is being written on its own branch:
// just enough (plain "key value" lines) for the replay player and its tests.
// When the real reader is merged, its version of this file replaces this one.
#include "app/settings.hpp"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <istream>
#include <string>

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

void read_settings() { read_settings_file("config.ini", settings); }

void read_settings_from(std::istream& in, Settings& out) {
    std::string key;
    int32_t value = 0;
    while (in >> key >> value) {
        std::transform(key.begin(), key.end(), key.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        for (const SettingKey& k : setting_keys)
            if (k.name == key) out.*k.field = value;
    }
}

bool read_settings_file(const char* path, Settings& out) {
    std::ifstream in(path);
    if (!in) return false;
    read_settings_from(in, out);
    return true;
}

void correct_settings(Settings& s, int processor_count) {
    if (s.threads < 1) s.threads = std::max(processor_count, 1);
    if (s.screen_scroll_distance < 1) s.screen_scroll_distance = 1;
    if (s.game_speed_multiplier < 1) s.game_speed_multiplier = 1;
}
