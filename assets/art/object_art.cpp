// World objects: switches, enemies, pickups, checkpoints, the explosion, the
// exit portal and the mouse cursor. All but the switches and the cursor are
// drawn additively by the game, so they are light on transparent black.
#include <algorithm>
#include <cmath>

#include "app/image_paths.hpp"
#include "art.hpp"

namespace art {

namespace {

Colour dimmed(Colour c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
Colour whitened(Colour c, float k) { return mix(c, palette::white, k); }

// Regular polygon points, first vertex at `start_deg`.
std::vector<Vec> regular(Vec centre, float radius, int sides, float start_deg) {
    std::vector<Vec> pts;
    for (int i = 0; i < sides; ++i) {
        pts.push_back(polar(centre, radius, start_deg + 360.0f * static_cast<float>(i) / static_cast<float>(sides)));
    }
    return pts;
}

// A switch: a dark housing with a symbol per colour (red triangle, green
// square, blue circle) so colour is not the only cue. On is a lit, filled
// symbol with a halo; off is the same symbol hollow and dim.
sf::Image switch_image(int colour, bool on) {
    const Colour hue = colour == 1 ? palette::red : colour == 2 ? palette::green : palette::blue;
    const Vec c{16.0f, 16.0f};
    Canvas canvas(32, 32);
    Mask housing = canvas.mask();
    housing.circle(c, 14.0f);
    canvas.paint(housing, rgb(12, 12, 16, 0.9f));
    Mask rim = canvas.mask();
    rim.ring(c, 13.5f, 2.0f);
    canvas.paint(rim, on ? whitened(hue, 0.35f) : rgb(110, 110, 120));

    Mask symbol = canvas.mask();
    if (colour == 1) {
        symbol.polygon(regular({16.0f, 17.5f}, 9.0f, 3, -90.0f));
    } else if (colour == 2) {
        symbol.rect(9.0f, 9.0f, 14.0f, 14.0f);
    } else {
        symbol.circle(c, 7.5f);
    }
    if (on) {
        canvas.glow(symbol, with_alpha(hue, 0.9f), 2.5f);
        canvas.paint(symbol, hue);
        Mask core = canvas.mask();
        core.circle(c, 3.0f);
        canvas.glow(core, palette::white, 1.5f);
        canvas.paint(core, whitened(hue, 0.8f));
    } else {
        Mask hollow = symbol;
        Mask inner = canvas.mask();
        if (colour == 1) {
            inner.polygon(regular({16.0f, 17.5f}, 5.0f, 3, -90.0f));
        } else if (colour == 2) {
            inner.rect(11.5f, 11.5f, 9.0f, 9.0f);
        } else {
            inner.circle(c, 5.0f);
        }
        hollow.cut(inner);
        canvas.paint(hollow, dimmed(hue, 0.6f));
    }
    return canvas.image();
}

// Basic enemy: a spiked arrowhead that rams along its heading.
sf::Image basic_enemy_image() {
    Canvas canvas(32, 32);
    const std::vector<Vec> body{{29, 16}, {9, 5}, {13, 16}, {9, 27}};
    Mask fill = canvas.mask();
    fill.polygon(body);
    canvas.paint(fill, dimmed(palette::basic_enemy, 0.45f));
    Mask edge = canvas.mask();
    edge.polyline(body, 2.0f, true);
    // Spikes on the back corners and a row of teeth on the tail.
    edge.line({9, 5}, {3, 3}, 2.0f);
    edge.line({9, 27}, {3, 29}, 2.0f);
    edge.line({13, 16}, {4, 16}, 2.0f);
    canvas.neon(edge, palette::basic_enemy, with_alpha(palette::basic_enemy, 0.8f), 2.0f);
    Mask eye = canvas.mask();
    eye.line({17, 16}, {23, 16}, 2.5f);
    canvas.neon(eye, palette::white, with_alpha(palette::basic_enemy, 1.0f), 1.5f);
    return canvas.image();
}

// Smart enemy: a round eye that looks along its heading, with a sight stub.
sf::Image smart_enemy_image() {
    Canvas canvas(32, 32);
    const Vec c{14.0f, 16.0f};
    Mask fill = canvas.mask();
    fill.circle(c, 10.0f);
    canvas.paint(fill, dimmed(palette::smart_enemy, 0.35f));
    Mask edge = canvas.mask();
    edge.ring(c, 10.0f, 2.0f);
    edge.arc(c, 13.5f, 120.0f, 240.0f, 1.5f);  // brow on the back of the head
    canvas.neon(edge, palette::smart_enemy, with_alpha(palette::smart_enemy, 0.8f), 2.0f);
    Mask iris = canvas.mask();
    iris.circle({19.0f, 16.0f}, 4.5f);
    canvas.paint(iris, whitened(palette::smart_enemy, 0.3f));
    Mask pupil = canvas.mask();
    pupil.circle({20.5f, 16.0f}, 2.0f);
    canvas.paint(pupil, palette::white);
    Mask sight = canvas.mask();
    sight.line({25.0f, 16.0f}, {31.0f, 16.0f}, 1.2f);
    canvas.neon(sight, whitened(palette::smart_enemy, 0.6f), with_alpha(palette::smart_enemy, 0.7f), 1.0f);
    return canvas.image();
}

// Turret: a square armoured base with a dome and a barrel along its heading.
sf::Image turret_enemy_image() {
    Canvas canvas(32, 32);
    Mask base = canvas.mask();
    base.rect(4, 6, 20, 20);
    canvas.paint(base, dimmed(palette::turret_enemy, 0.35f));
    Mask edge = canvas.mask();
    edge.polyline({{4, 6}, {24, 6}, {24, 26}, {4, 26}}, 2.0f, true);
    edge.line({4, 6}, {9, 11}, 1.2f);
    edge.line({4, 26}, {9, 21}, 1.2f);
    canvas.neon(edge, palette::turret_enemy, with_alpha(palette::turret_enemy, 0.8f), 2.0f);
    Mask barrel = canvas.mask();
    barrel.rect(17, 13.5f, 14, 5);
    canvas.paint(barrel, dimmed(palette::turret_enemy, 0.5f));
    Mask barrel_edge = canvas.mask();
    barrel_edge.polyline({{20, 13.5f}, {30.5f, 13.5f}, {30.5f, 18.5f}, {20, 18.5f}}, 1.5f, false);
    canvas.neon(barrel_edge, whitened(palette::turret_enemy, 0.3f), with_alpha(palette::turret_enemy, 0.7f), 1.5f);
    Mask dome = canvas.mask();
    dome.circle({14, 16}, 5.0f);
    canvas.neon(dome, whitened(palette::turret_enemy, 0.5f), with_alpha(palette::turret_enemy, 0.9f), 1.5f);
    return canvas.image();
}

// Medkit: a white case with a green cross (green is the healthy bar colour).
sf::Image medkit_image() {
    Canvas canvas(32, 32);
    Mask handle = canvas.mask();
    handle.polyline({{12, 8}, {12, 5}, {20, 5}, {20, 8}}, 2.0f, false);
    Mask box = canvas.mask();
    box.polyline({{4, 8}, {28, 8}, {28, 27}, {4, 27}}, 2.0f, true);
    box.add(handle);
    canvas.neon(box, palette::white, with_alpha(palette::white, 0.5f), 1.5f);
    Mask cross = canvas.mask();
    cross.rect(13.5f, 11.0f, 5.0f, 13.0f);
    cross.rect(9.5f, 15.0f, 13.0f, 5.0f);
    canvas.neon(cross, palette::green, with_alpha(palette::green, 0.9f), 2.0f);
    return canvas.image();
}

// Extra life: a heart with a plus.
sf::Image extralife_image() {
    Canvas canvas(32, 32);
    Mask heart = canvas.mask();
    heart.fill_where(0, 0, 32, 32, [](float x, float y) {
        // Implicit heart curve, scaled to about 24 px wide and centred.
        const float u = (x - 16.0f) / 12.0f;
        const float v = -(y - 15.0f) / 12.0f;
        const float a = u * u + v * v - 1.0f;
        return a * a * a - u * u * v * v * v <= 0.0f;
    });
    Mask inner = canvas.mask();
    inner.fill_where(0, 0, 32, 32, [](float x, float y) {
        const float u = (x - 16.0f) / 9.0f;
        const float v = -(y - 14.0f) / 9.0f;
        const float a = u * u + v * v - 1.0f;
        return a * a * a - u * u * v * v * v <= 0.0f;
    });
    canvas.paint(inner, dimmed(palette::life, 0.55f));
    Mask rim = heart;
    rim.cut(inner);
    canvas.neon(rim, palette::life, with_alpha(palette::life, 0.9f), 2.0f);
    Mask plus = canvas.mask();
    plus.line({16, 10}, {16, 20}, 2.5f);
    plus.line({11, 15}, {21, 15}, 2.5f);
    canvas.paint(plus, palette::white);
    return canvas.image();
}

// Power-up: a lightning bolt in a hexagon.
sf::Image powerup_image() {
    Canvas canvas(32, 32);
    Mask hex = canvas.mask();
    hex.polyline(regular({16, 16}, 13.5f, 6, 90.0f), 2.0f, true);
    canvas.neon(hex, whitened(palette::power, 0.2f), with_alpha(palette::power, 0.8f), 2.0f);
    Mask bolt = canvas.mask();
    bolt.polygon({{18, 5}, {9, 18}, {15, 18}, {13, 27}, {23, 13}, {17, 13}});
    canvas.glow(bolt, with_alpha(palette::power, 1.0f), 2.0f);
    canvas.paint(bolt, whitened(palette::power, 0.55f));
    return canvas.image();
}

// Checkpoint: a beacon pole standing on the bottom edge. Not yet touched it
// is dim with a hollow flag hanging low; once touched the flag is raised to
// the top, filled and lit.
sf::Image checkpoint_image(bool hit) {
    Canvas canvas(32, 64);
    const Colour hue = hit ? palette::green : rgb(150, 170, 190);
    Mask base = canvas.mask();
    base.rect(6, 60, 20, 4);
    base.line({11, 60}, {13, 56}, 2.0f);
    base.line({17, 60}, {15, 56}, 2.0f);
    Mask pole = canvas.mask();
    pole.line({14, 58}, {14, 7}, 2.5f);
    base.add(pole);
    canvas.neon(base, hit ? palette::white : dimmed(palette::white, 0.6f), with_alpha(hue, hit ? 0.7f : 0.3f), 1.5f);
    const float top = hit ? 8.0f : 34.0f;
    const std::vector<Vec> flag{{15.5f, top}, {29.0f, top + 6.0f}, {15.5f, top + 12.0f}};
    Mask cloth = canvas.mask();
    if (hit) {
        cloth.polygon(flag);
        canvas.glow(cloth, palette::green, 3.0f);
        canvas.paint(cloth, whitened(palette::green, 0.2f));
        Mask lamp = canvas.mask();
        lamp.circle({14, 5}, 3.0f);
        canvas.neon(lamp, palette::white, palette::green, 2.5f);
    } else {
        cloth.polyline(flag, 1.5f, true);
        canvas.paint(cloth, dimmed(hue, 0.9f));
    }
    return canvas.image();
}

// One frame (1..5) of an enemy's explosion: a white-hot ball that swells
// into a ring of fire, thins and cools while sparks fly out.
sf::Image death_image(int frame) {
    const float t = static_cast<float>(frame - 1) / 4.0f;  // 0 first frame .. 1 last
    const Vec c{16.0f, 16.0f};
    Canvas canvas(32, 32);
    const Colour hot = mix(rgb(255, 255, 220), rgb(255, 150, 40), std::min(1.0f, t * 1.5f));
    const Colour rim = mix(rgb(255, 200, 60), rgb(255, 40, 20), t);
    const float outer = 5.0f + 9.0f * t;
    const float hollow = outer * (0.75f * t + 0.1f * t * t);
    Mask fire = canvas.mask();
    fire.circle(c, outer);
    Mask centre = canvas.mask();
    if (hollow > 0.5f) centre.circle(c, hollow);
    fire.cut(centre);
    canvas.glow(fire, rim, 1.5f + 1.5f * t);
    canvas.paint(fire, [&](float x, float y) {
        // Hotter towards the inside edge of the ring, cooler outside.
        const float d = std::sqrt((x - c.x) * (x - c.x) + (y - c.y) * (y - c.y));
        const float k = outer > hollow ? std::clamp((d - hollow) / (outer - hollow), 0.0f, 1.0f) : 0.0f;
        return mix(hot, rim, k);
    });
    Mask sparks = canvas.mask();
    for (int i = 0; i < 8; ++i) {
        const float heading = 22.5f + 45.0f * static_cast<float>(i) + 9.0f * static_cast<float>(i % 3);
        const float reach = outer + (i % 2 == 0 ? 2.0f : 0.5f) + 1.5f * t;
        sparks.line(polar(c, reach, heading), polar(c, reach + 2.5f - t, heading), 1.4f);
    }
    canvas.glow(sparks, rgb(255, 160, 40), 1.0f);
    canvas.paint(sparks, rgb(255, 240, 170));
    canvas.fade(1.0f - 0.55f * t * t);
    return canvas.image();
}

// Exit portal: rings around a three-armed spiral with one bright marker, so
// every 30-degree turn the game gives it shows as motion.
sf::Image exit_image() {
    const Vec c{32.0f, 32.0f};
    Canvas canvas(64, 64);
    Mask disc = canvas.mask();
    disc.circle(c, 27.0f);
    canvas.paint(disc, rgb(40, 10, 70, 0.6f));
    Mask rings = canvas.mask();
    rings.ring(c, 28.0f, 2.0f);
    canvas.neon(rings, whitened(palette::cyan, 0.4f), palette::cyan, 2.0f);
    Mask arms = canvas.mask();
    for (int arm = 0; arm < 3; ++arm) {
        std::vector<Vec> pts;
        for (int i = 0; i <= 24; ++i) {
            const float s = static_cast<float>(i) / 24.0f;
            pts.push_back(polar(c, 4.0f + 21.0f * s, 120.0f * static_cast<float>(arm) + 200.0f * s));
        }
        arms.polyline(pts, 3.0f, false);
    }
    canvas.glow(arms, rgb(190, 80, 255), 2.5f);
    canvas.paint(arms, rgb(225, 170, 255));
    Mask marker = canvas.mask();
    marker.circle(polar(c, 22.0f, 200.0f), 3.0f);
    canvas.neon(marker, palette::white, palette::cyan, 2.0f);
    Mask core = canvas.mask();
    core.circle(c, 5.5f);
    canvas.neon(core, palette::white, rgb(200, 120, 255), 3.0f);
    return canvas.image();
}

// Cursor: a ringed crosshair with a dark outline so it reads on black walls,
// the red menu panel and the cyan highlight alike; hot spot at (8, 8).
sf::Image cursor_image() {
    const Vec c{8.0f, 8.0f};
    Canvas canvas(16, 16);
    Mask marks = canvas.mask();
    marks.ring(c, 5.0f, 1.5f);
    marks.line({8, 0.8f}, {8, 3.5f}, 1.5f);
    marks.line({8, 12.5f}, {8, 15.2f}, 1.5f);
    marks.line({0.8f, 8}, {3.5f, 8}, 1.5f);
    marks.line({12.5f, 8}, {15.2f, 8}, 1.5f);
    marks.circle(c, 1.5f);
    canvas.paint(marks.spread(1.2f), rgb(0, 0, 0, 0.85f));
    canvas.paint(marks, palette::white);
    Mask dot = canvas.mask();
    dot.circle(c, 1.2f);
    canvas.paint(dot, rgb(255, 60, 60));
    return canvas.image();
}

}  // namespace

std::vector<Picture> object_pictures() {
    std::vector<Picture> out;
    for (int on = 1; on >= 0; --on) {
        for (int colour = 1; colour <= 3; ++colour) {
            out.push_back({image_paths::switches[static_cast<size_t>(3 * on + colour - 1)],
                           switch_image(colour, on != 0), Blend::alpha});
        }
    }
    out.push_back({image_paths::enemies[0], basic_enemy_image()});
    out.push_back({image_paths::enemies[1], smart_enemy_image()});
    out.push_back({image_paths::enemies[2], turret_enemy_image()});
    out.push_back({image_paths::pickups[0], medkit_image()});
    out.push_back({image_paths::pickups[1], extralife_image()});
    out.push_back({image_paths::pickups[2], powerup_image()});
    out.push_back({image_paths::checkpoint, checkpoint_image(false)});
    out.push_back({image_paths::checkpoint_hit, checkpoint_image(true)});
    for (int frame = 1; frame <= 5; ++frame) {
        out.push_back({image_paths::deaths[static_cast<size_t>(frame - 1)], death_image(frame)});
    }
    out.push_back({image_paths::exit, exit_image()});
    out.push_back({image_paths::cursor, cursor_image(), Blend::alpha});
    return out;
}

}  // namespace art
