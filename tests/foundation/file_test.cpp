// Qx::File over the system's descriptors.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <time.h>

#include "foundation/file.h"
#include "temp_dir.h"

using namespace Qx;
using test_support::read_text;
using test_support::TempDir;
using test_support::write_text;

TEST(File, CreationRules) {
    struct Row {
        const char* what;
        uint32_t flags;
        bool existed;
        bool opens;
        const char* content_after;  // null: the file must not exist afterwards
    };
    const Row rows[] = {
        {"existing + truncate, present", FILE_WRITE | FILE_EXISTING | FILE_TRUNCATE, true, true, ""},
        {"existing + truncate, missing", FILE_WRITE | FILE_EXISTING | FILE_TRUNCATE, false, false, nullptr},
        {"existing, present", FILE_WRITE | FILE_EXISTING, true, true, "old"},
        {"existing, missing", FILE_WRITE | FILE_EXISTING, false, false, nullptr},
        {"truncate, present", FILE_WRITE | FILE_TRUNCATE, true, true, ""},
        {"truncate, missing", FILE_WRITE | FILE_TRUNCATE, false, true, ""},
        {"write, present", FILE_WRITE, true, true, "old"},
        {"write, missing", FILE_WRITE, false, true, ""},
        {"read, present", FILE_READ, true, true, "old"},
        {"read, missing", FILE_READ, false, false, nullptr},
        {"read + truncate only reads", FILE_READ | FILE_TRUNCATE, true, true, "old"},
        {"no access", FILE_EXISTING, true, false, "old"},
    };
    for (const Row& r : rows) {
        TempDir dir;
        std::string path = dir / "f.txt";
        if (r.existed) write_text(path, "old");
        File f;
        EXPECT_EQ(f.open(path, r.flags), r.opens) << r.what;
        EXPECT_EQ(f.is_open(), r.opens) << r.what;
        EXPECT_EQ(f.path(), path) << r.what;
        f.close();
        if (r.content_after) EXPECT_EQ(read_text(path), r.content_after) << r.what;
        else EXPECT_FALSE(test_support::exists(path)) << r.what;
    }
}

TEST(File, ReadWriteSeekAndSize) {
    TempDir dir;
    File f(dir / "data.bin", FILE_READ | FILE_WRITE);
    ASSERT_TRUE(f.is_open());
    ASSERT_TRUE(f.write("hello world", 11));
    EXPECT_EQ(f.size(), 11u);
    ASSERT_TRUE(f.seek(6, SeekMethod::Begin));
    char buf[16] = {};
    EXPECT_EQ(f.read(buf, 16), 5u);
    EXPECT_STREQ(buf, "world");
    ASSERT_TRUE(f.seek(uint64_t(-5), SeekMethod::End));
    EXPECT_EQ(f.read(buf, 2), 2u);
    ASSERT_TRUE(f.seek(uint64_t(-2), SeekMethod::Current));
    EXPECT_EQ(f.read(buf, 1), 1u);
    EXPECT_EQ(buf[0], 'w');
    EXPECT_FALSE(f.seek(uint64_t(-100), SeekMethod::Begin));

    EXPECT_TRUE(f.set_size(11));
    EXPECT_TRUE(f.set_size(5));
    EXPECT_EQ(f.size(), 5u);
    EXPECT_TRUE(f.set_size(8));
    EXPECT_EQ(f.size(), 8u);
    EXPECT_TRUE(f.flush());
    EXPECT_TRUE(f.close());
    EXPECT_EQ(read_text(dir / "data.bin"), std::string("hello\0\0\0", 8));

    std::vector<uint8_t> big(3 << 20);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    File g(dir / "big.bin", FILE_WRITE | FILE_TRUNCATE);
    ASSERT_TRUE(g.write(big.data(), uint32_t(big.size())));
    g.close();
    EXPECT_EQ(test_support::read_file(dir / "big.bin"), big);
}

TEST(File, AppendFlagStartsAtTheEnd) {
    TempDir dir;
    write_text(dir / "a.txt", "abc");
    File f(dir / "a.txt", FILE_WRITE | FILE_APPEND);
    ASSERT_TRUE(f.write("def", 3));
    f.close();
    EXPECT_EQ(read_text(dir / "a.txt"), "abcdef");
}

