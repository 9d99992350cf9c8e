// Orange, yellow and red disks: falling, landing, pushes, clones, chain
// reactions, the armed yellow disks and the red disk's fuse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/objects/disks.h"
#include "game/objects/interfaces.h"
#include "game/objects/logic.h"
#include "game/level/object_type.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {
using T = KV_ObjectType;
using Orange = KV_Logic::Disk_Orange::State;
using Yellow = KV_Logic::Disk_Yellow::State;

KV_Logic::Disk_Orange::View orange(TestField& f, int x, int y) { return {f.at(KV_LAYER_ITEMS, x, y)}; }
uint32_t temp_state(TestField& f, int x, int y) { return KV_Logic::disk_temp_state(f.at(KV_LAYER_ITEMS, x, y)); }

// The kind of an Explosion in layer 3, 0 when there is none.
uint32_t fire_at(TestField& f, int x, int y) {
    return f.type_at(3, x, y) == T::Explosion ? f.at(KV_LAYER_FIXTURES, x, y).get_u32(0) : 0;
}

int count_of(TestField& f, int layer, T type) {
    int n = 0;
    for (int y = 0; y < f.level->get_height(); ++y)
        for (int x = 0; x < f.level->get_width(); ++x) n += f.type_at(layer, x, y) == type;
    return n;
}

// Puts a hand-set cell as an object made in the previous tick: prototypes carry
// the done flag, which the tick clears after its pass.
KV_Cell& put_active(TestField& f, int layer, int x, int y, T type) {
    put_cell(*f.level, layer, x, y, type);
    KV_Cell& c = f.at(layer, x, y);
    c.flags &= ~uint32_t(CF_DONE | CF_STATIC);
    return c;
}

// Sets layer 1 at (x, y) to an orange disk that do_pushing has just moved
// there from the side, with the placeholder it leaves behind.
void put_pushed_orange(TestField& f, int x, int y, KV_Logic::KV_DiskPush dir) {
    KV_Cell& d = put_active(f, 1, x, y, T::Disk_Orange);
    d.set_u16(0, uint16_t(Orange::Pushed));
    d.set_u16(2, uint16_t(dir));
    d.flags &= ~uint32_t(CF_TIME_CRITICAL);
    const int old_x = dir == KV_Logic::KV_DiskPush::Right ? x - 1 : x + 1;
    put_active(f, 1, old_x, y, T::Disk_Orange_Push_Temp).set_u32(0, dir == KV_Logic::KV_DiskPush::Right ? 2 : 1);
}

// ---- orange disk ----

TEST(OrangeDisk, ReservesFallsTwoCellsAndBlastsWhereItLands) {
    TestField f = FieldFromText({"#####",
                                 "# o #",
                                 "#   #",
                                 "#   #",
                                 "#####"});
    f.tick();
    EXPECT_EQ(orange(f, 2, 1).state(), Orange::About_To_Fall);
    ASSERT_EQ(f.type_at(1, 2, 2), T::Disk_Orange_Fall_Temp);
    EXPECT_EQ(temp_state(f, 2, 2), uint32_t(KV_Logic::Disk_Orange_Fall_Temp::Reserved));
    EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 2, 2).has(CF_STATIC));

    f.run_ticks(2);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Disk_Orange);  // counts two ticks over its reservation
    f.tick();                                       // and falls in the third
    ASSERT_EQ(f.type_at(1, 2, 2), T::Disk_Orange);
    EXPECT_EQ(orange(f, 2, 2).state(), Orange::Falling);
    ASSERT_EQ(f.type_at(1, 2, 1), T::Disk_Orange_Fall_Temp);
    EXPECT_EQ(temp_state(f, 2, 1), uint32_t(KV_Logic::Disk_Orange_Fall_Temp::Left_Behind));
    EXPECT_FALSE(f.at(KV_LAYER_ITEMS, 2, 1).has(CF_STATIC));

    f.run_ticks(16);  // tick 20: one step ends and the next starts at once
    EXPECT_EQ(f.type_at(1, 2, 3), T::Disk_Orange);
    EXPECT_EQ(orange(f, 2, 3).state(), Orange::Falling);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Disk_Orange_Fall_Temp);
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 1), T::Disk_Orange_Fall_Temp);
    f.tick();  // 18 ticks after the disk left it
    EXPECT_EQ(f.type_at(1, 2, 1), T::Empty);

    f.run_ticks(14);  // tick 36: on the floor
    EXPECT_EQ(orange(f, 2, 3).state(), Orange::Landed);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 0);
    f.tick();
    EXPECT_EQ(f.type_at(1, 2, 3), T::Empty);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    for (int y = 2; y <= 3; ++y)
        for (int x = 1; x <= 3; ++x) EXPECT_EQ(fire_at(f, x, y), 1u) << x << "," << y;
    EXPECT_EQ(f.type_at(3, 2, 4), T::Hardware);
}

