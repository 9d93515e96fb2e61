// Checks of the generated images in the game folder: every file the game
// loads is there at the size its layout and origins assume, and the pictures
// keep the properties the drawing code relies on.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include "app/image_paths.hpp"

namespace {

const std::string game_dir = VANTOREL_GAME_DIR;
const std::string objects = image_paths::objects_dir;
const std::string hero = image_paths::hero_dir;
const std::string menus = image_paths::menus_dir;

struct Expected {
    std::string path;
    unsigned width;
    unsigned height;
};

// Every image the game and its menus load, with the size they assume.
std::vector<Expected> expected_images() {
    namespace paths = image_paths;
    std::vector<Expected> t;
    for (const char* path : paths::switches) t.push_back({path, 32, 32});
    for (const char* path : paths::enemies) t.push_back({path, 32, 32});
    for (const char* path : paths::pickups) t.push_back({path, 32, 32});
    for (const char* path : paths::deaths) t.push_back({path, 32, 32});
    t.push_back({paths::checkpoint, 32, 64});
    t.push_back({paths::checkpoint_hit, 32, 64});
    t.push_back({paths::exit, 64, 64});
    t.push_back({paths::cursor, 16, 16});
    for (const auto* list : {&paths::bodies, &paths::duckings})
        for (const char* path : *list) t.push_back({path, 32, 64});
    for (const auto* list : {&paths::arms, &paths::powered_arms})
        for (const char* path : *list) t.push_back({path, 64, 8});
    t.push_back({paths::window_icon, 16, 16});
    t.push_back({paths::paused, 256, 128});
    t.push_back({paths::pause_return, 256, 64});
    t.push_back({paths::pause_restart, 256, 64});
    t.push_back({paths::pause_exit, 256, 64});
    const std::vector<Expected> menu_images = {
        {paths::logo_top, 512, 128},        {paths::logo_bottom, 512, 128},     {paths::title_entries[0], 512, 64},
        {paths::title_entries[1], 512, 64}, {paths::title_entries[2], 512, 64}, {paths::title_entries[3], 512, 64},
        {paths::title_entries[4], 512, 64}, {paths::maker_logo, 128, 64},       {paths::maker_caption, 256, 64},
        {paths::version, 64, 32},           {paths::select_map, 512, 64},       {paths::go_back, 64, 32},
        {paths::assign_frame, 512, 256},    {paths::story_page, 512, 512},
    };
    t.insert(t.end(), menu_images.begin(), menu_images.end());
    for (const char* path : paths::action_prompts) t.push_back({path, 256, 128});
    for (int digit = 0; digit <= 9; ++digit) t.push_back({paths::digit(digit), 32, 32});
    // One image per distinct letter of the title screen's credit line.
    for (const char letter : std::string("createdbybrindlecap")) {
        const std::string path = paths::credit_letter(letter);
        if (std::none_of(t.begin(), t.end(), [&](const Expected& e) { return e.path == path; })) {
            t.push_back({path, 16, 16});
        }
    }
    return t;
}

sf::Image load(const std::string& path) {
    sf::Image image;
    EXPECT_TRUE(image.loadFromFile(game_dir + "/" + path)) << path;
    return image;
}

// Light a pixel adds under additive blending, 0..1 (colour weighted by alpha).
float light(sf::Color c) {
    return (static_cast<float>(c.r) + static_cast<float>(c.g) + static_cast<float>(c.b)) / 765.0f *
           (static_cast<float>(c.a) / 255.0f);
}

// Light at a real position, bilinear between pixel centres; 0 outside.
float light_at(const sf::Image& image, float x, float y) {
    const sf::Vector2u size = image.getSize();
    auto at = [&](int px, int py) {
        if (px < 0 || py < 0 || px >= static_cast<int>(size.x) || py >= static_cast<int>(size.y)) return 0.0f;
        return light(image.getPixel(static_cast<unsigned>(px), static_cast<unsigned>(py)));
    };
    const float fx = x - 0.5f, fy = y - 0.5f;
    const int x0 = static_cast<int>(std::floor(fx)), y0 = static_cast<int>(std::floor(fy));
    const float tx = fx - static_cast<float>(x0), ty = fy - static_cast<float>(y0);
    return (at(x0, y0) * (1 - tx) + at(x0 + 1, y0) * tx) * (1 - ty) +
           (at(x0, y0 + 1) * (1 - tx) + at(x0 + 1, y0 + 1) * tx) * ty;
}

float total_light(const sf::Image& image, unsigned x0, unsigned y0, unsigned x1, unsigned y1) {
    float sum = 0.0f;
    for (unsigned y = y0; y < y1; ++y)
        for (unsigned x = x0; x < x1; ++x) sum += light(image.getPixel(x, y));
    return sum;
}

// Greatest distance from the centre at which a pixel adds visible light.
float lit_radius(const sf::Image& image) {
    const sf::Vector2u size = image.getSize();
    float radius = 0.0f;
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            if (light(image.getPixel(x, y)) < 0.1f) continue;
            radius = std::max(radius, std::hypot(static_cast<float>(x) + 0.5f - static_cast<float>(size.x) / 2.0f,
                                                 static_cast<float>(y) + 0.5f - static_cast<float>(size.y) / 2.0f));
        }
    }
    return radius;
}

