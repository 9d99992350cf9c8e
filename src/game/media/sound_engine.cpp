#include "game/media/sound_engine.h"

#include <strings.h>

#include <cstdio>
#include <cstdlib>

#include "foundation/log.h"
#include "foundation/path.h"
#include "game/media/sound_backend.h"
#include "platform/bass.h"

namespace {

struct SampleSlot {
    const char* file;  // under the working folder; null for the slot without a sample
    uint32_t max;      // simultaneous playbacks
};

const SampleSlot kSlots[KV_SoundEngine::SAMPLE_SLOTS] = {
    {"\\sounds\\exit.wav", 1},     {"\\sounds\\zap.wav", 2},     {"\\sounds\\base_kvt.wav", 2},
    {"\\sounds\\datapod.wav", 2},  {"\\sounds\\eat.wav", 3},     {nullptr, 0},
    {"\\sounds\\terminal.wav", 2}, {"\\sounds\\switch.wav", 1},  {"\\sounds\\fall.wav", 8},
    {"\\sounds\\objfall.wav", 4},  {"\\sounds\\explode.wav", 8}, {"\\sounds\\bug.wav", 4},
};

// eat, exit, bug, zap, base_kvt, datapod, terminal, switch, fall, objfall, explode
const int kLoadOrder[] = {4, 0, 11, 1, 2, 3, 6, 7, 8, 9, 10};

struct EventSound {
    int slot;    // -1: the event plays nothing
    int volume;  // 0..100, -1 the sample's default
};

const EventSound kEventSounds[KV_SOUND_EVENT_COUNT] = {
    {0, -1}, {1, -1}, {2, 50},  {3, 90},  {4, -1},  {-1, 0}, {6, 66},  {7, -1},
    {8, 70}, {8, 30}, {9, 70},  {9, 30},  {10, 70}, {10, 30}, {11, 60}, {11, 30},
};

constexpr uint32_t kExpectedVersion = 0x60001;
constexpr uint32_t kFrequency = 44100;
constexpr uint32_t kModuleFlags = 1;

struct Engine {
    KV_SoundBackend* backend = nullptr;  // null: our layer
    bool silent = true;
    bool music_on = false;
    uint32_t stream = 0;
    uint32_t module = 0;
    int32_t track = 0;
    std::vector<std::string> playlist;
    uint32_t samples[KV_SoundEngine::SAMPLE_SLOTS] = {};
};

Engine& engine() {
    static Engine e;
    return e;
}

KV_SoundBackend& backend() {
    Engine& e = engine();
    return e.backend ? *e.backend : kv_bass_backend();
}

bool track_in_playlist(const Engine& e) { return e.track >= 0 && e.track < int32_t(e.playlist.size()); }

// The working folder in the form "\sounds\..." is appended to; getcwd grows its buffer
// as far as the path needs.
std::string working_folder() { return Qx::full_path("."); }

void free_channels() {
    Engine& e = engine();
    if (e.module) backend().music_free(e.module);
    if (e.stream) backend().stream_free(e.stream);
    e.module = 0;
    e.stream = 0;
}

// From the current entry toward the end, the first that plays becomes current; no wrap.
bool play_first_from_current() {
    Engine& e = engine();
    while (e.track < int32_t(e.playlist.size())) {
        if (KV_SoundEngine::play_current() == KV_SoundEngine::S_OK) return true;
        ++e.track;
    }
    return false;
}

// One playlist line to an entry; false for a comment. '#' before any ':' makes a
// comment; a line beginning with '\' lies in the music folder, whatever ':' it holds;
// else a ':' makes an absolute path kept as written; a byte below 32 before '#' or ':'
// ends the line. Bytes from 128 up belong to UTF-8 names.
bool playlist_entry(std::string line, const std::string& music_folder, std::string& entry) {
    char kind = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c == '#' || c == ':') {
            kind = char(c);
            break;
        }
        if (c < 32) {
            line.resize(i);
            break;
        }
    }
    if (kind == '#') return false;
    if (kind == ':') {
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    }
    if (!line.empty() && line[0] == '\\') {
        entry = music_folder + line.substr(1);
    } else if (kind == ':') {
        entry = line;
    } else if (!line.empty() && line[0] == '/') {
        entry = line;
    } else {
        entry = music_folder + line;
    }
    entry = Qx::native_path(entry);
    return true;
}

}  // namespace

int32_t KV_SoundEngine::init(void* window, bool no_sound) {
    shutdown();
    if (no_sound) return S_OK;
    KV_SoundBackend& b = backend();
    if (b.get_version() != kExpectedVersion) return E_FAIL;
    if (!b.init(BASS_DEVICE_DEFAULT, kFrequency, 0, window)) return E_FAIL;
    Engine& e = engine();
    e.silent = false;
    b.start();
    const std::string base = working_folder();
    for (int slot : kLoadOrder) {
        const std::string path = Qx::native_path(base + kSlots[slot].file);
        e.samples[slot] = b.sample_load(false, path.c_str(), 0, 0, kSlots[slot].max, BASS_SAMPLE_OVER_POS);
        // The slot stays empty and its events play nothing.
        if (!e.samples[slot] && Qx::Log::is_enabled()) Qx::g_log.error("Could not load sound %s\n", path.c_str());
    }
    load_playlist();
    e.track = 0;
    return S_OK;
}

