// Each menu screen's answer to built window events, without a window: one
// table per screen of which event, at which pointer, gives which choice.
#include <optional>
#include <string>
#include <vector>

#include <SFML/Window/Event.hpp>
#include <gtest/gtest.h>

#include "app/bindings.hpp"
#include "app/menu_input.hpp"
#include "app/menu_layout.hpp"
#include "app/menu_logic.hpp"
#include "app/utf8_text.hpp"
#include "game/map_editor.hpp"
#include "game/replay_watch.hpp"
#include "support/built_events.hpp"

namespace {

const sf::Vector2i layout(800, 600);

FrameInput at(sf::Vector2i p, bool held = false) { return {p, held, 16}; }

TEST(ScreenEvents, TitleChoosesTheEntryUnderThePointerOfTheLastDrawnFrame) {
    struct Case {
        sf::Vector2i drawn_at;  // the pointer when the frame was drawn
        sf::Event event;
        bool done;
        int choice;
    };
    const std::vector<Case> cases = {
        {{400, 300}, click(), true, title_play_game},
        {{400, 370}, click(), true, title_custom_map},
        {{400, 430}, click(), true, title_controls},
        {{400, 490}, click(), true, title_story},
        {{400, 560}, click(), true, title_quit},
        {{50, 300}, click(), true, title_none},        // beside the entries: back to the title
        {{400, 300}, click(), true, title_play_game},  // the frame's entry, not the pointer's now
        {{400, 300}, click(sf::Mouse::Right), false, title_none},
        {{400, 300}, key(sf::Keyboard::Escape), false, title_none},
        {{400, 300}, key(sf::Keyboard::Return), false, title_none},
        {{400, 300}, moved(), false, title_none},
    };
    for (const Case& c : cases) {
        TitleMenu title(layout.x);
        title.update(c.drawn_at);
        title.handle(c.event);
        EXPECT_EQ(title.done(), c.done) << c.drawn_at.y;
        EXPECT_EQ(title.choice(), c.choice) << c.drawn_at.y;
    }
    TitleMenu never_drawn(layout.x);  // a click before the first frame chooses nothing
    never_drawn.handle(click());
    EXPECT_EQ(never_drawn.choice(), title_none);
}

TEST(ScreenEvents, MapSelectionPlaysUnlockedMapsAndRaisesTheProgressOnAWinOfTheNewest) {
    // Buttons sit at x = 20 + 96 i, y = 64; maps 1 and 2 are unlocked at progress 1.
    struct Case {
        sf::Vector2i pointer;
        sf::Event event;
        bool won;                      // how a game started here ends
        int played;                    // the list index asked to play, or -1 for none
        std::optional<int32_t> saved;  // the progress to save afterwards
        bool done;
    };
    const std::vector<Case> cases = {
        {{60, 80}, click(), true, 0, std::nullopt, false},  // an older map won: no change
        {{150, 80}, click(), true, 1, 2, false},            // the newest won: raised
        {{150, 80}, click(), false, 1, std::nullopt, false},
        {{250, 80}, click(), true, -1, std::nullopt, false},  // map 3 is locked
        {{150, 80}, click(sf::Mouse::Right), true, -1, std::nullopt, false},
        {{20, 10}, click(), true, -1, std::nullopt, true},  // go-back
        {{-3, 10}, click(), true, -1, std::nullopt, false},
        {{150, 80}, key(sf::Keyboard::Escape), true, -1, std::nullopt, true},
        {{150, 80}, key(sf::Keyboard::Space), true, -1, std::nullopt, false},
    };
    for (const Case& c : cases) {
        MapSelectMenu menu(5, 1, layout.x);
        menu.update(c.pointer);
        menu.handle(c.event, c.pointer);
        const std::optional<int> played = menu.take_play();
        EXPECT_EQ(played.value_or(-1), c.played) << c.pointer.x;
        EXPECT_FALSE(menu.take_play()) << "handed out once";
        if (played) {
            EXPECT_EQ(menu.game_ended(*played, c.won), c.saved) << c.pointer.x;
        }
        EXPECT_EQ(menu.progress(), c.saved.value_or(1)) << c.pointer.x;
        EXPECT_EQ(menu.done(), c.done) << c.pointer.x;
    }
    // A click between two frames goes to the button the last frame showed under the pointer.
    MapSelectMenu menu(5, 4, layout.x);
    menu.update({60, 80});
    menu.handle(click(), {350, 80});
    EXPECT_EQ(menu.take_play(), 0);
}

TEST(ScreenEvents, MapSelectionAndCustomMapsWatchTheMapUnderThePointerOrTheOneLastUnderIt) {
    // At 800 x 600 map selection's watch buttons lie at y 524..555: best x 236..391, newest x 408..563.
    const WatchButtons buttons = map_select_watch_buttons(layout.x, layout.y);
    ASSERT_EQ(buttons.best.x, 236);
    ASSERT_EQ(buttons.newest.y, 524);
    struct Case {
        std::vector<sf::Vector2i> drawn_at;  // the pointer in the frames drawn so far
        sf::Event event;
        sf::Vector2i pointer;
        std::optional<WatchRequest> asked;
    };
    const std::optional<WatchRequest> none;
    const std::vector<Case> cases = {
        {{{150, 80}}, key(sf::Keyboard::V), {150, 80}, WatchRequest{1, WatchWhich::best}},
        {{{150, 80}}, key(sf::Keyboard::L), {150, 80}, WatchRequest{1, WatchWhich::newest}},
        {{{150, 80}, {400, 300}}, key(sf::Keyboard::V), {400, 300}, WatchRequest{1, WatchWhich::best}},
        {{{400, 300}}, key(sf::Keyboard::V), {400, 300}, none},  // no map was under the pointer yet
        {{{250, 80}}, key(sf::Keyboard::V), {250, 80}, none},    // map 3 is locked
        {{{60, 80}, {300, 530}}, click(), {300, 530}, WatchRequest{0, WatchWhich::best}},
        {{{60, 80}, {450, 530}}, click(), {450, 530}, WatchRequest{0, WatchWhich::newest}},
        {{{60, 80}, {450, 530}}, click(sf::Mouse::Right), {450, 530}, none},
        {{{60, 80}, {400, 530}}, click(), {400, 530}, none},  // between the two buttons
        {{{60, 80}}, key(sf::Keyboard::Return), {60, 80}, none},
    };
    for (const Case& c : cases) {
        MapSelectMenu menu(5, 1, layout.x, layout.y);
        for (sf::Vector2i p : c.drawn_at) menu.update(p);
        menu.handle(c.event, c.pointer);
        EXPECT_EQ(menu.take_watch(), c.asked) << c.pointer.x << " " << c.pointer.y;
        EXPECT_FALSE(menu.take_watch()) << "handed out once";
        EXPECT_FALSE(menu.take_play()) << "watching plays nothing";
    }
    // The custom-map screen: rows from y = 64, watch buttons between the page buttons.
    CustomMapList list(30, layout);
    const WatchButtons& w = list.layout().watch;
    list.update({300, 64 + 34 * 2});
    list.handle(key(sf::Keyboard::L), {300, 64 + 34 * 2});
    EXPECT_EQ(list.take_watch(), (WatchRequest{2, WatchWhich::newest}));
    list.update({w.best.x + 5, w.best.y + 5});
    list.handle(click(), {w.best.x + 5, w.best.y + 5});
    EXPECT_EQ(list.take_watch(), (WatchRequest{2, WatchWhich::best}));
    EXPECT_FALSE(list.take_play());
    EXPECT_EQ(list.page(), 0);
}

TEST(ScreenEvents, WatchingPausesStepsChangesSpeedAndLeaves) {
    struct Step {
        sf::Event event;
        int frames;  // frames of the replay the next shown frame runs
        bool paused;
    };
    const std::vector<Step> steps = {
        {moved(), 1, false},
        {key(sf::Keyboard::Num3), 4, false},
        {key(sf::Keyboard::Right), 4, false},  // a step only while paused
        {key(sf::Keyboard::Space), 0, true},
        {key(sf::Keyboard::Right), 1, true},
        {key(sf::Keyboard::Num4), 0, true},
        {key(sf::Keyboard::Space), 8, false},
        {key(sf::Keyboard::Numpad2), 2, false},
        {key(sf::Keyboard::Num1), 1, false},
        {key(sf::Keyboard::W), 1, false},  // the player's own keys do nothing
        {click(), 1, false},
    };
    WatchControls watch;
    for (const Step& s : steps) {
        watch.handle(s.event);
        EXPECT_EQ(watch.frames_now(), s.frames) << s.event.key.code;
        EXPECT_EQ(watch.paused(), s.paused) << s.event.key.code;
        EXPECT_FALSE(watch.left());
    }
    watch.handle(key(sf::Keyboard::Space));
    watch.handle(key(sf::Keyboard::Right));
    watch.handle(key(sf::Keyboard::Right));
    EXPECT_EQ(watch.frames_now(), 2) << "two presses, two steps";
    watch.handle(key(sf::Keyboard::Escape));
    EXPECT_TRUE(watch.left());

    WatchControls ended;
    ended.finish();
    EXPECT_EQ(ended.frames_now(), 0);
    ended.handle(click());
    EXPECT_TRUE(ended.left()) << "a click leaves once the replay is over";
}

TEST(ScreenEvents, PauseMenuButtonsEscapeAndTheGapsBetweenThem) {
    // Centred on (400, 300): return 237..299, restart 301..363, exit 365..427, x 273..527.
    struct Case {
        sf::Event event;
        sf::Vector2i pointer;
        PauseChoice choice;  // pause_none: the menu stays
    };
    const std::vector<Case> cases = {
        {click(), {400, 270}, pause_return},
        {click(), {400, 237}, pause_return},
        {click(), {400, 300}, pause_none},  // between return and restart
        {click(), {400, 301}, pause_restart},
        {click(), {400, 363}, pause_restart},
        {click(), {400, 364}, pause_none},  // between restart and exit
        {click(), {400, 396}, pause_leave},
        {click(), {400, 428}, pause_none},
        {click(), {272, 270}, pause_none},
        {click(), {527, 270}, pause_return},
        {click(sf::Mouse::Right), {400, 270}, pause_none},
        {key(sf::Keyboard::Escape), {0, 0}, pause_return},
        {key(sf::Keyboard::Return), {400, 270}, pause_none},
        {key_release(sf::Keyboard::Escape), {400, 270}, pause_none},
    };
    for (const Case& c : cases) {
        PauseMenu pause(layout);
        pause.handle(c.event, c.pointer);
        EXPECT_EQ(pause.done(), c.choice != pause_none) << c.pointer.y;
        EXPECT_EQ(pause.choice(), c.choice == pause_none ? pause_return : c.choice) << c.pointer.y;
    }
    PauseMenu closing(layout);
    closing.close();
    EXPECT_EQ(closing.choice(), pause_closed);
    EXPECT_EQ(PauseMenu(layout).choice(), pause_return);  // found closed: back to the game
}

TEST(ScreenEvents, StoryPageLeavesOnEscapeOrTheGoBackButtonHeld) {
    struct Case {
        std::vector<sf::Event> events;
        FrameInput frame;
        bool done;
    };
    const std::vector<Case> cases = {
        {{key(sf::Keyboard::Escape)}, at({400, 300}), true},
        {{key(sf::Keyboard::Return), click()}, at({400, 300}), false},
        {{click()}, at({20, 10}), false},  // a click event alone does not go back: the held button does
        {{}, at({20, 10}, true), true},    // held over the button, however the press began
        {{}, at({63, 31}, true), true},
        {{}, at({64, 31}, true), false},
        {{}, at({400, 300}, true), false},
        {{}, at({-5, 10}, true), false},  // the title bar or another window, left of and above the page
        {{}, at({10, -3}, true), false},
    };
    for (const Case& c : cases) {
        StoryPage story;
        for (const sf::Event& e : c.events) story.handle(e);
        story.update(c.frame);
        EXPECT_EQ(story.done(), c.done) << c.frame.pointer.x << " " << c.frame.left_held;
    }
}

TEST(ScreenEvents, ControlsMenuBindsSixInTurnAndCompletesOnlyAWholePass) {
    ControlBindings bound;
    ControlsPass pass(bound);
    for (const sf::Event& e : {key(sf::Keyboard::I), key_release(sf::Keyboard::I), moved(), key(sf::Keyboard::K),
                               key(sf::Keyboard::J), key(sf::Keyboard::L), click(sf::Mouse::Middle)}) {
        pass.handle(e);
        EXPECT_FALSE(pass.done());
    }
    EXPECT_EQ(pass.prompting(), action_shield);
    pass.handle(key(sf::Keyboard::E));
    EXPECT_TRUE(pass.complete());
    EXPECT_EQ(format_bindings(bound), "k105k107k106k108m2k101");

    // Escape at the fourth prompt: the first three stay bound for this run, the pass is not complete.
    ControlBindings abandoned;
    ControlsPass escaped(abandoned);
    for (const sf::Event& e : {key(sf::Keyboard::Q), click(sf::Mouse::Right), key(sf::Keyboard::Z),
                               key(sf::Keyboard::Escape), key(sf::Keyboard::X)})
        escaped.handle(e);
    EXPECT_TRUE(escaped.done());
    EXPECT_FALSE(escaped.complete());
    EXPECT_EQ(format_bindings(abandoned), "k113m1k122k100m0m1");

    ControlBindings closed;
    ControlsPass closing(closed);
    closing.handle(key(sf::Keyboard::Q));
    closing.close();
    EXPECT_TRUE(closing.done());
    EXPECT_FALSE(closing.complete());
}

TEST(ScreenEvents, CustomMapsPagesPlaysAndGoesBack) {
    // 30 maps at 800 x 600: 13 rows a page from y = 64, 34 apart; three pages.
    CustomMapList list(30, layout);
    const CustomMapLayout& l = list.layout();
    ASSERT_EQ(l.rows_per_page, 13);
    ASSERT_EQ(l.pages, 3);
    struct Step {
        sf::Event event;
        sf::Vector2i pointer;
        int page;
        int played;  // the list index asked to play, or -1
    };
    const std::vector<Step> steps = {
        {click(), {300, 80}, 0, 0},
        {key(sf::Keyboard::PageDown), {0, 300}, 1, -1},
        {click(), {300, 64 + 34}, 1, 14},
        {key(sf::Keyboard::Right), {0, 300}, 2, -1},
        {key(sf::Keyboard::Right), {0, 300}, 2, -1},  // the last page stays
        {click(), {300, 64 + 34 * 4}, 2, -1},         // below the last map: nothing
        {click(), {300, 64 + 34 * 3 + 31}, 2, 29},    // the last row's bottom edge
        {wheel(1), {0, 300}, 1, -1},
        {click(), {l.previous.x + 5, l.previous.y + 5}, 0, -1},
        {key(sf::Keyboard::Left), {0, 300}, 0, -1},
        {click(sf::Mouse::Right), {300, 80}, 0, -1},
        {click(), {l.next.x + 5, l.next.y + 5}, 1, -1},
        {wheel(-1), {0, 300}, 2, -1},
    };
    for (const Step& s : steps) {
        list.handle(s.event, s.pointer);
        EXPECT_EQ(list.page(), s.page) << s.pointer.y;
        EXPECT_EQ(static_cast<int>(list.take_play().value_or(size_t(-1))), s.played) << s.pointer.y;
        EXPECT_FALSE(list.done());
    }
    list.handle(click(), {20, 10});
    EXPECT_TRUE(list.done());
    CustomMapList escaped(30, layout);
    escaped.handle(key(sf::Keyboard::Escape), {300, 80});
    EXPECT_TRUE(escaped.done());
}

TEST(ScreenEvents, AHeldKeysRepeatsReachNoScreenWhicheverWayTheyAreRead) {
    struct Step {
        sf::Event event;
        bool still_down;  // the keyboard's state when a release is read
        bool passes;
    };
    // Escape held past two repeats whose fake releases were read apart from their
    // presses, then let go, then pressed again; Return's fake release between.
    const std::vector<Step> steps = {
        {key(sf::Keyboard::Escape), false, true},
        {key_release(sf::Keyboard::Escape), true, false},
        {key(sf::Keyboard::Escape), false, false},
        {key_release(sf::Keyboard::Escape), true, false},
        {key_release(sf::Keyboard::Return), true, false},
        {key(sf::Keyboard::Escape), false, false},
        {moved(), false, true},
        {key(sf::Keyboard::Return), false, false},
        {key_release(sf::Keyboard::Escape), false, true},
        {key(sf::Keyboard::Escape), false, true},
        {key(sf::Keyboard::Unknown), false, true},
        {key_release(sf::Keyboard::Unknown), true, true},
        // A held letter in a name prompt types once: a dropped press takes its character along.
        {key(sf::Keyboard::A), false, true},
        {typed('a'), false, true},
        {key_release(sf::Keyboard::A), true, false},
        {key(sf::Keyboard::A), false, false},
        {typed('a'), false, false},
        {typed('b'), false, true},
        {key_release(sf::Keyboard::A), true, false},
        {key(sf::Keyboard::A), false, false},
        {moved(), false, true},
        {typed('a'), false, true},  // not the dropped press's: something came between
    };
    KeyRepeatFilter filter;
    for (size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(filter.passes(steps[i].event, steps[i].still_down), steps[i].passes) << "step " << i;
}

TEST(ScreenEvents, CustomMapsOpenTheEditorOnANewMapARowOrACopyOfABuiltInMap) {
    // 30 maps at 800 x 600; each row's last 64 px are its Edit control.
    using Target = std::optional<EditTarget>;
    const CustomMapLayout l = custom_map_layout(30, layout.x, layout.y);
    const sf::Vector2i row_2(300, 64 + 34 + 10), edit_2(l.edit(1).x + 5, row_2.y);
    struct Step {
        sf::Event event;
        sf::Vector2i pointer;
        Target edit;
        bool choosing;  // a built-in map is being chosen afterwards
        int played = -1;
    };
    const std::vector<Step> steps = {
        {key(sf::Keyboard::N), {0, 300}, EditTarget{EditTarget::new_map, 0}, false},
        {click(), {l.new_map.x + 2, l.new_map.y + 2}, EditTarget{EditTarget::new_map, 0}, false},
        {key(sf::Keyboard::E), row_2, EditTarget{EditTarget::file, 1}, false},
        {key(sf::Keyboard::E), {300, 590}, std::nullopt, false},  // over no row: nothing
        {click(), edit_2, EditTarget{EditTarget::file, 1}, false},
        {click(), {edit_2.x - 10, edit_2.y}, std::nullopt, false, 1},  // left of Edit the row plays
        {key(sf::Keyboard::O), {0, 300}, std::nullopt, true},
        {key(sf::Keyboard::N), {0, 300}, std::nullopt, true},  // only a digit or giving up counts now
        {click(), row_2, std::nullopt, true},                  // nor does a click on a row
        {key(sf::Keyboard::Num6), {0, 300}, std::nullopt, true},
        {key(sf::Keyboard::Num3), {0, 300}, EditTarget{EditTarget::builtin, 3}, false},
        {click(), {l.copy_builtin.x + 2, l.copy_builtin.y + 2}, std::nullopt, true},
        {click(), {l.builtin_digit(5).x + 2, l.builtin_digit(5).y + 2}, EditTarget{EditTarget::builtin, 5}, false},
        {key(sf::Keyboard::O), {0, 300}, std::nullopt, true},
        {key(sf::Keyboard::Escape), {0, 300}, std::nullopt, false},  // gives up choosing, stays on the screen
        {key(sf::Keyboard::O), {0, 300}, std::nullopt, true},
        {click(), {l.builtin_digit(0).x + 2, l.builtin_digit(0).y + 2}, std::nullopt, false},  // Cancel
        {key(sf::Keyboard::Numpad1), {0, 300}, std::nullopt, false},
    };
    CustomMapList list(30, layout);
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        list.handle(s.event, s.pointer);
        EXPECT_EQ(list.take_edit(), s.edit) << "step " << i;
        EXPECT_FALSE(list.take_edit()) << "handed out once";
        EXPECT_EQ(list.choosing_builtin(), s.choosing) << "step " << i;
        EXPECT_EQ(static_cast<int>(list.take_play().value_or(size_t(-1))), s.played) << "step " << i;
        EXPECT_FALSE(list.done()) << "step " << i;
    }
    list.show(29);
    EXPECT_EQ(list.page(), 2);
    // The controls sit right of the title, clear of the go-back button and the rows.
    EXPECT_GE(l.new_map.x, layout.x / 2 + 125);
    EXPECT_LE(l.copy_builtin.x + l.copy_builtin.w, layout.x);
    EXPECT_LT(l.new_map.y + l.new_map.h, custom_rows_top);
}

TEST(ScreenEvents, MapEditorToolbarCommandsKeysAndDialogs) {
    const EditorLayout l = editor_layout(layout);
    auto button = [&l](size_t i) { return sf::Vector2i(l.button(i).x + 4, l.button(i).y + 4); };
    auto command = [&](EditorCommand c) { return button(editor_tool_count + static_cast<size_t>(c)); };
    auto dialog = [&l](int i) { return sf::Vector2i(l.dialog_button(i).x + 4, l.dialog_button(i).y + 4); };
    sf::Event release = click(), left_wheel = wheel(1), control_shift_z = key(sf::Keyboard::Z);
    release.type = sf::Event::MouseButtonReleased;
    left_wheel.mouseWheelScroll.wheel = sf::Mouse::HorizontalWheel;
    control_shift_z.key.control = control_shift_z.key.shift = true;
    sf::Event control_s = key(sf::Keyboard::S), lost_focus;
    control_s.key.control = true;
    lost_focus.type = sf::Event::LostFocus;
    enum Dialog { none, prompt, asking };
    struct Step {
        sf::Event event;
        sf::Vector2i pointer;
        EditorTool tool;
        bool grid;
        int zoom_step;
        size_t walls;
        Dialog dialog;
        EditorRequest request = EditorRequest::none;
    };
    using T = EditorTool;
    const std::vector<Step> steps = {
        {click(), button(4), T::blue_mirror, false, 0, 0, none},  // a button chooses, and draws nothing
        {moved(), {300, 200}, T::blue_mirror, false, 0, 0, none},
        {release, {300, 200}, T::blue_mirror, false, 0, 0, none},
        {key(sf::Keyboard::Numpad1), {300, 200}, T::wall, false, 0, 0, none},
        {click(), {300, 200}, T::wall, false, 0, 0, none},
        {moved(), {400, 200}, T::wall, false, 0, 0, none},
        {lost_focus, {400, 200}, T::wall, false, 0, 0, none},  // a drag ends unfinished with the focus
        {release, {400, 200}, T::wall, false, 0, 0, none},
        {click(), {300, 200}, T::wall, false, 0, 0, none},
        {moved(), {400, 200}, T::wall, false, 0, 0, none},
        {release, {400, 200}, T::wall, false, 0, 1, none},
        {click(), command(EditorCommand::undo), T::wall, false, 0, 0, none},
        {click(), command(EditorCommand::redo), T::wall, false, 0, 1, none},
        {key(sf::Keyboard::Z), {300, 200}, T::wall, false, 0, 1, none},  // Z alone is no command
        {control_shift_z, {300, 200}, T::wall, false, 0, 1, none},       // nothing left to redo
        {click(), command(EditorCommand::grid), T::wall, true, 0, 1, none},
        {key(sf::Keyboard::G), {300, 200}, T::wall, false, 0, 1, none},
        {left_wheel, {300, 200}, T::wall, false, 0, 1, none},
        {wheel(-1), {300, 200}, T::wall, false, -1, 1, none},
        {key(sf::Keyboard::Home), {300, 200}, T::wall, false, 0, 1, none},
        {click(), command(EditorCommand::test_play), T::wall, false, 0, 1, none, EditorRequest::test_play},
        {key(sf::Keyboard::F5), {300, 200}, T::wall, false, 0, 1, none, EditorRequest::test_play},
        {click(), command(EditorCommand::save), T::wall, false, 0, 1, prompt},
        {key(sf::Keyboard::V), {300, 200}, T::wall, false, 0, 1, prompt},  // typed into the name
        {click(), dialog(2), T::wall, false, 0, 1, none},                  // Cancel
        {control_s, {300, 200}, T::wall, false, 0, 1, prompt},
        {key(sf::Keyboard::Escape), {300, 200}, T::wall, false, 0, 1, none},
        {key(sf::Keyboard::Escape), {300, 200}, T::wall, false, 0, 1, asking},  // unsaved
        {key(sf::Keyboard::F5), {300, 200}, T::wall, false, 0, 1, asking},      // only an answer counts
        {click(), dialog(2), T::wall, false, 0, 1, none},                       // Stay
        {key(sf::Keyboard::Escape), {300, 200}, T::wall, false, 0, 1, asking},
        {click(), dialog(1), T::wall, false, 0, 1, none, EditorRequest::leave},  // Leave without saving
    };
    MapEditor editor({new_map_source(), "", ""}, layout, "unused");
    for (size_t i = 0; i < steps.size(); ++i) {
        const Step& s = steps[i];
        editor.handle(s.event, s.pointer);
        EXPECT_EQ(editor.tool(), s.tool) << "step " << i;
        EXPECT_EQ(editor.grid(), s.grid) << "step " << i;
        EXPECT_EQ(editor.view().zoom_step, s.zoom_step) << "step " << i;
        EXPECT_EQ(editor.map().segments.size(), s.walls) << "step " << i;
        EXPECT_EQ(editor.prompt() != nullptr, s.dialog == prompt) << "step " << i;
        EXPECT_EQ(editor.asking_to_leave(), s.dialog == asking) << "step " << i;
        EXPECT_EQ(editor.take_request(), s.request) << "step " << i;
    }
}

}  // namespace

