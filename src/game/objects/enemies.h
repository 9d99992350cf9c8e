#pragma once
// The two enemies, Electron and Gnarrow, in layer 2. They follow walls by
// turning to their anti-clockwise side whenever they can, turn towards Pellik
// beside them and blow up when Pellik stands in front of them. Each leaves its
// temp in the cell it moves out of until its step ends.
#include <cstdint>

#include "game/objects/object_context.h"

enum class KV_EnemyState : uint16_t {
    Start = 1,
    Moving = 2,       // process pass, 16 ticks a cell
    Turning = 4,      // process pass, 8 ticks a quarter turn
    Move_Ended = 8,   // chooses again in the time-critical pass
    Turn_Ended = 16,  // chooses again in the time-critical pass
    Stuck = 32,       // process pass, an 8-tick pause before the next turn
};

// The enemies' own move code; not the keys' KV_Direction.
enum class KV_EnemyDirection : uint8_t { Left = 1, Right = 2, Up = 4, Down = 8 };

constexpr KV_EnemyDirection kv_enemy_direction(KV_Dir d) {
    switch (d) {
        case KV_Dir::Left: return KV_EnemyDirection::Left;
        case KV_Dir::Up: return KV_EnemyDirection::Up;
        case KV_Dir::Right: return KV_EnemyDirection::Right;
        case KV_Dir::Down: return KV_EnemyDirection::Down;
    }
    return KV_EnemyDirection::Left;
}
// False for a corrupt move byte.
constexpr bool kv_dir_of_enemy(KV_EnemyDirection e, KV_Dir& out) {
    switch (e) {
        case KV_EnemyDirection::Left: out = KV_Dir::Left; return true;
        case KV_EnemyDirection::Up: out = KV_Dir::Up; return true;
        case KV_EnemyDirection::Right: out = KV_Dir::Right; return true;
        case KV_EnemyDirection::Down: out = KV_Dir::Down; return true;
    }
    return false;
}

// One quarter turn, named by the move direction before and after it.
enum class KV_EnemyTurn : uint8_t {
    Left_To_Up = 1,       // clockwise
    Up_To_Left = 2,       // anti-clockwise
    Up_To_Right = 4,      // clockwise
    Right_To_Up = 8,      // anti-clockwise
    Right_To_Down = 16,   // clockwise
    Down_To_Right = 32,   // anti-clockwise
    Down_To_Left = 64,    // clockwise
    Left_To_Down = 128,   // anti-clockwise
};
constexpr uint8_t KV_CLOCKWISE_TURNS = 0x55;
inline bool is_clockwise(KV_EnemyTurn t) { return (uint8_t(t) & KV_CLOCKWISE_TURNS) != 0; }

namespace KV_Logic {

// An enemy's cell (Electron, Gnarrow, layer 2):
//   bytes 0-1  u16 state (KV_EnemyState)
//   byte 2     u8 counter: ticks of the step, turn or pause (byte 3 stays 0)
//   byte 4     u8 move direction (KV_EnemyDirection)
//   byte 5     u8 turn (KV_EnemyTurn) of the quarter turn in progress
//   byte 6     bit 0: resume, a turn that a freeze caught in its first half is repeated
template <typename Cell>
struct KV_EnemyViewOf {
    Cell& cell;
    KV_EnemyState state() const { return KV_EnemyState(cell.get_u16(0)); }
    void set_state(KV_EnemyState s) { cell.set_u16(0, uint16_t(s)); }
    bool has(KV_EnemyState s) const { return (cell.get_u16(0) & uint16_t(s)) != 0; }
    // Moving out of its cell `d`'s way, on the last tick of the step (the
    // counter read as the whole word at bytes 2-3).
    bool is_leaving(KV_EnemyDirection d) const {
        return has(KV_EnemyState::Moving) && (cell.get_u8(4) & uint8_t(d)) != 0 && cell.get_u16(2) == 15;
    }
    uint8_t counter() const { return cell.get_u8(2); }
    void set_counter(uint8_t c) { cell.set_u8(2, c); }
    uint8_t bump_counter() {
        set_counter(uint8_t(counter() + 1));
        return counter();
    }
    KV_EnemyDirection direction() const { return KV_EnemyDirection(cell.get_u8(4)); }
    void set_direction(KV_EnemyDirection d) { cell.set_u8(4, uint8_t(d)); }
    KV_EnemyTurn turn() const { return KV_EnemyTurn(cell.get_u8(5)); }
    void set_turn(KV_EnemyTurn t) { cell.set_u8(5, uint8_t(t)); }
    bool resume() const { return (cell.get_u8(6) & 1) != 0; }
    void set_resume(bool on) { cell.set_u8(6, uint8_t(on ? (cell.get_u8(6) | 1) : (cell.get_u8(6) & ~1))); }
};
using KV_EnemyView = KV_EnemyViewOf<KV_Cell>;
using KV_ConstEnemyView = KV_EnemyViewOf<const KV_Cell>;

// The cell an enemy is stepping out of (Electron_Temp, Gnarrow_Temp, layer 2):
//   bytes 0-3  u32 where the enemy went, as a KV_Direction (1 left, 2 up, 4 right, 8 down)
template <typename Cell>
struct KV_EnemyTempViewOf {
    Cell& cell;
    uint32_t went() const { return cell.get_u32(0); }
    void set_went(uint32_t d) { cell.set_u32(0, d); }
    bool went_down() const { return (cell.get_u16(0) & DIR_DOWN) != 0; }
};
using KV_EnemyTempView = KV_EnemyTempViewOf<KV_Cell>;
using KV_ConstEnemyTempView = KV_EnemyTempViewOf<const KV_Cell>;

// May an enemy move into (x, y) now: nothing solid in layers 0-2, and in layer
// 3 nothing solid but a laid red disk. Outside the field it may not.
bool can_enemy_enter(const KV_Level* level, int32_t x, int32_t y);

}  // namespace KV_Logic
