#include "game/objects/explosions.h"

#include <string>

#include "game/objects/disks.h"
#include "game/objects/enemies.h"
#include "game/objects/fatal.h"
#include "game/objects/grobble_quarkel.h"
#include "game/objects/interfaces.h"
#include "game/objects/pellik.h"
#include "game/objects/prototypes.h"
#include "game/objects/pushing.h"
#include "game/objects/small_objects.h"

namespace KV_Logic {

void make_explosion(KV_Cell& cell, KV_ExplosionState kind) {
    set_cell(cell, KV_ObjectType::Explosion);
    Explosion::View{cell}.set_kind(kind);
}

namespace {

// Rows outer, columns inner, layers 0..3 at each position, each cell read in
// its current form, so what an entry writes into a later layer is seen in turn.
void area_explosion(const KV_ObjectContext& ctx, bool quarkel) {
    KV_Level* level = ctx.level;
    for (int32_t r = ctx.y - 1; r <= ctx.y + 1; ++r) {
        for (int32_t c = ctx.x - 1; c <= ctx.x + 1; ++c) {
            if (!level->inside(c, r)) continue;
            for (uint32_t layer = 0; layer < KV_LAYER_COUNT; ++layer) {
                const KV_ObjectContext cell = KV_Interfaces::context_at(level, int(layer), c, r);
                if (!KV_Interfaces::can_explode(cell, layer)) continue;
                if (quarkel) KV_Interfaces::do_explode_delayed_quarkel(cell, layer);
                else KV_Interfaces::do_explode_delayed_normal(cell, layer);
            }
        }
    }
    level->get_sound_events()->post(level->is_near_player(ctx.x, ctx.y) ? SE_EXPLOSION_NEAR : SE_EXPLOSION_FAR);
}

}  // namespace

void explode_normal_at(const KV_ObjectContext& ctx) { area_explosion(ctx, false); }
void explode_quarkel_at(const KV_ObjectContext& ctx) { area_explosion(ctx, true); }

}  // namespace KV_Logic

