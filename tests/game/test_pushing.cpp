// Pushing: when each pushable object may be pushed, and the lean, give-up and
// push transitions with their reservations and placeholders.
#include <gtest/gtest.h>

#include <string>

#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"
#include "game/objects/pushing.h"
#include "support/field_from_text.h"

namespace {
using namespace KV_Interfaces;
using T = KV_ObjectType;

constexpr int OX = 2, OY = 2;  // the pushed object, in the middle of a bordered room

struct Room {
    TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
    // A Grobble needs something under it, or it is about to fall rather than be pushed.
    KV_Cell& put(T type) {
        put_cell(*f.level, KV_LAYER_ITEMS, OX, OY, type);
        if (type == T::Grobble) put_cell(*f.level, KV_LAYER_ITEMS, OX, OY + 1, T::RAM);
        return f.at(KV_LAYER_ITEMS, OX, OY);
    }
    KV_ObjectContext ctx() { return context_at(f.level.get(), 1, OX, OY); }
    KV_Cell& l1(int x, int y) { return f.at(KV_LAYER_ITEMS, x, y); }
};

const uint32_t SIDES[] = {DIR_LEFT, DIR_UP, DIR_RIGHT, DIR_DOWN};

// One push: the side Pellik stands on, where the object goes, and the codes a
// push of that object that way writes into the counter, the reservation and the
// cell left behind (demos replay on these values).
struct Push {
    T type;
    uint32_t side;
    int tx, ty;
    uint16_t direction;
    uint32_t reserved, behind;
};
const Push PUSHES[] = {
    {T::Grobble, DIR_LEFT, 3, 2, 4, 8, 2},        {T::Grobble, DIR_RIGHT, 1, 2, 2, 4, 1},
    {T::Disk_Orange, DIR_LEFT, 3, 2, 4, 8, 2},    {T::Disk_Orange, DIR_RIGHT, 1, 2, 2, 4, 1},
    {T::Disk_Yellow, DIR_LEFT, 3, 2, 4, 32, 2},   {T::Disk_Yellow, DIR_RIGHT, 1, 2, 2, 16, 1},
    {T::Disk_Yellow, DIR_UP, 2, 3, 16, 128, 8},   {T::Disk_Yellow, DIR_DOWN, 2, 1, 8, 64, 4},
};

struct Object {
    T type, push_temp;
    uint16_t leaning, moving;
};
Object object_of(T type) {
    switch (type) {
        case T::Grobble: return {T::Grobble, T::Grobble_Push_Temp, 16, 4};
        case T::Disk_Orange: return {T::Disk_Orange, T::Disk_Orange_Push_Temp, 16, 4};
        default: return {T::Disk_Yellow, T::Disk_Yellow_Push_Temp, 4, 2};
    }
}

std::string trace(const Push& p) {
    return "type " + std::to_string(int(p.type)) + " side " + std::to_string(p.side);
}

TEST(Pushable, SidesEachObjectCanBePushedFrom) {
    for (T type : {T::Grobble, T::Disk_Orange, T::Disk_Yellow}) {
        for (uint32_t side : SIDES) {
            Room room;
            room.put(type);
            const bool sideways = side == DIR_LEFT || side == DIR_RIGHT;
            EXPECT_EQ(IPushing::is_pushable(room.ctx(), side), sideways || type == T::Disk_Yellow)
                << int(type) << " side " << side;
        }
    }
}

TEST(Pushable, BlockedTargetRefuses) {
    for (const Push& p : PUSHES) {
        Room room;
        room.put(p.type);
        put_cell(*room.f.level, KV_LAYER_ITEMS, p.tx, p.ty, T::Base);
        EXPECT_FALSE(IPushing::is_pushable(room.ctx(), p.side)) << trace(p);
    }
}

TEST(Pushable, GrobbleOverAFreeCellOnlyWhenGrobblesAreFrozen) {
    Room room;
    room.put(T::Grobble);
    put_cell(*room.f.level, KV_LAYER_ITEMS, OX, OY + 1, T::Empty);
    EXPECT_FALSE(IPushing::is_pushable(room.ctx(), DIR_LEFT));
    room.f.status().set_freeze_grobbles();
    EXPECT_TRUE(IPushing::is_pushable(room.ctx(), DIR_LEFT));
}

TEST(Pushable, NotWhileMovingButAnOrangeDiskAboutToFall) {
    const struct {
        T type;
        uint16_t state;
        bool pushable;
    } rows[] = {
        {T::Grobble, 2, false},     {T::Grobble, 8, false},     {T::Disk_Orange, 2, false},
        {T::Disk_Orange, 8, true},  {T::Disk_Orange, 32, false}, {T::Disk_Yellow, 2, false},
    };
    for (const auto& r : rows) {
        Room room;
        room.put(r.type).set_state(r.state);
        EXPECT_EQ(IPushing::is_pushable(room.ctx(), DIR_LEFT), r.pushable) << int(r.type) << " " << r.state;
    }
}

TEST(Pushable, YellowDiskOntoAPlainFireOnlyOnceItIsNearlyOut) {
    for (uint32_t ticks : {62u, 63u}) {
        Room room;
        room.put(T::Disk_Yellow);
        KV_Cell& fire = room.f.at(KV_LAYER_FIXTURES, OX + 1, OY);
        KV_Logic::set_cell(fire, T::Explosion);
        fire.set_u32_4(ticks);
        EXPECT_EQ(IPushing::is_pushable(room.ctx(), DIR_LEFT), ticks == 63) << ticks;
    }
}

TEST(WannaPush, ReservesTheTargetAndLeans) {
    for (const Push& p : PUSHES) {
        SCOPED_TRACE(trace(p));
        const Object o = object_of(p.type);
        Room room;
        KV_Cell& c = room.put(p.type);
        c.set_u32_4(0xFFFFFFFF);
        IPushing::wanna_push(room.ctx(), p.side);
        const KV_Cell& reserved = room.l1(p.tx, p.ty);
        EXPECT_TRUE(reserved.is(o.push_temp));
        EXPECT_EQ(reserved.get_u32(0), p.reserved);
        EXPECT_EQ(c.get_state(), o.leaning);
        EXPECT_EQ(c.get_w1(), p.direction);
        if (p.type == T::Disk_Yellow) {
            EXPECT_EQ(c.get_u32_4(), 0u);
            EXPECT_TRUE(c.has(CF_STATIC));  // not processed while leaned on
        } else {
            EXPECT_EQ(c.get_u32_4(), 0xFFFF0000u);
            EXPECT_TRUE(c.has(CF_TIME_CRITICAL));
        }
    }
}

TEST(WannaPush, LeanStaysPossibleThisWayOnlyWithoutLookingAtTheTargetAgain) {
    for (const Push& p : PUSHES) {
        SCOPED_TRACE(trace(p));
        Room room;
        room.put(p.type);
        IPushing::wanna_push(room.ctx(), p.side);
        // The reservation itself is solid: the lean is not measured against it.
        EXPECT_TRUE(IPushing::is_pushable(room.ctx(), p.side));
        const uint32_t opposite = p.side == DIR_LEFT ? DIR_RIGHT : p.side == DIR_RIGHT ? DIR_LEFT
                                : p.side == DIR_UP   ? DIR_DOWN  : DIR_UP;
        EXPECT_FALSE(IPushing::is_pushable(room.ctx(), opposite));
    }
}

TEST(WannaPush, OrangeDiskAboutToFallTakesOverItsReservationBelow) {
    Room room;
    KV_Cell& disk = room.put(T::Disk_Orange);
    disk.set_state(8);
    KV_Cell& below = room.l1(OX, OY + 1);
    KV_Logic::set_cell(below, T::Disk_Orange_Fall_Temp);
    below.set_u32(0, 2);
    IPushing::wanna_push(room.ctx(), DIR_RIGHT);
    EXPECT_EQ(disk.get_state(), 128);
    EXPECT_EQ(below.get_u32(0), 4u);
    EXPECT_EQ(disk.get_w1(), 2);
    EXPECT_TRUE(room.l1(OX - 1, OY).is(T::Disk_Orange_Push_Temp));
}

TEST(DontWannaPush, ObjectLiesStillAgainAndTheReservationGoes) {
    for (const Push& p : PUSHES) {
        SCOPED_TRACE(trace(p));
        Room room;
        KV_Cell& c = room.put(p.type);
        IPushing::wanna_push(room.ctx(), p.side);
        IPushing::dont_wanna_push(room.ctx());
        const KV_Cell& proto = KV_Logic::prototype(p.type);
        EXPECT_EQ(c.type, proto.type);
        EXPECT_EQ(c.flags, proto.flags);
        EXPECT_EQ(c.get_u32(0), proto.get_u32(0));
        EXPECT_EQ(c.get_u32_4(), proto.get_u32_4());
        EXPECT_TRUE(room.l1(p.tx, p.ty).is(T::Empty));
    }
}

TEST(DontWannaPush, GrobbleFreesOnlyItsOwnReservationTheDisksAnything) {
    for (T type : {T::Grobble, T::Disk_Orange}) {
        Room room;
        room.put(type);
        IPushing::wanna_push(room.ctx(), DIR_LEFT);
        put_cell(*room.f.level, KV_LAYER_ITEMS, OX + 1, OY, T::Base);
        IPushing::dont_wanna_push(room.ctx());
        EXPECT_EQ(room.l1(OX + 1, OY).is(T::Base), type == T::Grobble) << int(type);
    }
}

TEST(DoPushing, ObjectMovesIntoTheTargetAndLeavesItsPlaceholder) {
    for (const Push& p : PUSHES) {
        SCOPED_TRACE(trace(p));
        const Object o = object_of(p.type);
        Room room;
        room.put(p.type);
        IPushing::wanna_push(room.ctx(), p.side);
        IPushing::do_pushing(room.ctx());
        const KV_Cell& moved = room.l1(p.tx, p.ty);
        EXPECT_TRUE(moved.is(p.type));
        EXPECT_EQ(moved.get_state(), o.moving);
        EXPECT_EQ(moved.get_w1(), p.direction);
        EXPECT_EQ(moved.get_u16(4), 0);
        EXPECT_FALSE(moved.has(CF_TIME_CRITICAL));
        EXPECT_FALSE(moved.has(CF_STATIC));
        const KV_Cell& behind = room.l1(OX, OY);
        EXPECT_TRUE(behind.is(o.push_temp));
        EXPECT_EQ(behind.get_u32(0), p.behind);
        // The Grobble removes its placeholder itself; the disks' run their own countdown.
        EXPECT_EQ(behind.has(CF_STATIC), p.type == T::Grobble);
        EXPECT_TRUE(behind.is_solid());
    }
}

TEST(PushFatal, CallsOutOfOrderOrWithCorruptFields) {
    struct Case {
        const char* name;
        T type;
        uint16_t state;
        uint16_t counter;
        int call;  // 0 is_pushable, 1 wanna_push, 2 dont_wanna_push, 3 do_pushing
        uint32_t side;
        const char* text;
    };
    const Case cases[] = {
        {"orange side 0", T::Disk_Orange, 1, 1, 0, 0, "IPushing::Disk_Orange, is_pushable, unknown direction"},
        {"orange side 3", T::Disk_Orange, 1, 1, 0, 3, "IPushing::Disk_Orange, is_pushable, unknown direction"},
        {"orange side 16", T::Disk_Orange, 1, 1, 0, 16, "IPushing::Disk_Orange, is_pushable, unknown direction"},
        {"yellow side 5", T::Disk_Yellow, 1, 1, 0, 5, "IPushing::Disk_Yellow, is_pushable, unknown direction"},
        {"grobble lean moving", T::Grobble, 2, 1, 1, DIR_LEFT, "IPushing::Grobble, wanna_push, unknown state"},
        {"orange lean moving", T::Disk_Orange, 2, 1, 1, DIR_LEFT, "IPushing::Disk_Orange, wanna_push, unknown state"},
        {"yellow lean moving", T::Disk_Yellow, 2, 1, 1, DIR_LEFT, "IPushing::Disk_Yellow, wanna_push, unknown state"},
        {"grobble lean up", T::Grobble, 1, 1, 1, DIR_DOWN, "IPushing::Grobble, wanna_push, unknown direction"},
        {"orange lean up", T::Disk_Orange, 1, 1, 1, DIR_UP, "IPushing::Disk_Orange, wanna_push, unknown direction"},
        {"yellow lean 0", T::Disk_Yellow, 1, 1, 1, 0, "IPushing::Disk_Yellow, wanna_push, unknown direction"},
        {"grobble give up", T::Grobble, 1, 4, 2, 0, "IPushing::Grobble, dont wanna_push, unknown state"},
        {"orange give up", T::Disk_Orange, 1, 4, 2, 0, "IPushing::Disk_Orange, dont wanna_push, unknown state (1)"},
        {"yellow give up", T::Disk_Yellow, 1, 4, 2, 0, "IPushing::Disk_Yellow, dont wanna_push, unknown state"},
        {"grobble push", T::Grobble, 1, 4, 3, 0, "IPushing::Grobble, dont wanna_push, unknown state"},
        {"orange push broken lean", T::Disk_Orange, 128, 4, 3, 0,
         "IPushing::Disk_Orange, do_pushing, unknown state (128)"},
        {"yellow push", T::Disk_Yellow, 1, 4, 3, 0, "IPushing::Disk_Yellow, dont wanna_push, unknown state"},
        {"grobble counter up", T::Grobble, 16, 8, 2, 0, "IPushing::Grobble, wanna_push, unknown direction"},
        {"orange counter 0", T::Disk_Orange, 16, 0, 3, 0, "IPushing::Disk_Orange, wanna_push, unknown direction"},
        {"yellow counter 32", T::Disk_Yellow, 4, 32, 3, 0, "IPushing::Disk_Yellow, wanna_push, unknown direction"},
    };
    for (const Case& k : cases) {
        Room room;
        KV_Cell& c = room.put(k.type);
        c.set_state(k.state);
        c.set_w1(k.counter);
        const KV_ObjectContext ctx = room.ctx();
        EXPECT_EQ(fatal_message([&] {
                      switch (k.call) {
                          case 0: IPushing::is_pushable(ctx, k.side); break;
                          case 1: IPushing::wanna_push(ctx, k.side); break;
                          case 2: IPushing::dont_wanna_push(ctx); break;
                          default: IPushing::do_pushing(ctx); break;
                      }
                  }),
                  k.text)
            << k.name;
    }
}

TEST(PushFatal, OrangeDiskGivesUpABrokenLeanQuietly) {
    Room room;
    KV_Cell& c = room.put(T::Disk_Orange);
    c.set_state(128);
    c.set_w1(2);
    EXPECT_NO_THROW(IPushing::dont_wanna_push(room.ctx()));
    EXPECT_EQ(c.get_state(), 1);
}

}  // namespace
