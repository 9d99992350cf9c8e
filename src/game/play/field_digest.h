#pragma once
// A fingerprint of the whole field, to compare two runs of a game tick by tick.
#include <cstdint>

#include "game/level/level.h"

// The 64-bit FNV-1a hash of layers 0..3 in layer, row, column order (columns
// 0..width-1), each cell as u16 type, u32 flags and its 8 state bytes, little-endian.
uint64_t kv_field_digest(const KV_Level& level);
