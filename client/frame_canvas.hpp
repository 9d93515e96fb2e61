// The picture every screen draws: one frame at the layout size (the settings'
// W x H), passed through the post-processing shader where the screen asks for
// it, then scaled to fit the window, letterboxed when the window has another
// shape. The frame last shown stays whole for screenshots and the pause menu,
// instead of being read back from a window buffer whose contents are undefined
// once shown.
#pragma once

#include <array>
#include <cstdint>

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

class FrameCanvas {
public:
    // Makes the pictures for a layout of that size; false when the graphics system cannot.
    bool create(sf::Vector2u layout);
    sf::Vector2u layout() const { return layout_; }

    // Starts a frame: a picture cleared to opaque black.
    void clear();
    // Starts a frame from a finished scene: drawn at (0, 0) through the shader when the effect is on.
    void take_scene(const sf::Texture& scene);
    // What this frame has drawn passes through the shader when the effect is on
    // (nothing changes otherwise); what is drawn afterwards goes over the result.
    void shader_pass();
    // Where this frame is drawn.
    sf::RenderTarget& target() { return pictures_[drawing_]; }
    // Shows the frame in the window, scaled to fit and centred; returns the time
    // since the window last showed a frame, ms. Drawing without clear() afterwards
    // goes on over the frame just shown.
    uint32_t present(sf::RenderWindow& window);
    // What this frame has drawn so far, finished as a texture.
    const sf::Texture& drawn();
    // The frame last shown, at the layout size.
    const sf::Texture& shown() const { return pictures_[shown_].getTexture(); }

    // Where a window pixel lies in the layout, px; outside the picture it lies outside the layout.
    sf::Vector2i to_layout(const sf::RenderWindow& window, sf::Vector2i window_px) const;

private:
    // The picture's scale and top-left corner in a window of that size.
    float scale_for(sf::Vector2u window) const;
    sf::Vector2f origin_for(sf::Vector2u window) const;
    // A picture that is neither being drawn nor the one last shown.
    int spare() const;

    sf::Vector2u layout_;
    std::array<sf::RenderTexture, 3> pictures_;
    int drawing_ = 0;
    int shown_ = 0;
};

// Program-wide: made when the window opens, at the size the game lays out for.
inline FrameCanvas frame_canvas;

// The pointer in layout px.
sf::Vector2i pointer_in_layout(const sf::RenderWindow& window);
