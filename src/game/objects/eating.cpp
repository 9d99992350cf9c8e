#include "game/objects/eating.h"

#include "game/objects/disks.h"
#include "game/objects/fatal.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/interfaces.h"
#include "game/objects/small_objects.h"

namespace KV_Interfaces {
namespace IEatable {
namespace {

using T = KV_ObjectType;

// States the entries switch an eatable into; each object's process runs them.
// Lying still is state 1 of all four; Base, red disk and Bug share their being-eaten states.
constexpr uint16_t LYING_STILL = uint16_t(KV_BaseState::Lying);
constexpr uint16_t EATEN_IN_PLACE = uint16_t(KV_BaseState::Eaten_In_Place), WALKED_OVER = uint16_t(KV_BaseState::Walked_Over);
static_assert(uint16_t(KV_Logic::Disk_Red::State::Eaten_In_Place) == EATEN_IN_PLACE &&
                  uint16_t(KV_Logic::Disk_Red::State::Walked_Over) == WALKED_OVER &&
                  uint16_t(KV_BugState::Eaten_In_Place) == EATEN_IN_PLACE &&
                  uint16_t(KV_BugState::Walked_Over) == WALKED_OVER &&
                  uint16_t(KV_QuarkelState::At_Rest) == LYING_STILL && uint16_t(KV_Logic::Disk_Red::State::Lying) == LYING_STILL,
              "the eatables share their eating states");
constexpr uint16_t QUARKEL_EATEN_IN_PLACE = uint16_t(KV_QuarkelState::Eaten_In_Place);
constexpr uint16_t QUARKEL_WALKED_OVER = uint16_t(KV_QuarkelState::Walked_Over);

// The eat direction names where Pellik comes from; false for a corrupt side.
bool eat_direction(uint32_t side, KV_EatDirection& out) {
    KV_Dir from;
    if (!kv_dir_of_bit(side, from)) return false;
    out = kv_eat_direction(from);
    return true;
}

// Where the eating tick count lives differs per object.
enum class TickCount { U32_At_4, U16_At_4 };

void reset_ticks(KV_Cell& c, TickCount where) {
    if (where == TickCount::U32_At_4) KV_EatenView{c}.clear_u32_counter();
    else KV_EatenView{c}.clear_u16_counter();
}

struct EatenForm {
    uint16_t state;
    TickCount ticks;
    uint32_t flags_cleared;  // 0: flags stay
};

void over_eat(const KV_ObjectContext& ctx, uint32_t side, EatenForm form, const char* fatal_text) {
    KV_Cell& c = *ctx.cell;
    KV_EatenView{c}.set_state(form.state);
    KV_EatDirection dir;
    if (!eat_direction(side, dir)) kv_fatal(fatal_text);
    reset_ticks(c, form.ticks);
    KV_EatenView{c}.set_eat_direction(dir);
    c.flags &= ~form.flags_cleared;
}

void in_place(const KV_ObjectContext& ctx, EatenForm form, bool zap) {
    KV_Cell& c = *ctx.cell;
    KV_EatenView{c}.set_state(form.state);
    reset_ticks(c, form.ticks);
    c.flags &= ~form.flags_cleared;
    if (zap) ctx.level->get_sound_events()->post(SE_ZAP);
}

bool lying_still(const KV_ObjectContext& ctx) { return (KV_EatenView{*ctx.cell}.state() & LYING_STILL) != 0; }

// Clearing the static flag wakes a dormant Base or red disk for the process
// pass; clearing the time-critical flag moves a Quarkel into it.
constexpr EatenForm BASE_OVER{WALKED_OVER, TickCount::U32_At_4, CF_STATIC};
constexpr EatenForm BASE_IN_PLACE{EATEN_IN_PLACE, TickCount::U32_At_4, CF_STATIC};
constexpr EatenForm QUARKEL_OVER{QUARKEL_WALKED_OVER, TickCount::U16_At_4, CF_TIME_CRITICAL};
constexpr EatenForm QUARKEL_IN_PLACE{QUARKEL_EATEN_IN_PLACE, TickCount::U16_At_4, CF_TIME_CRITICAL};
constexpr EatenForm BUG_OVER{WALKED_OVER, TickCount::U16_At_4, 0};
constexpr EatenForm BUG_IN_PLACE{EATEN_IN_PLACE, TickCount::U16_At_4, 0};

}  // namespace

namespace Base {
bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t) { return lying_still(ctx); }
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side) {
    over_eat(ctx, side, BASE_OVER, "KV_Interfaces::IEatable::Base,do over eat, unknown direction");
}
void eat_in_place(const KV_ObjectContext& ctx, uint32_t) { in_place(ctx, BASE_IN_PLACE, true); }
}  // namespace Base

namespace Quarkel {
bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t) { return lying_still(ctx); }
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side) {
    over_eat(ctx, side, QUARKEL_OVER, "KV_Interfaces::IEatable::Quarkel,do over eat, unknown direction");
}
void eat_in_place(const KV_ObjectContext& ctx, uint32_t) { in_place(ctx, QUARKEL_IN_PLACE, true); }
}  // namespace Quarkel

namespace Disk_Red {
bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t) { return lying_still(ctx); }
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side) {
    over_eat(ctx, side, BASE_OVER, "KV_Interfaces::IEatable::Disk_Red,do over eat, unknown direction");
}
void eat_in_place(const KV_ObjectContext& ctx, uint32_t) { in_place(ctx, BASE_IN_PLACE, true); }
}  // namespace Disk_Red

namespace Bug {
// A sparking Bug is deadly, and Pellik checks danger before eating, so this
// needs no state test.
bool can_be_eaten(const KV_ObjectContext&, uint32_t) { return true; }
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side) {
    over_eat(ctx, side, BUG_OVER, "KV_Interfaces::IEatable::Bug,do over eat, unknown direction");
}
void eat_in_place(const KV_ObjectContext& ctx, uint32_t) { in_place(ctx, BUG_IN_PLACE, false); }
}  // namespace Bug

void register_entries() {
    static bool done = false;
    if (done) return;
    done = true;
    struct Row {
        T type;
        AskSideFn can_be_eaten;
        DoSideFn eat_in_place;
        DoSideFn do_over_eat;
    };
    const Row rows[] = {
        {T::Base, &Base::can_be_eaten, &Base::eat_in_place, &Base::do_over_eat},
        {T::Quarkel, &Quarkel::can_be_eaten, &Quarkel::eat_in_place, &Quarkel::do_over_eat},
        {T::Disk_Red, &Disk_Red::can_be_eaten, &Disk_Red::eat_in_place, &Disk_Red::do_over_eat},
        {T::Bug, &Bug::can_be_eaten, &Bug::eat_in_place, &Bug::do_over_eat},
    };
    for (const Row& r : rows) {
        can_be_eaten_table[type_code(r.type)] = r.can_be_eaten;
        eat_in_place_table[type_code(r.type)] = r.eat_in_place;
        do_over_eat_table[type_code(r.type)] = r.do_over_eat;
    }
}

}  // namespace IEatable
}  // namespace KV_Interfaces
