// Explosions: what a blast does to each type in each layer, the objects that
// blow up at once, the falling-object hit tests, and the area itself.
#include <gtest/gtest.h>

#include <string>

#include "game/objects/explosions.h"
#include "game/objects/disks.h"
#include "game/objects/enemies.h"
#include "game/objects/fatal.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {
using namespace KV_Interfaces;
using T = KV_ObjectType;
using Orange = KV_Logic::Disk_Orange::State;

constexpr int CX = 2, CY = 2;  // the middle of a bordered 3 x 3 room

struct Room {
    TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
    KV_Cell& put(int layer, int x, int y, T type) {
        put_cell(*f.level, layer, x, y, type);
        return f.at(layer, x, y);
    }
    KV_ObjectContext ctx(int layer, int x = CX, int y = CY) { return context_at(f.level.get(), layer, x, y); }
    void blast(bool quarkel, int x = CX, int y = CY) {
        if (quarkel) KV_Logic::explode_quarkel_at(ctx(1, x, y));
        else KV_Logic::explode_normal_at(ctx(1, x, y));
    }
    // The kind of the layer-3 fire at (x, y), or 0 when there is none.
    uint32_t fire(int x = CX, int y = CY) {
        const KV_Cell& c = f.at(KV_LAYER_FIXTURES, x, y);
        return c.is(T::Explosion) ? c.get_u32(0) : 0;
    }
};

// ---- the area explosion, type by type ----

struct BlastRow {
    const char* name;
    int layer;
    T type;
    uint16_t state;  // 0: as the prototype
    T after;         // what the object's cell holds afterwards (layer 3: only when there is no fire)
    uint32_t fire_normal, fire_quarkel;  // layer-3 fire kind afterwards, 0 for none
};

const BlastRow BLAST_ROWS[] = {
    {"nothing", 1, T::Empty, 0, T::Empty, 1, 4},
    {"hardware survives", 3, T::Hardware, 0, T::Hardware, 0, 0},
    {"pellik move temp survives", 2, T::Pellik_Move_Temp, 0, T::Pellik_Move_Temp, 1, 4},
    {"grobble fall temp survives", 1, T::Grobble_Fall_Temp, 0, T::Grobble_Fall_Temp, 1, 4},
    {"quarkel fall temp survives", 1, T::Quarkel_Fall_Temp, 0, T::Quarkel_Fall_Temp, 1, 4},
    {"base", 1, T::Base, 0, T::Empty, 1, 4},
    {"grobble slide temp", 1, T::Grobble_Slide_Temp, 0, T::Empty, 1, 4},
    {"grobble slide fall temp", 1, T::Grobble_Slide_Fall_Temp, 0, T::Empty, 1, 4},
    {"ram", 1, T::RAM, 0, T::Empty, 1, 4},
    {"quarkel slide temp", 1, T::Quarkel_Slide_Temp, 0, T::Empty, 1, 4},
    {"quarkel slide fall temp", 1, T::Quarkel_Slide_Fall_Temp, 0, T::Empty, 1, 4},
    {"grobble push temp", 1, T::Grobble_Push_Temp, 0, T::Empty, 1, 4},
    {"grobble clone", 1, T::Grobble_Clone, 0, T::Empty, 1, 4},
    {"exit", 1, T::Exit, 0, T::Empty, 1, 4},
    {"terminal", 1, T::Terminal, 0, T::Empty, 1, 4},
    {"orange clone", 1, T::Disk_Orange_Clone, 0, T::Empty, 1, 4},
    {"bug", 1, T::Bug, 0, T::Empty, 1, 4},
    {"invisible wall", 1, T::Invisible_Wall, 0, T::Empty, 1, 4},
    {"grobble at rest", 1, T::Grobble, 0, T::Empty, 1, 4},
    {"grobble pushed", 1, T::Grobble, 4, T::Grobble, 1, 4},
    {"grobble leaned on", 1, T::Grobble, 16, T::Grobble, 1, 4},
    {"quarkel", 1, T::Quarkel, 0, T::Empty, 1, 4},
    {"yellow disk", 1, T::Disk_Yellow, 0, T::Empty, 2, 8},
    {"yellow push temp reserved", 1, T::Disk_Yellow_Push_Temp, 16, T::Empty, 1, 4},
    {"yellow push temp left behind", 1, T::Disk_Yellow_Push_Temp, 1, T::Disk_Yellow_Push_Temp, 2, 8},
    {"red disk lying", 1, T::Disk_Red, 0, T::Empty, 1, 4},
    {"red disk laid", 3, T::Disk_Red, 8, T::Explosion, 1, 4},
    {"orange disk", 1, T::Disk_Orange, 0, T::Empty, 2, 8},
    {"orange fall temp reservation", 1, T::Disk_Orange_Fall_Temp, 2, T::Empty, 1, 4},
    {"orange fall temp, disk gone", 1, T::Disk_Orange_Fall_Temp, 1, T::Empty, 2, 8},
    {"orange push temp reserved", 1, T::Disk_Orange_Push_Temp, 8, T::Empty, 1, 4},
    {"orange push temp left behind", 1, T::Disk_Orange_Push_Temp, 2, T::Disk_Orange_Push_Temp, 2, 8},
    {"explosion in layer 1 is left alone", 1, T::Explosion, 0, T::Explosion, 1, 4},
    {"port up-down", 3, T::Port_U_To_D, 0, T::Explosion, 1, 4},
    {"port down-up", 3, T::Port_D_To_U, 0, T::Explosion, 1, 4},
    {"port left-right", 3, T::Port_L_To_R, 0, T::Explosion, 1, 4},
    {"port right-left", 3, T::Port_R_To_L, 0, T::Explosion, 1, 4},
    {"port horizontal", 3, T::Port_Horizontal, 0, T::Explosion, 1, 4},
    {"port vertical", 3, T::Port_Vertical, 0, T::Explosion, 1, 4},
    {"port cross", 3, T::Port_Cross, 0, T::Explosion, 1, 4},
    {"gnarrow", 2, T::Gnarrow, 0, T::Empty, 2, 8},
    {"gnarrow temp, enemy went down", 2, T::Gnarrow_Temp, 8, T::Gnarrow_Temp, 1, 4},
    {"electron makes quarkel fire", 2, T::Electron, 0, T::Empty, 8, 8},
    {"electron temp, enemy went down", 2, T::Electron_Temp, 8, T::Electron_Temp, 1, 4},
    {"pellik static", 2, T::Pellik_Static, 0, T::Empty, 2, 8},
    {"pellik ready", 2, T::Pellik, 0, T::Empty, 2, 8},
    {"pellik eating in place", 2, T::Pellik, 8, T::Empty, 2, 8},
    {"pellik pushing", 2, T::Pellik, 16, T::Pellik, 1, 4},
};

