#pragma once
// Pellik, the player's figure, in layer 2. It reads the tick's keys, asks the
// object in front of it whether it can be used, eaten, pushed or passed, and
// mirrors its cell into the level's player fields after every tick call.
#include <cstdint>
#include <initializer_list>

#include "game/objects/object_context.h"
#include "game/objects/logic.h"
#include "game/level/object_type.h"

enum class KV_PellikState : uint16_t {
    Ready = 1,            // time-critical: chooses what to do
    Moving = 2,           // process pass, one cell in 16 ticks
    Over_Eating = 4,      // process pass, moving onto something it eats
    Eating_In_Place = 8,  // process pass, fire held, stays where it is
    Pushing = 16,         // process pass, following the pushed object
    Leaning = 32,         // time-critical, leaning on a pushable object
    In_Port = 64,         // time-critical, waiting to be carried out of a port
    Settling = 128,       // time-critical, ready again at the next call
};

// How the last action ended, for the drawing.
enum KV_PellikPose : uint8_t {
    POSE_IDLE = 0,
    POSE_MOVED_LEFT = 1,   // +1 up, +2 right, +3 down
    POSE_PUSHED_LEFT = 5,  // likewise
    POSE_ATE_LEFT = 9,     // likewise
};

namespace KV_Logic {
namespace Pellik {

constexpr uint8_t kStepTicks = 16;
// Ticks the ready counter runs before the idle pose is taken.
constexpr uint8_t kIdleTicks = 2;
// Ticks of fire held while ready that lay a red disk.
constexpr uint16_t kLayHoldTicks = 132;

// Pellik's cell (layer 2):
//   bytes 0-1  u16 state (KV_PellikState)
//   byte 2     u8 counter: ticks of the current step, or of readiness
//   byte 3     u8 pose (KV_PellikPose) the last action ended with
//   byte 4     u8 direction: KV_Direction bit of the last chosen move, 0 before the first
//   bytes 6-7  u16 hold: ticks fire has been held while ready (a red disk at kLayHoldTicks)
template <typename Cell>
struct ViewOf {
    Cell& cell;
    KV_PellikState state() const { return KV_PellikState(cell.get_u16(0)); }
    void set_state(KV_PellikState s) { cell.set_u16(0, uint16_t(s)); }
    // True when the state word has any of the bits of `states`.
    bool in_any(std::initializer_list<KV_PellikState> states) const {
        uint16_t bits = 0;
        for (KV_PellikState s : states) bits = uint16_t(bits | uint16_t(s));
        return (cell.get_u16(0) & bits) != 0;
    }
    // The states in which the figure on the field is the player for the enemies:
    // not while pushing, in a port or settling.
    bool in_player_state() const {
        using S = KV_PellikState;
        return in_any({S::Ready, S::Moving, S::Over_Eating, S::Eating_In_Place, S::Leaning});
    }
    // Walking or pushing: the cell it came from still holds its move temp.
    bool is_stepping() const { return in_any({KV_PellikState::Moving, KV_PellikState::Pushing}); }
    // The states in which a falling Grobble or Quarkel hits it.
    bool in_hittable_state() const {
        using S = KV_PellikState;
        return in_any({S::Ready, S::Moving, S::Eating_In_Place});
    }
    uint8_t counter() const { return cell.get_u8(2); }
    void set_counter(uint8_t c) { cell.set_u8(2, c); }
    uint8_t bump_counter() {
        set_counter(uint8_t(counter() + 1));
        return counter();
    }
    uint8_t pose() const { return cell.get_u8(3); }
    void set_pose(uint8_t p) { cell.set_u8(3, p); }
    uint8_t direction() const { return cell.get_u8(4); }
    void set_direction(uint8_t d) { cell.set_u8(4, d); }
    uint16_t hold() const { return cell.get_u16(6); }
    void set_hold(uint16_t h) { cell.set_u16(6, h); }
    uint16_t bump_hold() {
        set_hold(uint16_t(hold() + 1));
        return hold();
    }
    void set_time_critical(bool on) {
        if (on)
            cell.flags |= CF_TIME_CRITICAL;
        else
            cell.flags &= ~uint32_t(CF_TIME_CRITICAL);
    }
};
using View = ViewOf<KV_Cell>;
using ConstView = ViewOf<const KV_Cell>;

// The cell Pellik leaves behind while it steps out of it (Pellik_Move_Temp, layer 2):
//   bytes 0-1  u16 move: the KV_Direction of a walk, or 16/32/64/128
//              (left/up/right/down) for a push
template <typename Cell>
struct MoveTempViewOf {
    Cell& cell;
    uint16_t move() const { return cell.get_u16(0); }
    void set_move(uint16_t m) { cell.set_u16(0, m); }
};
using MoveTempView = MoveTempViewOf<KV_Cell>;
using ConstMoveTempView = MoveTempViewOf<const KV_Cell>;

// The move temp's code of a push: 16, 32, 64, 128 for left, up, right, down.
constexpr uint16_t push_move_of(KV_Dir d) { return uint16_t(16u << kv_index(d)); }

// One of the four moves: its direction and the poses it ends with; from the
// direction its key, the neighbour it aims at, the side of that neighbour
// Pellik comes from and its push temp state.
struct Step {
    KV_Dir way;
    uint8_t move_pose, push_pose, eat_pose;
    uint8_t dir() const { return uint8_t(kv_bit(way)); }
    int32_t dx() const { return kv_dx(way); }
    int32_t dy() const { return kv_dy(way); }
    uint32_t side() const { return kv_bit(kv_opposite(way)); }
    uint16_t push_temp() const { return push_move_of(way); }
};

// The step of a direction byte, or nullptr for anything but 1, 2, 4, 8.
const Step* step_of(uint8_t dir);

// do_ready's two first steps: rewrite the tick's key mask to what Pellik can
// do, then pick one direction (state 2), or none (state 1).
void filter_input(const KV_ObjectContext& ctx);
void choose_direction(const KV_ObjectContext& ctx);

void do_ready(const KV_ObjectContext& ctx);
void do_move(const KV_ObjectContext& ctx);
void do_over_eat(const KV_ObjectContext& ctx);
void do_eat_in_place(const KV_ObjectContext& ctx);
void do_wanna_push(const KV_ObjectContext& ctx);
void do_pushing(const KV_ObjectContext& ctx);
void do_in_port(const KV_ObjectContext& ctx);

// The tries of do_ready towards the neighbour of `step`; each true ends the tick.
bool try_use(const KV_ObjectContext& ctx, const Step& step);
bool check_danger(const KV_ObjectContext& ctx, const Step& step);
bool try_over_eating(const KV_ObjectContext& ctx, const Step& step);
bool try_move(const KV_ObjectContext& ctx, const Step& step);
bool try_push(const KV_ObjectContext& ctx, const Step& step);
bool try_port(const KV_ObjectContext& ctx, const Step& step);
bool try_eat_in_place(const KV_ObjectContext& ctx, const Step& step);

// Starts a walk of Pellik (ctx: its layer-2 cell) into (tx, ty) in its
// direction byte's way, leaving the move temp behind; the ports carry it out
// of their cell with it.
void walk_to(const KV_ObjectContext& ctx, int32_t tx, int32_t ty);

// What other objects ask about Pellik (ctx: its layer-2 cell).
// Standing on a port tile (layer 3).
bool stands_in_port(const KV_ObjectContext& ctx);
// Taken for the player by the enemies: a player state, and not in a port.
bool counts_as_player(const KV_ObjectContext& ctx);
// Hit by a falling Grobble or Quarkel: not in a port, and ready, moving or eating in place.
bool is_hit_by_faller(const KV_ObjectContext& ctx);

}  // namespace Pellik
}  // namespace KV_Logic
