#include "game/objects/ports.h"

#include "game/objects/interfaces.h"
#include "game/objects/pellik.h"

namespace KV_Interfaces {
namespace Port {
namespace {

using T = KV_ObjectType;

using Pos = KV_Pos;

bool enterable(const KV_ObjectContext& ctx, Pos p) {
    return ctx.level->inside(p.x, p.y) && KV_Logic::Pellik::can_enter_cell(ctx.level, p.x, p.y);
}

// The entry sides of a kind and whether its cell beyond, straight across
// from the side Pellik comes from, is free to enter.
bool passable(const KV_ObjectContext& ctx, uint32_t side, uint32_t allowed_sides) {
    KV_Dir from;
    return kv_dir_of_bit(side, from) && (side & allowed_sides) != 0 &&
           enterable(ctx, kv_step({ctx.x, ctx.y}, kv_opposite(from)));
}

KV_ObjectContext pellik_in_port(const KV_ObjectContext& port) {
    return KV_ObjectContext{port.x, port.y, port.level, &port.level->at(KV_LAYER_MOVERS, port.x, port.y)};
}

// A special one-way port sets all three switches from its bits, every pass.
void apply_switches(const KV_ObjectContext& port) {
    const KV_PortView p{*port.cell};
    if (!p.is_special()) return;
    const uint32_t bits = p.switches();
    KV_LevelStatus& s = *port.level->get_status();
    if (bits & PORT_SWITCH_GRAVITY) s.set_gravity(); else s.clear_gravity();
    if (bits & PORT_SWITCH_FREEZE_GROBBLES) s.set_freeze_grobbles(); else s.clear_freeze_grobbles();
    if (bits & PORT_SWITCH_FREEZE_ENEMIES) s.set_freeze_enemies(); else s.clear_freeze_enemies();
}

// One-way kinds carry Pellik to their fixed cell beyond, whatever its direction byte says.
bool pass_one_way(const KV_ObjectContext& port, Pos target) {
    const bool moved = move_pellik_out(pellik_in_port(port), target.x, target.y);
    if (moved) apply_switches(port);
    return moved;
}

// Two-way kinds follow Pellik's direction, if it is one they allow.
bool pass_along(const KV_ObjectContext& port, uint32_t allowed_dirs) {
    const KV_ObjectContext pellik = pellik_in_port(port);
    const uint8_t dir = KV_Logic::Pellik::View{*pellik.cell}.direction();
    KV_Dir d;
    if ((dir & allowed_dirs) == 0 || !kv_dir_of_bit(dir, d)) return false;
    const Pos target = kv_step({port.x, port.y}, d);
    return move_pellik_out(pellik, target.x, target.y);
}

}  // namespace

bool move_pellik_out(const KV_ObjectContext& pellik, int32_t tx, int32_t ty) {
    KV_Level& level = *pellik.level;
    if (!level.inside(tx, ty) || !KV_Logic::Pellik::can_enter_cell(&level, tx, ty)) return false;
    KV_Logic::Pellik::walk_to(pellik, tx, ty);
    return true;
}

namespace Port_U_To_D {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_UP); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_one_way(ctx, {ctx.x, ctx.y + 1}); }
}  // namespace Port_U_To_D

namespace Port_D_To_U {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_DOWN); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_one_way(ctx, {ctx.x, ctx.y - 1}); }
}  // namespace Port_D_To_U

namespace Port_L_To_R {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_LEFT); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_one_way(ctx, {ctx.x + 1, ctx.y}); }
}  // namespace Port_L_To_R

namespace Port_R_To_L {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_RIGHT); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_one_way(ctx, {ctx.x - 1, ctx.y}); }
}  // namespace Port_R_To_L

namespace Port_Horizontal {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_LEFT | DIR_RIGHT); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_along(ctx, DIR_LEFT | DIR_RIGHT); }
}  // namespace Port_Horizontal

namespace Port_Vertical {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) { return passable(ctx, side, DIR_UP | DIR_DOWN); }
bool on_pass(const KV_ObjectContext& ctx) { return pass_along(ctx, DIR_UP | DIR_DOWN); }
}  // namespace Port_Vertical

namespace Port_Cross {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side) {
    return passable(ctx, side, DIR_LEFT | DIR_UP | DIR_RIGHT | DIR_DOWN);
}
bool on_pass(const KV_ObjectContext& ctx) { return pass_along(ctx, DIR_LEFT | DIR_UP | DIR_RIGHT | DIR_DOWN); }
}  // namespace Port_Cross

void register_entries() {
    static bool done = false;
    if (done) return;
    done = true;
    struct Row {
        T type;
        AskSideFn can_pass;
        DoFn on_pass;  // the table's entries give nothing back; ours say whether Pellik moved
    };
    const Row rows[] = {
        {T::Port_U_To_D, &Port_U_To_D::can_pass, [](const KV_ObjectContext& c) { Port_U_To_D::on_pass(c); }},
        {T::Port_D_To_U, &Port_D_To_U::can_pass, [](const KV_ObjectContext& c) { Port_D_To_U::on_pass(c); }},
        {T::Port_L_To_R, &Port_L_To_R::can_pass, [](const KV_ObjectContext& c) { Port_L_To_R::on_pass(c); }},
        {T::Port_R_To_L, &Port_R_To_L::can_pass, [](const KV_ObjectContext& c) { Port_R_To_L::on_pass(c); }},
        {T::Port_Vertical, &Port_Vertical::can_pass, [](const KV_ObjectContext& c) { Port_Vertical::on_pass(c); }},
        {T::Port_Horizontal, &Port_Horizontal::can_pass,
         [](const KV_ObjectContext& c) { Port_Horizontal::on_pass(c); }},
        {T::Port_Cross, &Port_Cross::can_pass, [](const KV_ObjectContext& c) { Port_Cross::on_pass(c); }},
    };
    for (const Row& r : rows) {
        is_port_bits.set(type_code(r.type));
        can_pass_table[type_code(r.type)] = r.can_pass;
        on_pass_table[type_code(r.type)] = r.on_pass;
    }
}

}  // namespace Port
}  // namespace KV_Interfaces
