// The player table: loading the players folder, the current player, adding,
// removing and saving profiles.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/players/player_table.h"
#include "app_fixtures.h"
#include "foundation/log.h"
#include "support/as_unprivileged.h"

using namespace app_fixtures;
using Names = std::vector<std::string>;

namespace {

// A player file holding name, told apart by its game speed.
void write_player(const std::string& path, const std::string& name, int32_t speed) {
    KV_Player p(name);
    p.set_game_speed(speed);
    ASSERT_TRUE(p.save(path));
}

struct PlayersDir {
    InScratchDir dir;
    KV_PlayerTable table;
    PlayersDir() {
        dir.mkdir("Players");
        table.set_folder("./Players/");
    }
    std::string file(const std::string& name) const { return dir / ("Players/" + name); }
    bool has(const std::string& name) const { return test_support::exists(file(name)); }
};

}  // namespace

TEST(PlayerTable, LoadAllResolvesEveryFileTheSameWay) {
    PlayersDir d;
    write_player(d.file("a_bob.bts"), "bob", 1);
    write_player(d.file("bob.bts"), "bob", 2);  // named after its player: wins over both others
    write_player(d.file("z_bob.bts"), "bob", 3);
    write_player(d.file("a_eve.bts"), "eve", 4);
    write_player(d.file("b_eve.bts"), "eve", 5);  // neither is eve.bts: the later name wins
    write_player(d.file("zed.bts"), "carol", 6);  // the name inside counts, not the file's
    write_player(d.file("notes.txt"), "nobody", 7);
    test_support::write_text(d.file("broken.bts"), "BTS0 but nothing else");
    test_support::write_file(d.file("empty.bts"), {});
    d.dir.mkdir("Players/folder.bts");

    d.table.select("stale");
    ASSERT_TRUE(d.table.load_all());
    EXPECT_EQ(d.table.names(), Names({"bob", "carol", "eve"}));
    EXPECT_EQ(d.table.get_current_name(), "");
    EXPECT_EQ(d.table.get("bob")->get_game_speed(), 2);
    EXPECT_EQ(d.table.get("bob")->get_loaded_file(), "./Players/bob.bts");
    EXPECT_EQ(d.table.get("eve")->get_game_speed(), 5);
    EXPECT_EQ(d.table.get("carol")->get_game_speed(), 6);
    EXPECT_EQ(d.table.get("carol")->get_loaded_file(), "./Players/zed.bts");
    EXPECT_FALSE(d.table.get("nobody"));

    // The same again, whatever the listing order was.
    ASSERT_TRUE(d.table.load_all());
    EXPECT_EQ(d.table.get("bob")->get_game_speed(), 2);
    EXPECT_EQ(d.table.get("eve")->get_game_speed(), 5);

    KV_PlayerTable nowhere;
    nowhere.set_folder("./Missing/");
    EXPECT_TRUE(nowhere.load_all());
    EXPECT_TRUE(nowhere.names().empty());
}

TEST(PlayerTable, NamesInByteOrder) {
    InScratchDir d;
    KV_PlayerTable t;
    for (const char* n : {"bob", "Alice", "alice", "al"}) ASSERT_TRUE(t.add(n));
    EXPECT_EQ(t.names(), Names({"Alice", "al", "alice", "bob"}));
}

// The fallback is the first by name, whatever the order of the table's hash.
TEST(PlayerTable, CurrentFallsBackToTheFirstByNameAndRemembersIt) {
    InScratchDir d;
    KV_PlayerTable t;
    EXPECT_FALSE(t.current());
    for (const char* n : {"cid", "bob", "ann"}) ASSERT_TRUE(t.add(n));
    EXPECT_EQ(t.get_current_name(), "");  // adding changes nothing

    std::shared_ptr<KV_Player> first = t.current();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->get_name(), "ann");
    EXPECT_EQ(t.get_current_name(), "ann");
    EXPECT_EQ(t.current(), first);

    EXPECT_FALSE(t.select("nobody"));
    EXPECT_EQ(t.current(), first);
    const std::string other = "bob";
    ASSERT_TRUE(t.select(other));
    EXPECT_EQ(t.current(), t.get(other));

    // Removing the current player leaves a stale name that the next call replaces.
    ASSERT_TRUE(t.remove(other));
    EXPECT_EQ(t.get_current_name(), other);
    std::shared_ptr<KV_Player> next = t.current();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->get_name(), "ann");
    EXPECT_EQ(t.current(), next);
    for (const std::string& n : t.names()) ASSERT_TRUE(t.remove(n));
    EXPECT_FALSE(t.current());
}

