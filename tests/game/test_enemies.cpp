// Electron and Gnarrow: following walls, turning, dead ends, Pellik, freezes
// and their blasts. Both kinds run every walking case.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/objects/enemies.h"
#include "game/objects/interfaces.h"
#include "game/objects/logic.h"
#include "game/level/object_type.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {
using T = KV_ObjectType;
using S = KV_EnemyState;
using D = KV_EnemyDirection;
using Turn = KV_EnemyTurn;

struct Kind {
    const char* name;
    char tile;
    T type;
    T temp;
    void (*process)(const KV_ObjectContext&);
    void (*time_critical)(const KV_ObjectContext&);
};
void PrintTo(const Kind& k, std::ostream* os) { *os << k.name; }
const Kind kElectron{"Electron", 'e', T::Electron, T::Electron_Temp, &KV_Logic::Electron::process,
                     &KV_Logic::Electron::time_critical};
const Kind kGnarrow{"Gnarrow", 'G', T::Gnarrow, T::Gnarrow_Temp, &KV_Logic::Gnarrow::process,
                    &KV_Logic::Gnarrow::time_critical};

struct Pos {
    int x = -1, y = -1;
    bool operator==(const Pos& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Pos& o) const { return !(*this == o); }
};
std::ostream& operator<<(std::ostream& os, const Pos& p) { return os << "(" << p.x << ", " << p.y << ")"; }

// The one cell of `type` in `layer`; (-1, -1) when there is none or more than one.
Pos find_one(TestField& f, int layer, T type) {
    Pos found;
    int n = 0;
    for (int y = 0; y < f.level->get_height(); ++y)
        for (int x = 0; x < f.level->get_width(); ++x)
            if (f.type_at(layer, x, y) == type) {
                found = {x, y};
                ++n;
            }
    return n == 1 ? found : Pos{};
}

// '@' in a picture stands for the enemy of the kind under test.
std::vector<std::string> with_enemy(std::vector<std::string> rows, char tile) {
    for (std::string& r : rows)
        for (char& c : r)
            if (c == '@') c = tile;
    return rows;
}

class EnemyWalk : public ::testing::TestWithParam<Kind> {
protected:
    TestField field(const std::vector<std::string>& rows) { return FieldFromText(with_enemy(rows, GetParam().tile)); }
    KV_Logic::KV_EnemyView enemy(TestField& f) {
        const Pos p = find_one(f, 2, GetParam().type);
        EXPECT_NE(p, Pos{}) << f.layer_text(KV_LAYER_MOVERS);
        return KV_Logic::KV_EnemyView{f.at(KV_LAYER_MOVERS, p.x, p.y)};
    }
};

// Where the enemy's cell is after a tick, and what it is doing.
struct Checkpoint {
    int tick;
    Pos at;
    S state;
    D direction;
};

void walk(TestField& f, const Kind& kind, const std::vector<Checkpoint>& path) {
    int done = 0;
    for (const Checkpoint& c : path) {
        f.run_ticks(c.tick - done);
        done = c.tick;
        const Pos p = find_one(f, 2, kind.type);
        ASSERT_EQ(p, c.at) << "tick " << c.tick << "\n" << f.layer_text(KV_LAYER_MOVERS);
        KV_Logic::KV_EnemyView e{f.at(KV_LAYER_MOVERS, p.x, p.y)};
        EXPECT_EQ(e.state(), c.state) << "tick " << c.tick;
        EXPECT_EQ(e.direction(), c.direction) << "tick " << c.tick;
    }
}

