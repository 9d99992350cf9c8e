#pragma once
// Pushing: Pellik leans on a Grobble, an orange disk or a yellow disk for a
// while (the object reserves the cell it will move into), then the object
// moves one cell and leaves a placeholder behind.
#include <cstdint>

#include "game/level/level.h"

// Where a pushed object moves, as its counter (u16 at state bytes 2-3) holds it.
enum class KV_PushDirection : uint16_t {
    Left = 2,   // to x-1
    Right = 4,  // to x+1
    Up = 8,     // to y-1 (yellow disk only)
    Down = 16,  // to y+1 (yellow disk only)
};

// States of the Grobble and orange-disk push placeholders (u32 at state bytes 0-3).
enum class KV_PushTempState : uint32_t {
    Behind_Left = 1,    // the cell an object moving left is leaving
    Behind_Right = 2,
    Reserved_Left = 4,  // the cell reserved for a push to the left
    Reserved_Right = 8,
};

// States of the yellow-disk push placeholder (u32 at state bytes 0-3).
enum class KV_YellowPushTempState : uint32_t {
    Behind_Left = 1,
    Behind_Right = 2,
    Behind_Up = 4,
    Behind_Down = 8,
    Reserved_Left = 16,
    Reserved_Right = 32,
    Reserved_Up = 64,
    Reserved_Down = 128,
};

namespace KV_Interfaces {
namespace IPushing {

// side: the side of the object Pellik stands on (KV_Direction bits); the
// object moves away from it. dont_wanna_push and do_pushing read the
// direction from the object's counter.
#define KV_PUSH_ENTRIES                                                \
    bool is_pushable(const KV_ObjectContext& ctx, uint32_t side);       \
    void wanna_push(const KV_ObjectContext& ctx, uint32_t side);        \
    void dont_wanna_push(const KV_ObjectContext& ctx);                  \
    void do_pushing(const KV_ObjectContext& ctx);
namespace Grobble { KV_PUSH_ENTRIES }
namespace Disk_Orange { KV_PUSH_ENTRIES }
namespace Disk_Yellow { KV_PUSH_ENTRIES }
#undef KV_PUSH_ENTRIES

}  // namespace IPushing
}  // namespace KV_Interfaces
