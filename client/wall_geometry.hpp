// The map's walls as triangles, built once per map load and kept in groups by
// where they lie, so that a frame draws only the groups that reach the screen,
// shifted by the camera, and recolours the gates only when a switch colour
// changes. A map of thousands of segments then costs a frame what its
// segments near the screen cost.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Vertex.hpp>

// Per map load: built by the game screen once the map has loaded.
class WallGeometry {
public:
    // The walls of world.segments in map order, 4 px thick, coloured by type and
    // the switch colours as they are. A type outside 1 to 5 is left out: it erases.
    void build();
    // The groups that reach the screen, in the colours the switches give them now.
    void draw(sf::RenderTarget& target);

    size_t vertex_count() const;

private:
    struct Group {
        int32_t origin_x = 0, origin_y = 0;                // world px; the vertices are relative to it, so stay exact
        int64_t left = 0, top = 0, right = 0, bottom = 0;  // world px the group's triangles lie within
        std::vector<sf::Vertex> triangles;
        std::vector<std::pair<size_t, int32_t>> gates;  // first vertex and type of each gate's six
    };
    void recolour_gates();

    std::vector<Group> groups_;
    std::array<bool, 3> lit_ = {true, true, true};  // red, green, blue as the gates show them
};
