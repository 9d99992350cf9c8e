// Grobbles and Quarkels on small fields: falling, rolling, landing, crushing,
// being pushed (and the freeze switch), being collected, and the fatal texts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/objects/grobble_quarkel.h"
#include "game/objects/pellik.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {

using T = KV_ObjectType;
using G = KV_GrobbleState;
using KV_Logic::FallerState;

constexpr int32_t L = DIR_LEFT, U = DIR_UP, R = DIR_RIGHT, D = DIR_DOWN, F = KEY_FIRE;

FallerState faller(TestField& f, int x, int y) { return FallerState{f.at(KV_LAYER_ITEMS, x, y)}; }
uint16_t state_at(TestField& f, int x, int y) { return faller(f, x, y).state(); }
// The two states both objects share under the same numbers.
constexpr uint16_t kAtRest = uint16_t(KV_GrobbleState::At_Rest), kFalling = uint16_t(KV_GrobbleState::Falling);
static_assert(kAtRest == uint16_t(KV_QuarkelState::At_Rest) && kFalling == uint16_t(KV_QuarkelState::Falling),
              "shared faller states");

// ---- falling and landing ----

struct CrushCase {
    char faller;
    uint16_t landed_state;
    int sound_near;
};

class FallerCrush : public ::testing::TestWithParam<CrushCase> {};

TEST_P(FallerCrush, FallsOntoPellikAndBlowsItUp) {
    const CrushCase c = GetParam();
    TestField f = FieldFromText({"#####", std::string("# ") + c.faller + " #", "#   #", "# P #", "#####"});
    f.tick();
    EXPECT_EQ(state_at(f, 2, 1), c.faller == 'O' ? uint16_t(G::About_To_Fall) : uint16_t(KV_QuarkelState::About_To_Fall));
    f.tick();
    EXPECT_EQ(faller(f, 2, 1).counter(), 1) << "waits one tick over the free cell";
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    f.tick();  // 3: the lower cell is taken at once, a temp stays above
    EXPECT_EQ(f.type_at(1, 2, 2), c.faller == 'O' ? T::Grobble : T::Quarkel);
    EXPECT_EQ(state_at(f, 2, 2), kFalling);
    EXPECT_EQ(f.type_at(1, 2, 1), c.faller == 'O' ? T::Grobble_Fall_Temp : T::Quarkel_Fall_Temp);
    f.run_ticks(13);  // 16: counter 13
    EXPECT_NE(f.type_at(1, 2, 1), T::Empty);
    f.tick();  // 17: counter 14, the temp goes
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    f.tick();
    EXPECT_EQ(f.sound(c.sound_near), 0);
    f.tick();  // 19: the step ends on Pellik
    EXPECT_EQ(f.sound(c.sound_near), 1);
    EXPECT_EQ(state_at(f, 2, 2), c.landed_state);
    f.tick();
    EXPECT_EQ(f.status().get_state(), GS_RUNNING);
    f.tick();  // 21: two ticks of waiting, then the blast
    EXPECT_EQ(f.status().get_state(), GS_PLAYER_DESTROYED);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"#####", "#   #", "#***#", "#***#", "#####"}));
}

INSTANTIATE_TEST_SUITE_P(Kinds, FallerCrush,
                         ::testing::Values(CrushCase{'O', uint16_t(G::Landed), SE_FALL_NEAR},
                                           CrushCase{'q', uint16_t(KV_QuarkelState::Landed), SE_OBJECT_FALL_NEAR}));

TEST(FallerCrush, TheBlastComesEvenWhenTheHitObjectHasGone) {
    TestField f = FieldFromText({"#####", "# O #", "#   #", "# P #", "#####"});
    f.run_ticks(19);
    ASSERT_EQ(state_at(f, 2, 2), uint16_t(G::Landed));
    put_cell(*f.level, KV_LAYER_MOVERS, 2, 3, T::Empty);
    f.level->set_has_player(false);
    f.run_ticks(2);
    EXPECT_EQ(f.type_at(3, 2, 3), T::Explosion);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    EXPECT_EQ(f.sound(SE_EXPLOSION_FAR) + f.sound(SE_EXPLOSION_NEAR), 1);
}

