#include "app/menu_layout.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/map_list.hpp"

namespace {

constexpr int W = 800;
constexpr int H = 600;

}  // namespace

TEST(TitleMenu, HitBandsAndTheirEdges) {
    struct Case {
        int px, py, choice;
    };
    const int left = W / 2 - 256, right = W / 2 + 256;
    const Case cases[] = {
        {left, 300, title_none},
        {right, 300, title_none},  // the entries' outer columns miss
        {left + 1, 300, title_play_game},
        {right - 1, 300, title_play_game},
        {400, 290, title_none},
        {400, 291, title_play_game},
        {400, 340, title_play_game},
        {400, 341, title_custom_map},
        {400, 400, title_custom_map},
        {400, 401, title_controls},
        {400, 460, title_controls},
        {400, 461, title_story},
        {400, 520, title_story},
        {400, 521, title_quit},
        {400, 579, title_quit},  // the red panel's last row
        {400, 580, title_none},  // below the menu: a tall window's stray click quits nothing
        {400, 100000, title_none},
        {-5, 400, title_none},
        {400, -5, title_none},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(title_choice(c.px, c.py, W), c.choice) << c.px << "," << c.py;
        EXPECT_EQ(title_cursor_pulses(c.px, W, c.choice), c.choice != title_none) << c.px << "," << c.py;
    }
    // An odd width centres by truncating division: 801 / 2 = 400.
    EXPECT_EQ(title_choice(400 - 255, 300, 801), title_play_game);
    EXPECT_EQ(title_choice(400 - 256, 300, 801), title_none);
}

TEST(GoBack, HotSpotIsTheTopLeftButton) {
    EXPECT_TRUE(over_go_back(0, 0));
    EXPECT_TRUE(over_go_back(63, 31));
    EXPECT_FALSE(over_go_back(64, 31));
    EXPECT_FALSE(over_go_back(63, 32));
    EXPECT_FALSE(over_go_back(-1, 10));  // the title bar and other windows lie outside the window
    EXPECT_FALSE(over_go_back(10, -1));
}

TEST(MapButtons, LayoutColoursAndHoverEdges) {
    // Five maps, progress 2: buttons 1 to 3 unlocked, in one row from x = 20.
    auto layout = layout_map_buttons(5, 2, W, -1, -1);
    ASSERT_EQ(layout.buttons.size(), 5u);
    EXPECT_EQ(layout.hovered, -1);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(layout.buttons[i].x, 20 + 96 * i);
        EXPECT_EQ(layout.buttons[i].y, 64);
        EXPECT_EQ(layout.buttons[i].label, i + 1);
        EXPECT_EQ(layout.buttons[i].look, i <= 2 ? ButtonLook::unlocked : ButtonLook::locked);
    }
    // Button 2 spans x = 117 .. 211, y = 65 .. 95 as the pointer counts it; x = 212,
    // button 3's own left edge, is on neither.
    struct Case {
        int px, py, hovered;
    };
    const Case cases[] = {{116, 80, -1}, {117, 80, 1}, {211, 80, 1}, {212, 80, -1}, {213, 80, 2},
                          {150, 64, -1}, {150, 65, 1}, {150, 95, 1}, {150, 96, -1}};
    for (const auto& c : cases) {
        layout = layout_map_buttons(5, 2, W, c.px, c.py);
        EXPECT_EQ(layout.hovered, c.hovered) << c.px << "," << c.py;
        if (c.hovered >= 0) {
            EXPECT_EQ(layout.buttons[c.hovered].look, ButtonLook::hovered);
        }
    }
    // A locked button under the pointer stays grey and is never hovered.
    layout = layout_map_buttons(5, 2, W, 20 + 96 * 3 + 10, 80);
    EXPECT_EQ(layout.hovered, -1);
    EXPECT_EQ(layout.buttons[3].look, ButtonLook::locked);
    // No save (0): button 1 alone; -1: none at all.
    layout = layout_map_buttons(5, 0, W, -1, -1);
    EXPECT_EQ(layout.buttons[0].look, ButtonLook::unlocked);
    EXPECT_EQ(layout.buttons[1].look, ButtonLook::locked);
    layout = layout_map_buttons(5, -1, W, 40, 80);
    EXPECT_EQ(layout.buttons[0].look, ButtonLook::locked);
    EXPECT_EQ(layout.hovered, -1);
    EXPECT_TRUE(layout_map_buttons(0, 4, W, 40, 80).buttons.empty());
}

