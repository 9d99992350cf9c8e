#include "game/objects/enemies.h"

#include <string>

#include "game/objects/explosions.h"
#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/logic.h"
#include "game/objects/prototypes.h"

namespace KV_Logic {

bool can_enemy_enter(const KV_Level* level, int32_t x, int32_t y) {
    if (!level->inside(x, y)) return false;
    if (level->at(KV_LAYER_FLOOR, x, y).is_solid() || level->at(KV_LAYER_ITEMS, x, y).is_solid() || level->at(KV_LAYER_MOVERS, x, y).is_solid())
        return false;
    const KV_Cell& l3 = level->at(KV_LAYER_FIXTURES, x, y);
    return !l3.is_solid() || l3.is(KV_ObjectType::Disk_Red);
}

namespace {
using T = KV_ObjectType;
using Dir = KV_EnemyDirection;
using State = KV_EnemyState;
using Turn = KV_EnemyTurn;

// What differs between the two enemies.
struct EnemyKind {
    T temp;
    const char* name;  // the fatal texts begin with it
    void (*blast)(const KV_ObjectContext&);
};

const EnemyKind kElectron{T::Electron_Temp, "KV_Logic::Electron", &explode_quarkel_at};
const EnemyKind kGnarrow{T::Gnarrow_Temp, "KV_Logic::Gnarrow", &explode_normal_at};

[[noreturn]] void fail(const EnemyKind& kind, const char* what) { kv_fatal(std::string(kind.name) + what); }

struct Offset {
    int32_t dx, dy;
};

// The step of a move direction; false for a corrupt byte.
bool step_of(Dir d, Offset& o) {
    KV_Dir dir;
    if (!kv_dir_of_enemy(d, dir)) return false;
    o = {kv_dx(dir), kv_dy(dir)};
    return true;
}

// The temp records the move in the keys' code (the move byte is known good here).
uint32_t temp_state_of(Dir d) {
    KV_Dir dir;
    return kv_dir_of_enemy(d, dir) ? kv_bit(dir) : 0;
}

struct QuarterTurn {
    Turn code;
    Dir to;
};

bool anti_clockwise_turn(Dir d, QuarterTurn& t) {
    switch (d) {
        case Dir::Left: t = {Turn::Left_To_Down, Dir::Down}; return true;
        case Dir::Right: t = {Turn::Right_To_Up, Dir::Up}; return true;
        case Dir::Up: t = {Turn::Up_To_Left, Dir::Left}; return true;
        case Dir::Down: t = {Turn::Down_To_Right, Dir::Right}; return true;
    }
    return false;
}

bool clockwise_turn(Dir d, QuarterTurn& t) {
    switch (d) {
        case Dir::Left: t = {Turn::Left_To_Up, Dir::Up}; return true;
        case Dir::Right: t = {Turn::Right_To_Down, Dir::Down}; return true;
        case Dir::Up: t = {Turn::Up_To_Right, Dir::Right}; return true;
        case Dir::Down: t = {Turn::Down_To_Left, Dir::Left}; return true;
    }
    return false;
}

bool quarter_turn(bool clockwise, Dir d, QuarterTurn& t) {
    return clockwise ? clockwise_turn(d, t) : anti_clockwise_turn(d, t);
}

// Where a finished turn points; false for a corrupt code.
bool direction_after(Turn code, Dir& d) {
    switch (code) {
        case Turn::Left_To_Up: case Turn::Right_To_Up: d = Dir::Up; return true;
        case Turn::Up_To_Left: case Turn::Down_To_Left: d = Dir::Left; return true;
        case Turn::Up_To_Right: case Turn::Down_To_Right: d = Dir::Right; return true;
        case Turn::Right_To_Down: case Turn::Left_To_Down: d = Dir::Down; return true;
    }
    return false;
}

bool pellik_at(KV_Level* level, int32_t x, int32_t y) {
    return level->inside(x, y) && touches_pellik(level, x, y);
}

void set_rotating(const EnemyKind& kind, const KV_ObjectContext& ctx, bool clockwise) {
    KV_EnemyView e{*ctx.cell};
    QuarterTurn t;
    if (!quarter_turn(clockwise, e.direction(), t))
        fail(kind, clockwise ? ", set_rotating_clockwise, unknown move_direction"
                             : ", set_rotating_anti_clockwise, unknown move_direction");
    e.set_state(State::Turning);
    e.set_turn(t.code);
    e.set_counter(0);
    ctx.cell->flags &= ~uint32_t(CF_TIME_CRITICAL);
}

// Turns when the side cell can be entered, or when Pellik stands there outside a port.
bool try_rotating(const EnemyKind& kind, const KV_ObjectContext& ctx, bool clockwise) {
    KV_EnemyView e{*ctx.cell};
    QuarterTurn t;
    if (!quarter_turn(clockwise, e.direction(), t))
        fail(kind, clockwise ? ", try_rotating_clockwise, unknown move_direction"
                             : ", try_rotating_anti_clockwise, unknown move_direction");
    Offset o;
    step_of(t.to, o);
    KV_Level* level = ctx.level;
    const int32_t sx = ctx.x + o.dx, sy = ctx.y + o.dy;
    const bool open = can_enemy_enter(level, sx, sy) ||
                      (pellik_at(level, sx, sy) && !KV_Interfaces::Port::is_port(level->at(KV_LAYER_FIXTURES, sx, sy).type));
    if (!open) return false;
    set_rotating(kind, ctx, clockwise);
    return true;
}

bool try_explode_if_danger(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    Offset o;
    if (!step_of(KV_EnemyView{*ctx.cell}.direction(), o))
        fail(kind, ", try_explode_if_danger, unknown move_direction");
    if (!pellik_at(ctx.level, ctx.x + o.dx, ctx.y + o.dy)) return false;
    set_cell(*ctx.cell, T::Empty);
    kind.blast(ctx);
    return true;
}

// The enemy takes the cell ahead at once and leaves its temp behind, so both
// cells are occupied for the whole step.
bool try_move_further(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    const Dir d = e.direction();
    Offset o;
    if (!step_of(d, o)) fail(kind, ", try_move_further, unknown move_direction");
    KV_Level* level = ctx.level;
    const int32_t tx = ctx.x + o.dx, ty = ctx.y + o.dy;
    if (!can_enemy_enter(level, tx, ty)) return false;
    e.set_state(State::Moving);
    e.set_counter(0);
    ctx.cell->flags &= ~uint32_t(CF_TIME_CRITICAL);
    level->at(KV_LAYER_MOVERS, tx, ty) = *ctx.cell;
    set_cell(*ctx.cell, kind.temp);
    KV_EnemyTempView{*ctx.cell}.set_went(temp_state_of(d));
    return true;
}

void do_move(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    if (e.bump_counter() != 16) return;
    Offset o;
    if (!step_of(e.direction(), o)) fail(kind, ", do_move, unknown move_direction");
    KV_Level* level = ctx.level;
    const int32_t fx = ctx.x - o.dx, fy = ctx.y - o.dy;
    // Pellik may have stepped into it on the last tick of the step.
    if (level->inside(fx, fy) && level->at(KV_LAYER_MOVERS, fx, fy).is(kind.temp)) set_cell(level->at(KV_LAYER_MOVERS, fx, fy), T::Empty);
    e.set_state(State::Move_Ended);
    e.set_counter(0);
    ctx.cell->flags |= CF_TIME_CRITICAL;
}

void do_rotate(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    if (e.bump_counter() != 8) return;
    Dir to;
    if (!direction_after(e.turn(), to)) fail(kind, ", do_rotate, unknown rotate_direction");
    e.set_direction(to);
    e.set_state(State::Turn_Ended);
    e.set_counter(0);
    ctx.cell->flags |= CF_TIME_CRITICAL;
}

void stuck(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    if (e.bump_counter() == 8) set_rotating(kind, ctx, is_clockwise(e.turn()));
}

void stop_stuck(const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    e.set_state(State::Stuck);
    e.set_counter(0);
    ctx.cell->flags &= ~uint32_t(CF_TIME_CRITICAL);
}

void start(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    e.set_direction(Dir::Up);
    if (!pellik_at(ctx.level, ctx.x - 1, ctx.y) && try_rotating(kind, ctx, false)) return;
    if (try_move_further(kind, ctx)) return;
    e.set_direction(Dir::Right);
    if (try_move_further(kind, ctx)) return;
    e.set_direction(Dir::Up);
    e.set_turn(Turn::Right_To_Up);
    stop_stuck(ctx);
}

void enemy_time_critical(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    if (ctx.level->get_status()->get_freeze_enemies()) return;
    KV_EnemyView e{*ctx.cell};
    switch (e.state()) {
        case State::Start: start(kind, ctx); return;
        case State::Move_Ended:
            // Wall-following: the anti-clockwise side first, then ahead, then clockwise.
            if (try_rotating(kind, ctx, false) || try_explode_if_danger(kind, ctx) ||
                try_move_further(kind, ctx) || try_rotating(kind, ctx, true))
                return;
            set_rotating(kind, ctx, false);
            return;
        case State::Turn_Ended:
            if (e.resume()) {
                set_rotating(kind, ctx, is_clockwise(e.turn()));
                e.set_resume(false);
                return;
            }
            if (try_explode_if_danger(kind, ctx) || try_move_further(kind, ctx)) return;
            stop_stuck(ctx);
            return;
        default:
            kv_fatal(std::string(kind.name) + ", time_critical unknown state ", uint16_t(e.state()));
    }
}

void enemy_process(const EnemyKind& kind, const KV_ObjectContext& ctx) {
    KV_EnemyView e{*ctx.cell};
    if (ctx.level->get_status()->get_freeze_enemies()) {
        // Remember a turn caught in its first half, to make it again after the freeze.
        e.set_resume(e.state() == State::Turning && e.counter() < 4);
        return;
    }
    switch (e.state()) {
        case State::Moving: do_move(kind, ctx); return;
        case State::Turning: do_rotate(kind, ctx); return;
        case State::Stuck: stuck(kind, ctx); return;
        default: fail(kind, ", process unknown state");
    }
}

}  // namespace

void Electron::process(const KV_ObjectContext& ctx) { enemy_process(kElectron, ctx); }
void Electron::time_critical(const KV_ObjectContext& ctx) { enemy_time_critical(kElectron, ctx); }
void Gnarrow::process(const KV_ObjectContext& ctx) { enemy_process(kGnarrow, ctx); }
void Gnarrow::time_critical(const KV_ObjectContext& ctx) { enemy_time_critical(kGnarrow, ctx); }

}  // namespace KV_Logic