// Landing where the cell below burns makes only the landing sound.
TEST(OrangeDisk, LandingOverAFireOnlySounds) {
    TestField f = FieldFromText({"#####",
                                 "# o #",
                                 "#   #",
                                 "#   #",
                                 "#####"});
    put_cell(*f.level, KV_LAYER_FIXTURES, 2, 3, T::Explosion);
    f.at(KV_LAYER_FIXTURES, 2, 3).flags |= CF_STATIC;  // keep the fire burning for the test
    f.run_ticks(19);
    EXPECT_EQ(orange(f, 2, 2).state(), Orange::Falling);
    f.tick();
    EXPECT_EQ(orange(f, 2, 2).state(), Orange::At_Rest);
    EXPECT_EQ(f.sound(SE_OBJECT_FALL_NEAR), 1);
    f.run_ticks(30);
    EXPECT_EQ(orange(f, 2, 2).state(), Orange::At_Rest);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR) + f.sound(SE_EXPLOSION_FAR), 0);
}

TEST(OrangeDisk, FarLandingSoundIsTheFarOne) {
    TestField f = FieldFromText({"#####",
                                 "# o #",
                                 "#   #",
                                 "#####"});
    put_cell(*f.level, KV_LAYER_FIXTURES, 2, 3, T::Explosion);
    f.at(KV_LAYER_FIXTURES, 2, 3).flags |= CF_STATIC;
    f.level->set_player_pos(40, 40);
    f.run_ticks(20);
    EXPECT_EQ(f.sound(SE_OBJECT_FALL_FAR), 1);
    EXPECT_EQ(f.sound(SE_OBJECT_FALL_NEAR), 0);
}

// After a push the disk rests where there is a floor; over a gap it waits three
// ticks and falls. The fall sound comes in the tick the push ends.
TEST(OrangeDisk, PushEndsAtRestOrFallsOverAnEdge) {
    struct Case {
        const char* floor;
        Orange after_push;
    };
    for (const Case& c : {Case{"#.. #", Orange::At_Rest}, Case{"#.  #", Orange::Push_Ended}}) {
        TestField f = FieldFromText({"#####", "#   #", c.floor, "#   #", "#####"});
        put_pushed_orange(f, 2, 1, KV_Logic::KV_DiskPush::Right);
        f.run_ticks(15);
        EXPECT_EQ(orange(f, 2, 1).state(), Orange::Pushed) << c.floor;
        f.tick();
        EXPECT_EQ(orange(f, 2, 1).state(), c.after_push) << c.floor;
        EXPECT_EQ(f.sound(SE_FALL_NEAR), 1) << c.floor;
        f.tick();
        EXPECT_EQ(f.type_at(1, 2, 1), T::Disk_Orange) << c.floor;
        f.tick();
        EXPECT_EQ(f.type_at(1, 2, 2), c.after_push == Orange::At_Rest ? T::Base : T::Disk_Orange) << c.floor;
        f.run_ticks(12);  // the placeholder behind goes 31 ticks after the push began
        EXPECT_EQ(f.type_at(1, 1, 1), T::Disk_Orange_Push_Temp) << c.floor;
        f.tick();
        EXPECT_EQ(f.type_at(1, 1, 1), T::Empty) << c.floor;
    }
}