TEST(MapButtons, RowsWrapAtTheWindowsRightEdge) {
    // At 800 px a row holds 8 (x = 20 .. 692); the ninth starts the next row.
    const auto layout = layout_map_buttons(17, 100, W, -1, -1);
    EXPECT_EQ(layout.buttons[7].x, 692);
    EXPECT_EQ(layout.buttons[7].y, 64);
    EXPECT_EQ(layout.buttons[8].x, 20);
    EXPECT_EQ(layout.buttons[8].y, 98);
    EXPECT_EQ(layout.buttons[16].y, 132);
}

TEST(MapButtons, LabelsCentreOneToThreeDigits) {
    auto places = [](int label) {
        std::string out;
        for (const auto& p : label_digits(label, 100)) out += std::to_string(p.digit) + "@" + std::to_string(p.x) + " ";
        return out;
    };
    EXPECT_EQ(places(7), "7@132 ");
    EXPECT_EQ(places(42), "4@116 2@148 ");
    EXPECT_EQ(places(305), "3@100 0@132 5@164 ");
    EXPECT_EQ(places(1000), "");
}

TEST(MapList, SplitsAtLineFeeds) {
    using Names = std::vector<std::string>;
    EXPECT_EQ(split_map_list("1\n2\n3\n4\n5\n"), (Names{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(split_map_list("1\n2"), (Names{"1"}));  // the last line has no line feed
    EXPECT_EQ(split_map_list("a\n\nb\n"), (Names{"a", "", "b"}));
    EXPECT_EQ(split_map_list(""), Names{});
    const std::string longest(1023, 'x');
    EXPECT_EQ(split_map_list("1\n" + longest + "\n2\n"), (Names{"1", longest, "2"}));
    EXPECT_EQ(split_map_list("1\n" + std::string(1024, 'x') + "\n2\n"), (Names{"1"}));
}

TEST(CustomMapScreen, RowsPageAndHover) {
    const auto layout = custom_map_layout(30, W, H);
    EXPECT_EQ(layout.rows_per_page, 13);  // (600 - 64 - 72) / 34
    EXPECT_EQ(layout.pages, 3);
    EXPECT_EQ(layout.row(0).x, 144);
    EXPECT_EQ(custom_map_under(layout, 30, 0, 144, 64), 0);
    EXPECT_EQ(custom_map_under(layout, 30, 0, 143, 64), -1);
    EXPECT_EQ(custom_map_under(layout, 30, 0, 144 + 511, 64 + 31), 0);
    EXPECT_EQ(custom_map_under(layout, 30, 0, 144 + 512, 64), -1);
    EXPECT_EQ(custom_map_under(layout, 30, 0, 144, 64 + 32), -1);  // the gap between rows
    EXPECT_EQ(custom_map_under(layout, 30, 1, 144, 64 + 34), 14);
    EXPECT_EQ(custom_map_under(layout, 30, 2, 144, 64 + 4 * 34), -1);  // past the last map
    EXPECT_EQ(custom_map_under(layout, 30, 3, 144, 64), -1);
    EXPECT_EQ(custom_map_layout(0, W, H).pages, 1);
    EXPECT_EQ(custom_map_layout(5, W, 100).rows_per_page, 1);  // a tiny window still shows one
    EXPECT_LT(layout.row(layout.rows_per_page - 1).y + 32, layout.previous.y);
}
