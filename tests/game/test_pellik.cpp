// Pellik on small fields: walking, turning, gravity, eating, red disks, using
// exits and terminals, ports, dangers and the fatal texts of corrupt cells.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/objects/interfaces.h"
#include "game/objects/pellik.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {

using T = KV_ObjectType;
using S = KV_PellikState;
using KV_Logic::Pellik::View;

constexpr int32_t L = DIR_LEFT, U = DIR_UP, R = DIR_RIGHT, D = DIR_DOWN, F = KEY_FIRE;

struct Delta {
    int dx, dy;
};
Delta delta_of(int32_t key) {
    switch (key) {
        case L: return {-1, 0};
        case U: return {0, -1};
        case R: return {1, 0};
        default: return {0, 1};
    }
}

View pellik(TestField& f) { return View{f.at(KV_LAYER_MOVERS, f.level->get_player_x(), f.level->get_player_y())}; }
int px(TestField& f) { return f.level->get_player_x(); }
int py(TestField& f) { return f.level->get_player_y(); }

bool same_cell(const KV_Cell& a, const KV_Cell& b) {
    if (a.type != b.type || a.flags != b.flags) return false;
    for (int i = 0; i < 8; ++i)
        if (a.state[i] != b.state[i]) return false;
    return true;
}

// ---- walking ----

class PellikWalk : public ::testing::TestWithParam<int32_t> {};

TEST_P(PellikWalk, OneCellEverySixteenTicksWithoutPause) {
    const int32_t key = GetParam();
    const Delta d = delta_of(key);
    auto rows = room(7);
    rows[3][3] = 'P';
    TestField f = FieldFromText(rows);

    f.tick(key);
    // The target is taken at once; the old cell is held by the move temp.
    ASSERT_EQ(px(f), 3 + d.dx);
    ASSERT_EQ(py(f), 3 + d.dy);
    EXPECT_EQ(pellik(f).state(), S::Moving);
    EXPECT_EQ(pellik(f).counter(), 0);
    EXPECT_EQ(pellik(f).direction(), key);
    ASSERT_EQ(f.type_at(2, 3, 3), T::Pellik_Move_Temp);
    EXPECT_EQ(KV_Logic::Pellik::MoveTempView{f.at(KV_LAYER_MOVERS, 3, 3)}.move(), key);
    EXPECT_EQ(f.status().get_moves(), 1);

    for (int t = 2; t <= 15; ++t) {
        f.tick(key);
        ASSERT_EQ(f.type_at(2, 3, 3), T::Pellik_Move_Temp) << "tick " << t;
        ASSERT_EQ(pellik(f).counter(), t - 1);
        ASSERT_TRUE(same_cell(*f.level->get_player_cell(), f.at(KV_LAYER_MOVERS, px(f), py(f)))) << "mirror, tick " << t;
    }
    f.tick(key);  // 16: the cell left behind is free again
    EXPECT_EQ(f.type_at(2, 3, 3), T::Empty);
    EXPECT_EQ(px(f), 3 + d.dx);

    f.tick(key);  // 17: the step ends and the next starts in the same tick
    EXPECT_EQ(px(f), 3 + 2 * d.dx);
    EXPECT_EQ(py(f), 3 + 2 * d.dy);
    EXPECT_EQ(pellik(f).state(), S::Moving);
    EXPECT_EQ(f.status().get_moves(), 2);

    f.run_ticks(16, key);  // 33: the wall ahead stops it
    EXPECT_EQ(px(f), 3 + 2 * d.dx);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(pellik(f).pose(), KV_Logic::Pellik::step_of(uint8_t(key))->move_pose);
    EXPECT_EQ(f.status().get_moves(), 2);
    EXPECT_TRUE(same_cell(*f.level->get_player_cell(), f.at(KV_LAYER_MOVERS, px(f), py(f))));
}

INSTANTIATE_TEST_SUITE_P(EachDirection, PellikWalk, ::testing::Values(L, U, R, D));

TEST(PellikIdle, StopsWhenReleasedAndTakesTheIdlePoseTwoTicksLater) {
    TestField f = FieldFromText({"######", "#P   #", "######"});
    f.tick(R);
    f.run_ticks(16);  // 17: arrived, nothing held
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(pellik(f).pose(), 3);
    EXPECT_EQ(pellik(f).direction(), R);
    f.tick();  // 18
    EXPECT_EQ(pellik(f).pose(), 3);
    EXPECT_EQ(pellik(f).counter(), 2);
    f.tick();  // 19
    EXPECT_EQ(pellik(f).pose(), POSE_IDLE);
    EXPECT_EQ(pellik(f).counter(), 2);
    f.run_ticks(20);
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(f.status().get_moves(), 1);
}

