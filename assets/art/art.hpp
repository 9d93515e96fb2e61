#pragma once
// The pictures the game loads, as the generator produces them.
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>

#include "canvas.hpp"
#include "type.hpp"

namespace art {

// How the game draws a picture, which decides how the contact sheet shows it.
enum class Blend { additive, alpha };

struct Picture {
    std::string path;  // relative to the game folder
    sf::Image image;
    Blend blend = Blend::additive;
    bool menu = false;  // shown on the menu panel colours in the second sheet
};

// The shared neon palette: the wall colours plus one hue per object family.
namespace palette {
inline const Colour white = rgb(255, 255, 255);
inline const Colour cyan = rgb(0, 255, 255);
inline const Colour red = rgb(255, 50, 50);
inline const Colour green = rgb(40, 255, 90);
inline const Colour blue = rgb(70, 120, 255);
inline const Colour ink = rgb(0, 0, 0);
inline const Colour basic_enemy = rgb(255, 70, 50);
inline const Colour smart_enemy = rgb(235, 70, 255);
inline const Colour turret_enemy = rgb(255, 150, 20);
inline const Colour hero = rgb(150, 235, 255);
inline const Colour visor = rgb(255, 200, 60);
inline const Colour power = rgb(255, 210, 60);
inline const Colour life = rgb(255, 90, 170);
}  // namespace palette

std::vector<Picture> object_pictures();
std::vector<Picture> player_pictures();
std::vector<Picture> menu_pictures(Typesetter& type);

// Draw `src` onto `dst` at (x, y), additively or by alpha as the game does.
void blit(sf::Image& dst, const sf::Image& src, int x, int y, Blend blend);
void fill_rect(sf::Image& dst, int x, int y, int w, int h, sf::Color c);

// Mock-ups of the title screen, the pause menu and a piece of a level, built
// from the pictures as the game places them, for judging them in context.
void write_previews(const std::vector<Picture>& pictures, const std::string& folder);

// The labelled overview sheets written beside the game folder.
void write_contact_sheets(const std::vector<Picture>& pictures, Typesetter& type, const std::string& folder);

}  // namespace art
