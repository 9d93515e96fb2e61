// map-sheet OUT IN...: stacks map pictures (PNG) one under another on black,
// 16 px apart, so every built-in map can be looked over in one picture.
#include <algorithm>
#include <iostream>
#include <vector>

#include <SFML/Graphics/Image.hpp>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: map-sheet OUT.png IN.png...\n";
        return 2;
    }
    constexpr unsigned gap = 16;  // px of black between two pictures
    std::vector<sf::Image> pictures(static_cast<size_t>(argc - 2));
    unsigned width = 0, height = 0;
    for (size_t i = 0; i < pictures.size(); ++i) {
        if (!pictures[i].loadFromFile(argv[i + 2])) {
            std::cerr << "'" << argv[i + 2] << "' cannot be read as a picture.\n";
            return 1;
        }
        width = std::max(width, pictures[i].getSize().x);
        height += pictures[i].getSize().y + (i == 0 ? 0 : gap);
    }
    sf::Image sheet;
    sheet.create(width, height, sf::Color::Black);
    unsigned y = 0;
    for (const sf::Image& picture : pictures) {
        sheet.copy(picture, 0, y);
        y += picture.getSize().y + gap;
    }
    if (!sheet.saveToFile(argv[1])) {
        std::cerr << "'" << argv[1] << "' cannot be written.\n";
        return 1;
    }
    return 0;
}
