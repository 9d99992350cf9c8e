#include "game/objects/disks.h"

#include "game/objects/explosions.h"
#include "game/objects/fatal.h"
#include "game/objects/logic.h"
#include "game/objects/prototypes.h"

namespace KV_Logic {
namespace {
using T = KV_ObjectType;

// Outside the field counts as occupied, so a disk on the bottom row lands.
bool free_at(const KV_Level& level, int32_t x, int32_t y) {
    return level.inside(x, y) && level.is_cell_free(x, y);
}

void post_near_or_far(const KV_ObjectContext& ctx, KV_SoundEvent near, KV_SoundEvent far) {
    ctx.level->get_sound_events()->post(ctx.level->is_near_player(ctx.x, ctx.y) ? near : far);
}

void make_empty(KV_Cell& cell) { set_cell(cell, T::Empty); }

}  // namespace

// ---- Disk_Orange ----

namespace Disk_Orange {
namespace {

// Column a leaned-on disk is pushed to; false for a corrupt direction.
bool push_target_column(const View& d, int32_t x, int32_t& target) {
    KV_Dir dir;
    if (!kv_dir_of_push(d.push_direction(), dir) || kv_dx(dir) == 0) return false;
    target = x + kv_dx(dir);
    return true;
}

[[noreturn]] void bad_lean_direction(const View& d) {
    kv_fatal("KV_Logic::Disk_Orange, do_start_pushing, unknown push direction ", d.push_direction());
}

// Take the cell below before falling, so nothing else moves in meanwhile.
KV_Cell& reserve_below(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    d.set_state(State::About_To_Fall);
    d.set_counter(0);
    KV_Cell& below = ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y + 1);
    set_cell(below, T::Disk_Orange_Fall_Temp);
    KV_DiskTempView{below}.set_state(Disk_Orange_Fall_Temp::Reserved);
    return below;
}

// The disk moves into the cell below at once; the cell it leaves keeps a
// placeholder that runs on its own and goes away after the step.
void start_fall(const KV_ObjectContext& ctx) {
    KV_Cell& below = ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y + 1);
    set_cell(below, T::Disk_Orange);
    below.flags &= ~uint32_t(CF_TIME_CRITICAL);
    View{below}.set_state(State::Falling);

    set_cell(*ctx.cell, T::Disk_Orange_Fall_Temp);
    KV_DiskTempView{*ctx.cell}.set_state(Disk_Orange_Fall_Temp::Left_Behind);
    ctx.cell->flags &= ~uint32_t(CF_STATIC);
}

void do_start_pushing(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    int32_t target;
    if (!push_target_column(d, ctx.x, target)) bad_lean_direction(d);
    KV_Level& level = *ctx.level;
    if (can_fall(ctx)) {
        // Falling wins over the push: drop the push reservation and take the cell below.
        if (level.inside(target, ctx.y)) make_empty(level.at(KV_LAYER_ITEMS, target, ctx.y));
        KV_Cell& below = reserve_below(ctx);
        d.set_state(State::Lean_Broken_Off);
        KV_DiskTempView{below}.set_state(Disk_Orange_Fall_Temp::Lean_Reserved);
        return;
    }
    const bool still_reserved =
        level.inside(target, ctx.y) && level.at(KV_LAYER_ITEMS, target, ctx.y).is(T::Disk_Orange_Push_Temp);
    if (!still_reserved) set_cell(*ctx.cell, T::Disk_Orange);  // Pellik gave up the lean
}

void end_broken_lean(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    if (d.bump_counter() != 2) return;
    int32_t target;
    if (!push_target_column(d, ctx.x, target)) bad_lean_direction(d);
    if (ctx.level->inside(target, ctx.y)) make_empty(ctx.level->at(KV_LAYER_ITEMS, target, ctx.y));
    set_cell(*ctx.cell, T::Disk_Orange);
}

void end_fall_step(const KV_ObjectContext& ctx) {
    if (can_fall(ctx)) {
        start_fall(ctx);
        return;
    }
    View d{*ctx.cell};
    const bool on_fire = ctx.level->inside(ctx.x, ctx.y + 1) &&
                         ctx.level->at(KV_LAYER_FIXTURES, ctx.x, ctx.y + 1).is(T::Explosion);
    if (!on_fire) {
        d.set_state(State::Landed);
        return;
    }
    d.set_state(State::At_Rest);
    post_near_or_far(ctx, SE_OBJECT_FALL_NEAR, SE_OBJECT_FALL_FAR);
}

void end_push(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    const uint16_t n = d.bump_counter();
    if (n == 1) post_near_or_far(ctx, SE_FALL_NEAR, SE_FALL_FAR);
    if (!can_fall(ctx)) {
        d.set_counter(0);
        d.set_state(State::At_Rest);
    } else if (n == 3) {
        start_fall(ctx);
    }
}

// Pushed one cell. A free cell under the cell the disk is leaving gets a clone,
// whose limit makes it stop in the tick the push ends.
void do_pushing(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    const uint16_t n = d.bump_counter();
    KV_Dir dir;
    if (!kv_dir_of_push(d.push_direction(), dir) || kv_dx(dir) == 0)
        kv_fatal("KV_Logic::Disk_Orange, do_pushing, unknown push direction");
    const int32_t old_x = ctx.x - kv_dx(dir);
    KV_Level& level = *ctx.level;
    if (free_at(level, old_x, ctx.y + 1)) {
        KV_Cell& clone = level.at(KV_LAYER_ITEMS, old_x, ctx.y + 1);
        set_cell(clone, T::Disk_Orange_Clone);
        View{clone}.set_clone_limit(uint16_t(16 - n));
    }
    if (n == 16) {
        set_cell(*ctx.cell, T::Disk_Orange);
        View{*ctx.cell}.set_state(State::Push_Ended);
    }
}

}  // namespace

