#pragma once
// Ports: static layer-3 tiles that only Pellik can pass. It walks into the
// port's cell and is carried on to the cell beyond once that can be entered.
// The one-way kinds can be special and then set the level's switches.
#include <cstdint>

#include "game/objects/object_context.h"
#include "game/level/object_type.h"

enum class KV_PortType : uint16_t {
    Port_U_To_D = type_code(KV_ObjectType::Port_U_To_D),
    Port_D_To_U = type_code(KV_ObjectType::Port_D_To_U),
    Port_L_To_R = type_code(KV_ObjectType::Port_L_To_R),
    Port_R_To_L = type_code(KV_ObjectType::Port_R_To_L),
    Port_Horizontal = type_code(KV_ObjectType::Port_Horizontal),
    Port_Vertical = type_code(KV_ObjectType::Port_Vertical),
    Port_Cross = type_code(KV_ObjectType::Port_Cross),
};

// A special port's switches (the u32 at its state bytes 4-7); bit 0 of its
// state word marks it special.
enum KV_PortSwitch : uint32_t {
    PORT_SWITCH_GRAVITY = 1,
    PORT_SWITCH_FREEZE_GROBBLES = 2,
    PORT_SWITCH_FREEZE_ENEMIES = 4,
};
constexpr uint16_t PORT_SPECIAL = 1;

// A port's cell (layer 3):
//   bytes 0-1  u16 state: PORT_SPECIAL when it sets the level's switches (bytes 2-3 stay 0)
//   bytes 4-7  u32 switches (KV_PortSwitch bits) of a special port
template <typename Cell>
struct KV_PortViewOf {
    Cell& cell;
    bool is_special() const { return (cell.get_u16(0) & PORT_SPECIAL) != 0; }
    // Marks the port special (its state as a whole u32 at bytes 0-3).
    void set_special() { cell.set_u32(0, PORT_SPECIAL); }
    uint32_t switches() const { return cell.get_u32(4); }
    void set_switches(uint32_t bits) { cell.set_u32(4, bits); }
};
using KV_PortView = KV_PortViewOf<KV_Cell>;
using KV_ConstPortView = KV_PortViewOf<const KV_Cell>;

namespace KV_Interfaces {
namespace Port {

// Moves the Pellik of `pellik` (its layer-2 cell at the port's position) to
// (tx, ty) when that cell can be entered; false leaves it waiting in the port.
bool move_pellik_out(const KV_ObjectContext& pellik, int32_t tx, int32_t ty);

// can_pass: may Pellik, coming from `side` (KV_Direction bits), enter the port now.
// on_pass: carries the Pellik standing in the port on; true when it moved.
#define KV_PORT_ENTRIES                                              \
    bool can_pass(const KV_ObjectContext& ctx, uint32_t side);        \
    bool on_pass(const KV_ObjectContext& ctx);
namespace Port_U_To_D { KV_PORT_ENTRIES }
namespace Port_D_To_U { KV_PORT_ENTRIES }
namespace Port_L_To_R { KV_PORT_ENTRIES }
namespace Port_R_To_L { KV_PORT_ENTRIES }
namespace Port_Horizontal { KV_PORT_ENTRIES }
namespace Port_Vertical { KV_PORT_ENTRIES }
namespace Port_Cross { KV_PORT_ENTRIES }
#undef KV_PORT_ENTRIES

}  // namespace Port
}  // namespace KV_Interfaces