TEST(PellikIdle, AWallAheadClearsTheKey) {
    TestField f = FieldFromText({"####", "#P #", "####"});
    f.run_ticks(10, U);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(pellik(f).direction(), 0);
    EXPECT_EQ(f.status().get_moves(), 0);
}

// ---- choose_direction ----

struct TurnCase {
    int32_t first;  // the step that sets the last direction
    int32_t held;   // the keys held when it ends
    int32_t expected;
};

class PellikTurn : public ::testing::TestWithParam<TurnCase> {};

TEST_P(PellikTurn, PrefersATurnWhenTwoKeysAreHeld) {
    const TurnCase c = GetParam();
    auto rows = room(7);
    rows[3][3] = 'P';
    TestField f = FieldFromText(rows);
    f.run_ticks(16, c.first);
    const Delta d1 = delta_of(c.first), d2 = delta_of(c.expected);
    f.tick(c.held);
    EXPECT_EQ(pellik(f).direction(), c.expected);
    EXPECT_EQ(pellik(f).state(), S::Moving);
    EXPECT_EQ(px(f), 3 + d1.dx + d2.dx);
    EXPECT_EQ(py(f), 3 + d1.dy + d2.dy);
}

INSTANTIATE_TEST_SUITE_P(Cases, PellikTurn,
                         ::testing::Values(TurnCase{L, L | R, R}, TurnCase{L, U | L, U}, TurnCase{R, L | R, L},
                                           TurnCase{U, L | R, L}, TurnCase{D, U | D, U}, TurnCase{U, U | D, D},
                                           TurnCase{R, U | D, U}, TurnCase{D, D | R, R}, TurnCase{U, U | R, R}));

// ---- gravity ----

struct GravityCase {
    const char* name;
    std::vector<std::string> rows;
    int32_t keys;
    int expect_x, expect_y;  // where the first step leads
};

class PellikGravity : public ::testing::TestWithParam<GravityCase> {};

TEST_P(PellikGravity, FallsUnlessItStepsOntoSomethingItEats) {
    const GravityCase& c = GetParam();
    TestField f = FieldFromText(c.rows);
    f.status().set_gravity();
    f.tick(c.keys);
    EXPECT_EQ(px(f), c.expect_x) << c.name;
    EXPECT_EQ(py(f), c.expect_y) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PellikGravity,
    ::testing::Values(
        GravityCase{"nothing held: falls", {"#####", "# P #", "#   #", "#####"}, 0, 2, 2},
        GravityCase{"left onto empty while hanging: falls instead", {"#####", "# P #", "#   #", "#####"}, L, 2, 2},
        GravityCase{"up while hanging: falls instead", {"#####", "#   #", "# P #", "#   #", "#####"}, U, 2, 3},
        GravityCase{"left onto a Base while hanging", {"#####", "#.P #", "#   #", "#####"}, L, 1, 1},
        GravityCase{"left on a floor", {"#####", "# P #", "#####"}, L, 1, 1},
        GravityCase{"under an upward port: no fall", {"#####", "# ^ #", "# P #", "#   #", "#####"}, 0, 2, 2},
        GravityCase{"under a cross port: no fall", {"#####", "# + #", "# P #", "#   #", "#####"}, 0, 2, 2},
        GravityCase{"fire alone still falls", {"#####", "# P #", "#   #", "#####"}, F, 2, 2}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(PellikGravity, AHoldOfTwoKeepsItFromFalling) {
    TestField f = FieldFromText({"#####", "# P #", "# . #", "#   #", "#####"});
    f.status().set_gravity();
    f.status().inc_red_disks();
    f.run_ticks(5, F);
    EXPECT_EQ(pellik(f).hold(), 5);
    put_cell(*f.level, KV_LAYER_ITEMS, 2, 2, T::Empty);  // the floor goes while fire is held
    f.run_ticks(10, F);
    EXPECT_EQ(py(f), 1);
    EXPECT_EQ(pellik(f).hold(), 15);
}

// ---- eating ----

TEST(PellikEat, WalkingOverABase) {
    TestField f = FieldFromText({"#####", "#P. #", "#####"});
    f.tick(R);
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(pellik(f).state(), S::Over_Eating);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 4);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_w1(), 2) << "eat direction: from the left";
    for (int t = 2; t <= 16; ++t) {
        f.tick();
        ASSERT_EQ(f.type_at(1, 2, 1), T::Base) << "tick " << t;
        ASSERT_EQ(f.sound(SE_BASE_EATEN), 0);
    }
    EXPECT_EQ(f.type_at(2, 1, 1), T::Empty) << "the move temp goes at 15";
    f.tick();  // 17
    EXPECT_EQ(f.sound(SE_BASE_EATEN), 1);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(pellik(f).pose(), 11);
    EXPECT_EQ(f.status().get_moves(), 1);
}

