// The sound engine on a fake audio library: what it loads, what each sound event
// plays, the playlist's lines and the music's way through the playlist.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <ClanLib/Core/System/system.h>

#include "game/media/music_keep_alive.h"
#include "media/sound_fixture.h"

namespace {

using E = KV_SoundEngine;
using Calls = std::vector<std::string>;

// Everything the application or a game may call, for the silent-engine tests.
void call_everything() {
    KV_SoundEvents events;
    for (int id = 0; id < KV_SOUND_EVENT_COUNT; ++id) events.post(id);
    E::play_events(events);
    E::load_playlist();
    E::toggle_music();
    E::next_track();
    E::prev_track();
    E::music_tick();
    EXPECT_EQ(E::play_current(), E::E_FAIL);
    EXPECT_EQ(E::track_type(), E::TRACK_UNKNOWN);
    EXPECT_FALSE(E::is_music_on());
    E::shutdown();
    E::shutdown();
}

TEST_F(SoundEngineTest, InitOpensTheDeviceAndLoadsTheSamplesInOrder) {
    write_playlist("a.xm\n");
    ASSERT_EQ(E::init(nullptr, false), E::S_OK);
    const char* order[][2] = {{"eat", "3"},      {"exit", "1"},    {"bug", "4"},      {"zap", "2"},
                              {"base_kvt", "2"}, {"datapod", "2"}, {"terminal", "2"}, {"switch", "1"},
                              {"fall", "8"},     {"objfall", "4"}, {"explode", "8"}};
    Calls expected = {"get_version", "init -1 44100 0 (nil)", "start"};
    for (auto& [name, max] : order)
        expected.push_back("sample_load 0 " + sound(std::string(name) + ".wav") + " 0 0 " + max + " 0x20000");
    EXPECT_EQ(fake_.take_calls(), expected);
    EXPECT_EQ(E::get_playlist(), std::vector<std::string>{music("a.xm")});
    EXPECT_EQ(E::get_track_index(), 0);
    EXPECT_FALSE(E::is_music_on());
}

TEST_F(SoundEngineTest, NoSoundCallsNothing) {
    write_playlist("a.xm\n");
    EXPECT_EQ(E::init(nullptr, true), E::S_OK);
    EXPECT_EQ(E::get_playlist_size(), 0);
    call_everything();
    EXPECT_EQ(fake_.calls, Calls{});
}

// A device that can't be opened, or a library of the wrong version, leaves the engine
// as silent as "-nosound".
TEST_F(SoundEngineTest, FailedStartLeavesTheEngineSilent) {
    struct Case {
        uint32_t version;
        bool device_opens;
        Calls calls;
    } cases[] = {
        {0x60000, true, {"get_version"}},
        {0x60001, false, {"get_version", "init -1 44100 0 (nil)"}},
    };
    write_playlist("a.xm\n");
    for (const Case& c : cases) {
        fake_.version = c.version;
        fake_.device_opens = c.device_opens;
        EXPECT_EQ(E::init(nullptr, false), E::E_FAIL);
        call_everything();
        EXPECT_EQ(fake_.take_calls(), c.calls) << std::hex << c.version;
    }
}

TEST_F(SoundEngineTest, EachEventPlaysItsSampleOnceAtItsVolume) {
    start_with({});
    struct Case {
        int event;
        const char* file;  // null: plays nothing
        int volume;
    } cases[] = {
        {SE_EXIT, "exit", -1},
        {SE_ZAP, "zap", -1},
        {SE_BASE_EATEN, "base_kvt", 50},
        {SE_DATAPOD, "datapod", 90},
        {SE_EAT, "eat", -1},
        {SE_UNUSED, nullptr, 0},
        {SE_TERMINAL, "terminal", 66},
        {SE_SWITCH, "switch", -1},
        {SE_FALL_NEAR, "fall", 70},
        {SE_FALL_FAR, "fall", 30},
        {SE_OBJECT_FALL_NEAR, "objfall", 70},
        {SE_OBJECT_FALL_FAR, "objfall", 30},
        {SE_EXPLOSION_NEAR, "explode", 70},
        {SE_EXPLOSION_FAR, "explode", 30},
        {SE_BUG_NEAR, "bug", 60},
        {SE_BUG_FAR, "bug", 30},
    };
    Calls all;
    KV_SoundEvents every;
    for (const Case& c : cases) {
        KV_SoundEvents events;
        for (int i = 0; i < 5; ++i) events.post(c.event);
        every.post(c.event);
        E::play_events(events);
        Calls expected;
        if (c.file) {
            expected.push_back("sample_play_ex " + std::to_string(fake_.handle_of(sound(std::string(c.file) + ".wav"))) +
                               " 0 -1 " + std::to_string(c.volume) + " -101 -1");
        }
        EXPECT_EQ(fake_.take_calls(), expected) << "event " << c.event;
        all.insert(all.end(), expected.begin(), expected.end());
    }
    // One tick with every event plays them in event order.
    E::play_events(every);
    EXPECT_EQ(fake_.take_calls(), all);
    KV_SoundEvents none;
    E::play_events(none);
    EXPECT_EQ(fake_.calls, Calls{});
}

TEST_F(SoundEngineTest, MissingSampleStaysQuiet) {
    fake_.unloadable.insert(sound("exit.wav"));
    start_with({});
    KV_SoundEvents events;
    events.post(SE_EXIT);
    events.post(SE_ZAP);
    E::play_events(events);
    const Calls calls = fake_.take_calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rfind("sample_play_ex " + std::to_string(fake_.handle_of(sound("zap.wav"))) + " ", 0), 0u);
}

