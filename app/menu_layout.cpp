#include "app/menu_layout.hpp"

#include <algorithm>

int title_choice(int px, int py, int width) {
    const int centre = width / 2;
    if (px < centre - 255 || px > centre + 255 || py < 291 || py >= title_panel_bottom) return title_none;
    if (py <= 340) return title_play_game;
    if (py <= 400) return title_custom_map;
    if (py <= 460) return title_controls;
    if (py <= 520) return title_story;
    return title_quit;
}

bool title_cursor_pulses(int px, int width, int choice) {
    const int centre = width / 2;
    return px >= centre - 255 && px <= centre + 255 && choice != title_none;
}

bool over_go_back(int px, int py) { return px >= 0 && py >= 0 && px <= 63 && py <= 31; }

MapButtons layout_map_buttons(size_t count, int32_t progress, int width, int px, int py) {
    MapButtons out;
    out.buttons.reserve(count);
    int x = map_buttons_left;
    int y = map_buttons_top;
    for (size_t i = 0; i < count; ++i) {
        const bool unlocked = static_cast<int64_t>(i) <= progress;
        const bool under = x < px && px <= x + 95 && y < py && py <= y + 31;
        MapButton button{x, y, static_cast<int>(i) + 1, unlocked ? ButtonLook::unlocked : ButtonLook::locked};
        if (under && unlocked) {
            button.look = ButtonLook::hovered;
            out.hovered = static_cast<int>(i);
        }
        out.buttons.push_back(button);
        x += map_button_pitch_x;
        if (x >= width - 95 && i + 1 < count) {
            y += map_button_pitch_y;
            x = map_buttons_left;
        }
    }
    return out;
}

std::vector<DigitPlace> label_digits(int label, int x) {
    if (label >= 1 && label <= 9) return {{label, x + 32}};
    if (label >= 10 && label <= 99) return {{label / 10, x + 16}, {label % 10, x + 48}};
    if (label >= 100 && label <= 999) return {{label / 100, x}, {label / 10 % 10, x + 32}, {label % 10, x + 64}};
    return {};
}

WatchButtons map_select_watch_buttons(int width, int height) {
    const int y = height - 76;
    return {{width / 2 - watch_button_width - 8, y, watch_button_width, watch_button_height},
            {width / 2 + 8, y, watch_button_width, watch_button_height}};
}

int map_select_best_line_y(int height) { return height - 110; }

Rect CustomMapLayout::row(int slot) const {
    return {left, custom_rows_top + slot * custom_row_pitch, custom_row_width, custom_row_height};
}

Rect CustomMapLayout::edit(int slot) const {
    const Rect r = row(slot);
    return {r.x + r.w - custom_edit_width, r.y, custom_edit_width, r.h};
}

Rect CustomMapLayout::builtin_digit(int d) const {
    const int pitch = (copy_builtin.x + copy_builtin.w - new_map.x) / 7;  // five digits and a double-width cancel
    if (d == 0) return {new_map.x + 5 * pitch, new_map.y, 2 * pitch - 4, new_map.h};
    return {new_map.x + (d - 1) * pitch, new_map.y, pitch - 4, new_map.h};
}

CustomMapLayout custom_map_layout(size_t count, int width, int height) {
    CustomMapLayout layout;
    // Right of the centred title, which is about 250 px wide.
    const int controls_left = width / 2 + 132, button_w = std::max(40, (width - 8 - controls_left - 6) / 2);
    layout.new_map = {controls_left, 14, button_w, 30};
    layout.copy_builtin = {controls_left + button_w + 6, 14, button_w, 30};
    layout.left = width / 2 - 256;
    layout.rows_per_page = std::max(1, (height - custom_rows_top - custom_footer_height) / custom_row_pitch);
    const size_t per_page = static_cast<size_t>(layout.rows_per_page);
    layout.pages = static_cast<int>(std::max<size_t>(1, (count + per_page - 1) / per_page));
    const int buttons_y = height - custom_footer_height + 4;
    layout.previous = {layout.left, buttons_y, 94, 32};
    layout.next = {layout.left + custom_row_width - 94, buttons_y, 94, 32};
    const int middle = layout.left + custom_row_width / 2;
    layout.watch = {{middle - watch_button_width - 4, buttons_y, watch_button_width, watch_button_height},
                    {middle + 4, buttons_y, watch_button_width, watch_button_height}};
    return layout;
}

int custom_map_under(const CustomMapLayout& layout, size_t count, int page, int px, int py) {
    if (page < 0 || page >= layout.pages) return -1;
    for (int slot = 0; slot < layout.rows_per_page; ++slot) {
        const size_t index = static_cast<size_t>(page) * static_cast<size_t>(layout.rows_per_page) + slot;
        if (index >= count) break;
        if (layout.row(slot).contains(px, py)) return static_cast<int>(index);
    }
    return -1;
}

namespace {

constexpr int32_t pause_half_button = 127;  // px either side of cx that count as inside
constexpr int32_t pause_button_height = 64;

bool inside_pause_columns(int32_t mx, int32_t width) {
    const int32_t cx = width / 2;
    return mx >= cx - pause_half_button && mx <= cx + pause_half_button;
}

}  // namespace

PauseChoice pause_button_at(int32_t mx, int32_t my, int32_t width, int32_t height) {
    if (!inside_pause_columns(mx, width)) return pause_none;
    const int32_t cy = height / 2;
    if (my >= cy - 63 && my < cy) return pause_return;
    if (my > cy && my <= cy + 63) return pause_restart;
    if (my > cy + 64 && my <= cy + 127) return pause_leave;
    return pause_none;
}

int32_t pause_button_top(PauseChoice button, int32_t height) {
    const int32_t cy = height / 2;
    switch (button) {
        case pause_return: return cy - pause_button_height;
        case pause_restart: return cy;
        case pause_leave: return cy + pause_button_height;
        default: return cy - 3 * pause_button_height;  // the "paused" title
    }
}

bool over_pause_buttons(int32_t mx, int32_t my, int32_t width, int32_t height) {
    const int32_t cy = height / 2;
    return inside_pause_columns(mx, width) && my >= cy - 63 && my <= cy + 127;
}
