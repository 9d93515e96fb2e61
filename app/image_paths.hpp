// Where every image the game loads lives, relative to the game folder. The art
// generator writes these files, its tests check them and the game loads them,
// all from this one list.
#pragma once

#include <array>
#include <string>

namespace image_paths {

inline constexpr const char* objects_dir = "Graphics/Game/Objects/";
inline constexpr const char* hero_dir = "Graphics/Game/MainCharacter/";
inline constexpr const char* menus_dir = "Graphics/Game/Menus/";

// Switch images: off red, green, blue, then on red, green, blue.
inline constexpr std::array<const char*, 6> switches = {
    "Graphics/Game/Objects/redOff.png", "Graphics/Game/Objects/greenOff.png", "Graphics/Game/Objects/blueOff.png",
    "Graphics/Game/Objects/redOn.png",  "Graphics/Game/Objects/greenOn.png",  "Graphics/Game/Objects/blueOn.png"};
// By enemy kind: basic, smart, turret.
inline constexpr std::array<const char*, 3> enemies = {"Graphics/Game/Objects/basicenemy.png",
                                                       "Graphics/Game/Objects/smartenemy.png",
                                                       "Graphics/Game/Objects/turretenemy.png"};
// By pickup kind: medkit, extra life, power-up.
inline constexpr std::array<const char*, 3> pickups = {
    "Graphics/Game/Objects/medkit.png", "Graphics/Game/Objects/extralife.png", "Graphics/Game/Objects/powerup.png"};
inline constexpr const char* checkpoint = "Graphics/Game/Objects/checkpoint.png";
inline constexpr const char* checkpoint_hit = "Graphics/Game/Objects/checkpointhit.png";
// An enemy's death explosion, frames 1 to 5.
inline constexpr std::array<const char*, 5> deaths = {
    "Graphics/Game/Objects/death1.png", "Graphics/Game/Objects/death2.png", "Graphics/Game/Objects/death3.png",
    "Graphics/Game/Objects/death4.png", "Graphics/Game/Objects/death5.png"};
inline constexpr const char* exit = "Graphics/Game/Objects/exit.png";
inline constexpr const char* cursor = "Graphics/Game/Objects/cursor.png";

// The arm holding the gun, frames 1 to 6, plain and powered.
inline constexpr std::array<const char*, 6> arms = {
    "Graphics/Game/MainCharacter/arm.png",  "Graphics/Game/MainCharacter/arm2.png",
    "Graphics/Game/MainCharacter/arm3.png", "Graphics/Game/MainCharacter/arm4.png",
    "Graphics/Game/MainCharacter/arm5.png", "Graphics/Game/MainCharacter/arm6.png"};
inline constexpr std::array<const char*, 6> powered_arms = {
    "Graphics/Game/MainCharacter/armpowered.png",  "Graphics/Game/MainCharacter/armpowered2.png",
    "Graphics/Game/MainCharacter/armpowered3.png", "Graphics/Game/MainCharacter/armpowered4.png",
    "Graphics/Game/MainCharacter/armpowered5.png", "Graphics/Game/MainCharacter/armpowered6.png"};
// The upright body: standing, then walking 1 to 4.
inline constexpr std::array<const char*, 5> bodies = {
    "Graphics/Game/MainCharacter/standstill.png", "Graphics/Game/MainCharacter/move1.png",
    "Graphics/Game/MainCharacter/move2.png", "Graphics/Game/MainCharacter/move3.png",
    "Graphics/Game/MainCharacter/move4.png"};
// The crouched body: ducking, then ducking 1 to 4.
inline constexpr std::array<const char*, 5> duckings = {
    "Graphics/Game/MainCharacter/ducking.png", "Graphics/Game/MainCharacter/ducking1.png",
    "Graphics/Game/MainCharacter/ducking2.png", "Graphics/Game/MainCharacter/ducking3.png",
    "Graphics/Game/MainCharacter/ducking4.png"};

// The title menu: the logo's halves, the five entries in menu order, the
// maker's logo and caption, and the version.
inline constexpr const char* logo_top = "Graphics/Game/Menus/vantorel1.png";
inline constexpr const char* logo_bottom = "Graphics/Game/Menus/vantorel2.png";
inline constexpr std::array<const char*, 5> title_entries = {
    "Graphics/Game/Menus/playgame.png", "Graphics/Game/Menus/custommap.png", "Graphics/Game/Menus/controls.png",
    "Graphics/Game/Menus/story.png", "Graphics/Game/Menus/quitgame.png"};
inline constexpr const char* maker_logo = "Graphics/Game/Menus/brindlecap.png";
inline constexpr const char* maker_caption = "Graphics/Game/Menus/abrindlecapgame.png";
inline constexpr const char* version = "Graphics/Game/Menus/version.png";
// One lower-case letter of the title's credit line.
inline std::string credit_letter(char letter) { return std::string(menus_dir) + letter + ".png"; }

// Map selection and the screens with a way back.
inline constexpr const char* select_map = "Graphics/Game/Menus/selectmap.png";
inline constexpr const char* go_back = "Graphics/Game/Menus/goback.png";
// A digit 0 to 9 of a map button's number.
inline std::string digit(int d) { return std::string(menus_dir) + std::to_string(d) + ".png"; }

// The controls menu: the prompt's frame and its six captions in action order.
inline constexpr const char* assign_frame = "Graphics/Game/Menus/assignbutton.png";
inline constexpr std::array<const char*, 6> action_prompts = {
    "Graphics/Game/Menus/jump.png",  "Graphics/Game/Menus/duck.png",  "Graphics/Game/Menus/left.png",
    "Graphics/Game/Menus/right.png", "Graphics/Game/Menus/shoot.png", "Graphics/Game/Menus/shield.png"};

inline constexpr const char* story_page = "Graphics/Game/Menus/storypage.png";

// The window's icon (16 x 16) and the pause menu.
inline constexpr const char* window_icon = "Graphics/Game/Menus/winicon.png";
inline constexpr const char* paused = "Graphics/Game/Menus/paused.png";
inline constexpr const char* pause_return = "Graphics/Game/Menus/return.png";
inline constexpr const char* pause_restart = "Graphics/Game/Menus/restart.png";
inline constexpr const char* pause_exit = "Graphics/Game/Menus/exit.png";

}  // namespace image_paths
