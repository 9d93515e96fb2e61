#include "client/game_view.hpp"

#include "client/end_sequences.hpp"
#include "client/scene_drawing.hpp"
#include "game/game_state.hpp"

void WindowView::music(bool f9_pressed) {
    if (f9_pressed) s.music.stop();  // the next upkeep picks another track
    music_upkeep(s.music, s.playlist);
}

void WindowView::draw_scene(bool) { ::draw_scene(s.scene, s.laser_image, s.walls); }

void WindowView::exit_sequence() { play_exit_animation(s); }

void WindowView::death_sequence() { play_death_animation(s); }

void WindowView::game_over_sequence() { play_game_over(s); }

void WindowView::finish_frame(bool player_drawn) {
    if (ghost_ != nullptr && ghost_shown_)
        if (const GhostPose* pose = ghost_->after(game.updates))
            draw_ghost(s.scene, *pose, ghost_->after(game.updates - 1), game.updates);
    if (player_drawn) draw_player(s.scene, s.pointer());
    if (clock_ != nullptr) draw_race_clock(s.scene, s.font, game.updates, clock_->difference());
}
