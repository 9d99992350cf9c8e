#include "game/media/sound_backend.h"
#include "platform/bass.h"

namespace {

class BassBackend final : public KV_SoundBackend {
public:
    uint32_t get_version() override { return BASS_GetVersion(); }
    bool init(int device, uint32_t freq, uint32_t flags, void* window) override {
        return BASS_Init(device, freq, flags, window);
    }
    bool start() override { return BASS_Start(); }
    bool stop() override { return BASS_Stop(); }
    bool free() override { return BASS_Free(); }

    uint32_t sample_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t max,
                         uint32_t flags) override {
        return BASS_SampleLoad(mem, file, offset, length, max, flags);
    }
    uint32_t sample_play_ex(uint32_t sample, uint64_t start, int freq, int volume, int pan, int loop) override {
        return BASS_SamplePlayEx(sample, start, freq, volume, pan, loop);
    }
    bool sample_free(uint32_t sample) override { return BASS_SampleFree(sample); }

    uint32_t stream_create_file(bool mem, const char* file, uint64_t offset, uint64_t length,
                                uint32_t flags) override {
        return BASS_StreamCreateFile(mem, file, offset, length, flags);
    }
    bool stream_play(uint32_t stream, bool flush, uint32_t flags) override {
        return BASS_StreamPlay(stream, flush, flags);
    }
    bool stream_free(uint32_t stream) override { return BASS_StreamFree(stream); }

    uint32_t music_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t flags) override {
        return BASS_MusicLoad(mem, file, offset, length, flags);
    }
    bool music_play_ex(uint32_t music, uint32_t pos, int flags, bool reset) override {
        return BASS_MusicPlayEx(music, pos, flags, reset);
    }
    bool music_free(uint32_t music) override { return BASS_MusicFree(music); }

    uint32_t channel_is_active(uint32_t channel) override { return BASS_ChannelIsActive(channel); }
};

}  // namespace

KV_SoundBackend& kv_bass_backend() {
    static BassBackend backend;
    return backend;
}
