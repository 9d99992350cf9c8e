#pragma once
// Pellik, the player's figure, in layer 2. It reads the tick's keys, asks the
// object in front of it whether it can be used, eaten, pushed or passed, and
// mirrors its cell into the level's player fields after every tick call.
#include <cstdint>

#include "game/level/level.h"
#include "game/objects/logic.h"
#include "game/objects/object_type.h"

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

// Pellik's cell: state word, u8 counter, pose, direction and the u16 hold count.
struct View {
    KV_Cell& cell;
    KV_PellikState state() const { return KV_PellikState(cell.get_u16(0)); }
    void set_state(KV_PellikState s) { cell.set_u16(0, uint16_t(s)); }
    uint8_t counter() const { return cell.get_u8(2); }
    void set_counter(uint8_t c) { cell.set_u8(2, c); }
    uint8_t bump_counter() {
        set_counter(uint8_t(counter() + 1));
        return counter();
    }
    uint8_t pose() const { return cell.get_u8(3); }
    void set_pose(uint8_t p) { cell.set_u8(3, p); }
    // KV_Direction bits of the last chosen move; 0 before the first.
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

// The cell Pellik leaves behind while it steps out of it. Its state word is
// the move: the KV_Direction of a walk, or 16/32/64/128 (left/up/right/down)
// for a push.
struct MoveTempView {
    KV_Cell& cell;
    uint16_t move() const { return cell.get_u16(0); }
    void set_move(uint16_t m) { cell.set_u16(0, m); }
};

// One of the four moves: its key, the neighbour it aims at, the side of that
// neighbour Pellik comes from, the poses it ends with and its push temp state.
struct Step {
    uint8_t dir;
    int8_t dx, dy;
    uint32_t side;
    uint8_t move_pose, push_pose, eat_pose;
    uint16_t push_temp;
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

}  // namespace Pellik
}  // namespace KV_Logic