// A free cell under the cell being left gets a clone, timed to stop with the push.
TEST(OrangeDisk, PushLeavesACloneUnderAFreeOldCell) {
    for (KV_Logic::KV_DiskPush dir : {KV_Logic::KV_DiskPush::Right, KV_Logic::KV_DiskPush::Left}) {
        TestField f = FieldFromText({"#####",
                                     "#   #",
                                     "#. .#",
                                     "#####"});
        const int x = dir == KV_Logic::KV_DiskPush::Right ? 3 : 1;
        put_pushed_orange(f, x, 1, dir);
        f.tick();
        ASSERT_EQ(f.type_at(1, 2, 2), T::Disk_Orange_Clone);
        EXPECT_EQ(orange(f, 2, 2).clone_limit(), 15);
        f.run_ticks(14);
        EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 2).get_state(), 1);
        f.tick();
        EXPECT_EQ(orange(f, x, 1).state(), Orange::At_Rest);
        EXPECT_EQ(f.at(KV_LAYER_ITEMS, 2, 2).get_state(), 2);
        EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 2, 2).has(CF_STATIC));
        EXPECT_FALSE(f.at(KV_LAYER_ITEMS, 2, 2).has(CF_HIDDEN));
        EXPECT_EQ(count_of(f, 1, T::Disk_Orange_Clone), 1);
    }
}

// The clone stops once its counter reaches the limit; a limit of 0 or 1 stops
// it at its first tick, hidden.
TEST(OrangeClone, StopsWhenTheLimitIsReached) {
    struct Case {
        uint16_t limit;
        int ticks;
        bool hidden;
    };
    for (const Case& c : {Case{0, 1, true}, Case{1, 1, true}, Case{2, 2, false}, Case{15, 15, false}}) {
        TestField f = FieldFromText({"###", "# #", "###"});
        put_active(f, 1, 1, 1, T::Disk_Orange_Clone);
        orange(f, 1, 1).set_clone_limit(c.limit);
        f.run_ticks(c.ticks - 1);
        EXPECT_EQ(f.at(KV_LAYER_ITEMS, 1, 1).get_state(), 1) << c.limit;
        f.tick();
        EXPECT_EQ(f.at(KV_LAYER_ITEMS, 1, 1).get_state(), 2) << c.limit;
        EXPECT_TRUE(f.at(KV_LAYER_ITEMS, 1, 1).has(CF_STATIC)) << c.limit;
        EXPECT_EQ(f.at(KV_LAYER_ITEMS, 1, 1).has(CF_HIDDEN), c.hidden) << c.limit;
        const uint16_t counter = orange(f, 1, 1).counter();
        f.run_ticks(5);
        EXPECT_EQ(orange(f, 1, 1).counter(), counter) << c.limit;
    }
}

// A landed disk blasts its neighbours into delayed explosions, which blast
// their own areas 24 ticks later and reach a disk the first blast missed.
TEST(OrangeDisk, ChainReactionThroughOrangeAndYellowDisks) {
    TestField f = FieldFromText({"#######",
                                 "#  o  #",
                                 "#     #",
                                 "# yRoo#",
                                 "#######"});
    f.run_ticks(20);
    ASSERT_EQ(orange(f, 3, 2).state(), Orange::Landed);  // on the RAM chip
    f.tick();                                            // tick 21: the first blast
    EXPECT_EQ(f.type_at(1, 3, 2), T::Empty);
    EXPECT_EQ(f.type_at(1, 2, 3), T::Empty);
    EXPECT_EQ(f.type_at(1, 3, 3), T::Empty);
    EXPECT_EQ(f.type_at(1, 4, 3), T::Empty);
    EXPECT_EQ(fire_at(f, 2, 3), 2u);  // yellow disk: delayed
    EXPECT_EQ(fire_at(f, 4, 3), 2u);  // orange disk: delayed
    EXPECT_EQ(fire_at(f, 3, 3), 1u);  // the RAM chip just vanished
    EXPECT_EQ(f.type_at(1, 5, 3), T::Disk_Orange);

    f.run_ticks(23);
    EXPECT_EQ(f.type_at(1, 5, 3), T::Disk_Orange);
    f.tick();  // tick 45: the delayed ones blast
    EXPECT_EQ(f.type_at(1, 5, 3), T::Empty);
    EXPECT_EQ(fire_at(f, 5, 3), 2u);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 2);

    f.run_ticks(23);
    EXPECT_EQ(fire_at(f, 5, 3), 2u);
    f.tick();  // tick 69: the third disk's own blast
    EXPECT_EQ(fire_at(f, 5, 3), 1u);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    f.run_ticks(100);
    EXPECT_EQ(count_of(f, 3, T::Explosion), 0) << f.layer_text(KV_LAYER_FIXTURES);
}

