// The player table: loading the players folder, the current player, adding,
// removing and saving profiles.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/players/player_table.h"
#include "app_fixtures.h"
#include "foundation/log.h"

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

TEST(PlayerTable, CurrentFallsBackToTheFirstAndRemembersIt) {
    InScratchDir d;
    KV_PlayerTable t;
    EXPECT_FALSE(t.current());
    for (const char* n : {"ann", "bob", "cid"}) ASSERT_TRUE(t.add(n));
    EXPECT_EQ(t.get_current_name(), "");  // adding changes nothing

    std::shared_ptr<KV_Player> first = t.current();
    ASSERT_TRUE(first);
    EXPECT_EQ(t.get_current_name(), first->get_name());
    EXPECT_EQ(t.current(), first);

    EXPECT_FALSE(t.select("nobody"));
    EXPECT_EQ(t.current(), first);
    const std::string other = first->get_name() == "bob" ? "cid" : "bob";
    ASSERT_TRUE(t.select(other));
    EXPECT_EQ(t.current(), t.get(other));

    // Removing the current player leaves a stale name that the next call replaces.
    ASSERT_TRUE(t.remove(other));
    EXPECT_EQ(t.get_current_name(), other);
    std::shared_ptr<KV_Player> next = t.current();
    ASSERT_TRUE(next);
    EXPECT_NE(next->get_name(), other);
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

TEST(PlayerTable, HashName) {
    struct Row { std::string name; uint32_t hash; };
    const Row rows[] = {
        {"", 0},
        {"a", 97},
        {"abc", 97 + 98 + 99},
        {"abcd", 0x64636261},
        {"abcde", 0x64636261 + 0x65},
        {"abcdabcd", 2 * 0x64636261u},
        {"\xff\xff\xff\xff\xff", 254},  // wraps modulo 2^32; the byte left over is unsigned
        {std::string("\0\0\0\x01", 4), 0x01000000},
    };
    for (const Row& r : rows) EXPECT_EQ(KV_PlayerTable::hash_name(r.name), r.hash) << r.name;
}