TEST(FallerCrush, AGrobbleWaitsFifteenTicksOnAnOrangeDisk) {
    TestField f = FieldFromText({"#####", "# O #", "#   #", "# o #", "#####"});
    f.run_ticks(19);
    ASSERT_EQ(state_at(f, 2, 2), uint16_t(G::Landed));
    EXPECT_TRUE(faller(f, 2, 2).landed_on_orange());
    f.run_ticks(14);
    EXPECT_EQ(f.type_at(1, 2, 3), T::Disk_Orange);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble);
    f.tick();  // 15th tick of the wait
    EXPECT_EQ(f.type_at(1, 2, 3), T::Empty);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    EXPECT_EQ(f.type_at(3, 2, 3), T::Explosion);
}

TEST(FallerCrush, AQuarkelOnAnOrangeDiskWaitsOnlyTwo) {
    TestField f = FieldFromText({"#####", "# q #", "#   #", "# o #", "#####"});
    f.run_ticks(19);
    ASSERT_EQ(state_at(f, 2, 2), uint16_t(KV_QuarkelState::Landed));
    f.run_ticks(2);
    EXPECT_EQ(f.type_at(1, 2, 3), T::Empty);
    EXPECT_EQ(f.type_at(3, 2, 3), T::Explosion);
}

TEST(FallerFall, OneThatPellikWasUnderFallsAsSoonAsTheMoveTempGoes) {
    TestField f = FieldFromText({"######", "#  O #", "# P  #", "######"});
    f.tick(R);  // the Grobble sees a free cell, then Pellik steps under it
    EXPECT_EQ(state_at(f, 3, 1), uint16_t(G::About_To_Fall));
    f.tick(R);
    EXPECT_EQ(faller(f, 3, 1).counter(), 1) << "Pellik below counts as the wait done";
    f.run_ticks(29, R);  // 31: Pellik left at 17, its temp is still there
    EXPECT_EQ(f.type_at(2, 3, 2), T::Pellik_Move_Temp);
    EXPECT_EQ(f.type_at(1, 3, 1), T::Grobble);
    f.tick(R);  // 32: the temp goes and the Grobble falls in the same tick
    EXPECT_EQ(f.type_at(2, 3, 2), T::Empty);
    EXPECT_EQ(f.type_at(1, 3, 2), T::Grobble);
    EXPECT_EQ(state_at(f, 3, 2), kFalling);
}

TEST(FallerFall, OverAFreshlyEmptiedCellItWaitsOneTick) {
    TestField f = FieldFromText({"#####", "# O #", "#P. #", "#####"});
    f.tick(R | F);
    f.run_ticks(16, R | F);  // 17: the Base is gone
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    EXPECT_EQ(state_at(f, 2, 1), uint16_t(G::About_To_Fall));
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble);
    EXPECT_EQ(faller(f, 2, 1).counter(), 1);
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble);
}

TEST(FallerFall, KeepsFallingWithoutAPauseBetweenCells) {
    TestField f = FieldFromText({"#####", "# O #", "#   #", "#   #", "#   #", "#####"});
    f.run_ticks(3);
    ASSERT_EQ(f.type_at(1, 2, 2), T::Grobble);
    f.run_ticks(16);  // 19: the first step ends and the next begins
    EXPECT_EQ(f.type_at(1, 2, 3), T::Grobble);
    EXPECT_EQ(state_at(f, 2, 3), kFalling);
    EXPECT_EQ(f.sound(SE_FALL_NEAR) + f.sound(SE_FALL_FAR), 0) << "no landing sound in mid-air";
    f.run_ticks(32);
    EXPECT_EQ(f.type_at(1, 2, 4), T::Grobble);
    EXPECT_EQ(state_at(f, 2, 4), kAtRest);
}

// ---- rolling ----

struct RollCase {
    const char* name;
    std::vector<std::string> before, after;  // after 40 ticks
    int landing_near, landing_far;
};

class FallerRoll : public ::testing::TestWithParam<RollCase> {};

