// The audio layer on the real SDL2_mixer with SDL's dummy output: the shipped sounds
// and music load, play and are freed; a sample's plays share its own channels.
#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundation/temp_dir.h"

#include "game/media/sound_engine.h"
#include "media/sound_fixture.h"
#include "platform/bass.h"

namespace {

const std::string kData = std::string(KARVOLT_SOURCE_DIR) + "/data";
const char* const kSamples[] = {"exit.wav",    "zap.wav",  "base_kvt.wav", "datapod.wav", "eat.wav",  "terminal.wav",
                                "switch.wav",  "fall.wav", "objfall.wav",  "explode.wav", "bug.wav"};

std::string sample_path(const char* name) { return kData + "/sounds/" + name; }

class AudioLayerTest : public ::testing::Test {
protected:
    AudioLayerTest() { setenv("SDL_AUDIODRIVER", "dummy", 1); }
    ~AudioLayerTest() override {
        BASS_Free();
        KV_SoundEngine::shutdown();
        EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u) << "audio left open";
    }
    void open() { ASSERT_TRUE(BASS_Init(BASS_DEVICE_DEFAULT, 44100, 0, nullptr)) << SDL_GetError(); }
};

TEST_F(AudioLayerTest, ShippedSamplesLoadPlayAndFree) {
    open();
    for (const char* name : kSamples) {
        const BASS_HANDLE sample = BASS_SampleLoad(false, sample_path(name).c_str(), 0, 0, 2, BASS_SAMPLE_OVER_POS);
        ASSERT_NE(sample, 0u) << name << ": " << Mix_GetError();
        const BASS_HANDLE channel = BASS_SamplePlayEx(sample, 0, -1, -1, -101, -1);
        ASSERT_NE(channel, 0u) << name;
        EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_PLAYING) << name;
        EXPECT_TRUE(BASS_SampleFree(sample)) << name;
        EXPECT_EQ(BASS_ChannelIsActive(channel), BASS_ACTIVE_STOPPED) << name << " still sounds after its free";
        EXPECT_FALSE(BASS_SampleFree(sample)) << name << " freed twice";
    }
}

TEST_F(AudioLayerTest, ShippedTracksAreModulesOfAMinuteOrMore) {
    WorkingFolder cwd(kData);
    ASSERT_EQ(KV_SoundEngine::init(nullptr, false), KV_SoundEngine::S_OK);
    ASSERT_GE(KV_SoundEngine::get_playlist_size(), 3);
    for (const std::string& path : KV_SoundEngine::get_playlist()) {
        EXPECT_EQ(KV_SoundEngine::track_type_of(path), KV_SoundEngine::TRACK_MODULE) << path;
        Mix_Music* m = Mix_LoadMUS(path.c_str());
        ASSERT_NE(m, nullptr) << path << ": " << Mix_GetError();
        EXPECT_GE(Mix_MusicDuration(m), 60.0) << path;
        Mix_FreeMusic(m);
    }
}

TEST_F(AudioLayerTest, EngineStartsEveryTrackOfTheShippedPlaylist) {
    WorkingFolder cwd(kData);
    ASSERT_EQ(KV_SoundEngine::init(nullptr, false), KV_SoundEngine::S_OK);
    KV_SoundEngine::toggle_music();
    ASSERT_TRUE(KV_SoundEngine::is_music_on());
    for (int32_t i = 0; i < KV_SoundEngine::get_playlist_size(); ++i) {
        KV_SoundEngine::set_track_index(i);
        EXPECT_EQ(KV_SoundEngine::play_current(), KV_SoundEngine::S_OK) << i;
        EXPECT_TRUE(Mix_PlayingMusic()) << i;
        KV_SoundEngine::music_tick();
        EXPECT_EQ(KV_SoundEngine::get_track_index(), i) << "a playing track is left alone";
    }
    KV_SoundEvents events;
    for (int id = 0; id < KV_SOUND_EVENT_COUNT; ++id) events.post(id);
    KV_SoundEngine::play_events(events);
    EXPECT_GE(Mix_Playing(-1), 11) << "every sample sounds";
    KV_SoundEngine::toggle_music();
    EXPECT_FALSE(Mix_PlayingMusic());
    KV_SoundEngine::shutdown();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    KV_SoundEngine::shutdown();
}