namespace KV_Interfaces {
namespace Explodeable {
namespace {

using T = KV_ObjectType;
using K = KV_ExplosionState;

enum class Flavour { Normal, Quarkel };
// The four operations, for the fatal texts that name them.
enum class Op { Normal, Quarkel, Delayed_Normal, Delayed_Quarkel };

const char* op_name(Op op) {
    switch (op) {
        case Op::Normal: return "do_explode_normal";
        case Op::Quarkel: return "do_explode_quarkel";
        case Op::Delayed_Normal: return "do_explode_delayed_normal";
        case Op::Delayed_Quarkel: return "do_explode_delayed_quarkel";
    }
    return "";
}

using Pos = KV_Pos;

// The cell of `layer` at p, or null off the field (objects inside a border never get there).
KV_Cell* cell_at(const KV_ObjectContext& ctx, int layer, Pos p) {
    return ctx.level->inside(p.x, p.y) ? &ctx.level->at(layer, p.x, p.y) : nullptr;
}

void empty_if(KV_Cell* cell, T type) {
    if (cell && cell->is(type)) KV_Logic::set_cell(*cell, T::Empty);
}

void explosion_at(const KV_ObjectContext& ctx, Pos p, K kind) {
    if (KV_Cell* c = cell_at(ctx, KV_LAYER_FIXTURES, p)) KV_Logic::make_explosion(*c, kind);
}

// E: the object vanishes.
void vanish(const KV_ObjectContext& ctx) { KV_Logic::set_cell(*ctx.cell, T::Empty); }
// X(s): the object itself turns into fire.
void become_fire(const KV_ObjectContext& ctx, K kind) { KV_Logic::make_explosion(*ctx.cell, kind); }
// L3(s): the object vanishes and its position burns in layer 3.
void fire_below(const KV_ObjectContext& ctx, K kind) {
    vanish(ctx);
    explosion_at(ctx, {ctx.x, ctx.y}, kind);
}
// A(n) / A(q): the object vanishes and blasts its area at once.
void blast(const KV_ObjectContext& ctx, Flavour f) {
    vanish(ctx);
    if (f == Flavour::Normal) KV_Logic::explode_normal_at(ctx);
    else KV_Logic::explode_quarkel_at(ctx);
}

// ---- Pellik ----

// Pellik dies with the move temp it left behind; the level is lost unless already won.
void pellik_dies(const KV_ObjectContext& ctx, Op op) {
    const KV_Logic::Pellik::View p{*ctx.cell};
    if (p.is_stepping()) {
        KV_Dir d;
        if (!kv_dir_of_bit(p.direction(), d))
            kv_fatal(std::string("KV_Interfaces::Explodeable::Pellik, ") + op_name(op) + ", unknown move direction");
        empty_if(cell_at(ctx, KV_LAYER_MOVERS, kv_step({ctx.x, ctx.y}, kv_opposite(d))), T::Pellik_Move_Temp);
    }
    vanish(ctx);
    ctx.level->set_has_player(false);
    KV_LevelStatus& status = *ctx.level->get_status();
    if (!status.test_state(GS_EXIT_REACHED)) status.set_state(GS_PLAYER_DESTROYED);
}

// ---- Grobble and Quarkel: placeholders of a fall or slide go with them ----

struct FallerKind {
    T fall_temp;
    T slide_fall_temp;
    uint16_t falling, slide_left, slide_right, slide_ended;
};
using G = KV_GrobbleState;
using Q = KV_QuarkelState;
constexpr FallerKind GROBBLE_KIND{T::Grobble_Fall_Temp, T::Grobble_Slide_Fall_Temp, uint16_t(G::Falling),
                                  uint16_t(G::Sliding_Left), uint16_t(G::Sliding_Right), uint16_t(G::Slide_Ended)};
constexpr FallerKind QUARKEL_KIND{T::Quarkel_Fall_Temp, T::Quarkel_Slide_Fall_Temp, uint16_t(Q::Falling),
                                  uint16_t(Q::Sliding_Left), uint16_t(Q::Sliding_Right), uint16_t(Q::Slide_Ended)};

void faller_vanishes(const KV_ObjectContext& ctx, const FallerKind& k) {
    const KV_Logic::FallerState f{*ctx.cell};
    const uint16_t s = f.state();
    if (s == k.falling) {
        empty_if(cell_at(ctx, KV_LAYER_ITEMS, {ctx.x, ctx.y - 1}), k.fall_temp);
    } else if (((s == k.slide_left || s == k.slide_right) && f.slide_phase() == KV_SlidePhase::Sliding_Down) ||
               s == k.slide_ended) {
        empty_if(cell_at(ctx, KV_LAYER_ITEMS, {ctx.x, ctx.y + 1}), k.slide_fall_temp);
    }
    vanish(ctx);
}

// ---- push temps ----

// A reserved cell just goes; the cell a pushed disk is leaving burns and the temp stays.
void push_temp_hit(const KV_ObjectContext& ctx, K kind, uint16_t reserved_bits, uint16_t leaving_bits,
                   const char* owner, Op op) {
    const uint16_t s = uint16_t(KV_TempView{*ctx.cell}.state());
    if (s & reserved_bits) vanish(ctx);
    else if (s & leaving_bits) explosion_at(ctx, {ctx.x, ctx.y}, kind);
    else kv_fatal(std::string("KV_Interfaces::") + owner + "::Explodable, " + op_name(op) + ", unknown state");
}
constexpr uint16_t YELLOW_TEMP_RESERVED = KV_YELLOW_PUSH_TEMP_RESERVED, YELLOW_TEMP_LEAVING = KV_YELLOW_PUSH_TEMP_LEAVING;
constexpr uint16_t ORANGE_TEMP_RESERVED = KV_PUSH_TEMP_RESERVED, ORANGE_TEMP_LEAVING = KV_PUSH_TEMP_LEAVING;

// ---- orange disk fall temp ----

// The fire goes where the falling disk mostly is: early in the fall still the temp's cell.
void orange_fall_temp_hit(const KV_ObjectContext& ctx, K kind) {
    const uint32_t ticks = KV_TempView{*ctx.cell}.counter();
    if (!KV_TempView{*ctx.cell}.has(KV_Logic::Disk_Orange_Fall_Temp::Left_Behind) ||
        ticks == KV_Logic::Disk_Orange_Fall_Temp::kClearedTick) {
        vanish(ctx);
        return;
    }
    KV_Cell* below = cell_at(ctx, KV_LAYER_ITEMS, {ctx.x, ctx.y + 1});
    if (!below || !below->is(T::Disk_Orange)) {
        fire_below(ctx, kind);
        return;
    }
    KV_Logic::set_cell(*below, T::Empty);
    vanish(ctx);
    explosion_at(ctx, ticks <= 1 ? Pos{ctx.x, ctx.y} : Pos{ctx.x, ctx.y + 1}, kind);
}

// ---- Explosion: a burning fire starts again, a delayed one keeps counting ----

void explosion_hit(const KV_ObjectContext& ctx, K kind, Op op) {
    KV_Logic::Explosion::View e{*ctx.cell};
    switch (e.kind()) {
        case K::Plain:
        case K::Plain_Quarkel:
            e.set_counter(0);
            e.set_kind(kind);
            ctx.cell->flags |= CF_DONE;
            return;
        case K::Delayed_Normal:
        case K::Delayed_Quarkel:
            return;
    }
    kv_fatal(std::string("KV_Interfaces::IExplodeable::Explosion,") + op_name(op) + ", unknown state");
}

// ---- enemies and their temps ----

void enemy_vanishes(const KV_ObjectContext& ctx, T temp, const char* name, Op op) {
    const KV_Logic::KV_EnemyView e{*ctx.cell};
    if (e.has(KV_EnemyState::Moving)) {
        KV_Dir d;
        if (!kv_dir_of_enemy(e.direction(), d))
            kv_fatal(std::string("KV_Interfaces::Explodeable::") + name + ", " + op_name(op) + ", unknown move direction");
        empty_if(cell_at(ctx, KV_LAYER_MOVERS, kv_step({ctx.x, ctx.y}, kv_opposite(d))), temp);
    }
    vanish(ctx);
}

// The temp's state says where its enemy went (KV_Direction bits). Both vanish;
// returns that position.
Pos enemy_temp_vanishes(const KV_ObjectContext& ctx, T enemy, const std::string& fatal_text,
                        bool with_value = false) {
    const uint32_t went = KV_Logic::KV_EnemyTempView{*ctx.cell}.went();
    KV_Dir d;
    if (!kv_dir_of_bit(went, d)) {
        if (with_value) kv_fatal(fatal_text, went);
        kv_fatal(fatal_text);
    }
    const Pos to = kv_step({ctx.x, ctx.y}, d);
    empty_if(cell_at(ctx, KV_LAYER_MOVERS, to), enemy);
    vanish(ctx);
    return to;
}

std::string temp_text(const char* name, Op op) {
    return std::string("KV_Interfaces::Explodeable::") + name + ", " + op_name(op) + ", unknown state";
}

// ---- Pellik_Static: the real Pellik goes up with it, wherever it is ----

void real_pellik_explodes(const KV_ObjectContext& ctx, Flavour f) {
    KV_Level* level = ctx.level;
    const int32_t px = level->get_player_x(), py = level->get_player_y();
    if (!level->inside(px, py)) return;
    const KV_ObjectContext pellik = context_at(level, KV_LAYER_MOVERS, px, py);
    if (f == Flavour::Normal) do_explode_normal(pellik, KV_LAYER_MOVERS);
    else do_explode_quarkel(pellik, KV_LAYER_MOVERS);
}

bool always(const KV_ObjectContext&, uint32_t) { return true; }
bool never(const KV_ObjectContext&, uint32_t) { return false; }
bool only_among_fixtures(const KV_ObjectContext&, uint32_t layer) { return layer == KV_LAYER_FIXTURES; }

}  // namespace

// ---- the entries ----

namespace Empty {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return only_among_fixtures(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { become_fire(ctx, K::Plain); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { become_fire(ctx, K::Plain_Quarkel); }
}  // namespace Empty

namespace Pellik {
bool can_explode(const KV_ObjectContext& ctx, uint32_t) {
    return !KV_Logic::Pellik::View{*ctx.cell}.in_any({KV_PellikState::Pushing});
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    pellik_dies(ctx, Op::Delayed_Normal);
    fire_below(ctx, K::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    pellik_dies(ctx, Op::Delayed_Quarkel);
    fire_below(ctx, K::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    pellik_dies(ctx, Op::Normal);
    blast(ctx, Flavour::Normal);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    pellik_dies(ctx, Op::Quarkel);
    blast(ctx, Flavour::Quarkel);
}
// Not while it stands in a port, and only ready, moving or eating in place.
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t) { return KV_Logic::Pellik::is_hit_by_faller(ctx); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    return is_hit_by_falling_grobble(ctx, layer);
}
}  // namespace Pellik

namespace Vanishing {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { vanish(ctx); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { vanish(ctx); }
}  // namespace Vanishing

namespace Grobble {
// A Grobble being pushed or leaned on is spared.
bool can_explode(const KV_ObjectContext& ctx, uint32_t) {
    const KV_Logic::FallerState f{*ctx.cell};
    return !f.has(G::Pushed) && !f.has(G::Leaned_On);
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { faller_vanishes(ctx, GROBBLE_KIND); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { faller_vanishes(ctx, GROBBLE_KIND); }
}  // namespace Grobble

namespace Quarkel {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { faller_vanishes(ctx, QUARKEL_KIND); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { faller_vanishes(ctx, QUARKEL_KIND); }
}  // namespace Quarkel

namespace Disk_Yellow {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { fire_below(ctx, K::Delayed_Normal); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { fire_below(ctx, K::Delayed_Quarkel); }
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Normal); }
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Quarkel); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
}  // namespace Disk_Yellow

namespace Disk_Yellow_Push_Temp {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    push_temp_hit(ctx, K::Delayed_Normal, YELLOW_TEMP_RESERVED, YELLOW_TEMP_LEAVING, "Disk_Yellow_Push_Temp",
                  Op::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    push_temp_hit(ctx, K::Delayed_Quarkel, YELLOW_TEMP_RESERVED, YELLOW_TEMP_LEAVING, "Disk_Yellow_Push_Temp",
                  Op::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Normal); }
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Quarkel); }
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t) {
    return push_temp_is_hit(*ctx.cell, YELLOW_TEMP_LEAVING);
}
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    return is_hit_by_falling_grobble(ctx, layer);
}
}  // namespace Disk_Yellow_Push_Temp

namespace Disk_Red {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
// A disk lying in the field (layer 1) just goes; a laid one (layer 3) turns into fire.
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t layer) {
    if (layer == KV_LAYER_ITEMS) vanish(ctx);
    else if (layer == KV_LAYER_FIXTURES) become_fire(ctx, K::Plain);
    else kv_fatal("KV_Interfaces::Explodeable::Disk_Red, do_explode_delayed_normal, unknown layer");
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    if (layer == KV_LAYER_ITEMS) vanish(ctx);
    else if (layer == KV_LAYER_FIXTURES) become_fire(ctx, K::Plain_Quarkel);
    else kv_fatal("KV_Interfaces::Explodeable::Disk_Red, do_explode_delayed_quarkel, unknown layer");
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Normal); }
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Quarkel); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext&, uint32_t layer) { return layer == KV_LAYER_ITEMS; }
}  // namespace Disk_Red