TEST_F(SoundEngineTest, ShutdownFreesEverythingOnceAndLeavesTheEngineSilent) {
    start_with({"a.xm"});
    E::toggle_music();
    const uint32_t module = fake_.handle_of(music("a.xm"));
    fake_.take_calls();
    E::shutdown();
    Calls calls = fake_.take_calls();
    ASSERT_EQ(calls.size(), 1u + 1u + 11u + 1u);
    EXPECT_EQ(calls[0], "stop");
    EXPECT_EQ(calls[1], "music_free " + std::to_string(module));
    for (size_t i = 2; i < 13; ++i) EXPECT_EQ(calls[i].rfind("sample_free ", 0), 0u) << calls[i];
    EXPECT_EQ(calls.back(), "free");
    call_everything();
    EXPECT_EQ(fake_.calls, Calls{});
}

TEST_F(SoundEngineTest, PlaylistLines) {
    const std::string long_name(300, 'n');
    write_playlist(
        "# a comment: with a colon\n"
        "abc#def:ghi\n"
        "C:\\Music\\song.xm\r\n"
        "\\first.xm\n"
        "\\odd:name.xm\r\n"
        "second.mod\r\n"
        "\n"
        "sub\\dir\\third.it\n"
        "/srv/music/fourth.mp3\n"
        "caf\xc3\xa9 \xe2\x99\xab.xm\n"
        "tab\tend.xm\n"
        "x:\ttab kept\r\n" +
        long_name + ".xm\n"
        "last.s3m");
    ASSERT_EQ(E::init(nullptr, false), E::S_OK);
    const std::vector<std::string> expected = {
        "C:/Music/song.xm",
        music("first.xm"),
        music("odd:name.xm"),  // a leading '\\' is the music folder, before any ':'
        music("second.mod"),
        music(""),
        music("sub/dir/third.it"),
        "/srv/music/fourth.mp3",
        music("caf\xc3\xa9 \xe2\x99\xab.xm"),
        music("tab"),
        "x:\ttab kept",
        music(long_name + ".xm"),
        music("last.s3m"),
    };
    EXPECT_EQ(E::get_playlist(), expected);
}

TEST_F(SoundEngineTest, NoPlaylistFileGivesAnEmptyPlaylist) {
    ASSERT_EQ(E::init(nullptr, false), E::S_OK);
    EXPECT_EQ(E::get_playlist_size(), 0);
    E::toggle_music();
    EXPECT_TRUE(E::is_music_on());
    EXPECT_EQ(E::play_current(), E::E_FAIL);
    E::music_tick();
    E::next_track();
    EXPECT_EQ(fake_.take_calls().size(), 14u) << "only the start-up calls";
}

