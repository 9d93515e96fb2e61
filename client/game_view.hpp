// The window's side of every frame the frame driver runs for a game, played
// or watched: music, the scene, the end sequences, the ghost, the player and
// the race clock.
#pragma once

#include "client/game_session.hpp"
#include "game/frame.hpp"
#include "game/ghost.hpp"
#include "game/race_clock.hpp"

class WindowView : public FrameView {
public:
    explicit WindowView(GameSession& session) : s(session) {}

    // Races a best run: its ghost (while shown) and the clock are drawn with each frame.
    void race(const GhostTrack* ghost, const RaceClock* clock) {
        ghost_ = ghost;
        clock_ = clock;
    }
    void show_ghost(bool shown) { ghost_shown_ = shown; }
    bool ghost_shown() const { return ghost_shown_; }

    void music(bool f9_pressed) override;
    void draw_scene(bool gate_holds) override;
    void exit_sequence() override;
    void death_sequence() override;
    void game_over_sequence() override;
    // The ghost, then the player (unless it has just respawned, player_drawn false), then the race clock;
    // the screen loop adds the cursor and presents it.
    void finish_frame(bool player_drawn) override;

private:
    GameSession& s;
    const GhostTrack* ghost_ = nullptr;
    const RaceClock* clock_ = nullptr;
    bool ghost_shown_ = true;
};
