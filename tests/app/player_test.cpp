// Player profiles, their level-set statistics and the player file.
#include <gtest/gtest.h>

#include <climits>
#include <functional>

#include "app/players/player.h"
#include "app_fixtures.h"
#include "game/level/levelset_registry.h"

using namespace app_fixtures;
using Names = std::vector<std::string>;
using States = std::vector<int32_t>;

namespace {

// A player file's tree, written by hand as other programs might.
Qx::BtsFolderPtr choice(const std::string& path, const std::string& name) {
    auto f = std::make_shared<Qx::BtsFolder>();
    f->set_string("path", path);
    f->set_string("name", name);
    return f;
}

Qx::BtsFolderPtr stat_folder(const std::string& path, const std::string& name, int32_t current) {
    auto f = choice(path, name);
    f->set_int32("current_level", current);
    return f;
}

std::shared_ptr<KV_LevelsetStat> stat_of(const KV_Player& p, const std::string& key) {
    auto found = p.get_stats().find(key);
    return found == p.get_stats().end() ? nullptr : found->second;
}

}  // namespace

TEST(Player, ConstructorsAndScanners) {
    InScratchDir d;
    KV_Player empty;
    EXPECT_EQ(empty.get_name(), "");
    EXPECT_EQ(empty.get_game_speed(), 50);
    EXPECT_FALSE(empty.get_level_scanner());
    EXPECT_FALSE(empty.get_demo_scanner());
    EXPECT_FALSE(empty.get_levelset());
    EXPECT_EQ(empty.get_current_level_number(), 0);  // no scanners still gives a record

    KV_Player bob("bob");
    ASSERT_TRUE(bob.get_level_scanner());
    ASSERT_TRUE(bob.get_demo_scanner());
    EXPECT_EQ(bob.get_level_scanner()->get_root(), d.path() + "Levels/");
    EXPECT_EQ(bob.get_level_scanner()->get_masks(), Names({"*.d??", "*.dat", "*.hxm", "*.tq", ""}));
    EXPECT_EQ(bob.get_demo_scanner()->get_root(), d.path() + "Demos/");
    EXPECT_EQ(bob.get_demo_scanner()->get_masks(), Names({"*.kvd"}));
}

TEST(Player, GameSpeedOutsideTheRangeStoresFifty) {
    struct Row { int32_t in, stored; };
    const Row rows[] = {{0, 50}, {1, 1}, {1000, 1000}, {1001, 50}, {-7, 50}, {123, 123}, {INT32_MIN, 50}};
    KV_Player p("p");
    for (const Row& r : rows) {
        p.set_game_speed(9);
        p.set_game_speed(r.in);
        EXPECT_EQ(p.get_game_speed(), r.stored) << r.in;
    }
}

TEST(Player, FreshProfileTree) {
    InScratchDir d;
    KV_Player p("ann");
    Qx::BtsFolderPtr top = p.to_folder();
    EXPECT_EQ(string_of(*top, "name"), "ann");
    for (const char* sub : {"Levelset", "Demos"}) {
        Qx::BtsFolderPtr f = top->get_folder(sub);
        ASSERT_TRUE(f) << sub;
        EXPECT_EQ(type_of(*f, "path"), Qx::BTS_STRING);
        EXPECT_EQ(type_of(*f, "name"), Qx::BTS_STRING);
        EXPECT_EQ(string_of(*f, "path"), "");
        EXPECT_EQ(string_of(*f, "name"), "");
    }
    ASSERT_TRUE(top->get_folder("Stats"));
    EXPECT_TRUE(top->get_folder("Stats")->get_folder_names().empty());
    EXPECT_TRUE(top->get_folder("Stats")->values().empty());
    ASSERT_TRUE(top->get_folder("Preferences"));
    EXPECT_EQ(type_of(*top->get_folder("Preferences"), "game_speed"), Qx::BTS_INT32);
    EXPECT_EQ(int_of(*top->get_folder("Preferences"), "game_speed"), 50);

    // Asking for the current level before any set is chosen makes one record.
    EXPECT_EQ(p.get_current_level_number(), 0);
    Qx::BtsFolderPtr stats = p.to_folder()->get_folder("Stats");
    ASSERT_EQ(stats->get_folder_names(), Names({"0"}));
    Qx::BtsFolderPtr record = stats->get_folder("0");
    EXPECT_EQ(string_of(*record, "path"), "");
    EXPECT_EQ(string_of(*record, "name"), "");
    EXPECT_FALSE(record->find_value("levels_state"));  // an empty list stores nothing
    EXPECT_EQ(type_of(*record, "current_level"), Qx::BTS_INT32);
    EXPECT_EQ(int_of(*record, "current_level"), 0);
}