TEST(AreaExplosion, WhatItLeavesOfEachTypeInBothFlavours) {
    for (const BlastRow& r : BLAST_ROWS) {
        for (bool quarkel : {false, true}) {
            SCOPED_TRACE(std::string(r.name) + (quarkel ? " (quarkel)" : " (normal)"));
            Room room;
            KV_Cell& c = room.put(r.layer, CX, CY, r.type);
            if (r.state) c.set_state(r.state);
            room.blast(quarkel);
            const uint32_t fire = quarkel ? r.fire_quarkel : r.fire_normal;
            EXPECT_EQ(room.fire(), fire);
            if (r.layer != 3 || fire == 0) {
                EXPECT_EQ(room.f.type_at(r.layer, CX, CY), r.after);
            }
            // Layers with nothing in them stay empty; only layer 3 burns.
            for (int l = 0; l < 3; ++l) {
                if (l != r.layer) {
                    EXPECT_EQ(room.f.type_at(l, CX, CY), T::Empty) << "layer " << l;
                }
            }
        }
    }
}

TEST(AreaExplosion, FillsTheThreeByThreeAreaOnly) {
    TestField f = FieldFromText({"       ", "       ", "       ", "       ", "       "});
    KV_Logic::explode_normal_at(context_at(f.level.get(), 1, 3, 2));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            const bool inside = x >= 2 && x <= 4 && y >= 1 && y <= 3;
            EXPECT_EQ(f.type_at(3, x, y), inside ? T::Explosion : T::Empty) << x << "," << y;
        }
}

// Centres on the field's edge burn only the positions that exist.
TEST(AreaExplosion, StaysInsideTheField) {
    for (int cx : {0, 2})
        for (int cy : {0, 2}) {
            TestField f = FieldFromText({"   ", "   ", "   "});
            KV_Logic::explode_normal_at(context_at(f.level.get(), 1, cx, cy));
            int fires = 0;
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) fires += f.type_at(3, x, y) == T::Explosion;
            EXPECT_EQ(fires, 4) << cx << "," << cy;
            EXPECT_EQ(f.type_at(3, 1, 1), T::Explosion);
        }
}

TEST(AreaExplosion, SoundIsNearWithinTenColumnsAndSevenRowsOfThePlayer) {
    const struct {
        int px, py;
        int near, far;
    } rows[] = {{2, 2, 1, 0}, {12, 2, 1, 0}, {13, 2, 0, 1}, {2, 9, 1, 0}, {2, 10, 0, 1}};
    for (const auto& r : rows) {
        std::vector<std::string> pic(12, std::string(16, ' '));
        TestField f = FieldFromText(pic);
        f.level->set_player_pos(r.px, r.py);
        KV_Logic::explode_quarkel_at(context_at(f.level.get(), 1, 2, 2));
        EXPECT_EQ(f.sound(SE_EXPLOSION_NEAR), r.near) << r.px << "," << r.py;
        EXPECT_EQ(f.sound(SE_EXPLOSION_FAR), r.far) << r.px << "," << r.py;
    }
}

