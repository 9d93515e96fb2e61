// The player's settings: 37 integers read once from config.ini at start-up.
#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

// One field per config.ini key, named exactly like the key, in the order the
// shipped config.ini lists them. Switches are plain integers: anything but 0 is on.
struct Settings {
    int32_t resolution_width = 800;   // window width, px
    int32_t resolution_height = 600;  // window height, px
    int32_t fullscreen = 0;
    int32_t threads = 0;         // workers per phase; < 1: processor count
    int32_t max_framerate = 60;  // frames per second
    int32_t color_depth = 24;    // depth-buffer bits
    int32_t stencil_level = 0;   // stencil bits
    int32_t antialiasing_level = 0;
    int32_t power_overwhelming = 0;       // shots ignore the cooldown
    int32_t health_override = 300;        // player health at start and respawn
    int32_t lives_override = 2;           // spare lives at map start
    int32_t enemy_health_override = 200;  // every enemy's health at map start
    int32_t laser_speed = 6;              // px (sub-steps) per update
    int32_t jump_override = 30;           // updates of upward push per jump
    int32_t loop_music = 0;
    int32_t laser_life_override = 1000;  // sub-steps a particle lives
    int32_t disable_music = 0;
    int32_t show_ze_creator = 0;
    int32_t confine_cursor = 1;
    int32_t global_enemies = 0;  // enemy kinds <= this act off screen
    int32_t global_lasers = 1;   // 0: off-screen particles freeze
    int32_t use_vsync = 0;
    int32_t maximum_armor = 0;  // start every map powered
    int32_t smooth_sprites = 0;
    int32_t pacifist = 0;  // the player cannot shoot
    int32_t i_can_fly = 0;
    int32_t use_alternate_timer = 0;
    int32_t screen_scroll_distance = 4;  // camera dead-zone divisor
    int32_t enemy_movement_speed = 4;    // px per update
    int32_t enemy_rotation_speed = 3;    // degrees per update
    int32_t game_speed_multiplier = 1;   // updates per drawn frame
    int32_t laser_cooldown_rate = 20;    // updates between player shots
    int32_t turret_laser_cooldown_rate = 180;
    int32_t smart_laser_cooldown_rate = 60;
    int32_t shield_cooldown_rate = 120;  // updates before the shield rises again
    int32_t use_shader = 1;
    int32_t disable_duck_lag = 0;
};

// A config.ini key and the field it sets.
struct SettingKey {
    std::string_view name;
    int32_t Settings::*field;
};

// All 37 keys in file order (the order vantorel-tool prints them in).
extern const std::array<SettingKey, 37> setting_keys;

// Program-wide: read once at start-up, then only the three start-up
// corrections (threads, screen_scroll_distance, game_speed_multiplier) change it.
inline Settings settings;

// Reads config.ini from the working directory into `settings`. Silent on failure.
void read_settings();
// Applies the entries of a settings stream to `out`, as read_settings does.
void read_settings_from(std::istream& in, Settings& out);
// Reads a settings file into `out`; false, `out` untouched and `why` (if given)
// saying why, when the file reader refuses it.
bool read_settings_file(const char* path, Settings& out, std::string* why = nullptr);
// The corrections the entry procedure makes after reading (processor_count for threads < 1).
void correct_settings(Settings& s, int processor_count);
