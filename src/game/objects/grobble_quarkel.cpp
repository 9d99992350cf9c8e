#include "game/objects/grobble_quarkel.h"

#include <string>

#include "game/objects/explosions.h"
#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"
#include "game/objects/pushing.h"

namespace KV_Logic {
namespace {

using T = KV_ObjectType;
using G = KV_GrobbleState;
using Q = KV_QuarkelState;
using Phase = KV_SlidePhase;
namespace I = KV_Interfaces;

constexpr uint16_t kStepTicks = 16;
constexpr uint16_t kTempGoneTick = 14;     // a step's placeholder is removed here
constexpr uint16_t kFallTempOpenTick = 13; // Pellik may step into the fall temp from here
constexpr uint16_t kCheckPointTick = 4;    // a slide waits here for the cell below
constexpr uint16_t kSlideDownStart = 5;    // the counter a slide resumes from once below is reserved
constexpr uint16_t kLandedWait = 2;
constexpr uint16_t kLandedWaitOnOrange = 15;

// Shared states (the same number in both objects).
constexpr uint16_t kAtRest = 1;
constexpr uint16_t kFalling = 2;
constexpr uint16_t kFallStepEnded = 128;
constexpr uint16_t kSlideEnded = 256;

// What tells a Grobble from a Quarkel where they share a rule.
struct FallerRules {
    const char* name;
    T self, fall_temp, slide_temp, slide_fall_temp;
    uint16_t about_to_fall, sliding_left, sliding_right, landed;
    int sound_near, sound_far;
    bool (*is_hit)(const KV_ObjectContext&, uint32_t layer);
    // Only a Grobble waits longer over an orange disk, which must get the time to blast.
    bool waits_on_orange;
};

constexpr FallerRules kGrobble{"Grobble",
                               T::Grobble,
                               T::Grobble_Fall_Temp,
                               T::Grobble_Slide_Temp,
                               T::Grobble_Slide_Fall_Temp,
                               uint16_t(G::About_To_Fall),
                               uint16_t(G::Sliding_Left),
                               uint16_t(G::Sliding_Right),
                               uint16_t(G::Landed),
                               SE_FALL_NEAR,
                               SE_FALL_FAR,
                               &I::is_hit_by_falling_grobble,
                               true};

constexpr FallerRules kQuarkel{"Quarkel",
                               T::Quarkel,
                               T::Quarkel_Fall_Temp,
                               T::Quarkel_Slide_Temp,
                               T::Quarkel_Slide_Fall_Temp,
                               uint16_t(Q::About_To_Fall),
                               uint16_t(Q::Sliding_Left),
                               uint16_t(Q::Sliding_Right),
                               uint16_t(Q::Landed),
                               SE_OBJECT_FALL_NEAR,
                               SE_OBJECT_FALL_FAR,
                               &I::is_hit_by_falling_quarkel,
                               false};

[[noreturn]] void fatal(const FallerRules& r, const char* what) {
    kv_fatal(std::string("KV_Logic::") + r.name + what);
}
[[noreturn]] void fatal(const FallerRules& r, const char* what, long long value) {
    kv_fatal(std::string("KV_Logic::") + r.name + what, value);
}

// Neighbours outside the field are never free.
bool free_at(const KV_Level* level, int32_t x, int32_t y) {
    return level->inside(x, y) && level->is_cell_free(x, y);
}
bool below_free(const KV_ObjectContext& ctx) { return free_at(ctx.level, ctx.x, ctx.y + 1); }

bool enterable(const KV_Level* level, int32_t x, int32_t y) {
    if (!level->inside(x, y)) return false;
    if (level->at(KV_LAYER_FLOOR, x, y).is_solid() || level->at(KV_LAYER_ITEMS, x, y).is_solid() || level->at(KV_LAYER_MOVERS, x, y).is_solid())
        return false;
    const KV_Cell& l3 = level->at(KV_LAYER_FIXTURES, x, y);
    return !l3.is_solid() || l3.is(T::Disk_Red);
}

// The layers of the cell below a faller, in the order it looks for what it hits.
constexpr uint32_t kHitOrder[] = {KV_LAYER_ITEMS, KV_LAYER_MOVERS, KV_LAYER_FIXTURES, KV_LAYER_FLOOR};

void post_near_far(const KV_ObjectContext& ctx, int near_id, int far_id) {
    ctx.level->get_sound_events()->post(ctx.level->is_near_player(ctx.x, ctx.y) ? near_id : far_id);
}

// dx of a roll: -1 to the left, +1 to the right.
bool can_roll(const KV_ObjectContext& ctx, int dx) {
    KV_Level* level = ctx.level;
    const int32_t x = ctx.x, y = ctx.y;
    if (!enterable(level, x + dx, y) || !level->inside(x, y + 1)) return false;
    const KV_ObjectContext under = I::context_at(level, KV_LAYER_ITEMS, x, y + 1);
    if (!(dx < 0 ? I::rolls_off_left(under) : I::rolls_off_right(under))) return false;
    if (enterable(level, x + dx, y + 1)) return true;
    if (!level->inside(x + dx, y + 1)) return false;
    // A neighbour that is itself sliding away lets the roll start into its cell.
    const KV_ObjectContext diagonal = I::context_at(level, KV_LAYER_ITEMS, x + dx, y + 1);
    return dx < 0 ? I::sliding_left_test(diagonal) : I::sliding_right_test(diagonal);
}

// The side cell is taken at once; the old cell keeps a slide temp.
KV_Cell& start_roll(const FallerRules& r, const KV_ObjectContext& ctx, int dx) {
    KV_Cell& rolled = ctx.level->at(KV_LAYER_ITEMS, ctx.x + dx, ctx.y);
    set_cell(rolled, r.self);
    FallerState f{rolled};
    f.set_time_critical(false);
    f.set_state(dx < 0 ? r.sliding_left : r.sliding_right);
    f.set_slide_phase(Phase::Sliding);
    set_cell(*ctx.cell, r.slide_temp);
    FallerTempState{*ctx.cell}.set_state(dx < 0 ? KV_SlideTempState::Rolled_Left : KV_SlideTempState::Rolled_Right);
    return rolled;
}

// Rolls left if it can, else right; false when neither is possible.
KV_Cell* try_roll(const FallerRules& r, const KV_ObjectContext& ctx) {
    if (can_roll(ctx, -1)) return &start_roll(r, ctx, -1);
    if (can_roll(ctx, +1)) return &start_roll(r, ctx, +1);
    return nullptr;
}

// The cell below is taken at once; the old cell keeps a fall temp.
void start_fall(const FallerRules& r, const KV_ObjectContext& ctx) {
    KV_Cell& below = ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y + 1);
    set_cell(below, r.self);
    FallerState f{below};
    f.set_time_critical(false);
    f.set_state(kFalling);
    set_cell(*ctx.cell, r.fall_temp);
    FallerTempState{*ctx.cell}.set_state(KV_FallTempState::Left_Behind);
}

void try_fall_or_roll(const FallerRules& r, const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    if (below_free(ctx)) {
        f.set_state(r.about_to_fall);
        f.set_counter(0);
        return;
    }
    try_roll(r, ctx);
}

// Over a free cell the object waits one tick before it falls; one that Pellik
// was under falls the very tick the cell under it becomes enterable.
void about_to_fall(const FallerRules& r, const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    KV_Level* level = ctx.level;
    const int32_t x = ctx.x, y = ctx.y;
    if (f.counter() != 1) {
        if (enterable(level, x, y + 1))
            f.bump_counter();
        else if (level->inside(x, y + 1) && level->at(KV_LAYER_MOVERS, x, y + 1).is(T::Pellik))
            f.set_counter(1);
    } else if (enterable(level, x, y + 1)) {
        start_fall(r, ctx);
    }
}

void falling(const FallerRules& r, const KV_ObjectContext& ctx) {
    const uint16_t c = FallerState{*ctx.cell}.bump_counter();
    if (c == kTempGoneTick) {
        set_cell(ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y - 1), T::Empty);
    } else if (c == kStepTicks) {
        set_cell(*ctx.cell, r.self);
        FallerState{*ctx.cell}.set_state(kFallStepEnded);
    }
}

