// A level object becomes the playing field.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>

#include "foundation/log.h"
#include "game/level/hexmoor_level.h"
#include "game/level/level.h"
#include "game/level/level_registry.h"
#include "game/level/torvane_level.h"
#include "game/objects/prototypes.h"
#include "test_level_fixtures.h"

using namespace level_fixtures;
using T = KV_ObjectType;

namespace {

bool same_cell(const KV_Cell& a, const KV_Cell& b) {
    return a.type == b.type && a.flags == b.flags && std::memcmp(a.state, b.state, sizeof a.state) == 0;
}

std::shared_ptr<KV_Level> convert(const KV_LevelBase& level) {
    auto field = level.ToGenericLevel();
    EXPECT_TRUE(field);
    return field;
}

std::shared_ptr<KV_Level> convert_classic(const Bytes& record, int revision = 1) {
    auto level = create_level(0, revision, record);
    if (!level) {
        ADD_FAILURE() << "record does not load";
        return nullptr;
    }
    return convert(*level);
}

// What each tile code becomes: the layer (0 for nothing), the type and the
// state word written over the prototype (-1: the prototype's own).
struct TileRow {
    int layer;
    T type;
    int variant;
};

TileRow expected_tile(int code) {
    switch (code) {
        case 1: return {1, T::Grobble, -1};
        case 2: return {1, T::Base, -1};
        case 3: return {2, T::Pellik, -1};
        case 4: return {1, T::Quarkel, -1};
        case 5: return {1, T::RAM, 0};
        case 6: return {3, T::Hardware, 0};
        case 7: return {1, T::Exit, -1};
        case 8: return {1, T::Disk_Orange, -1};
        case 9: case 13: return {3, T::Port_L_To_R, -1};
        case 10: case 14: return {3, T::Port_U_To_D, -1};
        case 11: case 15: return {3, T::Port_R_To_L, -1};
        case 12: case 16: return {3, T::Port_D_To_U, -1};
        case 17: return {2, T::Gnarrow, -1};
        case 18: return {1, T::Disk_Yellow, -1};
        case 19: return {1, T::Terminal, -1};
        case 20: return {1, T::Disk_Red, -1};
        case 21: return {3, T::Port_Vertical, -1};
        case 22: return {3, T::Port_Horizontal, -1};
        case 23: return {3, T::Port_Cross, -1};
        case 24: return {2, T::Electron, -1};
        case 25: return {1, T::Bug, -1};
        case 26: return {1, T::RAM, 1};
        case 27: return {1, T::RAM, 2};
        case 38: return {1, T::RAM, 3};
        case 39: return {1, T::RAM, 4};
        case 40: return {1, T::Invisible_Wall, -1};
    }
    if (code >= 28 && code <= 37) return {3, T::Hardware, code - 27};
    return {0, T::Empty, -1};
}

TEST(Conversion, EveryTileCode) {
    KV_Logic::init_prototypes();
    for (int code = 0; code < 256; ++code) {
        Bytes r = extended_record(3, 3);
        r[20 + 4] = uint8_t(code);
        KV_HexmoorLevel level;
        ASSERT_TRUE(level.Load(r));
        auto field = convert(level);
        ASSERT_TRUE(field);
        const TileRow want = expected_tile(code);
        for (int l = 0; l < 4; ++l) {
            KV_Cell expect = KV_Logic::prototype(want.layer == l ? want.type : T::Empty);
            if (want.layer == l && want.variant >= 0) {
                expect.set_state(uint16_t(want.variant));
                expect.set_w1(0);
            }
            EXPECT_TRUE(same_cell(field->at(l, 1, 1), expect))
                << "code " << code << " layer " << l << ": type " << field->at(l, 1, 1).type << " state word "
                << field->at(l, 1, 1).get_state();
        }
        EXPECT_EQ(field->get_status()->get_quarkels_present(), code == 4 ? 1 : 0) << code;
        EXPECT_EQ(field->get_has_player(), code == 3) << code;
    }
}

TEST(Conversion, AllZeroClassicRecord) {
    auto field = convert_classic(classic_record());
    ASSERT_TRUE(field);
    EXPECT_EQ(field->get_width(), 60);
    EXPECT_EQ(field->get_height(), 24);
    for (int l = 0; l < 4; ++l)
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 60; ++x) {
                const bool ring = x == 0 || y == 0 || x == 59 || y == 23;
                const KV_Cell& c = field->at(l, x, y);
                EXPECT_EQ(c.object_type(), l == 3 && ring ? T::Hardware : T::Empty) << l << " " << x << "," << y;
                EXPECT_TRUE(c.has(CF_DONE));
            }
    const KV_LevelStatus& st = *field->get_status();
    EXPECT_EQ(st.get_quarkels_needed(), 0);
    EXPECT_EQ(st.get_quarkels_present(), 0);
    EXPECT_EQ(st.get_state(), GS_RUNNING);
    EXPECT_FALSE(field->get_has_player());
    EXPECT_EQ(field->get_player_x(), 0);
    EXPECT_EQ(field->get_player_y(), 0);
}