TEST(PellikEat, InPlaceWithFireHeld) {
    TestField f = FieldFromText({"#####", "#P. #", "#####"});
    f.tick(R | F);
    EXPECT_EQ(f.sound(SE_ZAP), 1);
    EXPECT_EQ(pellik(f).state(), S::Eating_In_Place);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 2);
    for (int t = 2; t <= 17; ++t) {
        f.tick(R | F);
        ASSERT_EQ(px(f), 1) << "tick " << t;
        ASSERT_EQ(f.sound(SE_BASE_EATEN), 0);
        ASSERT_EQ(f.sound(SE_ZAP), 0);
        ASSERT_EQ(f.type_at(1, 2, 1), t < 17 ? T::Base : T::Empty) << "tick " << t;
    }
    // Ready again at 17; the cell ahead is empty and fire still holds it back.
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(pellik(f).direction(), R);
    EXPECT_EQ(f.status().get_moves(), 1);
    f.run_ticks(5, R | F);
    EXPECT_EQ(px(f), 1);
    f.tick(R);
    EXPECT_EQ(px(f), 2);
}

// ---- red disks ----

TEST(PellikRedDisk, CollectedThenLaidAfterTheHoldThenBlasts) {
    TestField f = FieldFromText({"#########", "#Pr     #", "#########"});
    f.tick(R);
    f.tick();
    EXPECT_EQ(f.status().get_red_disks(), 1) << "counted on the first tick of eating";
    f.run_ticks(14);
    EXPECT_EQ(f.sound(SE_EAT), 0);
    f.tick();  // 17
    EXPECT_EQ(f.sound(SE_EAT), 1);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    EXPECT_EQ(f.status().get_moves(), 1);

    f.run_ticks(131, F);
    EXPECT_EQ(pellik(f).hold(), 131);
    EXPECT_EQ(f.type_at(3, 2, 1), T::Empty);
    f.tick(F);  // the 132nd tick of the hold
    EXPECT_EQ(f.type_at(3, 2, 1), T::Disk_Red);
    EXPECT_EQ(f.at(KV_LAYER_FIXTURES, 2, 1).get_state(), 8);
    EXPECT_FALSE(f.at(KV_LAYER_FIXTURES, 2, 1).has(CF_STATIC));
    EXPECT_EQ(f.sound(SE_SWITCH), 1);
    EXPECT_EQ(f.status().get_red_disks(), 0);
    EXPECT_EQ(pellik(f).hold(), 0);
    EXPECT_EQ(f.status().get_moves(), 2) << "laying with fire alone counts a move";

    f.run_ticks(79, R);  // walk away; the fuse burns 80 ticks
    EXPECT_GE(px(f), 6);
    EXPECT_EQ(f.type_at(3, 2, 1), T::Disk_Red);
    f.tick(R);
    EXPECT_EQ(f.type_at(3, 2, 1), T::Explosion);
    EXPECT_EQ(f.type_at(3, 3, 1), T::Explosion);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    EXPECT_EQ(f.status().get_state(), GS_RUNNING);
}

TEST(PellikRedDisk, LaidWhileFacingAFreeCellCountsNoMove) {
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    f.status().inc_red_disks();
    f.run_ticks(131, R | F);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Empty);
    EXPECT_EQ(pellik(f).direction(), R);
    f.tick(R | F);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Disk_Red);
    EXPECT_EQ(px(f), 1);
    EXPECT_EQ(f.status().get_moves(), 0);
}

