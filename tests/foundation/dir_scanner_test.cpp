// Directory listing with accept flags and masks.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>

#include "foundation/dir_scanner.h"
#include "foundation/path.h"
#include "temp_dir.h"

using namespace Qx;
using test_support::TempDir;

namespace {

struct ScanDir {
    TempDir dir;
    ScanDir() {
        for (const char* f : {"a.txt", "B.TXT", "c.dat", "noext", "levels.d01"}) test_support::write_text(dir / f, "x");
        mkdir((dir / "sub1").c_str(), 0755);
        mkdir((dir / "Sub2.dir").c_str(), 0755);
        symlink((dir / "sub1").c_str(), (dir / "link").c_str());
    }
};

std::set<std::string> scan(DirScanner& s) {
    std::set<std::string> names;
    while (s.next()) names.insert(s.get_name());
    return names;
}

}  // namespace

TEST(DirScanner, FlagsAndMasks) {
    ScanDir d;
    using Names = std::set<std::string>;
    const Names files = {"a.txt", "B.TXT", "c.dat", "noext", "levels.d01"};
    const Names dirs = {"sub1", "Sub2.dir", "link"};
    Names both = files;
    both.insert(dirs.begin(), dirs.end());
    Names dirs_dots = dirs;
    dirs_dots.insert({".", ".."});
    Names all = both;
    all.insert({".", ".."});

    struct Row { const char* pattern; uint32_t flags; Names expected; };
    const Row rows[] = {
        {"*.*", DS_DIRS, dirs},
        {"*.*", DS_DIRS | DS_DOT_DIRS, dirs_dots},
        {"*.*", DS_FILES, files},
        {"*.*", DS_FILES | DS_DIRS, both},
        {"*.*", DS_FILES | DS_DIRS | DS_DOT_DIRS, all},
        {"*.*", DS_FILES | DS_DOT_DIRS, files},
        {"*.*", 0, {}},
        {"*", DS_FILES, files},
        {"*.txt", DS_FILES, {"a.txt", "B.TXT"}},
        {"*.TXT", DS_FILES, {"a.txt", "B.TXT"}},
        {"?.DAT", DS_FILES, {"c.dat"}},
        {"*.d??", DS_FILES | DS_DIRS, {"levels.d01", "Sub2.dir", "c.dat"}},
        {"NOEXT", DS_FILES, {"noext"}},
        {"*.none", DS_FILES, {}},
        {"SUB*", DS_DIRS, {"sub1", "Sub2.dir"}},
    };
    for (const Row& r : rows) {
        DirScanner s(d.dir.path(), r.pattern, r.flags);
        EXPECT_EQ(scan(s), r.expected) << r.pattern << " " << r.flags;
    }
}

TEST(DirScanner, EntriesKnowWhatTheyAre) {
    ScanDir d;
    DirScanner s(d.dir.path(), "*.*", DS_FILES | DS_DIRS);
    while (s.next()) {
        bool dir = s.get_name() == "sub1" || s.get_name() == "Sub2.dir" || s.get_name() == "link";
        EXPECT_EQ(s.is_dir(), dir) << s.get_name();
        EXPECT_EQ(s.get_full_name(), d.dir.path() + s.get_name());
    }
}

TEST(DirScanner, EndsAndStartsAgain) {
    ScanDir d;
    DirScanner s(d.dir.path(), "a.txt", DS_FILES);
    EXPECT_TRUE(s.next());
    EXPECT_FALSE(s.next());
    EXPECT_FALSE(s.next());
    s.open(d.dir.path(), "c.dat", DS_FILES);
    EXPECT_TRUE(s.next());
    EXPECT_EQ(s.get_name(), "c.dat");
    s.close();
    EXPECT_FALSE(s.next());

    DirScanner missing(d.dir / "not_there", "*.*", DS_FILES);
    EXPECT_FALSE(missing.next());
    EXPECT_FALSE(missing.next());
}

TEST(DirScanner, DirectoryIsAbsoluteWithASeparator) {
    ScanDir d;
    DirScanner s(d.dir.path() + "sub1", "*.*", DS_FILES);
    EXPECT_EQ(s.get_dir(), d.dir.path() + "sub1/");
    DirScanner back(d.dir.path() + "sub1\\..\\", "*.txt", DS_FILES);
    EXPECT_EQ(back.get_dir(), d.dir.path());
    EXPECT_EQ(scan(back), (std::set<std::string>{"a.txt", "B.TXT"}));

    DirScanner here;
    EXPECT_EQ(here.get_dir(), full_path_dir("."));
    char cwd[4096];
    ASSERT_TRUE(getcwd(cwd, sizeof cwd));
    EXPECT_EQ(here.get_dir(), std::string(cwd) + "/");
}

TEST(DirScanner, PatternMayNameASubfolder) {
    ScanDir d;
    test_support::write_text(d.dir / "sub1/inner.bts", "x");
    DirScanner s(d.dir.path(), "sub1\\*.bts", DS_FILES);
    EXPECT_EQ(scan(s), (std::set<std::string>{"inner.bts"}));
}

TEST(DirScanner, NameAndExtension) {
    TempDir dir;
    struct Row { const char* name; const char* stem; const char* ext; };
    const Row rows[] = {
        {"a.b.c", "a.b", "c"}, {"abc", "abc", ""}, {".hidden", "", "hidden"}, {"x.", "x", ""}, {"demo.kvd", "demo", "kvd"},
    };
    for (const Row& r : rows) {
        test_support::write_text(dir / r.name, "x");
        DirScanner s(dir.path(), r.name, DS_FILES);
        ASSERT_TRUE(s.next()) << r.name;
        EXPECT_EQ(s.get_name_without_ext(), r.stem) << r.name;
        EXPECT_EQ(s.get_ext(), r.ext) << r.name;
        unlink((dir / r.name).c_str());
    }
}