void KV_SoundEngine::shutdown() {
    Engine& e = engine();
    if (!e.silent) {
        KV_SoundBackend& b = backend();
        b.stop();
        free_channels();
        for (uint32_t& sample : e.samples) {
            if (sample) b.sample_free(sample);
        }
        b.free();
    }
    KV_SoundBackend* keep = e.backend;
    e = Engine();
    e.backend = keep;
}

void KV_SoundEngine::play_events(KV_SoundEvents& events) {
    Engine& e = engine();
    if (e.silent) return;
    for (int id = 0; id < KV_SOUND_EVENT_COUNT; ++id) {
        const EventSound& s = kEventSounds[id];
        if (events.count(id) <= 0 || s.slot < 0 || !e.samples[s.slot]) continue;
        backend().sample_play_ex(e.samples[s.slot], 0, BASS_DEFAULT_VALUE, s.volume, BASS_DEFAULT_PAN,
                                 BASS_DEFAULT_VALUE);
    }
}

void KV_SoundEngine::load_playlist() {
    Engine& e = engine();
    if (e.silent) return;
    e.playlist.clear();
    const std::string music_folder = working_folder() + "\\music\\";
    FILE* f = fopen(Qx::native_path(music_folder + "default.m3u").c_str(), "r");
    if (!f) return;
    char* buf = nullptr;
    size_t cap = 0;
    ssize_t n;
    while ((n = getline(&buf, &cap, f)) >= 0) {
        std::string entry;
        if (playlist_entry(std::string(buf, size_t(n)), music_folder, entry)) e.playlist.push_back(entry);
    }
    ::free(buf);
    fclose(f);
}

int KV_SoundEngine::track_type_of(const std::string& path) {
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return TRACK_UNKNOWN;
    const std::string ext = path.substr(dot + 1, 4);
    for (const char* s : {"mp3", "wav"}) {
        if (strcasecmp(ext.c_str(), s) == 0) return TRACK_STREAM;
    }
    for (const char* m : {"mo3", "it", "xm", "s3m", "mtm", "mod", "umx"}) {
        if (strcasecmp(ext.c_str(), m) == 0) return TRACK_MODULE;
    }
    return TRACK_UNKNOWN;
}

int KV_SoundEngine::track_type() {
    const Engine& e = engine();
    if (e.silent || !track_in_playlist(e)) return TRACK_UNKNOWN;
    return track_type_of(e.playlist[size_t(e.track)]);
}

int32_t KV_SoundEngine::play_current() {
    Engine& e = engine();
    if (e.silent || !e.music_on || e.playlist.empty()) return E_FAIL;
    if (!track_in_playlist(e)) e.track = 0;
    const char* path = e.playlist[size_t(e.track)].c_str();
    KV_SoundBackend& b = backend();
    bool played = false;
    switch (track_type()) {
    case TRACK_STREAM:
        free_channels();
        e.stream = b.stream_create_file(false, path, 0, 0, 0);
        played = e.stream && b.stream_play(e.stream, true, 0);
        break;
    case TRACK_MODULE:
        free_channels();
        e.module = b.music_load(false, path, 0, 0, kModuleFlags);
        played = e.module && b.music_play_ex(e.module, 0, BASS_DEFAULT_VALUE, true);
        break;
    default:
        break;
    }
    // The searches skip it; the log says which entry that was.
    if (!played && Qx::Log::is_enabled()) Qx::g_log.error("Could not play track %s\n", path);
    return played ? S_OK : E_FAIL;
}

void KV_SoundEngine::toggle_music() {
    Engine& e = engine();
    if (e.silent) return;
    if (!e.music_on) {
        e.music_on = true;
        play_current();
    } else {
        e.music_on = false;
        free_channels();
    }
}

void KV_SoundEngine::next_track() {
    Engine& e = engine();
    if (!is_music_on() || e.playlist.empty()) return;
    ++e.track;
    if (!track_in_playlist(e)) e.track = 0;
    play_first_from_current();
}

void KV_SoundEngine::prev_track() {
    Engine& e = engine();
    if (!is_music_on() || e.playlist.empty()) return;
    if (--e.track < 0) e.track = 0;
    play_first_from_current();
}

void KV_SoundEngine::music_tick() {
    Engine& e = engine();
    if (!is_music_on() || e.playlist.empty()) return;
    KV_SoundBackend& b = backend();
    if ((e.module && b.channel_is_active(e.module)) || (e.stream && b.channel_is_active(e.stream))) return;
    ++e.track;
    const bool from_top = !track_in_playlist(e);
    if (from_top) e.track = 0;
    if (play_first_from_current()) return;
    if (from_top) {
        // Nothing in the whole list plays: stop searching on every pass.
        e.music_on = false;
        return;
    }
    e.track = 0;
    play_first_from_current();
}

bool KV_SoundEngine::is_music_on() {
    const Engine& e = engine();
    return !e.silent && e.music_on;
}

int32_t KV_SoundEngine::get_track_index() { return engine().track; }
void KV_SoundEngine::set_track_index(int32_t index) { engine().track = index; }
int32_t KV_SoundEngine::get_playlist_size() { return int32_t(engine().playlist.size()); }
const std::vector<std::string>& KV_SoundEngine::get_playlist() { return engine().playlist; }

void KV_SoundEngine::set_backend(KV_SoundBackend* b) { engine().backend = b; }
