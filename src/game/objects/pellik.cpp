#include "game/objects/pellik.h"

#include "game/objects/disks.h"
#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"

namespace KV_Logic {
namespace Pellik {
namespace {

using T = KV_ObjectType;
using S = KV_PellikState;
namespace I = KV_Interfaces;

// The side handed to the neighbour is the opposite of the move.
constexpr Step step_towards(KV_Dir d) {
    const int i = kv_index(d);
    return {d, uint8_t(POSE_MOVED_LEFT + i), uint8_t(POSE_PUSHED_LEFT + i), uint8_t(POSE_ATE_LEFT + i)};
}
constexpr Step kLeft = step_towards(KV_Dir::Left);
constexpr Step kUp = step_towards(KV_Dir::Up);
constexpr Step kRight = step_towards(KV_Dir::Right);
constexpr Step kDown = step_towards(KV_Dir::Down);

const Step& checked_step(uint8_t dir, const char* fatal_text) {
    const Step* s = step_of(dir);
    if (!s) kv_fatal(fatal_text);
    return *s;
}

int32_t& keys_of(const KV_ObjectContext& ctx) { return *ctx.level->get_input(); }
bool fire_held(const KV_ObjectContext& ctx) { return (keys_of(ctx) & KEY_FIRE) != 0; }

// Neighbours outside the field count as blocked: nothing there can be entered.
bool free_at(const KV_Level* level, int32_t x, int32_t y) {
    return level->inside(x, y) && level->is_cell_free(x, y);
}

int32_t target_x(const KV_ObjectContext& ctx, const Step& s) { return ctx.x + s.dx(); }
int32_t target_y(const KV_ObjectContext& ctx, const Step& s) { return ctx.y + s.dy(); }

KV_ObjectContext target(const KV_ObjectContext& ctx, const Step& s, int layer) {
    return I::context_at(ctx.level, layer, target_x(ctx, s), target_y(ctx, s));
}

// Could Pellik do anything at all towards this neighbour?
bool may_head_for(const KV_ObjectContext& ctx, const Step& s) {
    KV_Level* level = ctx.level;
    const int32_t tx = target_x(ctx, s), ty = target_y(ctx, s);
    if (!level->inside(tx, ty)) return false;
    if (can_enter_cell(level, tx, ty)) return true;
    if (is_deadly_cell(level, tx, ty)) return true;
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (I::IEatable::can_be_eaten(t1, s.side())) return true;
    if (I::IPushing::is_pushable(t1, s.side())) return true;
    if (I::can_use(t1)) return true;
    return I::Port::can_pass(target(ctx, s, KV_LAYER_FIXTURES), s.side());
}

// Under gravity Pellik may step sideways or up only onto something it eats
// (Base, Bug) while it hangs over a free cell; with nothing else held it falls.
void apply_gravity(const KV_ObjectContext& ctx) {
    KV_Level* level = ctx.level;
    const int32_t x = ctx.x, y = ctx.y;
    if (!level->get_status()->get_gravity()) return;
    if (level->inside(x, y - 1)) {
        const KV_Cell& above = level->at(KV_LAYER_FIXTURES, x, y - 1);
        if (above.is(T::Port_Cross) || above.is(T::Port_D_To_U) || above.is(T::Port_Vertical)) return;
    }
    int32_t& keys = keys_of(ctx);
    const bool below_free = free_at(level, x, y + 1);
    auto hang = [&](uint32_t dir, int32_t cx, int32_t cy) {
        if ((keys & int32_t(dir)) == 0) return;
        bool soft = false;
        if (level->inside(cx, cy)) {
            const KV_Cell& c = level->at(KV_LAYER_ITEMS, cx, cy);
            soft = c.is(T::Base) || c.is(T::Bug);
        }
        if (!soft && below_free) keys &= ~int32_t(dir | KEY_FIRE);
    };
    hang(DIR_LEFT, x - 1, y);
    hang(DIR_RIGHT, x + 1, y);
    hang(DIR_UP, x, y - 1);
    if ((keys & int32_t(DIR_LEFT | DIR_UP | DIR_RIGHT)) != 0) {
        if (below_free) keys &= ~int32_t(KEY_FIRE);
        return;
    }
    if (View{*ctx.cell}.hold() < 2 && below_free) {
        keys |= int32_t(DIR_DOWN);
        keys &= ~int32_t(KEY_FIRE);
    }
}

void become_player(KV_Level* level, const KV_Cell& cell, int32_t x, int32_t y) {
    *level->get_player_cell() = cell;
    level->set_player_pos(x, y);
    level->set_has_player(true);
}

// The whole cell goes to the neighbour and takes the player fields with it;
// the old cell stays occupied by the move temp until the step nearly ends.
void step_into(const KV_ObjectContext& ctx, int32_t tx, int32_t ty, uint16_t temp_move) {
    KV_Cell& moved = ctx.level->at(KV_LAYER_MOVERS, tx, ty);
    moved = *ctx.cell;
    become_player(ctx.level, moved, tx, ty);
    set_cell(*ctx.cell, T::Pellik_Move_Temp);
    MoveTempView{*ctx.cell}.set_move(temp_move);
}

void lay_red_disk(const KV_ObjectContext& ctx) {
    KV_Level* level = ctx.level;
    KV_Cell& disk = level->at(KV_LAYER_FIXTURES, ctx.x, ctx.y);
    set_cell(disk, T::Disk_Red);
    disk.flags &= ~uint32_t(CF_STATIC);
    Disk_Red::View{disk}.set_state(Disk_Red::State::Laid);  // its fuse runs
    View{*ctx.cell}.set_hold(0);
    level->get_sound_events()->post(SE_SWITCH);
    level->get_status()->dec_red_disks();
}

// Counts one more tick of fire held while ready; true when a disk was laid.
bool hold_fire(const KV_ObjectContext& ctx) {
    if (ctx.level->get_status()->get_red_disks() < 1) return false;
    if (View{*ctx.cell}.bump_hold() != kLayHoldTicks) return false;
    lay_red_disk(ctx);
    return true;
}

// Back to ready from a fresh prototype, keeping the direction.
void end_step(KV_Cell& cell, uint8_t pose) {
    const uint8_t dir = View{cell}.direction();
    set_cell(cell, T::Pellik);
    View p{cell};
    p.set_direction(dir);
    p.set_pose(pose);
}

// The common course of a step in the process pass: the cell left behind is
// emptied at 15, Pellik is ready at 16.
template <uint8_t Step::*kPose>
bool advance_step(const KV_ObjectContext& ctx, const char* came_from_text) {
    View p{*ctx.cell};
    const uint8_t c = p.bump_counter();
    if (c == kStepTicks - 1) {
        const Step& s = checked_step(p.direction(), came_from_text);
        set_cell(ctx.level->at(KV_LAYER_MOVERS, ctx.x - s.dx(), ctx.y - s.dy()), T::Empty);
    } else if (c == kStepTicks) {
        const Step& s = checked_step(p.direction(), "KV_Logic::Pellik, do_move unknown direction");
        end_step(*ctx.cell, s.*kPose);
        return true;
    }
    return false;
}

// Copies Pellik's layer-2 cell at the player position into the level's player cell.
void mirror_player(KV_Level* level) {
    if (!level->get_has_player()) return;
    const int32_t px = level->get_player_x(), py = level->get_player_y();
    *level->get_player_cell() = level->at(KV_LAYER_MOVERS, px, py);
    level->set_player_pos(px, py);
    level->set_has_player(true);
}

}  // namespace

const Step* step_of(uint8_t dir) {
    static constexpr const Step* kSteps[4] = {&kLeft, &kUp, &kRight, &kDown};
    KV_Dir d;
    return kv_dir_of_bit(dir, d) ? kSteps[kv_index(d)] : nullptr;
}

void filter_input(const KV_ObjectContext& ctx) {
    int32_t& keys = keys_of(ctx);
    for (const Step* s : {&kUp, &kDown, &kLeft, &kRight}) {
        if ((keys & int32_t(s->dir())) != 0 && !may_head_for(ctx, *s)) keys &= ~int32_t(s->dir());
    }
    apply_gravity(ctx);
}

void choose_direction(const KV_ObjectContext& ctx) {
    View p{*ctx.cell};
    p.set_state(S::Moving);
    const int32_t keys = keys_of(ctx);
    auto held = [keys](uint32_t d) { return (keys & int32_t(d)) != 0; };
    // First of the candidates that is held, else 0.
    auto first = [&](uint32_t a, uint32_t b) -> uint8_t {
        return held(a) ? uint8_t(a) : held(b) ? uint8_t(b) : 0;
    };
    const uint8_t last = p.direction();
    uint8_t chosen;
    // A turn is preferred over going on or back.
    if (last == DIR_UP || last == DIR_DOWN) {
        chosen = first(DIR_LEFT, DIR_RIGHT);
        if (!chosen) chosen = last == DIR_DOWN ? first(DIR_UP, DIR_DOWN) : first(DIR_DOWN, DIR_UP);
    } else {
        chosen = first(DIR_UP, DIR_DOWN);
        if (!chosen) chosen = last == DIR_RIGHT ? first(DIR_LEFT, DIR_RIGHT) : first(DIR_RIGHT, DIR_LEFT);
    }
    if (!chosen) {
        p.set_state(S::Ready);
        return;
    }
    p.set_direction(chosen);
}

bool try_use(const KV_ObjectContext& ctx, const Step& s) {
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (!I::can_use(t1)) return false;
    View p{*ctx.cell};
    p.set_state(S::Ready);
    p.set_counter(0);
    I::use(t1);
    ctx.level->get_status()->inc_moves();
    return true;
}

bool check_danger(const KV_ObjectContext& ctx, const Step& s) {
    KV_Level* level = ctx.level;
    if (!is_deadly_cell(level, target_x(ctx, s), target_y(ctx, s))) return false;
    I::do_explode_normal(I::context_at(level, KV_LAYER_MOVERS, level->get_player_x(), level->get_player_y()), KV_LAYER_MOVERS);
    level->get_status()->inc_moves();
    return true;
}

bool try_over_eating(const KV_ObjectContext& ctx, const Step& s) {
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (!I::IEatable::can_be_eaten(t1, s.side())) return false;
    View p{*ctx.cell};
    const Step& step = checked_step(p.direction(), "KV_Logic::Pellik, try_over_eating unknown direction");
    p.set_state(S::Over_Eating);
    p.set_counter(0);
    p.set_time_critical(false);
    KV_Level* level = ctx.level;
    KV_Cell& moved = level->at(KV_LAYER_MOVERS, t1.x, t1.y);
    moved = *ctx.cell;
    I::IEatable::do_over_eat(t1, s.side());
    become_player(level, moved, t1.x, t1.y);
    set_cell(*ctx.cell, T::Pellik_Move_Temp);
    MoveTempView{*ctx.cell}.set_move(step.dir());
    level->get_status()->inc_moves();
    return true;
}

bool try_move(const KV_ObjectContext& ctx, const Step& s) {
    if (!can_enter_cell(ctx.level, target_x(ctx, s), target_y(ctx, s))) return false;
    View p{*ctx.cell};
    const Step& step = checked_step(p.direction(), "KV_Logic::Pellik, try_move unknown direction");
    p.set_time_critical(false);
    p.set_state(S::Moving);
    p.set_counter(0);
    step_into(ctx, target_x(ctx, step), target_y(ctx, step), step.dir());
    ctx.level->get_status()->inc_moves();
    return true;
}

void walk_to(const KV_ObjectContext& ctx, int32_t tx, int32_t ty) {
    View p{*ctx.cell};
    const Step& step = checked_step(p.direction(), "KV_Logic::Pellik, try_move unknown direction");
    p.set_time_critical(false);
    p.set_state(S::Moving);
    p.set_counter(0);
    step_into(ctx, tx, ty, step.dir());
}

bool stands_in_port(const KV_ObjectContext& ctx) {
    return I::Port::is_port(ctx.level->at(KV_LAYER_FIXTURES, ctx.x, ctx.y).type);
}

bool counts_as_player(const KV_ObjectContext& ctx) {
    return View{*ctx.cell}.in_player_state() && !stands_in_port(ctx);
}

bool is_hit_by_faller(const KV_ObjectContext& ctx) {
    return !stands_in_port(ctx) && View{*ctx.cell}.in_hittable_state();
}

bool try_push(const KV_ObjectContext& ctx, const Step& s) {
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (!I::IPushing::is_pushable(t1, s.side())) return false;
    View p{*ctx.cell};
    p.set_state(S::Leaning);
    p.set_counter(0);
    I::IPushing::wanna_push(t1, s.side());
    ctx.level->get_status()->inc_moves();
    return true;
}

bool try_port(const KV_ObjectContext& ctx, const Step& s) {
    if (!I::Port::can_pass(target(ctx, s, KV_LAYER_FIXTURES), s.side())) return false;
    View p{*ctx.cell};
    const Step& step = checked_step(p.direction(), "KV_Logic::Pellik, try_port unknown direction");
    p.set_state(S::Moving);
    p.set_counter(0);
    p.set_time_critical(false);
    step_into(ctx, target_x(ctx, step), target_y(ctx, step), step.dir());
    ctx.level->get_status()->inc_moves();
    return true;
}

bool try_eat_in_place(const KV_ObjectContext& ctx, const Step& s) {
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (!I::IEatable::can_be_eaten(t1, s.side())) return false;
    if (check_danger(ctx, s)) return true;
    View p{*ctx.cell};
    p.set_counter(0);
    p.set_state(S::Eating_In_Place);
    p.set_time_critical(false);
    I::IEatable::eat_in_place(t1, s.side());
    ctx.level->get_status()->inc_moves();
    return true;
}

void do_ready(const KV_ObjectContext& ctx) {
    filter_input(ctx);
    choose_direction(ctx);
    KV_Level* level = ctx.level;
    KV_LevelStatus* status = level->get_status();
    const bool fire = fire_held(ctx);
    View p{*ctx.cell};
    switch (p.state()) {
        case S::Ready:
            if (p.counter() < kIdleTicks)
                p.bump_counter();
            else
                p.set_pose(POSE_IDLE);
            if (fire && hold_fire(ctx)) status->inc_moves();
            break;
        case S::Moving: {
            const Step& s = checked_step(p.direction(), "KV_Logic::Pellik, do_ready unknown direction");
            if (try_use(ctx, s)) break;
            if (!fire) {
                if (check_danger(ctx, s) || try_over_eating(ctx, s) || try_move(ctx, s) || try_push(ctx, s) ||
                    try_port(ctx, s))
                    break;
                kv_fatal("KV_Logic::Pellik, do_ready, don't know what to do");
            }
            if (try_eat_in_place(ctx, s)) break;
            // Facing a direction with fire held still counts towards a disk, but no move.
            hold_fire(ctx);
            p.set_state(S::Ready);
            break;
        }
        default:
            kv_fatal("KV_Logic::Pellik, do_ready unknown state");
    }
    // Only fire held while ready keeps the count; the cell is Pellik's own,
    // wherever this tick has put it, so no count survives into a step.
    if (level->get_has_player()) {
        View own{level->at(KV_LAYER_MOVERS, level->get_player_x(), level->get_player_y())};
        if (!(fire && own.state() == S::Ready)) own.set_hold(0);
    }
}

void do_move(const KV_ObjectContext& ctx) {
    if (!advance_step<&Step::move_pose>(ctx, "KV_Logic::Pellik, do_move unknown direction")) return;
    if (stands_in_port(ctx)) View{*ctx.cell}.set_state(S::In_Port);
}

void do_over_eat(const KV_ObjectContext& ctx) {
    advance_step<&Step::eat_pose>(ctx, "KV_Logic::Pellik, do_over_eat unknown direction");
}

void do_pushing(const KV_ObjectContext& ctx) {
    advance_step<&Step::push_pose>(ctx, "KV_Logic::Pellik, do_pushing unknown direction");
}

void do_eat_in_place(const KV_ObjectContext& ctx) {
    if (View{*ctx.cell}.bump_counter() == kStepTicks) end_step(*ctx.cell, POSE_IDLE);
}

void do_wanna_push(const KV_ObjectContext& ctx) {
    View p{*ctx.cell};
    p.bump_counter();
    const Step& s = checked_step(p.direction(), "KV_Logic::Pellik, do_wanna_push unknown direction");
    // The raw keys of the tick: the filter does not run while leaning.
    const int32_t keys = keys_of(ctx);
    const bool given_up = (keys & int32_t(s.dir())) == 0 || (keys & int32_t(KEY_FIRE)) != 0;
    const KV_ObjectContext t1 = target(ctx, s, KV_LAYER_ITEMS);
    if (!I::IPushing::is_pushable(t1, s.side())) {
        set_cell(*ctx.cell, T::Pellik);
        return;
    }
    if (given_up) {
        I::IPushing::dont_wanna_push(t1);
        set_cell(*ctx.cell, T::Pellik);
        View{*ctx.cell}.set_pose(s.push_pose);
        return;
    }
    if (p.counter() != kStepTicks) return;
    I::IPushing::do_pushing(t1);
    p.set_time_critical(false);
    p.set_state(S::Pushing);
    p.set_counter(0);
    step_into(ctx, target_x(ctx, s), target_y(ctx, s), s.push_temp());
}

void do_in_port(const KV_ObjectContext& ctx) {
    KV_Cell& port = ctx.level->at(KV_LAYER_FIXTURES, ctx.x, ctx.y);
    if (!I::Port::is_port(port.type)) kv_fatal("KV_Logic::Pellik, do_in_port, no port under pellik");
    I::Port::on_pass(KV_ObjectContext{ctx.x, ctx.y, ctx.level, &port});
}

void process(const KV_ObjectContext& ctx) {
    switch (View{*ctx.cell}.state()) {
        case S::Moving: do_move(ctx); break;
        case S::Over_Eating: do_over_eat(ctx); break;
        case S::Eating_In_Place: do_eat_in_place(ctx); break;
        case S::Pushing: do_pushing(ctx); break;
        default: kv_fatal("KV_Logic::Pellik, process unknown state");
    }
    mirror_player(ctx.level);
}

void time_critical(const KV_ObjectContext& ctx) {
    switch (View{*ctx.cell}.state()) {
        case S::Ready: do_ready(ctx); break;
        case S::Leaning: do_wanna_push(ctx); break;
        case S::In_Port: do_in_port(ctx); break;
        case S::Settling: View{*ctx.cell}.set_state(S::Ready); break;
        default: kv_fatal("KV_Logic::Pellik, time_critical unknown state");
    }
    mirror_player(ctx.level);
}

}  // namespace Pellik
}  // namespace KV_Logic
