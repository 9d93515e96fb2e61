// The numbers a map text uses for segment types, switch colours, enemy kinds
// and pickup kinds. The records keep the number as read: a map may hold any
// other value, which each rule treats as it says (a segment of another type
// erases, a pickup of another kind is taken with no effect).
#pragma once

#include <cstdint>

enum SegmentType : int32_t {
    segment_wall = 1,         // white, stops everything
    segment_mirror = 2,       // cyan, reflects lasers, stops bodies
    segment_red_gate = 3,     // stops lasers and bodies while red is on
    segment_green_gate = 4,   // stops lasers while green is on
    segment_blue_mirror = 5,  // a mirror while blue is on
};

enum SwitchColour : int32_t { no_colour = 0, switch_red = 1, switch_green = 2, switch_blue = 3 };

enum EnemyKind : int32_t { enemy_basic = 1, enemy_smart = 2, enemy_turret = 3 };

enum PickupKind : int32_t { pickup_medkit = 1, pickup_extra_life = 2, pickup_power_up = 3 };