TEST(TrackType, ByExtension) {
    struct Case {
        const char* path;
        int type;
    } cases[] = {
        {"a.mp3", E::TRACK_STREAM},  {"a.WAV", E::TRACK_STREAM},    {"a.MOD", E::TRACK_MODULE},
        {"a.xm", E::TRACK_MODULE},   {"a.It", E::TRACK_MODULE},     {"a.s3m", E::TRACK_MODULE},
        {"a.mtm", E::TRACK_MODULE},  {"a.umx", E::TRACK_MODULE},    {"a.mo3", E::TRACK_MODULE},
        {"a.b.xm", E::TRACK_MODULE}, {"a.ogg", E::TRACK_UNKNOWN},   {"a.xmxmx", E::TRACK_UNKNOWN},
        {"a.mp3x", E::TRACK_UNKNOWN}, {"a.mods", E::TRACK_UNKNOWN}, {"noext", E::TRACK_UNKNOWN},
        {"a.", E::TRACK_UNKNOWN},    {"", E::TRACK_UNKNOWN},
    };
    for (const Case& c : cases) EXPECT_EQ(E::track_type_of(c.path), c.type) << c.path;
}

TEST_F(SoundEngineTest, TrackTypeAndPlayStayInsideThePlaylist) {
    start_with({"a.xm", "b.mp3"});
    for (int32_t bad : {-1, 2, 1000}) {
        E::set_track_index(bad);
        EXPECT_EQ(E::track_type(), E::TRACK_UNKNOWN) << bad;
    }
    E::set_track_index(1);
    EXPECT_EQ(E::track_type(), E::TRACK_STREAM);
    // A bad index plays the first entry.
    E::toggle_music();
    fake_.take_calls();
    for (int32_t bad : {-7, 2}) {
        E::set_track_index(bad);
        EXPECT_EQ(E::play_current(), E::S_OK);
        EXPECT_EQ(E::get_track_index(), 0);
    }
}

TEST_F(SoundEngineTest, PlayCurrentFreesTheOldTrackAndStartsTheNew) {
    start_with({"a.xm", "b.mp3", "c.ogg"});
    EXPECT_EQ(E::play_current(), E::E_FAIL) << "music is off";
    EXPECT_EQ(fake_.calls, Calls{});
    E::toggle_music();
    const std::string a = std::to_string(fake_.handle_of(music("a.xm")));
    EXPECT_EQ(fake_.take_calls(), (Calls{"music_load 0 " + music("a.xm") + " 0 0 1", "music_play_ex " + a + " 0 -1 1"}));
    E::set_track_index(1);
    EXPECT_EQ(E::play_current(), E::S_OK);
    const std::string b = std::to_string(fake_.handle_of(music("b.mp3")));
    EXPECT_EQ(fake_.take_calls(), (Calls{"music_free " + a, "stream_create_file 0 " + music("b.mp3") + " 0 0 0",
                                         "stream_play " + b + " 1 0"}));
    E::set_track_index(2);
    EXPECT_EQ(E::play_current(), E::E_FAIL);
    EXPECT_EQ(fake_.take_calls(), Calls{}) << "an unknown type leaves the old track playing";
    E::toggle_music();
    EXPECT_FALSE(E::is_music_on());
    EXPECT_EQ(fake_.take_calls(), Calls{"stream_free " + b});
}

TEST_F(SoundEngineTest, PlayCurrentFailsWhenTheTrackWontLoadOrStart) {
    fake_.unloadable.insert(music("a.xm"));
    fake_.unstartable.insert(music("b.mp3"));
    start_with({"a.xm", "b.mp3", "c.xm"});
    E::toggle_music();
    EXPECT_TRUE(E::is_music_on());
    for (int32_t i : {0, 1}) {
        E::set_track_index(i);
        EXPECT_EQ(E::play_current(), E::E_FAIL) << i;
    }
    E::set_track_index(2);
    EXPECT_EQ(E::play_current(), E::S_OK);
}

TEST_F(SoundEngineTest, NextAndPrevTrackAtBothEnds) {
    start_with({"a.xm", "b.xm", "c.xm"});
    E::toggle_music();
    E::next_track();
    EXPECT_EQ(E::get_track_index(), 1);
    E::next_track();
    E::next_track();
    EXPECT_EQ(E::get_track_index(), 0) << "next wraps at the end";
    EXPECT_TRUE(fake_.active.count(fake_.handle_of(music("a.xm"))));
    E::prev_track();
    EXPECT_EQ(E::get_track_index(), 0) << "prev stops at the first";
    EXPECT_TRUE(fake_.active.count(fake_.handle_of(music("a.xm"))));
    E::set_track_index(2);
    E::prev_track();
    EXPECT_EQ(E::get_track_index(), 1);
}

