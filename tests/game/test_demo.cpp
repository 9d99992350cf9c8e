// Demos: the demo file's keys and types, what the loader refuses and how it
// says so, and replays that run exactly the recorded ticks.
#include <gtest/gtest.h>

#include "foundation/log.h"
#include "foundation/temp_dir.h"
#include "game/level/level.h"
#include "game/play/demo.h"
#include "game/play/key_mask.h"
#include "game/play/session.h"
#include "play_support.h"

using play_support::FakeClock;
using play_support::level_from_picture;
using play_support::replay_digests;
using play_support::ScriptedHost;
using play_support::stream_of;

namespace {

// Pellik five steps from the exit.
std::shared_ptr<KV_LevelBase> corridor() {
    return level_from_picture({"########",
                               "#P....E#",
                               "########"});
}

std::shared_ptr<KV_Demo> sample_demo() {
    auto demo = std::make_shared<KV_Demo>(corridor(), stream_of({0, 0, 4, 4, 4, 0}), 0xdeadbeef);
    demo->SetPlayer("Mira");
    demo->SetLevelset("Levels/karvolt.dat");
    demo->SetLevelNumber(7);
    demo->SetDate(0x00010203, 0x04050607, 0x08090a0b, 0x0c0d0e0f);
    return demo;
}

std::vector<uint8_t> bytes_of(const Qx::BtsFolder& f, const std::string& name) {
    std::vector<uint8_t> v;
    f.get_vector_uint8(name, v);
    return v;
}

// Demo files as the loader sees them: a saved sample with one change.
Qx::BtsFolderPtr sample_tree() { return sample_demo()->Save(); }

// The error and debug logs of the global logger, in a scratch folder for the test.
class LoaderLog {
public:
    LoaderLog() : old_dir_(Qx::g_log.get_directory()), old_base_(Qx::g_log.get_base_name()) {
        Qx::g_log.set_files(dir_.path(), "karvolt");
        Qx::g_log.set_time_source([] {
            Qx::LocalTime t;
            t.hour = 7, t.minute = 5, t.second = 3;
            return t;
        });
        Qx::Log::enable();
    }
    ~LoaderLog() {
        Qx::Log::disable();
        Qx::g_log.set_time_source(nullptr);
        Qx::g_log.set_files(old_dir_, old_base_);
    }
    std::string error() const { return test_support::read_text(dir_ / "karvolt_error.log"); }
    std::string debug() const { return test_support::read_text(dir_ / "karvolt_debug.log"); }

private:
    test_support::TempDir dir_;
    std::string old_dir_, old_base_;
};

// Records a game of `ticks` ticks with the session, as the play screen does,
// and makes its demo.
std::shared_ptr<KV_Demo> recorded(const std::shared_ptr<KV_LevelBase>& level, uint32_t seed, int ticks,
                                  const std::function<int32_t(int)>& keys, std::vector<uint64_t>* digests = nullptr,
                                  KV_GameResult* result = nullptr) {
    auto field = level->ToGenericLevel();
    field->set_random_seed(seed);
    KV_GameSession session(field);
    FakeClock clock;
    session.set_clock(clock.clock());
    ScriptedHost host;
    host.keys = keys;
    while (host.ticks < ticks) {
        const int before = host.ticks;
        clock.ms += 20;
        session.run_frame(host);
        if (digests && host.ticks > before) digests->push_back(play_support::tick_digest(*field));
    }
    if (result) *result = session.get_state();
    return std::make_shared<KV_Demo>(level, session.get_key_stream(), session.get_random_seed());
}

}  // namespace