namespace Disk_Orange {
// A falling disk whose fall temp is still above it is left to that temp's entry.
bool can_explode(const KV_ObjectContext& ctx, uint32_t) {
    if (!KV_Logic::Disk_Orange::View{*ctx.cell}.in_any({KV_Logic::Disk_Orange::State::Falling})) return true;
    const KV_Cell* above = cell_at(ctx, KV_LAYER_ITEMS, {ctx.x, ctx.y - 1});
    return !(above && above->is(T::Disk_Orange_Fall_Temp));
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { fire_below(ctx, K::Delayed_Normal); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { fire_below(ctx, K::Delayed_Quarkel); }
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Normal); }
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Quarkel); }
// At rest, pushed, leaned on, or caught leaning while about to fall.
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t) {
    using S = KV_Logic::Disk_Orange::State;
    return KV_Logic::Disk_Orange::View{*ctx.cell}.in_any({S::At_Rest, S::Pushed, S::Leaned_On, S::Lean_Broken_Off});
}
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    return is_hit_by_falling_grobble(ctx, layer);
}
}  // namespace Disk_Orange

namespace Disk_Orange_Fall_Temp {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { orange_fall_temp_hit(ctx, K::Delayed_Normal); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    orange_fall_temp_hit(ctx, K::Delayed_Quarkel);
}
}  // namespace Disk_Orange_Fall_Temp

