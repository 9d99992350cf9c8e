#pragma once
// The game's sound effects and music playlist. One process-wide engine: objects post
// sound events during a tick and the game plays them after it; music runs from the
// playlist "default.m3u" in the "music" folder, one track at a time.
//
// Until init succeeds, after a failed init, with "-nosound" and after shutdown the
// engine is silent: every call is harmless and touches no audio library.
#include <cstdint>
#include <string>
#include <vector>

#include "game/level/level_context.h"

class KV_SoundBackend;

class KV_SoundEngine {
public:
    static constexpr int32_t S_OK = 0;
    static constexpr int32_t E_FAIL = int32_t(0x80004005u);

    // Track types by file extension.
    static constexpr int TRACK_UNKNOWN = -1;
    static constexpr int TRACK_MODULE = 1;
    static constexpr int TRACK_STREAM = 2;

    static constexpr int SAMPLE_SLOTS = 12;

    // Opens the audio device, loads the samples of the working folder's "sounds"
    // and the playlist of its "music". With no_sound nothing is opened and the result
    // is S_OK; E_FAIL when the audio layer is the wrong version or the device cannot
    // be opened, and the engine then stays silent. window is the main window, where
    // the system has one to give.
    static int32_t init(void* window, bool no_sound);
    // Frees everything and closes the device; silent afterwards. Safe to call twice.
    static void shutdown();

    // Plays every event of the tick whose counter is above 0, once.
    static void play_events(KV_SoundEvents& events);

    // Reads the music folder's "default.m3u" into the playlist.
    static void load_playlist();
    // Of the current playlist entry; TRACK_UNKNOWN when silent or the index is
    // outside the playlist.
    static int track_type();
    static int track_type_of(const std::string& path);
    static int32_t play_current();
    static void toggle_music();
    static void next_track();
    static void prev_track();
    // The keep-alive hook: when nothing plays any more, starts the next entry that
    // will play; a playlist of which nothing plays switches the music off.
    static void music_tick();
    static bool is_music_on();

    static int32_t get_track_index();
    static void set_track_index(int32_t index);
    static int32_t get_playlist_size();
    static const std::vector<std::string>& get_playlist();

    // The audio library the next init uses; null restores our layer over SDL2_mixer.
    static void set_backend(KV_SoundBackend* backend);
};