TEST(Demo, SavesElevenKeysWithTheirTypes) {
    const Qx::BtsFolderPtr tree = sample_tree();
    ASSERT_TRUE(tree);
    const struct { const char* name; uint32_t type; } rows[] = {
        {"file_type", 26}, {"demo_type", 20}, {"level_type", 20}, {"level_revision", 20},
        {"level", 17},     {"random_seed", 21}, {"key_stream", 17}, {"player", 26},
        {"levelset", 26},  {"level_number", 20}, {"date", 17},
    };
    EXPECT_EQ(tree->values().size(), 11u);
    for (const auto& r : rows) {
        const Qx::BtsValuePtr v = tree->find_value(r.name);
        ASSERT_TRUE(v) << r.name;
        EXPECT_EQ(v->type(), r.type) << r.name;
    }
    std::string s;
    int32_t i = 0;
    uint32_t u = 0;
    EXPECT_EQ((tree->get_string("file_type", s, ""), s), "kvd_demo");
    EXPECT_EQ((tree->get_int32("demo_type", i, 0), i), 1);
    EXPECT_EQ((tree->get_int32("level_type", i, 0), i), KV_LEVEL_EXTENDED);
    EXPECT_EQ((tree->get_int32("level_revision", i, 0), i), 1);
    EXPECT_EQ((tree->get_uint32("random_seed", u, 0), u), 0xdeadbeefu);
    EXPECT_EQ(bytes_of(*tree, "key_stream"), (std::vector<uint8_t>{0, 0, 2, 0, 4, 0, 3, 0, 0, 0, 1, 0}));
    std::vector<uint8_t> record;
    ASSERT_TRUE(corridor()->GetData(record));
    EXPECT_EQ(bytes_of(*tree, "level"), record);
    EXPECT_EQ((tree->get_string("player", s, ""), s), "Mira");
    EXPECT_EQ((tree->get_string("levelset", s, ""), s), "Levels/karvolt.dat");
    EXPECT_EQ((tree->get_int32("level_number", i, 0), i), 7);
    EXPECT_EQ(bytes_of(*tree, "date"),
              (std::vector<uint8_t>{3, 2, 1, 0, 7, 6, 5, 4, 11, 10, 9, 8, 15, 14, 13, 12}));
}

TEST(Demo, SaveAndLoadThroughAFileKeepEverything) {
    const auto demo = sample_demo();
    test_support::TempDir dir;
    ASSERT_TRUE(demo->Save()->save(dir / "run.kvd"));
    Qx::BtsFolder tree;
    ASSERT_TRUE(tree.load(dir / "run.kvd"));
    const auto back = KV_Demo::Load(tree);
    ASSERT_TRUE(back);
    std::vector<uint8_t> a, b;
    demo->GetLevel()->GetData(a);
    back->GetLevel()->GetData(b);
    EXPECT_EQ(a, b);
    EXPECT_EQ(back->GetLevel()->GetType(), KV_LEVEL_EXTENDED);
    EXPECT_EQ(back->GetRandomSeed(), 0xdeadbeefu);
    EXPECT_EQ(back->GetKeyStream().entries(), demo->GetKeyStream().entries());
    EXPECT_EQ(back->GetPlayer(), "Mira");
    EXPECT_EQ(back->GetLevelset(), "Levels/karvolt.dat");
    EXPECT_EQ(back->GetLevelNumber(), 7);
    EXPECT_EQ(back->GetDate(), demo->GetDate());
    EXPECT_EQ(back->GetGame().get_level()->get_random_seed(), 0xdeadbeefu);
    EXPECT_EQ(replay_digests(*back), replay_digests(*demo));
}

TEST(Demo, SavesNothingWithoutALevelRecord) {
    EXPECT_FALSE(KV_Demo(nullptr, stream_of({1}), 1).Save());
    const auto unloaded = corridor()->Create(1);  // a level object that holds no record
    EXPECT_FALSE(KV_Demo(unloaded, stream_of({1}), 1).Save());
}

TEST(Demo, AnEmptyKeyStreamLeavesItsKeyOut) {
    const Qx::BtsFolderPtr tree = KV_Demo(corridor(), KV_KeyStream(), 5).Save();
    ASSERT_TRUE(tree);
    EXPECT_FALSE(tree->find_value("key_stream"));
    EXPECT_EQ(tree->values().size(), 10u);
    const auto back = KV_Demo::Load(*tree);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->GetKeyStream().entries().empty());
    ScriptedHost host;
    EXPECT_EQ(back->RunFrame(host), GR_ENDED);
    EXPECT_EQ(host.sound_calls, 0);
}

