#pragma once
// The three disks and their placeholders, all in layer 1 except a laid red
// disk (layer 3, under Pellik). The orange disk falls and blasts where it
// lands and can be pushed sideways; the yellow disk is pushed any way and
// blasts once a Terminal has armed it; the red disk is collected and laid, and
// blasts 80 ticks after being laid. The pushes themselves and the eating are
// the IPushing and IEatable entries; this file runs what follows them.
#include <cstdint>
#include <initializer_list>

#include "game/objects/object_context.h"
#include "game/objects/pushing.h"

namespace KV_Logic {

// The push direction a disk keeps in its counter (state bytes 2-3) is the
// pushes' own code; the orange disk moves only left or right.
using KV_DiskPush = KV_PushDirection;

namespace Disk_Orange {

enum class State : uint16_t {
    At_Rest = 1,
    Falling = 2,           // process pass
    Pushed = 4,            // process pass
    About_To_Fall = 8,     // the cell below is reserved
    Leaned_On = 16,
    Fall_Step_Ended = 32,
    Push_Ended = 64,
    Lean_Broken_Off = 128, // the disk was leaned on while about to fall
    Landed = 256,          // blasts at its next call
};

// Disk_Orange (layer 1), and Disk_Orange_Clone, which shares the layout:
//   bytes 0-1  u16 state (State; the clone's Disk_Orange_Clone::State)
//   bytes 2-3  u16 push direction (KV_PushDirection, Left or Right)
//   bytes 4-5  u16 counter: ticks of the fall, push or wait
//   bytes 6-7  u16 clone limit: the tick at which a clone stops growing
template <typename Cell>
struct ViewOf {
    Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t state_word() const { return cell.get_u16(0); }
    // True when the state word has any of the bits of `states`.
    bool in_any(std::initializer_list<State> states) const {
        uint16_t bits = 0;
        for (State s : states) bits = uint16_t(bits | uint16_t(s));
        return (cell.get_u16(0) & bits) != 0;
    }
    uint16_t push_direction() const { return cell.get_u16(2); }
    void set_push_direction(KV_PushDirection d) { cell.set_u16(2, uint16_t(d)); }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    uint16_t clone_limit() const { return cell.get_u16(6); }
    void set_clone_limit(uint16_t l) { cell.set_u16(6, l); }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;

// The cell below is free, or it is the fall reservation this disk made.
bool can_fall(const KV_ObjectContext& ctx);

}  // namespace Disk_Orange

namespace Disk_Orange_Clone {
enum class State : uint16_t { Growing = 1, Done = 2 };

// The clone's cell, laid out as Disk_Orange::View.
template <typename Cell>
struct ViewOf {
    Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t state_word() const { return cell.get_u16(0); }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Disk_Orange_Clone

// The placeholders of the disks: the layout of KV_TempView.
inline uint32_t disk_temp_state(const KV_Cell& cell) { return cell.get_u32(0); }
using KV_DiskTempView = KV_TempView;

namespace Disk_Orange_Fall_Temp {
// Reserved: the disk above is about to fall (still static). Lean_Reserved: the
// reservation of a disk whose lean was broken off. Left_Behind: the cell a
// falling disk has left (active, removes itself).
enum State : uint32_t { Left_Behind = 1, Reserved = 2, Lean_Reserved = 4 };

// The tick of a left-behind temp at which its disk has moved out of the way.
constexpr uint32_t kClearedTick = 17;

// A left-behind temp whose disk has gone: Pellik or a pushed object may enter.
inline bool is_cleared(const KV_Cell& temp) {
    const KV_ConstTempView t{temp};
    return t.has(Left_Behind) && t.counter() == kClearedTick;
}
}  // namespace Disk_Orange_Fall_Temp

namespace Disk_Orange_Push_Temp {
// Ticks a left-behind push temp lasts before it removes itself.
constexpr uint32_t kLifeTicks = 31;
}

namespace Disk_Yellow {
enum class State : uint16_t { At_Rest = 1, Pushed = 2, Leaned_On = 4 };

// Disk_Yellow (layer 1):
//   bytes 0-1  u16 state (State)
//   bytes 2-3  u16 push direction (KV_PushDirection)
//   bytes 4-7  u32 counter: ticks of the push or lean
template <typename Cell>
struct ViewOf {
    Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t push_direction() const { return cell.get_u16(2); }
    void set_push_direction(KV_PushDirection d) { cell.set_u16(2, uint16_t(d)); }
    uint32_t counter() const { return cell.get_u32(4); }
    void set_counter(uint32_t c) { cell.set_u32(4, c); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Disk_Yellow

namespace Disk_Red {
enum class State : uint16_t { Lying = 1, Eaten_In_Place = 2, Walked_Over = 4, Laid = 8 };

// Ticks a laid disk burns before it blasts.
constexpr uint32_t kFuseTicks = 80;

// Disk_Red (layer 1 lying, layer 3 laid):
//   bytes 0-1  u16 state (State)
//   bytes 2-3  u16 eat direction (KV_EatDirection) while eaten
//   bytes 4-7  u32 counter: ticks of the eating, or of the fuse once laid
template <typename Cell>
struct ViewOf {
    Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Disk_Red

}  // namespace KV_Logic