void fall_step_ended(const FallerRules& r, const KV_ObjectContext& ctx) {
    if (below_free(ctx)) {
        start_fall(r, ctx);
        return;
    }
    post_near_far(ctx, r.sound_near, r.sound_far);
    if (try_roll(r, ctx)) return;
    FallerState f{*ctx.cell};
    KV_Level* level = ctx.level;
    if (level->inside(ctx.x, ctx.y + 1)) {
        for (uint32_t layer : kHitOrder) {
            const KV_ObjectContext hit = I::context_at(level, int(layer), ctx.x, ctx.y + 1);
            if (!r.is_hit(hit, layer)) continue;
            f.set_state(r.landed);
            if (r.waits_on_orange && layer == KV_LAYER_ITEMS && hit.cell->is(T::Disk_Orange)) f.set_landed_on_orange();
            return;
        }
    }
    f.set_state(kAtRest);
}

// Counts the wait, then blasts what it landed on; the blast replaces the object too.
void landed(const FallerRules& r, const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    KV_Level* level = ctx.level;
    const int32_t x = ctx.x, y = ctx.y;
    if (!level->inside(x, y + 1)) {
        f.set_state(kAtRest);
        return;
    }
    const uint16_t wait = r.waits_on_orange && f.landed_on_orange() ? kLandedWaitOnOrange : kLandedWait;
    if (f.counter() != wait) f.bump_counter();
    if (f.counter() != wait) return;
    for (uint32_t layer : kHitOrder) {
        const KV_ObjectContext hit = I::context_at(level, int(layer), x, y + 1);
        if (!r.is_hit(hit, layer)) continue;
        I::do_explode_normal(hit, layer);
        return;
    }
    // What it landed on has gone: the blast still happens.
    explode_normal_at(I::context_at(level, KV_LAYER_ITEMS, x, y + 1));
}

