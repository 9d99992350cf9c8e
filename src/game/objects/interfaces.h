#pragma once
// How objects ask each other questions and act on each other: process-wide
// tables of 256 entries indexed by the asked cell's type code. An absent ask
// entry answers no; an absent do entry does nothing.
#include <array>
#include <bitset>
#include <cassert>
#include <cstdint>

#include "game/objects/object_context.h"

namespace KV_Interfaces {

using AskFn = bool (*)(const KV_ObjectContext& ctx);
using DoFn = void (*)(const KV_ObjectContext& ctx);
// side: the side of the asked cell from which the asker comes (KV_Direction bits).
using AskSideFn = bool (*)(const KV_ObjectContext& ctx, uint32_t side);
using DoSideFn = void (*)(const KV_ObjectContext& ctx, uint32_t side);
// layer: the asked cell's layer 0..3.
using AskLayerFn = bool (*)(const KV_ObjectContext& ctx, uint32_t layer);
using DoLayerFn = void (*)(const KV_ObjectContext& ctx, uint32_t layer);

template <typename Fn>
using Table = std::array<Fn, KV_TABLE_SIZE>;

// Entry of a table for a cell's signed type code; codes outside 0..255 have none.
// Set once every table is filled (install_rules); until then every question
// would answer no, which debug builds refuse.
extern bool tables_filled;

template <typename Fn>
inline Fn entry(const Table<Fn>& table, const KV_Cell* cell) {
    assert(tables_filled && "install_rules() fills the interface tables before any question");
    const int16_t t = cell->type_index();
    return (t >= 0 && t < KV_TABLE_SIZE) ? table[size_t(t)] : nullptr;
}

extern Table<AskFn> is_deadly_table;
extern Table<AskFn> is_pellik_table;
extern Table<AskFn> sliding_left_test_table;
extern Table<AskFn> sliding_right_test_table;
extern Table<AskFn> rolls_off_left_table;
extern Table<AskFn> rolls_off_right_table;
extern Table<AskFn> can_use_table;
extern Table<DoFn> use_table;

namespace IEatable {
extern Table<AskSideFn> can_be_eaten_table;
extern Table<DoSideFn> eat_in_place_table;
extern Table<DoSideFn> do_over_eat_table;
}  // namespace IEatable

namespace Explodeable {
extern Table<AskLayerFn> can_explode_table;
extern Table<DoLayerFn> do_explode_normal_table;
extern Table<DoLayerFn> do_explode_quarkel_table;
extern Table<DoLayerFn> do_explode_delayed_normal_table;
extern Table<DoLayerFn> do_explode_delayed_quarkel_table;
extern Table<AskLayerFn> is_hit_by_falling_grobble_table;
extern Table<AskLayerFn> is_hit_by_falling_quarkel_table;
}  // namespace Explodeable

namespace Port {
extern std::bitset<KV_TABLE_SIZE> is_port_bits;
extern Table<AskSideFn> can_pass_table;
extern Table<DoFn> on_pass_table;
inline bool is_port(uint16_t type) {
    assert(tables_filled && "install_rules() sets the port bits before any question");
    return type < KV_TABLE_SIZE && is_port_bits.test(type);
}
}  // namespace Port

namespace IPushing {
extern Table<AskSideFn> is_pushable_table;
extern Table<DoSideFn> wanna_push_table;
extern Table<DoFn> dont_wanna_push_table;
extern Table<DoFn> do_pushing_table;
}  // namespace IPushing

// Registrars; each runs once ("register" itself is a keyword, hence the
// suffix). install_rules runs them in this order.
namespace IEatable { void register_entries(); }
void register_roll_off();
void register_sliding_tests();
namespace IPushing { void register_entries(); }
namespace Explodeable { void register_entries(); }
namespace Port { void register_entries(); }
void register_exit_terminal();
void register_danger();

// Dispatchers.
bool is_deadly_to_pellik(const KV_ObjectContext& ctx);
bool is_pellik(const KV_ObjectContext& ctx);
bool can_use(const KV_ObjectContext& ctx);
void use(const KV_ObjectContext& ctx);
bool can_explode(const KV_ObjectContext& ctx, uint32_t layer);
void do_explode_normal(const KV_ObjectContext& ctx, uint32_t layer);
void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t layer);
void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer);
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
bool rolls_off_left(const KV_ObjectContext& ctx);
bool rolls_off_right(const KV_ObjectContext& ctx);
bool sliding_left_test(const KV_ObjectContext& ctx);
bool sliding_right_test(const KV_ObjectContext& ctx);
namespace IEatable {
bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t side);
void eat_in_place(const KV_ObjectContext& ctx, uint32_t side);
void do_over_eat(const KV_ObjectContext& ctx, uint32_t side);
}  // namespace IEatable
namespace IPushing {
bool is_pushable(const KV_ObjectContext& ctx, uint32_t side);
void wanna_push(const KV_ObjectContext& ctx, uint32_t side);
void dont_wanna_push(const KV_ObjectContext& ctx);
void do_pushing(const KV_ObjectContext& ctx);
}  // namespace IPushing
namespace Port {
bool can_pass(const KV_ObjectContext& ctx, uint32_t side);
void on_pass(const KV_ObjectContext& ctx);
}  // namespace Port

// A context for the cell of `layer` at (x, y).
inline KV_ObjectContext context_at(KV_Level* level, int layer, int32_t x, int32_t y) {
    return KV_ObjectContext{x, y, level, &level->at(layer, x, y)};
}

}  // namespace KV_Interfaces

namespace KV_Logic {
// Shared cell tests.
bool is_cell_free(const KV_ObjectContext& ctx);
bool is_deadly_cell(KV_Level* level, int32_t x, int32_t y);
bool touches_pellik(KV_Level* level, int32_t x, int32_t y);
bool can_push_into_cell(KV_Level* level, int32_t x, int32_t y);
namespace Pellik {
bool can_enter_cell(KV_Level* level, int32_t x, int32_t y);
}
}  // namespace KV_Logic