TEST_F(AudioLayerTest, SimultaneousPlaysShareTheSamplesOwnChannels) {
    open();
    struct Case {
        uint32_t max;
        uint32_t flags;
        bool third_takes_the_first;  // else the third play is refused
    } cases[] = {{2, BASS_SAMPLE_OVER_POS, true}, {2, 0, false}};
    for (const Case& c : cases) {
        const BASS_HANDLE explode = BASS_SampleLoad(false, sample_path("explode.wav").c_str(), 0, 0, c.max, c.flags);
        const BASS_HANDLE exit = BASS_SampleLoad(false, sample_path("exit.wav").c_str(), 0, 0, 1, c.flags);
        ASSERT_NE(explode, 0u);
        ASSERT_NE(exit, 0u);
        const BASS_HANDLE other = BASS_SamplePlayEx(exit, 0, -1, -1, -101, -1);
        std::vector<BASS_HANDLE> plays;
        for (int i = 0; i < 3; ++i) {
            plays.push_back(BASS_SamplePlayEx(explode, 0, -1, -1, -101, -1));
            SDL_Delay(3);  // so the first play is the oldest by the clock too
        }
        ASSERT_NE(plays[0], 0u);
        ASSERT_NE(plays[1], 0u);
        EXPECT_NE(plays[0], plays[1]);
        EXPECT_EQ(plays[2], c.third_takes_the_first ? plays[0] : 0u) << c.flags;
        EXPECT_EQ(BASS_ChannelIsActive(other), BASS_ACTIVE_PLAYING) << "another sample's channel is never taken";
        BASS_SampleFree(explode);
        BASS_SampleFree(exit);
    }
}

TEST_F(AudioLayerTest, VolumeMapsOntoTheMixersScale) {
    open();
    const BASS_HANDLE sample = BASS_SampleLoad(false, sample_path("explode.wav").c_str(), 0, 0, 8, 0);
    ASSERT_NE(sample, 0u);
    struct Case {
        int volume;
        int mixer;
    } cases[] = {{-1, 128}, {100, 128}, {0, 0}, {50, 64}, {30, 38}, {66, 84}, {70, 90}};
    for (const Case& c : cases) {
        const BASS_HANDLE ch = BASS_SamplePlayEx(sample, 0, -1, c.volume, -101, -1);
        ASSERT_NE(ch, 0u);
        EXPECT_EQ(Mix_Volume(int(ch & 0xFFFFFFF), -1), c.mixer) << c.volume;
    }
}