TEST(AreaExplosion, QuarkelNextToOrangeDiskBurnsPlainAndTheDiskChains) {
    Room room;
    room.put(1, 2, 2, T::Quarkel);
    room.put(1, 3, 2, T::Disk_Orange);
    room.blast(false);
    EXPECT_EQ(room.fire(2, 2), 1u);
    EXPECT_EQ(room.fire(3, 2), 2u);
    EXPECT_EQ(room.f.type_at(1, 3, 2), T::Empty);
}

TEST(AreaExplosion, RestartsABurningFireButNotADelayedOne) {
    const struct {
        uint32_t kind;
        bool quarkel;
        uint32_t kind_after, ticks_after;
        bool done;
    } rows[] = {
        {1, false, 1, 0, true}, {4, false, 1, 0, true}, {1, true, 4, 0, true},
        {2, false, 2, 40, false}, {8, false, 8, 40, false}, {2, true, 2, 40, false},
    };
    for (const auto& r : rows) {
        Room room;
        KV_Cell& c = room.put(3, CX, CY, T::Explosion);
        c.set_u32(0, r.kind);
        c.set_u32_4(40);
        c.flags &= ~CF_DONE;
        room.blast(r.quarkel);
        EXPECT_EQ(c.get_u32(0), r.kind_after) << r.kind;
        EXPECT_EQ(c.get_u32_4(), r.ticks_after) << r.kind;
        EXPECT_EQ(c.has(CF_DONE), r.done) << r.kind;
    }
}

TEST(AreaExplosion, FireOverAWallInLayerOne) {
    Room room;
    room.put(1, CX, CY, T::Grobble_Fall_Temp);
    room.blast(false);
    EXPECT_EQ(room.fire(), 1u);
    EXPECT_FALSE(is_deadly_to_pellik(room.ctx(3)));
}

// ---- Pellik ----

struct PellikSetup {
    Room room;
    KV_Cell* pellik;
    PellikSetup(uint16_t state, uint8_t dir) {
        pellik = &room.put(2, CX, CY, T::Pellik);
        pellik->set_state(state);
        pellik->set_u8(4, dir);
        room.f.level->set_player_pos(CX, CY);
        room.f.level->set_has_player(true);
    }
};

TEST(PellikExplodes, MovingTakesItsMoveTempAlongEatingOverLeavesIt) {
    const struct {
        uint16_t state;
        uint8_t dir;
        int tx, ty;  // where its move temp is
        bool temp_goes;
    } rows[] = {
        {2, DIR_LEFT, CX + 1, CY, true},  {2, DIR_UP, CX, CY + 1, true},  {2, DIR_RIGHT, CX - 1, CY, true},
        {2, DIR_DOWN, CX, CY - 1, true},  {16, DIR_LEFT, CX + 1, CY, true}, {4, DIR_LEFT, CX + 1, CY, false},
    };
    for (const auto& r : rows) {
        PellikSetup s(r.state, r.dir);
        s.room.put(2, r.tx, r.ty, T::Pellik_Move_Temp);
        do_explode_delayed_normal(s.room.ctx(2), 2);
        EXPECT_EQ(s.room.f.type_at(2, r.tx, r.ty), r.temp_goes ? T::Empty : T::Pellik_Move_Temp)
            << r.state << " " << int(r.dir);
        EXPECT_EQ(s.room.f.type_at(2, CX, CY), T::Empty);
        EXPECT_EQ(s.room.fire(), 2u);
        EXPECT_FALSE(s.room.f.level->get_has_player());
        EXPECT_EQ(s.room.f.status().get_state(), GS_PLAYER_DESTROYED);
    }
}

TEST(PellikExplodes, AfterTheExitTheGameStaysWon) {
    PellikSetup s(1, DIR_LEFT);
    s.room.f.status().set_state(GS_EXIT_REACHED);
    do_explode_normal(s.room.ctx(2), 2);
    EXPECT_EQ(s.room.f.status().get_state(), GS_EXIT_REACHED);
    EXPECT_FALSE(s.room.f.level->get_has_player());
}

TEST(PellikExplodes, ImmediatelyBlastsItsArea) {
    for (bool quarkel : {false, true}) {
        PellikSetup s(1, DIR_LEFT);
        s.room.put(1, CX + 1, CY + 1, T::Disk_Yellow);
        if (quarkel) do_explode_quarkel(s.room.ctx(2), 2);
        else do_explode_normal(s.room.ctx(2), 2);
        EXPECT_EQ(s.room.fire(), quarkel ? 4u : 1u);
        EXPECT_EQ(s.room.fire(CX + 1, CY + 1), quarkel ? 8u : 2u);
        EXPECT_EQ(s.room.f.sound(SE_EXPLOSION_NEAR), 1);
    }
}

