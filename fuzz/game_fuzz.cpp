// The whole game. The input's first bytes build a small, mostly valid map
// (every segment type and erasers, switches, every enemy kind at any heading,
// pickups, checkpoints) and settings from their useful ranges; the rest are
// the inputs of each update. The game is played with 1 and with 2 workers:
// after every update the player's health lies within 0 and its maximum and
// every enemy stands inside the grid, and both plays agree update by update.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.hpp"
#include "check.hpp"
#include "combat/combat_state.hpp"
#include "combat/geometry.hpp"
#include "game/frame.hpp"
#include "game/update.hpp"
#include "world/map_text.hpp"
#include "world/world_state.hpp"

namespace {

constexpr int most_updates = 300;
constexpr int least_updates = 40;  // played even when the input runs out early
constexpr int bytes_per_update = 3;

// Reads the input from the front; past its end every byte is 0.
class Bytes {
public:
    Bytes(const uint8_t* data, size_t size) : data_(data), left_(size) {}
    uint8_t byte() {
        if (left_ == 0) return 0;
        --left_;
        return *data_++;
    }
    // A value in lo .. hi from two bytes.
    int32_t in(int32_t lo, int32_t hi) {
        const uint32_t v = byte() | uint32_t{byte()} << 8;
        return lo + static_cast<int32_t>(v % static_cast<uint32_t>(hi - lo + 1));
    }
    template <class T, size_t N>
    T pick(const T (&options)[N]) {
        return options[byte() % N];
    }
    size_t left() const { return left_; }

private:
    const uint8_t* data_;
    size_t left_;
};

// Any finite heading: whole degrees, fractions, far beyond a turn, or huge.
float heading(Bytes& in) {
    switch (in.byte() % 4) {
        case 0: return static_cast<float>(in.in(-720, 720));
        case 1: return static_cast<float>(in.in(-36000, 36000)) / 100.0f;
        case 2: return static_cast<float>(in.in(-30000, 30000)) * 1000.0f;
        default: return std::bit_cast<float>((uint32_t{in.byte()} << 24 | uint32_t{in.byte()} << 16) & 0xfe7f0000u);
    }
}

std::string map_text(Bytes& in) {
    MapSource m;
    m.width = in.in(48, 360);
    m.height = in.in(48, 280);
    const int32_t w = m.width, h = m.height;
    auto inside = [&](int32_t size, int32_t margin) { return in.in(margin, size - 1 - margin); };
    auto near = [&](int32_t size) { return in.in(-4, size + 4); };
    m.start_x = inside(w, 8);
    m.start_y = inside(h, 8);
    m.exit_x = m.exit_y = 30000;  // far off for one map in four
    if (in.byte() % 4) {
        m.exit_x = inside(w, 4);
        m.exit_y = inside(h, 4);
    }
    // Braced lists take their values left to right, so the input is read in the text's order.
    const int32_t segment_types[] = {1, 1, 1, 2, 2, 3, 4, 5, 5, 0, 7, -2};
    m.segments.resize(static_cast<size_t>(in.in(0, 20)));
    for (MapSegment& s : m.segments) s = {near(w), near(h), near(w), near(h), in.pick(segment_types)};

    const int32_t colours[] = {1, 2, 3, 1, 2, 3, 0, 4};
    m.switches.resize(static_cast<size_t>(in.in(0, 4)));
    for (MapSwitch& s : m.switches) s = {inside(w, 0), inside(h, 0), in.pick(colours)};

    const int32_t kinds[] = {1, 2, 3, 1, 2, 3, 0, 4};
    m.enemies.resize(static_cast<size_t>(in.in(0, 10)));
    for (MapEnemy& e : m.enemies) e = {inside(w, 0), inside(h, 0), in.pick(kinds), heading(in)};

    const int32_t pickup_kinds[] = {1, 2, 3, 1, 2, 3, 0, 4};
    m.pickups.resize(static_cast<size_t>(in.in(0, 6)));
    for (MapPickup& p : m.pickups) p = {inside(w, 0), inside(h, 0), in.pick(pickup_kinds)};

    m.checkpoints.resize(static_cast<size_t>(in.in(0, 4)));
    for (MapCheckpoint& c : m.checkpoints) c = {inside(w, 0), inside(h, 0)};
    return write_map_text(m, MapTextForm::compact);
}

Settings game_settings(Bytes& in) {
    Settings s;
    s.resolution_width = in.in(64, 320);  // a small screen keeps the laser buffer cheap
    s.resolution_height = in.in(48, 240);
    s.power_overwhelming = in.byte() % 4 == 0;
    s.health_override = in.in(1, 600);
    s.lives_override = in.in(0, 3);
    s.enemy_health_override = in.in(1, 300);
    s.laser_speed = in.in(0, 12);
    s.jump_override = in.in(0, 60);
    s.laser_life_override = in.in(0, 2000);
    s.global_enemies = in.in(0, 3);
    s.global_lasers = in.byte() % 2;
    s.maximum_armor = in.byte() % 2;
    s.pacifist = in.byte() % 8 == 0;
    s.i_can_fly = in.byte() % 4 == 0;
    s.screen_scroll_distance = in.in(0, 8);
    s.enemy_movement_speed = in.in(0, 8);
    s.enemy_rotation_speed = in.in(-10, 10);
    s.game_speed_multiplier = in.in(0, 3);
    s.laser_cooldown_rate = in.in(0, 40);
    s.turret_laser_cooldown_rate = in.in(0, 200);
    s.smart_laser_cooldown_rate = in.in(0, 100);
    const int32_t shield_rates[] = {0, 1, 2, 3, 0, 1, 2, 3, 120, 40};
    s.shield_cooldown_rate = in.pick(shield_rates);
    s.disable_duck_lag = in.byte() % 2;
    return s;
}

struct Plan {
    std::string map;
    Settings settings;
    std::vector<UpdateInput> inputs;
};

Plan plan_of(const uint8_t* data, size_t size) {
    Bytes in(data, size);
    Plan plan;
    plan.map = map_text(in);
    plan.settings = game_settings(in);
    const size_t updates = std::min<size_t>(most_updates, least_updates + in.left() / bytes_per_update);
    const int32_t w = plan.settings.resolution_width, h = plan.settings.resolution_height;
    for (size_t i = 0; i < updates; ++i) {
        UpdateInput u;
        const uint8_t held = in.byte();
        for (int a = 0; a < action_count; ++a) u.held[a] = (held >> a) & 1;
        u.f9_pressed = (held >> 6) & 1;
        u.mouse_x = in.byte() * (w + 32) / 255 - 16;
        u.mouse_y = in.byte() * (h + 32) / 255 - 16;
        plan.inputs.push_back(u);
    }
    return plan;
}

// FNV-1a over everything an update changes that the two plays must agree on.
class Digest {
public:
    template <class T>
    void add(const T& v) {
        const auto* b = reinterpret_cast<const unsigned char*>(&v);
        for (size_t i = 0; i < sizeof v; ++i) hash_ = (hash_ ^ b[i]) * 1099511628211u;
    }
    uint64_t value() const { return hash_; }

private:
    uint64_t hash_ = 14695981039346656037u;
};

// The world after an update, digested part by part so that a disagreement
// names what differs.
constexpr std::array<const char*, 9> part_names = {
    "player",   "enemies", "lasers", "sparks",      "explosions, pickups and checkpoint",
    "switches", "camera",  "shield", "laser pixels"};
using WorldDigest = std::array<uint64_t, part_names.size()>;

WorldDigest digest_of_world() {
    std::array<Digest, part_names.size()> d;
    const Player& p = world.player;
    for (auto v : {p.x, p.y, p.health, p.lives, p.jump_timer, p.shot_cooldown}) d[0].add(v);
    for (auto v : {p.fx, p.fy, p.vx, p.vy}) d[0].add(v);
    for (auto v : {p.airborne, p.ducking, p.powered, p.hit_flash}) d[0].add(v);
    for (const Enemy& e : world.enemies) {
        for (auto v : {e.x, e.y, e.health, e.cooldown}) d[1].add(v);
        for (auto v : {e.fx, e.fy, e.angle}) d[1].add(v);
    }
    for (const Laser& l : world.lasers) {
        for (auto v : {l.x, l.y, l.angle}) d[2].add(v);
        d[2].add(l.life);
    }
    for (const Spark& s : world.sparks) {
        for (auto v : {s.x, s.y, s.direction}) d[3].add(v);
        d[3].add(s.life);
    }
    d[4].add(world.explosions.size());
    d[4].add(world.pickups.size());
    d[4].add(world.last_checkpoint);
    for (auto v : {world.red_on, world.green_on, world.blue_on}) d[5].add(v);
    for (auto v : {world.red_timer, world.green_timer, world.blue_timer}) d[5].add(v);
    for (auto v : {world.camera_x, world.camera_y}) d[6].add(v);
    d[7].add(combat.shield_up);
    for (auto v : {combat.shield_ends.x1, combat.shield_ends.y1, combat.shield_ends.x2, combat.shield_ends.y2})
        d[7].add(v);
    for (uint32_t px : combat.laser_pixels) d[8].add(px);
    WorldDigest out;
    for (size_t i = 0; i < out.size(); ++i) out[i] = d[i].value();
    return out;
}

// The plan as the three files `vantorel-tool play MAP REPLAY --config FILE`
// takes, so that a finding can be played and looked at outside the fuzzer.
std::string described(const Plan& plan, int32_t threads) {
    std::string text = "--- map\n" + plan.map + "\n--- config.ini\n";
    for (const SettingKey& k : setting_keys)
        text += std::string(k.name) + ' ' + std::to_string(plan.settings.*(k.field)) + '\n';
    text += "threads " + std::to_string(threads) + "\n--- replay\n";
    const std::string_view letters = "jdlrsh";
    for (size_t i = 0; i < plan.inputs.size();) {
        const UpdateInput& u = plan.inputs[i];
        size_t same = 1;
        while (i + same < plan.inputs.size() && plan.inputs[i + same].held == u.held &&
               plan.inputs[i + same].f9_pressed == u.f9_pressed && plan.inputs[i + same].mouse_x == u.mouse_x &&
               plan.inputs[i + same].mouse_y == u.mouse_y)
            ++same;
        std::string actions;
        for (int a = 0; a < action_count; ++a)
            if (u.held[a]) actions += letters[a];
        if (u.f9_pressed) actions += 'f';
        text += std::to_string(same) + ' ' + (actions.empty() ? "-" : actions) + ' ' + std::to_string(u.mouse_x) + ' ' +
                std::to_string(u.mouse_y) + '\n';
        i += same;
    }
    return text;
}

// Why the world breaks a bound after an update, or nothing.
std::string broken_bound(const Settings& s) {
    const int32_t health = world.player.health;
    if (health < 0 || health > s.health_override)
        return "health " + std::to_string(health) + " stays within 0 and " + std::to_string(s.health_override);
    for (const Enemy& e : world.enemies)
        if (!in_grid(e.x, e.y))
            return "enemy at (" + std::to_string(e.x) + ", " + std::to_string(e.y) + ") stays inside the grid";
    return {};
}

struct Play {
    std::vector<WorldDigest> digests;  // one per update
    FrameOutcome outcome = FrameOutcome::playing;
};

Play play(const Plan& plan, int32_t threads) {
    Settings s = plan.settings;
    s.threads = threads;
    correct_settings(s, 2);
    start_fresh(s);
    std::string why;
    const std::optional<LoadedGame> loaded = start_game(plan.map.c_str(), why);
    require(loaded.has_value(), "a generated map loads: " + why + "\n" + plan.map);
    Play out;
    size_t next = 0;
    const InputSource source = [&](UpdateInput& input) {
        if (next == plan.inputs.size()) return false;
        input = plan.inputs[next++];
        return true;
    };
    const UpdateWatcher watch = [&] {
        const std::string broken = broken_bound(settings);
        require(broken.empty(), broken + " (update " + std::to_string(game.updates) + ")\n" + described(plan, threads));
        out.digests.push_back(digest_of_world());
    };
    FrameView headless;
    while (out.outcome == FrameOutcome::playing && next < plan.inputs.size())
        out.outcome = run_frame(16, source, headless, watch).outcome;
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Plan plan = plan_of(data, size);
    const Play one = play(plan, 1);
    const Play two = play(plan, 2);
    for (size_t i = 0; i < std::min(one.digests.size(), two.digests.size()); ++i)
        for (size_t part = 0; part < part_names.size(); ++part)
            require(one.digests[i][part] == two.digests[i][part],
                    std::string("1 and 2 workers agree on the ") + part_names[part] + " after update " +
                        std::to_string(i + 1) + "\n" + described(plan, 2));
    require(one.digests.size() == two.digests.size() && one.outcome == two.outcome,
            "1 and 2 workers play as many updates to the same end");
    return 0;
}