TEST(Player, FileRoundTripWithExactTypes) {
    InScratchDir d;
    d.mkdir("Levels");
    d.mkdir("Levels/extra");
    d.mkdir("Demos");
    d.mkdir("Demos/old");
    KV_Player p("Ann Lee");
    p.set_game_speed(120);
    ASSERT_TRUE(p.get_level_scanner()->change_dir("extra"));
    ASSERT_TRUE(p.get_demo_scanner()->change_dir("old"));
    p.set_levelset_name("mine.dat");
    p.set_demo_name("best.kvd");
    p.get_levelset_stat()->level_state(3) = 2;
    p.get_levelset_stat()->set_current_level(4);
    p.set_levelset_name("other.hxm");
    p.get_levelset_stat()->set_current_level(1);
    p.set_levelset_name("mine.dat");
    ASSERT_TRUE(p.save(d / "ann.bts"));

    Qx::BtsFolder top;
    ASSERT_TRUE(top.load(d / "ann.bts"));
    EXPECT_EQ(type_of(top, "name"), Qx::BTS_STRING);
    EXPECT_EQ(string_of(*top.get_folder("Levelset"), "path"), "extra/");
    EXPECT_EQ(string_of(*top.get_folder("Levelset"), "name"), "mine.dat");
    EXPECT_EQ(string_of(*top.get_folder("Demos"), "path"), "old/");
    EXPECT_EQ(string_of(*top.get_folder("Demos"), "name"), "best.kvd");
    Qx::BtsFolderPtr stats = top.get_folder("Stats");
    ASSERT_EQ(stats->get_folder_names(), Names({"0", "1"}));
    for (const std::string& sub : stats->get_folder_names()) {
        Qx::BtsFolderPtr record = stats->get_folder(sub);
        EXPECT_EQ(type_of(*record, "path"), Qx::BTS_STRING);
        EXPECT_EQ(type_of(*record, "name"), Qx::BTS_STRING);
        EXPECT_EQ(type_of(*record, "current_level"), Qx::BTS_INT32);
        if (string_of(*record, "name") == "mine.dat") {
            EXPECT_EQ(type_of(*record, "levels_state"), Qx::BTS_UINT8);
            EXPECT_EQ(record->find_value("levels_state")->data(), std::vector<uint8_t>({0, 0, 0, 2}));
        } else {
            EXPECT_FALSE(record->find_value("levels_state"));
        }
    }
    EXPECT_EQ(type_of(*top.get_folder("Preferences"), "game_speed"), Qx::BTS_INT32);

    KV_Player back;
    ASSERT_TRUE(back.load(d / "ann.bts"));
    EXPECT_EQ(back.get_loaded_file(), d / "ann.bts");
    EXPECT_EQ(back.get_name(), "Ann Lee");
    EXPECT_EQ(back.get_game_speed(), 120);
    EXPECT_EQ(back.get_levelset_name(), "mine.dat");
    EXPECT_EQ(back.get_demo_name(), "best.kvd");
    EXPECT_EQ(back.get_level_scanner()->get_relative_dir(), "extra/");
    EXPECT_EQ(back.get_demo_scanner()->get_relative_dir(), "old/");
    ASSERT_EQ(back.get_stats().size(), 2u);
    EXPECT_EQ(back.get_levelset_stat()->levels_state(), States({0, 0, 0, 2}));
    EXPECT_EQ(back.get_current_level_number(), 4);
    ASSERT_TRUE(stat_of(back, "extra/other.hxm"));
    EXPECT_EQ(stat_of(back, "extra/other.hxm")->get_current_level(), 1);
}

