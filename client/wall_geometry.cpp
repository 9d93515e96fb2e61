#include "client/wall_geometry.hpp"

#include <algorithm>
#include <map>
#include <optional>
#include <utility>

#include <SFML/Graphics/RenderStates.hpp>

#include "client/shapes.hpp"
#include "world/world_state.hpp"

namespace {

constexpr float wall_thickness = 4.0f;  // px
// Walls are grouped by the 1024 x 1024 px square their middle lies in: a
// screen meets a few groups, and a long wall stays whole in one.
constexpr int64_t group_side = 1024;

// Nothing for a type outside 1 .. 5: such a segment erases the cells under it,
// so a line there would show a wall the player walks through.
std::optional<sf::Color> wall_colour(int32_t type) {
    switch (type) {
        case segment_wall: return sf::Color::White;
        case segment_mirror: return sf::Color(0, 255, 255);
        case segment_red_gate: return world.red_on ? sf::Color(255, 0, 0) : sf::Color(50, 0, 0);
        case segment_green_gate: return world.green_on ? sf::Color(0, 255, 0) : sf::Color(0, 50, 0);
        case segment_blue_mirror: return world.blue_on ? sf::Color(0, 0, 255) : sf::Color(0, 0, 50);
        default: return std::nullopt;
    }
}

bool is_gate(int32_t type) {
    return type == segment_red_gate || type == segment_green_gate || type == segment_blue_mirror;
}

// Rounds towards minus infinity, so negative positions group like positive ones.
int64_t group_of(int64_t px) { return px >= 0 ? px / group_side : -((-px + group_side - 1) / group_side); }

}  // namespace

void WallGeometry::build() {
    groups_.clear();
    lit_ = {world.red_on, world.green_on, world.blue_on};
    std::map<std::pair<int64_t, int64_t>, size_t> group_at;  // group square -> index in groups_
    constexpr int64_t margin = 3;                            // half the thickness, rounded up, and one more
    for (const Segment& s : world.segments) {
        const auto colour = wall_colour(s.type);
        if (!colour) continue;
        const auto square = std::make_pair(group_of((int64_t{s.x1} + s.x2) / 2), group_of((int64_t{s.y1} + s.y2) / 2));
        const auto [at, is_new] = group_at.emplace(square, groups_.size());
        if (is_new) {
            Group g;
            g.origin_x = static_cast<int32_t>(square.first * group_side);
            g.origin_y = static_cast<int32_t>(square.second * group_side);
            g.left = g.top = INT64_MAX;
            g.right = g.bottom = INT64_MIN;
            groups_.push_back(std::move(g));
        }
        Group& g = groups_[at->second];
        g.left = std::min({g.left, int64_t{s.x1} - margin, int64_t{s.x2} - margin});
        g.right = std::max({g.right, int64_t{s.x1} + margin, int64_t{s.x2} + margin});
        g.top = std::min({g.top, int64_t{s.y1} - margin, int64_t{s.y2} - margin});
        g.bottom = std::max({g.bottom, int64_t{s.y1} + margin, int64_t{s.y2} + margin});
        const auto relative = [&g](int32_t x, int32_t y) {
            return sf::Vector2f(static_cast<float>(int64_t{x} - g.origin_x),
                                static_cast<float>(int64_t{y} - g.origin_y));
        };
        const size_t first = g.triangles.size();
        append_line(g.triangles, relative(s.x1, s.y1), relative(s.x2, s.y2), wall_thickness, *colour);
        if (is_gate(s.type) && g.triangles.size() > first) g.gates.emplace_back(first, s.type);
    }
}

void WallGeometry::recolour_gates() {
    lit_ = {world.red_on, world.green_on, world.blue_on};
    for (Group& g : groups_)
        for (const auto& [first, type] : g.gates) {
            const sf::Color colour = *wall_colour(type);
            for (size_t v = first; v < first + 6; ++v) g.triangles[v].color = colour;
        }
}

void WallGeometry::draw(sf::RenderTarget& target) {
    if (lit_ != std::array<bool, 3>{world.red_on, world.green_on, world.blue_on}) recolour_gates();
    // The screen in world px.
    const int64_t left = -int64_t{world.camera_x}, top = -int64_t{world.camera_y};
    const int64_t right = left + world.screen_width, bottom = top + world.screen_height;
    for (const Group& g : groups_) {
        if (g.right < left || g.left > right || g.bottom < top || g.top > bottom) continue;
        sf::RenderStates states;
        states.transform.translate(static_cast<float>(int64_t{g.origin_x} + world.camera_x),
                                   static_cast<float>(int64_t{g.origin_y} + world.camera_y));
        target.draw(g.triangles.data(), g.triangles.size(), sf::Triangles, states);
    }
}

size_t WallGeometry::vertex_count() const {
    size_t count = 0;
    for (const Group& g : groups_) count += g.triangles.size();
    return count;
}