const std::string kLongRefusal = "Invalid file type: " + std::string(700, 'k') + "\n";

TEST(Demo, LoadRefusesWhatIsNoPlayableDemoAndLogsWhy) {
    const struct {
        const char* what;
        std::function<void(Qx::BtsFolder&)> change;
        const char* message;
    } rows[] = {
        {"no file type", [](Qx::BtsFolder& f) { f.clear(); }, "Invalid file type: \n"},
        {"other file type", [](Qx::BtsFolder& f) { f.set_string("file_type", "xyz"); }, "Invalid file type: xyz\n"},
        {"long file type", [](Qx::BtsFolder& f) { f.set_string("file_type", std::string(700, 'k')); },
         kLongRefusal.c_str()},
        {"file type of the wrong type", [](Qx::BtsFolder& f) { f.set_int32("file_type", 1); },
         "Invalid file type: \n"},
        {"demo type 2", [](Qx::BtsFolder& f) { f.set_int32("demo_type", 2); }, "Invalid demo type: 2\n"},
        {"demo type -1 as int8", [](Qx::BtsFolder& f) { f.set_int8("demo_type", -1); }, "Invalid demo type: -1\n"},
        {"no level", [](Qx::BtsFolder& f) { f.set_uint8s("level", nullptr, 0); }, "Invalid level data\n"},
        {"cut level", [](Qx::BtsFolder& f) { f.set_vector_uint8("level", std::vector<uint8_t>(30, 0)); },
         "Invalid level data\n"},
        {"level type 2", [](Qx::BtsFolder& f) { f.set_int32("level_type", 2); }, "Invalid level data\n"},
        {"classic type for extended bytes", [](Qx::BtsFolder& f) { f.set_int32("level_type", 0); },
         "Invalid level data\n"},
        {"revision 2", [](Qx::BtsFolder& f) { f.set_int32("level_revision", 2); }, "Invalid level data\n"},
        {"six key bytes", [](Qx::BtsFolder& f) { f.set_vector_uint8("key_stream", {1, 0, 1, 0, 1, 0}); },
         "Invalid key stream data\n"},
        // Larger than any format's largest record (an extended one with the largest body).
        {"oversized level",
         [](Qx::BtsFolder& f) { f.set_vector_uint8("level", std::vector<uint8_t>(20 + 0x200000 + 1, 0)); },
         "Level record too large: 2097173 bytes\n"},
        {"oversized level of wide elements",
         [](Qx::BtsFolder& f) { f.set_vector_int32("level", std::vector<int32_t>(20 + 0x200000 + 1, 0)); },
         "Level record too large: 2097173 bytes\n"},
    };
    for (const auto& r : rows) {
        Qx::BtsFolderPtr tree = sample_tree();
        r.change(*tree);
        LoaderLog log;
        std::string why;
        EXPECT_FALSE(KV_Demo::Load(*tree, &why)) << r.what;
        EXPECT_EQ(why, r.message) << r.what;
        EXPECT_EQ(log.error(), std::string("07:05:03: {KV_Demo::Load} ") + r.message) << r.what;
        EXPECT_EQ(log.debug(), std::string("{KV_Demo::Load} ") + r.message) << r.what;
    }
}

TEST(Demo, LoadWritesNoLogWhileLoggingIsOff) {
    Qx::BtsFolderPtr tree = sample_tree();
    tree->set_int32("demo_type", 3);
    std::string error_file;
    {
        LoaderLog log;
        Qx::Log::disable();
        EXPECT_FALSE(KV_Demo::Load(*tree));
        error_file = log.error() + log.debug();
    }
    EXPECT_EQ(error_file, "");
}

