// Where the menus' hot areas and buttons lie, in window pixels (origin at the
// top-left, x right, y down). W and H are the window's width and height.
// Centring offsets are integer divisions (W/2 - 256), as the images are placed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// ---- Title menu ----
enum TitleChoice : int {
    title_none = -1,
    title_play_game = 0,
    title_custom_map = 1,
    title_controls = 2,
    title_story = 3,
    title_quit = 4,
};
inline constexpr int title_entries_top = 280;                       // y of the first entry image
inline constexpr int title_entry_pitch = 60;                        // entries are 64 high, so they overlap by 4
inline constexpr int title_panel_bottom = title_entries_top + 300;  // the red panel's first row below it
// The entry under the pointer: the five bands run from y = 291 down, 60 apart,
// between x = W/2 - 255 and W/2 + 255; the quit band ends with the red panel,
// so a click below the menu on a tall window quits nothing.
int title_choice(int px, int py, int width);
// Whether the cursor pulses on the title: inside the bands' columns and on an entry.
bool title_cursor_pulses(int px, int width, int choice);

// ---- Go-back button, drawn at the top-left corner ----
// The button's hot spot: 0 <= x <= 63 and 0 <= y <= 31, inside the window.
bool over_go_back(int px, int py);

// ---- Map selection ----
inline constexpr int map_button_width = 94;  // drawn rectangle, px
inline constexpr int map_button_height = 32;
inline constexpr int map_button_pitch_x = 96;
inline constexpr int map_button_pitch_y = 34;
inline constexpr int map_buttons_left = 20;
inline constexpr int map_buttons_top = 64;

enum class ButtonLook { unlocked, locked, hovered };
struct MapButton {
    int x = 0, y = 0;  // top-left of the rectangle
    int label = 0;     // the number shown: list index + 1
    ButtonLook look = ButtonLook::locked;
};
struct MapButtons {
    std::vector<MapButton> buttons;
    int hovered = -1;  // list index of the unlocked button under the pointer, or -1
};
// Lays out `count` buttons in rows from (20, 64); a new row starts once x
// reaches W - 95. A button is under the pointer for x < px <= x + 95 and
// y < py <= y + 31; a locked one (index > progress) never becomes hovered.
MapButtons layout_map_buttons(size_t count, int32_t progress, int width, int px, int py);

struct DigitPlace {
    int digit = 0;
    int x = 0;
};
// The 32-pixel digit glyphs of a button label, centred in the 96-pixel pitch
// from the button's x. Labels above 999 get no digits.
std::vector<DigitPlace> label_digits(int label, int x);

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    // Inside, counting the left and top edges and not the right and bottom ones.
    bool contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

// ---- Watching a map's replays: two buttons, for players who use the mouse (V and L do the same) ----
struct WatchButtons {
    Rect best;    // the map's fastest win
    Rect newest;  // its newest replay
};
inline constexpr int watch_button_width = 156;
inline constexpr int watch_button_height = 32;
// Map selection: side by side, centred, above the bottom line kept for messages,
// with the line naming the map and its best time above them.
WatchButtons map_select_watch_buttons(int width, int height);
int map_select_best_line_y(int height);

// ---- Custom maps: one wide button per file, paged when they do not fit ----
struct CustomMapLayout {
    int rows_per_page = 1;
    int pages = 1;  // at least 1, even for no maps
    Rect previous;  // page buttons, shown only with more than one page
    Rect next;
    WatchButtons watch;  // between the page buttons
    int left = 0;        // rows' x
    // The map editor's controls at the top right: a new map, and a copy of a
    // built-in map, whose five digit buttons take the two's place while choosing.
    Rect new_map;
    Rect copy_builtin;
    // The row rectangle of the slot-th button on a page.
    Rect row(int slot) const;
    // The Edit control at the right end of a row; the rest of the row plays the map.
    Rect edit(int slot) const;
    // Digit d's button (1 to 5) while a built-in map is being chosen, and the cancel button (d = 0).
    Rect builtin_digit(int d) const;
};
inline constexpr int custom_row_width = 512;
inline constexpr int custom_row_height = 32;
inline constexpr int custom_row_pitch = 34;
inline constexpr int custom_rows_top = 64;
inline constexpr int custom_footer_height = 72;  // page buttons and the message line
inline constexpr int custom_edit_width = 64;     // the Edit control inside each row
CustomMapLayout custom_map_layout(size_t count, int width, int height);
// The list index of the map button under the pointer on `page`, or -1.
int custom_map_under(const CustomMapLayout& layout, size_t count, int page, int px, int py);

// ---- Pause menu: three 256 x 64 buttons centred on (W/2, H/2), integer halves ----
// What the pause menu hands back to the game.
enum PauseChoice : int {
    pause_none = -1,    // the pointer is over no button
    pause_return = 0,   // back to the game (also Escape)
    pause_restart = 1,  // lose a life and start again from the last checkpoint
    pause_leave = 2,    // leave the map
    pause_closed = 4,   // the window was closed
};

// The button under the pointer (mx, my), or pause_none. Rows cy and cy + 64,
// between two buttons, belong to none, so a click there does nothing.
PauseChoice pause_button_at(int32_t mx, int32_t my, int32_t width, int32_t height);
// The top edge of a button's picture and highlight, px.
int32_t pause_button_top(PauseChoice button, int32_t height);
// Whether the cursor pulses: anywhere over the three buttons, gaps included.
bool over_pause_buttons(int32_t mx, int32_t my, int32_t width, int32_t height);
