#include "game/objects/pushing.h"

#include "game/objects/disks.h"
#include "game/objects/fatal.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"

namespace KV_Interfaces {
namespace IPushing {
namespace {

using T = KV_ObjectType;
using Dir = KV_PushDirection;

using G = KV_GrobbleState;
using Orange = KV_Logic::Disk_Orange::State;
using Yellow = KV_Logic::Disk_Yellow::State;

// The three share "lying still" as state 1; the Grobble and the orange disk
// also "leaned on" and "moving one cell".
constexpr uint16_t LYING_STILL = uint16_t(G::At_Rest);
constexpr uint16_t SIDEWAYS_LEANED_ON = uint16_t(G::Leaned_On), SIDEWAYS_MOVING = uint16_t(G::Pushed);
static_assert(uint16_t(Orange::At_Rest) == LYING_STILL && uint16_t(Yellow::At_Rest) == LYING_STILL &&
                  uint16_t(Orange::Leaned_On) == SIDEWAYS_LEANED_ON && uint16_t(Orange::Pushed) == SIDEWAYS_MOVING,
              "the sideways pushables share their push states");
// The orange disk's "about to fall" and "lean broken off by a fall".
constexpr uint16_t ORANGE_ABOUT_TO_FALL = uint16_t(Orange::About_To_Fall);
constexpr uint16_t ORANGE_LEAN_BROKEN = uint16_t(Orange::Lean_Broken_Off);
constexpr uint16_t YELLOW_LEANED_ON = uint16_t(Yellow::Leaned_On);
// The reservation an orange disk about to fall made below itself, marked as
// taken over by a lean.
constexpr uint32_t ORANGE_FALL_TEMP_LEANED = KV_Logic::Disk_Orange_Fall_Temp::Lean_Reserved;

// Pellik pushes the object away from the side it stands on.
bool push_from_side(uint32_t side, Dir& out) {
    KV_Dir from;
    if (!kv_dir_of_bit(side, from)) return false;
    out = kv_push_direction(kv_opposite(from));
    return true;
}

// The push direction kept in an object's counter; false for a corrupt one.
uint16_t push_direction_of(KV_Cell& c) { return KV_PushableView{c}.push_direction(); }
// The sideways pushables know only left and right.
bool push_from_counter(KV_Cell& c, bool four_ways, Dir& out) {
    KV_Dir d;
    if (!kv_dir_of_push(push_direction_of(c), d)) return false;
    out = kv_push_direction(d);
    return four_ways || kv_dy(d) == 0;
}

using Pos = KV_Pos;
Pos target_of(const KV_ObjectContext& ctx, Dir d) {
    KV_Dir dir;
    if (!kv_dir_of_push(uint16_t(d), dir)) return {ctx.x, ctx.y};
    return kv_step({ctx.x, ctx.y}, dir);
}

// The layer-1 cell at p, or null off the field (never for objects inside a border).
KV_Cell* layer1(const KV_ObjectContext& ctx, Pos p) {
    return ctx.level->inside(p.x, p.y) ? &ctx.level->at(KV_LAYER_ITEMS, p.x, p.y) : nullptr;
}

bool can_push_into(const KV_ObjectContext& ctx, Pos p) {
    return ctx.level->inside(p.x, p.y) && KV_Logic::can_push_into_cell(ctx.level, p.x, p.y);
}

bool below_is_free(const KV_ObjectContext& ctx) {
    return ctx.level->inside(ctx.x, ctx.y + 1) && ctx.level->is_cell_free(ctx.x, ctx.y + 1);
}

uint16_t state_of(KV_Cell& c) { return KV_PushableView{c}.state(); }

// While Pellik already leans this way the push stays possible without a new look at the target.
// The direction is tested in the low byte of the counter.
bool leaning_this_way(KV_Cell& c, uint16_t leaning_state, Dir d) {
    return (state_of(c) & leaning_state) != 0 && (uint8_t(push_direction_of(c)) & uint8_t(d)) != 0;
}

void set_temp(KV_Cell& cell, T temp, uint32_t state) {
    KV_Logic::set_cell(cell, temp);
    KV_TempView{cell}.set_state(state);
}

uint32_t reserve_state(Dir d) {
    return uint32_t(d == Dir::Left ? KV_PushTempState::Reserved_Left : KV_PushTempState::Reserved_Right);
}
uint32_t behind_state(Dir d) {
    return uint32_t(d == Dir::Left ? KV_PushTempState::Behind_Left : KV_PushTempState::Behind_Right);
}
uint32_t yellow_reserve_state(Dir d) {
    using Y = KV_YellowPushTempState;
    switch (d) {
        case Dir::Left: return uint32_t(Y::Reserved_Left);
        case Dir::Right: return uint32_t(Y::Reserved_Right);
        case Dir::Up: return uint32_t(Y::Reserved_Up);
        case Dir::Down: return uint32_t(Y::Reserved_Down);
    }
    return 0;
}
uint32_t yellow_behind_state(Dir d) {
    using Y = KV_YellowPushTempState;
    switch (d) {
        case Dir::Left: return uint32_t(Y::Behind_Left);
        case Dir::Right: return uint32_t(Y::Behind_Right);
        case Dir::Up: return uint32_t(Y::Behind_Up);
        case Dir::Down: return uint32_t(Y::Behind_Down);
    }
    return 0;
}

bool sideways(uint32_t side) { return side == DIR_LEFT || side == DIR_RIGHT; }

// A sideways pushable leaned on towards d: its direction, a fresh counter, and
// it is looked at in the time-critical sweep.
void lean_sideways(KV_Cell& c, uint16_t state, Dir d) {
    KV_PushableView p{c};
    p.set_state(state);
    p.set_push_direction(d);
    p.set_sideways_counter(0);
    c.flags |= CF_TIME_CRITICAL;
}

// A sideways pushable of type `type` starting its move into t.
void move_sideways(KV_Cell& t, T type, Dir d) {
    KV_Logic::set_cell(t, type);
    KV_PushableView p{t};
    p.set_state(SIDEWAYS_MOVING);
    p.set_sideways_counter(0);
    p.set_push_direction(d);
    t.flags &= ~CF_TIME_CRITICAL;
}

}  // namespace

// ---- Grobble: sideways only, not while it is about to fall ----

namespace Grobble {

bool is_pushable(const KV_ObjectContext& ctx, uint32_t side) {
    Dir d;
    if (!sideways(side) || !push_from_side(side, d)) return false;
    KV_Cell& c = *ctx.cell;
    if (leaning_this_way(c, SIDEWAYS_LEANED_ON, d)) return true;
    if ((state_of(c) & LYING_STILL) == 0) return false;
    if (!ctx.level->get_status()->get_freeze_grobbles() && below_is_free(ctx)) return false;
    return can_push_into(ctx, target_of(ctx, d));
}

void wanna_push(const KV_ObjectContext& ctx, uint32_t side) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & LYING_STILL) == 0) kv_fatal("IPushing::Grobble, wanna_push, unknown state");
    Dir d;
    if (!sideways(side) || !push_from_side(side, d)) kv_fatal("IPushing::Grobble, wanna_push, unknown direction");
    if (KV_Cell* t = layer1(ctx, target_of(ctx, d))) set_temp(*t, T::Grobble_Push_Temp, reserve_state(d));
    lean_sideways(c, SIDEWAYS_LEANED_ON, d);
}

