// The options file.
#include <gtest/gtest.h>

#include <functional>

#include "app/players/options.h"
#include "app_fixtures.h"

using namespace app_fixtures;

TEST(Options, MusicOffAndNoPlayerStoreOnlyMusic) {
    TempDir d;
    KV_Options o;
    EXPECT_TRUE(o.get_music());
    EXPECT_EQ(o.get_player(), "");
    o.set_music(false);
    ASSERT_TRUE(o.save(d / "options.bts"));

    Qx::BtsFolder top;
    ASSERT_TRUE(top.load(d / "options.bts"));
    EXPECT_EQ(top.values().size(), 1u);
    EXPECT_TRUE(top.folders().empty());
    EXPECT_EQ(type_of(top, "music"), Qx::BTS_INT32);
    EXPECT_EQ(int_of(top, "music"), 0);

    KV_Options back;
    back.set_player("stale");
    ASSERT_TRUE(back.load(d / "options.bts"));
    EXPECT_FALSE(back.get_music());
    EXPECT_EQ(back.get_player(), "");

    back.set_music(true);
    back.set_player("Ann Lee");
    ASSERT_TRUE(back.save(d / "options.bts"));
    ASSERT_TRUE(top.load(d / "options.bts"));
    EXPECT_EQ(int_of(top, "music"), 1);
    EXPECT_EQ(type_of(top, "player"), Qx::BTS_STRING);
    EXPECT_EQ(string_of(top, "player"), "Ann Lee");
}

TEST(Options, StoredValuesReadAsTheyMean) {
    TempDir d;
    struct Row { const char* what; std::function<void(Qx::BtsFolder&)> fill; bool music; const char* player; };
    const Row rows[] = {
        {"music 7", [](Qx::BtsFolder& f) { f.set_int32("music", 7); }, true, ""},
        {"music -1", [](Qx::BtsFolder& f) { f.set_int32("music", -1); }, true, ""},
        {"music 0 as a byte", [](Qx::BtsFolder& f) { f.set_uint8("music", 0); }, false, ""},
        {"no keys", [](Qx::BtsFolder&) {}, true, ""},
        {"only a player", [](Qx::BtsFolder& f) { f.set_string("player", "bob"); }, true, "bob"},
        {"music as text", [](Qx::BtsFolder& f) { f.set_string("music", "0"); }, true, ""},
        {"music empty", [](Qx::BtsFolder& f) { f.set_int32s("music", nullptr, 0); }, true, ""},
        {"player as a number", [](Qx::BtsFolder& f) { f.set_int32("player", 5); }, true, ""},
    };
    for (const Row& r : rows) {
        Qx::BtsFolder top;
        r.fill(top);
        ASSERT_TRUE(top.save(d / "options.bts"));
        KV_Options o;
        o.set_music(!r.music);
        o.set_player("before");
        ASSERT_TRUE(o.load(d / "options.bts")) << r.what;
        EXPECT_EQ(o.get_music(), r.music) << r.what;
        EXPECT_EQ(o.get_player(), r.player) << r.what;
    }

    // Music 7 is written back as 1.
    Qx::BtsFolder seven;
    seven.set_int32("music", 7);
    ASSERT_TRUE(seven.save(d / "options.bts"));
    KV_Options o;
    ASSERT_TRUE(o.load(d / "options.bts"));
    EXPECT_EQ(int_of(*o.to_folder(), "music"), 1);
}

TEST(Options, FileThatDoesNotLoadChangesNothing) {
    TempDir d;
    test_support::write_text(d / "broken.bts", "options");
    for (const char* file : {"missing.bts", "broken.bts"}) {
        KV_Options o;
        o.set_music(false);
        o.set_player("kept");
        EXPECT_FALSE(o.load(d / file)) << file;
        EXPECT_FALSE(o.get_music()) << file;
        EXPECT_EQ(o.get_player(), "kept") << file;
    }
}

TEST(Options, FailedSaveIsReported) {
    TempDir d;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(KV_Options().save(d / "missing/options.bts"));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not save " + d / "missing/options.bts"),
              std::string::npos);
}

TEST(Options, DefaultFileIsInTheWorkingFolder) {
    InScratchDir d;
    KV_Options o;
    EXPECT_FALSE(o.load());
    o.set_player("bob");
    ASSERT_TRUE(o.save());
    EXPECT_TRUE(test_support::exists(d / "options.bts"));
    KV_Options back;
    ASSERT_TRUE(back.load());
    EXPECT_EQ(back.get_player(), "bob");
}