TEST_P(FallerRoll, RollsOffRoundThings) {
    const RollCase& c = GetParam();
    TestField f = FieldFromText(c.before);
    int landings = 0;
    for (int t = 0; t < 40; ++t) {
        f.tick();
        landings += f.sound(c.landing_near) + f.sound(c.landing_far);
    }
    EXPECT_EQ(field_picture(f), c.after) << c.name;
    EXPECT_EQ(landings, c.after == c.before ? 0 : 1) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FallerRoll,
    ::testing::Values(
        RollCase{"Grobble off Grobble", {"#####", "# O #", "# O #", "#####"}, {"#####", "#   #", "#OO #", "#####"},
                 SE_FALL_NEAR, SE_FALL_FAR},
        RollCase{"Grobble off RAM", {"#####", "# O #", "# R #", "#####"}, {"#####", "#   #", "#OR #", "#####"},
                 SE_FALL_NEAR, SE_FALL_FAR},
        RollCase{"Quarkel off Grobble", {"#####", "# q #", "# O #", "#####"}, {"#####", "#   #", "#qO #", "#####"},
                 SE_OBJECT_FALL_NEAR, SE_OBJECT_FALL_FAR},
        RollCase{"Grobble off Quarkel", {"#####", "# O #", "# q #", "#####"}, {"#####", "#   #", "#Oq #", "#####"},
                 SE_FALL_NEAR, SE_FALL_FAR},
        RollCase{"Quarkel off RAM", {"#####", "# q #", "# R #", "#####"}, {"#####", "#   #", "#qR #", "#####"},
                 SE_OBJECT_FALL_NEAR, SE_OBJECT_FALL_FAR},
        RollCase{"left blocked: rolls right", {"#####", "#RO #", "# O #", "#####"},
                 {"#####", "#R  #", "# OO#", "#####"}, SE_FALL_NEAR, SE_FALL_FAR},
        RollCase{"nowhere to fall beside: stays", {"#####", "# O #", "#.O.#", "#####"},
                 {"#####", "# O #", "#.O.#", "#####"}, SE_FALL_NEAR, SE_FALL_FAR},
        RollCase{"a Base is not round", {"#####", "# O #", "# . #", "#####"}, {"#####", "# O #", "# . #", "#####"},
                 SE_FALL_NEAR, SE_FALL_FAR}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FallerRoll, TheSlideTakesTheSideCellWaitsAtItsCheckPointAndFalls) {
    TestField f = FieldFromText({"#####", "# O #", "# O #", "#####"});
    f.tick();
    EXPECT_EQ(state_at(f, 1, 1), uint16_t(G::Sliding_Left));
    EXPECT_EQ(faller(f, 1, 1).slide_phase(), KV_SlidePhase::Sliding);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble_Slide_Temp);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 1);
    f.run_ticks(4);  // 5: the check point
    EXPECT_EQ(faller(f, 1, 1).slide_phase(), KV_SlidePhase::Check_Point);
    EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 1, 1).has(CF_TIME_CRITICAL));
    EXPECT_EQ(f.type_at(1, 1, 2), T::Empty);
    f.tick();  // 6: the cell below is reserved
    EXPECT_EQ(faller(f, 1, 1).slide_phase(), KV_SlidePhase::Sliding_Down);
    EXPECT_EQ(faller(f, 1, 1).counter(), 5);
    EXPECT_EQ(f.type_at(1, 1, 2), T::Grobble_Slide_Fall_Temp);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 1, 2).get_state(), 2);
    f.run_ticks(8);  // 14: counter 13
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble_Slide_Temp);
    f.tick();  // 15: counter 14, the cell it came from is free
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    f.tick();
    EXPECT_EQ(state_at(f, 1, 1), uint16_t(G::Sliding_Left));
    f.tick();  // 17: the slide ends and the fall starts into the reservation
    EXPECT_EQ(f.type_at(1, 1, 2), T::Grobble);
    EXPECT_EQ(state_at(f, 1, 2), kFalling);
    EXPECT_EQ(f.type_at(1, 1, 1), T::Grobble_Fall_Temp);
    f.run_ticks(15);
    EXPECT_EQ(f.sound(SE_FALL_NEAR), 0);
    f.tick();  // 33
    EXPECT_EQ(f.sound(SE_FALL_NEAR), 1);
    EXPECT_EQ(state_at(f, 1, 2), kAtRest);
}

TEST(FallerRoll, TheCheckPointWaitsWhileBelowIsTaken) {
    TestField f = FieldFromText({"#####", "# O #", "#.O #", "#####"});
    // Roll left needs (1,2) enterable: it is not, so block it only after the start.
    put_cell(*f.level, KV_LAYER_ITEMS, 1, 2, T::Empty);
    f.tick();
    ASSERT_EQ(state_at(f, 1, 1), uint16_t(G::Sliding_Left));
    put_cell(*f.level, KV_LAYER_ITEMS, 1, 2, T::Base);
    f.run_ticks(30);
    EXPECT_EQ(faller(f, 1, 1).slide_phase(), KV_SlidePhase::Check_Point);
    EXPECT_EQ(f.type_at(1, 1, 1), T::Grobble);
    put_cell(*f.level, KV_LAYER_ITEMS, 1, 2, T::Empty);
    f.run_ticks(2);
    EXPECT_EQ(f.type_at(1, 1, 2), T::Grobble_Slide_Fall_Temp);
}