TEST(OrangeDisk, PushedByPellikOverAnEdgeFallsAndBlasts) {
    TestField f = FieldFromText({"######",
                                 "#Po  #",
                                 "#.# ##",
                                 "#    #",
                                 "######"});
    f.run_ticks(17, DIR_RIGHT);  // 16 ticks of leaning, then the push
    ASSERT_EQ(f.type_at(1, 3, 1), T::Disk_Orange) << f.layer_text(KV_LAYER_ITEMS);
    EXPECT_EQ(orange(f, 3, 1).state(), Orange::Pushed);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Disk_Orange_Push_Temp);
    f.run_ticks(16);  // tick 33
    EXPECT_EQ(orange(f, 3, 1).state(), Orange::Push_Ended);
    EXPECT_EQ(f.type_at(2, 2, 1), T::Pellik);
    f.run_ticks(2);  // tick 35: over the gap, it falls on the third tick
    EXPECT_EQ(f.type_at(1, 3, 2), T::Disk_Orange);
    f.run_ticks(32);  // tick 67: down two cells
    EXPECT_EQ(orange(f, 3, 3).state(), Orange::Landed);
    f.tick();
    EXPECT_EQ(f.type_at(1, 3, 3), T::Empty);
    EXPECT_EQ(fire_at(f, 3, 3), 1u);
    EXPECT_TRUE(f.status().test_state(GS_RUNNING));  // Pellik stands outside the blast
}

// Leaning on a disk that is about to fall breaks the lean off; the disk then
// rests on its reservation, which no longer lets it fall.
TEST(OrangeDisk, LeanBrokenOffByAFallStaysOnItsReservation) {
    TestField f = FieldFromText({"######",
                                 "#Po  #",
                                 "#. ..#",
                                 "#....#",
                                 "######"});
    f.tick(DIR_RIGHT);
    EXPECT_EQ(orange(f, 2, 1).state(), Orange::Lean_Broken_Off);
    EXPECT_EQ(temp_state(f, 2, 2), uint32_t(KV_Logic::Disk_Orange_Fall_Temp::Lean_Reserved));
    f.run_ticks(2);
    EXPECT_EQ(orange(f, 2, 1).state(), Orange::At_Rest);
    EXPECT_EQ(f.type_at(1, 3, 1), T::Empty);  // the push reservation is given back
    f.run_ticks(100);
    EXPECT_EQ(f.type_at(1, 2, 1), T::Disk_Orange);
    EXPECT_EQ(f.type_at(1, 2, 2), T::Disk_Orange_Fall_Temp);
}

// ---- yellow disk ----

// Pellik leans 16 ticks, the disk moves 16 more and comes to rest with sound 8.
TEST(YellowDisk, PushedByPellikInEachDirection) {
    struct Case {
        const char* name;
        uint32_t key;
        int px, py;  // Pellik's start beside the disk at (3, 2)
        int tx, ty;  // where the disk ends
    };
    const Case cases[] = {
        {"right", DIR_RIGHT, 2, 2, 4, 2},
        {"left", DIR_LEFT, 4, 2, 2, 2},
        {"up", DIR_UP, 3, 3, 3, 1},
        {"down", DIR_DOWN, 3, 1, 3, 3},
    };
    for (const Case& c : cases) {
        std::vector<std::string> rows = {"#######", "#     #", "#  y  #", "#     #", "#######"};
        rows[size_t(c.py)][size_t(c.px)] = 'P';
        TestField f = FieldFromText(rows);
        f.run_ticks(17, int32_t(c.key));
        ASSERT_EQ(f.type_at(1, c.tx, c.ty), T::Disk_Yellow) << c.name << "\n" << f.layer_text(KV_LAYER_ITEMS);
        EXPECT_EQ(KV_Logic::Disk_Yellow::View{f.at(KV_LAYER_ITEMS, c.tx, c.ty)}.state(), Yellow::Pushed) << c.name;
        EXPECT_EQ(f.type_at(1, 3, 2), T::Disk_Yellow_Push_Temp) << c.name;
        f.run_ticks(15);
        EXPECT_EQ(KV_Logic::Disk_Yellow::View{f.at(KV_LAYER_ITEMS, c.tx, c.ty)}.state(), Yellow::Pushed) << c.name;
        f.tick();
        EXPECT_EQ(KV_Logic::Disk_Yellow::View{f.at(KV_LAYER_ITEMS, c.tx, c.ty)}.state(), Yellow::At_Rest) << c.name;
        EXPECT_EQ(f.sound(SE_FALL_NEAR), 1) << c.name;
        f.run_ticks(20);
        EXPECT_EQ(f.type_at(1, 3, 2), T::Empty) << c.name;
        EXPECT_EQ(f.type_at(2, 3, 2), T::Pellik) << c.name;
        EXPECT_EQ(count_of(f, 1, T::Disk_Yellow), 1) << c.name;
    }
}

