#pragma once
// The step the running game and the replay share: one frame either runs one
// logic tick or draws one picture, never both. Where the tick's keys come from
// (the keyboard, recorded; or the demo's stream) is the caller's part.
#include <cstdint>
#include <functional>

#include "game/play/game.h"
#include "game/play/play_host.h"
#include "game/play/tick_timer.h"

// The tick itself: the field's process pass, then the tick's sounds. Nothing without a level.
void kv_logic_tick(KV_Game& game, KV_PlayHost& host);

// Asks the pacer; for a tick, `next_keys` gives the mask that becomes the
// level's input word before the tick runs, else the host draws at the pacer's
// fraction and the timer's rate. The game must hold a level. The keep-alive
// pass is left to the caller.
void kv_frame_step(KV_FramePacer& pacer, KV_Game& game, KV_PlayHost& host, const std::function<int32_t()>& next_keys);