// ---- pushing ----

TEST(GrobblePush, SixteenTicksOfLeaningThenOneCell) {
    TestField f = FieldFromText({"######", "#PO  #", "######"});
    f.tick(R);
    EXPECT_EQ(KV_Logic::Pellik::View{f.at(KV_LAYER_MOVERS, 1, 1)}.state(), KV_PellikState::Leaning);
    EXPECT_EQ(state_at(f, 2, 1), uint16_t(G::Leaned_On));
    EXPECT_EQ(faller(f, 2, 1).push_direction(), 4);
    EXPECT_EQ(f.type_at(1, 3, 1), T::Grobble_Push_Temp);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 3, 1).get_state(), 8);
    EXPECT_EQ(f.status().get_moves(), 1);
    f.run_ticks(15, R);  // 16
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble);
    EXPECT_EQ(KV_Logic::Pellik::View{f.at(KV_LAYER_MOVERS, 1, 1)}.counter(), 15);
    f.tick(R);  // 17: the push
    EXPECT_EQ(f.type_at(1, 3, 1), T::Grobble);
    EXPECT_EQ(state_at(f, 3, 1), uint16_t(G::Pushed));
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble_Push_Temp);
    EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 1).get_state(), 2);
    EXPECT_EQ(f.level->get_player_x(), 2);
    EXPECT_EQ(KV_Logic::Pellik::View{f.at(KV_LAYER_MOVERS, 2, 1)}.state(), KV_PellikState::Pushing);
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 1, 1).get_state(), 64) << "a push right leaves temp state 64";
    f.run_ticks(13);  // 30
    EXPECT_EQ(f.type_at(1, 2, 1), T::Grobble_Push_Temp);
    f.tick();  // 31: the Grobble's counter is 14
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    f.tick();  // 32: Pellik's 15
    EXPECT_EQ(f.type_at(2, 1, 1), T::Empty);
    f.tick();  // 33: both steps end
    EXPECT_EQ(f.sound(SE_FALL_NEAR), 1);
    EXPECT_EQ(state_at(f, 3, 1), kAtRest);
    EXPECT_EQ(KV_Logic::Pellik::View{f.at(KV_LAYER_MOVERS, 2, 1)}.pose(), 7);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"######", "# PO #", "######"}));
    EXPECT_EQ(f.status().get_moves(), 1);
}

TEST(GrobblePush, PushingLeftMirrorsIt) {
    TestField f = FieldFromText({"######", "#  OP#", "######"});
    f.run_ticks(17, L);
    EXPECT_EQ(state_at(f, 2, 1), uint16_t(G::Pushed));
    EXPECT_EQ(faller(f, 2, 1).push_direction(), 2);
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 4, 1).get_state(), 16);
    f.run_ticks(16);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"######", "# OP #", "######"}));
}

class GrobbleGiveUp : public ::testing::TestWithParam<int32_t> {};

TEST_P(GrobbleGiveUp, ReleasingOrFiringBeforeTheSixteenthTick) {
    TestField f = FieldFromText({"######", "#PO  #", "######"});
    f.run_ticks(5, R);
    f.tick(GetParam());
    EXPECT_EQ(state_at(f, 2, 1), kAtRest);
    EXPECT_EQ(f.type_at(1, 3, 1), T::Empty) << "the reserved cell is given back";
    KV_Logic::Pellik::View p{f.at(KV_LAYER_MOVERS, 1, 1)};
    EXPECT_EQ(p.state(), KV_PellikState::Ready);
    EXPECT_EQ(p.direction(), 0);
    EXPECT_EQ(p.pose(), 7);
    f.run_ticks(30);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"######", "#PO  #", "######"}));
}

INSTANTIATE_TEST_SUITE_P(Keys, GrobbleGiveUp, ::testing::Values(0, R | F, U));

struct BlockedCase {
    std::vector<std::string> rows;
    int32_t key;
};

class GrobbleBlocked : public ::testing::TestWithParam<BlockedCase> {};