TEST(Conversion, FirstPlayerTileInScanOrderIsThePlayer) {
    Bytes r = classic_record();
    r[7 * 60 + 3] = 3;
    r[2 * 60 + 5] = 3;
    r[2 * 60 + 9] = 3;
    auto field = convert_classic(r);
    ASSERT_TRUE(field);
    EXPECT_TRUE(field->get_has_player());
    EXPECT_EQ(field->get_player_x(), 5);
    EXPECT_EQ(field->get_player_y(), 2);
    EXPECT_EQ(field->at(KV_LAYER_MOVERS, 5, 2).object_type(), T::Pellik);
    EXPECT_TRUE(same_cell(*field->get_player_cell(), field->at(KV_LAYER_MOVERS, 5, 2)));
    EXPECT_EQ(field->at(KV_LAYER_MOVERS, 9, 2).object_type(), T::Pellik_Static);
    EXPECT_EQ(field->at(KV_LAYER_MOVERS, 3, 7).object_type(), T::Pellik_Static);
}

TEST(Conversion, StatusFromTheLevel) {
    Bytes r = classic_record();
    r[kInfo + 4] = 1;
    r[kInfo + 29] = 2;
    r[kInfo + 30] = 3;
    r[60 + 1] = 4;
    r[60 + 2] = 4;
    r[kInfo + 31] = 1;  // a switch-everything port that names no port tile
    r[kInfo + 32] = 0;
    r[kInfo + 33] = 122;
    r[kInfo + 34] = 1, r[kInfo + 35] = 2, r[kInfo + 36] = 1;
    auto field = convert_classic(r);
    ASSERT_TRUE(field);
    const KV_LevelStatus& st = *field->get_status();
    EXPECT_EQ(st.get_quarkels_needed(), 3);
    EXPECT_EQ(st.get_quarkels_present(), 2);
    EXPECT_EQ(st.get_quarkels(), 0);
    EXPECT_TRUE(st.get_gravity());
    EXPECT_TRUE(st.get_freeze_grobbles());
    EXPECT_FALSE(st.get_freeze_enemies());
    EXPECT_FALSE(st.get_terminal_used());
    EXPECT_FALSE(st.get_yellow_armed());
    EXPECT_EQ(st.get_red_disks(), 0);
    EXPECT_EQ(st.get_moves(), 0);
}

void put_port(Bytes& r, int i, int x, int y, bool g, bool f, bool e) {
    const int value = 2 * (y * 60 + x);
    uint8_t* p = &r[kInfo + 32 + 6 * size_t(i)];
    p[0] = uint8_t(value >> 8), p[1] = uint8_t(value), p[2] = g ? 1 : 0, p[3] = f ? 2 : 0, p[4] = e ? 1 : 0;
}

TEST(Conversion, SpecialPorts) {
    Bytes r = classic_record();
    r[5 * 60 + 10] = 13;
    r[5 * 60 + 12] = 9;
    r[6 * 60 + 10] = 14;
    r[6 * 60 + 12] = 15;
    r[7 * 60 + 10] = 16;
    r[7 * 60 + 12] = 23;
    r[8 * 60 + 10] = 13;
    r[kInfo + 31] = 9;
    put_port(r, 0, 10, 5, true, true, true);
    put_port(r, 1, 12, 5, true, false, false);  // plain port tile: stays plain
    put_port(r, 2, 10, 6, false, true, true);
    put_port(r, 3, 12, 6, false, false, false);
    put_port(r, 4, 10, 7, true, false, false);
    put_port(r, 5, 12, 7, true, false, false);  // cross port: no switches
    put_port(r, 6, 0, 8, true, false, false);   // the ring: skipped
    put_port(r, 7, 10, 8, true, false, false);  // two records on one cell combine
    put_port(r, 8, 10, 8, false, false, true);
    auto field = convert_classic(r);
    ASSERT_TRUE(field);
    struct Want {
        int x, y;
        T type;
        uint32_t word, bits;
    };
    const Want wants[] = {
        {10, 5, T::Port_L_To_R, 1, 7}, {12, 5, T::Port_L_To_R, 0, 0}, {10, 6, T::Port_U_To_D, 1, 6},
        {12, 6, T::Port_R_To_L, 1, 0}, {10, 7, T::Port_D_To_U, 1, 1}, {12, 7, T::Port_Cross, 0, 0},
        {10, 8, T::Port_L_To_R, 1, 5}, {0, 8, T::Hardware, 0, 0},
    };
    for (const Want& w : wants) {
        const KV_Cell& c = field->at(KV_LAYER_FIXTURES, w.x, w.y);
        EXPECT_EQ(c.object_type(), w.type) << w.x << "," << w.y;
        EXPECT_EQ(c.get_u32(0), w.word) << w.x << "," << w.y;
        EXPECT_EQ(c.get_u32_4(), w.bits) << w.x << "," << w.y;
        EXPECT_EQ(c.flags, KV_Logic::prototype(w.type).flags);
    }
}

