// The source tree's shape: folders depend one way, and the headless core never
// reaches for a window, a texture, a font, a shader or a sound.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// Bottom to top: a folder may include only folders before it (and itself).
const std::vector<std::string> layers = {"app", "world", "combat", "game", "client", "menus", "program"};
const std::set<std::string> core = {"app", "world", "combat", "game"};

// Every `#include "folder/..."` of every source file, by the file's own folder.
std::map<std::string, std::map<std::string, std::string>> project_includes() {
    const std::regex include_line(R"re(^\s*#\s*include\s*"([a-z_]+)/)re");
    std::map<std::string, std::map<std::string, std::string>> found;  // folder -> included folder -> first file
    for (const std::string& folder : layers) {
        const fs::path dir = fs::path(VANTOREL_SOURCE_DIR) / folder;
        if (!fs::exists(dir)) continue;
        for (const auto& entry : fs::directory_iterator(dir)) {
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                std::smatch m;
                if (std::regex_search(line, m, include_line))
                    found[folder].emplace(m[1].str(), entry.path().filename().string());
            }
        }
    }
    return found;
}

TEST(Layout, FoldersDependOneWayFromTheCoreUpToTheProgram) {
    const auto includes = project_includes();
    for (const auto& [folder, targets] : includes) {
        const auto rank = [](const std::string& f) {
            return std::find(layers.begin(), layers.end(), f) - layers.begin();
        };
        for (const auto& [target, file] : targets) {
            if (target == folder || std::find(layers.begin(), layers.end(), target) == layers.end()) continue;
            EXPECT_LT(rank(target), rank(folder)) << folder << "/" << file << " includes " << target << "/";
        }
    }
}

TEST(Layout, TheCoreHasNoWindowGraphicsOrSound) {
    const std::regex window_header(R"re(#\s*include\s*<SFML/(Graphics|Audio|Window/(Window|Context|VideoMode)))re");
    for (const std::string& folder : core) {
        for (const auto& entry : fs::directory_iterator(fs::path(VANTOREL_SOURCE_DIR) / folder)) {
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);)
                EXPECT_FALSE(std::regex_search(line, window_header)) << entry.path() << ": " << line;
        }
    }
}

}  // namespace
