// Which types take part in which interface, and the shared cell tests.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "game/objects/disks.h"
#include "game/objects/enemies.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/interfaces.h"
#include "game/objects/pellik.h"
#include "game/objects/small_objects.h"
#include "game/objects/prototypes.h"
#include "game/play/game.h"
#include "support/field_from_text.h"

namespace {
using namespace KV_Interfaces;
using T = KV_ObjectType;

template <typename Fn>
std::set<int> types_with_entry(const Table<Fn>& t) {
    std::set<int> out;
    for (int i = 0; i < KV_TABLE_SIZE; ++i)
        if (t[size_t(i)]) out.insert(i);
    return out;
}

std::set<int> range(int from, int to) {
    std::set<int> s;
    for (int i = from; i <= to; ++i) s.insert(i);
    return s;
}

TEST(InterfaceTables, RegistrationMatrix) {
    install_rules();
    install_rules();  // a second call changes nothing
    std::set<int> explodable = range(0, 39);
    for (int t : {1, 3, 6, 11}) explodable.erase(t);
    const std::set<int> explode_now = {2, 18, 19, 20, 21, 23, 34, 35, 36, 37, 38};
    const std::set<int> eatable = {4, 10, 20, 26}, pushable = {5, 18, 21}, ports = range(27, 33);
    const std::set<int> sliding = {5, 7, 10, 12}, roll_off = {5, 9, 10};

    struct Row { const char* name; std::set<int> actual, expected; };
    const Row rows[] = {
        {"is_deadly", types_with_entry(is_deadly_table), {25, 26, 34, 35, 36, 37}},
        {"is_pellik", types_with_entry(is_pellik_table), {2, 38}},
        {"can_be_eaten", types_with_entry(IEatable::can_be_eaten_table), eatable},
        {"eat_in_place", types_with_entry(IEatable::eat_in_place_table), eatable},
        {"do_over_eat", types_with_entry(IEatable::do_over_eat_table), eatable},
        {"can_explode", types_with_entry(Explodeable::can_explode_table), explodable},
        {"do_explode_normal", types_with_entry(Explodeable::do_explode_normal_table), explode_now},
        {"do_explode_quarkel", types_with_entry(Explodeable::do_explode_quarkel_table), explode_now},
        {"delayed_normal", types_with_entry(Explodeable::do_explode_delayed_normal_table), explodable},
        {"delayed_quarkel", types_with_entry(Explodeable::do_explode_delayed_quarkel_table), explodable},
        {"hit_by_grobble", types_with_entry(Explodeable::is_hit_by_falling_grobble_table),
         {2, 19, 21, 23, 34, 35, 36, 37, 38}},
        {"hit_by_quarkel", types_with_entry(Explodeable::is_hit_by_falling_quarkel_table), explode_now},
        {"can_pass", types_with_entry(Port::can_pass_table), ports},
        {"on_pass", types_with_entry(Port::on_pass_table), ports},
        {"is_pushable", types_with_entry(IPushing::is_pushable_table), pushable},
        {"wanna_push", types_with_entry(IPushing::wanna_push_table), pushable},
        {"dont_wanna_push", types_with_entry(IPushing::dont_wanna_push_table), pushable},
        {"do_pushing", types_with_entry(IPushing::do_pushing_table), pushable},
        {"sliding_left", types_with_entry(sliding_left_test_table), sliding},
        {"sliding_right", types_with_entry(sliding_right_test_table), sliding},
        {"rolls_off_left", types_with_entry(rolls_off_left_table), roll_off},
        {"rolls_off_right", types_with_entry(rolls_off_right_table), roll_off},
        {"can_use", types_with_entry(can_use_table), {16, 17}},
        {"use", types_with_entry(use_table), {16, 17}},
    };
    for (const Row& r : rows) EXPECT_EQ(r.actual, r.expected) << r.name;

    std::set<int> port_bits;
    for (int i = 0; i < KV_TABLE_SIZE; ++i)
        if (Port::is_port_bits.test(size_t(i))) port_bits.insert(i);
    EXPECT_EQ(port_bits, ports);
}

TEST(InterfaceTables, TypeWithoutEntriesTakesNoPart) {
    TestField f = FieldFromText({"#"});
    const KV_ObjectContext c = context_at(f.level.get(), 3, 0, 0);
    EXPECT_FALSE(is_deadly_to_pellik(c));
    EXPECT_FALSE(IEatable::can_be_eaten(c, DIR_LEFT));
    EXPECT_FALSE(IPushing::is_pushable(c, DIR_LEFT));
    EXPECT_FALSE(Port::can_pass(c, DIR_LEFT));
    EXPECT_FALSE(can_use(c));
    EXPECT_FALSE(can_explode(c, 3));
    // Do entries of an absent type do nothing.
    use(c);
    Port::on_pass(c);
    do_explode_quarkel(c, 3);
    EXPECT_TRUE(f.at(KV_LAYER_FIXTURES, 0, 0).is(T::Hardware));
}

// One cell placed on the middle of a 3x3 field of empty cells, then the shared tests asked.
struct CellCase {
    const char* name;
    int layer;
    T type;
    uint32_t u32_0, u32_4;
    bool deadly, pellik_enters, push_enters;
};

class SharedCellTests : public ::testing::TestWithParam<CellCase> {};

constexpr uint32_t kPlain = uint32_t(KV_ExplosionState::Plain);
constexpr uint32_t kDelayedNormal = uint32_t(KV_ExplosionState::Delayed_Normal);
constexpr uint32_t kPlainQuarkel = uint32_t(KV_ExplosionState::Plain_Quarkel);
constexpr uint32_t kLeftBehind = KV_Logic::Disk_Orange_Fall_Temp::Left_Behind;

TEST_P(SharedCellTests, Answer) {
    const CellCase& c = GetParam();
    TestField f = FieldFromText({"   ", "   ", "   "});
    put_cell(*f.level, c.layer, 1, 1, c.type);
    f.at(c.layer, 1, 1).set_u32(0, c.u32_0);
    f.at(c.layer, 1, 1).set_u32(4, c.u32_4);
    KV_Level* l = f.level.get();
    EXPECT_EQ(KV_Logic::is_deadly_cell(l, 1, 1), c.deadly);
    EXPECT_EQ(KV_Logic::Pellik::can_enter_cell(l, 1, 1), c.pellik_enters);
    EXPECT_EQ(KV_Logic::can_push_into_cell(l, 1, 1), c.push_enters);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, SharedCellTests,
    ::testing::Values(
        CellCase{"empty", 1, T::Empty, 0, 0, false, true, true},
        CellCase{"hardware", 3, T::Hardware, 0, 0, false, false, false},
        CellCase{"base", 1, T::Base, uint32_t(KV_BaseState::Lying), 0, false, false, false},
        CellCase{"explosion_fresh", 3, T::Explosion, kPlain, 0, true, false, false},
        CellCase{"explosion_30", 3, T::Explosion, kPlain, 30, true, false, false},
        CellCase{"explosion_31", 3, T::Explosion, kPlain, 31, false, true, false},
        CellCase{"explosion_63", 3, T::Explosion, kDelayedNormal, 63, false, true, true},
        CellCase{"explosion_quarkel_late", 3, T::Explosion, kPlainQuarkel, 100, true, false, false},
        CellCase{"bug_idle", 1, T::Bug, uint32_t(KV_BugState::Quiet), 0, false, false, false},
        CellCase{"bug_sparking", 1, T::Bug, uint32_t(KV_BugState::Sparking), 0, true, false, false},
        CellCase{"gnarrow", 2, T::Gnarrow, uint32_t(KV_EnemyState::Start), 0, true, false, false},
        CellCase{"electron_temp_no_owner", 2, T::Electron_Temp, DIR_RIGHT, 0, true, false, false},
        CellCase{"orange_fall_temp_17", 1, T::Disk_Orange_Fall_Temp, kLeftBehind, 17, false, true, true},
        CellCase{"orange_fall_temp_16", 1, T::Disk_Orange_Fall_Temp, kLeftBehind, 16, false, false, false},
        CellCase{"grobble_fall_temp_alone", 1, T::Grobble_Fall_Temp, 1, 0, false, false, false},
        CellCase{"empty_but_solid_layer0", 0, T::Hardware, 0, 0, false, false, false}),
    [](const ::testing::TestParamInfo<CellCase>& i) { return std::string(i.param.name); });

TEST(SharedCellTestsOnMotion, EnemyTempOpensOnlyOnTheLastTickOfAStepAway) {
    // An Electron at (2,1) moving right has left its temp at (1,1).
    for (int counter : {14, 15}) {
        for (KV_EnemyDirection dir : {KV_EnemyDirection::Right, KV_EnemyDirection::Left}) {  // away, towards
            TestField f = FieldFromText({"   ", "   ", "   "});
            put_cell(*f.level, KV_LAYER_MOVERS, 1, 1, T::Electron_Temp);
            KV_Logic::KV_EnemyTempView{f.at(KV_LAYER_MOVERS, 1, 1)}.set_went(DIR_RIGHT);
            put_cell(*f.level, KV_LAYER_MOVERS, 2, 1, T::Electron);
            KV_Logic::KV_EnemyView e{f.at(KV_LAYER_MOVERS, 2, 1)};
            e.set_state(KV_EnemyState::Moving);
            f.at(KV_LAYER_MOVERS, 2, 1).set_w1(uint16_t(counter));
            e.set_direction(dir);
            EXPECT_EQ(KV_Logic::Pellik::can_enter_cell(f.level.get(), 1, 1),
                      counter == 15 && dir == KV_EnemyDirection::Right)
                << "counter " << counter << " dir " << int(dir);
        }
    }
}

TEST(SharedCellTestsOnMotion, FallerTempOpensWhenItsFallerIsAboutToLand) {
    for (T faller : {T::Grobble, T::Quarkel}) {
        for (uint16_t step : {12, 13}) {
            TestField f = FieldFromText({"   ", "   ", "   "});
            put_cell(*f.level, KV_LAYER_ITEMS, 1, 0, faller == T::Grobble ? T::Grobble_Fall_Temp : T::Quarkel_Fall_Temp);
            KV_Logic::FallerTempState{f.at(KV_LAYER_ITEMS, 1, 0)}.set_state(KV_FallTempState::Left_Behind);
            put_cell(*f.level, KV_LAYER_ITEMS, 1, 1, faller);
            KV_Logic::FallerState below{f.at(KV_LAYER_ITEMS, 1, 1)};
            below.set_state(faller == T::Grobble ? uint16_t(KV_GrobbleState::Falling) : uint16_t(KV_QuarkelState::Falling));
            below.set_counter(step);
            EXPECT_EQ(KV_Logic::Pellik::can_enter_cell(f.level.get(), 1, 0), step == 13);
            EXPECT_FALSE(KV_Logic::can_push_into_cell(f.level.get(), 1, 0));
        }
    }
}

TEST(SharedCellTestsOnMotion, ExplosionOverSolidObjectIsNotDeadly) {
    TestField f = FieldFromText({"   ", " O ", "   "});
    put_cell(*f.level, KV_LAYER_FIXTURES, 1, 1, T::Explosion);
    EXPECT_FALSE(KV_Logic::is_deadly_cell(f.level.get(), 1, 1));
}

TEST(DangerEntries, PellikIsThePlayerOnlyWhenNotOnAPortOrBusy) {
    using S = KV_PellikState;
    struct Case { S state; bool on_port; bool expected; };
    for (Case c : {Case{S::Ready, false, true}, Case{S::Moving, false, true}, Case{S::Leaning, false, true},
                   Case{S::Pushing, false, false}, Case{S::In_Port, false, false}, Case{S::Settling, false, false},
                   Case{S::Ready, true, false}}) {
        TestField f = FieldFromText({" P "});
        KV_Logic::Pellik::View{f.at(KV_LAYER_MOVERS, 1, 0)}.set_state(c.state);
        if (c.on_port) put_cell(*f.level, KV_LAYER_FIXTURES, 1, 0, T::Port_Cross);
        EXPECT_EQ(KV_Logic::touches_pellik(f.level.get(), 1, 0), c.expected) << int(c.state);
    }
    TestField s = FieldFromText({"S"});
    EXPECT_TRUE(KV_Logic::touches_pellik(s.level.get(), 0, 0));
}

TEST(UseEntries, ExitNeedsQuotaAndTerminalWorksOnce) {
    TestField f = FieldFromText({"ET"});
    f.status().set_quarkels_needed(1);
    const KV_ObjectContext exit = context_at(f.level.get(), 1, 0, 0);
    const KV_ObjectContext term = context_at(f.level.get(), 1, 1, 0);
    EXPECT_FALSE(can_use(exit));
    f.status().inc_quarkels();
    EXPECT_TRUE(can_use(exit));
    use(exit);
    EXPECT_EQ(f.status().get_state(), GS_EXIT_REACHED);
    EXPECT_EQ(f.sound(SE_EXIT), 1);
    EXPECT_TRUE(can_use(term));
    use(term);
    EXPECT_EQ(f.sound(SE_TERMINAL), 1);
    EXPECT_FALSE(can_use(term));
}

TEST(RollOffAndSliding, Entries) {
    TestField f = FieldFromText({"  O q R ", "        "});
    KV_Level* l = f.level.get();
    EXPECT_TRUE(rolls_off_left(context_at(l, KV_LAYER_ITEMS, 2, 0)));
    EXPECT_TRUE(rolls_off_right(context_at(l, KV_LAYER_ITEMS, 6, 0)));
    KV_Logic::FallerState grobble{f.at(KV_LAYER_ITEMS, 2, 0)};
    grobble.set_state(KV_GrobbleState::Falling);  // a falling Grobble is not round enough
    EXPECT_FALSE(rolls_off_left(context_at(l, KV_LAYER_ITEMS, 2, 0)));

    // A Quarkel sliding right, early in its slide, lets a roll to the left start over it.
    KV_Logic::FallerState quarkel{f.at(KV_LAYER_ITEMS, 4, 0)};
    quarkel.set_state(KV_QuarkelState::Sliding_Right);
    quarkel.set_slide_phase(KV_SlidePhase::Sliding);
    EXPECT_TRUE(sliding_left_test(context_at(l, KV_LAYER_ITEMS, 4, 0)));
    EXPECT_FALSE(sliding_right_test(context_at(l, KV_LAYER_ITEMS, 4, 0)));
    quarkel.set_slide_phase(KV_SlidePhase::Sliding_Down);
    EXPECT_FALSE(sliding_left_test(context_at(l, KV_LAYER_ITEMS, 4, 0)));

    // A Grobble slide temp at (3,0) whose Grobble rolled left to (2,0) and slides down there.
    put_cell(*l, KV_LAYER_ITEMS, 3, 0, T::Grobble_Slide_Temp);
    KV_Logic::FallerTempState{f.at(KV_LAYER_ITEMS, 3, 0)}.set_state(KV_SlideTempState::Rolled_Left);
    grobble.set_state(KV_GrobbleState::Sliding_Left);
    grobble.set_slide_phase(KV_SlidePhase::Sliding_Down);
    EXPECT_TRUE(sliding_left_test(context_at(l, KV_LAYER_ITEMS, 3, 0)));
    EXPECT_FALSE(sliding_right_test(context_at(l, KV_LAYER_ITEMS, 3, 0)));
}

}  // namespace
