#pragma once
// Eating: Pellik walks over (over-eat) or, fire held, eats from beside
// (in place) a Base, a Quarkel, a red disk or a Bug. The entries only switch
// the object into its being-eaten state; its own process finishes the job.
#include <cstdint>

#include "game/objects/object_context.h"

// Where Pellik comes from, as the eaten object's counter (u16 at state bytes 2-3) holds it.
enum class KV_EatDirection : uint16_t {
    From_Left = 2,    // side 1
    From_Right = 4,   // side 4
    From_Above = 8,   // side 2
    From_Below = 16,  // side 8
};

// The eat direction of Pellik coming from `side` (the side of the eaten cell).
constexpr KV_EatDirection kv_eat_direction(KV_Dir side) {
    switch (side) {
        case KV_Dir::Left: return KV_EatDirection::From_Left;
        case KV_Dir::Up: return KV_EatDirection::From_Above;
        case KV_Dir::Right: return KV_EatDirection::From_Right;
        case KV_Dir::Down: return KV_EatDirection::From_Below;
    }
    return KV_EatDirection::From_Left;
}

// What the eat entries share of the four eatables (Base, Quarkel, Disk_Red,
// Bug, layer 1); each owner's view names the rest:
//   bytes 0-1  u16 state word
//   bytes 2-3  u16 eat direction (KV_EatDirection) when walked over
//   bytes 4-5 or 4-7  the eating's tick counter: a u32 for Base and Disk_Red,
//              a u16 for Quarkel and Bug
template <typename Cell>
struct KV_EatenViewOf {
    Cell& cell;
    uint16_t state() const { return cell.get_u16(0); }
    void set_state(uint16_t s) { cell.set_u16(0, s); }
    KV_EatDirection eat_direction() const { return KV_EatDirection(cell.get_u16(2)); }
    void set_eat_direction(KV_EatDirection d) { cell.set_u16(2, uint16_t(d)); }
    void clear_u32_counter() { cell.set_u32(4, 0); }
    void clear_u16_counter() { cell.set_u16(4, 0); }
};
using KV_EatenView = KV_EatenViewOf<KV_Cell>;
using KV_ConstEatenView = KV_EatenViewOf<const KV_Cell>;

namespace KV_Interfaces {
namespace IEatable {

// side: the side of the eaten cell Pellik comes from (KV_Direction bits).
#define KV_EAT_ENTRIES                                                 \
    bool can_be_eaten(const KV_ObjectContext& ctx, uint32_t side);      \
    void do_over_eat(const KV_ObjectContext& ctx, uint32_t side);       \
    void eat_in_place(const KV_ObjectContext& ctx, uint32_t side);
namespace Base { KV_EAT_ENTRIES }
namespace Quarkel { KV_EAT_ENTRIES }
namespace Disk_Red { KV_EAT_ENTRIES }
namespace Bug { KV_EAT_ENTRIES }
#undef KV_EAT_ENTRIES

}  // namespace IEatable
}  // namespace KV_Interfaces
