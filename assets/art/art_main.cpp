// Art generator: draws every picture the game loads and writes it as PNG
// under the game folder, plus contact sheets and screen mock-ups for review.
//   usage: vantorel-art GAME_FOLDER SHEET_FOLDER
#include <filesystem>
#include <iostream>

#include "art.hpp"

namespace {

// Draw, write and review every picture; returns the exit status.
int draw_everything(const std::filesystem::path& game, const std::string& sheets) {
    art::Typesetter type;
    std::vector<art::Picture> pictures = art::object_pictures();
    for (auto& p : art::player_pictures()) pictures.push_back(std::move(p));
    for (auto& p : art::menu_pictures(type)) pictures.push_back(std::move(p));

    for (const art::Picture& p : pictures) {
        const std::filesystem::path file = game / p.path;
        std::filesystem::create_directories(file.parent_path());
        if (!p.image.saveToFile(file.string())) {
            std::cerr << "could not write " << file << "\n";
            return 1;
        }
    }
    art::write_contact_sheets(pictures, type, sheets);
    art::write_previews(pictures, sheets);
    std::cout << "wrote " << pictures.size() << " pictures to " << game << "\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: vantorel-art GAME_FOLDER SHEET_FOLDER\n";
        return 2;
    }
    const std::filesystem::path game = argv[1];
    try {
        return draw_everything(game, argv[2]);
    } catch (const std::exception& e) {
        // Typically a missing DejaVu font (package fonts-dejavu-core).
        std::cerr << "vantorel-art: " << e.what() << "\n";
        return 1;
    }
}
