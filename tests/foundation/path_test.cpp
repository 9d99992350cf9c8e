// Path helpers: full paths made lexically, folder parts, existence and masks.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "foundation/path.h"
#include "temp_dir.h"

using namespace Qx;
using test_support::TempDir;

namespace {
std::string cwd() {
    char buf[4096];
    return getcwd(buf, sizeof buf) ? std::string(buf) : std::string();
}
}  // namespace

TEST(Path, FullPathsAreMadeLexically) {
    const std::string here = cwd();
    ASSERT_FALSE(here.empty());
    struct Row { std::string path, full, dir; };
    const Row rows[] = {
        {".", here, here + "/"},
        {"/", "/", "/"},
        {"a/b/../c", here + "/a/c", here + "/a/c/"},
        {"a\\b", here + "/a/b", here + "/a/b/"},
        {".\\Players\\", here + "/Players/", here + "/Players/"},
        {"/x/./y//z", "/x/y/z", "/x/y/z/"},
        {"/x/../../y", "/y", "/y/"},
        {"/../..", "/", "/"},
        {"\\x\\y", "/x/y", "/x/y/"},
        {"", "", "./"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(full_path(r.path), r.full) << r.path;
        EXPECT_EQ(full_path_dir(r.path), r.dir) << r.path;
    }
}

TEST(Path, LinksAreNotResolved) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "real").c_str(), 0755), 0);
    ASSERT_EQ(symlink((dir / "real").c_str(), (dir / "link").c_str()), 0);
    EXPECT_EQ(full_path(dir / "link/x/.."), dir / "link");
}

TEST(Path, FolderAndNameParts) {
    struct Row { const char* path; const char* dir; const char* name; };
    const Row rows[] = {
        {"a/b\\c.txt", "a/b\\", "c.txt"}, {"c.txt", "", "c.txt"}, {"/x/", "/x/", ""},
        {"Demos\\run.kvd", "Demos\\", "run.kvd"}, {"", "", ""},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(dir_of_path(r.path), r.dir) << r.path;
        EXPECT_EQ(name_of_path(r.path), r.name) << r.path;
    }
    EXPECT_EQ(native_path("Demos\\a/b\\c"), "Demos/a/b/c");
}

TEST(Path, FileExists) {
    TempDir dir;
    test_support::write_text(dir / "Demo.KVD", "x");
    ASSERT_EQ(mkdir((dir / "plain").c_str(), 0755), 0);
    struct Row { std::string path; bool exists; };
    const Row rows[] = {
        {dir / "Demo.KVD", true},
        {dir / "demo.kvd", true},
        {dir.path() + "plain\\..\\Demo.KVD", true},
        {dir / "plain", false},
        {dir / "plain/", false},
        {dir / "missing", false},
        {dir / "missing/Demo.KVD", false},
        {dir / "*.kvd", true},
        {dir / "D?mo.*", true},
        {dir / "*.none", false},
        {"", false},
    };
    for (const Row& r : rows) EXPECT_EQ(file_exists(r.path), r.exists) << r.path;
}

TEST(Path, DirectoriesAndDeletion) {
    TempDir dir;
    EXPECT_TRUE(create_directory(dir / "Players"));
    EXPECT_FALSE(create_directory(dir / "Players"));
    EXPECT_FALSE(create_directory(dir / "no/such/parent"));
    EXPECT_TRUE(is_directory(dir / "Players"));
    EXPECT_TRUE(is_directory(dir / "players"));
    EXPECT_TRUE(is_directory(dir.path() + "Players\\"));
    EXPECT_FALSE(is_directory(dir / "missing"));

    test_support::write_text(dir / "Players/Ann.bts", "x");
    EXPECT_FALSE(is_directory(dir / "Players/Ann.bts"));
    EXPECT_FALSE(delete_file(dir / "Players"));
    // Another player's file ("ann" is not "Ann") is never the one removed.
    EXPECT_FALSE(delete_file(dir.path() + "Players\\ann.bts"));
    EXPECT_TRUE(test_support::exists(dir / "Players/Ann.bts"));
    EXPECT_TRUE(delete_file(dir.path() + "Players\\Ann.bts"));
    EXPECT_FALSE(test_support::exists(dir / "Players/Ann.bts"));
    EXPECT_FALSE(delete_file(dir / "Players/Ann.bts"));
}

TEST(Path, Masks) {
    struct Row { const char* mask; const char* name; bool match; };
    const Row rows[] = {
        {"*.*", "noext", true}, {"*.*", "a.b", true}, {"*.*", ".hidden", true},
        {"*.KVD", "run.kvd", true}, {"*.kvd", "run.kvd.tmp1", false}, {"*.bts", ".ann.bts.tmp12-0", false},
        {"*.d??", "LEVELS.D01", true}, {"*.dat", "levels.dat", true}, {"*", "", true}, {"a", "b", false},
    };
    for (const Row& r : rows) EXPECT_EQ(match_mask(r.mask, r.name), r.match) << r.mask << " " << r.name;
}

TEST(Path, ModulePathIsThisProgram) {
    std::string self = module_path();
    ASSERT_FALSE(self.empty());
    EXPECT_EQ(self[0], '/');
    EXPECT_NE(self.find("foundation_tests"), std::string::npos);
    EXPECT_EQ(module_path(reinterpret_cast<const void*>(&cwd)), self);
}

TEST(Path, LastErrorText) {
    errno = ENOENT;
    EXPECT_EQ(last_error_text(), "No such file or directory");
    errno = 123456;
    EXPECT_EQ(last_error_text(), "UnknownError");
}
