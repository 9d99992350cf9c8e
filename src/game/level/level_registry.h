#pragma once
// The level prototype registry: level type -> a prototype from which new, empty
// level objects of that type are made and then loaded from a record. Filled by
// static registrars before main, never changed afterwards.
#include <cstdint>
#include <memory>
#include <vector>

#include "game/level/hexmoor_level.h"
#include "game/level/level_base.h"
#include "game/level/torvane_level.h"

// The largest level record any format allows: an extended one with the largest body.
constexpr size_t KV_MAX_LEVEL_RECORD_SIZE = KV_Extended::HEADER_SIZE + KV_Extended::MAX_BODY_SIZE;
static_assert(KV_MAX_LEVEL_RECORD_SIZE >= KV_Classic::RECORD_SIZE, "the classic record fits");

// False (and the existing entry kept) when the type is already registered.
bool register_level_type(int type, std::shared_ptr<KV_LevelBase> prototype);
// Empty for an unknown type or a revision other than 0 and 1.
std::shared_ptr<KV_LevelBase> create_empty_level(int type, int revision);
// Empty also when the record does not load.
std::shared_ptr<KV_LevelBase> create_level(int type, int revision, const std::vector<uint8_t>& record);