TEST(File, ClosedFileRefusesEverything) {
    File f;
    char buf[4];
    EXPECT_FALSE(f.is_open());
    EXPECT_EQ(f.read(buf, 4), 0u);
    EXPECT_FALSE(f.write(buf, 4));
    EXPECT_FALSE(f.seek(0, SeekMethod::Begin));
    EXPECT_EQ(f.size(), 0u);
    EXPECT_FALSE(f.set_size(10));
    EXPECT_EQ(f.file_time(), 0u);
    EXPECT_FALSE(f.flush());
    EXPECT_EQ(f.handle(), -1);
    EXPECT_TRUE(f.close());
}

TEST(File, ReadOnlyFileCannotBeWrittenOrSized) {
    TempDir dir;
    write_text(dir / "r.txt", "abc");
    File f(dir / "r.txt", FILE_READ);
    EXPECT_FALSE(f.write("x", 1));
    EXPECT_FALSE(f.set_size(4096));
    EXPECT_FALSE(f.set_size(1));
    EXPECT_EQ(f.size(), 3u);
}

TEST(File, DirectoriesAreRefused) {
    TempDir dir;
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    write_text(dir / "sub/inside", "x");
    for (uint32_t flags : {uint32_t(FILE_READ), uint32_t(FILE_WRITE | FILE_TRUNCATE), uint32_t(FILE_WRITE)}) {
        File f;
        EXPECT_FALSE(f.open(dir / "sub", flags)) << flags;
        EXPECT_FALSE(f.open(dir / "sub/", flags)) << flags;
    }
    EXPECT_EQ(read_text(dir / "sub/inside"), "x");
    File null_device;
    EXPECT_FALSE(null_device.open("/dev/null", FILE_READ));
}

TEST(File, FileTimeCountsFrom1601) {
    TempDir dir;
    File f(dir / "t.txt", FILE_WRITE);
    ASSERT_TRUE(f.write("x", 1));
    uint64_t now = (uint64_t(time(nullptr)) + 11644473600ull) * 10000000ull;
    uint64_t stamp = f.file_time();
    EXPECT_LT(stamp > now ? stamp - now : now - stamp, 86400ull * 10000000ull);
}

TEST(File, ExclusiveOpenersShutOthersOut) {
    TempDir dir;
    write_text(dir / "x.txt", "x");
    File shared(dir / "x.txt", FILE_READ);
    File lone;
    EXPECT_FALSE(lone.open(dir / "x.txt", FILE_READ | FILE_EXCLUSIVE));
    File another(dir / "x.txt", FILE_READ | FILE_WRITE);
    EXPECT_TRUE(another.is_open());
    shared.close();
    another.close();
    ASSERT_TRUE(lone.open(dir / "x.txt", FILE_READ | FILE_EXCLUSIVE));
    File late;
    EXPECT_FALSE(late.open(dir / "x.txt", FILE_READ));
    lone.close();
    EXPECT_TRUE(late.open(dir / "x.txt", FILE_READ));
}

TEST(File, ExactNameMissingFallsBackToAnyCase) {
    TempDir dir;
    write_text(dir / "Mixed.TXT", "content");
    File f(dir / "mixed.txt", FILE_READ);
    ASSERT_TRUE(f.is_open());
    char buf[8] = {};
    EXPECT_EQ(f.read(buf, 7), 7u);
    EXPECT_STREQ(buf, "content");
    EXPECT_EQ(f.path(), dir / "mixed.txt");

    File w(dir.path() + "MIXED.txt", FILE_WRITE | FILE_TRUNCATE);
    ASSERT_TRUE(w.write("new", 3));
    w.close();
    EXPECT_EQ(read_text(dir / "Mixed.TXT"), "new");
    EXPECT_FALSE(test_support::exists(dir / "MIXED.txt"));

    File back(dir.path() + "Mixed.TXT", FILE_READ);
    EXPECT_TRUE(back.is_open());
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    write_text(dir / "sub/in.txt", "in");
    File win(dir.path() + "sub\\IN.txt", FILE_READ);
    EXPECT_TRUE(win.is_open());
}