TEST(PlayerTable, AddKeepsAnExistingProfileAndRefusesHostileNames) {
    InScratchDir d;
    KV_PlayerTable t;
    ASSERT_TRUE(t.add("bob"));
    std::shared_ptr<KV_Player> bob = t.get("bob");
    ASSERT_TRUE(bob->get_level_scanner());  // a named profile, with its scanners
    bob->set_game_speed(77);
    EXPECT_FALSE(t.add("bob"));
    EXPECT_EQ(t.get("bob"), bob);
    EXPECT_EQ(t.get("bob")->get_game_speed(), 77);

    for (const std::string& bad : std::vector<std::string>{"../x", "a/b", "a\\b", "   ", "", " bob", "x.bts", std::string("a\0", 2),
                                  std::string(65, 'n')})
        EXPECT_FALSE(t.add(bad)) << bad;
    EXPECT_EQ(t.names(), Names({"bob"}));
    EXPECT_FALSE(t.remove("nobody"));
}

TEST(PlayerTable, FilesOnDiskFollowAddAndRemove) {
    PlayersDir d;
    write_player(d.file("bob.bts"), "bob", 2);
    write_player(d.file("old_bob.bts"), "bob", 1);
    write_player(d.file("x.bts"), "carol", 3);
    write_player(d.file("Dan.bts"), "Dan", 4);
    write_player(d.file("eve.bts"), "fay", 5);
    ASSERT_TRUE(d.table.load_all());

    // Every file that held the name goes, so no copy comes back at the next start.
    ASSERT_TRUE(d.table.remove("bob"));
    EXPECT_FALSE(d.has("bob.bts"));
    EXPECT_FALSE(d.has("old_bob.bts"));
    ASSERT_TRUE(d.table.remove("carol"));
    EXPECT_FALSE(d.has("x.bts"));
    // Only the exact file names: "dan" is another player than "Dan".
    ASSERT_TRUE(d.table.add("dan"));
    ASSERT_TRUE(d.table.remove("dan"));
    EXPECT_TRUE(d.has("Dan.bts"));
    // eve.bts is where fay came from: removing a new eve leaves it.
    ASSERT_TRUE(d.table.add("eve"));
    ASSERT_TRUE(d.table.remove("eve"));
    EXPECT_TRUE(d.has("eve.bts"));
    ASSERT_TRUE(d.table.remove("fay"));
    EXPECT_FALSE(d.has("eve.bts"));

    ASSERT_TRUE(d.table.add("Alice"));
    ASSERT_TRUE(d.table.add("alice"));
    d.table.get("alice")->set_game_speed(9);
    EXPECT_TRUE(d.table.save_all());
    EXPECT_TRUE(d.has("Alice.bts"));
    EXPECT_TRUE(d.has("alice.bts"));

    ASSERT_TRUE(d.table.load_all());
    EXPECT_EQ(d.table.names(), Names({"Alice", "Dan", "alice"}));
    EXPECT_EQ(d.table.get("alice")->get_game_speed(), 9);
    EXPECT_EQ(d.table.get("Alice")->get_game_speed(), 50);
}

TEST(PlayerTable, FailedSaveIsReportedAndTheOthersStillRun) {
    PlayersDir d;
    ASSERT_TRUE(d.table.add("bob"));
    ASSERT_TRUE(d.table.add("carol"));
    d.dir.mkdir("Players/bob.bts");  // a folder where bob's file belongs

    Qx::g_log.set_files(d.dir.path(), "karvolt");
    Qx::Log::enable();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(d.table.save_all());
    const std::string said = testing::internal::GetCapturedStderr();
    Qx::Log::disable();
    Qx::g_log.set_files("", "vdrk");

    EXPECT_NE(said.find("Could not save ./Players/bob.bts"), std::string::npos) << said;
    EXPECT_EQ(said.find("carol"), std::string::npos) << said;
    EXPECT_NE(test_support::read_text(d.dir / "karvolt_error.log").find("Could not save ./Players/bob.bts"),
              std::string::npos);
    EXPECT_TRUE(d.has("carol.bts"));
    EXPECT_FALSE(d.has("bob.bts/bob.bts"));
}

// Names whose words sum alike (the old hash) hash apart.
TEST(PlayerTable, HashNameCannotBeSteeredByWordSums) {
    const std::string names[] = {"abcdabcd", "abcebcdc", std::string("\0\0\0\x01", 4), std::string("\x01\0\0\0", 4)};
    EXPECT_NE(KV_PlayerTable::hash_name(names[0]), KV_PlayerTable::hash_name(names[1]));
    EXPECT_NE(KV_PlayerTable::hash_name(names[2]), KV_PlayerTable::hash_name(names[3]));
    EXPECT_EQ(KV_PlayerTable::hash_name("bob"), KV_PlayerTable::hash_name(std::string("bob")));
}

