#pragma once
// The prototype cells every object is set from: copy the whole cell, then set
// the state fields the step needs.
#include "game/level/cell.h"

namespace KV_Logic {

// Fills the table once; later calls do nothing. The converter runs it before
// the first level is built.
void init_prototypes();

// Prototype of a type code 0..39 (callers pass only those).
const KV_Cell& prototype(KV_ObjectType type);

// Sets a cell to a type: the whole prototype cell is copied over it.
inline void set_cell(KV_Cell& cell, KV_ObjectType type) { cell = prototype(type); }

}  // namespace KV_Logic

// One accessor per object, named after it, for code that reads like the rules.
#define KV_DECLARE_PROTOTYPE(name) \
    namespace KV_Logic { namespace name { \
    inline const KV_Cell& prototype() { return KV_Logic::prototype(KV_ObjectType::name); } } }
KV_DECLARE_PROTOTYPE(Empty)
KV_DECLARE_PROTOTYPE(Hardware)
KV_DECLARE_PROTOTYPE(Pellik)
KV_DECLARE_PROTOTYPE(Pellik_Move_Temp)
KV_DECLARE_PROTOTYPE(Base)
KV_DECLARE_PROTOTYPE(Grobble)
KV_DECLARE_PROTOTYPE(Grobble_Fall_Temp)
KV_DECLARE_PROTOTYPE(Grobble_Slide_Temp)
KV_DECLARE_PROTOTYPE(Grobble_Slide_Fall_Temp)
KV_DECLARE_PROTOTYPE(RAM)
KV_DECLARE_PROTOTYPE(Quarkel)
KV_DECLARE_PROTOTYPE(Quarkel_Fall_Temp)
KV_DECLARE_PROTOTYPE(Quarkel_Slide_Temp)
KV_DECLARE_PROTOTYPE(Quarkel_Slide_Fall_Temp)
KV_DECLARE_PROTOTYPE(Grobble_Push_Temp)
KV_DECLARE_PROTOTYPE(Grobble_Clone)
KV_DECLARE_PROTOTYPE(Exit)
KV_DECLARE_PROTOTYPE(Terminal)
KV_DECLARE_PROTOTYPE(Disk_Yellow)
KV_DECLARE_PROTOTYPE(Disk_Yellow_Push_Temp)
KV_DECLARE_PROTOTYPE(Disk_Red)
KV_DECLARE_PROTOTYPE(Disk_Orange)
KV_DECLARE_PROTOTYPE(Disk_Orange_Fall_Temp)
KV_DECLARE_PROTOTYPE(Disk_Orange_Push_Temp)
KV_DECLARE_PROTOTYPE(Disk_Orange_Clone)
KV_DECLARE_PROTOTYPE(Explosion)
KV_DECLARE_PROTOTYPE(Bug)
KV_DECLARE_PROTOTYPE(Port_U_To_D)
KV_DECLARE_PROTOTYPE(Port_D_To_U)
KV_DECLARE_PROTOTYPE(Port_L_To_R)
KV_DECLARE_PROTOTYPE(Port_R_To_L)
KV_DECLARE_PROTOTYPE(Port_Horizontal)
KV_DECLARE_PROTOTYPE(Port_Vertical)
KV_DECLARE_PROTOTYPE(Port_Cross)
KV_DECLARE_PROTOTYPE(Gnarrow)
KV_DECLARE_PROTOTYPE(Gnarrow_Temp)
KV_DECLARE_PROTOTYPE(Electron)
KV_DECLARE_PROTOTYPE(Electron_Temp)
KV_DECLARE_PROTOTYPE(Pellik_Static)
KV_DECLARE_PROTOTYPE(Invisible_Wall)
#undef KV_DECLARE_PROTOTYPE
