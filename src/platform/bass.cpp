#include "platform/bass.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <map>
#include <memory>

#include "foundation/file.h"

namespace {

// What a file may weigh to be read at all: sound effects are short (16 MiB is a
// minute and a half of CD-quality sound), a track at most a long piece (128 MiB
// is twelve minutes of CD-quality wav, an hour of mp3).
constexpr uint64_t kMaxSampleBytes = 16u << 20;
constexpr uint64_t kMaxTrackBytes = 128u << 20;

struct Bytes {
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
};

// The bytes a load call names: a file (mem false) read through our file layer,
// which opens nothing but a regular file, or a caller's block (mem true, length
// its size). Empty for anything else or anything past the cap, so no folder,
// FIFO or device ever reaches the decoders.
Bytes bytes_of(bool mem, const void* file, uint64_t length, uint64_t cap) {
    Bytes out;
    uint64_t size = length;
    Qx::File f;
    if (!mem) {
        if (!f.open(static_cast<const char*>(file), Qx::FILE_READ | Qx::FILE_EXISTING | Qx::FILE_SEQUENTIAL))
            return out;
        size = f.size();
    }
    if (size == 0 || size > cap) return out;
    out.data.reset(new uint8_t[size]);
    if (mem) {
        std::copy_n(static_cast<const uint8_t*>(file), size, out.data.get());
    } else if (f.read(out.data.get(), uint32_t(size)) != size) {
        out.data.reset();
        return out;
    }
    out.size = size_t(size);
    return out;
}

// The handle's kind lives in its top four bits, its number in the rest.
enum Kind : uint32_t {
    KIND_SAMPLE = 0x10000000,
    KIND_STREAM = 0x20000000,
    KIND_MUSIC = 0x30000000,
    KIND_PLAYBACK = 0x40000000,
};
constexpr uint32_t KIND_MASK = 0xF0000000;

Kind kind_of(BASS_HANDLE h) { return Kind(h & KIND_MASK); }
uint32_t number_of(BASS_HANDLE h) { return h & ~KIND_MASK; }

struct Sample {
    Mix_Chunk* chunk;
    int first_channel;
    int channels;
    bool take_over_oldest;
};

// SDL_mixer reads a stream from its bytes while it plays, so they live as long.
struct Music {
    Mix_Music* music;
    Bytes bytes;
};

struct State {
    bool open = false;
    uint32_t next_number = 1;
    int channels = 0;
    std::map<BASS_HANDLE, Sample> samples;
    std::map<BASS_HANDLE, Music> musics;  // streams and modules
    BASS_HANDLE playing = 0;                   // the music last started
};

State& state() {
    static State s;
    return s;
}

BASS_HANDLE new_handle(Kind kind) { return kind | (state().next_number++ & ~KIND_MASK); }

int mixer_volume(int volume) {
    if (volume < 0 || volume > 100) volume = 100;
    return (volume * MIX_MAX_VOLUME + 50) / 100;
}

bool is_module(Mix_MusicType t) { return t == MUS_MOD; }
bool is_stream(Mix_MusicType t) {
    return t == MUS_WAV || t == MUS_MP3 || t == MUS_OGG || t == MUS_FLAC || t == MUS_OPUS;
}

BASS_HANDLE load_music(bool mem, const void* file, uint64_t length, Kind kind) {
    State& s = state();
    if (!s.open || !file) return 0;
    Bytes bytes = bytes_of(mem, file, length, kMaxTrackBytes);
    if (!bytes.data) return 0;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data.get(), int(bytes.size));
    Mix_Music* m = rw ? Mix_LoadMUS_RW(rw, 1) : nullptr;
    if (!m) return 0;
    const Mix_MusicType t = Mix_GetMusicType(m);
    if (kind == KIND_MUSIC ? !is_module(t) : !is_stream(t)) {
        Mix_FreeMusic(m);
        return 0;
    }
    const BASS_HANDLE h = new_handle(kind);
    s.musics[h] = Music{m, std::move(bytes)};
    return h;
}

bool play_music(BASS_HANDLE h, Kind kind) {
    State& s = state();
    if (kind_of(h) != kind) return false;
    auto it = s.musics.find(h);
    if (it == s.musics.end() || Mix_PlayMusic(it->second.music, 0) != 0) return false;
    s.playing = h;
    return true;
}

bool free_music(BASS_HANDLE h, Kind kind) {
    State& s = state();
    if (kind_of(h) != kind) return false;
    auto it = s.musics.find(h);
    if (it == s.musics.end()) return false;
    if (s.playing == h) {
        Mix_HaltMusic();
        s.playing = 0;
    }
    Mix_FreeMusic(it->second.music);
    s.musics.erase(it);
    return true;
}

}  // namespace