TEST(PellikRedDisk, NothingIsLaidWithoutADisk) {
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    f.run_ticks(200, F);
    EXPECT_EQ(pellik(f).hold(), 0);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Empty);
    EXPECT_EQ(f.sound(SE_SWITCH), 0);
}

TEST(PellikRedDisk, ReleasingFireStartsTheHoldAgain) {
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    f.status().inc_red_disks();
    f.run_ticks(100, F);
    f.tick();
    EXPECT_EQ(pellik(f).hold(), 0);
    f.run_ticks(131, F);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Empty);
    f.tick(F);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Disk_Red);
}

TEST(PellikRedDisk, AHoldDoesNotTravelIntoAStep) {
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    f.status().inc_red_disks();
    f.run_ticks(100, F);
    ASSERT_EQ(pellik(f).hold(), 100);
    f.tick(R);
    ASSERT_EQ(px(f), 2);
    EXPECT_EQ(pellik(f).hold(), 0) << "the moving cell is Pellik's own cell";
    EXPECT_EQ(View{*f.level->get_player_cell()}.hold(), 0);
}

// ---- use: exit and terminal ----

TEST(PellikUse, CollectingTheQuotaOpensTheExitAndUsingItWins) {
    TestField f = FieldFromText({"#######", "#PqqE #", "#######"});
    f.status().set_quarkels_needed(2);
    f.tick(R);
    f.run_ticks(16, R);  // 17: the first Quarkel is gone, the second is being eaten
    EXPECT_EQ(f.status().get_quarkels(), 1);
    EXPECT_EQ(f.sound(SE_DATAPOD), 1);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 4, 1).get_state(), 1) << "still closed";
    f.tick(R);  // 18: the second counts and the exit opens in the same tick
    EXPECT_EQ(f.status().get_quarkels(), 2);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 4, 1).get_state(), 2);
    EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 4, 1).has(CF_STATIC));
    f.run_ticks(15, R);  // 33: ready beside the exit, and it uses it at once
    EXPECT_EQ(px(f), 3);
    EXPECT_EQ(f.sound(SE_EXIT), 1);
    EXPECT_EQ(f.status().get_state(), GS_EXIT_REACHED);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(f.status().get_moves(), 3);
}

TEST(PellikUse, AClosedExitIsAWall) {
    TestField f = FieldFromText({"#####", "#PE #", "#####"});
    f.status().set_quarkels_needed(1);
    f.run_ticks(20, R);
    EXPECT_EQ(px(f), 1);
    EXPECT_EQ(f.status().get_state(), GS_RUNNING);
    EXPECT_EQ(f.status().get_moves(), 0);
}

TEST(PellikUse, TheTerminalArmsTheYellowDisksOnce) {
    TestField f = FieldFromText({"########", "#PT   y#", "########"});
    f.tick(R);
    EXPECT_EQ(f.sound(SE_TERMINAL), 1);
    EXPECT_TRUE(f.status().get_terminal_used());
    EXPECT_TRUE(f.status().get_yellow_armed());
    EXPECT_EQ(f.type_at(1, 6, 1), T::Disk_Yellow);
    EXPECT_EQ(px(f), 1);
    EXPECT_EQ(f.status().get_moves(), 1);
    f.tick(R);  // armed disks at rest blast in the next tick; a used terminal is a wall
    EXPECT_EQ(f.type_at(1, 6, 1), T::Empty);
    EXPECT_EQ(f.type_at(3, 6, 1), T::Explosion);
    EXPECT_EQ(f.sound(SE_TERMINAL), 0);
    f.run_ticks(20, R);
    EXPECT_EQ(f.status().get_moves(), 1);
    EXPECT_EQ(px(f), 1);
}

// ---- ports ----

struct PortCase {
    char port;
    int32_t key;
    bool passes;
};

class PellikPort : public ::testing::TestWithParam<PortCase> {};

