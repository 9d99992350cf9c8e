// Placeholder until this object's rules are written.
#include "game/objects/fatal.h"
#include "game/objects/logic.h"

void KV_Logic::Pellik::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Pellik, process, not built yet"); }
void KV_Logic::Pellik::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Pellik, time_critical, not built yet"); }