// A move takes 16 ticks and a quarter turn 8; the enemy keeps the wall on its
// anti-clockwise side and turns clockwise in the corners, so it circles the room.
TEST_P(EnemyWalk, FollowsTheWallRoundARoom) {
    TestField f = field({"#######",
                         "#     #",
                         "#     #",
                         "#@    #",
                         "#######"});
    walk(f, GetParam(),
         {
             {1, {1, 2}, S::Moving, D::Up},  // takes the cell ahead at once
             {16, {1, 2}, S::Moving, D::Up},
             {17, {1, 1}, S::Moving, D::Up},  // the step ends and the next begins in one tick
             {33, {1, 1}, S::Turning, D::Up},
             {41, {2, 1}, S::Moving, D::Right},
             {57, {3, 1}, S::Moving, D::Right},
             {89, {5, 1}, S::Moving, D::Right},
             {105, {5, 1}, S::Turning, D::Right},
             {113, {5, 2}, S::Moving, D::Down},
             {129, {5, 3}, S::Moving, D::Down},
             {145, {5, 3}, S::Turning, D::Down},
             {153, {4, 3}, S::Moving, D::Left},
             {201, {1, 3}, S::Moving, D::Left},
             {217, {1, 3}, S::Turning, D::Left},
             {225, {1, 2}, S::Moving, D::Up},
             {241, {1, 1}, S::Moving, D::Up},  // one lap: 12 moves and 4 turns
         });
}

TEST_P(EnemyWalk, LeavesItsTempUntilTheStepEnds) {
    TestField f = field({"####",
                         "#  #",
                         "#@ #",
                         "####"});
    f.tick();
    ASSERT_EQ(f.type_at(2, 1, 2), GetParam().temp);
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 1, 2).get_u32(0), uint32_t(DIR_UP));  // the temp names the move in key bits
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 1, 2).flags, uint32_t(CF_STATIC | CF_HIDDEN | CF_SOLID));
    f.run_ticks(15);
    EXPECT_EQ(f.type_at(2, 1, 2), GetParam().temp);
    f.tick();
    EXPECT_EQ(f.type_at(2, 1, 2), T::Empty);
}

TEST_P(EnemyWalk, TurnsIntoAnOpeningOnItsAntiClockwiseSide) {
    TestField f = field({"########",
                         "### ####",
                         "#@     #",
                         "########"});
    walk(f, GetParam(),
         {
             {17, {3, 2}, S::Moving, D::Right},  // wall above at (2, 1): straight on
             {33, {3, 2}, S::Turning, D::Right},
             {41, {3, 1}, S::Moving, D::Up},
         });
    EXPECT_EQ(enemy(f).turn(), Turn::Right_To_Up);
}

// Nothing on either side nor ahead: a quarter turn anti-clockwise, a stuck
// pause, and another, so the enemy walks back out of the dead end.
TEST_P(EnemyWalk, TurnsRoundInADeadEnd) {
    TestField f = field({"######",
                         "#@   #",
                         "######"});
    walk(f, GetParam(),
         {
             {1, {2, 1}, S::Moving, D::Right},
             {33, {4, 1}, S::Moving, D::Right},
             {49, {4, 1}, S::Turning, D::Right},
             {57, {4, 1}, S::Stuck, D::Up},
             {64, {4, 1}, S::Stuck, D::Up},
             {65, {4, 1}, S::Turning, D::Up},
             {73, {3, 1}, S::Moving, D::Left},
             {105, {1, 1}, S::Moving, D::Left},
             {121, {1, 1}, S::Turning, D::Left},
         });
    EXPECT_EQ(enemy(f).turn(), Turn::Left_To_Down);
}

TEST_P(EnemyWalk, KeepsTurningWhenFullyEnclosed) {
    TestField f = field({"###",
                         "#@#",
                         "###"});
    f.tick();
    EXPECT_EQ(enemy(f).state(), S::Stuck);
    EXPECT_EQ(enemy(f).turn(), Turn::Right_To_Up);  // the start marks its pause as an anti-clockwise one
    const D expected[] = {D::Left, D::Down, D::Right, D::Up};
    for (int i = 0; i < 4; ++i) {
        f.run_ticks(16);  // 8 ticks of pause, 8 of turning
        EXPECT_EQ(enemy(f).state(), S::Stuck) << i;
        EXPECT_EQ(enemy(f).direction(), expected[i]) << i;
        EXPECT_EQ(find_one(f, 2, GetParam().type), (Pos{1, 1}));
    }
}