TEST(PellikExplodes, CorruptMoveDirectionNamesTheOperation) {
    const struct {
        void (*op)(const KV_ObjectContext&, uint32_t);
        const char* text;
    } rows[] = {
        {&do_explode_normal, "KV_Interfaces::Explodeable::Pellik, do_explode_normal, unknown move direction"},
        {&do_explode_quarkel, "KV_Interfaces::Explodeable::Pellik, do_explode_quarkel, unknown move direction"},
        {&do_explode_delayed_normal,
         "KV_Interfaces::Explodeable::Pellik, do_explode_delayed_normal, unknown move direction"},
        {&do_explode_delayed_quarkel,
         "KV_Interfaces::Explodeable::Pellik, do_explode_delayed_quarkel, unknown move direction"},
    };
    for (const auto& r : rows) {
        PellikSetup s(2, 3);
        EXPECT_EQ(fatal_message([&] { r.op(s.room.ctx(2), 2); }), r.text);
    }
}

TEST(PellikStatic, TakesTheRealPellikWithItWhereverItIs) {
    for (bool delayed : {true, false}) {
        TestField f = FieldFromText({"#########", "#S     P#", "#########"});
        const KV_ObjectContext statue = context_at(f.level.get(), 2, 1, 1);
        if (delayed) do_explode_delayed_quarkel(statue, 2);
        else do_explode_quarkel(statue, 2);
        EXPECT_EQ(f.type_at(2, 1, 1), T::Empty);
        EXPECT_EQ(f.type_at(2, 7, 1), T::Empty);
        EXPECT_EQ(f.status().get_state(), GS_PLAYER_DESTROYED);
        // The real Pellik blasts its own area at once.
        EXPECT_EQ(f.at(KV_LAYER_FIXTURES, 6, 1).get_u32(0), 4u);
        EXPECT_EQ(f.at(KV_LAYER_FIXTURES, 1, 1).get_u32(0), delayed ? 8u : 4u);
    }
}

// ---- Grobble and Quarkel take their placeholders along ----

TEST(FallerExplodes, RemovesItsFallAndSlideTemps) {
    using G = KV_GrobbleState;
    using Q = KV_QuarkelState;
    using Ph = KV_SlidePhase;
    const struct {
        T type;
        uint16_t state;
        KV_SlidePhase phase;
        int dy;  // where the temp lies: -1 above, +1 below
        T temp;
        bool goes;
    } rows[] = {
        {T::Grobble, uint16_t(G::Falling), Ph::Created, -1, T::Grobble_Fall_Temp, true},
        {T::Grobble, uint16_t(G::Sliding_Left), Ph::Sliding_Down, +1, T::Grobble_Slide_Fall_Temp, true},
        {T::Grobble, uint16_t(G::Sliding_Right), Ph::Sliding_Down, +1, T::Grobble_Slide_Fall_Temp, true},
        {T::Grobble, uint16_t(G::Sliding_Left), Ph::Sliding, +1, T::Grobble_Slide_Fall_Temp, false},
        {T::Grobble, uint16_t(G::Slide_Ended), Ph::Created, +1, T::Grobble_Slide_Fall_Temp, true},
        {T::Grobble, uint16_t(G::At_Rest), Ph::Created, -1, T::Grobble_Fall_Temp, false},
        {T::Grobble, uint16_t(G::Falling), Ph::Created, -1, T::Quarkel_Fall_Temp, false},  // not its own kind
        {T::Quarkel, uint16_t(Q::Falling), Ph::Created, -1, T::Quarkel_Fall_Temp, true},
        {T::Quarkel, uint16_t(Q::Sliding_Left), Ph::Sliding_Down, +1, T::Quarkel_Slide_Fall_Temp, true},
        {T::Quarkel, uint16_t(Q::Sliding_Right), Ph::Sliding_Down, +1, T::Quarkel_Slide_Fall_Temp, true},
        {T::Quarkel, uint16_t(Q::Sliding_Right), Ph::Check_Point, +1, T::Quarkel_Slide_Fall_Temp, false},
        {T::Quarkel, uint16_t(Q::Slide_Ended), Ph::Created, +1, T::Quarkel_Slide_Fall_Temp, true},
        {T::Quarkel, uint16_t(Q::Eaten_In_Place), Ph::Sliding_Down, +1, T::Quarkel_Slide_Fall_Temp, false},
    };
    for (const auto& r : rows) {
        for (bool quarkel : {false, true}) {
            Room room;
            KV_Cell& c = room.put(1, CX, CY, r.type);
            c.set_state(r.state);
            KV_Logic::FallerState{c}.set_slide_phase(r.phase);
            room.put(1, CX, CY + r.dy, r.temp);
            if (quarkel) do_explode_delayed_quarkel(room.ctx(1), 1);
            else do_explode_delayed_normal(room.ctx(1), 1);
            EXPECT_EQ(room.f.type_at(1, CX, CY), T::Empty);
            EXPECT_EQ(room.f.type_at(1, CX, CY + r.dy), r.goes ? T::Empty : r.temp)
                << int(r.type) << " state " << r.state << " phase " << int(r.phase);
        }
    }
}