// The push sound is event 8 however far away the player is.
TEST(YellowDisk, PushSoundIsAlwaysTheNearOne) {
    TestField f = FieldFromText({"####", "#  #", "####"});
    put_active(f, 1, 2, 1, T::Disk_Yellow);
    f.at(KV_LAYER_ITEMS, 2, 1).set_u16(0, uint16_t(Yellow::Pushed));
    f.at(KV_LAYER_ITEMS, 2, 1).set_u16(2, uint16_t(KV_Logic::KV_DiskPush::Right));
    f.level->set_player_pos(100, 100);
    f.run_ticks(16);
    EXPECT_EQ(f.sound(SE_FALL_NEAR), 1);
    EXPECT_EQ(f.sound(SE_FALL_FAR), 0);
}

// Using the Terminal arms the yellow disks at the end of that tick: every disk
// at rest blasts in the next one, a disk being pushed in the tick after its
// push ends.
TEST(YellowDisk, TerminalBlowsUpEveryDisk) {
    TestField f = FieldFromText({"##############",
                                 "#PT          #",
                                 "#   y  y     #",
                                 "#            #",
                                 "##############"});
    KV_Cell& pushed = put_active(f, 1, 11, 2, T::Disk_Yellow);
    pushed.set_u16(0, uint16_t(Yellow::Pushed));
    pushed.set_u16(2, uint16_t(KV_Logic::KV_DiskPush::Right));
    pushed.set_u32(4, 10);

    f.tick(DIR_RIGHT);
    EXPECT_TRUE(f.status().get_terminal_used());
    EXPECT_TRUE(f.status().get_yellow_armed());
    EXPECT_EQ(count_of(f, 1, T::Disk_Yellow), 3);
    f.tick();
    EXPECT_EQ(f.type_at(1, 4, 2), T::Empty);
    EXPECT_EQ(f.type_at(1, 7, 2), T::Empty);
    EXPECT_EQ(fire_at(f, 4, 2), 1u);
    EXPECT_EQ(fire_at(f, 7, 2), 1u);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 2);
    EXPECT_EQ(f.type_at(1, 11, 2), T::Disk_Yellow);
    f.run_ticks(4);  // tick 6: the push ends at its 16th tick
    EXPECT_EQ(KV_Logic::Disk_Yellow::View{f.at(KV_LAYER_ITEMS, 11, 2)}.state(), Yellow::At_Rest);
    f.tick();
    EXPECT_EQ(f.type_at(1, 11, 2), T::Empty);
    EXPECT_EQ(fire_at(f, 11, 2), 1u);
    EXPECT_EQ(f.type_at(2, 1, 1), T::Pellik);
}

TEST(YellowDisk, PushTempGoesAfter31Ticks) {
    for (uint32_t s : {1u, 2u, 4u, 8u}) {
        TestField f = FieldFromText({"###", "# #", "###"});
        put_active(f, 1, 1, 1, T::Disk_Yellow_Push_Temp).set_u32(0, s);
        f.run_ticks(30);
        EXPECT_EQ(f.type_at(1, 1, 1), T::Disk_Yellow_Push_Temp) << s;
        f.tick();
        EXPECT_EQ(f.type_at(1, 1, 1), T::Empty) << s;
    }
}

// ---- red disk ----

// Eaten: counted in the first tick, gone after 16; walked over, with sound 4.
TEST(RedDisk, EatenDiskCountsAtOnceAndGoesAfter16Ticks) {
    for (uint16_t s : {uint16_t(2), uint16_t(4)}) {
        TestField f = FieldFromText({"###", "# #", "###"});
        put_active(f, 1, 1, 1, T::Disk_Red).set_state(s);
        f.tick();
        EXPECT_EQ(f.status().get_red_disks(), 1) << s;
        f.run_ticks(14);
        EXPECT_EQ(f.type_at(1, 1, 1), T::Disk_Red) << s;
        f.tick();
        EXPECT_EQ(f.type_at(1, 1, 1), T::Empty) << s;
        EXPECT_EQ(f.sound(SE_EAT), s == 4 ? 1 : 0) << s;
        EXPECT_EQ(f.status().get_red_disks(), 1) << s;
    }
}

