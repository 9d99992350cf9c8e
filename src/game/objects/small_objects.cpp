// Placeholder until this object's rules are written.
#include "game/objects/fatal.h"
#include "game/objects/logic.h"

void KV_Logic::Base::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Base, process, not built yet"); }
void KV_Logic::Bug::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Bug, process, not built yet"); }
void KV_Logic::Exit::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Exit, process, not built yet"); }
void KV_Logic::Terminal::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Terminal, process, not built yet"); }
void KV_Logic::Explosion::process(const KV_ObjectContext&) { kv_fatal("KV_Logic::Explosion, process, not built yet"); }
