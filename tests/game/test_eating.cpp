// The eatables' entries: which may be eaten, and the state each eat leaves them in.
#include <gtest/gtest.h>

#include <string>

#include "game/objects/eating.h"
#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {
using namespace KV_Interfaces;
using T = KV_ObjectType;

// A bordered 3 x 3 room with the eatable in the middle of layer 1.
struct Room {
    TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
    KV_Cell& put(T type) {
        put_cell(*f.level, KV_LAYER_ITEMS, 2, 2, type);
        return f.at(KV_LAYER_ITEMS, 2, 2);
    }
    KV_ObjectContext ctx() { return context_at(f.level.get(), 1, 2, 2); }
};

TEST(Eatable, OnlyLyingStillObjectsButAnyBug) {
    struct Row {
        T type;
        uint16_t state;
        bool eatable;
    } rows[] = {
        {T::Base, 1, true},     {T::Base, 4, false},     {T::Quarkel, 1, true},
        {T::Quarkel, 2, false},  // falling
        {T::Disk_Red, 1, true}, {T::Disk_Red, 8, false}, {T::Bug, 1, true},
        {T::Bug, 8, true},  // sparking: Pellik's danger check comes first
        {T::Grobble, 1, false},  // no entry
    };
    for (const Row& r : rows) {
        Room room;
        room.put(r.type).set_state(r.state);
        for (uint32_t side : {DIR_LEFT, DIR_UP, DIR_RIGHT, DIR_DOWN})
            EXPECT_EQ(IEatable::can_be_eaten(room.ctx(), side), r.eatable)
                << "type " << int(r.type) << " state " << r.state << " side " << side;
    }
}

// Which part of bytes 4-7 holds each eatable's tick count.
enum class Ticks { U32, U16 };

struct EatenForm {
    T type;
    uint16_t over_state, in_place_state;
    Ticks ticks;
    uint32_t flags_cleared;
    int in_place_zaps;
};
const EatenForm FORMS[] = {
    {T::Base, 4, 2, Ticks::U32, CF_STATIC, 1},
    {T::Quarkel, 64, 32, Ticks::U16, CF_TIME_CRITICAL, 1},
    {T::Disk_Red, 4, 2, Ticks::U32, CF_STATIC, 1},
    {T::Bug, 4, 2, Ticks::U16, 0, 0},
};

// Bytes 4-7 before an eat, and what must remain of them afterwards.
constexpr uint32_t TICKS_BEFORE = 0x0A0B0C0D;
uint32_t ticks_after(Ticks t) { return t == Ticks::U32 ? 0 : 0x0A0B0000; }

TEST(Eatable, OverEatStoresWhereTheEaterCameFrom) {
    const struct {
        uint32_t side;
        KV_EatDirection dir;
    } sides[] = {
        {DIR_LEFT, KV_EatDirection::From_Left},
        {DIR_UP, KV_EatDirection::From_Above},
        {DIR_RIGHT, KV_EatDirection::From_Right},
        {DIR_DOWN, KV_EatDirection::From_Below},
    };
    for (const EatenForm& form : FORMS) {
        for (const auto& s : sides) {
            Room room;
            KV_Cell& c = room.put(form.type);
            c.set_u32_4(TICKS_BEFORE);
            const uint32_t flags_before = c.flags;
            IEatable::do_over_eat(room.ctx(), s.side);
            SCOPED_TRACE("type " + std::to_string(int(form.type)) + " side " + std::to_string(s.side));
            EXPECT_TRUE(c.is(form.type));
            EXPECT_EQ(c.get_state(), form.over_state);
            EXPECT_EQ(c.get_w1(), uint16_t(s.dir));
            EXPECT_EQ(c.get_u32_4(), ticks_after(form.ticks));
            EXPECT_EQ(c.flags, flags_before & ~form.flags_cleared);
            EXPECT_EQ(room.f.sound(SE_ZAP), 0);
        }
    }
}

TEST(Eatable, OverEatFromBelowIs16AndFromTheLeft2) {
    Room room;
    KV_Cell& c = room.put(T::Quarkel);
    IEatable::do_over_eat(room.ctx(), DIR_DOWN);
    EXPECT_EQ(c.get_w1(), 16);
    room.put(T::Quarkel);
    IEatable::do_over_eat(room.ctx(), DIR_LEFT);
    EXPECT_EQ(c.get_w1(), 2);
}

TEST(Eatable, EatInPlaceZapsExceptForTheBugAndIgnoresTheSide) {
    for (const EatenForm& form : FORMS) {
        Room room;
        KV_Cell& c = room.put(form.type);
        c.set_u32_4(TICKS_BEFORE);
        const uint32_t flags_before = c.flags;
        const uint16_t counter_before = c.get_w1();
        IEatable::eat_in_place(room.ctx(), 0);  // even a corrupt side does
        SCOPED_TRACE("type " + std::to_string(int(form.type)));
        EXPECT_EQ(c.get_state(), form.in_place_state);
        EXPECT_EQ(c.get_w1(), counter_before);
        EXPECT_EQ(c.get_u32_4(), ticks_after(form.ticks));
        EXPECT_EQ(c.flags, flags_before & ~form.flags_cleared);
        EXPECT_EQ(room.f.sound(SE_ZAP), form.in_place_zaps);
    }
}

TEST(Eatable, OverEatWithACorruptSideIsFatal) {
    const struct {
        T type;
        const char* text;
    } rows[] = {
        {T::Base, "KV_Interfaces::IEatable::Base,do over eat, unknown direction"},
        {T::Quarkel, "KV_Interfaces::IEatable::Quarkel,do over eat, unknown direction"},
        {T::Disk_Red, "KV_Interfaces::IEatable::Disk_Red,do over eat, unknown direction"},
        {T::Bug, "KV_Interfaces::IEatable::Bug,do over eat, unknown direction"},
    };
    for (const auto& r : rows) {
        for (uint32_t side : {0u, 3u, 16u}) {
            Room room;
            room.put(r.type);
            EXPECT_EQ(fatal_message([&] { IEatable::do_over_eat(room.ctx(), side); }), r.text) << side;
        }
    }
}

}  // namespace