namespace Disk_Orange_Push_Temp {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    push_temp_hit(ctx, K::Delayed_Normal, ORANGE_TEMP_RESERVED, ORANGE_TEMP_LEAVING, "Disk_Orange_Push_Temp",
                  Op::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    push_temp_hit(ctx, K::Delayed_Quarkel, ORANGE_TEMP_RESERVED, ORANGE_TEMP_LEAVING, "Disk_Orange_Push_Temp",
                  Op::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Normal); }
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) { blast(ctx, Flavour::Quarkel); }
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t) {
    return push_temp_is_hit(*ctx.cell, ORANGE_TEMP_LEAVING);
}
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) {
    return is_hit_by_falling_grobble(ctx, layer);
}
}  // namespace Disk_Orange_Push_Temp

namespace Explosion {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return only_among_fixtures(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    explosion_hit(ctx, K::Plain, Op::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    explosion_hit(ctx, K::Plain_Quarkel, Op::Delayed_Quarkel);
}
}  // namespace Explosion

namespace Ports {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) { become_fire(ctx, K::Plain); }
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) { become_fire(ctx, K::Plain_Quarkel); }
}  // namespace Ports

namespace Gnarrow {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Gnarrow_Temp, "Gnarrow", Op::Delayed_Normal);
    fire_below(ctx, K::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Gnarrow_Temp, "Gnarrow", Op::Delayed_Quarkel);
    fire_below(ctx, K::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Gnarrow_Temp, "Gnarrow", Op::Normal);
    blast(ctx, Flavour::Normal);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Gnarrow_Temp, "Gnarrow", Op::Quarkel);
    blast(ctx, Flavour::Quarkel);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
}  // namespace Gnarrow