TEST_F(AudioLayerTest, StreamsAndModulesAreTakenOnlyAsTheirKind) {
    open();
    const std::string wav = sample_path("exit.wav");
    const std::string xm = kData + "/music/circuit_run.xm";
    EXPECT_EQ(BASS_MusicLoad(false, wav.c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(false, xm.c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(false, (kData + "/no such.wav").c_str(), 0, 0, 0), 0u);
    EXPECT_EQ(BASS_MusicLoad(false, kData.c_str(), 0, 0, 1), 0u) << "a folder";
    const BASS_HANDLE stream = BASS_StreamCreateFile(false, wav.c_str(), 0, 0, 0);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(BASS_StreamPlay(stream, true, 0));
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_PLAYING);
    const BASS_HANDLE module = BASS_MusicLoad(false, xm.c_str(), 0, 0, 1);
    ASSERT_NE(module, 0u);
    EXPECT_TRUE(BASS_MusicPlayEx(module, 0, -1, true));
    EXPECT_EQ(BASS_ChannelIsActive(stream), BASS_ACTIVE_STOPPED) << "one track at a time";
    EXPECT_EQ(BASS_ChannelIsActive(module), BASS_ACTIVE_PLAYING);
    EXPECT_FALSE(BASS_StreamPlay(module, true, 0)) << "a module is no stream";
    EXPECT_TRUE(BASS_MusicFree(module));
    EXPECT_EQ(BASS_ChannelIsActive(module), BASS_ACTIVE_STOPPED);
    EXPECT_TRUE(BASS_StreamFree(stream));
}

// What a playlist or the sounds folder may name that is no sound file: each is
// refused at once, before any decoder sees it (a folder crashed the module
// loader, a FIFO blocked it forever, a device fed it without end).
class HostileFiles {
public:
    HostileFiles() {
        mkdir((dir_ / "folder.xm").c_str(), 0700);
        mkdir((dir_ / "folder.wav").c_str(), 0700);
        mkfifo((dir_ / "fifo.xm").c_str(), 0600);
        mkfifo((dir_ / "fifo.wav").c_str(), 0600);
        symlink("/dev/urandom", (dir_ / "urandom.mp3").c_str());
        symlink("/dev/zero", (dir_ / "zero.xm").c_str());
        symlink("/dev/zero", (dir_ / "zero.wav").c_str());
        // Larger than any track may be; sparse, so it costs no disk.
        test_support::write_text(dir_ / "huge.wav", "");
        truncate((dir_ / "huge.wav").c_str(), off_t(129) << 20);
        test_support::write_text(dir_ / "empty.xm", "");
    }
    std::vector<std::string> tracks() const {
        return {dir_ / "folder.xm", dir_ / "fifo.xm", dir_ / "urandom.mp3", dir_ / "zero.xm", dir_ / "huge.wav",
                dir_ / "empty.xm"};
    }
    std::vector<std::string> samples() const {
        return {dir_ / "folder.wav", dir_ / "fifo.wav", dir_ / "zero.wav", dir_ / "huge.wav"};
    }
    const test_support::TempDir& dir() const { return dir_; }

private:
    test_support::TempDir dir_;
};

TEST_F(AudioLayerTest, WhatIsNoRegularFileOfASaneSizeIsRefused) {
    open();
    HostileFiles hostile;
    for (const std::string& path : hostile.tracks()) {
        EXPECT_EQ(BASS_MusicLoad(false, path.c_str(), 0, 0, 1), 0u) << path;
        EXPECT_EQ(BASS_StreamCreateFile(false, path.c_str(), 0, 0, 0), 0u) << path;
    }
    for (const std::string& path : hostile.samples())
        EXPECT_EQ(BASS_SampleLoad(false, path.c_str(), 0, 0, 1, 0), 0u) << path;
}

TEST_F(AudioLayerTest, BlocksInMemoryLoadLikeTheirFiles) {
    open();
    const std::vector<uint8_t> wav = test_support::read_file(sample_path("eat.wav"));
    const std::vector<uint8_t> xm = test_support::read_file(kData + "/music/circuit_run.xm");
    const BASS_HANDLE sample = BASS_SampleLoad(true, wav.data(), 0, uint32_t(wav.size()), 1, 0);
    EXPECT_NE(sample, 0u);
    std::vector<uint8_t> copy = xm;
    const BASS_HANDLE module = BASS_MusicLoad(true, copy.data(), 0, uint32_t(copy.size()), 1);
    ASSERT_NE(module, 0u);
    std::fill(copy.begin(), copy.end(), 0);  // the layer keeps its own copy
    EXPECT_TRUE(BASS_MusicPlayEx(module, 0, -1, true));
    EXPECT_EQ(BASS_ChannelIsActive(module), BASS_ACTIVE_PLAYING);
    EXPECT_EQ(BASS_MusicLoad(true, xm.data(), 0, 0, 1), 0u) << "an empty block";
}

// The engine over such files: a track that can't be played is skipped, a sample
// that can't be loaded leaves its slot empty, and the rest sounds.
TEST_F(AudioLayerTest, EngineSkipsHostileTracksAndLeavesHostileSamplesOut) {
    HostileFiles hostile;
    const test_support::TempDir& d = hostile.dir();
    mkdir((d / "sounds").c_str(), 0700);
    mkdir((d / "music").c_str(), 0700);
    mkfifo((d / "sounds/eat.wav").c_str(), 0600);
    symlink(sample_path("exit.wav").c_str(), (d / "sounds/exit.wav").c_str());
    symlink((kData + "/music/circuit_run.xm").c_str(), (d / "music/good.xm").c_str());
    std::string playlist;
    for (const std::string& t : hostile.tracks()) playlist += t + "\n";
    playlist += "good.xm\n";
    test_support::write_text(d / "music/default.m3u", playlist);

    WorkingFolder cwd(d.path());
    ASSERT_EQ(KV_SoundEngine::init(nullptr, false), KV_SoundEngine::S_OK);
    ASSERT_EQ(KV_SoundEngine::get_playlist_size(), 7);
    KV_SoundEngine::toggle_music();
    EXPECT_EQ(KV_SoundEngine::get_track_index(), 0);
    EXPECT_FALSE(Mix_PlayingMusic()) << "the first entry is a folder";
    KV_SoundEngine::next_track();
    EXPECT_EQ(KV_SoundEngine::get_track_index(), 6) << "every hostile entry skipped";
    EXPECT_TRUE(Mix_PlayingMusic());

    KV_SoundEvents events;
    events.post(SE_EAT);
    events.post(SE_EXIT);
    KV_SoundEngine::play_events(events);
    EXPECT_EQ(Mix_Playing(-1), 1) << "exit sounds, eat's slot is empty";
}

TEST_F(AudioLayerTest, CallsWithoutAnOpenDeviceAreHarmless) {
    EXPECT_EQ(BASS_GetVersion(), 0x60001u);
    EXPECT_FALSE(BASS_Start());
    EXPECT_FALSE(BASS_Stop());
    EXPECT_EQ(BASS_SampleLoad(false, sample_path("eat.wav").c_str(), 0, 0, 3, 0), 0u);
    EXPECT_EQ(BASS_SamplePlayEx(1, 0, -1, -1, -101, -1), 0u);
    EXPECT_EQ(BASS_MusicLoad(false, (kData + "/music/deep_core.xm").c_str(), 0, 0, 1), 0u);
    EXPECT_EQ(BASS_ChannelIsActive(0x30000001), BASS_ACTIVE_STOPPED);
    EXPECT_FALSE(BASS_Free());
    EXPECT_EQ(SDL_WasInit(0), 0u);
    open();
    EXPECT_FALSE(BASS_Init(BASS_DEVICE_DEFAULT, 44100, 0, nullptr)) << "already open";
}

TEST_F(AudioLayerTest, NoSoundTouchesNoSdl) {
    WorkingFolder cwd(kData);
    EXPECT_EQ(KV_SoundEngine::init(nullptr, true), KV_SoundEngine::S_OK);
    KV_SoundEngine::toggle_music();
    KV_SoundEvents events;
    events.post(SE_EXPLOSION_NEAR);
    KV_SoundEngine::play_events(events);
    KV_SoundEngine::music_tick();
    KV_SoundEngine::shutdown();
    EXPECT_EQ(SDL_WasInit(0), 0u);
}

TEST_F(AudioLayerTest, ADeviceThatWontOpenLeavesTheEngineSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    WorkingFolder cwd(kData);
    EXPECT_EQ(KV_SoundEngine::init(nullptr, false), KV_SoundEngine::E_FAIL);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    KV_SoundEngine::toggle_music();
    EXPECT_FALSE(KV_SoundEngine::is_music_on());
    EXPECT_EQ(KV_SoundEngine::play_current(), KV_SoundEngine::E_FAIL);
    KV_SoundEvents events;
    events.post(SE_EXIT);
    KV_SoundEngine::play_events(events);
    KV_SoundEngine::shutdown();
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
}

}  // namespace
