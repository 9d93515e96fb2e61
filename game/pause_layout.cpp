#include "game/pause_layout.hpp"

namespace {

constexpr int32_t half_button = 127;  // px either side of cx that count as inside
constexpr int32_t button_height = 64;

bool inside_columns(int32_t mx, int32_t width) {
    const int32_t cx = width / 2;
    return mx >= cx - half_button && mx <= cx + half_button;
}

}  // namespace

PauseChoice pause_button_at(int32_t mx, int32_t my, int32_t width, int32_t height) {
    if (!inside_columns(mx, width)) return pause_none;
    const int32_t cy = height / 2;
    if (my >= cy - 63 && my < cy) return pause_return;
    if (my > cy && my <= cy + 63) return pause_restart;
    if (my > cy + 64 && my <= cy + 127) return pause_leave;
    return pause_none;
}

int32_t pause_button_top(PauseChoice button, int32_t height) {
    const int32_t cy = height / 2;
    switch (button) {
        case pause_return: return cy - button_height;
        case pause_restart: return cy;
        case pause_leave: return cy + button_height;
        default: return cy - 3 * button_height;  // the "paused" title
    }
}

bool over_pause_buttons(int32_t mx, int32_t my, int32_t width, int32_t height) {
    const int32_t cy = height / 2;
    return inside_columns(mx, width) && my >= cy - 63 && my <= cy + 127;
}
