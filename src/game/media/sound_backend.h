#pragma once
// What the sound engine asks of an audio library: the calls of our BASS-style layer,
// one to one, so tests can put a recording fake in its place.
#include <cstdint>

class KV_SoundBackend {
public:
    virtual ~KV_SoundBackend() = default;

    virtual uint32_t get_version() = 0;
    virtual bool init(int device, uint32_t freq, uint32_t flags, void* window) = 0;
    virtual bool start() = 0;
    virtual bool stop() = 0;
    virtual bool free() = 0;

    virtual uint32_t sample_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t max,
                                 uint32_t flags) = 0;
    virtual uint32_t sample_play_ex(uint32_t sample, uint64_t start, int freq, int volume, int pan, int loop) = 0;
    virtual bool sample_free(uint32_t sample) = 0;

    virtual uint32_t stream_create_file(bool mem, const char* file, uint64_t offset, uint64_t length,
                                        uint32_t flags) = 0;
    virtual bool stream_play(uint32_t stream, bool flush, uint32_t flags) = 0;
    virtual bool stream_free(uint32_t stream) = 0;

    virtual uint32_t music_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t flags) = 0;
    virtual bool music_play_ex(uint32_t music, uint32_t pos, int flags, bool reset) = 0;
    virtual bool music_free(uint32_t music) = 0;

    virtual uint32_t channel_is_active(uint32_t channel) = 0;
};

// The real one: our layer over SDL2_mixer.
KV_SoundBackend& kv_bass_backend();