uint32_t BASS_GetVersion() { return BASS_VERSION_KARVOLT; }

bool BASS_Init(int, uint32_t freq, uint32_t, void*) {
    State& s = state();
    if (s.open) return false;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_MOD | MIX_INIT_MP3);
    if (Mix_OpenAudio(int(freq), MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(0);
    s = State();
    s.open = true;
    return true;
}

bool BASS_Start() {
    if (!state().open) return false;
    Mix_Resume(-1);
    Mix_ResumeMusic();
    return true;
}

bool BASS_Stop() {
    if (!state().open) return false;
    Mix_Pause(-1);
    Mix_PauseMusic();
    return true;
}

bool BASS_Free() {
    State& s = state();
    if (!s.open) return false;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (auto& [h, sample] : s.samples) Mix_FreeChunk(sample.chunk);
    for (auto& [h, music] : s.musics) Mix_FreeMusic(music.music);
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s = State();
    return true;
}

BASS_HANDLE BASS_SampleLoad(bool mem, const void* file, uint64_t, uint32_t length, uint32_t max, uint32_t flags) {
    State& s = state();
    if (!s.open || !file) return 0;
    const Bytes bytes = bytes_of(mem, file, length, kMaxSampleBytes);
    if (!bytes.data) return 0;
    // The chunk holds its own decoded copy.
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data.get(), int(bytes.size));
    Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
    if (!chunk) return 0;
    const BASS_HANDLE h = new_handle(KIND_SAMPLE);
    // The sample's own channels, grouped under its handle, so its plays never take
    // another sample's channel.
    const int count = max < 1 ? 1 : int(max);
    const int first = s.channels;
    s.channels = Mix_AllocateChannels(first + count);
    Mix_GroupChannels(first, first + count - 1, int(number_of(h)));
    s.samples[h] = Sample{chunk, first, count, (flags & BASS_SAMPLE_OVER_POS) != 0};
    return h;
}

BASS_HANDLE BASS_SamplePlayEx(BASS_HANDLE sample, uint64_t, int, int volume, int, int) {
    State& s = state();
    auto it = s.samples.find(sample);
    if (!s.open || it == s.samples.end()) return 0;
    const int tag = int(number_of(sample));
    int channel = Mix_GroupAvailable(tag);
    if (channel < 0 && it->second.take_over_oldest) channel = Mix_GroupOldest(tag);
    if (channel < 0) return 0;
    Mix_Volume(channel, mixer_volume(volume));
    if (Mix_PlayChannel(channel, it->second.chunk, 0) < 0) return 0;
    return KIND_PLAYBACK | uint32_t(channel);
}

bool BASS_SampleFree(BASS_HANDLE sample) {
    State& s = state();
    auto it = s.samples.find(sample);
    if (it == s.samples.end()) return false;
    const Sample& smp = it->second;
    Mix_HaltGroup(int(number_of(sample)));
    // The channels stay allocated but belong to no sample any more.
    Mix_GroupChannels(smp.first_channel, smp.first_channel + smp.channels - 1, -1);
    Mix_FreeChunk(smp.chunk);
    s.samples.erase(it);
    return true;
}

BASS_HANDLE BASS_StreamCreateFile(bool mem, const void* file, uint64_t, uint64_t length, uint32_t) {
    return load_music(mem, file, length, KIND_STREAM);
}

bool BASS_StreamPlay(BASS_HANDLE stream, bool, uint32_t) { return play_music(stream, KIND_STREAM); }

bool BASS_StreamFree(BASS_HANDLE stream) { return free_music(stream, KIND_STREAM); }

BASS_HANDLE BASS_MusicLoad(bool mem, const void* file, uint64_t, uint32_t length, uint32_t) {
    return load_music(mem, file, length, KIND_MUSIC);
}

bool BASS_MusicPlayEx(BASS_HANDLE music, uint32_t, int, bool) { return play_music(music, KIND_MUSIC); }

bool BASS_MusicFree(BASS_HANDLE music) { return free_music(music, KIND_MUSIC); }

uint32_t BASS_ChannelIsActive(BASS_HANDLE channel) {
    State& s = state();
    if (!s.open || channel == 0) return BASS_ACTIVE_STOPPED;
    bool active = false;
    switch (kind_of(channel)) {
    case KIND_STREAM:
    case KIND_MUSIC:
        active = channel == s.playing && Mix_PlayingMusic();
        break;
    case KIND_PLAYBACK:
        active = int(number_of(channel)) < s.channels && Mix_Playing(int(number_of(channel)));
        break;
    default:
        break;
    }
    return active ? BASS_ACTIVE_PLAYING : BASS_ACTIVE_STOPPED;
}
