#pragma once
// What a running game needs from around it: the keyboard, the screen, the
// sound and the frame's keep-alive pass. The game session and the demo reach
// them only through here, so their logic runs and is tested without a display.
//
// Every hook does nothing by default: a bare KV_PlayHost is a headless run.
// The play screen's host is KV_DisplayHost (game/draw/display_host.h): it reads
// the key mask from ClanLib's keyboard, hands the sound events to the sound
// engine, draws the field above the HUD band and the HUD below it and flips,
// and runs ClanLib's keep-alive pass. The tests give hosts of their own
// that script the keys or count the calls.
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
    // and the HUD, then the flip. Only called while the game holds a level.
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