TEST(Player, LoadRefusesFilesWithoutAnAcceptableName) {
    InScratchDir d;
    struct Row { const char* what; std::function<void(Qx::BtsFolder&)> name; };
    const Row rows[] = {
        {"no name", [](Qx::BtsFolder&) {}},
        {"empty name", [](Qx::BtsFolder& f) { f.set_string("name", ""); }},
        {"name of another type", [](Qx::BtsFolder& f) { f.set_int32("name", 7); }},
        {"a parent folder", [](Qx::BtsFolder& f) { f.set_string("name", "../x"); }},
        {"a separator", [](Qx::BtsFolder& f) { f.set_string("name", "a/b"); }},
        {"a backslash", [](Qx::BtsFolder& f) { f.set_string("name", "a\\b"); }},
        {"a NUL", [](Qx::BtsFolder& f) { f.set_string("name", std::string("ab\0c", 4)); }},
        {"no file name", [](Qx::BtsFolder& f) { f.set_string("name", std::string(252, 'a')); }},
    };
    for (const Row& r : rows) {
        Qx::BtsFolder top;
        r.name(top);
        top.set_folder("Preferences", std::make_shared<Qx::BtsFolder>());
        top.get_folder("Preferences")->set_int32("game_speed", 99);
        ASSERT_TRUE(top.save(d / "p.bts"));
        KV_Player p("keep");
        EXPECT_FALSE(p.load(d / "p.bts")) << r.what;
        EXPECT_EQ(p.get_name(), "keep") << r.what;
        EXPECT_EQ(p.get_game_speed(), 50) << r.what;
        EXPECT_EQ(p.get_loaded_file(), "") << r.what;
    }
    KV_Player p;
    EXPECT_FALSE(p.load(d / "missing.bts"));
    test_support::write_text(d / "text.bts", "not a BTS file");
    EXPECT_FALSE(p.load(d / "text.bts"));

    Qx::BtsFolder longest;
    longest.set_string("name", std::string(64, 'a'));
    EXPECT_TRUE(p.load_folder(longest));
}

// Names the dialog could not have typed but that stay inside the players folder
// load, so no profile disappears for the way its name is written.
TEST(Player, LoadTakesEveryNameThatIsAFileNameInTheFolder) {
    for (const std::string& name : std::vector<std::string>{"Anne-Marie", "José", "   ", " bob", "a.b", "..", "50%",
                                                            std::string(65, 'a'), std::string(251, 'a')}) {
        Qx::BtsFolder top;
        top.set_string("name", name);
        KV_Player p;
        std::string why;
        EXPECT_TRUE(p.load_folder(top, &why)) << name << ": " << why;
        EXPECT_EQ(p.get_name(), name);
    }
}