// ---- disks and their temps ----

TEST(DiskExplodes, RedDiskOutsideLayersOneAndThreeIsFatal) {
    Room room;
    room.put(2, CX, CY, T::Disk_Red);
    EXPECT_EQ(fatal_message([&] { do_explode_delayed_normal(room.ctx(2), 2); }),
              "KV_Interfaces::Explodeable::Disk_Red, do_explode_delayed_normal, unknown layer");
    room.put(0, CX, CY, T::Disk_Red);
    EXPECT_EQ(fatal_message([&] { do_explode_delayed_quarkel(room.ctx(0), 0); }),
              "KV_Interfaces::Explodeable::Disk_Red, do_explode_delayed_quarkel, unknown layer");
}

TEST(DiskExplodes, PushTempsInAnUnknownStateAreFatal) {
    const struct {
        T type;
        bool quarkel;
        const char* text;
    } rows[] = {
        {T::Disk_Yellow_Push_Temp, false,
         "KV_Interfaces::Disk_Yellow_Push_Temp::Explodable, do_explode_delayed_normal, unknown state"},
        {T::Disk_Yellow_Push_Temp, true,
         "KV_Interfaces::Disk_Yellow_Push_Temp::Explodable, do_explode_delayed_quarkel, unknown state"},
        {T::Disk_Orange_Push_Temp, false,
         "KV_Interfaces::Disk_Orange_Push_Temp::Explodable, do_explode_delayed_normal, unknown state"},
        {T::Disk_Orange_Push_Temp, true,
         "KV_Interfaces::Disk_Orange_Push_Temp::Explodable, do_explode_delayed_quarkel, unknown state"},
    };
    for (const auto& r : rows) {
        Room room;
        room.put(1, CX, CY, r.type).set_state(0);
        EXPECT_EQ(fatal_message([&] { room.blast(r.quarkel); }), r.text);
    }
}

TEST(DiskExplodes, ExplosionInAnUnknownStateIsFatal) {
    Room room;
    room.put(3, CX, CY, T::Explosion).set_u32(0, 3);
    EXPECT_EQ(fatal_message([&] { room.blast(false); }),
              "KV_Interfaces::IExplodeable::Explosion,do_explode_delayed_normal, unknown state");
    EXPECT_EQ(fatal_message([&] { room.blast(true); }),
              "KV_Interfaces::IExplodeable::Explosion,do_explode_delayed_quarkel, unknown state");
}

// The temp above a falling orange disk decides where the disk's fire goes.
TEST(DiskExplodes, OrangeFallTempOverItsFallingDisk) {
    namespace Fall = KV_Logic::Disk_Orange_Fall_Temp;
    constexpr uint32_t kDelayed = uint32_t(KV_ExplosionState::Delayed_Normal);
    const struct {
        const char* name;
        uint16_t temp_state;
        uint32_t temp_ticks;
        bool disk_below;
        bool disk_goes;
        uint32_t fire_at_temp, fire_at_disk;  // as the entry leaves them, 0 for none
    } rows[] = {
        {"reservation", Fall::Reserved, 0, true, false, 0, 0},
        {"step nearly over", Fall::Left_Behind, 17, true, false, 0, 0},
        {"disk gone", Fall::Left_Behind, 5, false, false, kDelayed, 0},
        {"fall just begun", Fall::Left_Behind, 0, true, true, kDelayed, 0},
        {"fall begun a tick ago", Fall::Left_Behind, 1, true, true, kDelayed, 0},
        {"fall under way", Fall::Left_Behind, 2, true, true, 0, kDelayed},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        Room room;
        KV_Cell& temp = room.put(1, CX, CY, T::Disk_Orange_Fall_Temp);
        temp.set_u32(0, r.temp_state);
        temp.set_u32_4(r.temp_ticks);
        if (r.disk_below) room.put(1, CX, CY + 1, T::Disk_Orange).set_state(uint16_t(Orange::Falling));
        do_explode_delayed_normal(room.ctx(1), 1);
        EXPECT_EQ(room.f.type_at(1, CX, CY), T::Empty);
        if (r.disk_below) {
            EXPECT_EQ(room.f.type_at(1, CX, CY + 1), r.disk_goes ? T::Empty : T::Disk_Orange);
        }
        EXPECT_EQ(room.fire(CX, CY), r.fire_at_temp);
        EXPECT_EQ(room.fire(CX, CY + 1), r.fire_at_disk);
    }
}