TEST_P(GrobbleBlocked, NothingMoves) {
    const BlockedCase& c = GetParam();
    TestField f = FieldFromText(c.rows);
    f.run_ticks(40, c.key);
    EXPECT_EQ(field_picture(f), c.rows);
    EXPECT_EQ(f.status().get_moves(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GrobbleBlocked,
    ::testing::Values(BlockedCase{{"#####", "#PO##", "#####"}, R}, BlockedCase{{"######", "#POO #", "######"}, R},
                      BlockedCase{{"######", "#PO. #", "######"}, R},
                      BlockedCase{{"######", "# qOP#", "######"}, L},
                      BlockedCase{{"#####", "# O #", "# P #", "#####"}, U},
                      BlockedCase{{"#####", "# P #", "# O #", "#####"}, D}));

TEST(GrobblePush, ACellBelowTheOldPlaceThatOpensDuringThePushGetsAClone) {
    TestField f = FieldFromText({"######", "#PO  #", "##.###", "######"});
    f.run_ticks(17, R);
    ASSERT_EQ(state_at(f, 3, 1), uint16_t(G::Pushed));
    put_cell(*f.level, KV_LAYER_ITEMS, 2, 2, T::Empty);
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble_Clone);
    f.run_ticks(15);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble_Clone);
    f.tick();  // the clone's 16th tick
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble);
    EXPECT_EQ(state_at(f, 2, 2), kAtRest) << "it lands where it is";
}

// ---- freeze grobbles ----

TEST(GrobbleFreeze, StaysOverAFreeCellAndFallsWhenReleased) {
    TestField f = FieldFromText({"#####", "# O #", "# O #", "#   #", "#####"});
    put_cell(*f.level, KV_LAYER_ITEMS, 2, 2, T::Empty);  // one Grobble over two free cells
    f.status().set_freeze_grobbles();
    f.run_ticks(40);
    EXPECT_EQ(state_at(f, 2, 1), kAtRest);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty);
    f.status().clear_freeze_grobbles();
    f.run_ticks(3);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Grobble);
}

TEST(GrobbleFreeze, NoRollEither) {
    TestField f = FieldFromText({"#####", "# O #", "# O #", "#####"});
    f.status().set_freeze_grobbles();
    f.run_ticks(40);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"#####", "# O #", "# O #", "#####"}));
}

TEST(GrobbleFreeze, CanStillBePushedOverAHoleAndStaysThere) {
    TestField f = FieldFromText({"######", "#PO  #", "##  ##", "######"});
    f.status().set_freeze_grobbles();
    f.run_ticks(17, R);
    ASSERT_EQ(state_at(f, 3, 1), uint16_t(G::Pushed));
    f.run_ticks(15);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Empty) << "no clone while frozen";
    f.tick();  // 33
    EXPECT_EQ(f.sound(SE_FALL_NEAR), 1);
    EXPECT_EQ(state_at(f, 3, 1), kAtRest);
    f.run_ticks(30);
    EXPECT_EQ(field_picture(f), (std::vector<std::string>{"######", "# PO #", "##  ##", "######"}));
}

TEST(GrobbleFreeze, QuarkelsIgnoreIt) {
    TestField f = FieldFromText({"#####", "# q #", "#   #", "#####"});
    f.status().set_freeze_grobbles();
    f.run_ticks(3);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Quarkel);
}

// ---- collecting Quarkels ----

TEST(QuarkelEaten, WalkedOverCountsAtOnceAndSoundsAtTheEnd) {
    TestField f = FieldFromText({"#####", "#Pq #", "#####"});
    f.tick(R);
    EXPECT_EQ(state_at(f, 2, 1), uint16_t(KV_QuarkelState::Walked_Over));
    EXPECT_FALSE(f.at(KV_LAYER_ITEMS, 2, 1).has(CF_TIME_CRITICAL));
    EXPECT_EQ(f.status().get_quarkels(), 0);
    f.tick();
    EXPECT_EQ(f.status().get_quarkels(), 1);
    f.run_ticks(14);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Quarkel);
    f.tick();  // 17
    EXPECT_EQ(f.sound(SE_DATAPOD), 1);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    EXPECT_EQ(f.status().get_quarkels(), 1);
}

TEST(QuarkelEaten, InPlaceZapsInsteadOfTheDatapodSound) {
    TestField f = FieldFromText({"#####", "#Pq #", "#####"});
    f.tick(R | F);
    EXPECT_EQ(f.sound(SE_ZAP), 1);
    int datapod = 0;
    for (int t = 2; t <= 17; ++t) {
        f.tick();
        datapod += f.sound(SE_DATAPOD);
    }
    EXPECT_EQ(datapod, 0);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);
    EXPECT_EQ(f.status().get_quarkels(), 1);
    EXPECT_EQ(f.level->get_player_x(), 1);
}

