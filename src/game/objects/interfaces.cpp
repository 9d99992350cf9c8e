#include "game/objects/interfaces.h"

#include "foundation/log.h"
#include "game/objects/disks.h"
#include "game/objects/enemies.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/pellik.h"
#include "game/objects/pushing.h"
#include "game/objects/small_objects.h"

namespace KV_Interfaces {

Table<AskFn> is_deadly_table{};
Table<AskFn> is_pellik_table{};
Table<AskFn> sliding_left_test_table{};
Table<AskFn> sliding_right_test_table{};
Table<AskFn> rolls_off_left_table{};
Table<AskFn> rolls_off_right_table{};
Table<AskFn> can_use_table{};
Table<DoFn> use_table{};

namespace IEatable {
Table<AskSideFn> can_be_eaten_table{};
Table<DoSideFn> eat_in_place_table{};
Table<DoSideFn> do_over_eat_table{};
}  // namespace IEatable

namespace Explodeable {
Table<AskLayerFn> can_explode_table{};
Table<DoLayerFn> do_explode_normal_table{};
Table<DoLayerFn> do_explode_quarkel_table{};
Table<DoLayerFn> do_explode_delayed_normal_table{};
Table<DoLayerFn> do_explode_delayed_quarkel_table{};
Table<AskLayerFn> is_hit_by_falling_grobble_table{};
Table<AskLayerFn> is_hit_by_falling_quarkel_table{};
}  // namespace Explodeable

namespace Port {
std::bitset<KV_TABLE_SIZE> is_port_bits;
Table<AskSideFn> can_pass_table{};
Table<DoFn> on_pass_table{};
}  // namespace Port

namespace IPushing {
Table<AskSideFn> is_pushable_table{};
Table<DoSideFn> wanna_push_table{};
Table<DoFn> dont_wanna_push_table{};
Table<DoFn> do_pushing_table{};
}  // namespace IPushing

bool tables_filled = false;

// ---- dispatchers ----

namespace {
template <typename Fn, typename... A>
bool ask(const Table<Fn>& t, const KV_ObjectContext& ctx, A... a) {
    Fn f = entry(t, ctx.cell);
    return f ? f(ctx, a...) : false;
}
template <typename Fn, typename... A>
void act(const Table<Fn>& t, const KV_ObjectContext& ctx, A... a) {
    if (Fn f = entry(t, ctx.cell)) f(ctx, a...);
}
}  // namespace

bool is_deadly_to_pellik(const KV_ObjectContext& ctx) { return ask(is_deadly_table, ctx); }
bool is_pellik(const KV_ObjectContext& ctx) { return ask(is_pellik_table, ctx); }
bool can_use(const KV_ObjectContext& ctx) { return ask(can_use_table, ctx); }
void use(const KV_ObjectContext& ctx) { act(use_table, ctx); }
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) {
    return ask(Explodeable::can_explode_table, ctx, layer);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t layer) {
    act(Explodeable::do_explode_normal_table, ctx, layer);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    act(Explodeable::do_explode_quarkel_table, ctx, layer);
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t layer) {
    act(Explodeable::do_explode_delayed_normal_table, ctx, layer);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    act(Explodeable::do_explode_delayed_quarkel_table, ctx, layer);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) {
    return ask(Explodeable::is_hit_by_falling_grobble_table, ctx, layer);
}
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    return ask(Explodeable::is_hit_by_falling_quarkel_table, ctx, layer);
}
bool rolls_off_left(const KV_ObjectContext& ctx) { return ask(rolls_off_left_table, ctx); }
bool rolls_off_right(const KV_ObjectContext& ctx) { return ask(rolls_off_right_table, ctx); }
bool sliding_left_test(const KV_ObjectContext& ctx) { return ask(sliding_left_test_table, ctx); }
bool sliding_right_test(const KV_ObjectContext& ctx) { return ask(sliding_right_test_table, ctx); }

namespace IEatable {
bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t side) { return ask(can_be_eaten_table, ctx, side); }
void eat_in_place(const KV_ObjectContext& ctx, uint32_t side) { act(eat_in_place_table, ctx, side); }
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side) { act(do_over_eat_table, ctx, side); }
}  // namespace IEatable

