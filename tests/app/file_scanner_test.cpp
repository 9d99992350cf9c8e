// The file scanner and the file-name functions.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "app/players/file_scanner.h"
#include "app_fixtures.h"
#include "foundation/path.h"
#include "game/level/levelset_registry.h"

using app_fixtures::InScratchDir;
using Names = std::vector<std::string>;

TEST(FileNames, StemExtensionAndOrder) {
    EXPECT_EQ(file_stem("level.01.dat"), "level.01");
    EXPECT_EQ(file_extension("level.01.dat"), "dat");
    EXPECT_EQ(file_stem("noext"), "noext");
    EXPECT_EQ(file_extension("noext"), "");
    EXPECT_EQ(file_stem("trailing."), "trailing");
    EXPECT_EQ(file_extension(".hidden"), "hidden");

    struct Row { const char* a; const char* b; bool less; };
    const Row rows[] = {
        {"z.dat", "a.hxm", true},          // extension first
        {"a.hxm", "z.dat", false},
        {"level.dat", "level.01.dat", true},  // stems level and level.01: the prefix first
        {"level.01.dat", "level.dat", false},
        {"a.dat", "a.dat", false},
        {"\xe9.dat", "a.dat", true},       // bytes of 0x80 and above before ASCII
        {"a.dat", "\xe9.dat", false},
        {"a.t\xe9", "a.ta", true},
        {"noext", "a.dat", true},          // no extension sorts first
    };
    for (const Row& r : rows) EXPECT_EQ(compare_file_names(r.a, r.b), r.less) << r.a << " < " << r.b;
}

TEST(FileNames, RelativeAndSubdirectory) {
    InScratchDir d;
    d.mkdir("sub");
    d.touch("file");
    const std::string root = d.path();
    EXPECT_EQ(relative_path(root, root + "sub/"), "sub/");
    EXPECT_EQ(relative_path(root, root), "");
    EXPECT_EQ(relative_path(root + "sub/", root), "");
    EXPECT_EQ(relative_path("/abc/", "/abd/x/"), "");

    EXPECT_TRUE(is_directory(root + "sub"));
    EXPECT_FALSE(is_directory(root + "file"));
    EXPECT_FALSE(is_directory(root + "missing"));
    EXPECT_TRUE(is_subdirectory(root, root + "sub/"));
    EXPECT_TRUE(is_subdirectory(root, root));
    EXPECT_FALSE(is_subdirectory(root + "sub/", root));
    EXPECT_FALSE(is_subdirectory(root, root + "file"));
    EXPECT_FALSE(is_subdirectory(root, root + "missing/"));
}

TEST(FileNames, PlainNames) {
    for (const char* ok : {"a.dat", "..x", "x..", "a b.kvd"}) EXPECT_TRUE(is_plain_file_name(ok)) << ok;
    for (const std::string& bad : std::vector<std::string>{"", ".", "..", "../a.dat", "a/b", "a\\b", std::string("a\0b", 3)})
        EXPECT_FALSE(is_plain_file_name(bad)) << bad;
}

TEST(FileScanner, MasksAreCutAtEverySemicolon) {
    EXPECT_EQ(KV_FileScanner(".", "*.kvd").get_masks(), Names({"*.kvd"}));
    EXPECT_EQ(KV_FileScanner(".", "*.a;;*.b;").get_masks(), Names({"*.a", "", "*.b", ""}));
    EXPECT_EQ(KV_FileScanner(".", "").get_masks(), Names({""}));
}

TEST(FileScanner, ListsLowerCasedByExtensionThenStemOnce) {
    InScratchDir d;
    d.mkdir("Levels");
    for (const char* f : {"B.DAT", "a.dat", "c.tq", "a.hxm", "level.01.dat", "level.dat", "x.d01", "notes.txt"})
        d.touch(std::string("Levels/") + f);
    d.mkdir("Levels/folder.dat");  // folders are never listed as files

    KV_FileScanner three("Levels\\", "*.dat;*.hxm;*.tq");
    EXPECT_EQ(three.get_root(), d.path() + "Levels/");
    EXPECT_EQ(three.scan_files(), Names({"a.dat", "b.dat", "level.dat", "level.01.dat", "a.hxm", "c.tq"}));

    // "*.d??" matches the .dat files too: each is still listed once.
    KV_FileScanner filter("Levels\\", levelset_file_filter());
    EXPECT_EQ(filter.scan_files(),
              Names({"x.d01", "a.dat", "b.dat", "level.dat", "level.01.dat", "a.hxm", "c.tq"}));

    EXPECT_EQ(KV_FileScanner("missing", "*.*").scan_files(), Names());
}

TEST(FileScanner, ListedNamesOpenWhateverTheirCaseOnDisk) {
    InScratchDir d;
    d.mkdir("Levels");
    app_fixtures::write_classic_set(d / "Levels/KARVOLT.DAT", 3);
    KV_FileScanner scanner("Levels\\", levelset_file_filter());
    ASSERT_EQ(scanner.scan_files(), Names({"karvolt.dat"}));
    auto set = open_levelset(scanner.get_current_dir() + scanner.scan_files()[0]);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetCount(), 3);
}

TEST(FileScanner, ChangeDirStaysUnderTheRoot) {
    InScratchDir d;
    d.mkdir("Demos");
    d.mkdir("Demos/sub");
    d.mkdir("Demos/sub/deeper");
    d.mkdir("Demos/Mixed");
    d.mkdir("Outside");
    d.touch("Demos/file.kvd");
    d.touch("Demos/sub/in.kvd");
    KV_FileScanner scanner("Demos", "*.kvd");

    struct Row { const char* path; bool ok; const char* relative; };
    const Row rows[] = {
        {"sub", true, "sub/"},
        {"sub/deeper/", true, "sub/deeper/"},
        {"sub\\deeper\\..", true, "sub/"},  // folders written on Windows
        {"", true, ""},                     // back to the root
        {"sub", true, "sub/"},
        {"deeper", false, "sub/"},          // from the root, not from the current folder
        {"..", false, "sub/"},
        {"../Outside", false, "sub/"},
        {"sub/../..", false, "sub/"},
        {"missing", false, "sub/"},
        {"file.kvd", false, "sub/"},
        {"mixed", true, "Mixed/"},          // the folder as spelled on disk
        {"../Demos/sub", true, "sub/"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(scanner.change_dir(r.path), r.ok) << r.path;
        EXPECT_EQ(scanner.get_relative_dir(), r.relative) << r.path;
        EXPECT_EQ(scanner.get_current_dir(), d.path() + "Demos/" + r.relative) << r.path;
    }
    EXPECT_EQ(scanner.scan_files(), Names({"in.kvd"}));
}

TEST(FileScanner, ScanDirsKeepsCaseAndDotsOnlyBelowTheRoot) {
    InScratchDir d;
    d.mkdir("Levels");
    for (const char* sub : {"b", "B", "a", "a/x"}) d.mkdir(std::string("Levels/") + sub);
    d.touch("Levels/file");
    KV_FileScanner scanner("Levels", "*.*");
    EXPECT_EQ(scanner.scan_dirs(), Names({"B", "a", "b"}));
    ASSERT_TRUE(scanner.change_dir("a"));
    EXPECT_EQ(scanner.scan_dirs(), Names({".", "..", "x"}));
}