// What a profile may hold is capped; a file past a cap is refused whole, saying why.
TEST(Player, LoadRefusesFilesPastTheCaps) {
    auto with_stats = [](size_t entries, size_t states) {
        auto top = std::make_shared<Qx::BtsFolder>();
        top->set_string("name", "bob");
        auto stats = std::make_shared<Qx::BtsFolder>();
        for (size_t i = 0; i < entries; ++i) {
            auto s = stat_folder("", "set" + std::to_string(i) + ".dat", 0);
            if (i == 0) s->set_vector_uint8("levels_state", std::vector<uint8_t>(states, 2));
            stats->set_folder(std::to_string(i), s);
        }
        top->set_folder("Stats", stats);
        return top;
    };
    struct Row {
        const char* what;
        size_t entries, states;
        bool loads;
        const char* reason;
    } rows[] = {
        {"as many entries as allowed", KV_MAX_PROGRESS_ENTRIES, 1, true, ""},
        {"one entry too many", KV_MAX_PROGRESS_ENTRIES + 1, 1, false, "10001 progress entries"},
        {"as many states as a set can have", 1, size_t(KV_LevelSetBase::MAX_LEVELS), true, ""},
        {"one state too many", 1, size_t(KV_LevelSetBase::MAX_LEVELS) + 1, false,
         "65537 level states, more than a level set can have"},
    };
    for (const Row& r : rows) {
        KV_Player p("keep");
        std::string why;
        EXPECT_EQ(p.load_folder(*with_stats(r.entries, r.states), &why), r.loads) << r.what;
        EXPECT_NE(why.find(r.reason), std::string::npos) << r.what << ": " << why;
        if (r.loads) {
            EXPECT_EQ(p.get_stats().size(), r.entries) << r.what;
        } else {
            EXPECT_EQ(p.get_name(), "keep") << r.what;
            EXPECT_TRUE(p.get_stats().empty()) << r.what;
        }
    }
}

// The program itself never writes a profile past the cap: a set beyond it gets
// progress that lasts only while the set is open.
TEST(Player, AFullProfileKeepsNoProgressForOneMoreSet) {
    InScratchDir d;
    KV_Player p("bob");
    for (size_t i = 0; i < KV_MAX_PROGRESS_ENTRIES; ++i) {
        p.set_levelset_name("set" + std::to_string(i) + ".dat");
        p.get_levelset_stat();
    }
    ASSERT_EQ(p.get_stats().size(), KV_MAX_PROGRESS_ENTRIES);
    p.set_levelset_name("set0.dat");
    p.get_levelset_stat()->set_current_level(3);
    EXPECT_EQ(p.get_levelset_stat()->get_current_level(), 3) << "a stored set keeps its progress";
    p.set_levelset_name("one_more.dat");
    p.get_levelset_stat()->set_current_level(4);
    EXPECT_EQ(p.get_stats().size(), KV_MAX_PROGRESS_ENTRIES);
    KV_Player back;
    EXPECT_TRUE(back.load_folder(*p.to_folder()));
}

// Progress keys made to collide under a plain sum of their words no longer share
// one bucket of the progress map, so such a file loads in linear time.
TEST(Player, CollidingProgressKeysSpreadOverTheMap) {
    auto top = std::make_shared<Qx::BtsFolder>();
    top->set_string("name", "bob");
    auto stats = std::make_shared<Qx::BtsFolder>();
    for (uint32_t i = 0; i < KV_MAX_PROGRESS_ENTRIES; ++i) {
        // name = a word and its mirror: every key sums to the same words.
        const uint32_t a = 0x41414141u + i, b = 0x3f3f3f3fu - i;
        std::string name(8, '\0');
        for (int j = 0; j < 4; ++j) {
            name[size_t(j)] = char(a >> (8 * j));
            name[size_t(4 + j)] = char(b >> (8 * j));
        }
        stats->set_folder(std::to_string(i), stat_folder("", name, 0));
    }
    top->set_folder("Stats", stats);
    KV_Player p;
    ASSERT_TRUE(p.load_folder(*top));
    ASSERT_EQ(p.get_stats().size(), KV_MAX_PROGRESS_ENTRIES);
    size_t longest = 0;
    for (size_t b = 0; b < p.get_stats().bucket_count(); ++b) longest = std::max(longest, p.get_stats().bucket_size(b));
    EXPECT_LE(longest, 16u);
}

