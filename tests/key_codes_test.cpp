#include "app/key_codes.hpp"

#include <utility>

#include <gtest/gtest.h>

using Key = sf::Keyboard::Key;

TEST(KeyCodes, EveryNumberedCodeAndEveryKeyRoundTrip) {
    int numbered = 0;
    for (uint32_t code = 0; code < 400; ++code) {
        const Key key = key_from_file_code(code);
        if (key == Key::Unknown) continue;
        ++numbered;
        EXPECT_EQ(file_code_from_key(key), code);
    }
    EXPECT_EQ(numbered, 26 + 10 + 65);
    for (int k = 0; k < Key::KeyCount; ++k) EXPECT_EQ(key_from_file_code(file_code_from_key(Key(k))), Key(k)) << k;
}

TEST(KeyCodes, TablePositions) {
    const std::pair<Key, uint32_t> landmarks[] = {
        {Key::A, 97},       {Key::W, 119},       {Key::Z, 122},        {Key::Num0, 48},    {Key::Num9, 57},
        {Key::Escape, 256}, {Key::LSystem, 260}, {Key::RControl, 261}, {Key::Menu, 265},   {Key::LBracket, 266},
        {Key::Tilde, 274},  {Key::Hyphen, 276},  {Key::Space, 277},    {Key::Enter, 278},  {Key::Tab, 280},
        {Key::PageUp, 281}, {Key::Delete, 286},  {Key::Add, 287},      {Key::Divide, 290}, {Key::Left, 291},
        {Key::Down, 294},   {Key::Numpad0, 295}, {Key::Numpad9, 304},  {Key::F1, 305},     {Key::F9, 313},
        {Key::F12, 316},    {Key::F15, 319},     {Key::Pause, 320}};
    for (const auto& [key, code] : landmarks) EXPECT_EQ(file_code_from_key(key), code) << code;
    EXPECT_EQ(key_from_file_code(key_code::escape), Key::Escape);
    EXPECT_EQ(key_from_file_code(key_code::f9), Key::F9);
    EXPECT_EQ(key_from_file_code(key_code::f12), Key::F12);
}

TEST(KeyCodes, CodesWithoutKeysAndKeysWithoutCodes) {
    for (uint32_t code : {0u, 32u, 47u, 58u, 96u, 123u, 255u, 321u, 4294967295u})
        EXPECT_EQ(key_from_file_code(code), Key::Unknown) << code;
    EXPECT_EQ(file_code_from_key(Key::Unknown), key_code::none);
    EXPECT_EQ(file_code_from_key(Key::KeyCount), key_code::none);
}

TEST(KeyCodes, MouseButtons) {
    const sf::Mouse::Button buttons[] = {sf::Mouse::Left, sf::Mouse::Right, sf::Mouse::Middle, sf::Mouse::XButton1,
                                         sf::Mouse::XButton2};
    for (uint32_t code = 0; code < 5; ++code) {
        EXPECT_EQ(mouse_button_from_file_code(code), buttons[code]);
        EXPECT_EQ(file_code_from_mouse_button(buttons[code]), code);
    }
    EXPECT_FALSE(mouse_button_from_file_code(5));
    EXPECT_FALSE(mouse_button_from_file_code(4294967295u));
    EXPECT_EQ(file_code_from_mouse_button(sf::Mouse::ButtonCount), mouse_code::count);
}
