// The game folder the build assembles: the folders the game writes into, the example map and the font.
// (Its config.ini is the shipped file copied as is, checked where the settings are.)
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "app/custom_maps.hpp"
#include "app/settings.hpp"
#include "game/update.hpp"
#include "world/map_loader.hpp"
#include "world/world_state.hpp"

namespace {

namespace fs = std::filesystem;
const fs::path game_dir = VANTOREL_GAME_DIR;

TEST(GameFolder, HasTheFoldersTheGameWritesInto) {
    for (const char* dir : {"Saves", "Screenshots", "Graphics/Game/Objects", "Graphics/Game/MainCharacter",
                            "Graphics/Game/Menus", "Music/Title", "Music/Game", "Shader"})
        EXPECT_TRUE(fs::is_directory(game_dir / dir)) << dir;
    EXPECT_TRUE(fs::is_empty(game_dir / "Saves"));
    EXPECT_TRUE(fs::is_regular_file(game_dir / "Shader" / "shade.sfx"));
    EXPECT_TRUE(fs::is_regular_file(game_dir / "config.ini"));
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
    start_fresh();  // frees the last map's grid
    EXPECT_GT(fs::file_size(game_dir / "Fonts" / "DejaVuSans.ttf"), 100000u);
}

}  // namespace
