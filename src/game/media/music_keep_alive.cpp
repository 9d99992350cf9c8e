#include "game/media/music_keep_alive.h"

#include "game/media/sound_engine.h"

void KV_MusicKeepAlive::keep_alive() { KV_SoundEngine::music_tick(); }
