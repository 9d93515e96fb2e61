// Watching a replay in the window: the keys that steer the playback and what
// a frame of it runs. The player's own bindings play no part while watching.
#pragma once

#include <SFML/Window/Event.hpp>

// Per watched replay.
class WatchControls {
public:
    // Space pauses and resumes, Right steps one frame of the replay while paused
    // (one update, or game_speed_multiplier of them), 1 / 2 / 3 / 4 play
    // x1 / x2 / x4 / x8 (frames of the replay per shown frame), Escape leaves.
    // Once the replay is over, Return, Space or a left click leaves as well.
    void handle(const sf::Event& event);
    // The replay has ended; the screen shows its outcome until the player leaves.
    void finish() { finished_ = true; }
    // Frames of the replay to run in this shown frame: the speed while playing,
    // one for each step asked for while paused, none otherwise. Takes the steps.
    int frames_now();

    bool paused() const { return paused_; }
    int speed() const { return speed_; }  // 1, 2, 4 or 8
    bool finished() const { return finished_; }
    bool left() const { return left_; }

private:
    int speed_ = 1;
    bool paused_ = false;
    int steps_ = 0;  // steps asked for and not yet run
    bool finished_ = false;
    bool left_ = false;
};
