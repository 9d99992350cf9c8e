#pragma once
// An audio library that plays nothing and writes down every call, one line each.
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "game/media/sound_backend.h"

class FakeBackend : public KV_SoundBackend {
public:
    // What the fake answers.
    uint32_t version = 0x60001;
    bool device_opens = true;
    std::set<std::string> unloadable;  // paths whose load gives 0
    std::set<std::string> unstartable;  // paths that load but fail to start
    std::set<uint32_t> active;          // channels that still sound

    std::vector<std::string> calls;

    // The handle a load of path gave last; 0 when none.
    uint32_t handle_of(const std::string& path) const {
        for (auto it = loaded_.rbegin(); it != loaded_.rend(); ++it)
            if (it->first == path) return it->second;
        return 0;
    }
    void end_all_tracks() { active.clear(); }
    std::vector<std::string> take_calls() {
        std::vector<std::string> out;
        out.swap(calls);
        return out;
    }

    uint32_t get_version() override {
        note("get_version");
        return version;
    }
    bool init(int device, uint32_t freq, uint32_t flags, void* window) override {
        note("init %d %u %u %p", device, freq, flags, window);
        return device_opens;
    }
    bool start() override { return note("start"); }
    bool stop() override { return note("stop"); }
    bool free() override { return note("free"); }

    uint32_t sample_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t max,
                         uint32_t flags) override {
        note("sample_load %d %s %llu %u %u 0x%x", mem, file, (unsigned long long)offset, length, max, flags);
        return load(file);
    }
    uint32_t sample_play_ex(uint32_t sample, uint64_t start, int freq, int volume, int pan, int loop) override {
        return note("sample_play_ex %u %llu %d %d %d %d", sample, (unsigned long long)start, freq, volume, pan,
                    loop);
    }
    bool sample_free(uint32_t sample) override { return note("sample_free %u", sample); }

    uint32_t stream_create_file(bool mem, const char* file, uint64_t offset, uint64_t length,
                                uint32_t flags) override {
        note("stream_create_file %d %s %llu %llu %u", mem, file, (unsigned long long)offset,
             (unsigned long long)length, flags);
        return load(file);
    }
    bool stream_play(uint32_t stream, bool flush, uint32_t flags) override {
        note("stream_play %u %d %u", stream, flush, flags);
        return start_track(stream);
    }
    bool stream_free(uint32_t stream) override { return release(stream, "stream_free %u"); }

    uint32_t music_load(bool mem, const char* file, uint64_t offset, uint32_t length, uint32_t flags) override {
        note("music_load %d %s %llu %u %u", mem, file, (unsigned long long)offset, length, flags);
        return load(file);
    }
    bool music_play_ex(uint32_t music, uint32_t pos, int flags, bool reset) override {
        note("music_play_ex %u %u %d %d", music, pos, flags, reset);
        return start_track(music);
    }
    bool music_free(uint32_t music) override { return release(music, "music_free %u"); }

    uint32_t channel_is_active(uint32_t channel) override {
        note("channel_is_active %u", channel);
        return active.count(channel) ? 1 : 0;
    }

private:
    // Writes the call down; answers 1, the success of calls whose result is a flag.
    template <typename... Args>
    uint32_t note(const char* format, Args... args) {
        char line[1024];
        snprintf(line, sizeof line, format, args...);
        calls.push_back(line);
        return 1;
    }
    uint32_t load(const char* file) {
        if (unloadable.count(file)) return 0;
        const uint32_t h = next_handle_++;
        loaded_.emplace_back(file, h);
        return h;
    }
    std::string path_of(uint32_t h) const {
        for (const auto& [path, handle] : loaded_)
            if (handle == h) return path;
        return std::string();
    }
    bool start_track(uint32_t h) {
        if (unstartable.count(path_of(h))) return false;
        active.insert(h);
        return true;
    }
    bool release(uint32_t h, const char* format) {
        note(format, h);
        active.erase(h);
        return true;
    }

    uint32_t next_handle_ = 100;
    std::vector<std::pair<std::string, uint32_t>> loaded_;
};