// dx: -1 for a slide to the left, +1 to the right.
void sliding(const FallerRules& r, const KV_ObjectContext& ctx, int dx) {
    FallerState f{*ctx.cell};
    switch (f.slide_phase()) {
        case Phase::Sliding:
            if (f.bump_counter() == kCheckPointTick) {
                f.set_slide_phase(Phase::Check_Point);
                f.set_counter(0);
                f.set_time_critical(true);
            }
            return;
        case Phase::Sliding_Down: {
            const uint16_t c = f.bump_counter();
            if (c == kTempGoneTick) {
                set_cell(ctx.level->at(KV_LAYER_ITEMS, ctx.x - dx, ctx.y), T::Empty);
            } else if (c == kStepTicks) {
                set_cell(*ctx.cell, r.self);
                FallerState{*ctx.cell}.set_state(kSlideEnded);
            }
            return;
        }
        default:
            if (dx < 0) fatal(r, ", do_sliding_left,unknown slide state");
            fatal(r, ", do_sliding_right,unknown slide state ", uint8_t(f.slide_phase()));
    }
}

// The slide waits until the cell below the side cell is free, then reserves it.
void slide_check_point(const FallerRules& r, const KV_ObjectContext& ctx, int dx) {
    FallerState f{*ctx.cell};
    if ((uint8_t(f.slide_phase()) & uint8_t(Phase::Check_Point)) == 0) {
        fatal(r, dx < 0 ? ", do_sliding_left_check_point,unknown slide state"
                        : ", do_sliding_right_check_point,unknown slide state");
    }
    if (!below_free(ctx)) return;
    if (f.counter() != 1) {
        f.bump_counter();
        return;
    }
    f.set_slide_phase(Phase::Sliding_Down);
    f.set_counter(kSlideDownStart);
    f.set_time_critical(false);
    KV_Cell& below = ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y + 1);
    set_cell(below, r.slide_fall_temp);
    FallerTempState{below}.set_state(dx < 0 ? KV_SlideFallTempState::Slid_Left : KV_SlideFallTempState::Slid_Right);
}

