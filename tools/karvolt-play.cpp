// Plays sound files through the game's own audio layer, one after another, until
// each has ended: wav samples, and the tracks the music player takes.
//
//     karvolt-play FILE...
//
// With SDL_AUDIODRIVER=disk (SDL_DISKAUDIOFILE=out.raw, SDL_DISKAUDIODELAY=0) it
// renders what the game would play into a raw file: 44.1 kHz, 16-bit, stereo.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "game/media/sound_engine.h"
#include "platform/bass.h"

namespace {

bool play(const std::string& path) {
    BASS_HANDLE channel = 0;
    switch (KV_SoundEngine::track_type_of(path)) {
    case KV_SoundEngine::TRACK_MODULE:
        channel = BASS_MusicLoad(false, path.c_str(), 0, 0, 1);
        if (!channel || !BASS_MusicPlayEx(channel, 0, -1, true)) return false;
        break;
    case KV_SoundEngine::TRACK_STREAM: {
        // A wav is played as a sample, the way the game plays its effects.
        const BASS_HANDLE sample = BASS_SampleLoad(false, path.c_str(), 0, 0, 1, 0);
        channel = sample ? BASS_SamplePlayEx(sample, 0, -1, -1, -101, -1) : 0;
        if (!channel) return false;
        break;
    }
    default:
        return false;
    }
    while (BASS_ChannelIsActive(channel)) SDL_Delay(5);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: karvolt-play FILE...\n");
        return 2;
    }
    if (!BASS_Init(BASS_DEVICE_DEFAULT, 44100, 0, nullptr)) {
        fprintf(stderr, "karvolt-play: cannot open the audio device: %s\n", SDL_GetError());
        return 1;
    }
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        if (!play(argv[i])) {
            fprintf(stderr, "karvolt-play: cannot play %s\n", argv[i]);
            ++failed;
        }
    }
    BASS_Free();
    return failed ? 1 : 0;
}