void dont_wanna_push(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & SIDEWAYS_LEANED_ON) == 0) kv_fatal("IPushing::Grobble, dont wanna_push, unknown state");
    Dir d;
    if (!push_from_counter(c, false, d)) kv_fatal("IPushing::Grobble, wanna_push, unknown direction");
    KV_Cell* t = layer1(ctx, target_of(ctx, d));
    if (t && t->is(T::Grobble_Push_Temp)) KV_Logic::set_cell(*t, T::Empty);
    KV_Logic::set_cell(c, T::Grobble);
}

void do_pushing(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & SIDEWAYS_LEANED_ON) == 0) kv_fatal("IPushing::Grobble, dont wanna_push, unknown state");
    Dir d;
    if (!push_from_counter(c, false, d)) kv_fatal("IPushing::Grobble, wanna_push, unknown direction");
    KV_Cell* t = layer1(ctx, target_of(ctx, d));
    if (!t) return;
    move_sideways(*t, T::Grobble, d);
    // This placeholder stays static: the moving Grobble removes it.
    set_temp(c, T::Grobble_Push_Temp, behind_state(d));
}

}  // namespace Grobble

// ---- orange disk: sideways only; a lean may catch it about to fall ----

namespace Disk_Orange {

bool is_pushable(const KV_ObjectContext& ctx, uint32_t side) {
    if (side == DIR_UP || side == DIR_DOWN) return false;
    Dir d;
    if (!sideways(side) || !push_from_side(side, d)) kv_fatal("IPushing::Disk_Orange, is_pushable, unknown direction");
    KV_Cell& c = *ctx.cell;
    if (leaning_this_way(c, SIDEWAYS_LEANED_ON, d)) return true;
    if (!can_push_into(ctx, target_of(ctx, d))) return false;
    return (state_of(c) & (LYING_STILL | ORANGE_ABOUT_TO_FALL)) != 0;
}

void wanna_push(const KV_ObjectContext& ctx, uint32_t side) {
    KV_Cell& c = *ctx.cell;
    const uint16_t s = state_of(c);
    if ((s & (LYING_STILL | ORANGE_ABOUT_TO_FALL)) == 0) kv_fatal("IPushing::Disk_Orange, wanna_push, unknown state");
    Dir d;
    if (!sideways(side) || !push_from_side(side, d)) kv_fatal("IPushing::Disk_Orange, wanna_push, unknown direction");
    if (KV_Cell* t = layer1(ctx, target_of(ctx, d))) set_temp(*t, T::Disk_Orange_Push_Temp, reserve_state(d));
    if (s & ORANGE_ABOUT_TO_FALL) {
        KV_Cell* below = layer1(ctx, {ctx.x, ctx.y + 1});
        if (below && below->is(T::Disk_Orange_Fall_Temp)) KV_TempView{*below}.set_state(ORANGE_FALL_TEMP_LEANED);
    }
    lean_sideways(c, (s & ORANGE_ABOUT_TO_FALL) ? ORANGE_LEAN_BROKEN : SIDEWAYS_LEANED_ON, d);
}

void dont_wanna_push(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    const uint16_t s = state_of(c);
    if ((s & (SIDEWAYS_LEANED_ON | ORANGE_LEAN_BROKEN)) == 0)
        kv_fatal_paren("IPushing::Disk_Orange, dont wanna_push, unknown state (", s);
    Dir d;
    if (!push_from_counter(c, false, d)) kv_fatal("IPushing::Disk_Orange, wanna_push, unknown direction");
    if (KV_Cell* t = layer1(ctx, target_of(ctx, d))) KV_Logic::set_cell(*t, T::Empty);
    KV_Logic::set_cell(c, T::Disk_Orange);
}

void do_pushing(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    const uint16_t s = state_of(c);
    if ((s & SIDEWAYS_LEANED_ON) == 0) kv_fatal_paren("IPushing::Disk_Orange, do_pushing, unknown state (", s);
    Dir d;
    if (!push_from_counter(c, false, d)) kv_fatal("IPushing::Disk_Orange, wanna_push, unknown direction");
    KV_Cell* t = layer1(ctx, target_of(ctx, d));
    if (!t) return;
    move_sideways(*t, T::Disk_Orange, d);
    // The placeholder runs its own countdown and removes itself.
    set_temp(c, T::Disk_Orange_Push_Temp, behind_state(d));
    c.flags &= ~CF_STATIC;
}

}  // namespace Disk_Orange

