// Saving and loading BTS files on disk: replacement, failures and name matching.
#include <gtest/gtest.h>

#include <signal.h>
#include <algorithm>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "bts_bytes.h"
#include "foundation/bts_folder.h"
#include "foundation/dir_scanner.h"
#include "support/as_unprivileged.h"
#include "temp_dir.h"

using Qx::BtsFolder;
using test_support::TempDir;

namespace {

BtsFolder sample_tree() {
    BtsFolder f;
    f.set_string("name", "Ann");
    f.set_int32("music", 1);
    f.set_vector_uint8("levels_state", {0, 1, 2, 2, 0});
    f.set_float64("pi", 3.25);
    const uint8_t raw[5] = {1, 2, 3, 4, 5};
    f.set_value("odd", 99, raw, 5);
    f.set_value("wide", Qx::BTS_WSTRING, raw, 4);
    auto prefs = std::make_shared<BtsFolder>();
    prefs->set_int32("game_speed", 50);
    f.set_folder("Preferences", prefs);
    auto stats = std::make_shared<BtsFolder>();
    for (int i = 0; i < 3; ++i) {
        auto one = std::make_shared<BtsFolder>();
        one->set_string("path", "Levels/");
        one->set_int32("current_level", i);
        stats->set_folder(std::to_string(i), one);
    }
    f.set_folder("Stats", stats);
    f.set_folder("", std::make_shared<BtsFolder>());
    return f;
}

std::vector<std::string> names_in(const std::string& dir) {
    std::vector<std::string> names;
    Qx::DirScanner scan(dir, "*", Qx::DS_FILES | Qx::DS_DIRS);
    while (scan.next()) names.push_back(scan.get_name());
    std::sort(names.begin(), names.end());
    return names;
}

BtsFolder big_tree(size_t bytes) {
    BtsFolder f;
    f.set_vector_uint8("blob", std::vector<uint8_t>(bytes, 0x5A));
    return f;
}

}  // namespace

TEST(BtsSave, RoundTripKeepsNamesTypesAndBytes) {
    TempDir dir;
    BtsFolder f = sample_tree();
    ASSERT_TRUE(f.save(dir / "ann.bts"));
    BtsFolder back;
    ASSERT_TRUE(back.load(dir / "ann.bts"));
    EXPECT_TRUE(test_support::same_tree(f, back));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"ann.bts"}));  // no temporary left
}

TEST(BtsSave, SmallTreeReplacesALongerFile) {
    TempDir dir;
    ASSERT_TRUE(big_tree(10000).save(dir / "x.bts"));
    ASSERT_EQ(test_support::read_file(dir / "x.bts").size(), 12288u);
    BtsFolder small;
    small.set_int32("music", 0);
    ASSERT_TRUE(small.save(dir / "x.bts"));
    EXPECT_EQ(test_support::read_file(dir / "x.bts").size(), 4096u);
    BtsFolder back;
    ASSERT_TRUE(back.load(dir / "x.bts"));
    EXPECT_TRUE(test_support::same_tree(small, back));
}

TEST(BtsSave, KeepsThePermissionsOfTheFileItReplaces) {
    TempDir dir;
    ASSERT_TRUE(sample_tree().save(dir / "p.bts"));
    ASSERT_EQ(chmod((dir / "p.bts").c_str(), 0640), 0);
    ASSERT_TRUE(sample_tree().save(dir / "p.bts"));
    struct stat st;
    ASSERT_EQ(stat((dir / "p.bts").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(BtsSave, FailedSavesLeaveEverythingAsItWas) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "a_folder").c_str(), 0755), 0);
    struct Row { const char* what; std::string path; };
    const Row rows[] = {
        {"folder that does not exist", dir / "missing/x.bts"},
        {"target is a directory", dir / "a_folder"},
        {"target is a directory, with a separator", dir / "a_folder/"},
    };
    for (const Row& r : rows) {
        EXPECT_FALSE(sample_tree().save(r.path)) << r.what;
        EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"a_folder"})) << r.what;
        EXPECT_EQ(names_in(dir / "a_folder"), std::vector<std::string>()) << r.what;
    }
}