// A profile that fails to load is said once, with its reason, and its file is
// kept: a new profile of that name sets it aside before anything is written.
TEST(PlayerTable, DamagedFilesAreReportedAndNeverOverwritten) {
    PlayersDir d;
    write_player(d.file("ann.bts"), "ann", 7);
    test_support::write_text(d.file("bob.bts"), "BTS0 cut short");
    test_support::write_text(d.file("carol.bts"), "not even that");
    test_support::write_text(d.file("carol.bts.damaged"), "an older damaged carol");
    // A good file elsewhere that holds the name of a damaged one.
    write_player(d.file("x_carol.bts"), "carol", 9);
    const std::string bob = test_support::read_text(d.file("bob.bts"));
    const std::string carol = test_support::read_text(d.file("carol.bts"));

    testing::internal::CaptureStderr();
    ASSERT_TRUE(d.table.load_all());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("Could not load ./Players/bob.bts: not a readable BTS file\n"), std::string::npos) << said;
    EXPECT_NE(said.find("Could not load ./Players/carol.bts: "), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
    EXPECT_EQ(d.table.get_damaged_files().size(), 2u);
    EXPECT_EQ(d.table.names(), Names({"ann", "carol"}));
    EXPECT_EQ(test_support::read_text(d.file("bob.bts")), bob) << "loading touches nothing";

    testing::internal::CaptureStderr();
    ASSERT_TRUE(d.table.add("bob"));
    d.table.save_all();
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(test_support::read_text(d.file("bob.bts.damaged")), bob);
    EXPECT_EQ(test_support::read_text(d.file("carol.bts.damaged")), "an older damaged carol");
    EXPECT_EQ(test_support::read_text(d.file("carol.bts.damaged.2")), carol);
    EXPECT_TRUE(d.table.get_damaged_files().empty());

    // Both names now have good files of their own; the set-aside ones are not profiles.
    KV_PlayerTable again;
    again.set_folder("./Players/");
    testing::internal::CaptureStderr();
    ASSERT_TRUE(again.load_all());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(again.names(), Names({"ann", "bob", "carol"}));
    EXPECT_EQ(again.get("carol")->get_game_speed(), 9);
}

TEST(PlayerTable, RemovingAProfileKeepsTheDamagedFileOfItsName) {
    PlayersDir d;
    test_support::write_text(d.file("carol.bts"), "damaged");
    write_player(d.file("x_carol.bts"), "carol", 9);
    testing::internal::CaptureStderr();
    ASSERT_TRUE(d.table.load_all());
    testing::internal::GetCapturedStderr();
    ASSERT_TRUE(d.table.remove("carol"));
    EXPECT_FALSE(d.has("x_carol.bts"));
    EXPECT_EQ(test_support::read_text(d.file("carol.bts")), "damaged");
}

TEST(PlayerTable, ADamagedFileThatCannotBeSetAsideIsNotWrittenOver) {
    test_support::as_unprivileged([] {
        PlayersDir d;
        test_support::write_text(d.file("bob.bts"), "damaged");
        testing::internal::CaptureStderr();
        ASSERT_TRUE(d.table.load_all());
        chmod(d.file("").c_str(), 0555);
        EXPECT_TRUE(d.table.add("bob"));
        d.table.save_all();
        chmod(d.file("").c_str(), 0755);
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_NE(said.find("Could not save ./Players/bob.bts"), std::string::npos) << said;
        EXPECT_EQ(test_support::read_text(d.file("bob.bts")), "damaged");
    });
}
TEST(PlayerTable, SaveWritesOneProfileAtOnceAndReportsAFailure) {
    PlayersDir d;
    ASSERT_TRUE(d.table.add("bob"));
    ASSERT_TRUE(d.table.add("carol"));
    d.table.get("bob")->set_game_speed(70);
    EXPECT_TRUE(d.table.save(*d.table.get("bob")));
    EXPECT_TRUE(d.has("bob.bts"));
    EXPECT_FALSE(d.has("carol.bts"));
    KV_Player back;
    ASSERT_TRUE(back.load(d.file("bob.bts")));
    EXPECT_EQ(back.get_game_speed(), 70);

    d.dir.mkdir("Players/carol.bts");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(d.table.save(*d.table.get("carol")));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Could not save ./Players/carol.bts"), std::string::npos);
}

// Whoever keeps the current player's name (the options) hears of every change, and only of changes.
TEST(PlayerTable, CurrentListenerHearsEachNewCurrentName) {
    InScratchDir d;
    KV_PlayerTable t;
    Names heard;
    t.set_current_listener([&](const std::string& name) { heard.push_back(name); });
    for (const char* n : {"ann", "bob"}) ASSERT_TRUE(t.add(n));
    EXPECT_TRUE(heard.empty());  // adding makes no one current

    const std::string first = t.current()->get_name();  // the fallback picks one
    t.current();
    EXPECT_EQ(heard, Names({first}));
    ASSERT_TRUE(t.select(first));
    EXPECT_FALSE(t.select("nobody"));
    EXPECT_EQ(heard, Names({first}));
    const std::string other = first == "ann" ? "bob" : "ann";
    ASSERT_TRUE(t.select(other));
    ASSERT_TRUE(t.remove(other));
    t.current();  // the stale name gives way to the one left
    EXPECT_EQ(heard, Names({first, other, first}));
}