TEST(QuarkelEaten, AFallingQuarkelCannotBeEaten) {
    TestField f = FieldFromText({"#####", "# q #", "#P  #", "#   #", "#####"});
    f.run_ticks(3);  // falling into (2,2)
    ASSERT_EQ(state_at(f, 2, 2), kFalling);
    f.tick(R);
    EXPECT_EQ(f.level->get_player_x(), 1);
    EXPECT_EQ(f.status().get_quarkels(), 0);
}

// ---- corrupt cells ----

struct FatalCase {
    const char* expected;
    T type;
    uint16_t state;
    uint16_t push_direction;
    uint16_t counter;
    uint8_t phase;
    bool time_critical;
    bool frozen;
};

class FallerFatal : public ::testing::TestWithParam<FatalCase> {};

TEST_P(FallerFatal, NamesTheOperation) {
    const FatalCase c = GetParam();
    TestField f = FieldFromText({"#####", "#   #", "#   #", "#####"});
    KV_Cell& cell = f.at(KV_LAYER_ITEMS, 2, 1);
    put_cell(*f.level, KV_LAYER_ITEMS, 2, 1, c.type);
    cell.flags &= ~uint32_t(CF_DONE);
    cell.set_state(c.state);
    FallerState s{cell};
    s.set_counter(c.counter);
    if (c.type != T::Grobble_Clone) {
        cell.set_u16(2, c.push_direction);
        s.set_slide_phase(KV_SlidePhase(c.phase));
        s.set_time_critical(c.time_critical);
    }
    if (c.frozen) f.status().set_freeze_grobbles();
    EXPECT_EQ(fatal_message([&] { f.tick(); }), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FallerFatal,
    ::testing::Values(
        FatalCase{"KV_Logic::Grobble, process, unknown state 3", T::Grobble, 3, 0, 0, 1, false, false},
        FatalCase{"KV_Logic::Grobble, time_critical, unknown state", T::Grobble, 3, 0, 0, 1, true, false},
        FatalCase{"KV_Logic::Quarkel, process, unknown state 4", T::Quarkel, 4, 0, 0, 1, false, false},
        FatalCase{"KV_Logic::Quarkel, time_critical, unknown state", T::Quarkel, 32, 0, 0, 1, true, false},
        FatalCase{"KV_Logic::Grobble, do_sliding_left,unknown slide state", T::Grobble, 32, 0, 0, 1, false, false},
        FatalCase{"KV_Logic::Grobble, do_sliding_right,unknown slide state 4", T::Grobble, 64, 0, 0, 4, false,
                  false},
        FatalCase{"KV_Logic::Quarkel, do_sliding_left,unknown slide state", T::Quarkel, 8, 0, 0, 1, false, false},
        FatalCase{"KV_Logic::Quarkel, do_sliding_right,unknown slide state 1", T::Quarkel, 16, 0, 0, 1, false,
                  false},
        FatalCase{"KV_Logic::Grobble, do_sliding_left_check_point,unknown slide state", T::Grobble, 32, 0, 0, 2,
                  true, false},
        FatalCase{"KV_Logic::Grobble, do_sliding_right_check_point,unknown slide state", T::Grobble, 64, 0, 0, 8,
                  true, false},
        FatalCase{"KV_Logic::Quarkel, do_sliding_left_check_point,unknown slide state", T::Quarkel, 8, 0, 0, 2,
                  true, false},
        FatalCase{"KV_Logic::Quarkel, do_sliding_right_check_point,unknown slide state", T::Quarkel, 16, 0, 0, 1,
                  true, false},
        FatalCase{"KV_Logic::Grobble, do_start_pushing, unknown push direction 3", T::Grobble, 16, 3, 0, 1, true,
                  false},
        FatalCase{"KV_Logic::Grobble, do_pushing, unknown push direction", T::Grobble, 4, 8, 0, 1, false, false},
        FatalCase{"KV_Logic::Grobble, do_pushing, unknown push direction 8", T::Grobble, 4, 8, 13, 1, false, true},
        FatalCase{"KV_Logic::Grobble_Clone, process, unknown state 2", T::Grobble_Clone, 2, 0, 0, 0, false,
                  false}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FallerFatal, AFrozenGrobbleSkipsEveryOtherState) {
    TestField f = FieldFromText({"#####", "# O #", "#   #", "#####"});
    f.at(KV_LAYER_ITEMS, 2, 1).set_state(3);  // corrupt, but frozen Grobbles only run pushes
    f.status().set_freeze_grobbles();
    EXPECT_NO_THROW(f.run_ticks(3));
}

}  // namespace
