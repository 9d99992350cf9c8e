// The level prototype registry and the level-set format registry.
#include <gtest/gtest.h>

#include "game/level/hexmoor_level.h"
#include "game/level/level_registry.h"
#include "game/level/levelset_registry.h"
#include "game/level/torvane_level.h"
#include "test_level_fixtures.h"

using namespace level_fixtures;

namespace {

TEST(LevelRegistry, TypesAndRevisions) {
    const Bytes r = classic_record();
    EXPECT_EQ(create_level(2, 1, r), nullptr);
    EXPECT_EQ(create_level(-1, 1, r), nullptr);
    EXPECT_EQ(create_level(0, 2, r), nullptr);
    EXPECT_EQ(create_level(0, -1, r), nullptr);
    EXPECT_EQ(create_empty_level(1, 2), nullptr);

    auto old_rules = create_level(0, 0, r);
    ASSERT_TRUE(old_rules);
    EXPECT_EQ(old_rules->GetRevision(), 0);
    EXPECT_TRUE(dynamic_cast<KV_TorvaneLevelBase&>(*old_rules).IsBugUnpredictable());
    auto current = create_level(0, 1, r);
    ASSERT_TRUE(current);
    EXPECT_FALSE(dynamic_cast<KV_TorvaneLevelBase&>(*current).IsBugUnpredictable());

    auto extended = create_level(1, 0, extended_record(3, 3));
    ASSERT_TRUE(extended);
    EXPECT_EQ(extended->GetType(), 1);
    EXPECT_EQ(extended->GetRevision(), 0);
}

TEST(LevelRegistry, RecordThatDoesNotLoadGivesNothing) {
    EXPECT_EQ(create_level(0, 1, Bytes(1535, 0)), nullptr);
    EXPECT_EQ(create_level(1, 1, classic_record()), nullptr);
    EXPECT_EQ(create_level(0, 1, extended_record(60, 24)), nullptr);
}

TEST(LevelRegistry, EmptyLevelsAndGetData) {
    auto empty = create_empty_level(0, 1);
    ASSERT_TRUE(empty);
    EXPECT_NE(dynamic_cast<KV_TorvaneLevel*>(empty.get()), nullptr);
    Bytes out;
    EXPECT_FALSE(empty->GetData(out));
    Bytes r = classic_record();
    r[100] = 7;
    ASSERT_TRUE(empty->Load(r));
    ASSERT_TRUE(empty->GetData(out));
    EXPECT_EQ(out, r);

    auto hex = create_empty_level(1, 1);
    ASSERT_TRUE(hex);
    EXPECT_NE(dynamic_cast<KV_HexmoorLevel*>(hex.get()), nullptr);
    EXPECT_EQ(dynamic_cast<KV_TorvaneLevelBase&>(*hex).GetWidth(), 0);
    EXPECT_NE(create_empty_level(0, 1).get(), create_empty_level(0, 1).get());
}

TEST(LevelRegistry, SecondRegistrationIsRefused) {
    EXPECT_FALSE(register_level_type(0, std::make_shared<KV_HexmoorLevel>()));
    EXPECT_FALSE(register_level_type(1, std::make_shared<KV_TorvaneLevel>()));
    EXPECT_NE(dynamic_cast<KV_TorvaneLevel*>(create_empty_level(0, 1).get()), nullptr);
    EXPECT_NE(dynamic_cast<KV_HexmoorLevel*>(create_empty_level(1, 1).get()), nullptr);
}

TEST(LevelsetRegistry, ExtensionOfThePath) {
    const std::pair<const char*, const char*> cases[] = {
        {"Levels/tutorial.dat", "dat"}, {"x.dat.bak", "bak"},    {"name.", ""},
        {"name", ""},                   {"old.sets\\level", "sets\\level"}, {"dir.d/file", "d/file"},
        {".hxm", "hxm"},                {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(extension_of(c.first), c.second) << c.first;
}

enum class Kind { None, Classic, Extended };

Kind kind_of(const std::shared_ptr<KV_LevelSetBase>& set) {
    if (!set) return Kind::None;
    if (dynamic_cast<KV_TorvaneLevelset*>(set.get())) return Kind::Classic;
    if (dynamic_cast<KV_HexmoorLevelset*>(set.get())) return Kind::Extended;
    ADD_FAILURE() << "unknown set class";
    return Kind::None;
}

TEST(LevelsetRegistry, FormatByExtension) {
    const std::pair<const char*, Kind> cases[] = {
        {"a.dat", Kind::Classic},   {"a.DAT", Kind::Classic},    {"a.Dat", Kind::Classic},
        {"a.TQ", Kind::Classic},    {"a.tq", Kind::Classic},     {"a.d01", Kind::Classic},
        {"a.D99", Kind::Classic},   {"a.d0a", Kind::None},       {"a.d1", Kind::None},
        {"a.d001", Kind::None},     {"a.d??", Kind::None},       {"a.hxm", Kind::Extended},
        {"a.HxM", Kind::Extended},  {"x.dat.bak", Kind::None},   {"a.", Kind::None},
        {"dat", Kind::None},        {"old.sets\\level", Kind::None}, {"a.da", Kind::None},
    };
    for (const auto& c : cases) EXPECT_EQ(kind_of(find_levelset_format(c.first)), c.second) << c.first;
}

TEST(LevelsetRegistry, EachLookUpGivesANewEmptySet) {
    auto a = find_levelset_format("a.dat"), b = find_levelset_format("a.dat");
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a->GetCount(), 0);
}

TEST(LevelsetRegistry, SecondRegistrationIsRefused) {
    EXPECT_FALSE(register_levelset_format("dat", std::make_shared<KV_HexmoorLevelset>()));
    EXPECT_EQ(kind_of(find_levelset_format("a.dat")), Kind::Classic);
}

TEST(LevelsetRegistry, FileFilterText) { EXPECT_EQ(levelset_file_filter(), "*.d??;*.dat;*.hxm;*.tq;"); }

TEST(LevelsetRegistry, OpenPicksTheClassByExtensionOnly) {
    const Bytes classic = concat({classic_record(), classic_record()});
    TempFile dat("set.D07", classic);
    auto set = open_levelset(dat.path());
    ASSERT_TRUE(set);
    EXPECT_EQ(set->GetCount(), 2);

    TempFile wrong("classic.hxm", classic);
    EXPECT_EQ(open_levelset(wrong.path()), nullptr);
    TempFile hxm("set.hxm", extended_record(5, 5));
    ASSERT_TRUE(open_levelset(hxm.path()));
    TempFile bak("set.dat.bak", classic);
    EXPECT_EQ(open_levelset(bak.path()), nullptr);
    EXPECT_EQ(open_levelset(::testing::TempDir() + "missing.dat"), nullptr);
    TempFile short_file("short.tq", Bytes(1535, 0));
    EXPECT_EQ(open_levelset(short_file.path()), nullptr);
}

}  // namespace
