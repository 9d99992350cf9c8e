#pragma once
// Grobble (the boulder) and Quarkel (the collectible), in layer 1: they fall,
// roll off round things and crush what they land on. They share one course of
// states; the Grobble can also be pushed and is held by the freeze switch,
// the Quarkel can be eaten. Grobble_Clone is a Grobble made during a push.
#include <cstdint>

#include "game/level/level.h"
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

// Phase of a slide (state byte 6).
enum class KV_SlidePhase : uint8_t {
    Created = 1,
    Sliding = 2,
    Check_Point = 4,  // waiting for the cell below the side cell
    Sliding_Down = 8,
};

namespace KV_Logic {

// A Grobble's or Quarkel's cell: state word, push (or eat) direction, the
// u16 step counter, the slide phase and the landing flag.
struct FallerState {
    KV_Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
    // Grobble: 2 moving left, 4 moving right. A Quarkel being eaten keeps the eat direction here.
    uint16_t push_direction() const { return cell.get_u16(2); }
    uint16_t counter() const { return cell.get_u16(4); }
    void set_counter(uint16_t c) { cell.set_u16(4, c); }
    uint16_t bump_counter() {
        set_counter(uint16_t(counter() + 1));
        return counter();
    }
    KV_SlidePhase slide_phase() const { return KV_SlidePhase(cell.get_u8(6)); }
    void set_slide_phase(KV_SlidePhase p) { cell.set_u8(6, uint8_t(p)); }
    // Bit 0: a Grobble landed on an orange disk, which makes it wait longer.
    bool landed_on_orange() const { return (cell.get_u8(7) & 1) != 0; }
    void set_landed_on_orange() { cell.set_u8(7, uint8_t(cell.get_u8(7) | 1)); }
    void set_time_critical(bool on) {
        if (on)
            cell.flags |= CF_TIME_CRITICAL;
        else
            cell.flags &= ~uint32_t(CF_TIME_CRITICAL);
    }
};

// The placeholders of both objects hold one state word.
struct FallerTempState {
    KV_Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
};

// Grobble_Clone: state word and the u32 tick counter at state bytes 4-7.
struct GrobbleCloneState {
    KV_Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    uint32_t counter() const { return cell.get_u32(4); }
    uint32_t bump_counter() {
        cell.inc_u32_4();
        return counter();
    }
};

// May a falling or rolling object move into (x, y): nothing solid in layers
// 0-2, and in layer 3 nothing solid but a laid red disk. Outside the field it may not.
namespace Grobble {
bool can_enter(const KV_Level* level, int32_t x, int32_t y);
}
namespace Quarkel {
bool can_enter(const KV_Level* level, int32_t x, int32_t y);
}

}  // namespace KV_Logic
