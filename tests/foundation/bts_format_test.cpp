// The bytes of BTS files: the writer's layout and the reader's acceptance rules.
#include <gtest/gtest.h>

#include <functional>

#include "bts_bytes.h"
#include "foundation/bts_folder.h"
#include "temp_dir.h"

using Qx::BtsFolder;
using test_support::BtsBytes;
using test_support::load_bytes;
using test_support::same_tree;

namespace {

std::vector<uint8_t> saved_bytes(const BtsFolder& f) {
    std::vector<uint8_t> out;
    EXPECT_TRUE(f.save_to_memory(out));
    return out;
}

}  // namespace

TEST(BtsFormat, MusicExampleIsWrittenByteForByte) {
    const std::vector<uint8_t> expected = {
        0x42, 0x54, 0x53, 0x30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // header
        0x01, 0, 0, 0, 0x04, 0, 0, 0, 0x08, 0, 0, 0,                 // folder record
        0x72, 0x6f, 0x6f, 0x74,                                      // "root"
        0x01, 0, 0, 0, 0, 0, 0, 0,                                   // one value, no subfolder
        0x14, 0, 0, 0, 0x05, 0, 0, 0, 0x04, 0, 0, 0,                 // int32, N = 5, D = 4
        0x6d, 0x75, 0x73, 0x69, 0x63, 0, 0, 0,                       // "music" and padding
        0x01, 0, 0, 0,                                               // 1
    };
    BtsFolder f;
    f.set_int32("music", 1);

    test_support::TempDir dir;
    ASSERT_TRUE(f.save(dir / "options.bts"));
    std::vector<uint8_t> file = test_support::read_file(dir / "options.bts");
    ASSERT_EQ(file.size(), 4096u);
    EXPECT_EQ(std::vector<uint8_t>(file.begin(), file.begin() + 64), expected);
    EXPECT_EQ(std::vector<uint8_t>(file.begin() + 64, file.end()), std::vector<uint8_t>(4096 - 64, 0));
    EXPECT_EQ(saved_bytes(f), file);
}

TEST(BtsFormat, EmptyTreeEndsAtFortyInOnePage) {
    std::vector<uint8_t> bytes = saved_bytes(BtsFolder());
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(bytes, BtsBytes().folder("root", 0, 0).zeros(4096 - 40).bytes());
}

TEST(BtsFormat, RecordLengthsNeverWrapAndNeverDropBelowSixteen) {
    struct Row { uint32_t n, d; uint64_t length; };
    const Row rows[] = {
        {0, 0, 16}, {1, 0, 16}, {4, 0, 16}, {5, 0, 20}, {4, 1, 20}, {0, 4, 16}, {0, 5, 20},
        {4, 8, 24}, {0xFFFFFFFFu, 0xFFFFFFFFu, 12 + 0x100000000ull + 0x100000000ull},
    };
    for (const Row& r : rows) {
        Qx::BtsRecord rec{20, r.n, r.d};
        EXPECT_EQ(rec.length(), r.length) << r.n << "," << r.d;
    }
    EXPECT_TRUE((Qx::BtsRecord{1, 0, 8}.is_folder()));
    EXPECT_FALSE((Qx::BtsRecord{1, 0, 4}.is_folder()));
    EXPECT_FALSE((Qx::BtsRecord{1, 0, 12}.is_folder()));
    EXPECT_FALSE((Qx::BtsRecord{20, 0, 8}.is_folder()));
}

TEST(BtsFormat, FileLengthIsWholePagesAtTheEndOfTheLastRecord) {
    // Header 16 + root 24 + a value named "v" of 12 + 4 + pad4(D) bytes.
    struct Row { uint32_t data_length; size_t file_length; };
    const Row rows[] = {{0, 4096}, {4040, 4096}, {4041, 8192}, {4044, 8192}, {8136, 8192}, {8137, 12288}};
    for (const Row& r : rows) {
        BtsFolder f;
        f.set_uint8s("v", std::vector<uint8_t>(r.data_length, 7).data(), r.data_length);
        test_support::TempDir dir;
        ASSERT_TRUE(f.save(dir / "p.bts"));
        EXPECT_EQ(test_support::read_file(dir / "p.bts").size(), r.file_length) << r.data_length;
        EXPECT_EQ(saved_bytes(f).size(), r.file_length) << r.data_length;
    }
}