namespace IPushing {
bool is_pushable(const KV_ObjectContext& ctx, uint32_t side) { return ask(is_pushable_table, ctx, side); }
void wanna_push(const KV_ObjectContext& ctx, uint32_t side) { act(wanna_push_table, ctx, side); }
void dont_wanna_push(const KV_ObjectContext& ctx) { act(dont_wanna_push_table, ctx); }
void do_pushing(const KV_ObjectContext& ctx) { act(do_pushing_table, ctx); }
}  // namespace IPushing

namespace Port {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return ask(can_pass_table, ctx, side); }
void on_pass(const KV_ObjectContext& ctx) { act(on_pass_table, ctx); }
}  // namespace Port

// ---- danger ----

namespace {
using T = KV_ObjectType;

bool always(const KV_ObjectContext&) { return true; }

bool bug_is_deadly(const KV_ObjectContext& ctx) { return KV_Logic::Bug::View{*ctx.cell}.is_sparking(); }

// ---- use ----

bool exit_can_use(const KV_ObjectContext& ctx) { return ctx.level->get_status()->enough_quarkels(); }
void exit_use(const KV_ObjectContext& ctx) {
    ctx.level->get_status()->set_state(GS_EXIT_REACHED);
    ctx.level->get_sound_events()->post(SE_EXIT);
}
bool terminal_can_use(const KV_ObjectContext& ctx) { return !ctx.level->get_status()->get_terminal_used(); }
void terminal_use(const KV_ObjectContext& ctx) {
    ctx.level->get_status()->set_terminal_used();
    ctx.level->get_sound_events()->post(SE_TERMINAL);
}

template <typename Fn>
void put(Table<Fn>& t, T type, Fn f) {
    t[type_code(type)] = f;
}
}  // namespace

void register_danger() {
    static bool done = false;
    if (done) return;
    done = true;
    put<AskFn>(is_deadly_table, T::Explosion, &KV_Logic::Explosion::is_deadly);
    put<AskFn>(is_deadly_table, T::Bug, &bug_is_deadly);
    for (T t : {T::Gnarrow, T::Gnarrow_Temp, T::Electron, T::Electron_Temp})
        put<AskFn>(is_deadly_table, t, &always);
    put<AskFn>(is_pellik_table, T::Pellik, &KV_Logic::Pellik::counts_as_player);
    put<AskFn>(is_pellik_table, T::Pellik_Static, &always);
}

void register_exit_terminal() {
    static bool done = false;
    if (done) return;
    done = true;
    put<AskFn>(can_use_table, T::Exit, &exit_can_use);
    put<DoFn>(use_table, T::Exit, &exit_use);
    put<AskFn>(can_use_table, T::Terminal, &terminal_can_use);
    put<DoFn>(use_table, T::Terminal, &terminal_use);
}

void register_roll_off() {
    static bool done = false;
    if (done) return;
    done = true;
    for (auto* t : {&rolls_off_left_table, &rolls_off_right_table}) {
        put<AskFn>(*t, T::Grobble, &KV_Logic::Grobble::rolls_off);
        put<AskFn>(*t, T::RAM, &always);
        put<AskFn>(*t, T::Quarkel, &KV_Logic::Quarkel::rolls_off);
    }
}

void register_sliding_tests() {
    static bool done = false;
    if (done) return;
    done = true;
    namespace L = KV_Logic;
    put<AskFn>(sliding_left_test_table, T::Grobble, &L::Grobble::sliding_left_test);
    put<AskFn>(sliding_right_test_table, T::Grobble, &L::Grobble::sliding_right_test);
    put<AskFn>(sliding_left_test_table, T::Quarkel, &L::Quarkel::sliding_left_test);
    put<AskFn>(sliding_right_test_table, T::Quarkel, &L::Quarkel::sliding_right_test);
    put<AskFn>(sliding_left_test_table, T::Grobble_Slide_Temp, &L::Grobble_Slide_Temp::sliding_left_test);
    put<AskFn>(sliding_right_test_table, T::Grobble_Slide_Temp, &L::Grobble_Slide_Temp::sliding_right_test);
    put<AskFn>(sliding_left_test_table, T::Quarkel_Slide_Temp, &L::Quarkel_Slide_Temp::sliding_left_test);
    put<AskFn>(sliding_right_test_table, T::Quarkel_Slide_Temp, &L::Quarkel_Slide_Temp::sliding_right_test);
}

}  // namespace KV_Interfaces

