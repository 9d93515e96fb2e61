// The state of one play of a map that is neither the world nor combat's: the
// inputs of the current update, the frame timer and the animation counters.
#pragma once

#include <array>
#include <cstdint>

#include "app/actions.hpp"

// What the player does during one update, however it is fed (window, replay, test).
struct UpdateInput {
    std::array<bool, action_count> held{};  // by Action
    int32_t mouse_x = 0, mouse_y = 0;       // pointer, window px
    bool f9_pressed = false;                // the frame's last event was an F9 press
    bool restart = false;                   // the pause menu's restart: a life is forfeited first
};

// How far the shoulder (where shots start) sits below player.y while ducking, px.
inline constexpr int32_t duck_offset_ducked = 15;

// Per game: reset by start_game each time a map is played.
struct GameState {
    UpdateInput input;                         // the current update's inputs
    uint32_t frame_time_sum = 0;               // ms gathered for the alternate timer
    int32_t walk_step = 0;                     // 0..79, body animation phase
    int32_t arm_step = 0;                      // 0..29, arm animation phase
    int32_t duck_offset = duck_offset_ducked;  // shoulder below player.y, px: 0 standing
    int64_t updates = 0;                       // update steps run so far
};

inline GameState game;
