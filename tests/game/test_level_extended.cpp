// The extended record and set, byte by byte.
#include <gtest/gtest.h>

#include "game/level/hexmoor_level.h"
#include "test_level_fixtures.h"

using namespace level_fixtures;

namespace {

TEST(ExtendedRecord, SmallestLevelGetsItsBorder) {
    Bytes r = extended_record(3, 3, kVersion1, 105, 105);
    ASSERT_EQ(r.size(), 125u);
    for (size_t i = 0; i < 9; ++i) r[20 + i] = 2;
    KV_HexmoorLevel level;
    ASSERT_TRUE(level.Load(r));
    EXPECT_EQ(level.GetType(), 1);
    EXPECT_EQ(level.GetWidth(), 3);
    EXPECT_EQ(level.GetHeight(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) EXPECT_EQ(level.GetTile(x, y), (x == 1 && y == 1) ? 2 : 6);
}

TEST(ExtendedRecord, HeaderChecks) {
    struct Case {
        const char* what;
        Bytes record;
        bool ok;
    };
    Bytes bad_magic = extended_record(5, 4);
    bad_magic[3] = 'X';
    Bytes lower_magic = extended_record(5, 4);
    lower_magic[0] = 'h';
    const size_t need = 5 * 4 + 116;
    const Case cases[] = {
        {"good", extended_record(5, 4), true},
        {"blank version", extended_record(5, 4, kVersionBlank, 0, 5 * 4 + 96), true},
        {"blank version, any body field", extended_record(5, 4, kVersionBlank, 0xffffffff, 5 * 4 + 96), true},
        {"body field ignored by the level", extended_record(5, 4, kVersion1, 0, 5 * 4 + 96), true},
        {"version 2", extended_record(5, 4, 0x00010002, 116, 116), false},
        {"version 0", extended_record(5, 4, 0, 116, 116), false},
        {"bad magic", bad_magic, false},
        {"magic is case-sensitive", lower_magic, false},
        {"shorter than a header", prefix(extended_record(5, 4), 19), false},
        {"one byte short", prefix(extended_record(5, 4), need - 1),
         false},
        {"width 2", extended_record(2, 4), false},
        {"height 2", extended_record(4, 2), false},
        {"width 257", extended_record(257, 3), false},
        {"height 257", extended_record(3, 257), false},
        {"width 0", extended_record(0, 3, kVersion1, 96, 96), false},
        {"256 x 256", extended_record(256, 256), true},
    };
    for (const Case& c : cases) {
        KV_HexmoorLevel level;
        EXPECT_EQ(level.Load(c.record), c.ok) << c.what;
    }
}

TEST(ExtendedRecord, RefusedRecordLeavesTheObjectAsItWas) {
    Bytes good = extended_record(4, 3);
    good[extended_info(4, 3) + 30] = 3;
    KV_HexmoorLevel level;
    ASSERT_TRUE(level.Load(good));
    Bytes truncated(good.begin(), good.end() - 1);
    EXPECT_FALSE(level.Load(truncated));
    Bytes other = extended_record(7, 7);
    other[1] = 'Y';
    EXPECT_FALSE(level.Load(other));
    Bytes data;
    ASSERT_TRUE(level.GetData(data));
    EXPECT_EQ(data, good);
    EXPECT_EQ(level.GetWidth(), 4);
    EXPECT_EQ(level.GetQuarkelsNeeded(), 3);

    KV_HexmoorLevel fresh;
    EXPECT_FALSE(fresh.Load(truncated));
    EXPECT_FALSE(fresh.GetData(data));
    EXPECT_EQ(fresh.GetWidth(), 0);
    EXPECT_EQ(fresh.GetTileCount(), 0u);
}

TEST(ExtendedRecord, ExtraBodyBytesAreKeptAndNotRead) {
    const uint32_t body = 6 * 5 + 96 + 10;
    Bytes r = extended_record(6, 5, kVersion1, body, body);
    for (size_t i = r.size() - 10; i < r.size(); ++i) r[i] = 0xee;
    KV_HexmoorLevel level;
    ASSERT_TRUE(level.Load(r));
    Bytes data;
    ASSERT_TRUE(level.GetData(data));
    EXPECT_EQ(data, r);
}

TEST(ExtendedRecord, InformationBlockAndPortsUseTheLevelsWidth) {
    Bytes r = extended_record(100, 4);
    const size_t info = extended_info(100, 4);
    r[info + 4] = 1;
    r[info + 5] = 42;
    r[info + 6] = 'H';
    r[info + 29] = 2;
    r[info + 30] = 0;
    r[info + 31] = 1;
    r[info + 32] = 0x01;
    r[info + 33] = 0x2c;
    r[info + 36] = 1;
    r[20 + 100 + 5] = 4;
    r[20 + 200 + 5] = 4;
    KV_HexmoorLevel level;
    ASSERT_TRUE(level.Load(r));
    EXPECT_TRUE(level.GetGravity());
    EXPECT_TRUE(level.GetFreezeGrobbles());
    EXPECT_EQ(level.GetInfoByte5(), 42);
    EXPECT_EQ(level.GetTitle(), "H" + std::string(22, '-'));
    EXPECT_EQ(level.GetQuarkelsNeeded(), 2);
    ASSERT_EQ(level.GetSpecialPorts().size(), 1u);
    EXPECT_EQ(level.GetSpecialPorts()[0], (KV_SpecialPort{50, 1, false, false, true}));
}

// --- the set ---

Bytes two_levels() { return concat({extended_record(3, 3), extended_record(8, 5, kVersionBlank, 0, 8 * 5 + 96)}); }

TEST(ExtendedSet, ReadsRecordsBackToBack) {
    KV_HexmoorLevelset set;
    ASSERT_TRUE(load_from_bytes(set, two_levels()));
    ASSERT_EQ(set.GetCount(), 2);
    EXPECT_EQ(set.records()[1].size(), size_t(8 * 5 + 116));
    auto level = set.GetLevel(1);
    ASSERT_TRUE(level);
    EXPECT_EQ(level->GetType(), 1);
    EXPECT_EQ(level->GetRevision(), 1);
    EXPECT_EQ(dynamic_cast<KV_TorvaneLevelBase&>(*level).GetWidth(), 8);
    EXPECT_EQ(set.GetLevel(2), nullptr);
    EXPECT_EQ(set.GetLevel(-1), nullptr);
}

TEST(ExtendedSet, WhatEndsOrFailsTheSet) {
    Bytes bad_magic = extended_record(3, 3);
    bad_magic[2] = 'N';
    Bytes truncated = extended_record(4, 4);
    truncated.pop_back();
    struct Case {
        const char* what;
        Bytes data;
        bool ok;
        int count;
    };
    const Case cases[] = {
        {"empty file", {}, false, 0},
        {"seven stray bytes after two", concat({two_levels(), Bytes(7, 'H')}), true, 2},
        {"nineteen stray bytes", concat({two_levels(), prefix(extended_record(3, 3), 19)}), true, 2},
        {"bad magic after two", concat({two_levels(), bad_magic}), false, 0},
        {"bad version after two", concat({two_levels(), extended_record(3, 3, 7, 105, 105)}), false, 0},
        {"width 2 after one", concat({extended_record(3, 3), extended_record(2, 3, kVersion1, 102, 102)}), false, 0},
        {"width 257", extended_record(257, 3), false, 0},
        {"body cut short", concat({extended_record(3, 3), truncated}), false, 0},
        {"body size 104 for 3 x 3", extended_record(3, 3, kVersion1, 104, 104), false, 0},
        {"body size 105 for 3 x 3", extended_record(3, 3, kVersion1, 105, 105), true, 1},
        {"body size above the limit", extended_record(3, 3, kVersion1, 0x200001, 105), false, 0},
        {"body size claims more than the file", extended_record(3, 3, kVersion1, 0x1000, 105), false, 0},
        {"256 x 256", extended_record(256, 256), true, 1},
    };
    for (const Case& c : cases) {
        KV_HexmoorLevelset set;
        EXPECT_EQ(load_from_bytes(set, c.data), c.ok) << c.what;
        EXPECT_EQ(set.GetCount(), c.count) << c.what;
    }
}

TEST(ExtendedSet, LargestBodySizeIsAcceptedWhenTheFileHoldsIt) {
    const Bytes r = extended_record(3, 3, kVersion1, 0x200000, 0x200000);
    TempFile file("big.hxm", r);
    KV_HexmoorLevelset set;
    ASSERT_TRUE(set.Load(file.path()));
    ASSERT_EQ(set.GetCount(), 1);
    EXPECT_EQ(set.records()[0].size(), size_t(20 + 0x200000));
    EXPECT_TRUE(set.GetLevel(0));
}

TEST(ExtendedSet, FailedLoadLeavesTheSetEmpty) {
    KV_HexmoorLevelset set;
    ASSERT_TRUE(load_from_bytes(set, two_levels()));
    Bytes bad = concat({two_levels(), extended_record(2, 2, kVersion1, 100, 100)});
    TempFile file("bad.hxm", bad);
    EXPECT_FALSE(set.Load(file.path()));
    EXPECT_EQ(set.GetCount(), 0);
}

}  // namespace

TEST(ExtendedSet, MoreLevelsThanASetMayHoldFailTheWholeSet) {
    const Bytes one = extended_record(3, 3);
    for (const int count : {KV_LevelSetBase::MAX_LEVELS, KV_LevelSetBase::MAX_LEVELS + 1}) {
        Bytes data;
        data.reserve(size_t(count) * one.size());
        for (int i = 0; i < count; ++i) data.insert(data.end(), one.begin(), one.end());
        KV_HexmoorLevelset set;
        const bool fits = count <= KV_LevelSetBase::MAX_LEVELS;
        EXPECT_EQ(load_from_bytes(set, data), fits) << count;
        EXPECT_EQ(set.GetCount(), fits ? count : 0) << count;
    }
}