void slide_ended(const FallerRules& r, const KV_ObjectContext& ctx) {
    const bool reserved = ctx.level->inside(ctx.x, ctx.y + 1) && ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y + 1).is(r.slide_fall_temp);
    if (reserved || below_free(ctx)) start_fall(r, ctx);
}

// ---- Grobble only: pushing ----

bool frozen(const KV_ObjectContext& ctx) { return ctx.level->get_status()->get_freeze_grobbles(); }

// dx of a push direction; 0 for up, down and corrupt values, which a Grobble never has.
int push_dx(uint16_t code) {
    KV_Dir d;
    return kv_dir_of_push(code, d) ? kv_dx(d) : 0;
}

void do_start_pushing(const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    const int dx = push_dx(f.push_direction());
    if (dx == 0) fatal(kGrobble, ", do_start_pushing, unknown push direction ", f.push_direction());
    KV_Level* level = ctx.level;
    const int32_t tx = ctx.x + dx;
    if (!frozen(ctx) && below_free(ctx)) {
        // Falling wins over being pushed: the reserved cell is given back.
        set_cell(level->at(KV_LAYER_ITEMS, tx, ctx.y), T::Empty);
        start_fall(kGrobble, ctx);
        return;
    }
    if (level->at(KV_LAYER_ITEMS, tx, ctx.y).is(T::Grobble_Push_Temp) || level->at(KV_LAYER_FIXTURES, tx, ctx.y).is(T::Explosion)) return;
    set_cell(*ctx.cell, T::Grobble);
}

void do_pushing(const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    KV_Level* level = ctx.level;
    const uint16_t c = f.bump_counter();
    if (!frozen(ctx)) {
        const int dx = push_dx(f.push_direction());
        if (dx == 0) fatal(kGrobble, ", do_pushing, unknown push direction");
        const int32_t old_x = ctx.x - dx;
        if (free_at(level, old_x, ctx.y + 1)) set_cell(level->at(KV_LAYER_ITEMS, old_x, ctx.y + 1), T::Grobble_Clone);
    }
    if (c == kTempGoneTick) {
        const int dx = push_dx(f.push_direction());
        if (dx == 0) fatal(kGrobble, ", do_pushing, unknown push direction ", f.push_direction());
        set_cell(level->at(KV_LAYER_ITEMS, ctx.x - dx, ctx.y), T::Empty);
    } else if (c == kStepTicks) {
        set_cell(*ctx.cell, T::Grobble);
        FallerState{*ctx.cell}.set_state(uint16_t(G::Push_Ended));
    }
}

void push_ended(const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    if (frozen(ctx)) {
        post_near_far(ctx, SE_FALL_NEAR, SE_FALL_FAR);
        f.set_state(kAtRest);
        return;
    }
    if (f.bump_counter() == 1) post_near_far(ctx, SE_FALL_NEAR, SE_FALL_FAR);
    if (below_free(ctx)) {
        if (f.counter() == 2) start_fall(kGrobble, ctx);
        return;
    }
    if (KV_Cell* rolled = try_roll(kGrobble, ctx)) {
        FallerState{*rolled}.bump_counter();
        return;
    }
    f.set_state(kAtRest);
}

// ---- Quarkel only: being eaten ----

void being_eaten(const KV_ObjectContext& ctx) {
    FallerState f{*ctx.cell};
    KV_Level* level = ctx.level;
    const uint16_t c = f.bump_counter();
    // Counted at the first tick, so the exit can open while Pellik is still eating.
    if (c == 1) level->get_status()->inc_quarkels();
    if (c != kStepTicks) return;
    if (f.state() == uint16_t(Q::Walked_Over)) level->get_sound_events()->post(SE_DATAPOD);
    set_cell(*ctx.cell, T::Empty);
}

// ---- what other objects ask ----