bool can_fall(const KV_ObjectContext& ctx) {
    const KV_Level& level = *ctx.level;
    const int32_t x = ctx.x, y = ctx.y + 1;
    if (!level.inside(x, y)) return false;
    if (level.is_cell_free(x, y)) return true;
    const KV_Cell& below = level.at(KV_LAYER_ITEMS, x, y);
    return below.is(T::Disk_Orange_Fall_Temp) &&
           (disk_temp_state(below) & Disk_Orange_Fall_Temp::Reserved) != 0;
}

void time_critical(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    switch (d.state()) {
        case State::At_Rest:
            if (can_fall(ctx)) reserve_below(ctx);
            return;
        case State::About_To_Fall:
            // Falls on the third tick after the reservation.
            if (d.counter() == 2 && can_fall(ctx))
                start_fall(ctx);
            else if (can_fall(ctx))
                d.bump_counter();
            return;
        case State::Leaned_On: do_start_pushing(ctx); return;
        case State::Fall_Step_Ended: end_fall_step(ctx); return;
        case State::Push_Ended: end_push(ctx); return;
        case State::Lean_Broken_Off: end_broken_lean(ctx); return;
        case State::Landed:
            make_empty(*ctx.cell);
            explode_normal_at(ctx);
            return;
        default: kv_fatal("KV_Logic::Disk_Orange, time_critical, unknown state ", uint16_t(d.state()));
    }
}

void process(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    switch (d.state()) {
        case State::Falling:
            if (d.bump_counter() == 16) {
                set_cell(*ctx.cell, T::Disk_Orange);
                View{*ctx.cell}.set_state(State::Fall_Step_Ended);
            }
            return;
        case State::Pushed: do_pushing(ctx); return;
        default: kv_fatal("KV_Logic::Disk_Orange, process, unknown state ", uint16_t(d.state()));
    }
}

}  // namespace Disk_Orange

// ---- the orange disk's placeholders and clone ----

void Disk_Orange_Fall_Temp::process(const KV_ObjectContext& ctx) {
    KV_DiskTempView t{*ctx.cell};
    if (t.state() != Left_Behind)
        kv_fatal("KV_Logic::Disk_Orange_Fall_Temp, process, unknown state ", t.state());
    if (t.bump_counter() == 18) make_empty(*ctx.cell);
}

void Disk_Orange_Push_Temp::process(const KV_ObjectContext& ctx) {
    KV_DiskTempView t{*ctx.cell};
    // Only the cell a disk pushed left or right is leaving runs.
    if (t.state() != uint32_t(KV_PushTempState::Behind_Left) && t.state() != uint32_t(KV_PushTempState::Behind_Right))
        kv_fatal("KV_Logic::Disk_Orange_Push_Temp, process, unknown state ", t.state());
    if (t.bump_counter() == Disk_Orange_Push_Temp::kLifeTicks) make_empty(*ctx.cell);
}

void Disk_Orange_Clone::process(const KV_ObjectContext& ctx) {
    Disk_Orange::View c{*ctx.cell};
    View clone{*ctx.cell};
    if (clone.state() != State::Growing)
        kv_fatal("KV_Logic::Disk_Orange_Clone, process, unknown state ", clone.state_word());
    const uint16_t n = c.bump_counter();
    // ">=" so a limit of 0 stops at once instead of waiting for the counter to wrap.
    if (n >= c.clone_limit()) {
        clone.set_state(State::Done);
        ctx.cell->flags |= CF_STATIC;
        if (n < 2) ctx.cell->flags |= CF_HIDDEN;
    }
}

// ---- Disk_Yellow ----

void Disk_Yellow::process(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    switch (d.state()) {
        case State::At_Rest:
            // The armed flag stays set, so a disk that comes to rest later blasts too.
            if (ctx.level->get_status()->get_yellow_armed()) {
                make_empty(*ctx.cell);
                explode_normal_at(ctx);
            }
            return;
        case State::Pushed:
            if (d.bump_counter() == 16) {
                ctx.level->get_sound_events()->post(SE_FALL_NEAR);
                set_cell(*ctx.cell, T::Disk_Yellow);
            }
            return;
        default: kv_fatal("KV_Logic::Disk_Yellow, process, unknown state ", uint16_t(d.state()));
    }
}

void Disk_Yellow_Push_Temp::process(const KV_ObjectContext& ctx) {
    KV_DiskTempView t{*ctx.cell};
    // 1, 2, 4, 8: the cell a disk pushed left, right, up or down is leaving.
    switch (t.state()) {
        case 1: case 2: case 4: case 8: break;
        default: kv_fatal("KV_Logic::Disk_Yellow_Push_Temp, process, unknown state ", t.state());
    }
    if (t.bump_counter() == 31) make_empty(*ctx.cell);
}

// ---- Disk_Red ----

void Disk_Red::process(const KV_ObjectContext& ctx) {
    View d{*ctx.cell};
    switch (d.state()) {
        case State::Eaten_In_Place:
        case State::Walked_Over: {
            const uint32_t n = d.bump_counter();
            // Counted on the first tick, so the disk can be laid before the animation ends.
            if (n == 1) ctx.level->get_status()->inc_red_disks();
            if (n == 16) {
                if (d.state() == State::Walked_Over) ctx.level->get_sound_events()->post(SE_EAT);
                make_empty(*ctx.cell);
            }
            return;
        }
        case State::Laid:
            if (d.bump_counter() == kFuseTicks) {
                make_empty(*ctx.cell);
                explode_normal_at(ctx);
            }
            return;
        default: kv_fatal("KV_Logic::Disk_Red, process, unknown state");
    }
}

}  // namespace KV_Logic