TEST(DiskExplodes, FallingOrangeDiskIsLeftToItsFallTemp) {
    Room room;
    room.put(1, CX, CY, T::Disk_Orange).set_state(uint16_t(Orange::Falling));
    EXPECT_TRUE(can_explode(room.ctx(1), 1));
    room.put(1, CX, CY - 1, T::Disk_Orange_Fall_Temp);
    EXPECT_FALSE(can_explode(room.ctx(1), 1));
    room.f.at(KV_LAYER_ITEMS, CX, CY).set_state(uint16_t(Orange::At_Rest));
    EXPECT_TRUE(can_explode(room.ctx(1), 1));
}

// ---- enemies and their temps ----

TEST(EnemyExplodes, MovingEnemyTakesItsTempAlong) {
    using ED = KV_EnemyDirection;
    const struct {
        T enemy, temp;
        KV_EnemyDirection dir;
        int tx, ty;
    } rows[] = {
        {T::Gnarrow, T::Gnarrow_Temp, ED::Left, CX + 1, CY},    {T::Gnarrow, T::Gnarrow_Temp, ED::Right, CX - 1, CY},
        {T::Gnarrow, T::Gnarrow_Temp, ED::Up, CX, CY + 1},      {T::Gnarrow, T::Gnarrow_Temp, ED::Down, CX, CY - 1},
        {T::Electron, T::Electron_Temp, ED::Left, CX + 1, CY}, {T::Electron, T::Electron_Temp, ED::Down, CX, CY - 1},
    };
    for (const auto& r : rows) {
        Room room;
        KV_Cell& e = room.put(2, CX, CY, r.enemy);
        e.set_state(2);
        KV_Logic::KV_EnemyView{e}.set_direction(r.dir);
        room.put(2, r.tx, r.ty, r.temp);
        do_explode_delayed_normal(room.ctx(2), 2);
        EXPECT_EQ(room.f.type_at(2, CX, CY), T::Empty);
        EXPECT_EQ(room.f.type_at(2, r.tx, r.ty), T::Empty) << int(r.enemy) << " dir " << int(r.dir);
        EXPECT_EQ(room.fire(), r.enemy == T::Electron ? 8u : 2u);
    }
    // Not moving: a temp beside it is someone else's.
    Room room;
    room.put(2, CX, CY, T::Gnarrow).set_u8(4, 1);
    room.put(2, CX + 1, CY, T::Gnarrow_Temp);
    do_explode_delayed_normal(room.ctx(2), 2);
    EXPECT_EQ(room.f.type_at(2, CX + 1, CY), T::Gnarrow_Temp);
}

TEST(EnemyExplodes, ElectronAlwaysBlastsInTheQuarkelFlavour) {
    for (T type : {T::Electron, T::Gnarrow}) {
        Room room;
        room.put(2, CX, CY, type);
        do_explode_normal(room.ctx(2), 2);
        EXPECT_EQ(room.fire(CX, CY), type == T::Electron ? 4u : 1u);
        EXPECT_EQ(room.fire(CX - 1, CY - 1), type == T::Electron ? 4u : 1u);
    }
}

TEST(EnemyExplodes, CorruptMoveDirectionNamesEnemyAndOperation) {
    const char* ops[] = {"do_explode_normal", "do_explode_quarkel", "do_explode_delayed_normal",
                         "do_explode_delayed_quarkel"};
    void (*calls[])(const KV_ObjectContext&, uint32_t) = {&do_explode_normal, &do_explode_quarkel,
                                                          &do_explode_delayed_normal, &do_explode_delayed_quarkel};
    for (T type : {T::Gnarrow, T::Electron}) {
        for (int i = 0; i < 4; ++i) {
            Room room;
            KV_Cell& e = room.put(2, CX, CY, type);
            e.set_state(2);
            e.set_u8(4, 0);
            const std::string name = type == T::Gnarrow ? "Gnarrow" : "Electron";
            EXPECT_EQ(fatal_message([&] { calls[i](room.ctx(2), 2); }),
                      "KV_Interfaces::Explodeable::" + name + ", " + ops[i] + ", unknown move direction");
        }
    }
}