bool fall_temp_enterable(const KV_Level* level, int32_t x, int32_t y, const KV_Cell& temp, T faller,
                         uint16_t falling) {
    if (!ConstFallerTempState{temp}.has(KV_FallTempState::Left_Behind) || !level->inside(x, y + 1)) return false;
    const KV_Cell& below = level->at(KV_LAYER_ITEMS, x, y + 1);
    const ConstFallerState f{below};
    return below.is(faller) && f.has(falling) && f.counter() == kFallTempOpenTick;
}

bool lying_still(const KV_ObjectContext& ctx) { return FallerState{*ctx.cell}.has(kAtRest); }

// A slider in its first two phases, in the state of `slide`.
bool early_slider(const KV_ObjectContext& ctx, uint16_t slide) {
    const FallerState f{*ctx.cell};
    return f.has(slide) && (f.slide_phase() == Phase::Sliding || f.slide_phase() == Phase::Check_Point);
}

// A slide temp of the roll `rolled` lets the roll start when its owner,
// beside it that way, slides down in the state `slide`.
bool slide_temp_test(const KV_ObjectContext& ctx, KV_SlideTempState rolled, T owner_type, uint16_t slide) {
    if (!FallerTempState{*ctx.cell}.has(rolled)) return false;
    const int32_t ox = ctx.x + (rolled == KV_SlideTempState::Rolled_Left ? -1 : 1);
    if (!ctx.level->inside(ox, ctx.y)) return false;
    KV_Cell& owner = ctx.level->at(KV_LAYER_ITEMS, ox, ctx.y);
    const FallerState f{owner};
    return owner.is(owner_type) && f.has(slide) && f.slide_phase() == Phase::Sliding_Down;
}

}  // namespace

bool Grobble::can_enter(const KV_Level* level, int32_t x, int32_t y) { return enterable(level, x, y); }
bool Quarkel::can_enter(const KV_Level* level, int32_t x, int32_t y) { return enterable(level, x, y); }

bool Grobble::fall_temp_enterable(const KV_Level* level, int32_t x, int32_t y, const KV_Cell& temp) {
    return KV_Logic::fall_temp_enterable(level, x, y, temp, T::Grobble, uint16_t(G::Falling));
}
bool Quarkel::fall_temp_enterable(const KV_Level* level, int32_t x, int32_t y, const KV_Cell& temp) {
    return KV_Logic::fall_temp_enterable(level, x, y, temp, T::Quarkel, uint16_t(Q::Falling));
}

bool Grobble::rolls_off(const KV_ObjectContext& ctx) { return lying_still(ctx); }
bool Quarkel::rolls_off(const KV_ObjectContext& ctx) { return lying_still(ctx); }
bool Grobble::sliding_left_test(const KV_ObjectContext& ctx) { return early_slider(ctx, uint16_t(G::Sliding_Right)); }
bool Grobble::sliding_right_test(const KV_ObjectContext& ctx) { return early_slider(ctx, uint16_t(G::Sliding_Left)); }
bool Quarkel::sliding_left_test(const KV_ObjectContext& ctx) { return early_slider(ctx, uint16_t(Q::Sliding_Right)); }
bool Quarkel::sliding_right_test(const KV_ObjectContext& ctx) { return early_slider(ctx, uint16_t(Q::Sliding_Left)); }
bool Grobble_Slide_Temp::sliding_left_test(const KV_ObjectContext& ctx) {
    return slide_temp_test(ctx, KV_SlideTempState::Rolled_Left, T::Grobble, uint16_t(G::Sliding_Left));
}
bool Grobble_Slide_Temp::sliding_right_test(const KV_ObjectContext& ctx) {
    return slide_temp_test(ctx, KV_SlideTempState::Rolled_Right, T::Grobble, uint16_t(G::Sliding_Right));
}
bool Quarkel_Slide_Temp::sliding_left_test(const KV_ObjectContext& ctx) {
    return slide_temp_test(ctx, KV_SlideTempState::Rolled_Left, T::Quarkel, uint16_t(Q::Sliding_Left));
}
bool Quarkel_Slide_Temp::sliding_right_test(const KV_ObjectContext& ctx) {
    return slide_temp_test(ctx, KV_SlideTempState::Rolled_Right, T::Quarkel, uint16_t(Q::Sliding_Right));
}