TEST(Demo, LoadTakesTheOptionalKeysOnlyWhenTheyHoldSomething) {
    const struct {
        const char* what;
        std::function<void(Qx::BtsFolder&)> change;
        std::function<void(const KV_Demo&)> check;
    } rows[] = {
        {"15-byte date", [](Qx::BtsFolder& f) { f.set_vector_uint8("date", std::vector<uint8_t>(15, 9)); },
         [](const KV_Demo& d) { EXPECT_EQ(d.GetDate(), KV_Demo::Date{}); }},
        {"17-byte date", [](Qx::BtsFolder& f) { f.set_vector_uint8("date", std::vector<uint8_t>(17, 9)); },
         [](const KV_Demo& d) { EXPECT_EQ(d.GetDate(), KV_Demo::Date{}); }},
        {"no level number", [](Qx::BtsFolder& f) { f.set_int32s("level_number", nullptr, 0); },
         [](const KV_Demo& d) { EXPECT_EQ(d.GetLevelNumber(), 0); }},
        {"empty player and level set",
         [](Qx::BtsFolder& f) {
             f.set_string("player", "");
             f.set_string("levelset", "");
         },
         [](const KV_Demo& d) {
             EXPECT_EQ(d.GetPlayer(), "");
             EXPECT_EQ(d.GetLevelset(), "");
         }},
        {"no seed, no keys",
         [](Qx::BtsFolder& f) {
             f.set_uint32s("random_seed", nullptr, 0);
             f.set_uint8s("key_stream", nullptr, 0);
         },
         [](const KV_Demo& d) {
             EXPECT_EQ(d.GetRandomSeed(), 0u);
             EXPECT_TRUE(d.GetKeyStream().entries().empty());
         }},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        Qx::BtsFolderPtr tree = sample_tree();
        r.change(*tree);
        const auto demo = KV_Demo::Load(*tree);
        ASSERT_TRUE(demo);
        r.check(*demo);
    }
}

TEST(Demo, DateWordsHoldTheLocalTimeAsEightHalfWords) {
    Qx::LocalTime t;
    t.year = 2026, t.month = 12, t.day_of_week = 3, t.day = 9, t.hour = 7, t.minute = 5, t.second = 3;
    const auto w = KV_Demo::DateWords(t);
    KV_Demo demo(nullptr, KV_KeyStream(), 0);
    demo.SetDate(w[0], w[1], w[2], w[3]);
    EXPECT_EQ(demo.GetDate(), (KV_Demo::Date{0xea, 0x07, 12, 0, 3, 0, 9, 0, 7, 0, 5, 0, 3, 0, 0, 0}));
}

// A replay runs until its keys are used up, whatever happened in the game,
// then tells what the recording reached.
TEST(Demo, ReplaysExactlyTheRecordedTicksThenReportsTheEnd) {
    const struct {
        const char* what;
        int32_t mask;
        KV_GameResult recorded, replayed;
    } rows[] = {
        {"walks into the exit", KV_KeyMask::RIGHT, GR_FINISHED, GR_FINISHED},
        {"stands still", 0, GR_RUNNING, GR_ENDED},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        KV_GameResult at_end = GR_RUNNING;
        const auto demo = recorded(corridor(), 3, 500, [&](int) { return r.mask; }, nullptr, &at_end);
        EXPECT_EQ(at_end, r.recorded);
        FakeClock clock;
        demo->SetClock(clock.clock());
        ScriptedHost host;
        int frames = 0;
        KV_GameResult result = GR_RUNNING;
        while ((result = demo->RunFrame(host)) == GR_RUNNING && frames < 5000) {
            clock.ms += 7;
            ++frames;
        }
        EXPECT_EQ(host.sound_calls, 500);  // one per tick
        EXPECT_EQ(host.ticks, 0);          // the keyboard is never read
        EXPECT_FALSE(host.fractions.empty());
        EXPECT_EQ(result, r.replayed);
        EXPECT_EQ(demo->GetState(), r.recorded);
        EXPECT_EQ(demo->RunFrame(host), r.replayed);  // and again, with nothing more run
        EXPECT_EQ(host.sound_calls, 500);
        EXPECT_EQ(host.keep_alives, frames + 2);
    }
}

