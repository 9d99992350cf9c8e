#pragma once
// Pushing: Pellik leans on a Grobble, an orange disk or a yellow disk for a
// while (the object reserves the cell it will move into), then the object
// moves one cell and leaves a placeholder behind.
#include <cstdint>

#include "game/objects/object_context.h"

// Where a pushed object moves, as its counter (u16 at state bytes 2-3) holds it.
enum class KV_PushDirection : uint16_t {
    Left = 2,   // to x-1
    Right = 4,  // to x+1
    Up = 8,     // to y-1 (yellow disk only)
    Down = 16,  // to y+1 (yellow disk only)
};

constexpr KV_PushDirection kv_push_direction(KV_Dir d) {
    switch (d) {
        case KV_Dir::Left: return KV_PushDirection::Left;
        case KV_Dir::Right: return KV_PushDirection::Right;
        case KV_Dir::Up: return KV_PushDirection::Up;
        case KV_Dir::Down: return KV_PushDirection::Down;
    }
    return KV_PushDirection::Left;
}
// False for a corrupt stored push direction.
constexpr bool kv_dir_of_push(uint16_t code, KV_Dir& out) {
    switch (KV_PushDirection(code)) {
        case KV_PushDirection::Left: out = KV_Dir::Left; return true;
        case KV_PushDirection::Right: out = KV_Dir::Right; return true;
        case KV_PushDirection::Up: out = KV_Dir::Up; return true;
        case KV_PushDirection::Down: out = KV_Dir::Down; return true;
    }
    return false;
}

// States of the Grobble and orange-disk push placeholders (u32 at state bytes 0-3).
enum class KV_PushTempState : uint32_t {
    Behind_Left = 1,    // the cell an object moving left is leaving
    Behind_Right = 2,
    Reserved_Left = 4,  // the cell reserved for a push to the left
    Reserved_Right = 8,
};

// States of the yellow-disk push placeholder (u32 at state bytes 0-3).
enum class KV_YellowPushTempState : uint32_t {
    Behind_Left = 1,
    Behind_Right = 2,
    Behind_Up = 4,
    Behind_Down = 8,
    Reserved_Left = 16,
    Reserved_Right = 32,
    Reserved_Up = 64,
    Reserved_Down = 128,
};

// What the pushes share of the three pushables (Grobble, Disk_Orange,
// Disk_Yellow, layer 1); each owner's view names the rest:
//   bytes 0-1  u16 state word
//   bytes 2-3  u16 push direction (KV_PushDirection)
//   bytes 4-5  u16 counter of the sideways pushables (the yellow disk's is the u32 at 4-7)
template <typename Cell>
struct KV_PushableViewOf {
    Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
    uint16_t push_direction() const { return cell.get_u16(2); }
    void set_push_direction(KV_PushDirection d) { cell.set_u16(2, uint16_t(d)); }
    void set_sideways_counter(uint16_t c) { cell.set_u16(4, c); }
};
using KV_PushableView = KV_PushableViewOf<KV_Cell>;
using KV_ConstPushableView = KV_PushableViewOf<const KV_Cell>;

// The push placeholders (Grobble_Push_Temp, Disk_Orange_Push_Temp,
// Disk_Yellow_Push_Temp, layer 1), and the orange disk's fall temp, which
// shares the layout:
//   bytes 0-3  u32 state (KV_PushTempState, KV_YellowPushTempState or the fall temp's)
//   bytes 4-7  u32 counter: ticks since the temp became active
template <typename Cell>
struct KV_TempViewOf {
    Cell& cell;
    uint32_t state() const { return cell.get_u32(0); }
    void set_state(uint32_t s) { cell.set_u32(0, s); }
    // True when the state word (bytes 0-1) has any of `bits`.
    bool has(uint32_t bits) const { return (cell.get_u16(0) & bits) != 0; }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using KV_TempView = KV_TempViewOf<KV_Cell>;
using KV_ConstTempView = KV_TempViewOf<const KV_Cell>;

// The state bits of a reserved push temp and of one a pushed object is leaving.
constexpr uint32_t KV_PUSH_TEMP_RESERVED =
    uint32_t(KV_PushTempState::Reserved_Left) | uint32_t(KV_PushTempState::Reserved_Right);
constexpr uint32_t KV_PUSH_TEMP_LEAVING =
    uint32_t(KV_PushTempState::Behind_Left) | uint32_t(KV_PushTempState::Behind_Right);
constexpr uint32_t KV_YELLOW_PUSH_TEMP_RESERVED =
    uint32_t(KV_YellowPushTempState::Reserved_Left) | uint32_t(KV_YellowPushTempState::Reserved_Right) |
    uint32_t(KV_YellowPushTempState::Reserved_Up) | uint32_t(KV_YellowPushTempState::Reserved_Down);
constexpr uint32_t KV_YELLOW_PUSH_TEMP_LEAVING =
    uint32_t(KV_YellowPushTempState::Behind_Left) | uint32_t(KV_YellowPushTempState::Behind_Right) |
    uint32_t(KV_YellowPushTempState::Behind_Up) | uint32_t(KV_YellowPushTempState::Behind_Down);

// A falling object still hits the cell a pushed disk is leaving in the first
// half of the push (`leaving`: the temp kind's leaving bits, read in the state word).
constexpr uint32_t KV_PUSH_TEMP_HIT_TICKS = 16;
inline bool push_temp_is_hit(const KV_Cell& temp, uint32_t leaving) {
    const KV_ConstTempView t{temp};
    return t.has(leaving) && t.counter() < KV_PUSH_TEMP_HIT_TICKS;
}

namespace KV_Interfaces {
namespace IPushing {

// side: the side of the object Pellik stands on (KV_Direction bits); the
// object moves away from it. dont_wanna_push and do_pushing read the
// direction from the object's counter.
#define KV_PUSH_ENTRIES                                                \
    bool is_pushable(const KV_ObjectContext& ctx, uint32_t side);       \
    void wanna_push(const KV_ObjectContext& ctx, uint32_t side);        \
    void dont_wanna_push(const KV_ObjectContext& ctx);                  \
    void do_pushing(const KV_ObjectContext& ctx);
namespace Grobble { KV_PUSH_ENTRIES }
namespace Disk_Orange { KV_PUSH_ENTRIES }
namespace Disk_Yellow { KV_PUSH_ENTRIES }
#undef KV_PUSH_ENTRIES

}  // namespace IPushing
}  // namespace KV_Interfaces