namespace Gnarrow_Temp {
// Spared while its enemy is moving down out of it.
bool can_explode(const KV_ObjectContext& ctx, uint32_t) {
    return !KV_Logic::KV_EnemyTempView{*ctx.cell}.went_down();
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    const Pos to = enemy_temp_vanishes(ctx, T::Gnarrow, temp_text("Gnarrow_Temp", Op::Delayed_Normal));
    explosion_at(ctx, to, K::Delayed_Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    const Pos to = enemy_temp_vanishes(ctx, T::Gnarrow, temp_text("Gnarrow_Temp", Op::Delayed_Quarkel));
    explosion_at(ctx, to, K::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_temp_vanishes(ctx, T::Gnarrow, temp_text("Gnarrow_Temp", Op::Normal));
    KV_Logic::explode_normal_at(ctx);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_temp_vanishes(ctx, T::Gnarrow, temp_text("Gnarrow_Temp", Op::Quarkel));
    KV_Logic::explode_quarkel_at(ctx);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return never(ctx, layer); }
}  // namespace Gnarrow_Temp

// An Electron always blasts in the Quarkel flavour, whatever hit it.
namespace Electron {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Electron_Temp, "Electron", Op::Delayed_Normal);
    fire_below(ctx, K::Delayed_Quarkel);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Electron_Temp, "Electron", Op::Delayed_Quarkel);
    fire_below(ctx, K::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Electron_Temp, "Electron", Op::Normal);
    blast(ctx, Flavour::Quarkel);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_vanishes(ctx, T::Electron_Temp, "Electron", Op::Quarkel);
    blast(ctx, Flavour::Quarkel);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
}  // namespace Electron

namespace Electron_Temp {
bool can_explode(const KV_ObjectContext& ctx, uint32_t) {
    return !KV_Logic::KV_EnemyTempView{*ctx.cell}.went_down();
}
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    const Pos to = enemy_temp_vanishes(ctx, T::Electron, temp_text("Electron_Temp", Op::Delayed_Normal));
    explosion_at(ctx, to, K::Delayed_Quarkel);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    const Pos to = enemy_temp_vanishes(ctx, T::Electron, temp_text("Electron_Temp", Op::Delayed_Quarkel));
    explosion_at(ctx, to, K::Delayed_Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    enemy_temp_vanishes(ctx, T::Electron, temp_text("Electron_Temp", Op::Normal) + " ", true);
    KV_Logic::explode_quarkel_at(ctx);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    enemy_temp_vanishes(ctx, T::Electron, temp_text("Electron_Temp", Op::Quarkel));
    KV_Logic::explode_quarkel_at(ctx);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return never(ctx, layer); }
}  // namespace Electron_Temp

namespace Pellik_Static {
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t) {
    fire_below(ctx, K::Delayed_Normal);
    real_pellik_explodes(ctx, Flavour::Normal);
}
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    fire_below(ctx, K::Delayed_Quarkel);
    real_pellik_explodes(ctx, Flavour::Quarkel);
}
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t) {
    blast(ctx, Flavour::Normal);
    real_pellik_explodes(ctx, Flavour::Normal);
}
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t) {
    blast(ctx, Flavour::Quarkel);
    real_pellik_explodes(ctx, Flavour::Quarkel);
}
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer) { return always(ctx, layer); }
}  // namespace Pellik_Static

// ---- registration ----