TEST(BtsFormat, AcceptanceRules) {
    struct Row {
        const char* what;
        std::function<std::vector<uint8_t>()> bytes;
        bool loads;
    };
    const Row rows[] = {
        {"no bytes", [] { return std::vector<uint8_t>(); }, false},
        {"15 bytes", [] { auto b = BtsBytes().bytes(); b.pop_back(); return b; }, false},
        {"header alone", [] { return BtsBytes().bytes(); }, false},
        {"wrong magic", [] { auto b = BtsBytes().folder("root", 0, 0).bytes(); b[3] = '1'; return b; }, false},
        {"lower-case magic", [] { auto b = BtsBytes().folder("root", 0, 0).bytes(); b[0] = 'b'; return b; },
         false},
        {"header tail not zero",
         [] { auto b = BtsBytes().folder("root", 0, 0).bytes(); for (int i = 4; i < 16; ++i) b[i] = 0xEE; return b; },
         true},
        {"top record is a value", [] { return BtsBytes().int32("root", 1).bytes(); }, false},
        {"top record type 1 with 4 bytes", [] { return BtsBytes().record(1, "root", {0, 0, 0, 0}).bytes(); }, false},
        {"top record only partly inside", [] { auto b = BtsBytes().folder("root", 0, 0).bytes(); b.pop_back(); return b; },
         false},
        {"top record header cut", [] { return BtsBytes().u32(1).u32(4).bytes(); }, false},
        {"any top name", [] { return BtsBytes().folder("", 0, 0).bytes(); }, true},
        {"folder record in a value position",
         [] { return BtsBytes().folder("root", 1, 0).folder("x", 0, 0).bytes(); }, false},
        {"type 1 with 4 data bytes is a value",
         [] { return BtsBytes().folder("root", 1, 0).record(1, "x", {1, 2, 3, 4}).bytes(); }, true},
        {"type 1 with 12 data bytes is a value",
         [] { return BtsBytes().folder("root", 1, 0).record(1, "x", std::vector<uint8_t>(12, 9)).bytes(); }, true},
        {"value in a subfolder position",
         [] { return BtsBytes().folder("root", 0, 1).int32("x", 1).bytes(); }, false},
        {"name beyond the file, header inside",
         [] { return BtsBytes().folder("root", 1, 0).header_only(20, 64, 4).zeros(8).bytes(); }, false},
        {"data beyond the file, header inside",
         [] { return BtsBytes().folder("root", 1, 0).header_only(20, 4, 4096).zeros(20).bytes(); }, false},
        {"name length near 2^32", [] { return BtsBytes().folder("root", 1, 0).header_only(20, 0xFFFFFFFF, 4).zeros(64).bytes(); },
         false},
        {"data length near 2^32", [] { return BtsBytes().folder("root", 1, 0).header_only(20, 4, 0xFFFFFFFD).zeros(64).bytes(); },
         false},
        {"empty record ending the file",
         [] { return BtsBytes().folder("root", 1, 0).record(20, "", {}).bytes(); }, true},
        {"empty record missing its padding",
         [] { return BtsBytes().folder("root", 1, 0).header_only(20, 0, 0).bytes(); }, false},
        {"value count runs into zero tail", [] { return BtsBytes().folder("root", 3, 0).int32("a", 1).zeros(64).bytes(); },
         true},
        {"value count runs past the file",
         [] { return BtsBytes().folder("root", 1000, 0).int32("a", 1).zeros(4096 - 56).bytes(); }, false},
        {"value count runs into a folder record",
         [] { return BtsBytes().folder("root", 3, 0).int32("a", 1).folder("f", 0, 0).zeros(64).bytes(); }, false},
        {"subfolder count runs past the file", [] { return BtsBytes().folder("root", 0, 2).folder("a", 0, 0).bytes(); },
         false},
        {"unknown types, empty names, stray bytes after the tree",
         [] {
             return BtsBytes().folder("root", 3, 0).record(99, "", {1, 2, 3}).record(0, "z", {}).record(27, "w", {1, 0, 2})
                 .raw({0xde, 0xad, 0xbe, 0xef, 1}).bytes();
         },
         true},
    };
    for (const Row& r : rows) {
        BtsFolder f;
        EXPECT_EQ(load_bytes(f, r.bytes()), r.loads) << r.what;
    }
}

