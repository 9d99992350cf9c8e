// Placeholder until these entries are written.
#include "game/objects/interfaces.h"

void KV_Interfaces::Port::register_entries() {}