// Pellik lays a disk after holding fire 132 ticks and walks off; the disk
// blasts exactly 80 ticks after it was laid.
TEST(RedDisk, LaidByPellikBlastsAfterItsFuse) {
    TestField f = FieldFromText({"########",
                                 "#P     #",
                                 "########"});
    f.status().inc_red_disks();
    f.run_ticks(131, KEY_FIRE);
    EXPECT_EQ(f.type_at(3, 1, 1), T::Empty);
    f.tick(KEY_FIRE);  // tick 132
    ASSERT_EQ(f.type_at(3, 1, 1), T::Disk_Red);
    EXPECT_EQ(f.at(KV_LAYER_FIXTURES, 1, 1).get_state(), uint16_t(KV_Logic::Disk_Red::State::Laid));
    EXPECT_EQ(f.status().get_red_disks(), 0);
    EXPECT_EQ(f.sound(SE_SWITCH), 1);
    f.run_ticks(40, DIR_RIGHT);  // out of the blast
    f.run_ticks(39);             // tick 211
    EXPECT_EQ(f.type_at(3, 1, 1), T::Disk_Red);
    f.tick();  // tick 212
    EXPECT_EQ(fire_at(f, 1, 1), 1u);
    EXPECT_EQ(fire_at(f, 2, 1), 1u);
    EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), 1);
    EXPECT_TRUE(f.status().test_state(GS_RUNNING));
}

// ---- corrupt cells ----

TEST(DiskErrors, UnknownStatesAndDirectionsNameTheObject) {
    using Entry = void (*)(const KV_ObjectContext&);
    struct Case {
        T type;
        Entry entry;
        uint16_t w0, w1, w4;  // u16 at state bytes 0, 2 and 4
        const char* text;
    };
    namespace L = KV_Logic;
    const Case cases[] = {
        {T::Disk_Orange, &L::Disk_Orange::time_critical, 3, 1, 0, "KV_Logic::Disk_Orange, time_critical, unknown state 3"},
        {T::Disk_Orange, &L::Disk_Orange::process, 1, 1, 0, "KV_Logic::Disk_Orange, process, unknown state 1"},
        {T::Disk_Orange, &L::Disk_Orange::time_critical, 16, 1, 0,
         "KV_Logic::Disk_Orange, do_start_pushing, unknown push direction 1"},
        {T::Disk_Orange, &L::Disk_Orange::time_critical, 128, 8, 1,
         "KV_Logic::Disk_Orange, do_start_pushing, unknown push direction 8"},
        {T::Disk_Orange, &L::Disk_Orange::process, 4, 16, 0, "KV_Logic::Disk_Orange, do_pushing, unknown push direction"},
        {T::Disk_Orange_Fall_Temp, &L::Disk_Orange_Fall_Temp::process, 2, 0, 0,
         "KV_Logic::Disk_Orange_Fall_Temp, process, unknown state 2"},
        {T::Disk_Orange_Push_Temp, &L::Disk_Orange_Push_Temp::process, 8, 0, 0,
         "KV_Logic::Disk_Orange_Push_Temp, process, unknown state 8"},
        {T::Disk_Orange_Clone, &L::Disk_Orange_Clone::process, 3, 0, 0,
         "KV_Logic::Disk_Orange_Clone, process, unknown state 3"},
        {T::Disk_Yellow, &L::Disk_Yellow::process, 4, 1, 0, "KV_Logic::Disk_Yellow, process, unknown state 4"},
        {T::Disk_Yellow_Push_Temp, &L::Disk_Yellow_Push_Temp::process, 64, 0, 0,
         "KV_Logic::Disk_Yellow_Push_Temp, process, unknown state 64"},
        {T::Disk_Red, &L::Disk_Red::process, 1, 1, 0, "KV_Logic::Disk_Red, process, unknown state"},
    };
    for (const Case& c : cases) {
        TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
        put_cell(*f.level, KV_LAYER_ITEMS, 2, 2, c.type);
        KV_Cell& cell = f.at(KV_LAYER_ITEMS, 2, 2);
        cell.set_u16(0, c.w0);
        cell.set_u16(2, c.w1);
        cell.set_u16(4, c.w4);
        EXPECT_EQ(fatal_message([&] { c.entry(KV_Interfaces::context_at(f.level.get(), 1, 2, 2)); }), c.text);
    }
}

}  // namespace
