#include "game/objects/small_objects.h"

#include "game/objects/fatal.h"
#include "game/objects/interfaces.h"
#include "game/objects/prototypes.h"

namespace KV_Logic {

void Base::process(const KV_ObjectContext& ctx) {
    View b{*ctx.cell};
    switch (b.state()) {
        case KV_BaseState::Eaten_In_Place:
            if (b.bump_counter() == kEatTicks) set_cell(*ctx.cell, KV_ObjectType::Empty);
            break;
        case KV_BaseState::Walked_Over:
            if (b.bump_counter() == kEatTicks) {
                ctx.level->get_sound_events()->post(SE_BASE_EATEN);
                set_cell(*ctx.cell, KV_ObjectType::Empty);
            }
            break;
        default:
            kv_fatal("KV_Logic::Base, process, unknown state");
    }
}

namespace {

void bug_spark_sound(const KV_ObjectContext& ctx) {
    KV_Level* level = ctx.level;
    if (level->is_near_player_1(ctx.x, ctx.y))
        level->get_sound_events()->post(SE_BUG_NEAR);
    else if (level->is_near_player_2(ctx.x, ctx.y))
        level->get_sound_events()->post(SE_BUG_FAR);
}

// Back to quiet with a countdown from the level's generator, so a replay
// with the same seed sparks at the same ticks.
void bug_quiet_again(const KV_ObjectContext& ctx) {
    const bool unpredictable = Bug::View{*ctx.cell}.unpredictable();
    const int drawn = ctx.level->random() % Bug::kCountdownRange;
    set_cell(*ctx.cell, KV_ObjectType::Bug);
    Bug::View b{*ctx.cell};
    if (unpredictable) {
        b.set_counter(uint16_t(drawn));
        b.set_unpredictable();
    } else {
        b.set_counter(uint16_t(drawn + Bug::kCountdownMinimum));
    }
}

}  // namespace

void Bug::process(const KV_ObjectContext& ctx) {
    View b{*ctx.cell};
    switch (b.state()) {
        case KV_BugState::Quiet:
            if (b.counter() != 0)
                b.set_counter(uint16_t(b.counter() - 1));
            else
                b.set_state(KV_BugState::Sparking);
            break;
        case KV_BugState::Sparking: {
            const uint16_t c = b.bump_counter();
            if (c % kSoundEvery == 0) bug_spark_sound(ctx);
            if (c == kSparkTicks) bug_quiet_again(ctx);
            break;
        }
        case KV_BugState::Eaten_In_Place:
            if (b.bump_counter() == kEatTicks) set_cell(*ctx.cell, KV_ObjectType::Empty);
            break;
        case KV_BugState::Walked_Over:
            if (b.bump_counter() == kEatTicks) {
                ctx.level->get_sound_events()->post(SE_BASE_EATEN);
                set_cell(*ctx.cell, KV_ObjectType::Empty);
            }
            break;
        default:
            kv_fatal("KV_Logic::Bug, process, unknown state");
    }
}

void Exit::process(const KV_ObjectContext& ctx) {
    View e{*ctx.cell};
    if (e.state() != KV_ExitState::Closed)
        kv_fatal("KV_Logic::Exit, process, unknown state ", uint16_t(e.state()));
    if (!ctx.level->get_status()->enough_quarkels()) return;
    // Open for good: nothing changes it any more, so it leaves the process pass.
    e.set_state(KV_ExitState::Open);
    ctx.cell->flags |= CF_STATIC;
}

void Terminal::process(const KV_ObjectContext& ctx) {
    View t{*ctx.cell};
    const uint32_t next = t.animation() + 1;
    t.set_animation(next == kAnimationLength ? 0 : next);
}

bool Explosion::is_deadly(const KV_ObjectContext& ctx) {
    if (View{*ctx.cell}.burnt_for(kPellikEntersAfter)) return false;
    return !ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y).is_solid();
}

void Explosion::process(const KV_ObjectContext& ctx) {
    View e{*ctx.cell};
    using K = KV_ExplosionState;
    const K kind = e.kind();
    switch (kind) {
        case K::Plain:
            if (e.bump_counter() == kBurnTicks) set_cell(*ctx.cell, KV_ObjectType::Empty);
            break;
        case K::Plain_Quarkel:
            if (e.bump_counter() == kBurnTicks) {
                set_cell(*ctx.cell, KV_ObjectType::Empty);
                set_cell(ctx.level->at(KV_LAYER_ITEMS, ctx.x, ctx.y), KV_ObjectType::Quarkel);
            }
            break;
        case K::Delayed_Normal:
            if (e.bump_counter() == kDelayTicks) {
                set_cell(*ctx.cell, KV_ObjectType::Empty);
                explode_normal_at(ctx);
            }
            break;
        case K::Delayed_Quarkel:
            if (e.bump_counter() == kDelayTicks) {
                set_cell(*ctx.cell, KV_ObjectType::Empty);
                explode_quarkel_at(ctx);
            }
            break;
        default:
            kv_fatal("KV_Logic::Explosion, process, unknown state");
    }
}

}  // namespace KV_Logic