TEST_P(PellikPort, PassesOnlyTheWaysTheKindAllows) {
    const PortCase c = GetParam();
    const Delta d = delta_of(c.key);
    auto rows = room(5);
    rows[2][2] = c.port;
    rows[size_t(2 - d.dy)][size_t(2 - d.dx)] = 'P';
    TestField f = FieldFromText(rows);
    f.tick(c.key);
    if (!c.passes) {
        f.run_ticks(20, c.key);
        EXPECT_EQ(px(f), 2 - d.dx);
        EXPECT_EQ(py(f), 2 - d.dy);
        EXPECT_EQ(f.status().get_moves(), 0);
        return;
    }
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(py(f), 2);
    f.run_ticks(15);  // 16
    EXPECT_EQ(px(f), 2);
    f.tick();  // 17: the step into the port ends and it is carried on at once
    EXPECT_EQ(px(f), 2 + d.dx);
    EXPECT_EQ(py(f), 2 + d.dy);
    EXPECT_EQ(pellik(f).state(), S::Moving);
    EXPECT_EQ(f.type_at(2, 2, 2), T::Pellik_Move_Temp);
    f.run_ticks(16);  // 33
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(f.type_at(2, 2, 2), T::Empty);
    EXPECT_EQ(f.status().get_moves(), 1) << "a port is one move";
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, PellikPort,
    ::testing::Values(PortCase{'>', R, true}, PortCase{'>', L, false}, PortCase{'<', L, true},
                      PortCase{'<', R, false}, PortCase{'v', D, true}, PortCase{'v', U, false},
                      PortCase{'^', U, true}, PortCase{'^', D, false}, PortCase{'-', L, true},
                      PortCase{'-', R, true}, PortCase{'-', U, false}, PortCase{'|', U, true},
                      PortCase{'|', D, true}, PortCase{'|', L, false}, PortCase{'+', L, true},
                      PortCase{'+', U, true}, PortCase{'+', R, true}, PortCase{'+', D, true}));

TEST(PellikPort, WaitsInThePortUntilTheWayOutIsFree) {
    TestField f = FieldFromText({"######", "#P>. #", "######"});
    put_cell(*f.level, KV_LAYER_ITEMS, 3, 1, T::RAM);  // a wall beyond the port, removed later
    f.tick(R);
    EXPECT_EQ(px(f), 1) << "a port whose far side is blocked cannot be entered";
    put_cell(*f.level, KV_LAYER_ITEMS, 3, 1, T::Empty);
    f.tick(R);
    ASSERT_EQ(px(f), 2);
    put_cell(*f.level, KV_LAYER_ITEMS, 3, 1, T::RAM);
    f.run_ticks(30);
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(pellik(f).state(), S::In_Port);
    put_cell(*f.level, KV_LAYER_ITEMS, 3, 1, T::Empty);
    f.tick();
    EXPECT_EQ(px(f), 3);
    EXPECT_EQ(pellik(f).state(), S::Moving);
}

struct SwitchCase {
    char port;
    uint32_t switches;
    bool before_gravity, before_freeze_grobbles, before_freeze_enemies;
    bool gravity, freeze_grobbles, freeze_enemies;
};

class PellikSpecialPort : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(PellikSpecialPort, SetsTheSwitchesWhenItIsLeft) {
    const SwitchCase c = GetParam();
    // '<' is entered from the right, every other kind from the left.
    const bool from_right = c.port == '<';
    const std::string middle = from_right ? std::string("# ") + c.port + "P#" : std::string("#P") + c.port + " #";
    TestField f = FieldFromText({"#####", middle, "#####"});
    KV_Cell& port = f.at(KV_LAYER_FIXTURES, 2, 1);
    port.set_state(1);  // special
    port.set_u32(4, c.switches);
    KV_LevelStatus& st = f.status();
    if (c.before_gravity) st.set_gravity();
    if (c.before_freeze_grobbles) st.set_freeze_grobbles();
    if (c.before_freeze_enemies) st.set_freeze_enemies();
    f.tick(from_right ? L : R);
    f.run_ticks(15);
    EXPECT_EQ(st.get_gravity(), c.before_gravity) << "unchanged while inside";
    EXPECT_EQ(st.get_freeze_grobbles(), c.before_freeze_grobbles);
    f.tick();  // 17: leaves the port
    EXPECT_EQ(st.get_gravity(), c.gravity);
    EXPECT_EQ(st.get_freeze_grobbles(), c.freeze_grobbles);
    EXPECT_EQ(st.get_freeze_enemies(), c.freeze_enemies);
    EXPECT_EQ(px(f), from_right ? 1 : 3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PellikSpecialPort,
    ::testing::Values(SwitchCase{'>', 1, false, true, true, true, false, false},
                      SwitchCase{'>', 6, true, false, false, false, true, true},
                      SwitchCase{'<', 7, false, false, false, true, true, true},
                      SwitchCase{'<', 0, true, true, true, false, false, false},
                      SwitchCase{'+', 7, false, false, false, false, false, false},
                      SwitchCase{'-', 0, true, true, true, true, true, true}));

// ---- dangers ----

TEST(PellikDanger, WalkingIntoASparkingBugBlowsPellikUp) {
    TestField f = FieldFromText({"#####", "#PB #", "#####"});
    // A fresh cell sits out the first process pass; then its countdown of 0 ends at once.
    f.run_ticks(2);
    ASSERT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 8);
    f.tick(R);
    EXPECT_EQ(f.status().get_state(), GS_PLAYER_DESTROYED);
    EXPECT_FALSE(f.level->get_has_player());
    EXPECT_EQ(f.type_at(2, 1, 1), T::Empty);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Explosion);
    EXPECT_EQ(f.status().get_moves(), 1);
}

