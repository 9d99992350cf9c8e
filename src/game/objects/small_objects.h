#pragma once
// The small objects of layer 1 and the fire: Base (eaten by Pellik), Bug (a
// Base that sparks from time to time and is then deadly), Exit, Terminal and
// Explosion (its countdown; what a blast does is the explosion code's).
#include <cstdint>

#include "game/objects/object_context.h"
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

// RAM (layer 1) and Hardware (layer 3), which never change:
//   bytes 0-1  u16 variant: which of the tile's looks it has
//   bytes 2-3  u16, 0
namespace Wall {
template <typename Cell>
struct ViewOf {
    Cell& cell;
    uint16_t variant() const { return cell.get_u16(0); }
    void set_variant(uint16_t v) {
        cell.set_u16(0, v);
        cell.set_u16(2, 0);
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Wall

namespace Base {
constexpr uint32_t kEatTicks = 16;
// Base (layer 1):
//   bytes 0-1  u16 state (KV_BaseState)
//   bytes 2-3  u16 eat direction (KV_EatDirection) while walked over
//   bytes 4-7  u32 counter: ticks of the eating
template <typename Cell>
struct ViewOf {
    Cell& cell;
    KV_BaseState state() const { return KV_BaseState(cell.get_u16(0)); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Base

namespace Bug {
constexpr uint16_t kEatTicks = 16;
constexpr uint16_t kSparkTicks = 90;
constexpr uint16_t kSoundEvery = 16;
// The quiet countdown drawn after a spark: random % kCountdownRange, plus
// kCountdownMinimum unless the bug is unpredictable.
constexpr int kCountdownRange = 512;
constexpr uint16_t kCountdownMinimum = 32;

// Bug (layer 1):
//   bytes 0-1  u16 state (KV_BugState)
//   bytes 2-3  u16 eat direction (KV_EatDirection) while walked over
//   bytes 4-5  u16 counter: ticks of the eating, the spark or the quiet countdown
//   byte 6     bit 0: unpredictable, set by the level converter for old levels
template <typename Cell>
struct ViewOf {
    Cell& cell;
    KV_BugState state() const { return KV_BugState(cell.get_u16(0)); }
    void set_state(KV_BugState s) { cell.set_u16(0, uint16_t(s)); }
    // Deadly to Pellik while it sparks.
    bool is_sparking() const { return (cell.get_u16(0) & uint16_t(KV_BugState::Sparking)) != 0; }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    bool unpredictable() const { return (cell.get_u8(6) & 1) != 0; }
    void set_unpredictable() { cell.set_u8(6, uint8_t(cell.get_u8(6) | 1)); }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Bug

namespace Exit {
// Exit (layer 1):
//   bytes 0-1  u16 state (KV_ExitState)
template <typename Cell>
struct ViewOf {
    Cell& cell;
    KV_ExitState state() const { return KV_ExitState(cell.get_u16(0)); }
    void set_state(KV_ExitState s) { cell.set_u16(0, uint16_t(s)); }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Exit

namespace Terminal {
constexpr uint32_t kAnimationLength = 256;
// Terminal (layer 1):
//   bytes 0-3  u32 animation counter, 0..kAnimationLength-1
template <typename Cell>
struct ViewOf {
    Cell& cell;
    uint32_t animation() const { return cell.get_u32(0); }
    void set_animation(uint32_t a) { cell.set_u32(0, a); }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
}  // namespace Terminal

namespace Explosion {
// Ticks of a fire that burns out, and of one that waits to blast its own area.
constexpr uint32_t kBurnTicks = 64;
constexpr uint32_t kDelayTicks = 24;
// Ticks after which Pellik, or a pushed object, may enter a fire of the normal flavour.
constexpr uint32_t kPellikEntersAfter = 31;
constexpr uint32_t kPushEntersAfter = 63;
// Explosion (layer 3; also layer 1 or 2 where an object turned into fire):
//   bytes 0-3  u32 kind (KV_ExplosionState)
//   bytes 4-7  u32 counter: ticks it has burnt
template <typename Cell>
struct ViewOf {
    Cell& cell;
    KV_ExplosionState kind() const { return KV_ExplosionState(cell.get_u32(0)); }
    void set_kind(KV_ExplosionState k) { cell.set_u32(0, uint32_t(k)); }
    // A fire of the normal flavour (Plain or Delayed_Normal; the state word's bits 0-1).
    bool is_normal_flavour() const {
        return (cell.get_u16(0) & uint16_t(uint32_t(KV_ExplosionState::Plain) |
                                           uint32_t(KV_ExplosionState::Delayed_Normal))) != 0;
    }
    // A normal fire that has burnt at least `ticks`: dying down, it can be entered.
    bool burnt_for(uint32_t ticks) const { return is_normal_flavour() && counter() >= ticks; }
    uint32_t counter() const { return cell.get_u32(4); }
    void set_counter(uint32_t c) { cell.set_u32(4, c); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;
// Deadly to Pellik at (ctx): not once it dies down, nor over a solid layer-1 cell.
bool is_deadly(const KV_ObjectContext& ctx);
}  // namespace Explosion

}  // namespace KV_Logic