TEST_F(SoundEngineTest, TrackSearchesSkipForwardWithoutWrapping) {
    fake_.unloadable = {music("b.xm"), music("c.xm")};
    start_with({"a.xm", "b.xm", "c.xm", "d.xm"});
    E::toggle_music();
    E::next_track();
    EXPECT_EQ(E::get_track_index(), 3) << "b and c are skipped";
    E::set_track_index(3);
    E::prev_track();
    EXPECT_EQ(E::get_track_index(), 3) << "prev goes to c, which fails, and moves on to d";
    E::set_track_index(0);
    fake_.unloadable.insert(music("d.xm"));
    E::next_track();
    EXPECT_EQ(E::get_track_index(), 4) << "no wrap back to a";
    EXPECT_TRUE(E::is_music_on());
}

TEST_F(SoundEngineTest, TrackKeysDoNothingWithMusicOff) {
    start_with({"a.xm", "b.xm"});
    E::next_track();
    E::prev_track();
    E::music_tick();
    EXPECT_EQ(fake_.calls, Calls{});
    EXPECT_EQ(E::get_track_index(), 0);
}

TEST_F(SoundEngineTest, MusicTickStartsTheNextTrackWhenOneEnds) {
    fake_.unloadable = {music("b.xm")};
    start_with({"a.xm", "b.xm", "c.xm"});
    E::toggle_music();
    fake_.take_calls();
    E::music_tick();
    EXPECT_EQ(fake_.take_calls(), Calls{"channel_is_active " + std::to_string(fake_.handle_of(music("a.xm")))})
        << "a still plays";
    EXPECT_EQ(E::get_track_index(), 0);
    // a ends: b won't load, c plays; c ends: a from the top; a ends: b is skipped again.
    for (int32_t track : {2, 0, 2}) {
        fake_.end_all_tracks();
        E::music_tick();
        EXPECT_EQ(E::get_track_index(), track);
        EXPECT_TRUE(E::is_music_on());
    }
}

TEST_F(SoundEngineTest, MusicTickSearchesFromTheTopOnceMore) {
    start_with({"a.xm", "b.xm", "c.xm"});
    E::toggle_music();
    E::set_track_index(1);
    fake_.unloadable = {music("c.xm")};
    fake_.end_all_tracks();
    E::music_tick();
    EXPECT_EQ(E::get_track_index(), 0) << "c fails, a is found from the top";
    EXPECT_TRUE(fake_.active.count(fake_.handle_of(music("a.xm"))));
}

TEST_F(SoundEngineTest, MusicTickSwitchesOffWhenNothingPlays) {
    start_with({"a.xm", "b.ogg", "c.xm"});
    E::toggle_music();
    fake_.unloadable = {music("a.xm"), music("c.xm")};
    fake_.end_all_tracks();
    // From a, nothing further and nothing from the top plays: the music stays on with
    // the index past the end...
    E::music_tick();
    EXPECT_TRUE(E::is_music_on());
    EXPECT_EQ(E::get_track_index(), 3);
    // ...and the next pass starts from the top and gives up.
    E::music_tick();
    EXPECT_FALSE(E::is_music_on());
    fake_.take_calls();
    E::music_tick();
    EXPECT_EQ(fake_.calls, Calls{});
}

TEST_F(SoundEngineTest, MusicTickOnAnIndexSetPastTheEndStartsFromTheTop) {
    fake_.unloadable = {music("a.xm")};
    start_with({"a.xm"});
    E::toggle_music();
    E::set_track_index(5);
    E::music_tick();
    EXPECT_FALSE(E::is_music_on()) << "a search from the top that finds nothing ends the music";
}

TEST_F(SoundEngineTest, KeepAliveRunsTheMusicTick) {
    start_with({"a.xm", "b.xm"});
    E::toggle_music();
    KV_MusicKeepAlive keep_alive;
    fake_.end_all_tracks();
    CL_System::keep_alive();
    EXPECT_EQ(E::get_track_index(), 1);
}

TEST_F(SoundEngineTest, InitTwiceStartsAfresh) {
    start_with({"a.xm"});
    E::toggle_music();
    fake_.take_calls();
    ASSERT_EQ(E::init(nullptr, false), E::S_OK);
    const Calls calls = fake_.take_calls();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), "stop");
    EXPECT_FALSE(E::is_music_on());
}

}  // namespace
