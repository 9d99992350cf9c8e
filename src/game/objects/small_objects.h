#pragma once
// The small objects of layer 1 and the fire: Base (eaten by Pellik), Bug (a
// Base that sparks from time to time and is then deadly), Exit, Terminal and
// Explosion (its countdown; what a blast does is the explosion code's).
#include <cstdint>

#include "game/level/level.h"
#include "game/objects/explosions.h"
#include "game/objects/logic.h"

enum class KV_BaseState : uint16_t {
    Lying = 1,
    Eaten_In_Place = 2,
    Walked_Over = 4,
};

enum class KV_BugState : uint16_t {
    Quiet = 1,
    Eaten_In_Place = 2,
    Walked_Over = 4,
    Sparking = 8,  // deadly
};

enum class KV_ExitState : uint16_t {
    Closed = 1,
    Open = 2,  // static from then on
};

namespace KV_Logic {

namespace Base {
constexpr uint32_t kEatTicks = 16;
// State word and the u32 tick counter at state bytes 4-7.
struct View {
    KV_Cell& cell;
    KV_BaseState state() const { return KV_BaseState(cell.get_u16(0)); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
}  // namespace Base

namespace Bug {
constexpr uint16_t kEatTicks = 16;
constexpr uint16_t kSparkTicks = 90;
constexpr uint16_t kSoundEvery = 16;
// The quiet countdown drawn after a spark: random % kCountdownRange, plus
// kCountdownMinimum unless the bug is unpredictable.
constexpr int kCountdownRange = 512;
constexpr uint16_t kCountdownMinimum = 32;

// State word, the u16 counter at state bytes 4-5 and the unpredictable flag
// (bit 0 of state byte 6, set by the level converter for old levels).
struct View {
    KV_Cell& cell;
    KV_BugState state() const { return KV_BugState(cell.get_u16(0)); }
    void set_state(KV_BugState s) { cell.set_u16(0, uint16_t(s)); }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    bool unpredictable() const { return (cell.get_u8(6) & 1) != 0; }
    void set_unpredictable() { cell.set_u8(6, uint8_t(cell.get_u8(6) | 1)); }
};
}  // namespace Bug

namespace Exit {
struct View {
    KV_Cell& cell;
    KV_ExitState state() const { return KV_ExitState(cell.get_u16(0)); }
    void set_state(KV_ExitState s) { cell.set_u16(0, uint16_t(s)); }
};
}  // namespace Exit

namespace Terminal {
constexpr uint32_t kAnimationLength = 256;
// The animation counter is the u32 at state bytes 0-3.
struct View {
    KV_Cell& cell;
    uint32_t animation() const { return cell.get_u32(0); }
    void set_animation(uint32_t a) { cell.set_u32(0, a); }
};
}  // namespace Terminal

namespace Explosion {
// Ticks of a fire that burns out, and of one that waits to blast its own area.
constexpr uint32_t kBurnTicks = 64;
constexpr uint32_t kDelayTicks = 24;
// Kind is the u32 at state bytes 0-3, the tick counter the u32 at 4-7.
struct View {
    KV_Cell& cell;
    KV_ExplosionState kind() const { return KV_ExplosionState(cell.get_u32(0)); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
}  // namespace Explosion

}  // namespace KV_Logic
