// Menu images. Entries sit on the red menu panel and under the cyan
// highlight, so their words are white with a heavy black outline, which reads
// on both; headings drawn on black get a coloured neon halo instead.
#include <algorithm>
#include <cmath>

#include "app/image_paths.hpp"
#include "art.hpp"

namespace art {

namespace {

// White words with a black outline and shadow, legible on red and on cyan.
void outlined_words(Canvas& canvas, Typesetter& type, Face face, const std::string& text, float size, float baseline,
                    float outline) {
    Mask words = canvas.mask();
    const float fitted = type.fitting(face, text, size, static_cast<float>(canvas.width()) - 4.0f * outline - 8.0f);
    type.centred(words, face, text, fitted, static_cast<float>(canvas.width()) / 2.0f, baseline);
    const Mask rim = words.spread(outline);
    canvas.glow(rim, rgb(0, 0, 0, 0.7f), outline);
    canvas.paint(rim, rgb(0, 0, 0, 0.95f));
    canvas.paint(words, [&](float, float y) {
        // A faint cool tint towards the bottom of each letter keeps it neon.
        const float t = std::clamp((y - (baseline - fitted * 0.7f)) / (fitted * 0.7f), 0.0f, 1.0f);
        return mix(palette::white, rgb(215, 250, 255), t);
    });
}

// Words glowing in `halo` on a dark background.
void neon_words(Canvas& canvas, Typesetter& type, Face face, const std::string& text, float size, Vec centre_baseline,
                Colour core, Colour halo, float sigma) {
    Mask words = canvas.mask();
    type.centred(words, face, text, size, centre_baseline.x, centre_baseline.y);
    canvas.glow(words, halo, sigma);
    canvas.glow(words, halo, sigma / 3.0f);
    canvas.paint(words, core);
}

// A 512 x 64 title entry or a 256 x 64 pause entry.
sf::Image entry_image(Typesetter& type, const std::string& text, int width) {
    Canvas canvas(width, 64);
    outlined_words(canvas, type, Face::sans_bold, text, 38.0f, 45.0f, 3.0f);
    return canvas.image();
}

// The title logo, 512 x 256; the game loads it as two 128-pixel halves.
// The word sits between two mirror lines with a laser bouncing between them;
// the panel behind it cycles through light colours, so everything bright has
// a black outline.
sf::Image logo_image(Typesetter& type) {
    Canvas canvas(512, 256);
    Mask mirrors = canvas.mask();
    mirrors.line({24, 44}, {488, 44}, 5.0f);
    mirrors.line({24, 212}, {488, 212}, 5.0f);
    Mask beam = canvas.mask();
    std::vector<Vec> bounce;
    for (int i = 0; i <= 8; ++i) {
        bounce.push_back({24.0f + 58.0f * static_cast<float>(i), i % 2 == 0 ? 47.0f : 209.0f});
    }
    beam.polyline(bounce, 3.0f, false);
    Mask ink = mirrors;
    ink.add(beam);
    canvas.paint(ink.spread(2.5f), rgb(0, 0, 0, 0.9f));
    canvas.paint(mirrors, palette::cyan);
    canvas.paint(beam, rgb(255, 60, 60));

    Mask word = canvas.mask();
    const float size = type.fitting(Face::sans_bold, "VANTOREL", 118.0f, 470.0f);
    type.centred(word, Face::sans_bold, "VANTOREL", size, 256.0f, 128.0f + size * 0.36f);
    const Mask rim = word.spread(6.0f);
    canvas.glow(rim, rgb(0, 0, 0, 0.8f), 5.0f);
    canvas.paint(rim, palette::ink);
    canvas.paint(word.spread(1.5f), palette::cyan);
    canvas.paint(word, [](float, float y) {
        const float t = std::clamp((y - 80.0f) / 100.0f, 0.0f, 1.0f);
        return mix(palette::white, rgb(170, 245, 255), t);
    });
    return canvas.image();
}

// One half (0 upper, 1 lower) of the logo.
sf::Image logo_half(const sf::Image& logo, int half) {
    sf::Image out;
    out.create(512, 128);
    out.copy(logo, 0, 0, sf::IntRect(0, 128 * half, 512, 128));
    return out;
}

// The maker's mark: a cap with brindled stripes, drawn in amber light.
sf::Image brindlecap_image() {
    Canvas canvas(128, 64);
    const Colour amber = rgb(255, 170, 60);
    const Colour umber = rgb(150, 80, 30);
    Mask crown = canvas.mask();
    crown.fill_where(30, 8, 98, 46, [](float x, float y) {
        const float u = (x - 64.0f) / 30.0f;
        const float v = (y - 44.0f) / 34.0f;
        return u * u + v * v <= 1.0f && y <= 44.0f;
    });
    Mask stripes = canvas.mask();
    for (int i = 0; i < 9; ++i) {
        const float x = 30.0f + 9.0f * static_cast<float>(i);
        stripes.line({x, 46}, {x + 14.0f, 8}, 2.2f);
    }
    Mask fill = crown;
    canvas.paint(fill, with_alpha(umber, 0.8f));
    Mask streaks = stripes;
    Mask outside = canvas.mask();
    outside.rect(0, 0, 128, 64);
    outside.cut(crown);
    streaks.cut(outside);
    canvas.paint(streaks, amber);
    Mask edge = canvas.mask();
    edge.arc({64, 44}, 30.0f, 180.0f, 360.0f, 2.5f);
    edge.line({34, 44}, {94, 44}, 2.5f);
    // Brim: a swept peak to the right, and the button on the top.
    edge.polyline({{92, 44}, {110, 47}, {118, 52}, {104, 53}, {80, 49}}, 2.5f, false);
    edge.circle({64, 12}, 3.0f);
    canvas.neon(edge, rgb(255, 225, 160), with_alpha(amber, 0.9f), 2.5f);
    return canvas.image();
}

// A left-pointing arrow for the go-back button.
sf::Image goback_image() {
    Canvas canvas(64, 32);
    const std::vector<Vec> arrow{{6, 16}, {24, 3}, {24, 10}, {56, 10}, {56, 22}, {24, 22}, {24, 29}};
    Mask fill = canvas.mask();
    fill.polygon(arrow);
    canvas.paint(fill, rgb(0, 90, 110, 0.8f));
    Mask edge = canvas.mask();
    edge.polyline(arrow, 2.0f, true);
    canvas.neon(edge, palette::white, palette::cyan, 2.0f);
    return canvas.image();
}

// A 32 x 32 digit for the map buttons, bright on black.
sf::Image digit_image(Typesetter& type, int digit) {
    Canvas canvas(32, 32);
    neon_words(canvas, type, Face::mono_bold, std::to_string(digit), 30.0f, {16.0f, 27.0f}, palette::white,
               palette::cyan, 2.0f);
    return canvas.image();
}

// The prompt frame of the controls menu; its middle stays clear for the
// action's caption, which the menu draws there.
sf::Image assign_image(Typesetter& type) {
    Canvas canvas(512, 256);
    Mask panel = canvas.mask();
    panel.fill_where(4, 4, 508, 252, [](float x, float y) {
        const float dx = std::max(0.0f, std::max(16.0f - x, x - 496.0f));
        const float dy = std::max(0.0f, std::max(16.0f - y, y - 240.0f));
        return dx * dx + dy * dy <= 12.0f * 12.0f;
    });
    canvas.paint(panel, rgb(10, 18, 30, 0.92f));
    Mask edge = panel;
    Mask inside = canvas.mask();
    inside.fill_where(8, 8, 504, 248, [](float x, float y) {
        const float dx = std::max(0.0f, std::max(20.0f - x, x - 492.0f));
        const float dy = std::max(0.0f, std::max(20.0f - y, y - 236.0f));
        return dx * dx + dy * dy <= 12.0f * 12.0f;
    });
    edge.cut(inside);
    canvas.neon(edge, palette::cyan, palette::cyan, 3.0f);
    neon_words(canvas, type, Face::sans_bold, "Press a key or mouse button for", 24.0f, {256.0f, 48.0f}, palette::white,
               palette::cyan, 2.0f);
    neon_words(canvas, type, Face::sans, "Escape cancels", 16.0f, {256.0f, 228.0f}, rgb(200, 210, 220),
               with_alpha(palette::cyan, 0.6f), 1.5f);
    return canvas.image();
}

// A 256 x 128 action caption for the controls prompt.
sf::Image caption_image(Typesetter& type, const std::string& word) {
    Canvas canvas(256, 128);
    const float size = type.fitting(Face::sans_bold, word, 64.0f, 230.0f);
    neon_words(canvas, type, Face::sans_bold, word, size, {128.0f, 64.0f + size * 0.36f}, palette::white,
               rgb(255, 150, 30), 4.0f);
    return canvas.image();
}

// The story page: a framed sheet with the tale of the Lattice.
sf::Image story_image(Typesetter& type) {
    Canvas canvas(512, 512);
    Mask sheet = canvas.mask();
    sheet.rect(2, 2, 508, 508);
    canvas.paint(sheet, rgb(6, 10, 22, 0.95f));
    Mask edge = canvas.mask();
    edge.polyline({{4, 4}, {508, 4}, {508, 508}, {4, 508}}, 3.0f, true);
    canvas.neon(edge, palette::cyan, palette::cyan, 2.5f);
    neon_words(canvas, type, Face::sans_bold, "The Lattice", 34.0f, {256.0f, 52.0f}, palette::white, palette::cyan,
               3.0f);
    Mask rule = canvas.mask();
    rule.line({150, 66}, {362, 66}, 2.0f);
    canvas.neon(rule, rgb(255, 80, 80), rgb(255, 40, 40), 1.5f);

    const char* paragraphs[] = {
        "Vantorel was a city built of light. Its engineers drew walls as lines of "
        "white fire, set mirrors of cyan glass at every turn, and raised gates of "
        "red, green and blue that opened only when a beam struck the right switch.",
        "Then the Lattice woke. The sentries that kept its corridors turned on "
        "the people they had guarded: the basic sentries charge whatever moves, "
        "the smart ones trace every mirror for a target, and the turrets never tire.",
        "You are the last technician with a beam gun. Bounce your shots off the "
        "mirrors, flip the gates, take the medkits and charges you find, and reach "
        "the portal at the heart of each maze.",
        "Five mazes stand between you and the core. Shut the sentries down and "
        "give the city of light back to its people."};
    Mask text = canvas.mask();
    float baseline = 100.0f;
    const float size = 15.0f;
    for (const char* paragraph : paragraphs) {
        for (const std::string& line : type.wrap(Face::sans, paragraph, size, 452.0f)) {
            type.draw(text, Face::sans, line, size, {30.0f, baseline});
            baseline += 20.0f;
        }
        baseline += 10.0f;
    }
    canvas.paint(text, rgb(225, 235, 245));
    neon_words(canvas, type, Face::sans_bold, "Good luck.", 18.0f, {256.0f, std::min(baseline + 14.0f, 446.0f)},
               palette::white, rgb(255, 150, 30), 2.5f);
    // Footer: a shot bouncing between two mirrors, as on the title logo.
    Mask mirrors = canvas.mask();
    mirrors.line({60, 464}, {452, 464}, 3.0f);
    mirrors.line({60, 494}, {452, 494}, 3.0f);
    canvas.neon(mirrors, palette::cyan, palette::cyan, 2.0f);
    Mask beam = canvas.mask();
    std::vector<Vec> bounce;
    for (int i = 0; i <= 8; ++i)
        bounce.push_back({60.0f + 49.0f * static_cast<float>(i), i % 2 == 0 ? 467.0f : 491.0f});
    beam.polyline(bounce, 2.0f, false);
    canvas.neon(beam, rgb(255, 120, 120), rgb(255, 40, 40), 2.0f);
    return canvas.image();
}

// The 16 x 16 window icon: a cyan V on a dark tile.
sf::Image icon_image() {
    Canvas canvas(16, 16);
    Mask tile = canvas.mask();
    tile.rect(0, 0, 16, 16);
    canvas.paint(tile, rgb(8, 12, 24));
    Mask v = canvas.mask();
    v.polyline({{3, 3}, {8, 13}, {13, 3}}, 2.5f, false);
    canvas.neon(v, palette::white, palette::cyan, 1.2f);
    return canvas.image();
}

// One 16 x 16 lower-case letter of the credit line.
sf::Image letter_image(Typesetter& type, char letter) {
    Canvas canvas(16, 16);
    Mask glyph = canvas.mask();
    type.centred(glyph, Face::sans_bold, std::string(1, letter), 15.0f, 8.0f, 12.0f);
    canvas.paint(glyph.spread(1.5f), rgb(0, 0, 0, 0.9f));
    canvas.paint(glyph, palette::white);
    return canvas.image();
}

}  // namespace

std::vector<Picture> menu_pictures(Typesetter& type) {
    std::vector<Picture> out;
    auto add = [&](const std::string& path, sf::Image image) {
        out.push_back({path, std::move(image), Blend::alpha, true});
    };
    const sf::Image logo = logo_image(type);
    add(image_paths::logo_top, logo_half(logo, 0));
    add(image_paths::logo_bottom, logo_half(logo, 1));
    add(image_paths::title_entries[0], entry_image(type, "Play Game", 512));
    add(image_paths::title_entries[1], entry_image(type, "Custom Map", 512));
    add(image_paths::title_entries[2], entry_image(type, "Controls", 512));
    add(image_paths::title_entries[3], entry_image(type, "Story", 512));
    add(image_paths::title_entries[4], entry_image(type, "Quit Game", 512));
    add(image_paths::maker_logo, brindlecap_image());
    {
        // Two lines in the left 140 px: at 800 px wide the red menu panel starts
        // at x = 144 and would swallow the right half of a single line.
        Canvas canvas(256, 64);
        const float size = type.fitting(Face::sans_bold, "a brindlecap", 20.0f, 132.0f);
        neon_words(canvas, type, Face::sans_bold, "a brindlecap", size, {70.0f, 26.0f}, rgb(255, 235, 200),
                   rgb(255, 150, 40), 2.0f);
        neon_words(canvas, type, Face::sans_bold, "game", size, {70.0f, 52.0f}, rgb(255, 235, 200), rgb(255, 150, 40),
                   2.0f);
        add(image_paths::maker_caption, canvas.image());
    }
    {
        Canvas canvas(64, 32);
        neon_words(canvas, type, Face::sans_bold, "v0.1", 16.0f, {32.0f, 22.0f}, rgb(220, 230, 240),
                   with_alpha(palette::cyan, 0.6f), 1.5f);
        add(image_paths::version, canvas.image());
    }
    {
        Canvas canvas(512, 64);
        neon_words(canvas, type, Face::sans_bold, "Select Map", 42.0f, {256.0f, 46.0f}, palette::white, palette::cyan,
                   4.0f);
        add(image_paths::select_map, canvas.image());
    }
    add(image_paths::go_back, goback_image());
    for (int digit = 0; digit <= 9; ++digit) add(image_paths::digit(digit), digit_image(type, digit));
    {
        Canvas canvas(256, 128);
        outlined_words(canvas, type, Face::sans_bold, "Paused", 64.0f, 86.0f, 4.0f);
        add(image_paths::paused, canvas.image());
    }
    add(image_paths::pause_return, entry_image(type, "Return", 256));
    add(image_paths::pause_restart, entry_image(type, "Restart", 256));
    add(image_paths::pause_exit, entry_image(type, "Exit", 256));
    add(image_paths::assign_frame, assign_image(type));
    const char* captions[] = {"Jump", "Duck", "Left", "Right", "Shoot", "Shield"};
    for (size_t a = 0; a < image_paths::action_prompts.size(); ++a) {
        add(image_paths::action_prompts[a], caption_image(type, captions[a]));
    }
    add(image_paths::story_page, story_image(type));
    add(image_paths::window_icon, icon_image());
    for (const char letter : std::string("creatdbyinlp")) {
        add(image_paths::credit_letter(letter), letter_image(type, letter));
    }
    return out;
}

}  // namespace art