TEST(PellikDanger, EatingASparkingBugInPlaceBlowsPellikUp) {
    TestField f = FieldFromText({"#####", "#PB #", "#####"});
    f.run_ticks(2);
    f.tick(R | F);
    EXPECT_EQ(f.status().get_state(), GS_PLAYER_DESTROYED);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
}

TEST(PellikDanger, AQuietBugIsEatenLikeABase) {
    TestField f = FieldFromText({"#####", "#PB #", "#####"});
    f.at(KV_LAYER_ITEMS, 2, 1).set_u16(4, 200);  // a long countdown
    f.tick(R);
    EXPECT_EQ(px(f), 2);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 4);
    f.run_ticks(15);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Bug);
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    EXPECT_EQ(f.sound(SE_BASE_EATEN), 1);
    EXPECT_EQ(f.status().get_state(), GS_RUNNING);
}

// ---- corrupt cells ----

struct FatalCase {
    const char* expected;
    uint16_t state;
    uint8_t counter;
    uint8_t direction;
    bool time_critical;
};

class PellikFatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(PellikFatal, NamesTheOperation) {
    const FatalCase c = GetParam();
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    View p{f.at(KV_LAYER_MOVERS, 1, 1)};
    p.set_state(KV_PellikState(c.state));
    p.set_counter(c.counter);
    p.set_direction(c.direction);
    p.set_time_critical(c.time_critical);
    p.cell.flags &= ~uint32_t(CF_DONE);  // as if set in an earlier tick
    EXPECT_EQ(fatal_message([&] { f.tick(R); }), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PellikFatal,
    ::testing::Values(FatalCase{"KV_Logic::Pellik, time_critical unknown state", 3, 0, 0, true},
                      FatalCase{"KV_Logic::Pellik, process unknown state", 1, 0, 0, false},
                      FatalCase{"KV_Logic::Pellik, do_move unknown direction", 2, 14, 3, false},
                      FatalCase{"KV_Logic::Pellik, do_over_eat unknown direction", 4, 14, 0, false},
                      FatalCase{"KV_Logic::Pellik, do_move unknown direction", 4, 15, 0, false},
                      FatalCase{"KV_Logic::Pellik, do_pushing unknown direction", 16, 14, 0, false},
                      FatalCase{"KV_Logic::Pellik, do_wanna_push unknown direction", 32, 0, 0, true},
                      FatalCase{"KV_Logic::Pellik, do_in_port, no port under pellik", 64, 0, 4, true}));

TEST(PellikFatal, TryPortWithACorruptDirection) {
    TestField f = FieldFromText({"#####", "#P- #", "#####"});
    View{f.at(KV_LAYER_MOVERS, 1, 1)}.set_direction(3);
    const KV_ObjectContext ctx{1, 1, f.level.get(), &f.at(KV_LAYER_MOVERS, 1, 1)};
    EXPECT_EQ(fatal_message([&] { KV_Logic::Pellik::try_port(ctx, *KV_Logic::Pellik::step_of(DIR_RIGHT)); }),
              "KV_Logic::Pellik, try_port unknown direction");
}

TEST(PellikState, SettlingReturnsToReady) {
    TestField f = FieldFromText({"#####", "#P  #", "#####"});
    View{f.at(KV_LAYER_MOVERS, 1, 1)}.set_state(S::Settling);
    f.tick(R);
    EXPECT_EQ(pellik(f).state(), S::Ready);
    EXPECT_EQ(px(f), 1);
}

}  // namespace
