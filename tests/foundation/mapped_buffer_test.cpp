// Mapped files and anonymous blocks, their growth in pages, and the cursor over them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

#include "foundation/mapped_buffer.h"
#include "temp_dir.h"

using namespace Qx;
using test_support::TempDir;

namespace {
constexpr uint32_t kReadWritePages = MB_READ | MB_WRITE | MB_ROUND_PAGE;
}

TEST(MappedBuffer, NewFileIsOnePageAndGrowsKeepingItsBytes) {
    TempDir dir;
    MappedBuffer b(dir / "m.bin", kReadWritePages, 10);
    ASSERT_TRUE(b.is_mapped());
    EXPECT_TRUE(b.is_file_backed());
    EXPECT_FALSE(b.is_page_file());
    EXPECT_EQ(b.length(), 4096u);
    EXPECT_EQ(test_support::read_file(dir / "m.bin").size(), 4096u);
    memset(b.data(), 0x11, 4096);

    ASSERT_TRUE(b.grow(4097));
    EXPECT_EQ(b.length(), 8192u);
    EXPECT_EQ(b.data()[4095], 0x11);
    EXPECT_EQ(b.data()[4096], 0);
    b.data()[8191] = 0x22;
    EXPECT_TRUE(b.close());
    std::vector<uint8_t> file = test_support::read_file(dir / "m.bin");
    ASSERT_EQ(file.size(), 8192u);
    EXPECT_EQ(file[0], 0x11);
    EXPECT_EQ(file[8191], 0x22);
    EXPECT_FALSE(b.is_mapped());
    EXPECT_EQ(b.data(), nullptr);
}

TEST(MappedBuffer, LengthsWithoutRoundingAreExact) {
    TempDir dir;
    test_support::write_file(dir / "e.bin", std::vector<uint8_t>(10000, 3));
    MappedBuffer b(dir / "e.bin", MB_READ | MB_WRITE, 100);
    ASSERT_TRUE(b.is_mapped());
    EXPECT_EQ(b.length(), 100u);
    b.close();
    EXPECT_EQ(test_support::read_file(dir / "e.bin"), std::vector<uint8_t>(100, 3));
}