TEST(Player, LaterStatsSubfolderByBytesWins) {
    Qx::BtsFolder top;
    top.set_string("name", "bob");
    auto stats = std::make_shared<Qx::BtsFolder>();
    stats->set_folder("2", stat_folder("", "set.dat", 22));
    stats->set_folder("10", stat_folder("", "set.dat", 10));
    stats->set_folder("3", stat_folder("", "other.dat", 3));
    stats->set_folder("4", std::make_shared<Qx::BtsFolder>());  // no keys: the empty set's record
    top.set_folder("Stats", stats);
    KV_Player p;
    ASSERT_TRUE(p.load_folder(top));
    EXPECT_EQ(p.get_stats().size(), 3u);
    ASSERT_TRUE(stat_of(p, "set.dat"));
    EXPECT_EQ(stat_of(p, "set.dat")->get_current_level(), 22);  // "10" < "2"
    ASSERT_TRUE(stat_of(p, ""));
    EXPECT_EQ(stat_of(p, "")->get_current_level(), 0);
}

TEST(Player, StoredChoicesAreReenteredOnlyWhereTheyStillAre) {
    InScratchDir d;
    d.mkdir("Levels");
    d.mkdir("Levels/sub");
    d.mkdir("Demos");
    d.mkdir("Demos/sub");
    struct Row { const char* path; const char* name; const char* relative; const char* kept; };
    const Row rows[] = {
        {"", "a.dat", "", "a.dat"},
        {"sub/", "a.dat", "sub/", "a.dat"},
        {"sub\\", "a.dat", "sub/", "a.dat"},  // written on Windows
        {"SUB\\", "a.dat", "sub/", "a.dat"},  // and spelled in another case there
        {"gone/", "a.dat", "", ""},
        {"../", "a.dat", "", ""},
        {"../../etc/", "passwd", "", ""},
        {"", "../a.dat", "", ""},
        {"sub/", "x/../../a.dat", "sub/", ""},
        {"", "..", "", ""},
    };
    for (const Row& r : rows) {
        Qx::BtsFolder top;
        top.set_string("name", "bob");
        top.set_folder("Levelset", choice(r.path, r.name));
        top.set_folder("Demos", choice(r.path, r.name));
        KV_Player p;
        ASSERT_TRUE(p.load_folder(top)) << r.path;
        EXPECT_EQ(p.get_level_scanner()->get_relative_dir(), r.relative) << r.path << r.name;
        EXPECT_EQ(p.get_levelset_name(), r.kept) << r.path << r.name;
        EXPECT_EQ(p.get_demo_scanner()->get_relative_dir(), r.relative) << r.path << r.name;
        EXPECT_EQ(p.get_demo_name(), r.kept) << r.path << r.name;
    }
}

TEST(Player, StoredLevelsStayInRange) {
    InScratchDir d;
    d.mkdir("Levels");
    d.mkdir("Levels/sub");
    write_classic_set(d / "Levels/sub/six.dat", 6);

    Qx::BtsFolder top;
    top.set_string("name", "bob");
    top.set_folder("Levelset", choice("sub\\", "six.dat"));
    auto stats = std::make_shared<Qx::BtsFolder>();
    stats->set_folder("0", stat_folder("sub\\", "six.dat", 500));  // path as written on Windows
    stats->set_folder("1", stat_folder("", "negative.dat", -3));
    top.set_folder("Stats", stats);
    KV_Player p;
    ASSERT_TRUE(p.load_folder(top));
    ASSERT_TRUE(stat_of(p, "negative.dat"));
    EXPECT_EQ(stat_of(p, "negative.dat")->get_current_level(), 0);

    // The record written with '\' is this set's record.
    EXPECT_EQ(p.get_current_level_number(), 500);
    EXPECT_EQ(p.get_stats().size(), 2u);
    EXPECT_FALSE(p.get_current_level());
    p.set_levelset(open_levelset(p.get_level_scanner()->get_current_dir() + p.get_levelset_name()));
    ASSERT_TRUE(p.get_levelset());
    EXPECT_EQ(p.get_current_level_number(), 0);
    ASSERT_TRUE(p.get_current_level());
}

