// The run-length key stream: recording, its byte form, and replay, including
// stored streams that recording never makes.
#include <gtest/gtest.h>

#include "game/play/key_stream.h"
#include "play_support.h"

using Entry = KV_KeyStream::Entry;
using play_support::stream_of;

namespace {

std::vector<uint16_t> replay(KV_KeyStream& keys, size_t limit = 1000) {
    std::vector<uint16_t> out;
    while (!keys.at_end() && out.size() < limit) out.push_back(keys.next_key());
    return out;
}

KV_KeyStream from(const std::vector<uint8_t>& bytes) {
    KV_KeyStream keys;
    EXPECT_TRUE(keys.from_bytes(bytes));
    return keys;
}

}  // namespace

TEST(KeyStream, RecordsRunsAndWritesFourLittleEndianBytesAnEntry) {
    KV_KeyStream keys = stream_of({0, 0, 4, 4, 4, 0});
    EXPECT_EQ(keys.entries(), (std::vector<Entry>{{0, 2}, {4, 3}, {0, 1}}));
    std::vector<uint8_t> bytes = {9, 9, 9};  // replaced whole
    EXPECT_TRUE(keys.to_bytes(bytes));
    EXPECT_EQ(bytes, (std::vector<uint8_t>{0, 0, 2, 0, 4, 0, 3, 0, 0, 0, 1, 0}));

    KV_KeyStream back = from(bytes);
    EXPECT_EQ(back.entries(), keys.entries());
    back.rewind();
    EXPECT_EQ(replay(back), (std::vector<uint16_t>{0, 0, 4, 4, 4, 0}));

    // Only the low 16 bits of a mask are kept; keys above 255 keep their high byte.
    KV_KeyStream wide = stream_of({0x10004, 0x0204});
    EXPECT_EQ(wide.entries(), (std::vector<Entry>{{4, 1}, {0x0204, 1}}));
    wide.to_bytes(bytes);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{4, 0, 1, 0, 4, 2, 1, 0}));
}

TEST(KeyStream, LongRunsSplitAtTheLargestCount) {
    KV_KeyStream keys;
    for (int i = 0; i < 70000; ++i) keys.record(8);
    EXPECT_EQ(keys.entries(), (std::vector<Entry>{{8, 65535}, {8, 4465}}));
    keys.rewind();
    const std::vector<uint16_t> masks = replay(keys, 80000);
    EXPECT_EQ(masks.size(), 70000u);
    EXPECT_EQ(masks.back(), 8);
    EXPECT_TRUE(keys.at_end());
    EXPECT_EQ(keys.next_key(), 0);
}

TEST(KeyStream, ByteSizesThatAreNotWholeEntriesAreRefused) {
    KV_KeyStream keys = stream_of({1, 1, 2});
    for (size_t size : {1u, 2u, 3u, 6u, 9u}) {
        EXPECT_FALSE(keys.from_bytes(std::vector<uint8_t>(size, 7))) << size << " bytes";
        EXPECT_EQ(keys.entries(), (std::vector<Entry>{{1, 2}, {2, 1}})) << size << " bytes";
    }
    EXPECT_TRUE(keys.from_bytes({}));
    EXPECT_TRUE(keys.entries().empty());
}

TEST(KeyStream, AnEmptyStreamIsAtItsEndAtOnce) {
    KV_KeyStream keys;
    keys.rewind();
    EXPECT_TRUE(keys.at_end());
    EXPECT_EQ(keys.next_key(), 0);
    EXPECT_TRUE(keys.at_end());
}

// Stored entries of count 0 hold no tick: they are passed over, wherever they stand.
TEST(KeyStream, EntriesOfCountZeroArePassedOver) {
    const struct {
        std::vector<uint8_t> bytes;
        std::vector<uint16_t> masks;
    } rows[] = {
        {{4, 0, 0, 0, 8, 0, 2, 0}, {8, 8}},                    // first
        {{8, 0, 1, 0, 4, 0, 0, 0, 2, 0, 1, 0}, {8, 2}},        // between
        {{8, 0, 2, 0, 4, 0, 0, 0, 1, 0, 0, 0}, {8, 8}},        // trailing
        {{4, 0, 0, 0, 1, 0, 0, 0}, {}},                        // nothing but
    };
    for (const auto& r : rows) {
        KV_KeyStream keys = from(r.bytes);
        keys.rewind();
        EXPECT_EQ(replay(keys), r.masks);
        EXPECT_TRUE(keys.at_end());
        EXPECT_EQ(keys.next_key(), 0);
    }
}

TEST(KeyStream, ReadingBytesStartsTheReplayAfresh) {
    KV_KeyStream keys = stream_of({1, 1, 1, 1, 2, 2, 2});
    keys.rewind();
    for (int i = 0; i < 5; ++i) keys.next_key();  // into the second entry
    EXPECT_TRUE(keys.from_bytes({16, 0, 1, 0}));
    EXPECT_FALSE(keys.at_end());
    EXPECT_EQ(replay(keys), (std::vector<uint16_t>{16}));
}

TEST(KeyStream, CopiesCarryTheReplayPosition) {
    KV_KeyStream keys = stream_of({1, 2, 2, 4});
    keys.rewind();
    keys.next_key();
    keys.next_key();
    KV_KeyStream copy = keys;
    KV_KeyStream assigned;
    assigned = keys;
    const std::vector<uint16_t> rest = {2, 4};
    EXPECT_EQ(replay(copy), rest);
    EXPECT_EQ(replay(assigned), rest);
    EXPECT_EQ(replay(keys), rest);

    keys.clear();
    EXPECT_TRUE(keys.entries().empty());
    EXPECT_TRUE(keys.at_end());
}
