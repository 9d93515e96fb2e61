// Art generator: draws every picture the game loads and writes it as PNG
// under the game folder, plus contact sheets and screen mock-ups for review.
//   usage: vantorel-art GAME_FOLDER SHEET_FOLDER
#include "art.hpp"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vantorel-art GAME_FOLDER SHEET_FOLDER\n";
    return 2;
  }
  const std::filesystem::path game = argv[1];
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
  art::write_contact_sheets(pictures, type, argv[2]);
  art::write_previews(pictures, argv[2]);
  std::cout << "wrote " << pictures.size() << " pictures to " << game << "\n";
  return 0;
}
