// Placeholder until this object's rules are written.
#include "game/objects/fatal.h"
#include "game/objects/logic.h"

void KV_Logic::Gnarrow::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Gnarrow, process, not built yet"); }
void KV_Logic::Gnarrow::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Gnarrow, time_critical, not built yet"); }
void KV_Logic::Electron::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Electron, process, not built yet"); }
void KV_Logic::Electron::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Electron, time_critical, not built yet"); }
