// Placeholder until this object's rules are written.
#include "game/objects/fatal.h"
#include "game/objects/logic.h"

void KV_Logic::Grobble::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Grobble, process, not built yet"); }
void KV_Logic::Grobble::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Grobble, time_critical, not built yet"); }
void KV_Logic::Quarkel::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Quarkel, process, not built yet"); }
void KV_Logic::Quarkel::time_critical(const KV_ObjectContext&) { kv_fatal("KV_Logic::Quarkel, time_critical, not built yet"); }
void KV_Logic::Grobble_Clone::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Grobble_Clone, process, not built yet"); }