TEST(Player, CurrentLevelAndSolvingTheFifth) {
    InScratchDir d;
    d.mkdir("Levels");
    write_classic_set(d / "Levels/six.dat", 6);
    write_classic_set(d / "Levels/seven.dat", 7);

    for (int count : {6, 7}) {
        KV_Player p("bob");
        const std::string name = count == 6 ? "six.dat" : "seven.dat";
        p.set_levelset_name(name);
        p.set_current_level_number(3);
        EXPECT_EQ(p.get_current_level_number(), 0);  // no set open yet
        EXPECT_FALSE(p.get_current_level());
        p.set_levelset(open_levelset(p.get_level_scanner()->get_current_dir() + name));
        ASSERT_TRUE(p.get_levelset());

        struct Row { int32_t n, stored; };
        const Row rows[] = {{-1, 0}, {count, 0}, {count - 1, count - 1}, {2, 2}, {INT32_MAX, 0}};
        for (const Row& r : rows) {
            p.set_current_level_number(r.n);
            EXPECT_EQ(p.get_current_level_number(), r.stored) << r.n;
        }
        p.set_current_level_number(4);
        auto level = p.get_current_level();
        ASSERT_TRUE(level);
        EXPECT_EQ(level->GetTitle(), p.get_levelset()->GetLevel(4)->GetTitle());
        EXPECT_NE(level, p.get_current_level());  // a fresh object each time

        // What the play menu does on solving level 5.
        p.set_current_level_number(5);
        std::shared_ptr<KV_LevelsetStat> stat = p.get_levelset_stat();
        stat->level_state(p.get_current_level_number()) = KV_LevelsetStat::LEVEL_SOLVED;
        p.set_current_level_number(p.get_current_level_number() + 1);
        EXPECT_EQ(stat->levels_state(), States({0, 0, 0, 0, 0, 2})) << count;
        EXPECT_EQ(p.get_current_level_number(), count == 7 ? 6 : 0) << count;
        EXPECT_EQ(stat->get_name(), name);
        EXPECT_EQ(stat->get_path(), "");
    }
}

TEST(LevelsetStat, StatesGrowAndStayInBounds) {
    KV_LevelsetStat s;
    EXPECT_TRUE(s.levels_state().empty());
    EXPECT_GE(s.levels_state().capacity(), 111u);
    EXPECT_EQ(s.level_state(2), 0);
    EXPECT_EQ(s.levels_state(), States({0, 0, 0}));
    s.level_state(0) = 2;
    EXPECT_EQ(s.level_state(1), 0);
    EXPECT_EQ(s.levels_state(), States({2, 0, 0}));

    s.level_state(-1) = 2;
    s.level_state(INT32_MAX) = 2;
    EXPECT_EQ(s.level_state(-1), 0);
    EXPECT_EQ(s.levels_state(), States({2, 0, 0}));
}

TEST(LevelsetStat, LoadAndFolder) {
    KV_LevelsetStat s;
    EXPECT_FALSE(s.load(nullptr));

    auto f = std::make_shared<Qx::BtsFolder>();
    f->set_int32s("levels_state", std::vector<int32_t>({2, 258, -1}).data(), 3);  // read as bytes
    f->set_string("path", "a\\b\\");
    f->set_int8("current_level", 9);
    ASSERT_TRUE(s.load(f));
    EXPECT_EQ(s.get_path(), "a/b/");
    EXPECT_EQ(s.get_name(), "");
    EXPECT_EQ(s.levels_state(), States({2, 2, 255}));
    EXPECT_EQ(s.get_current_level(), 9);

    Qx::BtsFolderPtr out = s.to_folder();
    EXPECT_EQ(out->find_value("levels_state")->data(), std::vector<uint8_t>({2, 2, 255}));
    EXPECT_EQ(type_of(*out, "levels_state"), Qx::BTS_UINT8);

    ASSERT_TRUE(s.load(std::make_shared<Qx::BtsFolder>()));
    EXPECT_TRUE(s.levels_state().empty());
    EXPECT_EQ(s.get_current_level(), 0);
    EXPECT_EQ(s.get_path(), "");
}
