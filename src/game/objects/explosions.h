#pragma once
// Blasts: the 3 x 3 area explosion in its two flavours and every type's
// Explodeable entries (what a blast, or a falling object that hits it, does to
// an object in a given layer).
#include <cstdint>

#include "game/objects/object_context.h"

// Kind of an Explosion cell (the u32 at its state bytes 0-3). The Quarkel
// flavour's fire leaves a Quarkel in layer 1 when it dies out.
enum class KV_ExplosionState : uint32_t {
    Plain = 1,            // burns out
    Delayed_Normal = 2,   // blasts its own area later
    Plain_Quarkel = 4,    // burns out, leaves a Quarkel
    Delayed_Quarkel = 8,  // blasts its own area later, Quarkel flavour
};

namespace KV_Logic {

// The area explosion around the context's column and row (its cell is not
// read). Positions outside the field are left alone.
void explode_normal_at(const KV_ObjectContext& ctx);
void explode_quarkel_at(const KV_ObjectContext& ctx);

// Sets a cell to a fresh Explosion of the given kind.
void make_explosion(KV_Cell& cell, KV_ExplosionState kind);

}  // namespace KV_Logic

// The entries, one namespace per object (or per family of objects that behave
// alike). can_* and is_hit_* ask; do_explode_* act. `layer` is the asked cell's layer.
namespace KV_Interfaces {
namespace Explodeable {

#define KV_EXPLODE_DELAYED_ENTRIES                                         \
    bool can_explode(const KV_ObjectContext& ctx, uint32_t layer);          \
    void do_explode_delayed_normal(const KV_ObjectContext& ctx, uint32_t layer); \
    void do_explode_delayed_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
#define KV_EXPLODE_NOW_ENTRIES                                             \
    void do_explode_normal(const KV_ObjectContext& ctx, uint32_t layer);    \
    void do_explode_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
#define KV_EXPLODE_HIT_ENTRIES                                                  \
    bool is_hit_by_falling_grobble(const KV_ObjectContext& ctx, uint32_t layer); \
    bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer);

namespace Empty { KV_EXPLODE_DELAYED_ENTRIES }
namespace Pellik { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
// Base, the slide and push temps of Grobble and Quarkel, RAM, Grobble_Clone,
// Exit, Terminal, Disk_Orange_Clone, Bug and Invisible_Wall: they just vanish.
namespace Vanishing { KV_EXPLODE_DELAYED_ENTRIES }
namespace Grobble { KV_EXPLODE_DELAYED_ENTRIES }
namespace Quarkel { KV_EXPLODE_DELAYED_ENTRIES }
namespace Disk_Yellow {
KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
}
namespace Disk_Yellow_Push_Temp { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Disk_Red {
KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES
bool is_hit_by_falling_quarkel(const KV_ObjectContext& ctx, uint32_t layer);
}
namespace Disk_Orange { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Disk_Orange_Fall_Temp { KV_EXPLODE_DELAYED_ENTRIES }
namespace Disk_Orange_Push_Temp { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Explosion { KV_EXPLODE_DELAYED_ENTRIES }
// The seven port kinds.
namespace Ports { KV_EXPLODE_DELAYED_ENTRIES }
namespace Gnarrow { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Gnarrow_Temp { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Electron { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Electron_Temp { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }
namespace Pellik_Static { KV_EXPLODE_DELAYED_ENTRIES KV_EXPLODE_NOW_ENTRIES KV_EXPLODE_HIT_ENTRIES }

#undef KV_EXPLODE_DELAYED_ENTRIES
#undef KV_EXPLODE_NOW_ENTRIES
#undef KV_EXPLODE_HIT_ENTRIES

}  // namespace Explodeable
}  // namespace KV_Interfaces