TEST(Demo, PacesByItsOwnSpeed) {
    const auto demo = std::make_shared<KV_Demo>(corridor(), stream_of(std::vector<int32_t>(40, 4)), 1);
    FakeClock clock;
    demo->SetClock(clock.clock());
    demo->SetGameSpeed(5000);
    EXPECT_EQ(demo->GetGameSpeed(), 1000);
    demo->SetGameSpeed(100);
    ScriptedHost host;
    clock.ms += 10;
    demo->RunFrame(host);
    EXPECT_EQ(host.sound_calls, 1);
    demo->RunFrame(host);  // nothing pending: a draw
    EXPECT_EQ(host.sound_calls, 1);
    EXPECT_EQ(host.fractions.size(), 1u);
}

TEST(Demo, RestartBuildsAFreshFieldWithTheStoredSeed) {
    const auto demo = recorded(corridor(), 41, 30, [](int) { return KV_KeyMask::RIGHT; });
    const std::vector<uint64_t> first = replay_digests(*demo);
    const std::shared_ptr<KV_Level> old_field = demo->GetGame().get_level();
    demo->Restart();
    EXPECT_NE(demo->GetGame().get_level(), old_field);
    EXPECT_EQ(demo->GetGame().get_level()->get_random_seed(), 41u);
    EXPECT_EQ(demo->GetGame().get_level()->get_status()->get_moves(), 0);
    EXPECT_EQ(replay_digests(*demo), first);
    EXPECT_EQ(first.size(), 30u);
}

TEST(Demo, WithoutALevelEndsAndNeverTicksOrDraws) {
    KV_Demo demo(nullptr, stream_of({4, 4, 4}), 9);
    FakeClock clock;
    demo.SetClock(clock.clock());
    ScriptedHost host;
    for (int i = 0; i < 3; ++i) {
        clock.ms += 30;
        EXPECT_EQ(demo.RunFrame(host), GR_ENDED);
    }
    EXPECT_FALSE(demo.TickNext(host));
    demo.Tick(host);
    EXPECT_EQ(host.sound_calls, 0);
    EXPECT_TRUE(host.fractions.empty());
    EXPECT_EQ(host.keep_alives, 3);
    EXPECT_EQ(demo.GetState(), GR_ENDED);
}

// The same level, seed and keys give the same game: recorded, replayed,
// replayed again and replayed from the saved file. Bugs draw from the
// generator, so the seed shows in the game.
TEST(Demo, AGameWithBugsReplaysExactlyForEverySeed) {
    const std::vector<std::string> picture = {"##########",
                                              "#P.B.B...#",
                                              "#.B...B..#",
                                              "#..B..B.E#",
                                              "##########"};
    // Walk about among the bugs: right, down, left, up, a stop.
    const auto walk = [](int n) {
        const int32_t steps[] = {4, 4, 8, 1, 0, 2, 4, 4, 0, 8};
        return steps[(n / 16) % 10];
    };
    for (int revision : {KV_LEVEL_REVISION_OLD, KV_LEVEL_REVISION_CURRENT}) {
        std::vector<std::vector<uint64_t>> by_seed;
        for (uint32_t seed : {0u, 1u, 12345u, 0xffffffffu}) {
            SCOPED_TRACE("revision " + std::to_string(revision) + ", seed " + std::to_string(seed));
            std::vector<uint64_t> played;
            const auto demo = recorded(level_from_picture(picture, revision), seed, 1200, walk, &played);
            EXPECT_EQ(replay_digests(*demo), played);
            EXPECT_EQ(replay_digests(*demo), played);
            const auto loaded = KV_Demo::Load(*demo->Save());
            ASSERT_TRUE(loaded);
            EXPECT_EQ(replay_digests(*loaded), played);
            by_seed.push_back(played);
        }
        EXPECT_NE(by_seed[1], by_seed[2]) << "the seed does not show in the game";
    }
}
