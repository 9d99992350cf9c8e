// Ports: who may enter from which side, where Pellik is carried, and the
// switches a special one-way port sets.
#include <gtest/gtest.h>

#include <string>

#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/ports.h"
#include "game/objects/prototypes.h"
#include "support/field_from_text.h"

namespace {
using namespace KV_Interfaces;
using T = KV_ObjectType;

constexpr int PX = 2, PY = 2;  // the port, in the middle of a bordered room
constexpr uint16_t PELLIK_IN_PORT = 64, PELLIK_MOVING = 2;

struct Room {
    TestField f = FieldFromText({"#####", "#   #", "#   #", "#   #", "#####"});
    KV_Cell& port(T kind) {
        put_cell(*f.level, KV_LAYER_FIXTURES, PX, PY, kind);
        return f.at(KV_LAYER_FIXTURES, PX, PY);
    }
    KV_ObjectContext port_ctx() { return context_at(f.level.get(), 3, PX, PY); }
    void block(int x, int y) { put_cell(*f.level, KV_LAYER_FIXTURES, x, y, T::Hardware); }
    // Pellik standing in the port, facing `dir`.
    KV_Cell& pellik_in_port(uint8_t dir) {
        put_cell(*f.level, KV_LAYER_MOVERS, PX, PY, T::Pellik);
        KV_Cell& p = f.at(KV_LAYER_MOVERS, PX, PY);
        p.set_state(PELLIK_IN_PORT);
        p.set_u8(4, dir);
        f.level->set_player_pos(PX, PY);
        *f.level->get_player_cell() = p;
        return p;
    }
};

struct Pos {
    int x, y;
};
// The cell beyond the port for Pellik coming from `side`.
Pos across(uint32_t side) {
    switch (side) {
        case DIR_LEFT: return {PX + 1, PY};
        case DIR_UP: return {PX, PY + 1};
        case DIR_RIGHT: return {PX - 1, PY};
        default: return {PX, PY - 1};
    }
}

struct Kind {
    T type;
    uint32_t sides;  // the sides it can be entered from
    bool one_way;
};
const Kind KINDS[] = {
    {T::Port_U_To_D, DIR_UP, true},           {T::Port_D_To_U, DIR_DOWN, true},
    {T::Port_L_To_R, DIR_LEFT, true},         {T::Port_R_To_L, DIR_RIGHT, true},
    {T::Port_Horizontal, DIR_LEFT | DIR_RIGHT, false}, {T::Port_Vertical, DIR_UP | DIR_DOWN, false},
    {T::Port_Cross, DIR_LEFT | DIR_UP | DIR_RIGHT | DIR_DOWN, false},
};

TEST(PortCanPass, EachKindFromItsSidesOnlyAndOnlyWhileTheCellBeyondIsEnterable) {
    for (const Kind& k : KINDS) {
        for (uint32_t side : {DIR_LEFT, DIR_UP, DIR_RIGHT, DIR_DOWN}) {
            SCOPED_TRACE("kind " + std::to_string(int(k.type)) + " side " + std::to_string(side));
            Room open;
            open.port(k.type);
            EXPECT_EQ(Port::can_pass(open.port_ctx(), side), (k.sides & side) != 0);
            Room blocked;
            blocked.port(k.type);
            const Pos beyond = across(side);
            blocked.block(beyond.x, beyond.y);
            EXPECT_FALSE(Port::can_pass(blocked.port_ctx(), side));
        }
        for (uint32_t side : {0u, 3u, 5u, 15u}) {
            Room room;
            room.port(k.type);
            EXPECT_FALSE(Port::can_pass(room.port_ctx(), side)) << int(k.type) << " side " << side;
        }
    }
}

// Where on_pass carries a Pellik facing `dir`, or nowhere.
bool expected_target(const Kind& k, uint8_t dir, Pos& out) {
    if (k.one_way) {
        out = across(k.sides);
        return true;
    }
    // Two-way kinds go on in Pellik's own direction, if they allow it.
    const uint32_t dir_as_side = dir == DIR_LEFT ? DIR_RIGHT : dir == DIR_RIGHT ? DIR_LEFT
                               : dir == DIR_UP   ? DIR_DOWN  : DIR_UP;
    if ((k.sides & dir_as_side) == 0) return false;
    out = across(dir_as_side);
    return true;
}

TEST(PortOnPass, CarriesPellikOnAndLeavesItsMoveTemp) {
    for (const Kind& k : KINDS) {
        for (uint8_t dir : {uint8_t(DIR_LEFT), uint8_t(DIR_UP), uint8_t(DIR_RIGHT), uint8_t(DIR_DOWN)}) {
            SCOPED_TRACE("kind " + std::to_string(int(k.type)) + " dir " + std::to_string(dir));
            Room room;
            room.port(k.type);
            room.pellik_in_port(dir);
            Pos to;
            const bool moves = expected_target(k, dir, to);
            Port::on_pass(room.port_ctx());
            if (!moves) {
                EXPECT_TRUE(room.f.at(KV_LAYER_MOVERS, PX, PY).is(T::Pellik));
                EXPECT_EQ(room.f.at(KV_LAYER_MOVERS, PX, PY).get_state(), PELLIK_IN_PORT);
                EXPECT_EQ(room.f.level->get_player_x(), PX);
                continue;
            }
            const KV_Cell& moved = room.f.at(KV_LAYER_MOVERS, to.x, to.y);
            ASSERT_TRUE(moved.is(T::Pellik));
            EXPECT_EQ(moved.get_state(), PELLIK_MOVING);
            EXPECT_EQ(moved.get_u8(2), 0);
            EXPECT_EQ(moved.get_u8(4), dir);
            EXPECT_FALSE(moved.has(CF_TIME_CRITICAL));
            const KV_Cell& temp = room.f.at(KV_LAYER_MOVERS, PX, PY);
            EXPECT_TRUE(temp.is(T::Pellik_Move_Temp));
            EXPECT_EQ(temp.get_u32(0), dir);
            EXPECT_EQ(room.f.level->get_player_x(), to.x);
            EXPECT_EQ(room.f.level->get_player_y(), to.y);
            EXPECT_TRUE(room.f.level->get_has_player());
            EXPECT_EQ(room.f.level->get_player_cell()->get_state(), PELLIK_MOVING);
            EXPECT_EQ(room.f.status().get_moves(), 0);  // leaving a port counts no move
        }
    }
}

TEST(PortOnPass, BlockedExitKeepsPellikWaitingUntilItOpens) {
    Room room;
    room.port(T::Port_D_To_U);
    room.pellik_in_port(DIR_UP);
    room.block(PX, PY - 1);
    for (int i = 0; i < 3; ++i) {
        Port::on_pass(room.port_ctx());
        ASSERT_TRUE(room.f.at(KV_LAYER_MOVERS, PX, PY).is(T::Pellik));
        EXPECT_EQ(room.f.at(KV_LAYER_MOVERS, PX, PY).get_state(), PELLIK_IN_PORT);
    }
    put_cell(*room.f.level, KV_LAYER_FIXTURES, PX, PY - 1, T::Empty);
    Port::on_pass(room.port_ctx());
    EXPECT_TRUE(room.f.at(KV_LAYER_MOVERS, PX, PY - 1).is(T::Pellik));
    EXPECT_TRUE(room.f.at(KV_LAYER_MOVERS, PX, PY).is(T::Pellik_Move_Temp));
}

TEST(PortOnPass, CorruptDirectionIsFatalOnlyWhenTheWayIsOpen) {
    Room room;
    room.port(T::Port_L_To_R);
    room.pellik_in_port(0);
    EXPECT_EQ(fatal_message([&] { Port::on_pass(room.port_ctx()); }), "KV_Logic::Pellik, try_move unknown direction");

    Room blocked;
    blocked.port(T::Port_L_To_R);
    blocked.pellik_in_port(0);
    blocked.block(PX + 1, PY);
    EXPECT_NO_THROW(Port::on_pass(blocked.port_ctx()));
}

struct Switches {
    bool gravity, freeze_grobbles, freeze_enemies;
    bool operator==(const Switches& o) const {
        return gravity == o.gravity && freeze_grobbles == o.freeze_grobbles && freeze_enemies == o.freeze_enemies;
    }
};
Switches switches_of(KV_LevelStatus& s) {
    return {s.get_gravity(), s.get_freeze_grobbles(), s.get_freeze_enemies()};
}
void set_switches(KV_LevelStatus& s, bool on) {
    if (on) { s.set_gravity(); s.set_freeze_grobbles(); s.set_freeze_enemies(); }
    else { s.clear_gravity(); s.clear_freeze_grobbles(); s.clear_freeze_enemies(); }
}

// Passes a port of `k` marked special (or not) with switch bits `bits`, from
// switches all `before`; returns the switches afterwards.
Switches pass_special(const Kind& k, bool special, uint32_t bits, bool before, bool blocked = false) {
    Room room;
    KV_Cell& port = room.port(k.type);
    port.set_state(special ? 1 : 0);
    port.set_u32_4(bits);
    uint8_t dir = 0;
    for (uint8_t d : {uint8_t(DIR_LEFT), uint8_t(DIR_UP), uint8_t(DIR_RIGHT), uint8_t(DIR_DOWN)}) {
        Pos to;
        if (expected_target(k, d, to)) {
            dir = d;
            if (blocked) room.block(to.x, to.y);
            break;
        }
    }
    room.pellik_in_port(dir);
    set_switches(room.f.status(), before);
    Port::on_pass(room.port_ctx());
    return switches_of(room.f.status());
}

TEST(SpecialPort, OneWayKindsSetAllThreeSwitchesFromTheirBitsOnEveryPass) {
    for (const Kind& k : KINDS) {
        for (uint32_t bits = 0; bits < 8; ++bits) {
            for (bool before : {false, true}) {
                SCOPED_TRACE("kind " + std::to_string(int(k.type)) + " bits " + std::to_string(bits));
                const Switches unchanged{before, before, before};
                const Switches from_bits{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
                EXPECT_EQ(pass_special(k, true, bits, before), k.one_way ? from_bits : unchanged);
                EXPECT_EQ(pass_special(k, false, bits, before), unchanged);  // not marked special
                EXPECT_EQ(pass_special(k, true, bits, before, true), unchanged);  // Pellik must get out
            }
        }
    }
}

TEST(SpecialPort, GravityPortRepeatsItsSwitchesOnTheSecondPass) {
    Room room;
    KV_Cell& port = room.port(T::Port_L_To_R);
    port.set_state(1);
    port.set_u32_4(PORT_SWITCH_GRAVITY);
    room.f.status().set_freeze_enemies();
    for (int pass = 0; pass < 2; ++pass) {
        room.pellik_in_port(DIR_RIGHT);
        put_cell(*room.f.level, KV_LAYER_MOVERS, PX + 1, PY, T::Empty);
        Port::on_pass(room.port_ctx());
        EXPECT_TRUE(room.f.status().get_gravity());
        EXPECT_FALSE(room.f.status().get_freeze_grobbles());
        EXPECT_FALSE(room.f.status().get_freeze_enemies());
        room.f.status().clear_gravity();
        room.f.status().set_freeze_grobbles();
    }
}

}  // namespace