TEST(Conversion, PortFarBelowTheFieldIsSkipped) {
    Bytes r = classic_record();
    r[1 * 60 + 7] = 13;
    r[kInfo + 31] = 1;
    r[kInfo + 32] = 0xff;
    r[kInfo + 33] = 0xff;
    r[kInfo + 34] = 1;
    auto field = convert_classic(r);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->at(KV_LAYER_FIXTURES, 7, 1).get_u32(0), 0u);
}

// Reads the debug file the logger writes into, and restores the logger after.
class ConversionLog : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = Qx::g_log.get_directory();
        base_ = Qx::g_log.get_base_name();
        Qx::g_log.set_files(::testing::TempDir(), "kv_convert_" + std::to_string(::getpid()));
        std::remove(Qx::g_log.debug_path().c_str());
    }
    void TearDown() override {
        Qx::Log::disable();
        std::remove(Qx::g_log.debug_path().c_str());
        Qx::g_log.set_files(dir_, base_);
    }
    std::string debug_text() {
        std::ifstream in(Qx::g_log.debug_path(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::string dir_, base_;
};

TEST_F(ConversionLog, BugRuleFollowsTheRevision) {
    Bytes r = classic_record();
    r[3 * 60 + 3] = 25;
    r[3 * 60 + 4] = 25;
    Qx::Log::enable();
    auto old_rules = convert_classic(r, 0);
    auto current = convert_classic(r, 1);
    ASSERT_TRUE(old_rules && current);
    EXPECT_EQ(debug_text(),
              "{KV_TorvaneLevelBase::ConvertToGenericLevel} Unpredictable Bug behavior\n"
              "{KV_TorvaneLevelBase::ConvertToGenericLevel} Predictable Bug behavior\n");
    for (int x : {3, 4}) {
        EXPECT_EQ(old_rules->at(KV_LAYER_ITEMS, x, 3).object_type(), T::Bug);
        EXPECT_EQ(old_rules->at(KV_LAYER_ITEMS, x, 3).get_u8(6), 1);
        EXPECT_EQ(current->at(KV_LAYER_ITEMS, x, 3).get_u8(6), 0);
        KV_Cell plain = current->at(KV_LAYER_ITEMS, x, 3);
        EXPECT_TRUE(same_cell(plain, KV_Logic::prototype(T::Bug)));
    }
}

TEST_F(ConversionLog, NothingWrittenWhileLoggingIsOff) {
    Qx::Log::disable();
    ASSERT_TRUE(convert_classic(classic_record()));
    EXPECT_EQ(debug_text(), "");
}

TEST(Conversion, EachConversionIsANewField) {
    Bytes r = classic_record();
    r[60 + 1] = 3;
    auto level = create_level(0, 1, r);
    ASSERT_TRUE(level);
    auto a = convert(*level), b = convert(*level);
    ASSERT_TRUE(a && b);
    EXPECT_NE(a.get(), b.get());
    EXPECT_NE(a->get_status(), b->get_status());
    a->at(KV_LAYER_ITEMS, 2, 2).type = 99;
    a->get_status()->inc_moves();
    EXPECT_EQ(b->at(KV_LAYER_ITEMS, 2, 2).object_type(), T::Empty);
    EXPECT_EQ(b->get_status()->get_moves(), 0);
}

// A level whose tiles do not cover its field: the converter must not read past them.
class ShortLevel : public KV_TorvaneLevelBase {
public:
    explicit ShortLevel(size_t tiles) : tiles_(tiles, 2) {}
    int GetWidth() const override { return 5; }
    int GetHeight() const override { return 4; }
    int GetQuarkelsNeeded() const override { return 0; }
    bool GetGravity() const override { return false; }
    bool GetFreezeGrobbles() const override { return false; }
    int GetSpecialPortCount() const override { return 0; }
    int GetInfoByte5() const override { return 0; }
    std::vector<KV_SpecialPort> GetSpecialPorts() const override { return {}; }
    int GetTile(int x, int y) const override { return tiles_.at(size_t(y * 5 + x)); }
    void SetTile(int x, int y, uint8_t code) override { tiles_.at(size_t(y * 5 + x)) = code; }
    bool IsBugUnpredictable() const override { return false; }
    size_t GetTileCount() const override { return tiles_.size(); }

private:
    std::vector<uint8_t> tiles_;
};

TEST(Conversion, RefusesNullSourceAndTooFewTiles) {
    EXPECT_EQ(KV_TorvaneLevelBase::ConvertToGenericLevel(nullptr), nullptr);
    ShortLevel short_level(19);
    EXPECT_EQ(KV_TorvaneLevelBase::ConvertToGenericLevel(&short_level), nullptr);
    ShortLevel full(20);
    auto field = KV_TorvaneLevelBase::ConvertToGenericLevel(&full);
    ASSERT_TRUE(field);
    EXPECT_EQ(field->at(KV_LAYER_ITEMS, 4, 3).object_type(), T::Base);
}

}  // namespace