TEST(EnemyTempExplodes, DelayedFireGoesWhereTheEnemyWent) {
    const struct {
        T temp, enemy;
        uint32_t went;  // 1 left, 2 up, 4 right, 8 down
        int ex, ey;
        bool quarkel;
        uint32_t kind;
    } rows[] = {
        {T::Gnarrow_Temp, T::Gnarrow, 1, CX - 1, CY, false, 2},
        {T::Gnarrow_Temp, T::Gnarrow, 2, CX, CY - 1, false, 2},
        {T::Gnarrow_Temp, T::Gnarrow, 4, CX + 1, CY, true, 8},
        {T::Gnarrow_Temp, T::Gnarrow, 8, CX, CY + 1, true, 8},
        {T::Electron_Temp, T::Electron, 4, CX + 1, CY, false, 8},
        {T::Electron_Temp, T::Electron, 1, CX - 1, CY, true, 8},
    };
    for (const auto& r : rows) {
        Room room;
        room.put(2, CX, CY, r.temp).set_u32(0, r.went);
        room.put(2, r.ex, r.ey, r.enemy);
        if (r.quarkel) do_explode_delayed_quarkel(room.ctx(2), 2);
        else do_explode_delayed_normal(room.ctx(2), 2);
        EXPECT_EQ(room.f.type_at(2, CX, CY), T::Empty);
        EXPECT_EQ(room.f.type_at(2, r.ex, r.ey), T::Empty);
        EXPECT_EQ(room.fire(r.ex, r.ey), r.kind) << int(r.temp) << " went " << r.went;
        EXPECT_EQ(room.fire(CX, CY), 0u);
    }
}

TEST(EnemyTempExplodes, ImmediateBlastIsAroundTheTemp) {
    for (T temp : {T::Gnarrow_Temp, T::Electron_Temp}) {
        Room room;
        room.put(2, CX, CY, temp).set_u32(0, 4);
        room.put(2, CX + 1, CY, temp == T::Gnarrow_Temp ? T::Gnarrow : T::Electron);
        do_explode_normal(room.ctx(2), 2);
        EXPECT_EQ(room.f.type_at(2, CX + 1, CY), T::Empty);
        EXPECT_EQ(room.fire(CX - 1, CY - 1), temp == T::Electron_Temp ? 4u : 1u);
        EXPECT_EQ(room.f.sound(SE_EXPLOSION_NEAR) + room.f.sound(SE_EXPLOSION_FAR), 1);
    }
}

TEST(EnemyTempExplodes, UnknownStateTexts) {
    const struct {
        T temp;
        void (*op)(const KV_ObjectContext&, uint32_t);
        const char* text;
    } rows[] = {
        {T::Gnarrow_Temp, &do_explode_normal, "KV_Interfaces::Explodeable::Gnarrow_Temp, do_explode_normal, unknown state"},
        {T::Gnarrow_Temp, &do_explode_quarkel,
         "KV_Interfaces::Explodeable::Gnarrow_Temp, do_explode_quarkel, unknown state"},
        {T::Gnarrow_Temp, &do_explode_delayed_normal,
         "KV_Interfaces::Explodeable::Gnarrow_Temp, do_explode_delayed_normal, unknown state"},
        {T::Gnarrow_Temp, &do_explode_delayed_quarkel,
         "KV_Interfaces::Explodeable::Gnarrow_Temp, do_explode_delayed_quarkel, unknown state"},
        {T::Electron_Temp, &do_explode_normal,
         "KV_Interfaces::Explodeable::Electron_Temp, do_explode_normal, unknown state 3"},
        {T::Electron_Temp, &do_explode_quarkel,
         "KV_Interfaces::Explodeable::Electron_Temp, do_explode_quarkel, unknown state"},
        {T::Electron_Temp, &do_explode_delayed_normal,
         "KV_Interfaces::Explodeable::Electron_Temp, do_explode_delayed_normal, unknown state"},
        {T::Electron_Temp, &do_explode_delayed_quarkel,
         "KV_Interfaces::Explodeable::Electron_Temp, do_explode_delayed_quarkel, unknown state"},
    };
    for (const auto& r : rows) {
        Room room;
        room.put(2, CX, CY, r.temp).set_u32(0, 3);
        EXPECT_EQ(fatal_message([&] { r.op(room.ctx(2), 2); }), r.text);
    }
}

// ---- blowing up at once ----

TEST(ExplodeAtOnce, ObjectVanishesAndBlastsItsAreaInTheAskedFlavour) {
    const struct {
        int layer;
        T type;
        uint16_t state;
    } rows[] = {
        {1, T::Disk_Yellow, 0}, {1, T::Disk_Yellow_Push_Temp, 1}, {1, T::Disk_Red, 0}, {3, T::Disk_Red, 8},
        {1, T::Disk_Orange, 0}, {1, T::Disk_Orange_Push_Temp, 1}, {2, T::Gnarrow, 0},  {2, T::Pellik_Static, 0},
    };
    for (const auto& r : rows) {
        for (bool quarkel : {false, true}) {
            Room room;
            KV_Cell& c = room.put(r.layer, CX, CY, r.type);
            if (r.state) c.set_state(r.state);
            if (quarkel) do_explode_quarkel(room.ctx(r.layer), uint32_t(r.layer));
            else do_explode_normal(room.ctx(r.layer), uint32_t(r.layer));
            const uint32_t plain = quarkel ? 4 : 1;
            if (r.layer != 3) {
                EXPECT_EQ(room.f.type_at(r.layer, CX, CY), T::Empty) << int(r.type);
            }
            EXPECT_EQ(room.fire(CX, CY), plain) << int(r.type);
            EXPECT_EQ(room.fire(CX + 1, CY + 1), plain) << int(r.type);
        }
    }
}