// Map file names in UTF-8 showed as one box per byte in the custom-map list:
// each sequence is one character, each byte of anything else one '?'.
TEST(ScreenText, FileNamesReadAsUtf8) {
    struct Case {
        const char* bytes;
        std::u32string shown;
    };
    const Case cases[] = {
        {"plain.txt", U"plain.txt"},
        {"caf\xc3\xa9.txt", U"caf\u00e9.txt"},
        {"\xe6\x97\xa5\xe6\x9c\xac", U"\u65e5\u672c"},
        {"\xf0\x9f\x97\xba map", U"\U0001F5FA map"},
        {"latin1 \xe9t\xe9", U"latin1 ?t?"},   // another encoding: a mark per byte
        {"\xc0\xaf \xe0\x80\xaf", U"?? ???"},  // overlong
        {"\xed\xa0\x80", U"???"},              // a surrogate
        {"cut \xe6\x97", U"cut ??"},           // a sequence cut short
        {"\xf4\x90\x80\x80", U"????"},         // beyond U+10FFFF
        {"\x80\xbf", U"??"},                   // continuations alone
    };
    for (const Case& c : cases) {
        const sf::String text = utf8_text(c.bytes);
        EXPECT_EQ(std::u32string(text.begin(), text.end()), c.shown) << c.bytes;
    }
    EXPECT_EQ(utf8_prefix_length("ab\xc3\xa9", 3), 2u);  // never half an é
    EXPECT_EQ(utf8_prefix_length("ab\xc3\xa9", 4), 4u);
    EXPECT_EQ(utf8_prefix_length("ab\xe6\x97\xa5", 4), 2u);
}
