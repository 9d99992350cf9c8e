#pragma once
// The classic format: fixed 1536-byte records, a 60 x 24 field of tile codes
// followed by the information block. A set is such records back to back.
#include "game/level/level_record.h"

namespace KV_Classic {
constexpr int32_t WIDTH = 60;
constexpr int32_t HEIGHT = 24;
constexpr size_t TILES = size_t(WIDTH) * size_t(HEIGHT);
constexpr size_t RECORD_SIZE = TILES + KV_InfoBlock::SIZE;  // 1536
// A record whose port count is above ten ends a classic set.
constexpr size_t PORT_COUNT_OFFSET = TILES + KV_InfoBlock::PORT_COUNT;
}  // namespace KV_Classic

class KV_TorvaneLevel : public KV_StoredLevel {
public:
    explicit KV_TorvaneLevel(int revision = KV_LEVEL_REVISION_CURRENT)
        : KV_StoredLevel(KV_Classic::WIDTH, KV_Classic::HEIGHT, revision) {}

    int GetType() const override { return KV_LEVEL_CLASSIC; }
    // Refuses any length other than 1536.
    bool Load(const std::vector<uint8_t>& record) override;
    std::shared_ptr<KV_LevelBase> Create(int revision) const override;
};

class KV_TorvaneLevelset : public KV_LevelSetBase {
public:
    std::shared_ptr<KV_LevelBase> GetLevel(int i) const override;
    // Whole records up to the end of the data or to the first record with more
    // than ten ports; true when at least one was stored. More than MAX_LEVELS
    // records fail the whole set.
    bool LoadFrom(KV_ByteSource& source) override;
    std::shared_ptr<KV_LevelSetBase> Create() const override;
};
