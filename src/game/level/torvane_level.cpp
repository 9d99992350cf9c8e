#include "game/level/torvane_level.h"

#include "game/level/level_registry.h"

bool KV_TorvaneLevel::Load(const std::vector<uint8_t>& record) {
    if (record.size() != KV_Classic::RECORD_SIZE) return false;
    take_record(record, KV_Classic::WIDTH, KV_Classic::HEIGHT, 0);
    return true;
}

std::shared_ptr<KV_LevelBase> KV_TorvaneLevel::Create(int revision) const {
    if (!kv_is_level_revision(revision)) return nullptr;
    return std::make_shared<KV_TorvaneLevel>(revision);
}

std::shared_ptr<KV_LevelBase> KV_TorvaneLevelset::GetLevel(int i) const {
    const std::vector<uint8_t>* record = record_at(i);
    if (!record) return nullptr;
    return create_level(KV_LEVEL_CLASSIC, KV_LEVEL_REVISION_CURRENT, *record);
}

bool KV_TorvaneLevelset::LoadFrom(KV_ByteSource& source) {
    records_.clear();
    for (;;) {
        std::vector<uint8_t> record(KV_Classic::RECORD_SIZE);
        if (source.read(record.data(), record.size()) < record.size()) break;
        // Stored progress is indexed by level number, so a set ends quietly here
        // rather than skipping the record and renumbering the rest.
        if (record[KV_Classic::PORT_COUNT_OFFSET] > KV_InfoBlock::MAX_PORTS) break;
        if (records_.size() >= size_t(MAX_LEVELS)) {
            records_.clear();
            return false;
        }
        records_.push_back(std::move(record));
    }
    return !records_.empty();
}

std::shared_ptr<KV_LevelSetBase> KV_TorvaneLevelset::Create() const {
    return std::make_shared<KV_TorvaneLevelset>();
}
