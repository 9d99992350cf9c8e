#pragma once
// What a running game needs from around it: the keyboard, the screen, the
// sound and the frame's keep-alive pass. The game session and the demo reach
// them only through here, so their logic runs and is tested without a display.
//
// Every hook does nothing by default: a bare KV_PlayHost is a headless run.
// The play screen's host is KV_DisplayHost (game/draw/display_host.h), these
// few lines on the display side:
//
//   read_keys:   int word = 0; KV_KeyMask::read_keyboard(word); return word;
//   play_events: KV_SoundEngine::play_events(events);
//   draw_frame:  CL_Display::clear(CL_Color(0, 0, 0, 255));
//                CL_Display::push_cliprect(CL_Rect(0, 0, CL_Display::get_width(), CL_Display::get_height() - 40));
//                game.draw(fraction, 2.0);
//                CL_Display::pop_cliprect();
//                fonts.draw_hud(*game.get_level(), game_speed);
//                CL_Display::flip(-1);
//   keep_alive:  CL_System::keep_alive();
//
// (draw_frame is only called with a level in the game.)
#include <cstdint>

#include "game/level/level.h"

class KV_Game;

class KV_PlayHost {
public:
    virtual ~KV_PlayHost() = default;
    // The direction mask of the tick about to run.
    virtual int32_t read_keys() { return 0; }
    // The sound events the tick just posted.
    virtual void play_events(KV_SoundEvents& /*events*/) {}
    // One picture: the field at the sub-tick offset (pixels, 0 <= fraction < 2)
    // and the HUD, then the flip.
    virtual void draw_frame(KV_Game& /*game*/, double /*fraction*/, int32_t /*game_speed*/) {}
    // Once every frame, tick or draw: the play screen's keys, its end timer and the music run in it.
    virtual void keep_alive() {}
};

// How a game stands: still running, the exit reached, or over some other way.
enum KV_GameResult : int32_t {
    GR_RUNNING = 0,
    GR_FINISHED = 1,
    GR_ENDED = 2,
};

// From the level's game-state mask: exactly running, exactly the exit, anything
// else. No level is a game that cannot go on.
inline KV_GameResult kv_game_result(KV_Level* level) {
    if (!level) return GR_ENDED;
    const int32_t state = level->get_status()->get_state();
    if (state == GS_RUNNING) return GR_RUNNING;
    if (state == GS_EXIT_REACHED) return GR_FINISHED;
    return GR_ENDED;
}
