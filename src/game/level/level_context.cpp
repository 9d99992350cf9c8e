#include "game/level/level_context.h"

#include <ctime>

KV_LevelContext::KV_LevelContext() { seed(uint32_t(std::time(nullptr))); }