TEST(ExplodeAtOnce, TypesWithoutAnEntryAreLeftAlone) {
    for (T type : {T::Base, T::Grobble, T::Quarkel, T::Hardware}) {
        Room room;
        room.put(1, CX, CY, type);
        do_explode_normal(room.ctx(1), 1);
        EXPECT_EQ(room.f.type_at(1, CX, CY), type);
        EXPECT_EQ(room.fire(), 0u);
    }
}

// ---- hit by a falling Grobble or Quarkel ----

TEST(HitByFalling, WhichObjectsAFallerBlowsUp) {
    const struct {
        const char* name;
        int layer;
        T type;
        uint16_t state;
        uint32_t ticks;  // u32 at state bytes 4-7
        bool on_port;
        bool by_grobble, by_quarkel;
    } rows[] = {
        {"pellik ready", 2, T::Pellik, 1, 0, false, true, true},
        {"pellik moving", 2, T::Pellik, 2, 0, false, true, true},
        {"pellik eating in place", 2, T::Pellik, 8, 0, false, true, true},
        {"pellik eating over", 2, T::Pellik, 4, 0, false, false, false},
        {"pellik pushing", 2, T::Pellik, 16, 0, false, false, false},
        {"pellik leaning", 2, T::Pellik, 32, 0, false, false, false},
        {"pellik on a port", 2, T::Pellik, 1, 0, true, false, false},
        {"yellow disk", 1, T::Disk_Yellow, 1, 0, false, false, true},
        {"yellow temp leaving early", 1, T::Disk_Yellow_Push_Temp, 8, 15, false, true, true},
        {"yellow temp leaving late", 1, T::Disk_Yellow_Push_Temp, 8, 16, false, false, false},
        {"yellow temp reserved", 1, T::Disk_Yellow_Push_Temp, 64, 0, false, false, false},
        {"red disk lying", 1, T::Disk_Red, 1, 0, false, false, true},
        {"red disk laid", 3, T::Disk_Red, 8, 0, false, false, false},
        {"orange disk at rest", 1, T::Disk_Orange, 1, 0, false, true, true},
        {"orange disk pushed", 1, T::Disk_Orange, 4, 0, false, true, true},
        {"orange disk leaned on", 1, T::Disk_Orange, 16, 0, false, true, true},
        {"orange disk lean broken", 1, T::Disk_Orange, 128, 0, false, true, true},
        {"orange disk falling", 1, T::Disk_Orange, 2, 0, false, false, false},
        {"orange disk about to fall", 1, T::Disk_Orange, 8, 0, false, false, false},
        {"orange disk landed", 1, T::Disk_Orange, 256, 0, false, false, false},
        {"orange temp leaving early", 1, T::Disk_Orange_Push_Temp, 2, 15, false, true, true},
        {"orange temp leaving late", 1, T::Disk_Orange_Push_Temp, 2, 16, false, false, false},
        {"orange temp reserved", 1, T::Disk_Orange_Push_Temp, 4, 0, false, false, false},
        {"gnarrow", 2, T::Gnarrow, 1, 0, false, true, true},
        {"gnarrow temp", 2, T::Gnarrow_Temp, 1, 0, false, true, false},
        {"electron", 2, T::Electron, 1, 0, false, true, true},
        {"electron temp", 2, T::Electron_Temp, 1, 0, false, true, false},
        {"pellik static", 2, T::Pellik_Static, 0, 0, false, true, true},
        {"base", 1, T::Base, 1, 0, false, false, false},
        {"grobble", 1, T::Grobble, 1, 0, false, false, false},
    };
    for (const auto& r : rows) {
        Room room;
        KV_Cell& c = room.put(r.layer, CX, CY, r.type);
        c.set_state(r.state);
        c.set_u32_4(r.ticks);
        if (r.on_port) room.put(3, CX, CY, T::Port_Cross);
        EXPECT_EQ(is_hit_by_falling_grobble(room.ctx(r.layer), uint32_t(r.layer)), r.by_grobble) << r.name;
        EXPECT_EQ(is_hit_by_falling_quarkel(room.ctx(r.layer), uint32_t(r.layer)), r.by_quarkel) << r.name;
    }
}

}  // namespace