// At the start the enemy faces up and only skips its anti-clockwise try when
// Pellik stands to its left.
TEST_P(EnemyWalk, StartChoosesLeftUpOrRight) {
    struct Case {
        const char* row1;
        const char* row2;
        S state;
        D direction;
        Pos at;
    };
    const Case cases[] = {
        {"#   #", "# @ #", S::Turning, D::Up, {2, 2}},  // left is free: turns towards it
        {"#   #", "#S@ #", S::Moving, D::Up, {2, 1}},   // Pellik to the left: goes up
        {"#   #", "##@ #", S::Moving, D::Up, {2, 1}},
        {"#####", "##@ #", S::Moving, D::Right, {3, 2}},
        {"#####", "##@##", S::Stuck, D::Up, {2, 2}},
    };
    for (const Case& c : cases) {
        TestField f = field({"#####", c.row1, c.row2, "#####"});
        f.tick();
        EXPECT_EQ(find_one(f, 2, GetParam().type), c.at) << c.row1 << "/" << c.row2;
        KV_Logic::KV_EnemyView e = enemy(f);
        EXPECT_EQ(e.state(), c.state) << c.row1 << "/" << c.row2;
        EXPECT_EQ(e.direction(), c.direction) << c.row1 << "/" << c.row2;
    }
}

// A Pellik beside the enemy counts like an opening, except on a port.
TEST_P(EnemyWalk, TurnsTowardsPellikBesideIt) {
    struct Case {
        char alcove;
        bool port;
        bool turns;
    };
    const Case cases[] = {
        {'S', false, true},
        {'R', false, false},
        {'S', true, false},
    };
    for (const Case& c : cases) {
        std::string row1 = "#######";
        row1[3] = c.alcove;
        TestField f = field({"#######", row1, "#@    #", "#######"});
        if (c.port) put_cell(*f.level, KV_LAYER_FIXTURES, 3, 1, T::Port_Cross);
        f.run_ticks(33);
        KV_Logic::KV_EnemyView e = enemy(f);
        if (c.turns) {
            EXPECT_EQ(e.state(), S::Turning) << c.alcove << c.port;
            EXPECT_EQ(e.turn(), Turn::Right_To_Up) << c.alcove << c.port;
            EXPECT_EQ(find_one(f, 2, GetParam().type), (Pos{3, 2}));
        } else {
            EXPECT_EQ(e.state(), S::Moving) << c.alcove << c.port;
            EXPECT_EQ(find_one(f, 2, GetParam().type), (Pos{4, 2}));
        }
    }
}

// A laid red disk in layer 3 does not stop an enemy; a port does.
TEST_P(EnemyWalk, EntersALaidRedDiskButNotAPort) {
    for (T layer3 : {T::Disk_Red, T::Port_Cross}) {
        TestField f = field({"#####",
                             "#@  #",
                             "#####"});
        put_cell(*f.level, KV_LAYER_FIXTURES, 2, 1, layer3);
        f.tick();
        const bool entered = find_one(f, 2, GetParam().type) == Pos{2, 1};
        EXPECT_EQ(entered, layer3 == T::Disk_Red) << int(layer3);
    }
}

TEST_P(EnemyWalk, StandsStillWhileFrozen) {
    TestField f = field({"####",
                         "#  #",
                         "#@ #",
                         "####"});
    f.run_ticks(5);
    const KV_Cell before = f.at(KV_LAYER_MOVERS, 1, 1);
    f.status().set_freeze_enemies();
    f.run_ticks(50);
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 1, 1).get_u32(0), before.get_u32(0));
    EXPECT_EQ(f.at(KV_LAYER_MOVERS, 1, 1).get_u32(4), before.get_u32(4));
    EXPECT_EQ(f.type_at(2, 1, 2), GetParam().temp);
    f.status().clear_freeze_enemies();
    f.run_ticks(11);
    EXPECT_EQ(enemy(f).state(), S::Moving);
    EXPECT_EQ(f.type_at(2, 1, 2), GetParam().temp);
    f.tick();  // the step ends 12 ticks after the thaw; the corner makes it turn
    EXPECT_EQ(f.type_at(2, 1, 2), T::Empty);
    EXPECT_EQ(enemy(f).state(), S::Turning);
}