void Grobble::process(const KV_ObjectContext& ctx) {
    const uint16_t s = FallerState{*ctx.cell}.state();
    // A push in progress completes even while Grobbles are frozen.
    if (frozen(ctx)) {
        if (s == uint16_t(G::Pushed)) do_pushing(ctx);
        return;
    }
    switch (G(s)) {
        case G::Falling: falling(kGrobble, ctx); break;
        case G::Pushed: do_pushing(ctx); break;
        case G::Sliding_Left: sliding(kGrobble, ctx, -1); break;
        case G::Sliding_Right: sliding(kGrobble, ctx, +1); break;
        default: fatal(kGrobble, ", process, unknown state ", s);
    }
}

void Grobble::time_critical(const KV_ObjectContext& ctx) {
    const G s = G(FallerState{*ctx.cell}.state());
    if (frozen(ctx)) {
        if (s == G::Leaned_On) do_start_pushing(ctx);
        if (s == G::Push_Ended) push_ended(ctx);
        return;
    }
    switch (s) {
        case G::At_Rest: try_fall_or_roll(kGrobble, ctx); break;
        case G::About_To_Fall: about_to_fall(kGrobble, ctx); break;
        case G::Leaned_On: do_start_pushing(ctx); break;
        case G::Sliding_Left: slide_check_point(kGrobble, ctx, -1); break;
        case G::Sliding_Right: slide_check_point(kGrobble, ctx, +1); break;
        case G::Fall_Step_Ended: fall_step_ended(kGrobble, ctx); break;
        case G::Slide_Ended: slide_ended(kGrobble, ctx); break;
        case G::Push_Ended: push_ended(ctx); break;
        case G::Landed: landed(kGrobble, ctx); break;
        default: fatal(kGrobble, ", time_critical, unknown state");
    }
}

void Quarkel::process(const KV_ObjectContext& ctx) {
    const uint16_t s = FallerState{*ctx.cell}.state();
    switch (Q(s)) {
        case Q::Falling: falling(kQuarkel, ctx); break;
        case Q::Sliding_Left: sliding(kQuarkel, ctx, -1); break;
        case Q::Sliding_Right: sliding(kQuarkel, ctx, +1); break;
        case Q::Eaten_In_Place:
        case Q::Walked_Over: being_eaten(ctx); break;
        default: fatal(kQuarkel, ", process, unknown state ", s);
    }
}

void Quarkel::time_critical(const KV_ObjectContext& ctx) {
    switch (Q(FallerState{*ctx.cell}.state())) {
        case Q::At_Rest: try_fall_or_roll(kQuarkel, ctx); break;
        case Q::About_To_Fall: about_to_fall(kQuarkel, ctx); break;
        case Q::Sliding_Left: slide_check_point(kQuarkel, ctx, -1); break;
        case Q::Sliding_Right: slide_check_point(kQuarkel, ctx, +1); break;
        case Q::Fall_Step_Ended: fall_step_ended(kQuarkel, ctx); break;
        case Q::Slide_Ended: slide_ended(kQuarkel, ctx); break;
        case Q::Landed: landed(kQuarkel, ctx); break;
        default: fatal(kQuarkel, ", time_critical, unknown state");
    }
}

void Grobble_Clone::process(const KV_ObjectContext& ctx) {
    GrobbleCloneState g{*ctx.cell};
    if (g.state() != uint16_t(KV_GrobbleCloneState::Growing)) kv_fatal("KV_Logic::Grobble_Clone, process, unknown state ", g.state());
    if (g.bump_counter() != kStepTicks) return;
    set_cell(*ctx.cell, T::Grobble);
    FallerState{*ctx.cell}.set_state(kFallStepEnded);
}

}  // namespace KV_Logic
