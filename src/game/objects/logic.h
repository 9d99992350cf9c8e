#pragma once
// The per-type tick entries of the process and time-critical tables. Each
// object's functions live in that object's own source file.
#include "game/objects/object_context.h"

#define KV_TICK_ENTRY(name) \
    namespace KV_Logic { namespace name { void process(const KV_ObjectContext& ctx); } }
#define KV_TICK_ENTRIES(name) \
    namespace KV_Logic { namespace name { \
    void process(const KV_ObjectContext& ctx); \
    void time_critical(const KV_ObjectContext& ctx); } }

KV_TICK_ENTRIES(Pellik)
KV_TICK_ENTRY(Base)
KV_TICK_ENTRIES(Grobble)
KV_TICK_ENTRIES(Quarkel)
KV_TICK_ENTRY(Grobble_Clone)
KV_TICK_ENTRY(Exit)
KV_TICK_ENTRY(Terminal)
KV_TICK_ENTRY(Disk_Yellow)
KV_TICK_ENTRY(Disk_Yellow_Push_Temp)
KV_TICK_ENTRY(Disk_Red)
KV_TICK_ENTRIES(Disk_Orange)
KV_TICK_ENTRY(Disk_Orange_Fall_Temp)
KV_TICK_ENTRY(Disk_Orange_Push_Temp)
KV_TICK_ENTRY(Disk_Orange_Clone)
KV_TICK_ENTRY(Explosion)
KV_TICK_ENTRY(Bug)
KV_TICK_ENTRIES(Gnarrow)
KV_TICK_ENTRIES(Electron)

#undef KV_TICK_ENTRY
#undef KV_TICK_ENTRIES