TEST(GeneratedArt, EveryImageTheGameLoadsExistsAtItsSize) {
    for (const Expected& e : expected_images()) {
        const sf::Image image = load(e.path);
        EXPECT_EQ(image.getSize().x, e.width) << e.path;
        EXPECT_EQ(image.getSize().y, e.height) << e.path;
        EXPECT_GT(total_light(image, 0, 0, image.getSize().x, image.getSize().y), 1.0f) << e.path << " is blank";
    }
}

TEST(GeneratedArt, AdditiveSpritesAddNothingOutsideTheirShape) {
    // Under additive blending any colour left in the background would show as
    // a box around the sprite, so corners and the far margins must be black.
    std::vector<std::string> additive = {"basicenemy", "smartenemy", "turretenemy",   "medkit", "extralife",
                                         "powerup",    "checkpoint", "checkpointhit", "exit"};
    for (int i = 1; i <= 5; ++i) additive.push_back("death" + std::to_string(i));
    for (std::string& name : additive) name = objects + name + ".png";
    for (const char* name : {"standstill", "move1", "move2", "move3", "move4", "ducking", "ducking1", "ducking2",
                             "ducking3", "ducking4"}) {
        additive.push_back(hero + name + ".png");
    }
    for (const Expected& e : expected_images()) {
        if (e.path.find("/arm") != std::string::npos) additive.push_back(e.path);
    }
    for (const std::string& path : additive) {
        const sf::Image image = load(path);
        const unsigned w = image.getSize().x, h = image.getSize().y;
        for (const auto& [x, y] : {std::pair{0u, 0u}, {w - 1, 0u}, {0u, h - 1}, {w - 1, h - 1}}) {
            if (path.find("/arm") != std::string::npos && x == w - 1) continue;        // the muzzle
            if (path.find("checkpoint") != std::string::npos && y == h - 1) continue;  // the foot
            EXPECT_LT(light(image.getPixel(x, y)), 0.02f) << path << " corner " << x << "," << y;
        }
    }
}

TEST(GeneratedArt, PlayerImagesMatchTheirOriginsAndPivot) {
    for (const char* name : {"standstill", "move1", "move2", "move3", "move4"}) {
        const sf::Image body = load(hero + name + ".png");
        EXPECT_GT(total_light(body, 0, 62, 32, 64), 1.0f) << name << " feet reach the bottom row";
        EXPECT_GT(total_light(body, 0, 0, 32, 8), 1.0f) << name << " head at the top";
    }
    for (const char* name : {"ducking", "ducking1", "ducking2", "ducking3", "ducking4"}) {
        const sf::Image body = load(hero + name + ".png");
        EXPECT_LT(total_light(body, 0, 0, 32, 24), 0.5f) << name << " keeps the upper part empty";
        EXPECT_GT(total_light(body, 0, 62, 32, 64), 1.0f) << name << " feet on the bottom row";
    }
    float plain = 0.0f, powered = 0.0f;
    std::vector<sf::Image> frames;
    for (const Expected& e : expected_images()) {
        if (e.path.find("/arm") == std::string::npos) continue;
        const sf::Image arm = load(e.path);
        // The arm turns about (32, 4): nothing may stick out behind the shoulder,
        // and the gun reaches the right edge, where shots leave.
        EXPECT_LT(total_light(arm, 0, 0, 26, 8), 0.1f) << e.path;
        EXPECT_GT(light(arm.getPixel(63, 4)), 0.2f) << e.path;
        const float sum = total_light(arm, 0, 0, 64, 8);
        (e.path.find("powered") != std::string::npos ? powered : plain) += sum;
        frames.push_back(arm);
    }
    EXPECT_GT(powered, plain * 1.2f) << "the powered arm glows";
    ASSERT_EQ(frames.size(), 12u);
    for (std::size_t i = 0; i + 1 < 6; ++i) {
        EXPECT_NE(0, std::memcmp(frames[i].getPixelsPtr(), frames[i + 1].getPixelsPtr(), 64 * 8 * 4))
            << "arm frames " << i << " and " << i + 1 << " animate";
    }
}

