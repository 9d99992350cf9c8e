// What a hostile file can't do to the foundation's tables, locks and leftovers:
// steer a string table's hash, share the data folder's lock, or keep the
// temporary files of a killed save around.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "foundation/bts_folder.h"
#include "foundation/folder_lock.h"
#include "foundation/string_hash.h"
#include "foundation/temp_dir.h"
#include "support/as_unprivileged.h"

namespace {

using test_support::TempDir;

// Keys that all sum to the same 32-bit words: the shape that made the old
// word-sum hash put every entry into one bucket. Each key is a word and its
// mirror, so the sum stays put while the bytes differ.
std::vector<std::string> word_sum_collisions(size_t count) {
    std::vector<std::string> keys;
    for (uint32_t i = 0; keys.size() < count; ++i) {
        const uint32_t a = 0x01010101u + i, b = 0x7f7f7f7fu - i;
        std::string k(8, '\0');
        for (int j = 0; j < 4; ++j) {
            k[size_t(j)] = char(a >> (8 * j));
            k[size_t(4 + j)] = char(b >> (8 * j));
        }
        keys.push_back(k);
    }
    return keys;
}

uint32_t word_sum(const std::string& s) {
    uint32_t h = 0;
    for (size_t i = 0; i + 4 <= s.size(); i += 4)
        h += uint32_t(uint8_t(s[i])) | uint32_t(uint8_t(s[i + 1])) << 8 | uint32_t(uint8_t(s[i + 2])) << 16 |
             uint32_t(uint8_t(s[i + 3])) << 24;
    return h;
}

// A dead process's id: a child that has exited and been reaped.
long dead_pid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return long(child);
}

}  // namespace

TEST(StringHash, IsSipHash24) {
    // The reference vector of the SipHash paper: key 00..0f, message 00..0e.
    uint8_t message[15];
    for (uint8_t i = 0; i < 15; ++i) message[i] = i;
    EXPECT_EQ(Qx::siphash24(0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull, message, sizeof message),
              0xa129ca6149be45e5ull);
    EXPECT_EQ(Qx::siphash24(0x0706050403020100ull, 0x0f0e0d0c0b0a0908ull, message, 0), 0x726fdb47dd0e0e31ull);
}

TEST(StringHash, KeysMadeToCollideSpreadOverTheBuckets) {
    const std::vector<std::string> keys = word_sum_collisions(20000);
    ASSERT_EQ(word_sum(keys.front()), word_sum(keys.back())) << "the keys do collide under a word sum";
    std::set<uint64_t> hashes;
    for (const std::string& k : keys) hashes.insert(Qx::string_hash(k));
    EXPECT_EQ(hashes.size(), keys.size());

    std::unordered_map<std::string, int, Qx::StringHash> table;
    for (const std::string& k : keys) table[k] = 1;
    size_t longest = 0;
    for (size_t b = 0; b < table.bucket_count(); ++b) longest = std::max(longest, table.bucket_size(b));
    EXPECT_LE(longest, 16u) << "one bucket holds a crowd";
}

TEST(FolderLock, OneHolderAtATime) {
    TempDir d;
    const std::string path = d / "karvolt.lock";
    Qx::FolderLock first, second;
    EXPECT_EQ(first.take(path), Qx::FolderLock::TAKEN);
    EXPECT_EQ(second.take(path), Qx::FolderLock::HELD);
    EXPECT_FALSE(second.is_held());
    first.release();
    EXPECT_EQ(second.take(path), Qx::FolderLock::TAKEN);
}

TEST(FolderLock, AnotherProcessSeesItHeld) {
    TempDir d;
    Qx::FolderLock lock;
    ASSERT_EQ(lock.take(d / "karvolt.lock"), Qx::FolderLock::TAKEN);
    const pid_t child = fork();
    if (child == 0) {
        Qx::FolderLock other;
        _exit(other.take(d / "karvolt.lock") == Qx::FolderLock::HELD ? 0 : 1);
    }
    int status = 1;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(FolderLock, ReadOnlyFolderLocksThroughAnOldFileOrNotAtAll) {
    test_support::as_unprivileged([] {
        TempDir with_file, without;
        test_support::write_text(with_file / "karvolt.lock", "");
        chmod(with_file.path().c_str(), 0500);
        chmod(without.path().c_str(), 0500);
        Qx::FolderLock a, b;
        EXPECT_EQ(a.take(with_file / "karvolt.lock"), Qx::FolderLock::TAKEN);
        EXPECT_EQ(b.take(without / "karvolt.lock"), Qx::FolderLock::UNAVAILABLE);
    });
}

TEST(FolderLock, RefusesWhatIsNoPlainFile) {
    TempDir d;
    mkdir((d / "dir.lock").c_str(), 0700);
    symlink((d / "elsewhere").c_str(), (d / "link.lock").c_str());
    Qx::FolderLock lock;
    EXPECT_EQ(lock.take(d / "dir.lock"), Qx::FolderLock::UNAVAILABLE);
    EXPECT_EQ(lock.take(d / "link.lock"), Qx::FolderLock::UNAVAILABLE);
    EXPECT_FALSE(test_support::exists(d / "elsewhere"));
}

TEST(StaleTemporaries, OnlyThoseOfWritersGoneAreRemoved) {
    TempDir d;
    const std::string dead = std::to_string(dead_pid());
    const std::string mine = std::to_string(long(getpid()));
    const std::string running = std::to_string(long(getppid()));
    struct Row {
        std::string name;
        bool removed;
    } rows[] = {
        {".bob.bts.tmp" + dead + "-0", true},
        {".options.bts.tmp" + dead + "-17", true},
        {".bob.bts.tmp" + mine + "-0", false},     // this process may be saving right now
        {".bob.bts.tmp" + running + "-3", false},  // so may a running one
        {"bob.bts", false},
        {"bob.bts.tmp" + dead + "-0", false},      // not a name our saves make
        {".bob.bts.tmp" + dead, false},
        {".bob.bts.tmp" + dead + "-x", false},
        {".bob.bts.tmpx-0", false},
    };
    for (const Row& r : rows) test_support::write_text(d / r.name, "x");
    // A folder of that shape is left alone too.
    mkdir((d / (".dir.tmp" + dead + "-0")).c_str(), 0700);

    std::vector<std::string> removed = Qx::remove_stale_temporaries(d.path());
    std::sort(removed.begin(), removed.end());
    std::vector<std::string> expected;
    for (const Row& r : rows) {
        EXPECT_EQ(test_support::exists(d / r.name), !r.removed) << r.name;
        if (r.removed) expected.push_back(r.name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(removed, expected);
    EXPECT_TRUE(test_support::exists(d / (".dir.tmp" + dead + "-0")));
}

TEST(StaleTemporaries, AKilledSaveLeavesNothingAfterTheCleanUp) {
    TempDir d;
    Qx::BtsFolder tree;
    tree.set_string("name", "bob");
    ASSERT_TRUE(tree.save(d / "bob.bts"));
    const std::vector<uint8_t> whole = test_support::read_file(d / "bob.bts");
    // What a save killed before its rename leaves: the temporary beside the file.
    const std::string left = d / (".bob.bts.tmp" + std::to_string(dead_pid()) + "-0");
    test_support::write_file(left, std::vector<uint8_t>(whole.begin(), whole.begin() + 20));
    EXPECT_EQ(Qx::remove_stale_temporaries(d.path()).size(), 1u);
    EXPECT_FALSE(test_support::exists(left));
    Qx::BtsFolder back;
    EXPECT_TRUE(back.load(d / "bob.bts"));
}