namespace {

// One type's row across the seven tables; a null field leaves that table's entry empty.
struct Row {
    T type;
    AskLayerFn can_explode;
    DoLayerFn delayed_normal, delayed_quarkel, normal, quarkel;
    AskLayerFn hit_by_grobble, hit_by_quarkel;
};

#define KV_DELAYED(ns) &ns::can_explode, &ns::do_explode_delayed_normal, &ns::do_explode_delayed_quarkel
#define KV_NOW(ns) &ns::do_explode_normal, &ns::do_explode_quarkel
#define KV_HITS(ns) &ns::is_hit_by_falling_grobble, &ns::is_hit_by_falling_quarkel

const Row ROWS[] = {
    {T::Empty, KV_DELAYED(Empty), nullptr, nullptr, nullptr, nullptr},
    {T::Pellik, KV_DELAYED(Pellik), KV_NOW(Pellik), KV_HITS(Pellik)},
    {T::Base, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Grobble, KV_DELAYED(Grobble), nullptr, nullptr, nullptr, nullptr},
    {T::Grobble_Slide_Temp, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Grobble_Slide_Fall_Temp, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::RAM, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Quarkel, KV_DELAYED(Quarkel), nullptr, nullptr, nullptr, nullptr},
    {T::Quarkel_Slide_Temp, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Quarkel_Slide_Fall_Temp, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Grobble_Push_Temp, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Grobble_Clone, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Exit, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Terminal, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Disk_Yellow, KV_DELAYED(Disk_Yellow), KV_NOW(Disk_Yellow), nullptr, &Disk_Yellow::is_hit_by_falling_quarkel},
    {T::Disk_Yellow_Push_Temp, KV_DELAYED(Disk_Yellow_Push_Temp), KV_NOW(Disk_Yellow_Push_Temp),
     KV_HITS(Disk_Yellow_Push_Temp)},
    {T::Disk_Red, KV_DELAYED(Disk_Red), KV_NOW(Disk_Red), nullptr, &Disk_Red::is_hit_by_falling_quarkel},
    {T::Disk_Orange, KV_DELAYED(Disk_Orange), KV_NOW(Disk_Orange), KV_HITS(Disk_Orange)},
    {T::Disk_Orange_Fall_Temp, KV_DELAYED(Disk_Orange_Fall_Temp), nullptr, nullptr, nullptr, nullptr},
    {T::Disk_Orange_Push_Temp, KV_DELAYED(Disk_Orange_Push_Temp), KV_NOW(Disk_Orange_Push_Temp),
     KV_HITS(Disk_Orange_Push_Temp)},
    {T::Disk_Orange_Clone, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Explosion, KV_DELAYED(Explosion), nullptr, nullptr, nullptr, nullptr},
    {T::Bug, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
    {T::Port_U_To_D, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_D_To_U, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_L_To_R, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_R_To_L, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_Horizontal, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_Vertical, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Port_Cross, KV_DELAYED(Ports), nullptr, nullptr, nullptr, nullptr},
    {T::Gnarrow, KV_DELAYED(Gnarrow), KV_NOW(Gnarrow), KV_HITS(Gnarrow)},
    {T::Gnarrow_Temp, KV_DELAYED(Gnarrow_Temp), KV_NOW(Gnarrow_Temp), KV_HITS(Gnarrow_Temp)},
    {T::Electron, KV_DELAYED(Electron), KV_NOW(Electron), KV_HITS(Electron)},
    {T::Electron_Temp, KV_DELAYED(Electron_Temp), KV_NOW(Electron_Temp), KV_HITS(Electron_Temp)},
    {T::Pellik_Static, KV_DELAYED(Pellik_Static), KV_NOW(Pellik_Static), KV_HITS(Pellik_Static)},
    {T::Invisible_Wall, KV_DELAYED(Vanishing), nullptr, nullptr, nullptr, nullptr},
};

#undef KV_DELAYED
#undef KV_NOW
#undef KV_HITS

}  // namespace

void register_entries() {
    static bool done = false;
    if (done) return;
    done = true;
    for (const Row& r : ROWS) {
        const size_t t = type_code(r.type);
        can_explode_table[t] = r.can_explode;
        do_explode_delayed_normal_table[t] = r.delayed_normal;
        do_explode_delayed_quarkel_table[t] = r.delayed_quarkel;
        do_explode_normal_table[t] = r.normal;
        do_explode_quarkel_table[t] = r.quarkel;
        is_hit_by_falling_grobble_table[t] = r.hit_by_grobble;
        is_hit_by_falling_quarkel_table[t] = r.hit_by_quarkel;
    }
}

}  // namespace Explodeable
}  // namespace KV_Interfaces