TEST(BtsFormat, ZeroTailReadsAsEmptyTypeZeroValuesThatReplaceEachOther) {
    BtsFolder f;
    ASSERT_TRUE(load_bytes(f, BtsBytes().folder("root", 4, 0).int32("a", 1).zeros(64).bytes()));
    ASSERT_EQ(f.values().size(), 2u);
    auto tail = f.find_value("");
    ASSERT_TRUE(tail);
    EXPECT_EQ(tail->type(), 0u);
    EXPECT_EQ(tail->size(), 0u);
}

TEST(BtsFormat, ValuesOfTypeOneKeepTheirBytes) {
    BtsFolder f;
    ASSERT_TRUE(load_bytes(f, BtsBytes().folder("root", 1, 0).record(1, "x", {1, 2, 3, 4}).bytes()));
    auto v = f.find_value("x");
    ASSERT_TRUE(v);
    EXPECT_EQ(v->type(), 1u);
    EXPECT_EQ(v->data(), (std::vector<uint8_t>{1, 2, 3, 4}));
}

namespace {

std::vector<uint8_t> chain_bytes(int folders) {
    BtsBytes b;
    for (int i = 0; i < folders; ++i) b.folder(i ? "d" : "root", 0, i + 1 < folders ? 1 : 0);
    return b.bytes();
}

BtsFolder chain(int folders) {
    BtsFolder top;
    BtsFolder* at = &top;
    for (int i = 1; i < folders; ++i) {
        auto sub = std::make_shared<BtsFolder>();
        at->set_folder("d", sub);
        at = sub.get();
    }
    return top;
}

}  // namespace

TEST(BtsFormat, NestingIsLimitedToSixtyFourFolders) {
    BtsFolder f;
    EXPECT_TRUE(load_bytes(f, chain_bytes(64)));
    EXPECT_FALSE(load_bytes(f, chain_bytes(65)));
    // Deep enough to overflow a stack by recursion, if anything recursed that far.
    EXPECT_FALSE(load_bytes(f, chain_bytes(200000)));

    std::vector<uint8_t> out;
    EXPECT_TRUE(chain(64).save_to_memory(out));
    EXPECT_FALSE(chain(65).save_to_memory(out));
    test_support::TempDir dir;
    EXPECT_TRUE(chain(64).save(dir / "deep.bts"));
    EXPECT_FALSE(chain(65).save(dir / "deeper.bts"));
    EXPECT_FALSE(test_support::exists(dir / "deeper.bts"));
}

TEST(BtsFormat, AFolderThatHoldsItselfFailsTheSaveAndKeepsTheOldFile) {
    test_support::TempDir dir;
    BtsFolder old;
    old.set_int32("music", 0);
    ASSERT_TRUE(old.save(dir / "loop.bts"));
    std::vector<uint8_t> before = test_support::read_file(dir / "loop.bts");

    auto loop = std::make_shared<BtsFolder>();
    loop->set_folder("self", loop);
    loop->set_folder("again", loop);
    EXPECT_FALSE(loop->save(dir / "loop.bts"));
    EXPECT_EQ(test_support::read_file(dir / "loop.bts"), before);
    // Break the cycle so the folder can be freed.
    auto detached = std::make_shared<BtsFolder>();
    loop->set_folder("self", detached);
    loop->set_folder("again", detached);
}

TEST(BtsFormat, DuplicateNamesLaterOneWins) {
    BtsFolder f;
    ASSERT_TRUE(load_bytes(f, BtsBytes()
                                  .folder("root", 3, 3)
                                  .int32("a", 1)
                                  .int32("a", 2)
                                  .text("s", "x")
                                  .folder("s", 1, 0)
                                  .int32("first", 1)
                                  .folder("s", 1, 0)
                                  .int32("second", 2)
                                  .folder("a", 0, 0)
                                  .bytes()));
    int32_t a = 0;
    EXPECT_EQ(f.get_int32("a", a, 0), 1u);
    EXPECT_EQ(a, 2);
    ASSERT_EQ(f.values().size(), 2u);
    ASSERT_EQ(f.get_folder_names(), (std::vector<std::string>{"a", "s"}));
    auto s = f.get_folder("s");
    int32_t v = 0;
    EXPECT_EQ(s->get_int32("first", v, -1), 0u);
    EXPECT_EQ(s->get_int32("second", v, -1), 1u);
    std::string text;
    EXPECT_EQ(f.get_string("s", text, ""), 1u);  // a value and a folder share a name
}

