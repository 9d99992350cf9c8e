// Placeholder until this object's rules are written.
#include "game/objects/fatal.h"
#include "game/objects/logic.h"

void KV_Logic::Disk_Yellow::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Yellow, process, not built yet"); }
void KV_Logic::Disk_Yellow_Push_Temp::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Yellow_Push_Temp, process, not built yet"); }
void KV_Logic::Disk_Red::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Red, process, not built yet"); }
void KV_Logic::Disk_Orange::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Orange, process, not built yet"); }
void KV_Logic::Disk_Orange::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Orange, time_critical, not built yet"); }
void KV_Logic::Disk_Orange_Fall_Temp::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Orange_Fall_Temp, process, not built yet"); }
void KV_Logic::Disk_Orange_Push_Temp::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Orange_Push_Temp, process, not built yet"); }
void KV_Logic::Disk_Orange_Clone::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Disk_Orange_Clone, process, not built yet"); }