TEST(MappedBuffer, WholeFileReadOnly) {
    TempDir dir;
    test_support::write_file(dir / "r.bin", {1, 2, 3});
    MappedBuffer b(dir / "r.bin", MB_READ, 0);
    ASSERT_TRUE(b.is_mapped());
    EXPECT_EQ(b.length(), 3u);
    EXPECT_EQ(b.data()[2], 3);
    b.zero();  // a read-only view takes no writes
    EXPECT_EQ(b.data()[2], 3);

    EXPECT_FALSE(b.grow(4096));
    EXPECT_FALSE(b.is_mapped());
    EXPECT_EQ(b.data(), nullptr);
    EXPECT_EQ(b.length(), 0u);
    BufferCursor c(b);
    EXPECT_EQ(c.at(), nullptr);
    EXPECT_EQ(test_support::read_file(dir / "r.bin"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(MappedBuffer, RefusedOpens) {
    TempDir dir;
    test_support::write_file(dir / "empty.bin", {});
    ASSERT_EQ(mkdir((dir / "sub").c_str(), 0755), 0);
    struct Row { const char* what; std::string path; uint32_t flags; uint32_t length; };
    const Row rows[] = {
        {"empty file, whole", dir / "empty.bin", MB_READ, 0},
        {"missing file, read", dir / "missing.bin", MB_READ, 0},
        {"missing file, must exist", dir / "missing2.bin", MB_READ | MB_WRITE | MB_EXISTING, 4096},
        {"directory", dir / "sub", MB_READ, 0},
        {"directory, writing", dir / "sub", kReadWritePages, 4096},
        {"read-only file of another length", dir / "empty.bin", MB_READ, 4096},
        {"no folder", dir / "nowhere/x.bin", kReadWritePages, 4096},
        {"anonymous of length 0", "", MB_READ | MB_WRITE, 0},
    };
    for (const Row& r : rows) {
        MappedBuffer b;
        EXPECT_FALSE(b.open(r.path, r.flags, r.length)) << r.what;
        EXPECT_FALSE(b.is_mapped()) << r.what;
        EXPECT_FALSE(b.file().is_open()) << r.what;
    }
    EXPECT_FALSE(test_support::exists(dir / "missing.bin"));
    EXPECT_FALSE(test_support::exists(dir / "missing2.bin"));
    EXPECT_EQ(test_support::read_file(dir / "empty.bin").size(), 0u);
    MappedBuffer never;
    EXPECT_FALSE(never.grow(4096));
}

TEST(MappedBuffer, AnonymousBlocks) {
    MappedBuffer b("", MB_READ | MB_WRITE, 100);
    ASSERT_TRUE(b.is_mapped());
    EXPECT_TRUE(b.is_page_file());
    EXPECT_EQ(b.length(), 100u);
    memset(b.data(), 0xAB, 100);
    b.zero();
    EXPECT_EQ(b.data()[99], 0);
    b.data()[0] = 5;
    ASSERT_TRUE(b.grow(5000));
    EXPECT_EQ(b.length(), 5000u);
    EXPECT_EQ(b.data()[0], 0);  // an unnamed block starts anew

    MappedBuffer rounded("", MB_READ | MB_WRITE | MB_ROUND_PAGE, 1);
    EXPECT_EQ(rounded.length(), 4096u);
}

TEST(MappedBuffer, NamedBlocksAreShared) {
    std::string name = "qx_test_block_" + std::to_string(getpid());
    MappedBuffer one("", name, MB_READ | MB_WRITE, 4096);
    MappedBuffer two("", name, MB_READ | MB_WRITE, 4096);
    ASSERT_TRUE(one.is_mapped() && two.is_mapped());
    EXPECT_EQ(one.mapping_name(), name);
    one.data()[10] = 42;
    EXPECT_EQ(two.data()[10], 42);
    one.close();
    two.close();
    MappedBuffer fresh("", name, MB_READ | MB_WRITE, 4096);
    EXPECT_EQ(fresh.data()[10], 0);
}

TEST(MappedBuffer, SaveToWritesTheMappedBytes) {
    TempDir dir;
    MappedBuffer b("", MB_READ | MB_WRITE, 6);
    memcpy(b.data(), "abcdef", 6);
    test_support::write_text(dir / "out.bin", "much longer old content");
    EXPECT_TRUE(b.save_to(dir / "out.bin"));
    EXPECT_EQ(test_support::read_text(dir / "out.bin"), "abcdef");
    EXPECT_FALSE(b.save_to(dir / "nowhere/out.bin"));
    MappedBuffer empty;
    EXPECT_FALSE(empty.save_to(dir / "x.bin"));
}

TEST(BufferCursor, AtAndReserve) {
    TempDir dir;
    MappedBuffer b(dir / "c.bin", kReadWritePages, 4096);
    BufferCursor c(b, 4096);
    EXPECT_EQ(c.at(), b.data() + 4096);
    c.set_position(4097);
    EXPECT_EQ(c.at(), nullptr);

    c.set_position(4090);
    uint8_t* p = c.reserve(10);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(c.position(), 4100u);
    EXPECT_EQ(b.length(), 8192u);
    EXPECT_EQ(p, b.data() + 4090);
    memset(p, 9, 10);
    uint8_t* q = c.reserve(4092);
    EXPECT_EQ(q, b.data() + 4100);
    EXPECT_EQ(b.length(), 8192u);
    uint8_t* r = c.reserve(1);
    EXPECT_EQ(r, b.data() + 8192);
    EXPECT_EQ(b.length(), 12288u);
    c.set_position(0xFFFFFFF0u);
    EXPECT_EQ(c.reserve(0x20), nullptr);
}