// A freeze in the first half of a turn makes the enemy turn once more after it.
TEST_P(EnemyWalk, FreezeInTheFirstHalfOfATurnRepeatsTheTurn) {
    struct Case {
        int counter_at_freeze;
        S after_turn;
    };
    for (const Case c : {Case{2, S::Turning}, Case{3, S::Turning}, Case{4, S::Stuck}, Case{6, S::Stuck}}) {
        TestField f = field({"###",
                             "#@#",
                             "###"});
        f.run_ticks(9);  // the first turn starts (up to left)
        ASSERT_EQ(enemy(f).state(), S::Turning);
        f.run_ticks(c.counter_at_freeze);
        ASSERT_EQ(enemy(f).counter(), c.counter_at_freeze);
        f.status().set_freeze_enemies();
        f.run_ticks(10);
        EXPECT_EQ(enemy(f).counter(), c.counter_at_freeze);
        f.status().clear_freeze_enemies();
        f.run_ticks(8 - c.counter_at_freeze);
        KV_Logic::KV_EnemyView e = enemy(f);
        EXPECT_EQ(e.direction(), D::Left) << c.counter_at_freeze;
        EXPECT_EQ(e.state(), c.after_turn) << c.counter_at_freeze;
        if (c.after_turn == S::Turning) {
            EXPECT_EQ(e.turn(), Turn::Left_To_Down);
            EXPECT_FALSE(e.resume());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, EnemyWalk, ::testing::Values(kElectron, kGnarrow),
                         [](const ::testing::TestParamInfo<Kind>& i) { return std::string(i.param.name); });

// ---- blasts ----

// The kind of fire a blast leaves at an empty position.
uint32_t fire_at(TestField& f, int x, int y) {
    return f.type_at(3, x, y) == T::Explosion ? f.at(KV_LAYER_FIXTURES, x, y).get_u32(0) : 0;
}

class EnemyBlast : public ::testing::TestWithParam<Kind> {};

// Moving right under Pellik's alcove, the enemy turns up towards Pellik; when
// the turn ends Pellik is ahead and the enemy blows up: the Electron in the
// Quarkel flavour (its fires leave Quarkels), the Gnarrow in the normal one.
TEST_P(EnemyBlast, KillsPellikAheadInItsOwnFlavour) {
    const Kind& k = GetParam();
    TestField f = FieldFromText(with_enemy({"#######",
                                            "###P###",
                                            "#@    #",
                                            "#######"},
                                           k.tile));
    f.run_ticks(40);
    ASSERT_EQ(find_one(f, 2, k.type), (Pos{3, 2})) << f.layer_text(KV_LAYER_MOVERS);
    ASSERT_EQ(KV_Logic::KV_EnemyView{f.at(KV_LAYER_MOVERS, 3, 2)}.state(), S::Turning);
    ASSERT_FALSE(f.status().test_state(GS_PLAYER_DESTROYED));

    f.tick();
    EXPECT_EQ(find_one(f, 2, k.type), Pos{});
    EXPECT_EQ(f.type_at(2, 3, 1), T::Empty);
    EXPECT_TRUE(f.status().test_state(GS_PLAYER_DESTROYED));
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    const bool quarkel = k.type == T::Electron;
    for (int x = 2; x <= 4; ++x) EXPECT_EQ(fire_at(f, x, 2), quarkel ? 4u : 1u) << x;
    EXPECT_EQ(fire_at(f, 3, 1), quarkel ? 8u : 2u);  // Pellik's own blast follows

    f.run_ticks(200);
    int quarkels = 0, fires = 0;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 7; ++x) {
            quarkels += f.type_at(1, x, y) == T::Quarkel;
            fires += f.type_at(3, x, y) == T::Explosion;
        }
    EXPECT_EQ(quarkels, quarkel ? 4 : 0) << f.layer_text(KV_LAYER_ITEMS);
    EXPECT_EQ(fires, 0) << f.layer_text(KV_LAYER_FIXTURES);
}

INSTANTIATE_TEST_SUITE_P(Kinds, EnemyBlast, ::testing::Values(kElectron, kGnarrow),
                         [](const ::testing::TestParamInfo<Kind>& i) { return std::string(i.param.name); });

// ---- corrupt cells ----

std::string error_of(void (*entry)(const KV_ObjectContext&), TestField& f, int x, int y) {
    return fatal_message([&] { entry(KV_Interfaces::context_at(f.level.get(), 2, x, y)); });
}

TEST(EnemyErrors, CorruptStateDirectionOrTurnNamesTheOperation) {
    struct Case {
        bool time_critical;
        uint16_t state;
        uint8_t counter, direction, turn;
        const char* text;  // after "KV_Logic::<kind>"
    };
    const Case cases[] = {
        {true, 64, 0, 1, 2, ", time_critical unknown state 64"},
        {true, 0, 0, 1, 2, ", time_critical unknown state 0"},
        {false, 1, 0, 1, 2, ", process unknown state"},
        {false, 8, 0, 1, 2, ", process unknown state"},
        {true, 8, 0, 3, 2, ", try_rotating_anti_clockwise, unknown move_direction"},
        {true, 16, 0, 0, 2, ", try_explode_if_danger, unknown move_direction"},
        {false, 2, 15, 0, 2, ", do_move, unknown move_direction"},
        {false, 4, 7, 1, 3, ", do_rotate, unknown rotate_direction"},
        {false, 32, 7, 16, 2, ", set_rotating_anti_clockwise, unknown move_direction"},
        {false, 32, 7, 16, 1, ", set_rotating_clockwise, unknown move_direction"},
    };
    for (const Kind& k : {kElectron, kGnarrow}) {
        for (const Case& c : cases) {
            TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
            put_cell(*f.level, KV_LAYER_MOVERS, 2, 2, k.type);
            KV_Cell& cell = f.at(KV_LAYER_MOVERS, 2, 2);
            cell.set_u16(0, c.state);
            cell.set_u8(2, c.counter);
            cell.set_u8(4, c.direction);
            cell.set_u8(5, c.turn);
            EXPECT_EQ(error_of(c.time_critical ? k.time_critical : k.process, f, 2, 2),
                      std::string("KV_Logic::") + k.name + c.text);
        }
    }
}

// Wrong but harmless fields never reach an error while the enemy is frozen.
TEST(EnemyErrors, FrozenEnemyOnlyKeepsItsResumeFlag) {
    for (const Kind& k : {kElectron, kGnarrow}) {
        TestField f = FieldFromText({"###", "# #", "###"});
        put_cell(*f.level, KV_LAYER_MOVERS, 1, 1, k.type);
        f.at(KV_LAYER_MOVERS, 1, 1).set_u16(0, 999);
        f.status().set_freeze_enemies();
        EXPECT_EQ(error_of(k.time_critical, f, 1, 1), "(no error)");
        EXPECT_EQ(error_of(k.process, f, 1, 1), "(no error)");
    }
}

TEST(EnemyEnter, OnlyEmptyLayersOrALaidRedDisk) {
    TestField f = FieldFromText({"#####", "#   #", "#####"});
    KV_Level* level = f.level.get();
    EXPECT_TRUE(KV_Logic::can_enemy_enter(level, 2, 1));
    EXPECT_FALSE(KV_Logic::can_enemy_enter(level, 0, 1));   // hardware
    EXPECT_FALSE(KV_Logic::can_enemy_enter(level, -1, 1));  // outside the field
    EXPECT_FALSE(KV_Logic::can_enemy_enter(level, 2, 3));
    for (int layer = 0; layer < 3; ++layer) {
        put_cell(*level, layer, 2, 1, T::RAM);
        EXPECT_FALSE(KV_Logic::can_enemy_enter(level, 2, 1)) << layer;
        put_cell(*level, layer, 2, 1, T::Empty);
    }
    put_cell(*level, KV_LAYER_FIXTURES, 2, 1, T::Disk_Red);
    EXPECT_TRUE(KV_Logic::can_enemy_enter(level, 2, 1));
    put_cell(*level, KV_LAYER_FIXTURES, 2, 1, T::Explosion);
    EXPECT_FALSE(KV_Logic::can_enemy_enter(level, 2, 1));
}

}  // namespace