// ---- yellow disk: all four ways; it rests (static) while leaned on ----

namespace Disk_Yellow {

bool is_pushable(const KV_ObjectContext& ctx, uint32_t side) {
    Dir d;
    if (!push_from_side(side, d)) kv_fatal("IPushing::Disk_Yellow, is_pushable, unknown direction");
    KV_Cell& c = *ctx.cell;
    if (leaning_this_way(c, YELLOW_LEANED_ON, d)) return true;
    return can_push_into(ctx, target_of(ctx, d)) && (state_of(c) & LYING_STILL) != 0;
}

void wanna_push(const KV_ObjectContext& ctx, uint32_t side) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & LYING_STILL) == 0) kv_fatal("IPushing::Disk_Yellow, wanna_push, unknown state");
    Dir d;
    if (!push_from_side(side, d)) kv_fatal("IPushing::Disk_Yellow, wanna_push, unknown direction");
    if (KV_Cell* t = layer1(ctx, target_of(ctx, d))) set_temp(*t, T::Disk_Yellow_Push_Temp, yellow_reserve_state(d));
    KV_Logic::Disk_Yellow::View y{c};
    y.set_state(Yellow::Leaned_On);
    y.set_push_direction(d);
    y.set_counter(0);
    c.flags |= CF_STATIC;
}