TEST(GeneratedArt, ExitVisiblyTurnsByThirtyDegrees) {
    const sf::Image exit_image = load(objects + "exit.png");
    auto difference_after_turn = [&](float degrees) {
        const float rad = degrees * 3.14159265f / 180.0f;
        float diff = 0.0f, sum = 0.0f;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const float dx = static_cast<float>(x) + 0.5f - 32.0f, dy = static_cast<float>(y) + 0.5f - 32.0f;
                const float sx = 32.0f + dx * std::cos(rad) + dy * std::sin(rad);
                const float sy = 32.0f - dx * std::sin(rad) + dy * std::cos(rad);
                const float here = light_at(exit_image, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
                diff += std::fabs(here - light_at(exit_image, sx, sy));
                sum += here;
            }
        }
        return diff / sum;
    };
    // Resampling alone changes a picture a little; the turn must change it far more.
    EXPECT_LT(difference_after_turn(0.0f), 0.05f);
    EXPECT_GT(difference_after_turn(30.0f), 0.3f);
    EXPECT_GT(difference_after_turn(60.0f), 0.3f);
}

TEST(GeneratedArt, CursorHotSpotIsDrawnOverAnyBackground) {
    const sf::Image cursor = load(objects + "cursor.png");
    int opaque = 0;
    for (unsigned y = 7; y <= 8; ++y)
        for (unsigned x = 7; x <= 8; ++x) opaque += cursor.getPixel(x, y).a > 128 ? 1 : 0;
    EXPECT_EQ(opaque, 4) << "the centre pixels under the pointer are drawn";
    // A light mark and a dark edge both present, so it shows on black and on
    // the menus' bright panels.
    bool light_mark = false, dark_edge = false;
    for (unsigned y = 0; y < 16; ++y) {
        for (unsigned x = 0; x < 16; ++x) {
            const sf::Color c = cursor.getPixel(x, y);
            light_mark |= c.a > 200 && c.r > 200 && c.g > 200 && c.b > 200;
            dark_edge |= c.a > 150 && c.r < 40 && c.g < 40 && c.b < 40;
        }
    }
    EXPECT_TRUE(light_mark);
    EXPECT_TRUE(dark_edge);
}

TEST(GeneratedArt, SwitchStatesDifferByMoreThanColour) {
    for (const char* colour : {"red", "green", "blue"}) {
        const sf::Image on = load(objects + colour + "On.png");
        const sf::Image off = load(objects + colour + "Off.png");
        // On is lit in the middle, off is hollow there.
        EXPECT_GT(light(on.getPixel(16, 17)), 0.5f) << colour;
        EXPECT_LT(light(off.getPixel(16, 17)), 0.15f) << colour;
        EXPECT_GT(total_light(on, 0, 0, 32, 32), 1.5f * total_light(off, 0, 0, 32, 32)) << colour;
    }
}

// Share of brightly lit pixels (the outlines and cores, not the glow) two
// sprites have in common: intersection over union.
float shared_outline(const sf::Image& a, const sf::Image& b) {
    int both = 0, either = 0;
    for (unsigned y = 0; y < a.getSize().y; ++y) {
        for (unsigned x = 0; x < a.getSize().x; ++x) {
            const bool in_a = light(a.getPixel(x, y)) > 0.5f;
            const bool in_b = light(b.getPixel(x, y)) > 0.5f;
            both += in_a && in_b ? 1 : 0;
            either += in_a || in_b ? 1 : 0;
        }
    }
    return either == 0 ? 1.0f : static_cast<float>(both) / static_cast<float>(either);
}