TEST(BtsSave, ReadOnlyFolderKeepsTheOldFile) {
    test_support::as_unprivileged([] {
        TempDir dir;
        ASSERT_EQ(mkdir((dir / "ro").c_str(), 0755), 0);
        BtsFolder old;
        old.set_int32("music", 1);
        ASSERT_TRUE(old.save(dir / "ro/options.bts"));
        std::vector<uint8_t> before = test_support::read_file(dir / "ro/options.bts");
        ASSERT_EQ(chmod((dir / "ro").c_str(), 0555), 0);
        EXPECT_FALSE(sample_tree().save(dir / "ro/options.bts"));
        chmod((dir / "ro").c_str(), 0755);
        EXPECT_EQ(test_support::read_file(dir / "ro/options.bts"), before);
        EXPECT_EQ(names_in(dir / "ro"), (std::vector<std::string>{"options.bts"}));
    });
}

// A file size limit stands in for a full disk: growing the file fails the same way,
// and works also for root.
TEST(BtsSave, GrowthThatCannotBeHadFailsTheSaveAndKeepsTheOldFile) {
    TempDir dir;
    BtsFolder old;
    old.set_int32("music", 1);
    ASSERT_TRUE(old.save(dir / "full.bts"));
    std::vector<uint8_t> before = test_support::read_file(dir / "full.bts");

    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit = {8192, 8192};
        setrlimit(RLIMIT_FSIZE, &limit);
        bool small_ok = old.save(dir / "small.bts");
        bool big_ok = big_tree(20000).save(dir / "full.bts");
        _exit(small_ok && !big_ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(test_support::read_file(dir / "full.bts"), before);
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"full.bts", "small.bts"}));
}

TEST(BtsSave, LoadMatchesAnotherCaseSaveWritesTheExactName) {
    TempDir dir;
    ASSERT_TRUE(sample_tree().save(dir / "Ann.bts"));
    BtsFolder back;
    EXPECT_TRUE(back.load(dir / "ann.BTS"));
    EXPECT_TRUE(test_support::same_tree(sample_tree(), back));
    // A name that matches only ignoring case is another file: "Ann.bts" stays as it was.
    BtsFolder small;
    small.set_int32("music", 0);
    ASSERT_TRUE(small.save(dir / "ANN.bts"));
    EXPECT_EQ(names_in(dir.path()), (std::vector<std::string>{"ANN.bts", "Ann.bts"}));
    ASSERT_TRUE(back.load(dir / "Ann.bts"));
    EXPECT_TRUE(test_support::same_tree(sample_tree(), back));
    ASSERT_TRUE(back.load(dir / "ANN.bts"));
    EXPECT_TRUE(test_support::same_tree(small, back));
}

TEST(BtsSave, BackslashesSeparateFoldersToo) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "Demos").c_str(), 0755), 0);
    ASSERT_TRUE(sample_tree().save(dir.path() + "Demos\\run.kvd"));
    EXPECT_TRUE(test_support::exists(dir / "Demos/run.kvd"));
    BtsFolder back;
    EXPECT_TRUE(back.load(dir.path() + "Demos\\run.kvd"));
}

TEST(BtsLoad, FilesThatAreNotThere) {
    TempDir dir;
    test_support::write_file(dir / "empty.bts", {});
    ASSERT_EQ(mkdir((dir / "folder.bts").c_str(), 0755), 0);
    for (const std::string& path : {dir / "missing.bts", dir / "empty.bts", dir / "folder.bts", std::string()}) {
        BtsFolder f;
        f.set_int32("stale", 1);
        EXPECT_FALSE(f.load(path)) << path;
        EXPECT_TRUE(f.values().empty()) << path;
    }
}
