#pragma once
// The three disks and their placeholders, all in layer 1 except a laid red
// disk (layer 3, under Pellik). The orange disk falls and blasts where it
// lands and can be pushed sideways; the yellow disk is pushed any way and
// blasts once a Terminal has armed it; the red disk is collected and laid, and
// blasts 80 ticks after being laid. The pushes themselves and the eating are
// the IPushing and IEatable entries; this file runs what follows them.
#include <cstdint>

#include "game/level/level.h"

namespace KV_Logic {

// Push direction kept in a disk's counter (state bytes 2-3). The orange disk
// moves only left or right.
enum class KV_DiskPush : uint16_t { Left = 2, Right = 4, Up = 8, Down = 16 };

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

// Disk_Orange and Disk_Orange_Clone: state word, push direction, counter and
// the clone's limit.
struct View {
    KV_Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t push_direction() const { return cell.get_u16(2); }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    uint16_t clone_limit() const { return cell.get_u16(6); }
    void set_clone_limit(uint16_t l) { cell.set_u16(6, l); }
};

// The cell below is free, or it is the fall reservation this disk made.
bool can_fall(const KV_ObjectContext& ctx);

}  // namespace Disk_Orange

namespace Disk_Orange_Clone {
enum class State : uint16_t { Growing = 1, Done = 2 };
}

// The placeholders of the disks read a u32 state and a u32 counter.
inline uint32_t disk_temp_state(const KV_Cell& cell) { return cell.get_u32(0); }
struct KV_DiskTempView {
    KV_Cell& cell;
    uint32_t state() const { return disk_temp_state(cell); }
    void set_state(uint32_t s) { cell.set_u32(0, s); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};

namespace Disk_Orange_Fall_Temp {
// Reserved: the disk above is about to fall (still static). Lean_Reserved: the
// reservation of a disk whose lean was broken off. Left_Behind: the cell a
// falling disk has left (active, removes itself).
enum State : uint32_t { Left_Behind = 1, Reserved = 2, Lean_Reserved = 4 };
}

namespace Disk_Yellow {
enum class State : uint16_t { At_Rest = 1, Pushed = 2, Leaned_On = 4 };

// State word, push direction, counter (the u32 at state bytes 4-7).
struct View {
    KV_Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    void set_state(State s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t push_direction() const { return cell.get_u16(2); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
}  // namespace Disk_Yellow

namespace Disk_Red {
enum class State : uint16_t { Lying = 1, Eaten_In_Place = 2, Walked_Over = 4, Laid = 8 };

// Ticks a laid disk burns before it blasts.
constexpr uint32_t kFuseTicks = 80;

// State word and counter (the u32 at state bytes 4-7).
struct View {
    KV_Cell& cell;
    State state() const { return State(cell.get_u16(0)); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
}  // namespace Disk_Red

}  // namespace KV_Logic
