// The six things the player can do, in the order the bindings file, the
// controls menu, replays and vantorel-tool list them.
#pragma once

#include <array>
#include <string_view>

enum Action : int { action_jump, action_duck, action_left, action_right, action_shoot, action_shield };
inline constexpr int action_count = 6;

// Action names as vantorel-tool and the replay format spell them.
inline constexpr std::array<std::string_view, action_count> action_names = {"jump",  "duck",  "left",
                                                                            "right", "shoot", "shield"};