void dont_wanna_push(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & YELLOW_LEANED_ON) == 0) kv_fatal("IPushing::Disk_Yellow, dont wanna_push, unknown state");
    Dir d;
    if (!push_from_counter(c, true, d)) kv_fatal("IPushing::Disk_Yellow, wanna_push, unknown direction");
    if (KV_Cell* t = layer1(ctx, target_of(ctx, d))) KV_Logic::set_cell(*t, T::Empty);
    KV_Logic::set_cell(c, T::Disk_Yellow);
}

void do_pushing(const KV_ObjectContext& ctx) {
    KV_Cell& c = *ctx.cell;
    if ((state_of(c) & YELLOW_LEANED_ON) == 0) kv_fatal("IPushing::Disk_Yellow, dont wanna_push, unknown state");
    Dir d;
    if (!push_from_counter(c, true, d)) kv_fatal("IPushing::Disk_Yellow, wanna_push, unknown direction");
    KV_Cell* t = layer1(ctx, target_of(ctx, d));
    if (!t) return;
    KV_Logic::set_cell(*t, T::Disk_Yellow);
    KV_Logic::Disk_Yellow::View y{*t};
    y.set_state(Yellow::Pushed);
    y.set_counter(0);
    y.set_push_direction(d);
    t->flags &= ~CF_STATIC;
    set_temp(c, T::Disk_Yellow_Push_Temp, yellow_behind_state(d));
    c.flags &= ~CF_STATIC;
}

}  // namespace Disk_Yellow

void register_entries() {
    static bool done = false;
    if (done) return;
    done = true;
    struct Row {
        T type;
        AskSideFn is_pushable;
        DoSideFn wanna_push;
        DoFn dont_wanna_push;
        DoFn do_pushing;
    };
    const Row rows[] = {
        {T::Grobble, &Grobble::is_pushable, &Grobble::wanna_push, &Grobble::dont_wanna_push, &Grobble::do_pushing},
        {T::Disk_Yellow, &Disk_Yellow::is_pushable, &Disk_Yellow::wanna_push, &Disk_Yellow::dont_wanna_push,
         &Disk_Yellow::do_pushing},
        {T::Disk_Orange, &Disk_Orange::is_pushable, &Disk_Orange::wanna_push, &Disk_Orange::dont_wanna_push,
         &Disk_Orange::do_pushing},
    };
    for (const Row& r : rows) {
        is_pushable_table[type_code(r.type)] = r.is_pushable;
        wanna_push_table[type_code(r.type)] = r.wanna_push;
        dont_wanna_push_table[type_code(r.type)] = r.dont_wanna_push;
        do_pushing_table[type_code(r.type)] = r.do_pushing;
    }
}

}  // namespace IPushing
}  // namespace KV_Interfaces