TEST(BtsFormat, OrderWithinAFolderCarriesNoMeaning) {
    BtsFolder one, two;
    ASSERT_TRUE(load_bytes(one, BtsBytes()
                                    .folder("root", 2, 2)
                                    .int32("a", 1)
                                    .text("b", "bee")
                                    .folder("x", 1, 0)
                                    .int32("k", 5)
                                    .folder("y", 0, 0)
                                    .bytes()));
    ASSERT_TRUE(load_bytes(two, BtsBytes()
                                    .folder("top", 2, 2)
                                    .text("b", "bee")
                                    .int32("a", 1)
                                    .folder("y", 0, 0)
                                    .folder("x", 1, 0)
                                    .int32("k", 5)
                                    .bytes()));
    EXPECT_TRUE(same_tree(one, two));
}

TEST(BtsFormat, AFolderUnderTwoNamesIsWrittenTwiceAndReadAsTwo) {
    auto shared = std::make_shared<BtsFolder>();
    shared->set_int32("n", 7);
    BtsFolder top;
    top.set_folder("one", shared);
    top.set_folder("two", shared);

    BtsFolder back;
    ASSERT_TRUE(load_bytes(back, saved_bytes(top)));
    auto one = back.get_folder("one"), two = back.get_folder("two");
    ASSERT_TRUE(one && two);
    EXPECT_NE(one, two);
    one->set_int32("n", 8);
    int32_t n = 0;
    two->get_int32("n", n, 0);
    EXPECT_EQ(n, 7);
}

TEST(BtsFormat, FailingSubfolderKeepsWhatCameBeforeIt) {
    std::vector<uint8_t> bytes = BtsBytes()
                                     .folder("root", 1, 2)
                                     .int32("top", 1)
                                     .folder("good", 1, 0)
                                     .int32("g", 2)
                                     .folder("bad", 3, 0)
                                     .int32("b1", 1)
                                     .int32("b2", 2)
                                     .folder("b3", 0, 0)
                                     .bytes();
    BtsFolder f;
    f.set_int32("older", 1);
    EXPECT_FALSE(load_bytes(f, bytes));
    int32_t v = 0;
    EXPECT_EQ(f.get_int32("top", v, 0), 1u);
    EXPECT_EQ(f.get_int32("older", v, 0), 0u);
    EXPECT_TRUE(f.get_folder("good"));
    EXPECT_FALSE(f.get_folder("bad"));
}

TEST(BtsFormat, TruncatedFileFailsAndIsLeftAsItWas) {
    BtsFolder f;
    f.set_string("name", "somebody");
    f.set_vector_uint8("levels_state", std::vector<uint8_t>(100, 2));
    auto stats = std::make_shared<BtsFolder>();
    stats->set_int32("current_level", 3);
    f.set_folder("Stats", stats);
    std::vector<uint8_t> full = saved_bytes(f);
    size_t end = 16 + 24 + (12 + 12 + 100) + (12 + 4 + 8) + (12 + 8 + 8) + (12 + 16 + 4);
    ASSERT_EQ(std::vector<uint8_t>(full.begin() + end, full.end()), std::vector<uint8_t>(full.size() - end, 0));

    test_support::TempDir dir;
    for (size_t cut : {size_t(1), size_t(17), size_t(40), size_t(60), end - 50, end - 1}) {
        std::vector<uint8_t> part(full.begin(), full.begin() + cut);
        test_support::write_file(dir / "cut.bts", part);
        BtsFolder back;
        EXPECT_FALSE(back.load(dir / "cut.bts")) << cut;
        EXPECT_EQ(test_support::read_file(dir / "cut.bts"), part) << cut;
    }
    std::vector<uint8_t> exact(full.begin(), full.begin() + end);
    BtsFolder back;
    EXPECT_TRUE(load_bytes(back, exact));
    EXPECT_TRUE(same_tree(back, f));
}
