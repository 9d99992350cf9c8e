// The classic record and set, byte by byte.
#include <gtest/gtest.h>

#include "game/level/level_record.h"
#include "game/level/torvane_level.h"
#include "test_level_fixtures.h"

using namespace level_fixtures;

namespace {

KV_TorvaneLevel loaded(const Bytes& record) {
    KV_TorvaneLevel level;
    EXPECT_TRUE(level.Load(record));
    return level;
}

struct FlagCase {
    const char* name;
    size_t offset;
    uint8_t value;
    bool gravity;
    bool freeze_grobbles;
};

class ClassicFlags : public ::testing::TestWithParam<FlagCase> {};

TEST_P(ClassicFlags, ByteGivesSwitch) {
    const FlagCase& c = GetParam();
    Bytes r = classic_record();
    r[kInfo + c.offset] = c.value;
    const KV_TorvaneLevel level = loaded(r);
    EXPECT_EQ(level.GetGravity(), c.gravity);
    EXPECT_EQ(level.GetFreezeGrobbles(), c.freeze_grobbles);
}

INSTANTIATE_TEST_SUITE_P(Bytes, ClassicFlags,
                         ::testing::Values(FlagCase{"gravity0", 4, 0, false, false},
                                           FlagCase{"gravity1", 4, 1, true, false},
                                           FlagCase{"gravity80", 4, 0x80, true, false},
                                           FlagCase{"freeze1", 29, 1, false, false},
                                           FlagCase{"freeze2", 29, 2, false, true},
                                           FlagCase{"freeze3", 29, 3, false, false},
                                           FlagCase{"freezeFF", 29, 0xff, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ClassicRecord, FixedSizeAndPlainFields) {
    Bytes r = classic_record();
    r[kInfo + 5] = 0xab;
    r[kInfo + 30] = 17;
    const KV_TorvaneLevel level = loaded(r);
    EXPECT_EQ(level.GetType(), 0);
    EXPECT_EQ(level.GetWidth(), 60);
    EXPECT_EQ(level.GetHeight(), 24);
    EXPECT_EQ(level.GetInfoByte5(), 0xab);
    EXPECT_EQ(level.GetQuarkelsNeeded(), 17);
    EXPECT_EQ(level.GetTileCount(), 1440u);
    EXPECT_EQ(level.GetRevision(), 1);
}

TEST(ClassicRecord, WrongLengthIsRefusedAndLeavesTheObject) {
    Bytes good = classic_record();
    good[kInfo + 30] = 9;
    KV_TorvaneLevel level = loaded(good);
    for (size_t n : {size_t(0), size_t(1535), size_t(1537), size_t(3072)}) {
        Bytes other(n, 0x04);
        EXPECT_FALSE(level.Load(other)) << n;
    }
    EXPECT_EQ(level.GetQuarkelsNeeded(), 9);
    Bytes data;
    ASSERT_TRUE(level.GetData(data));
    EXPECT_EQ(data, good);
}

TEST(ClassicRecord, GetDataIsFalseBeforeLoadAndTheRawRecordAfter) {
    KV_TorvaneLevel fresh;
    Bytes out{1, 2, 3};
    EXPECT_FALSE(fresh.GetData(out));
    Bytes r = classic_record();
    r[0] = 3;  // on the ring: replaced in the tiles, kept in the raw record
    r[kInfo + 0] = 0x5a;
    r[kInfo + 95] = 0xa5;
    KV_TorvaneLevel level = loaded(r);
    ASSERT_TRUE(level.GetData(out));
    EXPECT_EQ(out, r);
    EXPECT_EQ(level.GetTile(0, 0), 6);
}

TEST(ClassicRecord, BorderIsForcedAndInsideKept) {
    Bytes r = classic_record();
    for (size_t i = 0; i < 1440; ++i) r[i] = 2;
    r[5] = 3;              // a player tile in row 0 is lost
    r[23 * 60 + 10] = 4;   // a quarkel in the last row too
    r[1 * 60 + 1] = 4;
    const KV_TorvaneLevel level = loaded(r);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool ring = x == 0 || y == 0 || x == 59 || y == 23;
            EXPECT_EQ(level.GetTile(x, y), ring ? 6 : (x == 1 && y == 1 ? 4 : 2)) << x << "," << y;
        }
}

TEST(ClassicRecord, ZeroQuotaCountsQuarkelsInsideTheBorder) {
    Bytes r = classic_record();
    for (int i = 0; i < 5; ++i) r[size_t(2 * 60 + 3 + i)] = 4;
    r[size_t(0 * 60 + 7)] = 4;   // ring
    r[size_t(5 * 60 + 59)] = 4;  // ring
    EXPECT_EQ(loaded(r).GetQuarkelsNeeded(), 5);
    r[kInfo + 30] = 2;
    EXPECT_EQ(loaded(r).GetQuarkelsNeeded(), 2);
    r[kInfo + 30] = 255;
    EXPECT_EQ(loaded(r).GetQuarkelsNeeded(), 255);
}

struct PortCase {
    const char* name;
    uint8_t count;
    uint8_t hi, lo, gravity, freeze, enemies;
    int ports;  // expected number of ports read
    int x, y;
    bool g, f, e;
};

class ClassicPorts : public ::testing::TestWithParam<PortCase> {};

TEST_P(ClassicPorts, RecordsAreBigEndianCellPairs) {
    const PortCase& c = GetParam();
    Bytes r = classic_record();
    r[kInfo + 31] = c.count;
    for (int i = 0; i < 10; ++i) {
        uint8_t* p = &r[kInfo + 32 + 6 * size_t(i)];
        p[0] = c.hi, p[1] = c.lo, p[2] = c.gravity, p[3] = c.freeze, p[4] = c.enemies, p[5] = 0x77;
    }
    const KV_TorvaneLevel level = loaded(r);
    ASSERT_EQ(level.GetSpecialPortCount(), c.ports);
    const std::vector<KV_SpecialPort> ports = level.GetSpecialPorts();
    ASSERT_EQ(int(ports.size()), c.ports);
    for (const KV_SpecialPort& p : ports) {
        EXPECT_EQ(p.x, c.x);
        EXPECT_EQ(p.y, c.y);
        EXPECT_EQ(p.gravity, c.g);
        EXPECT_EQ(p.freeze_grobbles, c.f);
        EXPECT_EQ(p.freeze_enemies, c.e);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, ClassicPorts,
    ::testing::Values(PortCase{"none", 0, 0x01, 0x2c, 1, 2, 1, 0, 0, 0, false, false, false},
                      PortCase{"value300", 1, 0x01, 0x2c, 0, 0, 0, 1, 30, 2, false, false, false},
                      PortCase{"oddValueSameCell", 1, 0x01, 0x2d, 0, 0, 0, 1, 30, 2, false, false, false},
                      PortCase{"allSwitches", 3, 0x00, 0x7a, 1, 2, 1, 3, 1, 1, true, true, true},
                      PortCase{"switchValuesOtherThanTheirOwn", 2, 0x00, 0x7a, 2, 1, 2, 2, 1, 1, false, false, false},
                      PortCase{"ten", 10, 0x00, 0x7a, 1, 0, 0, 10, 1, 1, true, false, false},
                      PortCase{"eleven", 11, 0x00, 0x7a, 1, 0, 0, 0, 0, 0, false, false, false},
                      PortCase{"ff", 0xff, 0x00, 0x7a, 1, 0, 0, 0, 0, 0, false, false, false},
                      // Far below the last row: kept here, skipped by the conversion.
                      PortCase{"ffff", 1, 0xff, 0xff, 0, 0, 0, 1, 32767 % 60, 32767 / 60, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ClassicRecord, PortsKeepRecordOrder) {
    Bytes r = classic_record();
    r[kInfo + 31] = 3;
    const int cells[3] = {200, 61, 1000};
    for (int i = 0; i < 3; ++i) {
        r[kInfo + 32 + 6 * size_t(i)] = uint8_t((cells[i] * 2) >> 8);
        r[kInfo + 33 + 6 * size_t(i)] = uint8_t(cells[i] * 2);
    }
    const std::vector<KV_SpecialPort> ports = loaded(r).GetSpecialPorts();
    ASSERT_EQ(ports.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ports[size_t(i)].x, cells[i] % 60);
        EXPECT_EQ(ports[size_t(i)].y, cells[i] / 60);
    }
}

std::string title_of(const Bytes& title_bytes) {
    Bytes r = classic_record();
    for (size_t i = 0; i < 23; ++i) r[kInfo + 6 + i] = i < title_bytes.size() ? title_bytes[i] : 0;
    return loaded(r).GetTitle();
}

TEST(ClassicTitle, TwentyThreeBytesWithControlBytesAsHyphens) {
    EXPECT_EQ(title_of({0x4c, 0x31}), "L1" + std::string(21, '-'));
    Bytes all_blank(23, ' ');
    EXPECT_EQ(title_of(all_blank), std::string(23, ' '));
    EXPECT_EQ(title_of({0x01, 0x1f, 0x20, 0x7e, 0x7f, 'a'}).substr(0, 6), std::string("-- ~\x7f") + "a");
}

TEST(ClassicTitle, CodePage1251LettersInLatin) {
    EXPECT_EQ(title_of({0xcf, 0xf0, 0xe8, 0xe2, 0xe5, 0xf2, 0x20}).substr(0, 7), "Privet ");
    EXPECT_EQ(title_of({0x98, 0x80, 0xa0, 0xbf, 0xa9}).substr(0, 5), "?????");
    EXPECT_EQ(title_of({0xa8, 0xb8}).substr(0, 2), "Ee");
}

TEST(ClassicTitle, WholeAlphabet) {
    const std::string upper = "ABVGDEZZIIKLMNOPRSTUFHCCSS'Y'EUA";  // 0xC0..0xDF
    std::string lower = upper;
    for (char& c : lower) c = char(std::tolower(uint8_t(c)));
    EXPECT_EQ(transliterate_title(std::string("\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
                                              "\xD0\xD1\xD2\xD3\xD4\xD5\xD6\xD7\xD8\xD9\xDA\xDB\xDC\xDD\xDE\xDF")),
              upper);
    EXPECT_EQ(transliterate_title(std::string("\xE0\xE1\xE2\xE3\xE4\xE5\xE6\xE7\xE8\xE9\xEA\xEB\xEC\xED\xEE\xEF"
                                              "\xF0\xF1\xF2\xF3\xF4\xF5\xF6\xF7\xF8\xF9\xFA\xFB\xFC\xFD\xFE\xFF")),
              lower);
    EXPECT_EQ(transliterate_title(std::string("\0\0", 2)), "--");
}

// --- the set ---

Bytes records(size_t n) {
    Bytes out;
    for (size_t i = 0; i < n; ++i) {
        Bytes r = classic_record();
        r[kInfo + 30] = uint8_t(i + 1);  // tells the records apart
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

TEST(ClassicSet, WholeRecordsOnly) {
    struct Case {
        size_t bytes;
        bool ok;
        int count;
    };
    for (const Case& c : {Case{0, false, 0}, Case{1535, false, 0}, Case{1536, true, 1}, Case{3072 + 100, true, 2},
                          Case{3 * 1536 - 1, true, 2}}) {
        Bytes data = records(3);
        data.resize(c.bytes);
        KV_TorvaneLevelset set;
        EXPECT_EQ(load_from_bytes(set, data), c.ok) << c.bytes;
        EXPECT_EQ(set.GetCount(), c.count) << c.bytes;
    }
}

TEST(ClassicSet, StopsQuietlyAtARecordWithMoreThanTenPorts) {
    for (uint8_t count : {uint8_t(11), uint8_t(0xff)}) {
        Bytes data = records(4);
        data[2 * 1536 + kInfo + 31] = count;
        KV_TorvaneLevelset set;
        EXPECT_TRUE(load_from_bytes(set, data));
        ASSERT_EQ(set.GetCount(), 2);
        EXPECT_EQ(set.GetLevel(1)->GetTitle(), std::string(23, '-'));

        data[kInfo + 31] = count;
        EXPECT_FALSE(load_from_bytes(set, data));
        EXPECT_EQ(set.GetCount(), 0);
    }
    // Ten is still a port count.
    Bytes data = records(2);
    data[1536 + kInfo + 31] = 10;
    KV_TorvaneLevelset set;
    EXPECT_TRUE(load_from_bytes(set, data));
    EXPECT_EQ(set.GetCount(), 2);
}

TEST(ClassicSet, RecordWithElevenPortsLoadsDirectlyWithNone) {
    Bytes r = classic_record();
    r[kInfo + 31] = 11;
    r[kInfo + 32] = 0x01;
    r[kInfo + 33] = 0x2c;
    EXPECT_EQ(loaded(r).GetSpecialPortCount(), 0);
}

TEST(ClassicSet, LevelsAreFreshObjectsOfRevisionOne) {
    KV_TorvaneLevelset set;
    ASSERT_TRUE(load_from_bytes(set, records(2)));
    EXPECT_EQ(set.GetLevel(-1), nullptr);
    EXPECT_EQ(set.GetLevel(2), nullptr);
    auto a = set.GetLevel(1), b = set.GetLevel(1);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a->GetType(), 0);
    EXPECT_EQ(a->GetRevision(), 1);
    Bytes da, db;
    ASSERT_TRUE(a->GetData(da) && b->GetData(db));
    EXPECT_EQ(da, db);
    EXPECT_EQ(dynamic_cast<KV_TorvaneLevelBase&>(*a).GetQuarkelsNeeded(), 2);
}

TEST(ClassicSet, ReloadEmptiesFirstAndFileLoadGoesThroughTheSameReading) {
    TempFile file("set.dat", records(3));
    KV_TorvaneLevelset set;
    ASSERT_TRUE(set.Load(file.path()));
    EXPECT_EQ(set.GetCount(), 3);
    EXPECT_FALSE(set.Load(file.path() + ".missing"));
    EXPECT_EQ(set.GetCount(), 0);
    EXPECT_FALSE(set.Load(::testing::TempDir()));  // a folder is not a level set
    ASSERT_TRUE(load_from_bytes(set, records(1)));
    EXPECT_EQ(set.GetCount(), 1);
    EXPECT_NE(dynamic_cast<KV_TorvaneLevelset*>(set.Create().get()), nullptr);
    EXPECT_EQ(set.Create()->GetCount(), 0);
}

}  // namespace

// No set holds more levels than a player's progress can keep states for.
TEST(ClassicSet, MoreLevelsThanASetMayHoldFailTheWholeSet) {
    for (const int count : {KV_LevelSetBase::MAX_LEVELS, KV_LevelSetBase::MAX_LEVELS + 1}) {
        Bytes data;
        data.reserve(size_t(count) * 1536);
        for (int i = 0; i < count; ++i) {
            const Bytes r = classic_record();
            data.insert(data.end(), r.begin(), r.end());
        }
        KV_TorvaneLevelset set;
        const bool fits = count <= KV_LevelSetBase::MAX_LEVELS;
        EXPECT_EQ(load_from_bytes(set, data), fits) << count;
        EXPECT_EQ(set.GetCount(), fits ? count : 0) << count;
    }
}
