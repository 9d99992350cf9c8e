#pragma once
// What every per-type logic and interface function receives: the cell's
// position, the level and the cell itself.
#include <cstdint>

#include "game/level/level.h"

struct KV_ObjectContext {
    int32_t x;
    int32_t y;
    KV_Level* level;
    KV_Cell* cell;
};
