#include "game/level/level_registry.h"

#include <map>

namespace {

// Built on first use, so registrars in any translation unit find it ready.
std::map<int, std::shared_ptr<KV_LevelBase>>& level_prototypes() {
    static std::map<int, std::shared_ptr<KV_LevelBase>> prototypes;
    return prototypes;
}

}  // namespace

bool register_level_type(int type, std::shared_ptr<KV_LevelBase> prototype) {
    return level_prototypes().emplace(type, std::move(prototype)).second;
}

std::shared_ptr<KV_LevelBase> create_empty_level(int type, int revision) {
    const auto& prototypes = level_prototypes();
    const auto it = prototypes.find(type);
    if (it == prototypes.end() || !it->second) return nullptr;
    return it->second->Create(revision);
}

std::shared_ptr<KV_LevelBase> create_level(int type, int revision, const std::vector<uint8_t>& record) {
    std::shared_ptr<KV_LevelBase> level = create_empty_level(type, revision);
    if (!level || !level->Load(record)) return nullptr;
    return level;
}