// ---- shared cell tests ----

namespace KV_Logic {
namespace {
using T = KV_ObjectType;

// An enemy's temp may be entered on the last tick of its enemy's step away from it.
bool enemy_leaving(KV_Level* level, int32_t x, int32_t y, KV_Cell& temp, T enemy) {
    KV_Dir went;
    if (!kv_dir_of_bit(KV_EnemyTempView{temp}.went(), went)) return false;
    const KV_Pos e_pos = kv_step({x, y}, went);
    if (!level->inside(e_pos.x, e_pos.y)) return false;
    KV_Cell& e = level->at(KV_LAYER_MOVERS, e_pos.x, e_pos.y);
    return e.is(enemy) && KV_EnemyView{e}.is_leaving(kv_enemy_direction(went));
}

// Pellik's test and the pushed object's differ in the explosion's counter and
// in whether a faller's temp may be entered.
bool can_enter(KV_Level* level, int32_t x, int32_t y, bool pushed) {
    if (level->is_cell_free(x, y)) return true;

    KV_Cell& l3 = level->at(KV_LAYER_FIXTURES, x, y);
    if (l3.is(T::Explosion)) {
        const uint32_t ticks = pushed ? Explosion::kPushEntersAfter : Explosion::kPellikEntersAfter;
        if (!Explosion::View{l3}.burnt_for(ticks)) return false;
    } else if (l3.is_solid()) {
        return false;
    }

    KV_Cell& l2 = level->at(KV_LAYER_MOVERS, x, y);
    if (l2.is(T::Gnarrow_Temp)) {
        if (!enemy_leaving(level, x, y, l2, T::Gnarrow)) return false;
    } else if (l2.is(T::Electron_Temp)) {
        if (!enemy_leaving(level, x, y, l2, T::Electron)) return false;
    } else if (l2.is_solid()) {
        return false;
    }

    KV_Cell& l1 = level->at(KV_LAYER_ITEMS, x, y);
    if (l1.is(T::Disk_Orange_Fall_Temp)) {
        if (pushed && Qx::g_log.is_enabled()) {
            Qx::g_log.debug("disk orange fall temp test from pellik\n");
            Qx::g_log.debug("modifier = %d\n", int(KV_TempView{l1}.counter()));
        }
        if (!Disk_Orange_Fall_Temp::is_cleared(l1)) return false;
    } else if (!pushed && l1.is(T::Quarkel_Fall_Temp)) {
        if (!Quarkel::fall_temp_enterable(level, x, y, l1)) return false;
    } else if (!pushed && l1.is(T::Grobble_Fall_Temp)) {
        if (!Grobble::fall_temp_enterable(level, x, y, l1)) return false;
    } else if (l1.is_solid()) {
        return false;
    }

    return !level->at(KV_LAYER_FLOOR, x, y).is_solid();
}
}  // namespace

bool is_cell_free(const KV_ObjectContext& ctx) { return ctx.level->is_cell_free(ctx.x, ctx.y); }

bool is_deadly_cell(KV_Level* level, int32_t x, int32_t y) {
    for (int layer : {KV_LAYER_MOVERS, KV_LAYER_ITEMS, KV_LAYER_FIXTURES, KV_LAYER_FLOOR})
        if (KV_Interfaces::is_deadly_to_pellik(KV_Interfaces::context_at(level, layer, x, y))) return true;
    return false;
}

bool touches_pellik(KV_Level* level, int32_t x, int32_t y) {
    return KV_Interfaces::is_pellik(KV_Interfaces::context_at(level, KV_LAYER_MOVERS, x, y));
}

bool can_push_into_cell(KV_Level* level, int32_t x, int32_t y) { return can_enter(level, x, y, true); }

namespace Pellik {
bool can_enter_cell(KV_Level* level, int32_t x, int32_t y) { return can_enter(level, x, y, false); }
}  // namespace Pellik

}  // namespace KV_Logic
