// The player: a helmeted figure in a light suit facing +x (the game mirrors
// it), and the gun arm that turns about its shoulder. Every image is drawn
// additively, so it is light on transparent black.
#include "app/image_paths.hpp"
#include "art.hpp"

namespace art {

namespace {

// One leg from the hip through the knee to the foot; the foot points +x.
struct Leg {
    Vec hip;
    Vec knee;
    Vec heel;
};

Colour dimmed(Colour c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }

// Draw a leg with a boot; the far leg is dimmer so the stride reads which
// leg leads.
void draw_leg(Canvas& canvas, const Leg& leg, bool far) {
    Mask m = canvas.mask();
    m.line(leg.hip, leg.knee, 3.5f);
    m.line(leg.knee, leg.heel, 3.0f);
    m.polygon({{leg.heel.x - 1.5f, leg.heel.y - 2.5f},
               {leg.heel.x + 2.0f, leg.heel.y - 2.5f},
               {leg.heel.x + 4.5f, leg.heel.y + 0.5f},
               {leg.heel.x + 4.5f, leg.heel.y + 2.0f},
               {leg.heel.x - 1.5f, leg.heel.y + 2.0f}});
    const Colour c = far ? dimmed(palette::hero, 0.45f) : palette::hero;
    canvas.neon(m, c, with_alpha(palette::hero, far ? 0.3f : 0.6f), 1.5f);
    Mask knee = canvas.mask();
    knee.circle(leg.knee, 1.0f);
    canvas.paint(knee, far ? dimmed(palette::white, 0.5f) : palette::white);
}

// Helmet with a visor on the facing side.
void draw_head(Canvas& canvas, Vec centre) {
    Mask fill = canvas.mask();
    fill.circle(centre, 6.5f);
    canvas.paint(fill, dimmed(palette::hero, 0.25f));
    Mask shell = canvas.mask();
    shell.ring(centre, 6.5f, 2.0f);
    canvas.neon(shell, palette::hero, with_alpha(palette::hero, 0.6f), 1.5f);
    Mask visor = canvas.mask();
    visor.polygon({{centre.x + 0.5f, centre.y - 2.5f},
                   {centre.x + 6.0f, centre.y - 2.5f},
                   {centre.x + 6.0f, centre.y + 1.5f},
                   {centre.x + 2.0f, centre.y + 1.5f}});
    canvas.neon(visor, mix(palette::visor, palette::white, 0.3f), palette::visor, 1.5f);
}

// Torso from shoulders (y) down to the hips: broad shoulders, a narrow
// belted waist, a backpack on the back and a chest lamp.
void draw_torso(Canvas& canvas, Vec shoulder, Vec hip) {
    const float waist = shoulder.y + (hip.y - shoulder.y) * 0.7f;
    const std::vector<Vec> outline{{shoulder.x - 5.0f, shoulder.y},
                                   {shoulder.x + 5.0f, shoulder.y},
                                   {shoulder.x + 7.0f, shoulder.y + 2.5f},
                                   {hip.x + 4.0f, waist},
                                   {hip.x + 5.0f, hip.y},
                                   {hip.x - 5.0f, hip.y},
                                   {hip.x - 4.0f, waist},
                                   {shoulder.x - 7.0f, shoulder.y + 2.5f}};
    Mask fill = canvas.mask();
    fill.polygon(outline);
    canvas.paint(fill, dimmed(palette::hero, 0.22f));
    Mask edge = canvas.mask();
    edge.polyline(outline, 2.0f, true);
    edge.line({hip.x - 4.0f, waist + 1.5f}, {hip.x + 4.0f, waist + 1.5f}, 1.5f);  // belt
    edge.polyline({{shoulder.x - 7.5f, shoulder.y + 3.5f},
                   {shoulder.x - 10.5f, shoulder.y + 4.5f},
                   {shoulder.x - 10.5f, waist - 2.0f},
                   {hip.x - 5.0f, waist - 1.0f}},
                  2.0f, false);  // backpack
    canvas.neon(edge, palette::hero, with_alpha(palette::hero, 0.6f), 1.5f);
    Mask lamp = canvas.mask();
    lamp.circle({shoulder.x + 2.5f, shoulder.y + 6.0f}, 1.6f);
    canvas.neon(lamp, palette::white, palette::cyan, 1.5f);
}

// Upright body; stride -2..2 moves the near leg forward (positive) or back.
sf::Image standing_image(int stride) {
    Canvas canvas(32, 64);
    const float s = static_cast<float>(stride);
    const Leg far_leg{{14, 39}, {13.0f - 2.5f * s, 50}, {13.0f - 3.0f * s, 61.5f}};
    const Leg near_leg{{18, 39}, {19.0f + 2.5f * s, 50.0f - (s != 0 ? 1.0f : 0.0f)}, {18.5f + 3.0f * s, 61.5f}};
    draw_leg(canvas, far_leg, true);
    draw_torso(canvas, {16, 18}, {16, 39});
    draw_leg(canvas, near_leg, false);
    draw_head(canvas, {16, 9});
    return canvas.image();
}

// Crouched body in the lower half; step 0..4 shuffles the feet apart.
sf::Image ducking_image(int step) {
    Canvas canvas(32, 64);
    const float k = static_cast<float>(step);
    const float bob = step % 2 == 1 ? 1.0f : 0.0f;
    const Leg far_leg{{13, 52 + bob}, {20.0f - k, 54}, {11.0f - 0.8f * k, 61.5f}};
    const Leg near_leg{{16, 52 + bob}, {23.0f + 0.6f * k, 55}, {16.0f + 1.2f * k, 61.5f}};
    draw_leg(canvas, far_leg, true);
    draw_torso(canvas, {17, 41 + bob}, {15, 52 + bob});
    draw_leg(canvas, near_leg, false);
    draw_head(canvas, {19, 33.5f + bob});
    return canvas.image();
}

// Gun arm, frame 0..5: a sleeve from the shoulder pivot at (32, 4) to the
// hand, then the gun to the right edge where the shot leaves. A light pulse
// runs along the gun's cell; when powered the whole gun burns gold. The arm
// is symmetric about its axis because the game turns it but never mirrors it,
// so aiming left shows it upside down.
sf::Image arm_image(int frame, bool powered) {
    Canvas canvas(64, 8);
    Mask sleeve = canvas.mask();
    sleeve.line({32, 4}, {42, 4}, 3.5f);
    canvas.neon(sleeve, palette::hero, with_alpha(palette::hero, 0.5f), 1.0f);
    Mask shoulder = canvas.mask();
    shoulder.circle({32, 4}, 2.5f);
    canvas.paint(shoulder, palette::white);

    const Colour metal = powered ? palette::power : rgb(170, 185, 210);
    Mask body = canvas.mask();
    body.rect(42, 1.5f, 14, 5);
    Mask edge = canvas.mask();
    edge.polyline({{42, 1.5f}, {56, 1.5f}, {56, 6.5f}, {42, 6.5f}}, 1.2f, true);
    edge.rect(56, 3, 7.6f, 2);  // barrel to the muzzle at the edge
    if (powered) {
        // Charged: the whole gun burns, body filled with light.
        Mask gun = body;
        gun.add(edge);
        canvas.glow(gun, palette::power, 2.0f);
        canvas.paint(body, mix(palette::power, palette::white, 0.2f));
        canvas.paint(edge, mix(metal, palette::white, 0.6f));
    } else {
        canvas.paint(body, dimmed(metal, 0.25f));
        canvas.neon(edge, metal, with_alpha(palette::cyan, 0.35f), 1.0f);
    }

    // The pulse: a bright dot that travels from the cell to the muzzle.
    Mask pulse = canvas.mask();
    const float x = 44.0f + 3.6f * static_cast<float>(frame);
    pulse.circle({x, 4.0f}, powered ? 1.8f : 1.3f);
    canvas.neon(pulse, palette::white, powered ? palette::power : palette::cyan, 1.2f);
    Mask muzzle = canvas.mask();
    muzzle.circle({63, 4}, powered ? 1.6f : 1.0f);
    canvas.paint(muzzle, powered ? palette::white : with_alpha(palette::cyan, 0.8f));
    return canvas.image();
}

}  // namespace

std::vector<Picture> player_pictures() {
    std::vector<Picture> out;
    out.push_back({image_paths::bodies[0], standing_image(0)});
    const int strides[] = {1, 2, -1, -2};
    for (size_t i = 0; i < 4; ++i) out.push_back({image_paths::bodies[i + 1], standing_image(strides[i])});
    for (size_t i = 0; i < 5; ++i) out.push_back({image_paths::duckings[i], ducking_image(static_cast<int>(i))});
    for (size_t frame = 0; frame < 6; ++frame)
        out.push_back({image_paths::arms[frame], arm_image(static_cast<int>(frame), false)});
    for (size_t frame = 0; frame < 6; ++frame) {
        out.push_back({image_paths::powered_arms[frame], arm_image(static_cast<int>(frame), true)});
    }
    return out;
}

}  // namespace art