TEST(GeneratedArt, KindsDifferInShapeNotOnlyColour) {
    // Players who cannot tell the hues apart still tell enemies and pickups by
    // their outlines, and a touched checkpoint by its raised flag.
    for (const auto& group : {std::vector<std::string>{"basicenemy", "smartenemy", "turretenemy"},
                              std::vector<std::string>{"medkit", "extralife", "powerup"}}) {
        for (std::size_t i = 0; i < group.size(); ++i) {
            for (std::size_t j = i + 1; j < group.size(); ++j) {
                const float shared =
                    shared_outline(load(objects + group[i] + ".png"), load(objects + group[j] + ".png"));
                EXPECT_LT(shared, 0.6f) << group[i] << " and " << group[j];
            }
        }
    }
    const sf::Image waiting = load(objects + "checkpoint.png");
    const sf::Image touched = load(objects + "checkpointhit.png");
    EXPECT_GT(total_light(touched, 15, 0, 32, 24), 3.0f * total_light(waiting, 15, 0, 32, 24))
        << "the touched checkpoint flies its flag at the top";
}

TEST(GeneratedArt, ExplosionGrowsAndFades) {
    float previous_radius = 0.0f;
    float first_peak = 0.0f, last_peak = 0.0f;
    for (int frame = 1; frame <= 5; ++frame) {
        const sf::Image image = load(objects + "death" + std::to_string(frame) + ".png");
        const float radius = lit_radius(image);
        EXPECT_GT(radius, previous_radius) << "frame " << frame;
        previous_radius = radius;
        float peak = 0.0f;
        for (unsigned y = 0; y < 32; ++y)
            for (unsigned x = 0; x < 32; ++x) peak = std::max(peak, light(image.getPixel(x, y)));
        (frame == 1 ? first_peak : last_peak) = peak;
    }
    EXPECT_LT(last_peak, first_peak * 0.8f);
}

TEST(GeneratedArt, MenuWordsStandOutOnThePanelAndTheHighlight) {
    // Entries are drawn on the red panel and, when pointed at, on the cyan
    // highlight; enough of each must differ strongly from both.
    const sf::Color panels[] = {sf::Color(255, 0, 0), sf::Color(0, 255, 255)};
    for (const char* name : {"playgame", "custommap", "controls", "story", "quitgame", "return", "restart", "exit"}) {
        const sf::Image entry = load(menus + name + ".png");
        for (const sf::Color panel : panels) {
            auto luma = [](float r, float g, float b) { return 0.2126f * r + 0.7152f * g + 0.0722f * b; };
            const float back = luma(panel.r, panel.g, panel.b) / 255.0f;
            int contrasting = 0;
            for (unsigned y = 0; y < entry.getSize().y; ++y) {
                for (unsigned x = 0; x < entry.getSize().x; ++x) {
                    const sf::Color c = entry.getPixel(x, y);
                    const float a = static_cast<float>(c.a) / 255.0f;
                    const float shown =
                        luma(c.r * a + panel.r * (1 - a), c.g * a + panel.g * (1 - a), c.b * a + panel.b * (1 - a)) /
                        255.0f;
                    contrasting += std::fabs(shown - back) > 0.5f ? 1 : 0;
                }
            }
            EXPECT_GT(contrasting, 400) << name << " on panel " << int(panel.r) << "," << int(panel.g);
        }
    }
}

TEST(GeneratedArt, LogoHalvesJoinIntoOnePicture) {
    const sf::Image upper = load(menus + "vantorel1.png");
    const sf::Image lower = load(menus + "vantorel2.png");
    float seam = 0.0f, drawn = 0.0f;
    for (unsigned x = 0; x < 512; ++x) {
        const float a = upper.getPixel(x, 127).a / 255.0f;
        const float b = lower.getPixel(x, 0).a / 255.0f;
        seam += std::fabs(a - b);
        drawn += a;
    }
    EXPECT_GT(drawn, 20.0f) << "the word crosses the seam";
    EXPECT_LT(seam / drawn, 0.35f) << "the rows either side of the seam continue each other";
}

}  // namespace
