// The game folder the build assembles: the shipped settings and the folders the game writes into.
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "app/custom_maps.hpp"
#include "app/settings.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

namespace {

namespace fs = std::filesystem;
const fs::path game_dir = VANTOREL_GAME_DIR;

TEST(GameFolder, ShippedConfigReadsBackAsTheDefaults) {
    Settings read;
    for (const SettingKey& key : setting_keys) read.*key.field = -12345;  // a key the file misses shows
    ASSERT_TRUE(read_settings_file((game_dir / "config.ini").c_str(), read));
    const Settings defaults;
    for (const SettingKey& key : setting_keys) EXPECT_EQ(read.*key.field, defaults.*key.field) << key.name;
}

TEST(GameFolder, ShippedConfigListsEveryKeyOnceWithNothingElse) {
    std::ifstream in(game_dir / "config.ini");
    std::string key;
    long value = 0;
    size_t lines = 0;
    for (const SettingKey& expected : setting_keys) {
        ASSERT_TRUE(in >> key >> value) << "missing " << expected.name;
        EXPECT_EQ(key, expected.name);
        ++lines;
    }
    EXPECT_FALSE(in >> key) << "extra text: " << key;
    EXPECT_EQ(lines, 37u);
}

TEST(GameFolder, HasTheFoldersTheGameWritesInto) {
    for (const char* dir : {"Saves", "Screenshots", "Graphics/Game/Objects", "Graphics/Game/MainCharacter",
                            "Graphics/Game/Menus", "Music/Title", "Music/Game", "Shader"})
        EXPECT_TRUE(fs::is_directory(game_dir / dir)) << dir;
    EXPECT_TRUE(fs::is_empty(game_dir / "Saves"));
    EXPECT_TRUE(fs::is_regular_file(game_dir / "Shader" / "shade.sfx"));
}

TEST(GameFolder, ShipsALoadableExampleMapAndTheMenuFont) {
    const auto maps = list_custom_maps(game_dir / "Maps");
    ASSERT_FALSE(maps.empty());
    for (const auto& path : maps) {
        std::string why;
        const auto text = read_custom_map(path, why);
        ASSERT_TRUE(text) << path << ": " << why;
        EXPECT_TRUE(load_map(text->c_str(), why)) << path << ": " << why;
    }
    world = World{};
    EXPECT_GT(fs::file_size(game_dir / "Fonts" / "DejaVuSans.ttf"), 100000u);
}

}  // namespace
