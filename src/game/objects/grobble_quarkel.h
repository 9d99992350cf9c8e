#pragma once
// Grobble (the boulder) and Quarkel (the collectible), in layer 1: they fall,
// roll off round things and crush what they land on. They share one course of
// states; the Grobble can also be pushed and is held by the freeze switch,
// the Quarkel can be eaten. Grobble_Clone is a Grobble made during a push.
#include <cstdint>

#include "game/objects/object_context.h"
#include "game/objects/logic.h"

enum class KV_GrobbleState : uint16_t {
    At_Rest = 1,
    Falling = 2,          // process pass
    Pushed = 4,           // process pass
    About_To_Fall = 8,
    Leaned_On = 16,
    Sliding_Left = 32,    // process pass while sliding, time-critical at the check point
    Sliding_Right = 64,
    Fall_Step_Ended = 128,
    Slide_Ended = 256,
    Push_Ended = 512,
    Landed = 1024,        // on something it hits; blasts it after the wait
};

enum class KV_QuarkelState : uint16_t {
    At_Rest = 1,
    Falling = 2,
    About_To_Fall = 4,
    Sliding_Left = 8,
    Sliding_Right = 16,
    Eaten_In_Place = 32,  // process pass
    Walked_Over = 64,     // process pass
    Fall_Step_Ended = 128,
    Slide_Ended = 256,
    Landed = 512,
};

enum class KV_GrobbleCloneState : uint16_t { Growing = 1 };

// Phase of a slide (state byte 6).
enum class KV_SlidePhase : uint8_t {
    Created = 1,
    Sliding = 2,
    Check_Point = 4,  // waiting for the cell below the side cell
    Sliding_Down = 8,
};

// The placeholder a roll leaves in the cell it starts from (Grobble_Slide_Temp,
// Quarkel_Slide_Temp): which way its owner rolled.
enum class KV_SlideTempState : uint16_t { Rolled_Left = 1, Rolled_Right = 2 };
// The reservation a slide makes below the side cell (Grobble_Slide_Fall_Temp,
// Quarkel_Slide_Fall_Temp): which way the slide above it went.
enum class KV_SlideFallTempState : uint16_t { Slid_Right = 1, Slid_Left = 2 };
// The placeholder a fall leaves above (Grobble_Fall_Temp, Quarkel_Fall_Temp).
enum class KV_FallTempState : uint16_t { Left_Behind = 1 };

namespace KV_Logic {

// A Grobble's or Quarkel's cell (layer 1):
//   bytes 0-1  u16 state (KV_GrobbleState or KV_QuarkelState)
//   bytes 2-3  u16 push direction (Grobble, KV_PushDirection Left or Right),
//              or the eat direction (Quarkel being eaten, KV_EatDirection)
//   bytes 4-5  u16 counter: ticks of the step, wait or eating
//   byte 6     u8 slide phase (KV_SlidePhase)
//   byte 7     bit 0: a Grobble landed on an orange disk, which makes it wait longer
template <typename Cell>
struct FallerStateOf {
    Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
    template <typename S>
    void set_state(S s) { cell.set_u16(0, uint16_t(s)); }
    // True when the state word has the bit of `s`.
    template <typename S>
    bool has(S s) const { return (cell.get_u16(0) & uint16_t(s)) != 0; }
    uint16_t push_direction() const { return cell.get_u16(2); }
    void set_push_direction(uint16_t d) { cell.set_u16(2, d); }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    KV_SlidePhase slide_phase() const { return KV_SlidePhase(cell.get_u8(6)); }
    void set_slide_phase(KV_SlidePhase p) { cell.set_u8(6, uint8_t(p)); }
    bool landed_on_orange() const { return (cell.get_u8(7) & 1) != 0; }
    void set_landed_on_orange() { cell.set_u8(7, uint8_t(cell.get_u8(7) | 1)); }
    void set_time_critical(bool on) {
        if (on)
            cell.flags |= CF_TIME_CRITICAL;
        else
            cell.flags &= ~uint32_t(CF_TIME_CRITICAL);
    }
};
using FallerState = FallerStateOf<KV_Cell>;
using ConstFallerState = FallerStateOf<const KV_Cell>;

// The fall, slide and slide-fall placeholders of both objects (layer 1):
//   bytes 0-1  u16 state (KV_FallTempState, KV_SlideTempState or KV_SlideFallTempState)
template <typename Cell>
struct FallerTempStateOf {
    Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
    template <typename S>
    void set_state(S s) { cell.set_u16(0, uint16_t(s)); }
    template <typename S>
    bool has(S s) const { return (cell.get_u16(0) & uint16_t(s)) != 0; }
};
using FallerTempState = FallerTempStateOf<KV_Cell>;
using ConstFallerTempState = FallerTempStateOf<const KV_Cell>;

// Grobble_Clone (layer 1):
//   bytes 0-1  u16 state (KV_GrobbleCloneState)
//   bytes 4-7  u32 counter: ticks since the clone was made
template <typename Cell>
struct GrobbleCloneStateOf {
    Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};
using GrobbleCloneState = GrobbleCloneStateOf<KV_Cell>;
using ConstGrobbleCloneState = GrobbleCloneStateOf<const KV_Cell>;

// May a falling or rolling object move into (x, y): nothing solid in layers
// 0-2, and in layer 3 nothing solid but a laid red disk. Outside the field it may not.
namespace Grobble {
bool can_enter(const KV_Level* level, int32_t x, int32_t y);
// Pellik may step into this Grobble_Fall_Temp at (x, y): the temp is left
// behind and its Grobble, below, is about to end its fall step.
bool fall_temp_enterable(const KV_Level* level, int32_t x, int32_t y, const KV_Cell& temp);
}
namespace Quarkel {
bool can_enter(const KV_Level* level, int32_t x, int32_t y);
bool fall_temp_enterable(const KV_Level* level, int32_t x, int32_t y, const KV_Cell& temp);
}

// What the roll-off and sliding tables ask of these objects and their slide
// temps (ctx: the asked layer-1 cell). rolls_off: lying still, so a faller
// above may roll off it. sliding_*_test: the cell, though occupied, is being
// left in time for a roll to that side to start into it.
namespace Grobble {
bool rolls_off(const KV_ObjectContext& ctx);
bool sliding_left_test(const KV_ObjectContext& ctx);
bool sliding_right_test(const KV_ObjectContext& ctx);
}  // namespace Grobble
namespace Quarkel {
bool rolls_off(const KV_ObjectContext& ctx);
bool sliding_left_test(const KV_ObjectContext& ctx);
bool sliding_right_test(const KV_ObjectContext& ctx);
}  // namespace Quarkel
namespace Grobble_Slide_Temp {
bool sliding_left_test(const KV_ObjectContext& ctx);
bool sliding_right_test(const KV_ObjectContext& ctx);
}  // namespace Grobble_Slide_Temp
namespace Quarkel_Slide_Temp {
bool sliding_left_test(const KV_ObjectContext& ctx);
bool sliding_right_test(const KV_ObjectContext& ctx);
}  // namespace Quarkel_Slide_Temp

}  // namespace KV_Logic
